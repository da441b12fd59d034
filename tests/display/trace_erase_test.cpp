// Below the end of a run every line of a frame is drawn inverted, and each
// tick first draws the previous tick's last frame again: what a tick leaves
// must be the lines of its last frame and nothing of any earlier one.
#include <string>
#include <utility>

#include "app/header.h"
#include "display/phasors.h"
#include "display/standing_wave.h"
#include "tests/display/screen.h"

namespace {

// Everything a frame reads or writes that outlives it.
const std::pair<void *, std::size_t> kFrameState[] = {
    {&g_incidentAmp, sizeof g_incidentAmp},
    {g_fwdMark, sizeof g_fwdMark},
    {g_zMark, sizeof g_zMark},
    {g_fwdMarkAmp, sizeof g_fwdMarkAmp},
    {g_zMarkAmp, sizeof g_zMarkAmp},
    {&g_loadArrivalAmp, sizeof g_loadArrivalAmp},
    {&g_prevEnvelopeAmp, sizeof g_prevEnvelopeAmp}};

std::string SaveFrameState() {
  std::string s;
  for (auto [p, n] : kFrameState) s.append(static_cast<const char *>(p), n);
  return s;
}

void RestoreFrameState(const std::string &s) {
  std::size_t at = 0;
  for (auto [p, n] : kFrameState) at += s.copy(static_cast<char *>(p), n, at);
}

// A reference window, painted as the main one but without the start arrow,
// gets each tick of the main window's run with the erasing frame drawn in
// white, so it holds only texts and pixels until the new frame is drawn on
// it: the two screens must then be equal. That frame drawn there again from
// the same state takes its lines away for the next tick.
void ExpectEveryTickLeavesOnlyItsLastFrame(TestWindow &main, bool minimise = false) {
  static const bool registered = RegisterWindowClass("Reference", DefWindowProcA);
  ASSERT_TRUE(registered);
  // Under the inverting mix a white pen changes no pixel.
  HPEN white = CreatePen(PS_SOLID, 2, kWhite), green = g_greenPen, red = g_redPen;
  const auto whitePens = [&](bool on) {
    g_greenPen = on ? white : green;
    g_redPen = on ? white : red;
  };
  HWND reference = CreateWindowExA(0, "Reference", "", WS_OVERLAPPEDWINDOW, 0, 0, g_clientWidth,
                                   g_clientHeight, nullptr, nullptr, nullptr, nullptr);
  // Frames drawn at the 0 by 0 a minimised window reports cannot take away
  // the start arrow painted at full size; it goes with the next repaint.
  whitePens(!minimise);
  PaintWindow(reference);
  whitePens(false);
  if (minimise) WndProc(main.hwnd, WM_SIZE, 0, MAKELPARAM(0, 0));
  for (bool same = true; same && g_running;) {
    const int phase = g_phaseDeg;
    const std::string before = SaveFrameState();
    main.Tick();
    RestoreFrameState(before);
    HDC hdc = GetDC(reference);
    const auto draw = [&](int p, bool inWhite) {
      whitePens(inWhite);
      DrawTraceFrame(hdc, g_clientWidth, g_clientHeight, p, g_loadOhms, g_charWidth, g_lineHeight);
      whitePens(false);
    };
    draw(phase, true);
    const std::string between = SaveFrameState();
    draw(phase + kPhaseStep, false);
    same = ScreenForTesting(main.hwnd) == ScreenForTesting(reference);
    RestoreFrameState(between);
    draw(phase + kPhaseStep, false);
    ReleaseDC(reference, hdc);
    EXPECT_TRUE(same) << "the tick from phase " << phase;
  }
  EXPECT_EQ(g_phaseDeg, kRunEnd);
  DestroyWindow(reference);
  DeleteObject(white);
}

TEST(TraceErase, EveryTickOfARunLeavesTheLinesOfItsLastFrameAndNothingElse) {
  struct Case {
    double load, source;
    bool minimise;
  };
  const Case cases[] = {
      {75, 35, false}, {50, 35, false}, {25, 35, false}, {10000, 400, false}, {25, 35, true}};
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << c.load << " ohms from " << c.source << ", " << c.minimise);
    TestWindow main(c.load, c.source);
    main.Key(VK_RETURN);
    ExpectEveryTickLeavesOnlyItsLastFrame(main, c.minimise);
  }
}

TEST(TraceErase, ARepaintMidRunRecordsTheMarksAgainAndTheRunGoesOnCleanlyFromPhaseZero) {
  TestWindow main(25, 35);
  main.Key(VK_RETURN);
  main.Ticks(340);
  ResizeClientForTesting(main.hwnd, 800, 600);
  main.Paint();
  EXPECT_EQ(g_phaseDeg, 0);
  ExpectEveryTickLeavesOnlyItsLastFrame(main);
  EXPECT_EQ(g_fwdMark[8], (POINT{600, 150}));  // the load end at 800 by 600
  EXPECT_EQ(g_zMark[1], (POINT{538, 178}));
}

}  // namespace
