// Below the end of a run every line of a frame is drawn inverted, and each
// tick first draws the previous tick's last frame again. These tests check
// that what a tick leaves on the screen holds the lines of its last frame and
// nothing of any earlier one.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "app/header.h"
#include "app/qt_internal.h"
#include "app/state.h"
#include "app/win.h"
#include "app/win_testing.h"
#include "app/wndproc.h"
#include "display/phasors.h"
#include "display/standing_wave.h"
#include "display/trace.h"
#include "display/trace_frame.h"
#include "tests/app/test_window.h"

namespace {

// The window's screen image itself: whole screens are compared a row at a
// time, far faster than pixel by pixel through GetPixel.
const QImage &ScreenOf(HWND hwnd) { return hwnd->screen; }

// How many pixels differ between two screens, and where the first one is.
struct Difference {
  int count = 0;
  int x = -1, y = -1;
  std::string Describe() const {
    return std::to_string(count) + " pixels differ, the first at (" + std::to_string(x) + ", " +
           std::to_string(y) + ")";
  }
};

Difference Compare(const QImage &a, const QImage &b) {
  Difference d;
  if (a.size() != b.size() || a.format() != b.format()) {
    d.count = -1;
    return d;
  }
  const std::size_t rowBytes = std::size_t(a.width()) * sizeof(QRgb);
  for (int y = 0; y < a.height(); ++y) {
    const auto *ra = reinterpret_cast<const QRgb *>(a.constScanLine(y));
    const auto *rb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
    if (std::memcmp(ra, rb, rowBytes) == 0) continue;
    for (int x = 0; x < a.width(); ++x)
      if (ra[x] != rb[x] && d.count++ == 0) {
        d.x = x;
        d.y = y;
      }
  }
  return d;
}

// Everything a frame reads or writes that outlives it.
struct AnimationState {
  double incidentAmp;
  POINT fwdMark[9];
  POINT zMark[8];
  double fwdMarkAmp[9];
  double zMarkAmp[8];
  double loadArrivalAmp;
  double prevEnvelopeAmp;
};

AnimationState SaveAnimationState() {
  AnimationState s{};
  s.incidentAmp = g_incidentAmp;
  std::copy(std::begin(g_fwdMark), std::end(g_fwdMark), s.fwdMark);
  std::copy(std::begin(g_zMark), std::end(g_zMark), s.zMark);
  std::copy(std::begin(g_fwdMarkAmp), std::end(g_fwdMarkAmp), s.fwdMarkAmp);
  std::copy(std::begin(g_zMarkAmp), std::end(g_zMarkAmp), s.zMarkAmp);
  s.loadArrivalAmp = g_loadArrivalAmp;
  s.prevEnvelopeAmp = g_prevEnvelopeAmp;
  return s;
}

void RestoreAnimationState(const AnimationState &s) {
  g_incidentAmp = s.incidentAmp;
  std::copy(std::begin(s.fwdMark), std::end(s.fwdMark), g_fwdMark);
  std::copy(std::begin(s.zMark), std::end(s.zMark), g_zMark);
  std::copy(std::begin(s.fwdMarkAmp), std::end(s.fwdMarkAmp), g_fwdMarkAmp);
  std::copy(std::begin(s.zMarkAmp), std::end(s.zMarkAmp), g_zMarkAmp);
  g_loadArrivalAmp = s.loadArrivalAmp;
  g_prevEnvelopeAmp = s.prevEnvelopeAmp;
}

LRESULT ReferenceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PaintWindow(hwnd);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Under the inverting mix a white pen changes no pixel, so frames drawn with
// these in place of the green and red pens leave only their texts and pixels.
class WhitePens {
 public:
  WhitePens() : green_(CreatePen(PS_SOLID, 2, kWhite)), red_(CreatePen(PS_SOLID, 2, kWhite)) {}
  ~WhitePens() {
    DeleteObject(green_);
    DeleteObject(red_);
  }
  WhitePens(const WhitePens &) = delete;
  WhitePens &operator=(const WhitePens &) = delete;
  // Puts the white pens in place of the real ones, or back.
  void Swap() {
    std::swap(g_greenPen, green_);
    std::swap(g_redPen, red_);
  }

 private:
  HPEN green_, red_;
};

// A second window painted as the main one, with the schematic and panels,
// where the test draws the frames of the main window's run; the start arrow
// is left out unless asked for.
class ReferenceWindow {
 public:
  ReferenceWindow(int width, int height, WhitePens &white, bool startArrow) {
    static const bool registered = [] {
      WNDCLASSEXA cls{};
      cls.cbSize = sizeof cls;
      cls.lpfnWndProc = ReferenceProc;
      cls.lpszClassName = "TraceReference";
      return RegisterClassExA(&cls) != 0;
    }();
    EXPECT_TRUE(registered);
    hwnd = CreateWindowExA(0, "TraceReference", "TraceReference", WS_OVERLAPPEDWINDOW, 0, 0, width,
                           height, nullptr, nullptr, nullptr, nullptr);
    if (!startArrow) white.Swap();
    InvalidateRect(hwnd, nullptr, 1);
    UpdateWindow(hwnd);
    if (!startArrow) white.Swap();
  }
  ~ReferenceWindow() { DestroyWindow(hwnd); }
  ReferenceWindow(const ReferenceWindow &) = delete;
  ReferenceWindow &operator=(const ReferenceWindow &) = delete;

