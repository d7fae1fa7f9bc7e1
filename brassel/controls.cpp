// The control wrappers: creation with each kind's fixed styles, and the message helpers that
// turn the controls' error values into the library's.
#include "controls.h"

#include <commctrl.h>

#include "win_handles.h"

namespace {

constexpr DWORD kChildBits = WS_CHILD | WS_GROUP | WS_TABSTOP;
constexpr DWORD kEditBits = WS_CHILD | WS_BORDER | WS_GROUP | WS_TABSTOP;
constexpr DWORD kEditExBits = WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE;

// The date picker's display: full year, 年, two-digit month, 月, two-digit day, 日, day name.
constexpr wchar_t kDatePickerFormat[] = L"yyy'年'MM'月'dd'日'dddd";

// The bitmap path shared by every bitmap button: the one constructed last decides it.
wchar_t g_bitmapButtonPath[CMyBitmapButton::PathCapacity] = L"";

HMENU ChildId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(window, message, wParam, lParam);
}

LPARAM TextParam(const wchar_t* text) { return reinterpret_cast<LPARAM>(text); }

// Registers the given common-control classes (cheap when already registered).
void InitCommonControlClasses(DWORD classes) {
  INITCOMMONCONTROLSEX init{sizeof(init), classes};
  InitCommonControlsEx(&init);
}

