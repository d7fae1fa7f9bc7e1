#include "main_form_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <utility>

#include "display_scale_win.h"
#include "entry_rules.h"
#include "resources/tovela_ids.h"
#include "side_panel_layout.h"
#include "sign_texts.h"
#include "statistics.h"
#include "system_win.h"

MainForm::~MainForm() {
  // The window goes first, so no control is left using a font whose object is deleted below.
  MainView.reset();
}

namespace {

RECT Place(int x, int y, int width, int height) { return RECT{x, y, width, height}; }

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// ---- Keys of the side panel --------------------------------------------------------------------

// The form whose panel keys the subclassed controls serve (one main window per run).
MainForm* gKeyForm = nullptr;

MainForm::PanelKey* FindPanelKey(HWND window) {
  if (gKeyForm == nullptr) return nullptr;
  for (MainForm::PanelKey& key : gKeyForm->PanelKeys)
    if (key.window == window) return &key;
  return nullptr;
}

// The 96-DPI place a control was laid out from.
ChartPlace PlaceAt96(const MainForm& form, HWND window) {
  for (const MainForm::PanelControl& control : form.PanelControls)
    if (control.window == window) return control.place;
  return ChartPlace{};
}

bool IsEdit(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return lstrcmpiW(name, L"Edit") == 0;
}

// Tab and Shift+Tab: the focus moves along the panel as it is read, skipping disabled buttons;
// an edit it lands in has its text selected, so typing replaces the value.
void MoveFocus(MainForm& form, const MainForm::PanelKey& from, bool backward) {
  std::vector<PanelStop> stops;
  std::size_t at = 0;
  for (const MainForm::PanelKey& key : form.PanelKeys) {
    if (&key == &from) at = stops.size();
    stops.push_back(PanelStop{PlaceAt96(form, key.window), IsWindowEnabled(key.window) != FALSE});
  }
  HWND next = form.PanelKeys[NextPanelStop(stops, at, backward)].window;
  SetFocus(next);
  if (IsEdit(next)) SendMessageW(next, EM_SETSEL, 0, -1);
}

// Enter in an entry field presses the button the day offers, as a click would.
void PressEntryButton(MainForm& form) {
  const bool addEnabled = IsWindowEnabled(form.AddButton->GetMyHWnd()) != FALSE;
  const bool updateEnabled = IsWindowEnabled(form.UpdateButton->GetMyHWnd()) != FALSE;
  CMyButton* button = nullptr;
  switch (EnterKeyButton(addEnabled, updateEnabled)) {
    case EnterPresses::Add: button = form.AddButton.get(); break;
    case EnterPresses::Update: button = form.UpdateButton.get(); break;
    case EnterPresses::Nothing: return;
  }
  HWND window = button->GetMyHWnd();
  SendMessageW(form.Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

// Tab, Shift+Tab and (in the entry fields) Enter; every other message goes on to the control's
// own procedure.
LRESULT CALLBACK PanelKeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainForm::PanelKey* key = FindPanelKey(window);
  if (key == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const bool enters = key->entersEntry;
  switch (message) {
    case WM_KEYDOWN:
      if (wParam == VK_TAB) {
        MoveFocus(*gKeyForm, *key, GetKeyState(VK_SHIFT) < 0);
        return 0;
      }
      if (wParam == VK_RETURN && enters) {
        PressEntryButton(*gKeyForm);
        return 0;
      }
      break;
    case WM_CHAR:
      // The characters of those keys would only beep in an edit.
      if (wParam == L'\t' || (wParam == L'\r' && enters)) return 0;
      break;
    default:
      break;
  }
  return CallWindowProcW(key->previous, window, message, wParam, lParam);
}

void AddPanelKey(MainForm& form, CBrassel& control, bool entersEntry) {
  form.PanelKeys.push_back(MainForm::PanelKey{control.GetMyHWnd(), nullptr, entersEntry});
  form.PanelKeys.back().previous = control.ToSubClass(PanelKeyProc);
}

template <typename T>
std::unique_ptr<T> MakeStatic(const wchar_t* text, HWND parent, const RECT& place, int id) {
  auto control = std::make_unique<T>();
  control->CreateMyWindow(text, parent, WS_VISIBLE | WS_GROUP | WS_TABSTOP, place, id);
  return control;
}

std::unique_ptr<CMyEdit> MakeEdit(HWND parent, const RECT& place, int id) {
  auto edit = std::make_unique<CMyEdit>();
  // Automatic scrolling lets a text run on past the visible width of the narrow fields.
  edit->CreateMyWindow(parent, WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, place, id);
  return edit;
}

std::unique_ptr<CMyButton> MakeButton(const wchar_t* text, HWND parent, DWORD style,
                                      const RECT& place, int id) {
  auto button = std::make_unique<CMyButton>();
  button->CreateMyWindow(text, parent, WS_VISIBLE | WS_GROUP | WS_TABSTOP | style, place, id);
  return button;
}

// A drop-down list of an empty first item and `items`; `place` holds the height with the list
// dropped down.
template <std::size_t N>
std::unique_ptr<CMyComboBox> MakeSignList(HWND parent, const RECT& place, int id,
                                          const char16_t* const (&items)[N]) {
  auto list = std::make_unique<CMyComboBox>();
  list->CreateMyWindow(parent, WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, place, id);
  list->AddMyString(L"");
  for (const char16_t* item : items) list->AddMyString(Wide(item));
  SendMessageW(list->GetMyHWnd(), CB_SETCURSEL, 0, 0);
  return list;
}

// A drop-down list's height with its list shown: what a layout must keep (its window rectangle
// is only the closed box).
int DroppedHeight(HWND child, int closedHeight) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  if (lstrcmpiW(name, L"ComboBox") != 0) return closedHeight;
  RECT dropped{};
  if (!SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
    return closedHeight;
  return std::max<int>(closedHeight, dropped.bottom - dropped.top);
}

// The usable screen: the whole screen less the task bar on whichever edge it sits.
POINT WorkingScreenSize() {
  POINT size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  quillet::GetDesktopRect(&size);
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) {
    if (bar.uEdge == ABE_TOP || bar.uEdge == ABE_BOTTOM) {
      size.y -= bar.rc.bottom - bar.rc.top;
    } else if (bar.uEdge == ABE_LEFT || bar.uEdge == ABE_RIGHT) {
      size.x -= bar.rc.right - bar.rc.left;
    }
  }
  return size;
}

// Every child of the main window but the chart window, with its place as made (at 96 DPI) and
// its font: the table a layout scales from.
void NotePanelControls(MainForm& form, HWND parent) {
  HWND chart = form.ChartWindow->GetMyHWnd();
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == chart) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    const int height = DroppedHeight(child, r.bottom - r.top);
    form.PanelControls.push_back(
        MainForm::PanelControl{child, ChartPlace{r.left, r.top, r.right - r.left, height}, font});
  }
}

