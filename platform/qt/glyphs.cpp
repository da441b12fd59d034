// Glyph ink from Qt's fonts, for the drawing core.
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/qt/internal.h"

namespace {

// The Qt font for a character cell `cellHeight` pixels high.
QFont FontForCell(const FontFace &face) {
  QFont font;
  font.setFamilies({QString::fromStdString(face.family), "Liberation Sans", "DejaVu Sans"});
  font.setBold(face.bold);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setPixelSize(LargestSizeInCell(face, [&](int px) {
    font.setPixelSize(px);
    return QFontMetrics(font).height();
  }));
  return font;
}

}  // namespace

// Renders each glyph once, as Qt draws it unantialiased at a whole pixel,
// and keeps its ink: only the glyph's own box is looked at, with room for
// ink that hinting puts a little outside it.
std::unique_ptr<GlyphInk> MakeGlyphInk(const FontFace &face) {
  EnsureApplication();
  const QFont font = FontForCell(face);
  const QFontMetrics metrics(font);
  auto ink = std::make_unique<GlyphInk>();
  ink->ascent = metrics.ascent();
  ink->internalLeading = metrics.height() - font.pixelSize();
  ink->externalLeading = std::max(metrics.leading(), 0);
  ink->aveCharWidth = metrics.averageCharWidth();
  ink->maxCharWidth = metrics.maxWidth();
  const int pad = 2 + metrics.height() / 8;
  for (int code = 0; code < 256; ++code) {
    const QChar c(code);  // the single-byte codes are Latin-1
    ink->advance[code] = metrics.horizontalAdvance(c);
    ink->first[code] = int(ink->runs.size());
    const QRect box = metrics.boundingRect(c).adjusted(-pad, -pad, pad, pad);
    if (box.isEmpty()) continue;
    QImage cell(box.size(), QImage::Format_RGB32);
    cell.fill(Qt::white);
    QPainter p(&cell);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(-box.left(), -box.top(), QString(c));  // the baseline's origin
    p.end();
    AddInkRuns(*ink, box.width(), box.height(), box.left(), box.top() + metrics.ascent(),
               [&](int x, int y) { return qRed(cell.pixel(x, y)) != 255; });
  }
  ink->first[256] = int(ink->runs.size());
  return ink;
}
