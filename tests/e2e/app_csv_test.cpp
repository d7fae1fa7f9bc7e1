// The two CSV items of "ファイル(&F)" in the real program: through the file dialogs, their
// messages, and what reaches the data files at the close.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace e2e {
namespace {

using CsvFiles = AppTest;

constexpr wchar_t kCaption[] = L"Tovela";
constexpr wchar_t kSaveDialog[] = L"ファイルを保存！";
constexpr wchar_t kOpenDialog[] = L"ファイルオープン！";

TEST_F(CsvFiles, ExportThenImportASpreadsheetFileThroughTheDialogs) {
  const Ymd first{2025, 1, 5}, second{2025, 1, 6}, third{2025, 1, 7}, added{2025, 1, 9};
  ASSERT_TRUE(install.WriteFile(L"TEMPERATURE_DATA.dat", TemperatureLine(first, "36.45", 1) +
                                                            TemperatureLine(second, "36.60", 0) +
                                                            TemperatureLine(third, "36.20", 0)));
  ASSERT_TRUE(install.WriteFile(L"WEIGHT_DATA.dat", WeightLine(first, "52.3")));
  ASSERT_TRUE(install.WriteFile(L"MEMO_DATA.dat", MemoLine(second, L"a,b \U0001F600")));
  Start();
  PickDay(first);

  // Export: the save dialog adds ".csv" to the bare name.
  PostCommand(app.MainWindow(), kCsvExportCommand);
  ASSERT_TRUE(app.ChooseFile(kSaveDialog, install.PathOf(L"records")));
  MessageBoxText box = app.WaitForMessageBox();
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.text, L"3日分の記録を書き出しました。");
  ASSERT_TRUE(box.Answer(IDOK));
  const std::string exported = install.ReadFile(L"records.csv");
  WriteFileBytes(ArtifactsFolder() + L"\\csv_export.csv", exported);  // for review
  EXPECT_EQ(exported,
            "\xEF\xBB\xBF日付,基礎体温,月経開始,体重,メモ\r\n"
            "2025-01-05,36.45,1,52.3,\r\n"
            "2025-01-06,36.60,0,,\"a,b \xF0\x9F\x98\x80\"\r\n"
            "2025-01-07,36.20,0,,\r\n");

  // A file with a bad row changes nothing.
  ASSERT_TRUE(install.WriteFile(L"bad.csv", "日付,基礎体温\n2025/1/8,36.5\n2025/13/1,36.5\n"));
  PostCommand(app.MainWindow(), kCsvImportCommand);
  ASSERT_TRUE(app.ChooseFile(kOpenDialog, install.PathOf(L"bad.csv")));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.text, L"CSVファイルに誤りがあるため、読み込みませんでした。\n\n3行目: 日付が正しくありません。");
  ASSERT_TRUE(box.Answer(IDOK));

  // A spreadsheet's file: every field quoted, LF line ends, no byte-order mark, its own column
  // order, a memo over two lines. 2025/1/5 already has records: overwrite it.
  ASSERT_TRUE(install.WriteFile(L"sheet.csv",
                                "\"日付\",\"体重\",\"基礎体温\",\"月経開始\",\"メモ\"\n"
                                "\"2025/1/5\",\"\",\"36.90\",\"0\",\"上書き\"\n"
                                "\"2025/1/9\",\"51.5\",\"36.70\",\"1\",\"二行の\nメモ\"\n"));
  PostCommand(app.MainWindow(), kCsvImportCommand);
  ASSERT_TRUE(app.ChooseFile(kOpenDialog, install.PathOf(L"sheet.csv")));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.text, L"2日分のうち 1日分は既に記録があります。\n既存の記録を上書きしますか？");
  app.Screenshot(box.window, L"csv_import_question.bmp");
  ASSERT_TRUE(box.Answer(IDYES));
  box = app.WaitForMessageBox();
  EXPECT_EQ(box.text, L"2日分の記録を読み込みました。");
  ASSERT_TRUE(box.Answer(IDOK));
  // The panel shows its day again with the imported values.
  EXPECT_EQ(Text(kTemperatureEditId), L"36.90");
  EXPECT_EQ(Text(kWeightEditId), L"");

  Close();
  EXPECT_EQ(install.ReadFile(L"TEMPERATURE_DATA.dat"),
            TemperatureLine(first, "36.90", 0) + TemperatureLine(second, "36.60", 0) +
                TemperatureLine(third, "36.20", 0) + TemperatureLine(added, "36.70", 1));
  EXPECT_EQ(install.ReadFile(L"WEIGHT_DATA.dat"), WeightLine(added, "51.5"));
  // The memo's line break is written as a space, as for any memo.
  EXPECT_EQ(install.ReadFile(L"MEMO_DATA.dat"), MemoLine(first, L"上書き") +
                                                    MemoLine(second, L"a,b \U0001F600") +
                                                    MemoLine(added, L"二行の メモ"));
}

}  // namespace
}  // namespace e2e