  HWND hwnd = nullptr;
};

// Ticks the main window to the end of its run, and after each tick gives the
// reference window, over its screen of texts and pixels only, the same tick
// with the erasing frame drawn in white and the new frame in the real pens:
// the two screens must then be equal. The reference then draws the new frame
// a second time from the same state, which takes its lines away again. The
// reference is painted with the layout of the main window's last paint.
void ExpectEveryTickLeavesOnlyItsLastFrame(TestWindow &main, bool minimise = false) {
  WhitePens white;
  // Minimised, the window reports 0 by 0 and the frames are drawn with that,
  // so the first one cannot take away the start arrow painted at full size; it
  // goes with the repaint on restoring.
  ReferenceWindow reference(g_clientWidth, g_clientHeight, white, minimise);
  if (minimise) WndProc(main.hwnd, WM_SIZE, 0, MAKELPARAM(0, 0));
  int faults = 0;
  while (g_running && faults < 3) {
    const int phase = g_phaseDeg;
    const AnimationState before = SaveAnimationState();
    main.Tick();
    const AnimationState after = SaveAnimationState();

    RestoreAnimationState(before);
    HDC hdc = GetDC(reference.hwnd);
    white.Swap();
    DrawTraceFrame(hdc, g_clientWidth, g_clientHeight, phase, g_loadOhms, g_charWidth,
                   g_lineHeight);
    white.Swap();
    const AnimationState between = SaveAnimationState();
    DrawTraceFrame(hdc, g_clientWidth, g_clientHeight, phase + kPhaseStep, g_loadOhms, g_charWidth,
                   g_lineHeight);
    const Difference d = Compare(ScreenOf(main.hwnd), ScreenOf(reference.hwnd));
    RestoreAnimationState(between);
    DrawTraceFrame(hdc, g_clientWidth, g_clientHeight, phase + kPhaseStep, g_loadOhms, g_charWidth,
                   g_lineHeight);
    ReleaseDC(reference.hwnd, hdc);
    RestoreAnimationState(after);

    if (d.count != 0) ++faults;
    EXPECT_EQ(d.count, 0) << "tick from phase " << phase << ": " << d.Describe();
  }
  EXPECT_EQ(g_phaseDeg, kRunEnd);
}

struct RunCase {
  const char *name;
  double loadOhms, sourceOhms;
  int width, height;  // of the client area
  bool minimised;     // the run goes on at the 0 by 0 that a minimised window reports
};

TEST(TraceEraseTest, EveryTickOfARunLeavesTheLinesOfItsLastFrameAndNothingElse) {
  const RunCase cases[] = {
      {"defaults, load above Zo", 75.0, 35.0, 1000, 700, false},
      {"matched load", 50.0, 35.0, 1000, 700, false},
      {"load below Zo", 25.0, 35.0, 1000, 700, false},
      {"both ends far above Zo", 10000.0, 400.0, 1000, 700, false},
      {"the smallest load and the largest source", 0.1, 400.0, 1000, 700, false},
      {"both ends matched", 50.0, 50.0, 1000, 700, false},
      {"a full-screen window", 10000.0, 400.0, 1920, 1080, false},
      {"both ends of the line at one height", 75.0, 35.0, 1000, 142, false},
      {"a window shorter than 142 pixels", 25.0, 35.0, 1000, 100, false},
      {"a minimised window", 25.0, 35.0, 1000, 700, true},
  };
  for (const RunCase &c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow main(c.loadOhms, c.sourceOhms);
    if (c.width != 1000 || c.height != 700) {
      ResizeClientForTesting(main.hwnd, c.width, c.height);
      main.Paint();
    }
    ASSERT_EQ(g_clientWidth, c.width);
    ASSERT_EQ(g_clientHeight, c.height);
    main.Key(VK_RETURN);
    ExpectEveryTickLeavesOnlyItsLastFrame(main, c.minimised);
  }
}

TEST(TraceEraseTest, ARepaintMidRunRecordsTheMarksAgainAndTheRunGoesOnCleanlyFromPhaseZero) {
  TestWindow main(25.0, 35.0);
  main.Key(VK_RETURN);
  main.Ticks(340);
  ASSERT_EQ(g_phaseDeg, 1020);
  ResizeClientForTesting(main.hwnd, 800, 600);
  main.Paint();
  EXPECT_EQ(g_phaseDeg, 0);
  EXPECT_EQ(g_running, 1);
  ExpectEveryTickLeavesOnlyItsLastFrame(main);

  struct Case {
    const char *name;
    POINT actual, expected;
  };
  const Case cases[] = {
      {"the source end", g_fwdMark[0], {100, 379}}, {"forward mark 4", g_fwdMark[4], {350, 265}},
      {"the load end", g_fwdMark[8], {600, 150}},   {"Z mark 1", g_zMark[1], {538, 178}},
      {"Z mark 7", g_zMark[7], {163, 350}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual.x, c.expected.x);
    EXPECT_EQ(c.actual.y, c.expected.y);
  }
}

}  // namespace
