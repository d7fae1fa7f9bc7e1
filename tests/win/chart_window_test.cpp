// The chart on a real window: its SB_HORZ bar as the timeline, WM_HSCROLL handling and clicks.
#include <gtest/gtest.h>

#include <windows.h>

#include "chart_legend.h"
#include "chart_window_win.h"
#include "dates.h"
#include "legend_window_win.h"
#include "record_stores.h"

namespace {

HWND MakeChartWindow() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TovelaChartTestWindow";
    RegisterClassW(&wc);
    registered = true;
  }
  return CreateWindowExW(0, L"TovelaChartTestWindow", L"chart", WS_OVERLAPPEDWINDOW | WS_HSCROLL,
                         0, 0, 640, 560, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

SCROLLINFO ReadBar(HWND window) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS;
  GetScrollInfo(window, SB_HORZ, &si);
  return si;
}

struct WindowChart {
  TemperatureStore temperatures;
  WeightStore weights;
  HWND window = MakeChartWindow();
  std::unique_ptr<ChartView> view;

  WindowChart() {
    RECT client{};
    GetClientRect(window, &client);
    view = CreateChartViewForWindow(window, client, &temperatures, &weights);
    SetChartScrollRange(*view);
    SetChartColors(*view, ColorScheme{.BaseColor = RGB(255, 128, 128),
                                      .GraphGridColor = RGB(128, 255, 128),
                                      .GraphColor = 0,
                                      .TodayBackColor = RGB(255, 224, 224),
                                      .MarkBackColor = RGB(255, 255, 224),
                                      .StringColor = 0,
                                      .BaseTempeLineColor = RGB(128, 128, 255)});
    SetChartMode(*view, kTemperatureMode);
  }
  ~WindowChart() {
    DeleteDrawingTools(*view);
    DestroyWindow(window);
  }
};

}  // namespace

TEST(ChartWindow, ScrollRangeAndPositionLiveInTheWindowsBar) {
  WindowChart chart;
  ASSERT_NE(chart.window, nullptr);
  const SCROLLINFO si = ReadBar(chart.window);
  EXPECT_EQ(si.nMin, 0);
  EXPECT_EQ(si.nMax, 365);
  EXPECT_EQ(si.nPos, 0);
  EXPECT_EQ(FromTm(FirstVisibleDate(*chart.view)), FromTm(quillet::GetNow()));

  ScrollChartWindow(*chart.view, MAKEWPARAM(SB_PAGERIGHT, 0));
  EXPECT_EQ(ReadBar(chart.window).nPos, 12);  // 365 / 30
  ScrollChartWindow(*chart.view, MAKEWPARAM(SB_LINELEFT, 0));
  EXPECT_EQ(ReadBar(chart.window).nPos, 11);
  ScrollChartWindow(*chart.view, MAKEWPARAM(SB_THUMBTRACK, 200));
  EXPECT_EQ(ReadBar(chart.window).nPos, 200);
  ScrollChartWindow(*chart.view, MAKEWPARAM(SB_RIGHT, 0));
  EXPECT_EQ(ReadBar(chart.window).nPos, 365);
  EXPECT_EQ(FromTm(FirstVisibleDate(*chart.view)),
            FromTm(quillet::AddYmd(quillet::GetNow(), 0, 0, 365)));
}

TEST(ChartWindow, ClickMapsTheSignedLowWordToADay) {
  WindowChart chart;
  const ChartView& v = *chart.view;
  const int x = v.plotLeft + v.dayWidth + v.dayWidth / 2;  // inside the second column
  EXPECT_EQ(ChartDateAtClick(v, MAKELPARAM(x, 100)),
            FromTm(quillet::AddYmd(quillet::GetNow(), 0, 0, 1)));
  EXPECT_EQ(ChartDateAtClick(v, MAKELPARAM(0xFFFF, 100)), DateYmd{});  // x = -1
  EXPECT_EQ(ChartDateAtClick(v, MAKELPARAM(v.plotLeft + v.dayWidth, 100)), DateYmd{});
}

TEST(ChartWindow, RedrawDrawsIntoTheWindowWithoutLeavingItsDeviceContextChanged) {
  WindowChart chart;
  ShowWindow(chart.window, SW_SHOWNOACTIVATE);
  RedrawChart(*chart.view);
  HDC dc = GetDC(chart.window);
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  ReleaseDC(chart.window, dc);
  RedrawChart(*chart.view);
  ScrollChartWindow(*chart.view, MAKEWPARAM(SB_LINERIGHT, 0));
  dc = GetDC(chart.window);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  ReleaseDC(chart.window, dc);
}

// The legend over the chart's window: one window however often it is asked for, laid out at the
// owner's scale and again at a new one, gone with its object or with Esc.
TEST(ChartWindow, LegendIsOneWindowThatFollowsTheScaleAndClosesWithItsObject) {
  WindowChart chart;
  const auto clientWidth = [](HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.right - client.left;
  };
  auto legend = std::make_unique<LegendWindow>(chart.window);
  legend->Show(*chart.view);
  HWND window = legend->Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(clientWidth(window), kLegendWidth);
  legend->Show(*chart.view);
  EXPECT_EQ(legend->Window(), window);
  legend->Rescale(192);
  EXPECT_EQ(clientWidth(window), 2 * kLegendWidth);
  legend.reset();
  EXPECT_FALSE(IsWindow(window));

  LegendWindow closedByKey(chart.window);
  closedByKey.Show(*chart.view);
  ASSERT_NE(closedByKey.Window(), nullptr);
  SendMessageW(closedByKey.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(closedByKey.Window(), nullptr);
}