// The stock GUI font the controls are made with, at `dpi` instead of the system's DPI; null at
// the system's DPI, where the controls keep their own.
HFONT PanelFontFor(int dpi) {
  const int systemDpi = SystemDpi();
  if (dpi == systemDpi) return nullptr;
  LOGFONTW font{};
  if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font)) return nullptr;
  font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
  font.lfWidth = MulDiv(font.lfWidth, dpi, systemDpi);
  return CreateFontIndirectW(&font);
}

void MoveIfElsewhere(HWND window, const ChartPlace& place) {
  RECT now{};
  GetWindowRect(window, &now);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  if (now.left == place.x && now.top == place.y && now.right - now.left == place.width &&
      DroppedHeight(window, now.bottom - now.top) == place.height)
    return;
  SetWindowPos(window, nullptr, place.x, place.y, place.width, place.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void LayoutMainForm(MainForm& form, const DisplayScale& scale) {
  HWND parent = form.Window();
  if (parent == nullptr || !form.ChartWindow) return;
  form.Scale = scale;
  RECT client{};
  GetClientRect(parent, &client);
  HWND chart = form.ChartWindow->GetMyHWnd();
  MoveIfElsewhere(chart, LayoutChartArea(client.left, client.top, client.right, client.bottom,
                                         form.RememberedChart, scale));
  GetClientRect(chart, &form.ChartRect);

  // The font the controls use now goes only after they have their new one.
  const win32::GdiObject<HFONT> previousFont(std::move(form.PanelFont));
  form.PanelFont = win32::GdiObject<HFONT>(PanelFontFor(scale.dpi));
  for (const MainForm::PanelControl& control : form.PanelControls) {
    MoveIfElsewhere(control.window, ScalePlace(control.place, scale));
    const HFONT font = form.PanelFont ? form.PanelFont.get() : control.ownFont;
    if (reinterpret_cast<HFONT>(SendMessageW(control.window, WM_GETFONT, 0, 0)) != font)
      SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

int CreateMainWindow(MainForm& form, WNDPROC procedure, bool startupRun, HINSTANCE instance) {
  const POINT size = WorkingScreenSize();
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TOVELA_MAIN));
  form.MainView = std::make_unique<CMyAppView>(procedure, instance, icon, nullptr, L"Tovela");
  if (form.MainView->RegisterMyClass() == 0) return 0;
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  if (!startupRun) style |= WS_VISIBLE;
  HWND window = form.MainView->CreateMyWindow(kProductTagline, style, Place(0, 0, size.x, size.y),
                                              nullptr, nullptr, nullptr);
  if (window == nullptr) return 0;
  HMENU systemMenu = GetSystemMenu(window, FALSE);
  for (UINT command : {SC_SIZE, SC_RESTORE, SC_MAXIMIZE, SC_MOVE})
    DeleteMenu(systemMenu, command, MF_BYCOMMAND);
  return 1;
}

int CreateSidePanel(MainForm& form, HWND parent, WNDPROC chartProcedure) {
  RECT client{};
  GetClientRect(parent, &client);
  form.Scale = WindowScale(parent);
  const ChartPlace place = LayoutChartArea(client.left, client.top, client.right, client.bottom,
                                           form.RememberedChart, form.Scale);

  form.ChartWindow = std::make_unique<CMyStatic>();
  if (form.ChartWindow->CreateMyWindow(L"", parent, WS_VISIBLE | WS_HSCROLL,
                                       Place(place.x, place.y, place.width, place.height),
                                       kChartWindowId) == nullptr)
    return 0;
  GetClientRect(form.ChartWindow->GetMyHWnd(), &form.ChartRect);
  form.ChartWindow->ToSubClass(chartProcedure);

  form.DatePicker = std::make_unique<CMyDatePicker>();
  form.DatePicker->CreateMyWindow(L"", parent, WS_VISIBLE | WS_GROUP | WS_TABSTOP,
                                  Place(10, 10, 170, 20), kDatePickerId);
  form.CycleCaption = MakeStatic<CMyStatic>(L"月経周期", parent, Place(10, 40, 180, 20), kCycleCaptionId);
  form.CycleValue = MakeStatic<CMyStatic>(L"", parent, Place(10, 60, 30, 20), kCycleValueId);
  form.CycleUnit = MakeStatic<CMyStatic>(L"日", parent, Place(50, 60, 80, 20), kDayUnitId);
  form.AverageCaption = MakeStatic<CMyStatic>(L"平均体温", parent, Place(10, 90, 180, 20), kAverageCaptionId);
  form.AverageValue = MakeStatic<CMyStatic>(L"", parent, Place(10, 110, 40, 20), kAverageValueId);
  form.NextPeriodCaption =
      MakeStatic<CMyStatic>(L"次回月経開始予定日", parent, Place(10, 140, 180, 20), kNextPeriodCaptionId);
  form.NextPeriodValue = MakeStatic<CMyStatic>(L"", parent, Place(10, 160, 180, 20), kNextPeriodValueId);
  form.NextOvulationCaption =
      MakeStatic<CMyStatic>(L"次回排卵予定日", parent, Place(10, 190, 180, 20), kNextOvulationCaptionId);
  form.NextOvulationValue =
      MakeStatic<CMyStatic>(L"", parent, Place(10, 210, 180, 20), kNextOvulationValueId);
  form.AverageUnit = MakeStatic<CMyStatic>(L"℃", parent, Place(50, 110, 80, 20), kDegreeUnitId);
  form.TemperatureCaption =
      MakeStatic<CMyStatic>(L"基礎体温", parent, Place(10, 240, 180, 20), kTemperatureCaptionId);
  // Wide enough for "36.28" and "150.0" whole, between the edit's margins (the units stay put).
  form.TemperatureEdit = MakeEdit(parent, Place(10, 260, 48, 20), kTemperatureEditId);
  form.TemperatureUnit = MakeStatic<CMyStatic>(L"℃", parent, Place(60, 260, 80, 20), kDegreeUnitId);
  form.WeightCaption = MakeStatic<CMyStatic>(L"体重", parent, Place(10, 290, 180, 20), kWeightCaptionId);
  form.WeightEdit = MakeEdit(parent, Place(10, 310, 48, 20), kWeightEditId);
  form.WeightUnit = MakeStatic<CMyStatic>(L"㎏", parent, Place(60, 310, 80, 20), kKilogramUnitId);
  form.PeriodCaption = MakeStatic<CMyStatic>(L"月経開始", parent, Place(10, 340, 180, 20), kPeriodCaptionId);
  form.PeriodCheck = MakeButton(L"月経が開始しました。", parent, BS_AUTOCHECKBOX,
                                Place(10, 360, 180, 20), kPeriodCheckId);
  form.MemoCaption = MakeStatic<CMyStatic>(L"体調一言メモ", parent, Place(10, 390, 180, 20), kMemoCaptionId);
  form.MemoEdit = MakeEdit(parent, Place(10, 410, 180, 20), kMemoEditId);
  // A memo record holds 99 characters: the field takes no more.
  if (HWND memo = form.MemoEdit->GetMyHWnd()) SendMessageW(memo, EM_SETLIMITTEXT, kMemoTextLimit, 0);
  // The signs under the memo; the buttons and the "体温の状態" rows below them move down by their
  // 120 pixels.
  form.MucusCaption = MakeStatic<CMyStatic>(Wide(kMucusCaption), parent, Place(10, 440, 180, 20),
                                            kMucusCaptionId);
  form.MucusList = MakeSignList(parent, Place(10, 460, 130, 150), kMucusListId, kMucusLevelTexts);
  form.OvulationTestCaption = MakeStatic<CMyStatic>(Wide(kOvulationTestCaption), parent,
                                                    Place(10, 490, 180, 20), kOvulationTestCaptionId);
  form.OvulationTestList =
      MakeSignList(parent, Place(10, 510, 130, 110), kOvulationTestListId, kOvulationTestTexts);
  form.IntercourseCheck = MakeButton(Wide(kIntercourseText), parent, BS_AUTOCHECKBOX,
                                     Place(10, 540, 180, 20), kIntercourseCheckId);
  form.AddButton = MakeButton(L"登録(&A)", parent, BS_PUSHBUTTON, Place(10, 570, 50, 25), kAddButtonId);
  form.UpdateButton = MakeButton(L"更新(&M)", parent, BS_PUSHBUTTON, Place(70, 570, 50, 25), kUpdateButtonId);
  form.DeleteButton = MakeButton(L"削除(&D)", parent, BS_PUSHBUTTON, Place(130, 570, 50, 25), kDeleteButtonId);
  form.ShiftStateCaption =
      MakeStatic<CMyStatic>(L"体温の状態", parent, Place(10, 610, 180, 20), kShiftStateCaptionId);
  form.ShiftStateValue = MakeStatic<CMyStatic>(L"", parent, Place(10, 630, 180, 20), kShiftStateValueId);

  NotePanelControls(form, parent);
  LayoutMainForm(form, form.Scale);

  // The stops of the Tab key (in any order: they are visited by their places); Enter enters the
  // day from the three fields.
  gKeyForm = &form;
  form.PanelKeys.reserve(11);
  AddPanelKey(form, *form.DatePicker, false);
  AddPanelKey(form, *form.TemperatureEdit, true);
  AddPanelKey(form, *form.WeightEdit, true);
  AddPanelKey(form, *form.PeriodCheck, false);
  AddPanelKey(form, *form.MemoEdit, true);
  AddPanelKey(form, *form.MucusList, false);
  AddPanelKey(form, *form.OvulationTestList, false);
  AddPanelKey(form, *form.IntercourseCheck, false);
  AddPanelKey(form, *form.AddButton, false);
  AddPanelKey(form, *form.UpdateButton, false);
  AddPanelKey(form, *form.DeleteButton, false);
  return 1;
}

void ShowDayInPanel(MainForm& form, const TemperatureStore& temperatures, int cycle,
                    const DateYmd& date, const TemperatureRecord* temperature,
                    const WeightRecord* weight, const MemoRecord* memo, double average,
                    const DateYmd& today, const SignRecord* signs) {
  const std::tm todayTm = ToTm(today);
  const DateYmd nextPeriod = NextPeriodDate(temperatures, todayTm);
  const DateYmd nextOvulation = NextOvulationDate(temperatures, todayTm);
  const PanelContent content = MakePanelContent(cycle, date, temperature, weight, memo, average,
                                                nextPeriod, nextOvulation, today, signs);

  form.AverageValue->SetMyText(Wide(content.average));
  form.CycleValue->SetMyText(Wide(content.cycle));
  form.NextPeriodValue->SetMyText(Wide(content.nextPeriod));
  form.NextOvulationValue->SetMyText(Wide(content.nextOvulation));
  SetPickerDate(form, date);
  const PanelValues toShow = PanelValuesOf(content);
  if (!KeepsPanelInput(date == form.ShownDate, ReadPanelValues(form), form.ShownValues, toShow)) {
    form.TemperatureEdit->SetMyText(Wide(content.temperature));
    form.WeightEdit->SetMyText(Wide(content.weight));
    form.MemoEdit->SetMyText(Wide(content.memo));
    form.PeriodCheck->SetCheck(content.periodStart ? 1 : 0);
    SendMessageW(form.MucusList->GetMyHWnd(), CB_SETCURSEL, content.mucusItem, 0);
    SendMessageW(form.OvulationTestList->GetMyHWnd(), CB_SETCURSEL, content.ovulationTestItem, 0);
    form.IntercourseCheck->SetCheck(content.intercourse ? 1 : 0);
  }
  form.ShownDate = date;
  form.ShownValues = toShow;
  EnableWindow(form.AddButton->GetMyHWnd(), content.addEnabled);
  EnableWindow(form.UpdateButton->GetMyHWnd(), content.updateEnabled);
  EnableWindow(form.DeleteButton->GetMyHWnd(), content.deleteEnabled);
}

void ShowShiftState(MainForm& form, bool shown, const std::u16string& text) {
  if (form.ShiftStateValue) form.ShiftStateValue->SetMyText(Wide(text));
  // The row's caption goes with the reading: no caption over an empty value.
  if (form.ShiftStateCaption) ShowWindow(form.ShiftStateCaption->GetMyHWnd(), shown ? SW_SHOWNA : SW_HIDE);
}

void SetPickerDate(MainForm& form, const DateYmd& date) {
  HWND picker = form.DatePicker ? form.DatePicker->GetMyHWnd() : nullptr;
  if (picker == nullptr) return;
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

namespace {

std::u16string FieldText(CBrassel& control) {
  HWND window = control.GetMyHWnd();
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

PanelValues ReadPanelValues(MainForm& form) {
  if (!form.TemperatureEdit) return PanelValues{};
  PanelContent fields;
  fields.temperature = FieldText(*form.TemperatureEdit);
  fields.weight = FieldText(*form.WeightEdit);
  fields.memo = FieldText(*form.MemoEdit);
  fields.periodStart = form.PeriodCheck->GetCheck() == BST_CHECKED;
  fields.mucusItem = form.MucusList->GetMyCursel();
  fields.ovulationTestItem = form.OvulationTestList->GetMyCursel();
  fields.intercourse = form.IntercourseCheck->GetCheck() == BST_CHECKED;
  return PanelValuesOf(fields);
}

bool HasUnsavedInput(MainForm& form) {
  return form.ShownDate.year != 0 && ReadPanelValues(form) != form.ShownValues;
}

DateYmd PanelDate(MainForm& form) {
  return form.ShownDate.year != 0 ? form.ShownDate : PickerDate(form);
}

DateYmd PickerDate(MainForm& form) {
  SYSTEMTIME time{};
  HWND picker = form.DatePicker ? form.DatePicker->GetMyHWnd() : nullptr;
  if (picker == nullptr ||
      SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID)
    return DateYmd{};
  return DateYmd{time.wYear, time.wMonth, time.wDay};
}

void ReadPanel(MainForm& form, DateYmd& date, TemperatureRecord& temperature, WeightRecord& weight,
               MemoRecord& memo) {
  temperature = TemperatureRecord{};
  weight = WeightRecord{};
  memo = MemoRecord{};
  date = PanelDate(form);
  temperature.year = weight.year = memo.year = date.year;
  temperature.month = weight.month = memo.month = date.month;
  temperature.day = weight.day = memo.day = date.day;

  // Numbers are read from a bounded copy of the field; anything longer is no number anyway.
  wchar_t number[64] = {};
  form.TemperatureEdit->GetMyText(number);
  temperature.temperature = ReadEntryNumber(number);
  temperature.periodStart = form.PeriodCheck->GetCheck() == BST_CHECKED ? 1 : 0;
  wchar_t weightText[64] = {};
  form.WeightEdit->GetMyText(weightText);
  weight.weight = ReadEntryNumber(weightText);

  wchar_t memoText[MemoCapacity] = {};
  form.MemoEdit->GetMyText(memoText);
  for (std::size_t i = 0; i + 1 < MemoCapacity && memoText[i] != L'\0'; ++i)
    memo.text[i] = static_cast<char16_t>(memoText[i]);
}

SignRecord ReadPanelSigns(MainForm& form) {
  SignRecord signs;
  const DateYmd date = PanelDate(form);
  signs.year = date.year;
  signs.month = date.month;
  signs.day = date.day;
  signs.mucus = SignOfItem(form.MucusList->GetMyCursel());
  signs.ovulationTest = SignOfItem(form.OvulationTestList->GetMyCursel());
  signs.intercourse = form.IntercourseCheck->GetCheck() == BST_CHECKED ? 1 : 0;
  return signs;
}
