// Brassel's window objects: the common base, top-level application windows, dialog-class
// windows, a device-context holder and the two ready-made message procedures.
//
// One object stands for one window. The library never routes messages to objects: every window
// keeps the procedure it was given. Places (RECT) are read as x, y, width and height.
//
// Destructors are not virtual (the virtual slots hold the creation operations only, in a fixed
// order), so delete an object through the class it was created as. Classes nothing derives
// from are final, which also lets the compiler see such deletes are safe.
#pragma once

#include <windows.h>

#include <cstddef>

#include "brassel_api.h"

// The common base: the window's class record, handle, parent, own font and creation-time client
// rectangle, and the operations every window shares.
class BRASSEL_API CBrassel {
public:
  CBrassel();
  // Deletes the object's own font; the window itself is left alone.
  ~CBrassel();
  CBrassel(const CBrassel&) = delete;
  CBrassel& operator=(const CBrassel&) = delete;

  // Virtual slot 0. Creates the window of the record's class; null on any failure.
  // `id` is the child id for a child window, or the menu for a top-level window.
  virtual HWND CreateMyWindow(const wchar_t* title, DWORD style, const RECT& place, HWND parent,
                              HMENU id, void* param);
  // Virtual slot 1. As CreateMyWindow with an extended style.
  virtual HWND CreateMyWindowEx(const wchar_t* title, DWORD style, DWORD exStyle,
                                const RECT& place, HWND parent, HMENU id, void* param);

  HWND GetMyHWnd() const { return hwnd_; }
  HWND GetMyHParentWnd() const { return parent_; }
  // The object's own copy of the default GUI font (null before creation).
  HFONT GetMyFont() const { return font_; }
  // The client rectangle read right after creation.
  RECT GetMyCreatedClientRect() const { return client_; }

  // Destroys the window; clears the handle on success. 0 when there is no window.
  int CloseMyWindow();
  // Moves (place as x, y, width, height) and repaints. 0 when there is no window.
  int MoveMyWindow(const RECT& place);
  // Accepts dropped files (flag true) or stops. 1, or 0 when there is no window.
  int EnableDrag(bool flag);
  HDC GetMyDC();
  // 0 without a window or a context, else the system's result.
  int ReleaseMyDC(HDC dc);
  int GetMyClientRect(RECT* rect);
  int GetMyWindowRect(RECT* rect);
  // The system's result; -1 when there is no window.
  int ShowMyWindow(int showCommand);
  // Sets the window text. -1 when there is no window or no text.
  int SetMyText(const wchar_t* text);
  // Text length in characters; -1 when there is no window.
  int GetMyTextLength();
  // Copies the window text into `buffer`, which holds `capacity` characters including the
  // terminator. Never writes past the buffer and always terminates it; a longer text is cut.
  // Returns the characters copied without the terminator; -1 when there is no window, no buffer
  // or no room (capacity < 1).
  int GetMyText(wchar_t* buffer, int capacity);
  // The same for a character array, whose size the compiler knows.
  template <std::size_t N>
  int GetMyText(wchar_t (&buffer)[N]) {
    return GetMyText(buffer, static_cast<int>(N));
  }
  // Installs `procedure` and returns the previous one, to which the new procedure must pass
  // what it does not handle. Null (and nothing changed) for a null procedure or no window.
  WNDPROC ToSubClass(WNDPROC procedure);
  // Sets the extended style to the current one with `bits` cleared and returns the previous
  // extended style; -1 when there is no window.
  LONG_PTR ToAddExStyle(DWORD bits);
  // The cursor position in screen coordinates. 0 when there is no window or no point.
  int GetMyMousePos(POINT* point);

protected:
  // Creates the window for a wrapper (class record set up by the wrapper) and gives it its
  // font. Shared by every creation operation.
  HWND CreateFromRecord(const wchar_t* title, DWORD style, DWORD exStyle, const RECT& place,
                        HWND parent, HMENU id, void* param);
  // Gives the window its own copy of the stock default GUI font.
  void AttachOwnFont();

  WNDCLASSEXW wndClass_;
  HWND hwnd_;
  HWND parent_;
  HFONT font_;
  RECT client_;
};

// Timers and a task-tray icon for whichever window GetHWnd names.
class BRASSEL_API CMyApplication {
public:
  CMyApplication() = default;
  CMyApplication(const CMyApplication&) = delete;
  CMyApplication& operator=(const CMyApplication&) = delete;

