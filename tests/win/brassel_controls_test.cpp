// The control wrappers on real controls: fixed styles, check boxes, combo and list boxes,
// spin, list view, date picker, scroll bars and the shared bitmap-button path.
#include <gtest/gtest.h>

#include <string>

#include "brassel.h"
// After <windows.h>, which brassel.h brings in.
#include <commctrl.h>
#include "brassel_test_support.h"

using brassel_test::HostWindow;
using brassel_test::Place;

namespace {

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }
LONG_PTR ExStyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }

std::wstring TextOf(HWND window) {
  wchar_t buffer[256] = L"";
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

class Controls : public ::testing::Test {
protected:
  HostWindow host_;
  HWND parent() const { return host_.get(); }
};

}  // namespace

TEST_F(Controls, EditCarriesTheFixedStylesAndTheClientEdge) {
  CMyEdit edit;
  ASSERT_NE(edit.CreateMyWindow(parent(), WS_VISIBLE, Place(10, 260, 40, 20), 412), nullptr);
  const LONG_PTR style = StyleOf(edit.GetMyHWnd());
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_TRUE(style & WS_BORDER);
  EXPECT_TRUE(style & WS_GROUP);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_TRUE(ExStyleOf(edit.GetMyHWnd()) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(ExStyleOf(edit.GetMyHWnd()) & WS_EX_CONTROLPARENT);
  EXPECT_EQ(GetDlgCtrlID(edit.GetMyHWnd()), 412);
}

TEST_F(Controls, StaticAndButtonCarryTheirFixedStyles) {
  CMyStatic label;
  ASSERT_NE(label.CreateMyWindow(L"月経周期", parent(), WS_VISIBLE, Place(10, 40, 180, 20), 403),
            nullptr);
  EXPECT_TRUE(StyleOf(label.GetMyHWnd()) & WS_CHILD);
  EXPECT_TRUE(StyleOf(label.GetMyHWnd()) & WS_TABSTOP);
  EXPECT_FALSE(ExStyleOf(label.GetMyHWnd()) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(TextOf(label.GetMyHWnd()), L"月経周期");

  CMyButton button;
  ASSERT_NE(button.CreateMyWindow(L"登録(&A)", parent(), WS_VISIBLE, Place(10, 450, 50, 25), 416),
            nullptr);
  EXPECT_TRUE(StyleOf(button.GetMyHWnd()) & WS_GROUP);
  EXPECT_TRUE(ExStyleOf(button.GetMyHWnd()) & WS_EX_CONTROLPARENT);
  EXPECT_EQ(TextOf(button.GetMyHWnd()), L"登録(&A)");
}

TEST_F(Controls, CheckBoxAcceptsOnlyZeroOrOne) {
  CMyButton check;
  ASSERT_NE(check.CreateMyWindow(L"月経が開始しました。", parent(),
                                 WS_VISIBLE | BS_AUTOCHECKBOX, Place(10, 360, 180, 20), 415),
            nullptr);
  EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(check.SetCheck(2), -1);
  EXPECT_EQ(check.GetCheck(), BST_UNCHECKED) << "a refused state changes nothing";
  EXPECT_EQ(check.SetCheck(1), 1);
  EXPECT_EQ(check.GetCheck(), 1);
  EXPECT_EQ(check.SetCheck(-1), -1);
  EXPECT_EQ(check.GetCheck(), 1);
  EXPECT_EQ(check.SetCheck(0), 1);
  EXPECT_EQ(check.GetCheck(), 0);

  CMyButton none;
  EXPECT_EQ(none.GetCheck(), -1);
  EXPECT_EQ(none.SetCheck(1), -1);
}

TEST_F(Controls, ComboBoxFindCountAndSelection) {
  CMyComboBox combo;
  ASSERT_NE(combo.CreateMyWindow(parent(), WS_VISIBLE | CBS_DROPDOWNLIST, Place(10, 10, 150, 200),
                                 20),
            nullptr);
  EXPECT_TRUE(StyleOf(combo.GetMyHWnd()) & CBS_AUTOHSCROLL);
  EXPECT_EQ(combo.FindMyString(L"a"), -1);
  EXPECT_EQ(combo.GetMyCount(), 0);
  EXPECT_EQ(combo.GetMyCursel(), -1);
  EXPECT_EQ(combo.DeleteMyString(0), -1);

  EXPECT_EQ(combo.AddMyString(L"apple"), 1);
  EXPECT_EQ(combo.AddMyString(L"banana"), 1);
  EXPECT_EQ(combo.AddMyString(L"bandana"), 1);
  EXPECT_EQ(combo.GetMyCount(), 3);
  EXPECT_EQ(combo.FindMyString(L"ban"), 1) << "the first item beginning with the text";
  EXPECT_EQ(combo.FindMyString(L"band"), 2);
  EXPECT_EQ(combo.FindMyString(L"cherry"), -1);
  EXPECT_EQ(combo.FindMyString(nullptr), -1);
  EXPECT_EQ(combo.GetMyCursel(), -1);
  SendMessageW(combo.GetMyHWnd(), CB_SETCURSEL, 2, 0);
  EXPECT_EQ(combo.GetMyCursel(), 2);

  EXPECT_EQ(combo.DeleteMyString(0), 1);
  EXPECT_EQ(combo.GetMyCount(), 2);
  EXPECT_EQ(combo.DeleteMyString(7), -1);
  EXPECT_EQ(combo.AddMyString(nullptr), -1);
  EXPECT_EQ(combo.SetDropWindowRect(300), 300);
  EXPECT_EQ(SendMessageW(combo.GetMyHWnd(), CB_GETDROPPEDWIDTH, 0, 0), 300);
}

TEST_F(Controls, ListBoxFindCountSelectionAndSelectedState) {
  CMyListBox list;
  ASSERT_NE(list.CreateMyWindow(parent(), WS_VISIBLE, Place(10, 10, 150, 120), 21), nullptr);
  EXPECT_TRUE(StyleOf(list.GetMyHWnd()) & LBS_NOTIFY);
  EXPECT_TRUE(StyleOf(list.GetMyHWnd()) & LBS_WANTKEYBOARDINPUT);
  EXPECT_EQ(list.FindMyString(L"x"), -1);
  EXPECT_EQ(list.GetMyCount(), 0);
  EXPECT_EQ(list.GetMyCursel(), -1);
  EXPECT_EQ(list.IsSelected(0), -1);

  EXPECT_EQ(list.AddMyString(L"基礎体温"), 1);
  EXPECT_EQ(list.AddMyString(L"体重"), 1);
  EXPECT_EQ(list.GetMyCount(), 2);
  EXPECT_EQ(list.FindMyString(L"体"), 1);
  EXPECT_EQ(list.IsSelected(1), 0);
  SendMessageW(list.GetMyHWnd(), LB_SETCURSEL, 1, 0);
  EXPECT_EQ(list.GetMyCursel(), 1);
  EXPECT_GT(list.IsSelected(1), 0);
  EXPECT_EQ(list.IsSelected(0), 0);
  EXPECT_EQ(list.DeleteMyString(1), 1);
  EXPECT_EQ(list.GetMyCount(), 1);
}

TEST_F(Controls, SpinRangeAndPositionRoundTrip) {
  CMyEdit buddy;
  ASSERT_NE(buddy.CreateMyWindow(parent(), WS_VISIBLE, Place(10, 10, 40, 20), 30), nullptr);
  CMySpin spin;
  ASSERT_NE(spin.CreateMyWindow(parent(), 0, Place(50, 10, 16, 20), 31, buddy.GetMyHWnd(), 1, 31,
                                15),
            nullptr);
  const LONG_PTR style = StyleOf(spin.GetMyHWnd());
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_TRUE(style & UDS_SETBUDDYINT);
  EXPECT_TRUE(style & UDS_WRAP);
  EXPECT_EQ(spin.GetMyBuggyHandle(), buddy.GetMyHWnd());

  int minimum = -100, maximum = -100;
  EXPECT_EQ(spin.GetMyRange(&minimum, &maximum), 1);
  EXPECT_EQ(minimum, 1);
  EXPECT_EQ(maximum, 31);
  int position = -1;
  EXPECT_EQ(spin.GetMyPos(&position), 1);
  EXPECT_EQ(position, 15);

  EXPECT_EQ(spin.SetMyRange(2, 12), 1);
  EXPECT_EQ(spin.GetMyRange(&minimum, &maximum), 1);
  EXPECT_EQ(minimum, 2);
  EXPECT_EQ(maximum, 12);
  EXPECT_EQ(spin.SetMyPos(7), 1);
  EXPECT_EQ(spin.GetMyPos(&position), 1);
  EXPECT_EQ(position, 7);
  EXPECT_EQ(TextOf(buddy.GetMyHWnd()), L"7") << "the buddy shows the position";

  spin.SetMyRange(0, 0);
  minimum = maximum = 55;
  EXPECT_EQ(spin.GetMyRange(&minimum, &maximum), 0);
  EXPECT_EQ(minimum, 55) << "a 0 .. 0 range leaves the outputs untouched";
  EXPECT_EQ(maximum, 55);

  CMyEdit other;
  ASSERT_NE(other.CreateMyWindow(parent(), WS_VISIBLE, Place(10, 40, 40, 20), 32), nullptr);
  EXPECT_EQ(spin.SetMyBuggyHandle(other.GetMyHWnd()), buddy.GetMyHWnd());
  EXPECT_EQ(spin.GetMyBuggyHandle(), other.GetMyHWnd());

  CMySpin none;
  EXPECT_EQ(none.GetMyRange(&minimum, &maximum), -1);
  EXPECT_EQ(none.GetMyPos(&position), 0);
  EXPECT_EQ(none.SetMyPos(1), -1);
}

TEST_F(Controls, ListViewHeadersItemsAndSelection) {
  CMyListView view;
  ASSERT_NE(view.CreateMyWindow(parent(), brassel_test::ThisModule(), 0,
                                LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, Place(10, 10, 300, 200),
                                40),
            nullptr);
  HWND window = view.GetMyHWnd();
  EXPECT_TRUE(StyleOf(window) & WS_VISIBLE);
  EXPECT_EQ(StyleOf(window) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);

  EXPECT_EQ(view.AddMyHeader(L"日付", 100), 0);
  EXPECT_EQ(view.AddMyHeader(L"体温", 80), 1);
  EXPECT_EQ(view.GetMyColumnCount(), 2);
  wchar_t heading[32] = L"";
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = heading;
  column.cchTextMax = 32;
  ASSERT_TRUE(SendMessageW(window, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column)));
  EXPECT_STREQ(heading, L"体温");
  EXPECT_EQ(column.cx, 80);

  EXPECT_EQ(view.GetMyItemPos(), -1);
  EXPECT_EQ(view.AddMyItem(L"2007/5/15", 0, 0), 0);
  EXPECT_EQ(view.AddMyItem(L"2007/5/16", 1, 0), 1);
  EXPECT_EQ(view.AddMySubItem(L"36.45", 1, 1), 1);
  wchar_t cell[32] = L"";
  LVITEMW item{};
  item.iSubItem = 1;
  item.pszText = cell;
  item.cchTextMax = 32;
  SendMessageW(window, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(cell, L"36.45");
  EXPECT_EQ(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0), 2);

  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(window, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(view.GetMyItemPos(), 1);

  EXPECT_EQ(view.DeleteMyItem(0), 1);
  EXPECT_EQ(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(view.DeleteMyItem(5), 0);

  CMyListView none;
  EXPECT_EQ(none.AddMyHeader(L"x", 10), -1);
  EXPECT_EQ(none.GetMyColumnCount(), 0);
  EXPECT_EQ(none.GetMyItemPos(), -1);
}

TEST_F(Controls, DatePickerShowsYearMonthDayAndDayName) {
  CMyDatePicker picker;
  ASSERT_NE(picker.CreateMyWindow(L"", parent(), WS_VISIBLE, Place(10, 10, 160, 20), 402),
            nullptr);
  EXPECT_TRUE(StyleOf(picker.GetMyHWnd()) & DTS_LONGDATEFORMAT);
  SYSTEMTIME date{};
  date.wYear = 2007;
  date.wMonth = 5;
  date.wDay = 15;
  ASSERT_TRUE(SendMessageW(picker.GetMyHWnd(), DTM_SETSYSTEMTIME, GDT_VALID,
                           reinterpret_cast<LPARAM>(&date)));
  const std::wstring text = TextOf(picker.GetMyHWnd());
  EXPECT_EQ(text.rfind(L"2007年05月15日", 0), 0u) << "shown: " << testing::PrintToString(text);
  EXPECT_EQ(text, L"2007年05月15日火曜日");

  date.wMonth = 1;
  date.wDay = 3;
  SendMessageW(picker.GetMyHWnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
  EXPECT_EQ(TextOf(picker.GetMyHWnd()).rfind(L"2007年01月03日", 0), 0u)
      << "two-digit month and day";
}

TEST_F(Controls, ScrollBarControlsAddressTheirOwnBar) {
  CMyHScrollBar horizontal;
  ASSERT_NE(horizontal.CreateMyWindow(parent(), brassel_test::ThisModule(), WS_VISIBLE,
                                      Place(0, 0, 200, 16), 50),
            nullptr);
  EXPECT_EQ(StyleOf(horizontal.GetMyHWnd()) & SBS_VERT, 0);
  EXPECT_GE(horizontal.SetMyScrollRange(0, 100), 0);
  int minimum = -1, maximum = -1;
  EXPECT_EQ(horizontal.GetMyScrollRange(&minimum, &maximum), 1);
  EXPECT_EQ(minimum, 0);
  EXPECT_EQ(maximum, 100);
  EXPECT_GE(horizontal.SetMyScrollPage(10), 0);
  EXPECT_EQ(horizontal.GetMyScrollPage(), 10);
  EXPECT_EQ(horizontal.SetMyScrollPos(30), 30);
  EXPECT_EQ(horizontal.GetMyScrollPos(), 30);
  EXPECT_EQ(horizontal.SetMyScrollPos(500), 91) << "the system keeps the position in range";
  EXPECT_EQ(horizontal.GetMyScrollRange(nullptr, &maximum), -1);

  CMyVScrollBar vertical;
  ASSERT_NE(vertical.CreateMyWindow(parent(), brassel_test::ThisModule(), WS_VISIBLE,
                                    Place(0, 20, 16, 200), 51),
            nullptr);
  EXPECT_TRUE(StyleOf(vertical.GetMyHWnd()) & SBS_VERT);
  vertical.SetMyScrollRange(5, 50);
  vertical.SetMyScrollPage(5);
  EXPECT_EQ(vertical.SetMyScrollPos(20), 20);
  EXPECT_EQ(vertical.GetMyScrollPos(), 20);
  EXPECT_EQ(vertical.GetMyScrollPage(), 5);
  EXPECT_EQ(GetScrollPos(vertical.GetMyHWnd(), SB_CTL), 20);

  CMyCtlScrollBar control;
  ASSERT_NE(control.CreateMyWindow(parent(), brassel_test::ThisModule(), WS_VISIBLE,
                                   Place(20, 20, 200, 16), 52),
            nullptr);
  control.SetMyScrollRange(-10, 10);
  EXPECT_EQ(control.GetMyScrollRange(&minimum, &maximum), 1);
  EXPECT_EQ(minimum, -10);
  EXPECT_EQ(maximum, 10);
  EXPECT_EQ(control.SetMyScrollPos(-3), -3);
  EXPECT_EQ(control.GetMyScrollPos(), -3);

  CMyHScrollBar none;
  EXPECT_EQ(none.SetMyScrollRange(0, 1), -1);
  EXPECT_EQ(none.GetMyScrollPos(), -1);
  EXPECT_EQ(none.GetMyScrollPage(), -1);
}

namespace {

// Exposes the protected drawing of a bitmap button.
class DrawableBitmapButton : public CMyBitmapButton {
public:
  using CMyBitmapButton::CMyBitmapButton;
  using CMyBitmapButton::DrawBitmap;
};

// The colour DrawBitmap leaves at (1, 1) of a small memory bitmap.
COLORREF DrawnColour(DrawableBitmapButton& button, int* result) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ previous = SelectObject(memory, target);
  RECT white{0, 0, 4, 4};
  FillRect(memory, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  *result = button.DrawBitmap(memory, nullptr, RECT{0, 0, 4, 4});
  const COLORREF colour = GetPixel(memory, 1, 1);
  SelectObject(memory, previous);
  DeleteObject(target);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return colour;
}

}  // namespace

TEST(BitmapButtons, TheLastConstructedPathDrawsForAllButtons) {
  const brassel_test::Pixels red(16, 0xFF0000), blue(16, 0x0000FF);
  const std::wstring redPath = brassel_test::WriteBitmapFile(L"brassel_red.bmp", 4, 4, red);
  const std::wstring bluePath = brassel_test::WriteBitmapFile(L"brassel_blue.bmp", 4, 4, blue);
  DrawableBitmapButton first(redPath.c_str());
  DrawableBitmapButton second(bluePath.c_str());
  int result = 0;
  EXPECT_EQ(DrawnColour(first, &result), RGB(0, 0, 255));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(DrawnColour(second, &result), RGB(0, 0, 255));

  DrawableBitmapButton missing(L"C:\\no\\such\\file.bmp");
  EXPECT_EQ(DrawnColour(first, &result), RGB(255, 255, 255)) << "nothing drawn";
  EXPECT_EQ(result, 0);
}

TEST(BitmapButtons, CreatedOwnerDrawn) {
  HostWindow host;
  DrawableBitmapButton button(L"x.bmp");
  ASSERT_NE(button.CreateMyWindowEx(L"", host.get(), WS_VISIBLE, Place(0, 0, 30, 30), 60),
            nullptr);
  EXPECT_EQ(StyleOf(button.GetMyHWnd()) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_TRUE(StyleOf(button.GetMyHWnd()) & WS_TABSTOP);
}
