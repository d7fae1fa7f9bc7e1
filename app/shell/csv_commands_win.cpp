// Commands 212 and 213: the records written to and read from a CSV file chosen in the file
// dialogs. What an import changes is saved before its confirmation, as after every other edit.
#include "app_state_win.h"
#include "chart_view.h"
#include "commands_win.h"
#include "data_file_io.h"
#include "entry_editing_win.h"
#include "main_window_win.h"
#include "plausible_values.h"
#include "records_csv.h"
#include "saving_win.h"
#include "system_win.h"

namespace {

constexpr char16_t kCsvCaption[] = u"Tovela";
// The dialogs' filter: pairs of a description and a pattern, ended by an empty string.
constexpr wchar_t kCsvFilter[] = L"CSVファイル (*.csv)\0*.csv\0";
constexpr std::size_t kDialogResultChars = 520;

void Tell(HWND owner, const std::u16string& text, UINT icon) {
  ShowMessage(owner, text, kCsvCaption, MB_OK | icon);
}

}  // namespace

int OnCsvExportCommand(HWND mainWindow) {
  wchar_t path[kDialogResultChars] = {};
  if (quillet::SaveFileDialog(mainWindow, path, kCsvFilter, L"csv") != 1) return 1;
  const std::string bytes = RecordsCsvBytes(*gApp.Records);
  if (!data_file_io::ReplaceFileContents(std::filesystem::path(path), bytes)) {
    Tell(mainWindow, u"CSVファイルを書き出せませんでした。", MB_ICONERROR);
    return 1;
  }
  Tell(mainWindow, CsvExportDoneText(CsvDayCount(*gApp.Records)), MB_ICONINFORMATION);
  return 1;
}

int OnCsvImportCommand(HWND mainWindow) {
  const std::u16string blocked = CsvImportBlockedText(*gApp.Records);
  if (!blocked.empty()) {
    Tell(mainWindow, blocked, MB_ICONERROR);
    return 1;
  }
  wchar_t path[kDialogResultChars] = {};
  if (quillet::OpenFileDialog(mainWindow, path, kCsvFilter) != 1) return 1;
  std::string bytes;
  if (data_file_io::ReadWholeFile(std::filesystem::path(path), bytes) != data_file_io::ReadResult::Read) {
    Tell(mainWindow, u"CSVファイルを読み込めませんでした。", MB_ICONERROR);
    return 1;
  }
  const CsvParseResult parsed = ParseRecordsCsv(bytes);
  bytes = std::string();
  if (!parsed.Ok()) {
    Tell(mainWindow, CsvProblemsMessage(parsed), MB_ICONERROR);
    return 1;
  }
  if (parsed.rows.empty()) {
    Tell(mainWindow, u"CSVファイルに読み込める記録がありません。", MB_ICONINFORMATION);
    return 1;
  }

  // Values outside what a body measures are asked about once for the whole file; いいえ reads
  // nothing, so the file can be corrected and read again.
  const std::vector<ImplausibleValue> implausible = ImplausibleCsvValues(parsed.rows);
  if (!implausible.empty() &&
      ShowMessage(mainWindow, ImplausibleCsvQuestion(implausible), kCsvCaption,
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return 1;

  RecordStores& stores = *gApp.Records;
  CsvExistingDays existing = CsvExistingDays::Overwrite;
  if (const std::size_t withRecords = CountDaysWithRecords(parsed.rows, stores)) {
    switch (ShowMessage(mainWindow, CsvOverwriteQuestionText(parsed.rows.size(), withRecords),
                        kCsvCaption, MB_YESNOCANCEL | MB_ICONQUESTION)) {
      case IDYES: existing = CsvExistingDays::Overwrite; break;
      case IDNO: existing = CsvExistingDays::Keep; break;
      default: return 1;
    }
  }
  const std::size_t imported = ImportCsvRows(parsed.rows, existing, stores);
  // Imported days may lie before every earlier record: the chart's range starts at the first.
  if (gApp.Chart != nullptr) SetChartScrollRange(*gApp.Chart);
  ShowPickerDay();
  RedrawChartAndHelp();
  if (SaveConfirmedChange(mainWindow))
    Tell(mainWindow, CsvImportDoneText(imported), MB_ICONINFORMATION);
  return 1;
}
