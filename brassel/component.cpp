// CBrassel, CMyApplication, CMyAppView, CMyDialog and CMyGraphic.
#include "component.h"

#include <shellapi.h>

#include <atomic>

namespace {

// A place is x, y, width and height.
HWND CreateAtPlace(DWORD exStyle, const WNDCLASSEXW& record, const wchar_t* title, DWORD style,
                   const RECT& place, HWND parent, HMENU id, void* param) {
  return CreateWindowExW(exStyle, record.lpszClassName, title, style, place.left, place.top,
                         place.right, place.bottom, parent, id, record.hInstance, param);
}

// Tray icon identifiers are handed out once per process, from 1 up.
std::atomic<UINT> g_nextTrayId{1};

NOTIFYICONDATAW TrayRecord(HWND window, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window;
  data.uID = id;
  return data;
}

void CopyTip(NOTIFYICONDATAW& data, const wchar_t* tip) {
  // lstrcpynW copies at most capacity - 1 characters and always terminates.
  lstrcpynW(data.szTip, tip, static_cast<int>(sizeof(data.szTip) / sizeof(data.szTip[0])));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CBrassel

CBrassel::CBrassel() : wndClass_{}, hwnd_(nullptr), parent_(nullptr), font_(nullptr), client_{} {}

CBrassel::~CBrassel() {
  if (font_) DeleteObject(font_);
}

HWND CBrassel::CreateMyWindow(const wchar_t* title, DWORD style, const RECT& place, HWND parent,
                              HMENU id, void* param) {
  return CreateFromRecord(title, style, 0, place, parent, id, param);
}

HWND CBrassel::CreateMyWindowEx(const wchar_t* title, DWORD style, DWORD exStyle,
                                const RECT& place, HWND parent, HMENU id, void* param) {
  return CreateFromRecord(title, style, exStyle, place, parent, id, param);
}

HWND CBrassel::CreateFromRecord(const wchar_t* title, DWORD style, DWORD exStyle,
                                const RECT& place, HWND parent, HMENU id, void* param) {
  hwnd_ = CreateAtPlace(exStyle, wndClass_, title, style, place, parent, id, param);
  if (!hwnd_) return nullptr;
  parent_ = parent;
  if (!UpdateWindow(hwnd_) || !GetClientRect(hwnd_, &client_)) {
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    parent_ = nullptr;
    return nullptr;
  }
  AttachOwnFont();
  return hwnd_;
}

void CBrassel::AttachOwnFont() {
  LOGFONTW logFont{};
  if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont)) return;
  HFONT font = CreateFontIndirectW(&logFont);
  if (!font) return;
  // The object owns one font: a later creation replaces the one made for an earlier window.
  if (font_) DeleteObject(font_);
  font_ = font;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

int CBrassel::CloseMyWindow() {
  if (!hwnd_) return 0;
  if (!IsWindow(hwnd_)) {
    // Already destroyed by the system (for example with its parent).
    hwnd_ = nullptr;
    return 0;
  }
  const BOOL destroyed = DestroyWindow(hwnd_);
  if (destroyed) hwnd_ = nullptr;
  return destroyed;
}

int CBrassel::MoveMyWindow(const RECT& place) {
  if (!hwnd_) return 0;
  return MoveWindow(hwnd_, place.left, place.top, place.right, place.bottom, TRUE);
}

int CBrassel::EnableDrag(bool flag) {
  if (!hwnd_) return 0;
  DragAcceptFiles(hwnd_, flag ? TRUE : FALSE);
  return 1;
}

HDC CBrassel::GetMyDC() {
  if (!hwnd_) return nullptr;
  return GetDC(hwnd_);
}

int CBrassel::ReleaseMyDC(HDC dc) {
  if (!hwnd_ || !dc) return 0;
  return ReleaseDC(hwnd_, dc);
}

int CBrassel::GetMyClientRect(RECT* rect) {
  if (!hwnd_ || !rect) return 0;
  return GetClientRect(hwnd_, rect);
}

int CBrassel::GetMyWindowRect(RECT* rect) {
  if (!hwnd_ || !rect) return 0;
  return GetWindowRect(hwnd_, rect);
}

int CBrassel::ShowMyWindow(int showCommand) {
  if (!hwnd_) return -1;
  return ShowWindow(hwnd_, showCommand);
}

int CBrassel::SetMyText(const wchar_t* text) {
  if (!hwnd_ || !text) return -1;
  return SetWindowTextW(hwnd_, text);
}

int CBrassel::GetMyTextLength() {
  if (!hwnd_) return -1;
  return GetWindowTextLengthW(hwnd_);
}

int CBrassel::GetMyText(wchar_t* buffer, int capacity) {
  if (!hwnd_ || !buffer || capacity < 1) return -1;
  buffer[0] = L'\0';
  // GetWindowTextW copies at most capacity - 1 characters and terminates the buffer.
  const int copied = GetWindowTextW(hwnd_, buffer, capacity);
  buffer[capacity - 1] = L'\0';
  return copied;
}

WNDPROC CBrassel::ToSubClass(WNDPROC procedure) {
  if (!procedure || !hwnd_) return nullptr;
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

LONG_PTR CBrassel::ToAddExStyle(DWORD bits) {
  if (!hwnd_) return -1;
  const LONG_PTR previous = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, previous & ~static_cast<LONG_PTR>(bits));
  // Edge bits live in the non-client area, which is recomputed only on a frame change.
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return previous;
}

int CBrassel::GetMyMousePos(POINT* point) {
  if (!hwnd_ || !point) return 0;
  return GetCursorPos(point);
}

// ---------------------------------------------------------------------------------------------
// CMyApplication

UINT_PTR CMyApplication::SetMyTimer(UINT_PTR id, UINT milliseconds) {
  HWND window = GetHWnd();
  if (!window) return 0;
  return SetTimer(window, id, milliseconds, nullptr);
}

int CMyApplication::EndMyTimer(UINT_PTR id) {
  HWND window = GetHWnd();
  if (!window) return 0;
  return KillTimer(window, id);
}

ATOM CMyApplication::RegisterMyClass() { return 0; }

UINT CMyApplication::AddTaskTray(HICON icon, const wchar_t* tip) {
  HWND window = GetHWnd();
  if (!window || !icon || !tip) return 0;
  const UINT id = g_nextTrayId.fetch_add(1);
  NOTIFYICONDATAW data = TrayRecord(window, id);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = TaskTrayMessage;
  data.hIcon = icon;
  CopyTip(data, tip);
  return Shell_NotifyIconW(NIM_ADD, &data) ? id : 0;
}

int CMyApplication::DeleteTaskTray(UINT id) {
  HWND window = GetHWnd();
  if (!window || id == 0) return 0;
  NOTIFYICONDATAW data = TrayRecord(window, id);
  return Shell_NotifyIconW(NIM_DELETE, &data) ? 1 : 0;
}

int CMyApplication::ChangeTaskTrayMessage(UINT id, const wchar_t* tip) {
  HWND window = GetHWnd();
  if (!window || id == 0 || !tip) return 0;
  NOTIFYICONDATAW data = TrayRecord(window, id);
  data.uFlags = NIF_TIP;
  CopyTip(data, tip);
  return Shell_NotifyIconW(NIM_MODIFY, &data) ? 1 : 0;
}

HWND CMyApplication::GetHWnd() { return nullptr; }

// ---------------------------------------------------------------------------------------------
// CMyAppView

CMyAppView::CMyAppView() = default;

CMyAppView::CMyAppView(WNDPROC procedure, HINSTANCE instance, HICON icon,
                       const wchar_t* menuName, const wchar_t* className) {
  wndClass_.cbSize = sizeof(WNDCLASSEXW);
  wndClass_.style = CS_HREDRAW | CS_VREDRAW;
  wndClass_.lpfnWndProc = procedure;
  wndClass_.cbClsExtra = 0;
  wndClass_.cbWndExtra = 0;
  wndClass_.hInstance = instance;
  wndClass_.hIcon = icon;
  wndClass_.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wndClass_.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  wndClass_.lpszMenuName = menuName;
  wndClass_.lpszClassName = className;
  wndClass_.hIconSm = icon;
}

CMyAppView::~CMyAppView() {
  CloseMyWindow();
  UnregisterMyClass();
}

void CMyAppView::UnregisterMyClass() {
  HBRUSH brush = wndClass_.hbrBackground;
  wndClass_.hbrBackground = nullptr;
  if (wndClass_.lpszClassName) {
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof(registered);
    // Only the class this object registered is ours to remove: another object may have
    // registered the same name first, and then its class and brush must stay.
    if (GetClassInfoExW(wndClass_.hInstance, wndClass_.lpszClassName, &registered) &&
        registered.lpfnWndProc == wndClass_.lpfnWndProc && brush &&
        registered.hbrBackground == brush) {
      // The system deletes a class's background brush when the class is unregistered; while
      // windows of the class remain, unregistering fails and the class keeps the brush.
      UnregisterClassW(wndClass_.lpszClassName, wndClass_.hInstance);
      return;
    }
  }
  if (brush) DeleteObject(brush);
}

ATOM CMyAppView::RegisterMyClass() {
  if (!wndClass_.lpszClassName) return 0;
  return RegisterClassExW(&wndClass_);
}

HWND CMyAppView::CreateAndUpdate(const wchar_t* title, DWORD style, DWORD exStyle,
                                 const RECT& place, HWND parent, HMENU id, void* param) {
  HWND window = CreateFromRecord(title, style, exStyle, place, parent, id, param);
  if (window) UpdateWindow(window);
  return window;
}

HWND CMyAppView::CreateMyWindow(const wchar_t* title, DWORD style, const RECT& place,
                                HWND parent, HMENU id, void* param) {
  return CreateAndUpdate(title, style | WS_CLIPCHILDREN, 0, place, parent, id, param);
}

HWND CMyAppView::CreateMyWindowEx(const wchar_t* title, DWORD style, DWORD exStyle,
                                  const RECT& place, HWND parent, HMENU id, void* param) {
  return CreateAndUpdate(title, style | WS_CLIPCHILDREN, exStyle, place, parent, id, param);
}

int CMyAppView::SetMyMenu(HMENU menu) {
  if (!hwnd_) return 0;
  if (!SetMenu(hwnd_, menu)) return 0;
  return DrawMenuBar(hwnd_) ? 1 : 0;
}

int CMyAppView::SetWindowAlwaysOnTop() {
  if (!hwnd_) return -1;
  return SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

int CMyAppView::SetWindowToBack() {
  if (!hwnd_) return -1;
  return SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// ---------------------------------------------------------------------------------------------
// CMyDialog

CMyDialog::CMyDialog() : instance_(nullptr) {}

CMyDialog::CMyDialog(WNDPROC procedure, HINSTANCE instance, const wchar_t* className)
    : CMyAppView(procedure, instance, nullptr, nullptr, className), instance_(instance) {
  // The dialog manager keeps its own data in these bytes of a dialog-class window.
  wndClass_.cbWndExtra = DLGWINDOWEXTRA;
}

HWND CMyDialog::CreateMyWindow(const wchar_t* title, DWORD style, const RECT& place,
                               HWND parent, HMENU id, void* param) {
  return CreateAndUpdate(title, style, 0, place, parent, id, param);
}

HWND CMyDialog::CreateMyWindowEx(const wchar_t* title, DWORD style, DWORD exStyle,
                                 const RECT& place, HWND parent, HMENU id, void* param) {
  return CreateAndUpdate(title, style, exStyle, place, parent, id, param);
}

// ---------------------------------------------------------------------------------------------
// CMyGraphic

CMyGraphic::CMyGraphic(HWND window) : dc_(window ? GetDC(window) : nullptr), hwnd_(window) {}

CMyGraphic::~CMyGraphic() {
  if (dc_) ReleaseDC(hwnd_, dc_);
}
