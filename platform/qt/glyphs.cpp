// Glyph ink from Qt's fonts, for the drawing core.
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/qt/internal.h"

namespace {

// The Qt font for a character cell `cellHeight` pixels high, and the faces
// for the characters its family lacks.
QFont FontForCell(const FontFace &face) {
  QFont font;
  font.setFamilies(
      {QString::fromStdString(face.family), "Liberation Sans", HanFamily(face.han), "DejaVu Sans"});
  font.setBold(face.bold);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setPixelSize(LargestSizeInCell(face, [&](int px) {
    font.setPixelSize(px);
    return QFontMetrics(font).height();
  }));
  return font;
}

// Renders a glyph as Qt draws it unantialiased at a whole pixel, and keeps
// its ink: only the glyph's own box is looked at, with room for ink that
// hinting puts a little outside it. Its advance.
int AddGlyph(const QFont &font, const QString &c, GlyphInk &ink) {
  const QFontMetrics metrics(font);
  const int pad = 2 + metrics.height() / 8;
  const QRect box = metrics.boundingRect(c).adjusted(-pad, -pad, pad, pad);
  if (!box.isEmpty()) {
    QImage cell(box.size(), QImage::Format_RGB32);
    cell.fill(Qt::white);
    QPainter p(&cell);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(-box.left(), -box.top(), c);  // the baseline's origin
    p.end();
    AddInkRuns(ink, box.width(), box.height(), box.left(), box.top() + metrics.ascent(),
               [&](int x, int y) { return qRed(cell.pixel(x, y)) != 255; });
  }
  return metrics.horizontalAdvance(c);
}

}  // namespace

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
  for (int code = 0; code < 256; ++code) {
    ink->first[code] = int(ink->runs.size());
    ink->advance[code] = AddGlyph(font, QString(QChar(code)), *ink);
  }
  ink->first[256] = int(ink->runs.size());
  return ink;
}

int MakeGlyph(const FontFace &face, char32_t c, GlyphInk &ink) {
  return AddGlyph(FontForCell(face), QString::fromUcs4(&c, 1), ink);
}
