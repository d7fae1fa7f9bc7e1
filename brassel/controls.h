// Brassel's control wrappers: one class per system control. Each adds a creation operation
// (virtual slot 2, after CBrassel's two) that ORs in the styles every control of its kind gets.
// Operations give -1 (or null, or do nothing) when the object has no window or a required
// pointer is null. Places (RECT) are read as x, y, width and height.
#pragma once

#include <windows.h>

#include "brassel_api.h"
#include "component.h"

// Static text or a plain child window. Adds WS_CHILD | WS_GROUP | WS_TABSTOP.
class BRASSEL_API CMyStatic final : public CBrassel {
public:
  CMyStatic();
  virtual HWND CreateMyWindow(const wchar_t* text, HWND parent, DWORD style, const RECT& place,
                              int id);
};

// Push button, check box or radio button. Adds WS_CHILD | WS_GROUP | WS_TABSTOP,
// extended style WS_EX_CONTROLPARENT.
class BRASSEL_API CMyButton : public CBrassel {
public:
  CMyButton();
  virtual HWND CreateMyWindow(const wchar_t* text, HWND parent, DWORD style, const RECT& place,
                              int id);
  // The check state (BST_*), -1 without a window.
  int GetCheck();
  // Accepts 0 or 1 only (else -1, nothing changed); sets the check state and returns 1.
  int SetCheck(int state);
};

// An owner-drawn button showing a bitmap file. All bitmap buttons share one path: the button
// constructed last decides it for all of them.
class BRASSEL_API CMyBitmapButton : public CMyButton {
public:
  // Stores the path (cut at 519 characters) in the shared path.
  explicit CMyBitmapButton(const wchar_t* bitmapPath);
  // Slot 3. As CMyButton's creation plus BS_OWNERDRAW.
  virtual HWND CreateMyWindowEx(const wchar_t* text, HWND parent, DWORD style,
                                const RECT& place, int id);

  static constexpr int PathCapacity = 520;

protected:
  // Draws the shared path's bitmap at (0, 0) of `dc`, rect.right wide and rect.bottom high.
  // The instance is not used. 1 drawn, 0 when the bitmap cannot be loaded or drawn.
  int DrawBitmap(HDC dc, HINSTANCE instance, const RECT& rect);
};

// Single-line or multi-line edit. Adds WS_CHILD | WS_BORDER | WS_GROUP | WS_TABSTOP,
// extended style WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE.
class BRASSEL_API CMyEdit final : public CBrassel {
public:
  CMyEdit();
  virtual HWND CreateMyWindow(HWND parent, DWORD style, const RECT& place, int id);
};

// Combo box: the edit's bits plus CBS_AUTOHSCROLL.
class BRASSEL_API CMyComboBox final : public CBrassel {
public:
  CMyComboBox();
  virtual HWND CreateMyWindow(HWND parent, DWORD style, const RECT& place, int id);
  // 1 added, -2 out of space, -1 any other failure.
  int AddMyString(const wchar_t* text);
  // 1 deleted, -1 on failure.
  int DeleteMyString(int index);
  // The first item beginning with `text`, searching from the first item; -1 if none.
  int FindMyString(const wchar_t* text);
  int GetMyCount();
  // The selected index, -1 when nothing is selected.
  int GetMyCursel();
  // Minimum width of the drop-down list in pixels; the system's result or -1.
  int SetDropWindowRect(int width);
};

// List box: the edit's bits plus LBS_NOTIFY | LBS_WANTKEYBOARDINPUT.
class BRASSEL_API CMyListBox final : public CBrassel {
public:
  CMyListBox();
  virtual HWND CreateMyWindow(HWND parent, DWORD style, const RECT& place, int id);
  int AddMyString(const wchar_t* text);
  int DeleteMyString(int index);
  int FindMyString(const wchar_t* text);
  int GetMyCount();
  int GetMyCursel();
  // The item's selection state (positive when selected, 0 when not), -1 on failure.
  int IsSelected(int index);
};

