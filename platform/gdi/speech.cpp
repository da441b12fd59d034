// What is said aloud as a surface's texts change, paced for a listener.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <iterator>

#include "platform/gdi/reading.h"
#include "platform/gdi/utf8.h"

namespace {

// An utterance waits this long after its block last changed, so a caption
// and its figures drawn a few ticks apart are said together.
constexpr std::int64_t kStillMs = 150;

// While something waits to be said, a driver looks again this often.
constexpr int kSayingEveryMs = 50;

// The changes each utterance is noticed from, and the texts it is said
// from; one thread.
TextChanges g_changes;
Reading g_now;

int IndexOf(const Reading &r, std::uint32_t id) {
  for (int i = 0; i < r.count; ++i)
    if (r.texts[i]->id == id) return i;
  return -1;
}

// Whether the line at `i` was drawn anew by a tick since the last look.
bool IsNews(const Reading &r, int i) {
  return g_changes.change[i] != TextChanges::Kept && !r.texts[i]->painted;
}

bool Holds(const PendingUtterance &p, std::uint32_t id) {
  return std::find(p.ids, p.ids + p.count, id) != p.ids + p.count;
}

// The block's changes join its utterance still waiting to settle, or start
// one of their own.
void Notice(Speech &sp, const Reading &r, int block, std::int64_t now, bool update) {
  PendingUtterance *p = nullptr;
  for (int k = 0; k < sp.pendingCount && !p; ++k) {
    PendingUtterance &q = sp.pending[k];
    if (now - q.stirred >= kStillMs) continue;
    for (int j = 0; j < q.count && !p; ++j)
      if (const int at = IndexOf(r, q.ids[j]); at >= 0 && r.block[at] == block) p = &q;
  }
  if (!p) {
    if (sp.pendingCount == kMaxPending)
      std::move(sp.pending + 1, sp.pending + kMaxPending, sp.pending), --sp.pendingCount;
    p = &sp.pending[sp.pendingCount++];
    *p = PendingUtterance{{}, 0, update, now, now};
  }
  p->update = p->update && update;
  p->stirred = now;
  for (int i = 0; i < r.count; ++i)
    if (r.block[i] == block && IsNews(r, i) && !Holds(*p, r.texts[i]->id) &&
        p->count < int(std::size(p->ids)))
      p->ids[p->count++] = r.texts[i]->id;
}

void NoticeChanges(Surface &s, std::int64_t now) {
  Speech &sp = s.speech;
  TextReader reader{sp.seen, sp.started};
  if (!ReadTextChanges(s, reader, g_changes)) return;
  sp.seen = reader.seen;
  sp.started = true;
  // A reader that lost track has nothing new to say: all it knows is the picture.
  if (g_changes.afresh) return;
  // Each block whose lines a tick drew anew is noticed once; it is a new
  // reading when none of those lines is new.
  const Reading &r = g_changes.now;
  for (int first = 0, end = 0; first < r.count; first = end) {
    bool news = false, update = true;
    for (end = first; end < r.count && r.block[end] == r.block[first]; ++end)
      if (IsNews(r, end))
        news = true, update = update && g_changes.change[end] == TextChanges::Renamed;
    if (news) Notice(sp, r, r.block[first], now, update);
  }
}

// Characters with their blanks left out.
int Squeezed(const ShownText &t, char *out) {
  int n = 0;
  for (char c : t.Text())
    if (c != ' ') out[n++] = c;
  return n;
}

// A line that only names a figure another line gives: "Z 1" where
// "Z1 = 36.9 + j33.8 ohms" is shown.
bool NamesAFigure(const Reading &r, const ShownText &t) {
  char name[kMaxTextBytes], other[kMaxTextBytes];
  const int n = Squeezed(t, name);
  if (n == 0) return false;
  for (int i = 0; i < r.count; ++i) {
    if (r.texts[i] == &t) continue;
    const int m = Squeezed(*r.texts[i], other);
    if (m > n && other[n] == '=' && std::memcmp(name, other, std::size_t(n)) == 0) return true;
  }
  return false;
}

// As much as fits, never a part of a character.
void Append(Utterance &u, const char *chars, int length) {
  int fits = std::clamp(kMaxUtteranceBytes - u.length, 0, length);
  if (fits < length)
    while (fits > 0 && (chars[fits] & 0xC0) == 0x80) --fits;  // inside a sequence
  std::memcpy(u.chars + u.length, chars, std::size_t(fits));
  u.length += fits;
}

std::string_view Trimmed(const ShownText &t) {
  std::string_view text = t.Text();
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// A line "name = figure" splits at its " = "; other lines have no name.
std::string_view Name(std::string_view line) {
  const auto at = line.find(" = ");
  return at == std::string_view::npos ? std::string_view() : line.substr(0, at);
}
std::string_view Figure(std::string_view line) {
  const auto at = line.find(" = ");
  return at == std::string_view::npos ? std::string_view() : line.substr(at + 3);
}

// The name of a line above in the same block that gives the same figure, so
// that "Z5 = 36.9 + j33.8 ohms" under "Z1 = 36.9 + j33.8 ohms" is said
// "Z5 = Z1": the table repeats itself every half wavelength, and saying so
// is shorter than the figure.
std::string_view SameAs(const Reading &r, int line) {
  const std::string_view figure = Figure(Trimmed(*r.texts[line]));
  if (figure.empty()) return {};
  for (int i = line - 1; i >= 0 && r.block[i] == r.block[line]; --i)
    if (const std::string_view above = Trimmed(*r.texts[i]); Figure(above) == figure)
      return Name(above);
  return {};
}

// The texts of the utterance as they read now, in reading order: a caption
// ending in "=" runs on into its figure, other lines are set apart.
void Compose(const Reading &r, const PendingUtterance &p, Utterance &u) {
  u.length = 0;
  for (int i = 0; i < r.count; ++i) {
    const ShownText &t = *r.texts[i];
    if (!Holds(p, t.id) || NamesAFigure(r, t)) continue;
    const std::string_view text = Trimmed(t), same = SameAs(r, i);
    if (text.empty()) continue;
    if (u.length > 0) u.chars[u.length - 1] == '=' ? Append(u, " ", 1) : Append(u, ", ", 2);
    if (same.empty()) {
      Append(u, text.data(), int(text.size()));
    } else {
      const std::string_view name = Name(text);
      Append(u, name.data(), int(name.size()));
      Append(u, " = ", 3);
      Append(u, same.data(), int(same.size()));
    }
  }
}

// Whether a character is read as a letter: those of the Latin, Greek and
// Cyrillic alphabets, kana, hangul, the CJK ideographs and the Arabic letters.
bool IsLetter(char32_t c) {
  if (c < 0x80) return std::isalpha(int(c));
  return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x52F) ||
         (c >= 0x1100 && c <= 0x11FF) || (c >= 0x1E00 && c <= 0x1FFF) ||
         (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3130 && c <= 0x318F) ||
         (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF66 && c <= 0xFF9F) || (c >= 0x20000 && c <= 0x3FFFF) ||
         (c >= 0x620 && c <= 0x64A) || (c >= 0x66E && c <= 0x6D3) || (c >= 0x6FA && c <= 0x6FF);
}

// 0 to 9, and the Arabic-Indic and Persian digits.
bool IsDigit(char32_t c) {
  return (c >= '0' && c <= '9') || (c >= 0x660 && c <= 0x669) || (c >= 0x6F0 && c <= 0x6F9);
}

}  // namespace

