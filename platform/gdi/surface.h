// The drawing core's side of a window: its client area as device pixels, the
// device contexts drawn on it, the fonts' glyph ink, and the changes to show.
// A backend (one per window system) owns the pixels and the windows; it
// defines the three hooks at the end, and calls nothing of its system here.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/gdi/geometry.h"
#include "platform/gdi/raster.h"
#include "platform/win.h"

constexpr int kMaxChanged = 24;  // rectangles kept per surface before they merge

// The texts a surface shows, kept without touching the heap: when all
// kMaxTexts are taken, the oldest goes; a text longer than kMaxTextBytes
// keeps the characters whose UTF-8 fits, a line of 80 CJK characters.
constexpr int kMaxTexts = 128;
constexpr int kMaxTextBytes = 256;

// A text as the program drew it with TextOutA, for assistive technology.
struct ShownText {
  char chars[kMaxTextBytes];  // UTF-8, the characters drawn (U+FFFD for what was not UTF-8)
  int length = 0;
  Rect box;            // logical pixels: the background box, filled or not
  int cellHeight = 0;  // its font's, at 100%
  bool bold = false;
  COLORREF color = 0;
  // Who it is: a text keeps its identity while it stands, and when it is
  // redrawn in place with other characters, as a readout is.
  std::uint32_t id = 0;
  std::uint64_t came = 0;   // the layer's change at which it came
  std::uint64_t drawn = 0;  // the change at which its characters were last drawn anew
  bool painted = false;     // drawn by a paint: part of the picture, never news
  std::string_view Text() const { return {chars, std::size_t(length)}; }
};

// A text that went, kept a while for the readers that knew it.
struct GoneText {
  std::uint32_t id = 0;
  std::uint64_t came = 0, at = 0;
};
constexpr int kMaxGone = 2 * kMaxTexts;

// An utterance waiting to be said: the texts it says, by identity.
struct PendingUtterance {
  std::uint32_t ids[16];
  int count = 0;
  bool update = false;       // every text in it is a new reading of one already said
  std::int64_t noticed = 0;  // when its first text changed, in milliseconds
  std::int64_t stirred = 0;  // when its block last changed
};
constexpr int kMaxPending = 32;

// What is being said of a surface's texts, and what waits to be.
struct Speech {
  std::uint64_t seen = 0;  // the layer's change it last took
  bool started = false;
  std::int64_t busyUntil = 0;             // when what was last given is estimated said
  PendingUtterance pending[kMaxPending];  // oldest first
  int pendingCount = 0;
};

// What a surface shows in words, for a backend to hand to assistive
// technology. A text goes when a later opaque text's box or an ellipse's
// inside paints over more than half of its box's logical pixels, so a
// readout redrawn in place replaces the one before, longer or shorter; a
// full repaint starts afresh. Transparent texts, lines and single pixels
// take none away. A text wholly outside the client area is not kept.
struct TextLayer {
  ShownText texts[kMaxTexts];  // oldest first
  int count = 0;
  std::uint64_t changes = 0;  // grows whenever the texts change, and only then
  std::uint32_t lastId = 0;
  GoneText gone[kMaxGone];  // a ring, the newest at goneNext - 1
  int goneNext = 0, goneCount = 0;
  std::uint64_t goneLostAt = 0;  // the newest change whose gone texts the ring no longer holds
};

// A window's client area. The program draws in logical pixels; the core
// draws each call at `scale` device pixels per logical pixel, as GDI scaling
// does, so the same layout fills a screen of any scale.
struct Surface {
  std::uint32_t *pixels = nullptr;  // 0xffRRGGBB, rows of `stride` words; the backend's
  int width = 0, height = 0;        // device pixels
  int stride = 0;
  double scale = 1.0;
  void *owner = nullptr;  // the backend's window

  // The core's own.
  Coverage coverage;          // the pixels of the primitive being drawn
  Rect changed[kMaxChanged];  // not shown yet, disjoint, device pixels
  int changedCount = 0;
  TextLayer texts;
  Speech speech;

  Surface() = default;
  Surface(const Surface &) = delete;
  Surface &operator=(const Surface &) = delete;
  ~Surface();
};

// Points the surface at its pixels, after a resize or a change of scale.
void AttachPixels(Surface &, std::uint32_t *pixels, int width, int height, int stride,
                  double scale);
// Fills every device pixel with the colour and marks it all changed.
void FillSurface(Surface &, COLORREF);
// Marks device pixels to show.
void MarkChanged(Surface &, Rect);
// Shows every change not yet shown, through the backend's hooks.
void ShowAllChanged();

// A device context on the surface, as GetDC gives it, or as BeginPaint
// gives it when `paint`; null when all are in use.
HDC OpenContext(Surface &, bool paint = false);
void CloseContext(HDC);

// The forms of the Han characters a reader of the user's language expects,
// and the family of the Noto Sans CJK face in each.
enum class HanForm { Japanese, Korean, Simplified, Traditional };
constexpr const char *kCjkFamilies[] = {"Noto Sans CJK JP", "Noto Sans CJK KR", "Noto Sans CJK SC",
                                        "Noto Sans CJK TC"};