  // Slot 0. A window timer with no callback; the system's result, 0 without a window.
  virtual UINT_PTR SetMyTimer(UINT_PTR id, UINT milliseconds);
  // Slot 1. Stops the timer; 0 without a window.
  virtual int EndMyTimer(UINT_PTR id);
  // Slot 2. Registers a window class; this base registers nothing and returns 0.
  virtual ATOM RegisterMyClass();
  // Slot 3. Adds a tray icon sending `TaskTrayMessage`; returns its identifier (from 1 up),
  // 0 on failure, without a window or without an icon. The tip is cut at 127 characters.
  virtual UINT AddTaskTray(HICON icon, const wchar_t* tip);
  // Slot 4. Removes the icon with that identifier; 1 done, 0 otherwise.
  virtual int DeleteTaskTray(UINT id);
  // Slot 5. Replaces that icon's tip; 1 done, 0 otherwise.
  virtual int ChangeTaskTrayMessage(UINT id, const wchar_t* tip);
  // Slot 6. The window the timers and icons belong to; this base has none.
  virtual HWND GetHWnd();

  // The callback message of tray icons.
  static constexpr UINT TaskTrayMessage = WM_USER + 600;
};

// A top-level application window that registers its own class.
class BRASSEL_API CMyAppView : public CBrassel, public CMyApplication {
public:
  // Leaves the class record empty.
  CMyAppView();
  // Fills the class record: CS_HREDRAW | CS_VREDRAW, the procedure, the instance, the icon as
  // icon and small icon, the arrow cursor, a new COLOR_WINDOW brush, the menu and class names.
  // The names are kept by pointer: pass literals or names that outlive the object.
  CMyAppView(WNDPROC procedure, HINSTANCE instance, HICON icon, const wchar_t* menuName,
             const wchar_t* className);
  // Destroys the window and unregisters the class.
  ~CMyAppView();

  // Adds WS_CLIPCHILDREN to the style.
  HWND CreateMyWindow(const wchar_t* title, DWORD style, const RECT& place, HWND parent,
                      HMENU id, void* param) override;
  HWND CreateMyWindowEx(const wchar_t* title, DWORD style, DWORD exStyle, const RECT& place,
                        HWND parent, HMENU id, void* param) override;

  // Registers the class record; the class atom, 0 on failure.
  ATOM RegisterMyClass() override;
  HWND GetHWnd() override { return hwnd_; }

  HINSTANCE GetMyHInstance() const { return wndClass_.hInstance; }
  // Sets the menu and redraws the menu bar; 1 when both succeed, else 0.
  int SetMyMenu(HMENU menu);
  // Topmost / bottom of the z-order without moving or sizing; -1 without a window.
  int SetWindowAlwaysOnTop();
  int SetWindowToBack();

protected:
  // Creation shared by CMyAppView and CMyDialog: the base creation, then one more update.
  HWND CreateAndUpdate(const wchar_t* title, DWORD style, DWORD exStyle, const RECT& place,
                       HWND parent, HMENU id, void* param);
  // Deletes the background brush unless the registered class owns it, then unregisters.
  void UnregisterMyClass();
};

// A dialog-class window (class with the dialog manager's window extra bytes).
class BRASSEL_API CMyDialog : public CMyAppView {
public:
  // Leaves the class record empty.
  CMyDialog();
  // As CMyAppView's record, with no icon, no menu name and DLGWINDOWEXTRA extra bytes.
  CMyDialog(WNDPROC procedure, HINSTANCE instance, const wchar_t* className);

  // No styles added.
  HWND CreateMyWindow(const wchar_t* title, DWORD style, const RECT& place, HWND parent,
                      HMENU id, void* param) override;
  HWND CreateMyWindowEx(const wchar_t* title, DWORD style, DWORD exStyle, const RECT& place,
                        HWND parent, HMENU id, void* param) override;

  HINSTANCE GetMyDialogInstance() const { return instance_; }

protected:
  HINSTANCE instance_;
};

// A window and its device context, fetched at construction and released at destruction.
class BRASSEL_API CMyGraphic {
public:
  explicit CMyGraphic(HWND window);
  ~CMyGraphic();
  CMyGraphic(const CMyGraphic&) = delete;
  CMyGraphic& operator=(const CMyGraphic&) = delete;

  HDC GetMyDC() const { return dc_; }
  HWND GetMyHWnd() const { return hwnd_; }

private:
  HDC dc_;
  HWND hwnd_;
};

// The two ready-made default procedures.
class BRASSEL_API CMyMessage {
public:
  // Default handling for program windows: remembers the document rectangle on WM_CREATE, sets
  // the scroll ranges on WM_SIZE, moves the scroll position on WM_HSCROLL / WM_VSCROLL,
  // validates on WM_PAINT and posts the quit message on WM_DESTROY.
  static LRESULT CALLBACK MyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Ends the dialog with 1 on IDOK and 2 on IDCANCEL; always returns 0.
  static INT_PTR CALLBACK MyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  // The client rectangle of the last window that received WM_CREATE through MyProc.
  static RECT GetMyDocumentRect();
};
