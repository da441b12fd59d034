// Renders states of the program headless, for comparison with captures of
// the real window. Commands run in order:
//   size WxH | screen W | scale S (before the others: device pixels per
//   logical pixel, as a scaled desktop has them) | load OHMS | source OHMS | paint | enter
//   ticks N | save FILE | save-ticks N PREFIX (a PNG after each of N ticks) |
//   texts (the window's texts in reading order, a line each: the box's
//   left, top, width and height in logical pixels, a tab, the characters) |
//   hear N (N ticks, 50 ms apart, and for 10 s after: what is said, a line
//   each, the millisecond it is given, a tab, the utterance)
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gdi/reading.h"
#include "platform/qt/testing.h"
#include "platform/user/window.h"
#include "tests/app/test_window.h"

namespace {

// A value as the command line writes it, with a point whatever the locale.
double Number(const std::string &text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int width = 1000, height = 700, arg = 1;
  for (; arg + 1 < argc; arg += 2) {
    std::string name = argv[arg];
    if (name == "size")
      std::sscanf(argv[arg + 1], "%dx%d", &width, &height);
    else if (name == "screen")
      SetScreenWidthForTesting(std::atoi(argv[arg + 1]));
    else if (name == "scale")
      setenv("QT_SCALE_FACTOR", argv[arg + 1], 1);
    else
      break;
  }
  TestWindow window;
  HWND hwnd = window.hwnd;
  ResizeClientForTesting(hwnd, width, height);
  PumpMessagesForTesting();

  for (; arg < argc; ++arg) {
    std::string command = argv[arg];
    auto next = [&] { return arg + 1 < argc ? std::string(argv[++arg]) : std::string(); };
    if (command == "load") {
      g_loadOhms = Number(next());
    } else if (command == "source") {
      g_sourceOhms = Number(next());
    } else if (command == "paint") {
      window.Paint();
    } else if (command == "enter") {
      window.Key(VK_RETURN);
    } else if (command == "ticks") {
      window.Ticks(std::atoi(next().c_str()));
    } else if (command == "save") {
      if (!SaveScreenPng(hwnd, next().c_str())) return 1;
    } else if (command == "texts") {
      static Reading r;
      ReadTexts(hwnd->surface, r);
      for (int i = 0; i < r.count; ++i) {
        const Rect &b = r.texts[i]->box;
        std::printf("%d %d %d %d\t%.*s\n", b.left, b.top, b.Width(), b.Height(), r.texts[i]->length,
                    r.texts[i]->chars);
      }
    } else if (command == "hear") {
      const int n = std::atoi(next().c_str());
      Utterance u;
      TakeUtterance(hwnd->surface, -50, u);  // what was there before is no news
      for (int i = 0; i < n + 200; ++i) {
        if (i < n) window.Tick();
        while (TakeUtterance(hwnd->surface, std::int64_t(i) * 50, u))
          std::printf("%d\t%.*s\n", i * 50, u.length, u.chars);
      }
    } else if (command == "save-ticks") {
      int n = std::atoi(next().c_str());
      std::string prefix = next();
      for (int i = 0; i < n; ++i) {
        window.Tick();
        std::string path = prefix + std::to_string(g_phaseDeg) + ".png";
        if (!SaveScreenPng(hwnd, path.c_str())) return 1;
      }
    } else {
      std::fprintf(stderr, "unknown command %s\n", command.c_str());
      return 2;
    }
  }
  return 0;
}