// Those of a language: Chinese simplified or traditional as its country
// writes it; Japanese for a language with no Han characters of its own.
HanForm HanFormOf(LANGID);

// The family drawn for a face's name, as the system's font substitutes
// give it: Arial's metric twin for "Arial"; for "MS Shell Dlg", the
// system's dialog face, the face the English dialogs name; any other as it
// is.
std::string SubstituteFace(std::string face);

// What the backend is asked to render: a face of an installed family, in a
// character cell `cellHeight` device pixels high. A character the family
// lacks comes from a CJK face of the same weight, in the Han forms `han`.
struct FontFace {
  std::string family;
  bool bold = false;
  int cellHeight = 0;
  HanForm han = HanForm::Japanese;
};

// A font's glyphs, laid out as the platform lays text out: each character
// advanced by its own width, no kerning, no shaping; but a text whose
// letters join or that reads from the right is shaped as a whole, and kept
// whole. The ink is kept as horizontal runs from the glyph's origin at the
// top of its cell, so drawing text is filling them. U+0000 to U+00FF are
// made with the font; any other character, or shaped text, the first time
// it is drawn or measured, and kept.
struct InkRun {
  short x, y, length;
};
struct Glyph {
  int advance = 0;
  int first = 0, end = 0;  // its runs are runs[first] up to runs[end]
};
// Texts found by their characters, without making a string of them.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};
struct GlyphInk {
  int advance[256];
  int first[257];  // the runs of code c are runs[first[c]] up to runs[first[c + 1]]
  std::vector<InkRun> runs;
  std::unordered_map<char32_t, Glyph> more;  // past U+00FF, as made
  // Whole texts shaped as one, as made: [0] read from the left, [1] from the right.
  std::unordered_map<std::string, Glyph, TextHash, std::equal_to<>> shaped[2];
  FontFace face;  // as made, for the glyphs to come
  int ascent = 0, internalLeading = 0, externalLeading = 0;
  int aveCharWidth = 0, maxCharWidth = 0;
};

// A character's glyph in the ink, made now if it is not yet.
Glyph GlyphOf(GlyphInk &, char32_t);

// What a backend measures of its font at pixel size `px`: the height of a
// line, the ascent within it, the gap the font asks between lines, and the
// average and largest advances.
struct FontMeasures {
  int px, ascent, height, lineGap, aveCharWidth, maxCharWidth;
};

// For a backend's MakeGlyphInk (glyph_ink.cpp): ink with the metrics a font
// of those measures gives, with no glyphs yet; the families to draw a
// face of `family` with, in order: the family itself, then those that stand
// in where it is not installed and for the characters it lacks; the
// largest pixel size whose line, as `lineHeight` gives it for a size, fits
// the cell (the cell is padded below to exactly its height; at least 1);
// the runs of a glyph rendered into an image `width` by `height` whose
// pixel (x, y) stands at (x + dx, y + dy) from the glyph's origin; and the
// glyphs of U+0000 to U+00FF, each as `add` renders it into the ink,
// giving its advance, but for the control codes, which draw nothing.
std::unique_ptr<GlyphInk> NewGlyphInk(const FontMeasures &);
std::vector<std::string> FamiliesFor(const std::string &family, HanForm);
int LargestSizeInCell(const FontFace &, const std::function<int(int px)> &lineHeight);
void AddInkRuns(GlyphInk &, int width, int height, int dx, int dy,
                const std::function<bool(int x, int y)> &inked);
void AddSingleByteGlyphs(GlyphInk &, const std::function<int(char32_t)> &add);

// For a backend whose system takes R, G, B, A bytes: the pixels of `r`,
// clipped to the surface, row after row into `rgba`; the rectangle copied.
Rect CopyRgba(const Surface &, Rect r, std::vector<std::uint32_t> &rgba);

// The hooks a backend defines.
// Renders the glyphs of a face for U+0000 to U+00FF, unsmoothed, at whole
// pixels.
std::unique_ptr<GlyphInk> MakeGlyphInk(const FontFace &);
// Renders one more character's glyph as MakeGlyphInk renders them, its runs
// appended to the ink's; its advance.
int MakeGlyph(const FontFace &, char32_t, GlyphInk &);
// Renders a whole text as the platform lays text out: shaped as one, its characters in the order
// the Unicode bidirectional algorithm gives them in a paragraph read from the right when
// `rightToLeft`, else from the left. Its runs are appended to the ink's, from the text's origin
// at the top left of its cell (x grows to the right), as MakeGlyph appends one glyph's; returns
// its advance.
int MakeShapedText(const FontFace &, std::string_view utf8, bool rightToLeft, GlyphInk &);
// Shows a changed rectangle of the surface's device pixels.
void PresentChanged(Surface &, const Rect &);
// Sends what PresentChanged has shown since the last call.
void FinishPresenting();
