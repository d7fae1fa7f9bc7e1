// The main window's commands, one row each: its id, its menu item (text with access key, menu,
// place), its accelerator and what checks its item. The menu bar and the accelerator table are
// built from these rows (main_menu_win.cpp); the shell runs each id through its own handler,
// one per row. A new command is one row here and one handler there.
#pragma once

#include <cstdint>
#include <vector>

// Command identifiers of the menu items, accelerators and the start-up run.
enum MenuCommand : int {
  kExitCommand = 201,
  kEntryDialogCommand = 202,
  kBasicSettingsCommand = 203,
  kColorsCommand = 205,
  kShortcutCommand = 206,
  kTemperatureModeCommand = 207,
  kWeightModeCommand = 208,
  kPregnancyModeCommand = 209,
  kPrintCommand = 210,
  kVersionCommand = 211,
  kCsvExportCommand = 212,
  kCsvImportCommand = 213,
  kShowShiftCommand = 214,
  kCycleListCommand = 215,
  kChartLegendCommand = 216,
  kGuideCommand = 217,
  kSaveImagesCommand = 218,
  // The side panel's buttons "登録(&A)", "更新(&M)" and "削除(&D)", whose control ids these are:
  // a click, or Alt with the underlined letter wherever the focus is in the main window (which is
  // no dialog, so nothing else reads those keys).
  kAddButtonCommand = 416,
  kUpdateButtonCommand = 417,
  kDeleteButtonCommand = 418,
};

// The menus of the bar, left to right; NoMenu for a command without a menu item.
enum class MenuPopup : int { File, Health, Tools, Graph, Help, NoMenu };
inline constexpr int kMenuPopupCount = 5;
inline constexpr const char16_t* kMenuPopupTexts[kMenuPopupCount] = {
    u"ファイル(&F)", u"体調管理(&B)", u"ツール(&T)", u"グラフ(&G)", u"ヘルプ(&H)"};

// A command's accelerator: a virtual-key code ('B', 0x70 for F1) with its modifiers; key 0
// for none.
struct CommandKey {
  std::uint16_t key = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};
inline constexpr std::uint16_t kKeyF1 = 0x70;

// What puts the check mark on a command's item.
enum class MenuCheck {
  None,
  ChartMode,  // the chart mode (CommandRow::mode) is the one shown
  ShowShift,  // the reading of the curve is shown
};

struct CommandRow {
  int id = 0;                  // 0: a separator
  const char16_t* text = nullptr;
  MenuPopup popup = MenuPopup::NoMenu;  // items stand in their menu in the order of the rows
  CommandKey key;
  MenuCheck check = MenuCheck::None;
  int mode = 0;                // MenuCheck::ChartMode: 1, 2 or 3
};

// Every command and separator, menu by menu.
inline constexpr CommandRow kCommandRows[] = {
    {kPrintCommand, u"印刷(&P)  Ctrl+P", MenuPopup::File, {'P', true, false}},
    {kSaveImagesCommand, u"グラフを画像で保存(&G)...", MenuPopup::File, {}},
    {kCsvExportCommand, u"CSVファイルに書き出し(&E)...", MenuPopup::File, {}},
    {kCsvImportCommand, u"CSVファイルから読み込み(&I)...", MenuPopup::File, {}},
    {0, nullptr, MenuPopup::File, {}},
    {kExitCommand, u"終了(&X)", MenuPopup::File, {}},
    {kBasicSettingsCommand, u"基本設定登録(&B)  Ctrl+B", MenuPopup::Health, {'B', true, false}},
    {kCycleListCommand, u"周期の一覧(&L)...", MenuPopup::Health, {}},
    {kColorsCommand, u"色の変更(&C) Ctrl+Shift+C", MenuPopup::Tools, {'C', true, true}},
    {kShortcutCommand, u"スタートアップにショートカットを作成(&S)", MenuPopup::Tools, {}},
    {kTemperatureModeCommand, u"基礎体温モード(&T)", MenuPopup::Graph, {}, MenuCheck::ChartMode, 1},
    {kWeightModeCommand, u"体重モード(&W)", MenuPopup::Graph, {}, MenuCheck::ChartMode, 2},
    {kPregnancyModeCommand, u"妊娠確定モード(&P)", MenuPopup::Graph, {}, MenuCheck::ChartMode, 3},
    {0, nullptr, MenuPopup::Graph, {}},
    {kShowShiftCommand, u"体温の判定を表示(&S)", MenuPopup::Graph, {}, MenuCheck::ShowShift},
    {kGuideCommand, u"使い方(&H)", MenuPopup::Help, {kKeyF1, false, false}},
    {kChartLegendCommand, u"グラフの見かた(&L)...", MenuPopup::Help, {}},
    {0, nullptr, MenuPopup::Help, {}},
    {kVersionCommand, u"バージョン情報(&V)", MenuPopup::Help, {}},
    // Sent by the start-up run, which asks for the day's entry.
    {kEntryDialogCommand, nullptr, MenuPopup::NoMenu, {}},
    {kAddButtonCommand, nullptr, MenuPopup::NoMenu, {'A', false, false, true}},
    {kUpdateButtonCommand, nullptr, MenuPopup::NoMenu, {'M', false, false, true}},
    {kDeleteButtonCommand, nullptr, MenuPopup::NoMenu, {'D', false, false, true}},
};

// What the check marks show.
struct MenuCheckState {
  int chartMode = 1;  // any other value than 1-3 checks no mode item
  bool showShift = true;
};

// Whether the row's item carries the check mark in `state`. The menu is built with the marks of
// the default state: the temperature mode and the reading of the curve.
bool IsCommandChecked(const CommandRow& row, const MenuCheckState& state);

// The rows with an accelerator, by command id.
std::vector<CommandRow> AcceleratorRows();

// The row of the command, or null.
const CommandRow* FindCommandRow(int id);
