// Glyph ink from Qt's fonts, for the drawing core.
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

#include "platform/qt/internal.h"

namespace {

// The Qt font for a character cell `cellHeight` pixels high.
QFont FontForCell(const FontFace &face) {
  QFont font = FontOf(face.family, face.han);
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

QFont FontOf(const std::string &family, HanForm han) {
  QStringList families;
  for (const std::string &f : FamiliesFor(family, han))
    if (QFontDatabase::hasFamily(FromUtf8(f))) families << FromUtf8(f);
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

std::unique_ptr<GlyphInk> MakeGlyphInk(const FontFace &face) {
  EnsureApplication();
  const QFont font = FontForCell(face);
  const QFontMetrics metrics(font);
  auto ink = NewGlyphInk({font.pixelSize(), metrics.ascent(), metrics.height(), metrics.leading(),
                          metrics.averageCharWidth(), metrics.maxWidth()});
  AddSingleByteGlyphs(*ink, [&](char32_t c) { return AddGlyph(font, QString(QChar(c)), *ink); });
  return ink;
}

int MakeGlyph(const FontFace &face, char32_t c, GlyphInk &ink) {
  return AddGlyph(FontForCell(face), QString::fromUcs4(&c, 1), ink);
}

// Laid out on one line by Qt, which orders and shapes it, and drawn as a
// glyph is, its baseline at the font's ascent whatever the faces it takes;
// no kerning, as the platform lays text out.
int MakeShapedText(const FontFace &face, std::string_view utf8, bool rightToLeft, GlyphInk &ink) {
  QFont font = FontForCell(face);
  font.setKerning(false);
  const QFontMetrics metrics(font);
  QTextLayout layout(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())), font);
  QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
  option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  const int advance = int(std::lround(line.naturalTextWidth()));
  const int pad = metrics.height();  // room for marks and tall letters
  QImage image(advance + 2 * pad, 3 * metrics.height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setPen(Qt::black);
  layout.draw(&p, QPointF(pad, pad + metrics.ascent() - line.ascent()));
  p.end();
  AddInkRuns(ink, image.width(), image.height(), -pad, -pad,
             [&](int x, int y) { return qRed(image.pixel(x, y)) != 255; });
  return advance;
}