// Fitted to a synthesiser at its usual rate (about 170 words a minute):
// letters go fast, each digit is a word of its own, signs are words, and
// commas and brackets pause.
int SpeakingTimeMs(const char *chars, int length) {
  int ms = 600;  // the start of an utterance, and the gap before the next
  const std::string_view text(chars, std::size_t(std::max(length, 0)));
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = NextCharacter(text, at);
    if (IsLetter(c))
      ms += 60;
    else if (IsDigit(c))
      ms += 420;
    else if (c == '=' || c == '+' || c == '-' || c == 0x66B)  // the Arabic decimal sign is a word
      ms += 430;
    else if (c == ',' || c == '(' || c == ')')
      ms += 260;
  }
  return ms;
}

bool TakeUtterance(Surface &s, std::int64_t now, Utterance &u) {
  Speech &sp = s.speech;
  NoticeChanges(s, now);
  if (now < sp.busyUntil) return false;
  for (;;) {
    // A new reading of a figure already said goes first; then the oldest.
    int next = -1;
    for (int k = 0; k < sp.pendingCount; ++k) {
      const PendingUtterance &p = sp.pending[k];
      if (now - p.stirred < kStillMs) continue;
      if (next < 0 || (p.update && !sp.pending[next].update)) next = k;
    }
    if (next < 0) return false;
    ReadTexts(s, g_now);
    Compose(g_now, sp.pending[next], u);
    std::move(sp.pending + next + 1, sp.pending + sp.pendingCount, sp.pending + next);
    --sp.pendingCount;
    if (u.length == 0) continue;
    sp.busyUntil = now + SpeakingTimeMs(u.chars, u.length);
    return true;
  }
}

std::int64_t SpeechClockMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int WaitCutForSpeech(const Surface &s, int ms) {
  if (s.speech.pendingCount == 0) return ms;
  return ms < 0 ? kSayingEveryMs : std::min(ms, kSayingEveryMs);
}