// Adding to a combo or list box: 1 added, -2 out of space, -1 any other failure.
int AddResult(LRESULT result, LRESULT errorSpace) {
  if (result == errorSpace) return -2;
  return result >= 0 ? 1 : -1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CMyStatic

CMyStatic::CMyStatic() { wndClass_.lpszClassName = L"STATIC"; }

HWND CMyStatic::CreateMyWindow(const wchar_t* text, HWND parent, DWORD style, const RECT& place,
                               int id) {
  return CreateFromRecord(text, style | kChildBits, 0, place, parent, ChildId(id), nullptr);
}

// ---------------------------------------------------------------------------------------------
// CMyButton and CMyBitmapButton

CMyButton::CMyButton() { wndClass_.lpszClassName = L"BUTTON"; }

HWND CMyButton::CreateMyWindow(const wchar_t* text, HWND parent, DWORD style, const RECT& place,
                               int id) {
  return CreateFromRecord(text, style | kChildBits, WS_EX_CONTROLPARENT, place, parent,
                          ChildId(id), nullptr);
}

int CMyButton::GetCheck() {
  if (!hwnd_) return -1;
  return static_cast<int>(Send(hwnd_, BM_GETCHECK));
}

int CMyButton::SetCheck(int state) {
  if (!hwnd_ || (state != 0 && state != 1)) return -1;
  Send(hwnd_, BM_SETCHECK, state);
  return 1;
}

CMyBitmapButton::CMyBitmapButton(const wchar_t* bitmapPath) {
  lstrcpynW(g_bitmapButtonPath, bitmapPath ? bitmapPath : L"", PathCapacity);
}

HWND CMyBitmapButton::CreateMyWindowEx(const wchar_t* text, HWND parent, DWORD style,
                                       const RECT& place, int id) {
  return CreateFromRecord(text, style | kChildBits | BS_OWNERDRAW, WS_EX_CONTROLPARENT, place,
                          parent, ChildId(id), nullptr);
}

int CMyBitmapButton::DrawBitmap(HDC dc, HINSTANCE, const RECT& rect) {
  if (!dc) return 0;
  win32::GdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
      LoadImageW(nullptr, g_bitmapButtonPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!bitmap) return 0;
  win32::CreatedDc memory(CreateCompatibleDC(dc));
  if (!memory) return 0;
  win32::ScopedSelection select(memory.get(), bitmap.get());
  return BitBlt(dc, 0, 0, rect.right, rect.bottom, memory.get(), 0, 0, SRCCOPY) ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// CMyEdit

CMyEdit::CMyEdit() { wndClass_.lpszClassName = L"EDIT"; }

HWND CMyEdit::CreateMyWindow(HWND parent, DWORD style, const RECT& place, int id) {
  return CreateFromRecord(L"", style | kEditBits, kEditExBits, place, parent, ChildId(id),
                          nullptr);
}

// ---------------------------------------------------------------------------------------------
// CMyComboBox

CMyComboBox::CMyComboBox() { wndClass_.lpszClassName = L"COMBOBOX"; }

HWND CMyComboBox::CreateMyWindow(HWND parent, DWORD style, const RECT& place, int id) {
  return CreateFromRecord(L"", style | kEditBits | CBS_AUTOHSCROLL, kEditExBits, place, parent,
                          ChildId(id), nullptr);
}

int CMyComboBox::AddMyString(const wchar_t* text) {
  if (!hwnd_ || !text) return -1;
  return AddResult(Send(hwnd_, CB_ADDSTRING, 0, TextParam(text)), CB_ERRSPACE);
}

int CMyComboBox::DeleteMyString(int index) {
  if (!hwnd_) return -1;
  return Send(hwnd_, CB_DELETESTRING, index) == CB_ERR ? -1 : 1;
}

int CMyComboBox::FindMyString(const wchar_t* text) {
  if (!hwnd_ || !text) return -1;
  const LRESULT found = Send(hwnd_, CB_FINDSTRING, static_cast<WPARAM>(-1), TextParam(text));
  return found == CB_ERR ? -1 : static_cast<int>(found);
}

int CMyComboBox::GetMyCount() {
  if (!hwnd_) return -1;
  const LRESULT count = Send(hwnd_, CB_GETCOUNT);
  return count == CB_ERR ? -1 : static_cast<int>(count);
}

int CMyComboBox::GetMyCursel() {
  if (!hwnd_) return -1;
  const LRESULT selected = Send(hwnd_, CB_GETCURSEL);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}

int CMyComboBox::SetDropWindowRect(int width) {
  if (!hwnd_) return -1;
  const LRESULT result = Send(hwnd_, CB_SETDROPPEDWIDTH, width);
  return result == CB_ERR ? -1 : static_cast<int>(result);
}

// ---------------------------------------------------------------------------------------------
// CMyListBox

CMyListBox::CMyListBox() { wndClass_.lpszClassName = L"LISTBOX"; }

HWND CMyListBox::CreateMyWindow(HWND parent, DWORD style, const RECT& place, int id) {
  return CreateFromRecord(L"", style | kEditBits | LBS_NOTIFY | LBS_WANTKEYBOARDINPUT,
                          kEditExBits, place, parent, ChildId(id), nullptr);
}

int CMyListBox::AddMyString(const wchar_t* text) {
  if (!hwnd_ || !text) return -1;
  return AddResult(Send(hwnd_, LB_ADDSTRING, 0, TextParam(text)), LB_ERRSPACE);
}

int CMyListBox::DeleteMyString(int index) {
  if (!hwnd_) return -1;
  return Send(hwnd_, LB_DELETESTRING, index) == LB_ERR ? -1 : 1;
}

int CMyListBox::FindMyString(const wchar_t* text) {
  if (!hwnd_ || !text) return -1;
  const LRESULT found = Send(hwnd_, LB_FINDSTRING, static_cast<WPARAM>(-1), TextParam(text));
  return found == LB_ERR ? -1 : static_cast<int>(found);
}

int CMyListBox::GetMyCount() {
  if (!hwnd_) return -1;
  const LRESULT count = Send(hwnd_, LB_GETCOUNT);
  return count == LB_ERR ? -1 : static_cast<int>(count);
}

int CMyListBox::GetMyCursel() {
  if (!hwnd_) return -1;
  const LRESULT selected = Send(hwnd_, LB_GETCURSEL);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

int CMyListBox::IsSelected(int index) {
  if (!hwnd_) return -1;
  const LRESULT state = Send(hwnd_, LB_GETSEL, index);
  return state == LB_ERR ? -1 : static_cast<int>(state);
}

// ---------------------------------------------------------------------------------------------
// CMyListView

CMyListView::CMyListView() : columns_(0) { wndClass_.lpszClassName = WC_LISTVIEWW; }

HWND CMyListView::CreateMyWindow(HWND parent, HINSTANCE instance, DWORD style,
                                 DWORD listViewExStyle, const RECT& place, int id) {
  InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
  wndClass_.hInstance = instance;
  HWND window = CreateFromRecord(L"", style | kEditBits | WS_VISIBLE | LVS_REPORT |
                                          LVS_EDITLABELS,
                                 kEditExBits, place, parent, ChildId(id), nullptr);
  if (window) Send(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, listViewExStyle);
  return window;
}

int CMyListView::AddMyHeader(const wchar_t* text, int width) {
  if (!hwnd_ || !text) return -1;
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(text);
  column.iSubItem = columns_;
  const LRESULT index = Send(hwnd_, LVM_INSERTCOLUMNW, columns_,
                             reinterpret_cast<LPARAM>(&column));
  if (index < 0) return -1;
  ++columns_;
  return static_cast<int>(index);
}

int CMyListView::AddMyItem(const wchar_t* text, int item, int subItem) {
  if (!hwnd_ || !text) return -1;
  LVITEMW entry{};
  entry.mask = LVIF_TEXT;
  entry.iItem = item;
  entry.iSubItem = subItem;
  entry.pszText = const_cast<wchar_t*>(text);
  const LRESULT index = Send(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
  return index < 0 ? -1 : static_cast<int>(index);
}

int CMyListView::AddMySubItem(const wchar_t* text, int item, int subItem) {
  if (!hwnd_ || !text) return -1;
  LVITEMW entry{};
  entry.iSubItem = subItem;
  entry.pszText = const_cast<wchar_t*>(text);
  return Send(hwnd_, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&entry)) ? 1 : -1;
}

int CMyListView::DeleteMyItem(int index) {
  if (!hwnd_) return -1;
  return static_cast<int>(Send(hwnd_, LVM_DELETEITEM, index));
}

int CMyListView::GetMyItemPos() {
  if (!hwnd_) return -1;
  return static_cast<int>(
      Send(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

// ---------------------------------------------------------------------------------------------
// CMyDatePicker

CMyDatePicker::CMyDatePicker() { wndClass_.lpszClassName = DATETIMEPICK_CLASSW; }

HWND CMyDatePicker::CreateMyWindow(const wchar_t* text, HWND parent, DWORD style,
                                   const RECT& place, int id) {
  InitCommonControlClasses(ICC_DATE_CLASSES);
  HWND window = CreateFromRecord(text, style | kChildBits | DTS_LONGDATEFORMAT,
                                 WS_EX_CONTROLPARENT, place, parent, ChildId(id), nullptr);
  if (window) Send(window, DTM_SETFORMATW, 0, TextParam(kDatePickerFormat));
  return window;
}

// ---------------------------------------------------------------------------------------------
// CMySpin

CMySpin::CMySpin() {
  // Not a system class name: the spin is made by the up-down creation function, never by the
  // base creation operations.
  wndClass_.lpszClassName = L"UPDOWN_CLASS";
}

HWND CMySpin::CreateMyWindow(HWND parent, DWORD style, const RECT& place, int id, HWND buddy,
                             int lower, int upper, int position) {
  InitCommonControlClasses(ICC_UPDOWN_CLASS);
  const DWORD bits = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | UDS_WRAP |
                     UDS_SETBUDDYINT | UDS_ARROWKEYS;
  hwnd_ = CreateUpDownControl(style | bits, place.left, place.top, place.right, place.bottom,
                              parent, id, wndClass_.hInstance, buddy, upper, lower, position);
  if (!hwnd_) return nullptr;
  parent_ = parent;
  GetClientRect(hwnd_, &client_);
  return hwnd_;
}

int CMySpin::SetMyRange(int minimum, int maximum) {
  if (!hwnd_) return -1;
  Send(hwnd_, UDM_SETRANGE, 0, MAKELPARAM(static_cast<short>(maximum),
                                          static_cast<short>(minimum)));
  return 1;
}

int CMySpin::GetMyRange(int* minimum, int* maximum) {
  if (!hwnd_ || !minimum || !maximum) return -1;
  const DWORD packed = static_cast<DWORD>(Send(hwnd_, UDM_GETRANGE));
  if (packed == 0) return 0;
  *minimum = static_cast<short>(HIWORD(packed));
  *maximum = static_cast<short>(LOWORD(packed));
  return 1;
}

int CMySpin::SetMyPos(int position) {
  if (!hwnd_) return -1;
  const LRESULT result = Send(hwnd_, UDM_SETPOS, 0, MAKELPARAM(static_cast<short>(position), 0));
  return result == -1 ? -1 : 1;
}

int CMySpin::GetMyPos(int* position) {
  if (!hwnd_ || !position) return 0;
  const DWORD result = static_cast<DWORD>(Send(hwnd_, UDM_GETPOS));
  if (HIWORD(result) != 0) return 0;
  *position = static_cast<short>(LOWORD(result));
  return 1;
}

HWND CMySpin::SetMyBuggyHandle(HWND buddy) {
  if (!hwnd_) return nullptr;
  return reinterpret_cast<HWND>(Send(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)));
}

HWND CMySpin::GetMyBuggyHandle() {
  if (!hwnd_) return nullptr;
  return reinterpret_cast<HWND>(Send(hwnd_, UDM_GETBUDDY));
}