// Report-style list view: the edit's bits plus WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS.
class BRASSEL_API CMyListView final : public CBrassel {
public:
  CMyListView();
  // Sets the extended list-view style to `listViewExStyle` after creation.
  virtual HWND CreateMyWindow(HWND parent, HINSTANCE instance, DWORD style,
                              DWORD listViewExStyle, const RECT& place, int id);
  // Appends a left-aligned column; its index, -1 on failure.
  int AddMyHeader(const wchar_t* text, int width);
  // Inserts an item with only a text; its index, -1 on failure.
  int AddMyItem(const wchar_t* text, int item, int subItem);
  // Sets an item's sub-item text; 1 done, -1 on failure.
  int AddMySubItem(const wchar_t* text, int item, int subItem);
  // The system's result (1 deleted, 0 not), -1 without a window.
  int DeleteMyItem(int index);
  // The first selected item, -1 if none.
  int GetMyItemPos();
  int GetMyColumnCount() const { return columns_; }

protected:
  int columns_;
};

// Date picker with the display format "yyy'年'MM'月'dd'日'dddd".
// Adds WS_CHILD | WS_GROUP | WS_TABSTOP | DTS_LONGDATEFORMAT, extended WS_EX_CONTROLPARENT.
class BRASSEL_API CMyDatePicker final : public CBrassel {
public:
  CMyDatePicker();
  virtual HWND CreateMyWindow(const wchar_t* text, HWND parent, DWORD style, const RECT& place,
                              int id);
};

// Up-down control made by the system's up-down creation function.
// Adds WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | UDS_WRAP | UDS_SETBUDDYINT |
// UDS_ARROWKEYS. It gets no font of its own.
class BRASSEL_API CMySpin final : public CBrassel {
public:
  CMySpin();
  virtual HWND CreateMyWindow(HWND parent, DWORD style, const RECT& place, int id, HWND buddy,
                              int lower, int upper, int position);
  // Sets the range (16-bit values); 1, -1 without a window.
  int SetMyRange(int minimum, int maximum);
  // Reads the range; a packed range of 0 (0 .. 0) leaves the outputs untouched.
  // 1 read, 0 for the 0 .. 0 range, -1 without a window or an output.
  int GetMyRange(int* minimum, int* maximum);
  // 1, or -1 when the control answers -1 or there is no window.
  int SetMyPos(int position);
  // 1 and the position when the control reports no error, else 0.
  int GetMyPos(int* position);
  // Sets the buddy window; the previous buddy (null without a window).
  HWND SetMyBuggyHandle(HWND buddy);
  HWND GetMyBuggyHandle();
};

// Scroll-bar controls. Every operation addresses the control itself (its SB_CTL bar).
// Set operations return the bar's new position, Get operations the member; -1 when the bar
// cannot be read or there is no window.

// Horizontal scroll-bar control. Adds WS_CHILD | WS_GROUP | WS_TABSTOP (SBS_HORZ).
class BRASSEL_API CMyHScrollBar final : public CBrassel {
public:
  CMyHScrollBar();
  virtual HWND CreateMyWindow(HWND parent, HINSTANCE instance, DWORD style, const RECT& place,
                              int id);
  int SetMyScrollRange(int minimum, int maximum);
  // 1 and the range; -1 on failure or a missing output.
  int GetMyScrollRange(int* minimum, int* maximum);
  int SetMyScrollPos(int position);
  int GetMyScrollPos();
  int SetMyScrollPage(int page);
  int GetMyScrollPage();
};

// Vertical scroll-bar control: the same plus SBS_VERT.
class BRASSEL_API CMyVScrollBar final : public CBrassel {
public:
  CMyVScrollBar();
  virtual HWND CreateMyWindow(HWND parent, HINSTANCE instance, DWORD style, const RECT& place,
                              int id);
  int SetMyScrollRange(int minimum, int maximum);
  int GetMyScrollRange(int* minimum, int* maximum);
  int SetMyScrollPos(int position);
  int GetMyScrollPos();
  int SetMyScrollPage(int page);
  int GetMyScrollPage();
};

// Scroll-bar control with SBS_TOPALIGN; range and position are read and written together.
class BRASSEL_API CMyCtlScrollBar final : public CBrassel {
public:
  CMyCtlScrollBar();
  virtual HWND CreateMyWindow(HWND parent, HINSTANCE instance, DWORD style, const RECT& place,
                              int id);
  int SetMyScrollRange(int minimum, int maximum);
  int GetMyScrollRange(int* minimum, int* maximum);
  int SetMyScrollPos(int position);
  int GetMyScrollPos();
};
