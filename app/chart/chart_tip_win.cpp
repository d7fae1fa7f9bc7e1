#include "chart_tip_win.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kToolId = 1;
// Wide enough for a memo of 99 characters to wrap onto a second line rather than a tenth.
constexpr int kMaxTipWidth = 480;

}  // namespace

ChartTip::ChartTip(HWND chartWindow) : chart_(chartWindow) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, chartWindow, nullptr,
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(chartWindow, GWLP_HINSTANCE)),
                         nullptr);
  if (tip_ == nullptr) return;
  wchar_t empty[] = L"";
  TTTOOLINFOW tool = Tool(empty);
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // A maximum width makes the control break lines at CR LF.
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
}

ChartTip::~ChartTip() {
  if (tip_ != nullptr && IsWindow(tip_)) DestroyWindow(tip_);
}

TTTOOLINFOW ChartTip::Tool(wchar_t* text) const {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = chart_;
  tool.uId = kToolId;
  tool.lpszText = text;
  return tool;
}

void ChartTip::Show(const DateYmd& day, const std::u16string& text, POINT screen) {
  if (tip_ == nullptr) return;
  text_.assign(text.begin(), text.end());
  TTTOOLINFOW tool = Tool(text_.data());
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
  if (!active_) SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  day_ = day;
  active_ = true;
}

void ChartTip::Hide() {
  if (tip_ == nullptr || !active_) return;
  TTTOOLINFOW tool = Tool(nullptr);
  SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  active_ = false;
  day_ = DateYmd{};
}

void ChartTip::WatchLeave() {
  if (watching_) return;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, chart_, 0};
  watching_ = TrackMouseEvent(&track) != FALSE;
}
