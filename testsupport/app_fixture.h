// A GoogleTest fixture for end-to-end tests of the program: a fresh install folder per test,
// helpers for dates and data-file lines, and starting the program with its main window found.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "tovela_driver.h"

namespace e2e {

struct Ymd {
  int year = 0, month = 0, day = 0;
};

inline Ymd TodayYmd() {
  Ymd d;
  Today(d.year, d.month, d.day);
  return d;
}

inline Ymd DaysFromToday(int days) {
  Ymd d = TodayYmd();
  AddDays(d.year, d.month, d.day, days);
  return d;
}

// "2026/5/3" as the data files write a date.
inline std::string DateText(const Ymd& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d/%d", d.year, d.month, d.day);
  return text;
}

inline std::wstring WideText(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// One line of TEMPERATURE_DATA.dat as written on disk.
inline std::string TemperatureLine(const Ymd& d, const char* temperature, int period) {
  return DateText(d) + "," + temperature + "," + std::to_string(period) + "\r\n";
}

// One line of WEIGHT_DATA.dat as written on disk.
inline std::string WeightLine(const Ymd& d, const char* weight) { return DateText(d) + "," + weight + "\r\n"; }

// Sample records from `daysBack` days ago to `daysBackEnd` days ago (0: today): a low phase,
// then a high phase, a period start every 28 days, and a weight that wanders a little.
struct SampleRecords {
  std::string temperatures, weights;
};

inline SampleRecords SampleCycles(int daysBack, int daysBackEnd) {
  SampleRecords records;
  for (int i = daysBack; i >= daysBackEnd; --i) {
    const Ymd d = DaysFromToday(-i);
    const int phase = (daysBack - i) % 28;
    const double t = phase < 14 ? 36.25 + 0.01 * (phase % 5) : 36.70 + 0.02 * (phase % 4);
    char value[16];
    std::snprintf(value, sizeof value, "%.2f", t);
    records.temperatures += TemperatureLine(d, value, phase == 0 ? 1 : 0);
    std::snprintf(value, sizeof value, "%.1f", 50.0 + 0.1 * (i % 7));
    records.weights += WeightLine(d, value);
  }
  return records;
}

// TEMPERATURE_DATA.dat with `days` days from `first`: a weekly zigzag between 36.20 and 36.80,
// a period start every 28 days.
inline std::string ZigzagTemperatures(const Ymd& first, int days) {
  std::string lines;
  for (int i = 0; i < days; ++i) {
    Ymd d = first;
    AddDays(d.year, d.month, d.day, i);
    const char* values[] = {"36.20", "36.35", "36.50", "36.65", "36.80", "36.70", "36.40"};
    lines += TemperatureLine(d, values[i % 7], i % 28 == 0 ? 1 : 0);
  }
  return lines;
}

// Tovela.ini of the printing tests: black frame and text, grey grid, blue average line, and a red
// curve distinct from every other colour of the page.
inline constexpr char kPrintColoursIni[] =
    "[Tovela]\r\nBaseColor=0,0,0\r\nGraphGridColor=160,160,160\r\nGraphColor=255,0,0\r\n"
    "StringColor=0,0,0\r\nBaseTempeLineColor=0,0,255\r\n";

// One line of MEMO_DATA.dat (UTF-16LE) as written on disk.
inline std::string MemoLine(const Ymd& d, const std::wstring& text) {
  const std::string date = DateText(d);
  return Utf16Bytes(std::wstring(date.begin(), date.end()) + L"," + text + L"\r\n");
}

// "%d/%d/%dのデータが%sされました。"
inline std::wstring DoneText(const Ymd& d, const std::wstring& verb) {
  const std::string date = DateText(d);
  return std::wstring(date.begin(), date.end()) + L"のデータが" + verb + L"されました。";
}

inline constexpr wchar_t kInputErrorCaption[] = L"入力エラーです。";
inline constexpr wchar_t kDoneCaption[] = L"データの更新が完了しました。";
inline constexpr wchar_t kTemperatureError[] = L"基礎体温の入力に誤りがあります。\n正しく入力してください。";
inline constexpr wchar_t kWeightError[] = L"体重の入力に誤りがあります。\n正しく入力してください。";
inline constexpr wchar_t kUnsavedInputText[] = L"入力した内容が保存されていません。保存しますか？";
inline constexpr wchar_t kSaveFailedText[] =
    L"データの保存に失敗しました。\n外部からファイルがアクセスされていないかご確認ください。";

// The save-failed message naming the files that could not be written ("、" between names).
inline std::wstring SaveFailedNaming(const std::wstring& names) {
  return std::wstring(kSaveFailedText) + L"\n保存できなかったファイル: " + names;
}

inline bool SameDay(const Ymd& a, const Ymd& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

// Screenshots of the program's windows at a test's first failure, while they still show what
// went wrong (most tests close the program before they end), into
// <artifacts>\failures\<Suite.Name>.
class FailureScreenshots : public ::testing::EmptyTestEventListener {
 public:
  // The program of the test that runs now (null: none).
  static void Watch(const TovelaProcess* process) {
    static const bool added = [] {
      ::testing::UnitTest::GetInstance()->listeners().Append(new FailureScreenshots);
      return true;
    }();
    (void)added;
    app_ = process;
    taken_ = false;
  }

  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!result.failed() || app_ == nullptr || taken_ || test == nullptr) return;
    taken_ = true;
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name) {
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '_';
    }
    app_->ScreenshotWindows(L"failures\\" + WideText(name));
  }

 private:
  static inline const TovelaProcess* app_ = nullptr;
  static inline bool taken_ = false;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startDay_ = TodayYmd();
    FailureScreenshots::Watch(&app);
    ASSERT_TRUE(install.Ready()) << "Tovela.exe not found: set TOVELA_BIN_DIR";
  }

  // A test that ran across midnight says so: the program and the test may have taken "today" on
  // different days (scripts/run_gtest.py runs it again).
  void TearDown() override {
    FailureScreenshots::Watch(nullptr);
    const Ymd endDay = TodayYmd();
    if (!SameDay(startDay_, endDay)) {
      std::printf("[ DAY      ] the calendar day changed while this test ran (%s -> %s)\n",
                  DateText(startDay_).c_str(), DateText(endDay).c_str());
    }
  }

  // Starts an ordinary run and waits for its visible main window.
  void Start(const std::wstring& arguments = L"") {
    app = install.Launch(arguments);
    ASSERT_TRUE(app.Started());
    ASSERT_NE(app.WaitForMainWindow(), nullptr) << "main window did not appear";
  }

  // Closes the running program and expects it to end with exit code 0.
  void Close() { ASSERT_TRUE(app.CloseAndWait()) << "program did not end after WM_CLOSE"; }

  std::wstring Text(int id) const { return GetText(app.Control(id)); }
  bool Enabled(int id) const { return IsWindowEnabled(app.Control(id)) != FALSE; }

  // Shows a day in the side panel as a user picking it in the date picker would, and waits
  // until the panel shows it: the average's label first gets a mark that showing any day
  // replaces. (A mark in an entry field would be input the panel asks about before it moves.)
  // With input not yet stored in the panel, the panel's question comes first: `unsavedAnswer`
  // (IDYES, IDNO) answers it; 0 expects none.
  void PickDay(const Ymd& d, int unsavedAnswer = 0) {
    HWND mark = app.Control(kAverageValueId);
    ASSERT_TRUE(SetText(mark, L"#"));
    ASSERT_TRUE(app.SetDate(app.Control(kDatePickerId), d.year, d.month, d.day, true));
    if (unsavedAnswer != 0) {
      const MessageBoxText box = app.WaitForMessageBox();
      ASSERT_EQ(box.text, kUnsavedInputText);
      ASSERT_TRUE(box.Answer(unsavedAnswer));
    }
    ASSERT_TRUE(WaitUntil([&] { return GetText(mark) != L"#"; })) << "panel did not show the day";
  }

  // Closes the program that holds input not yet stored in its panel, answering the question
  // with `answer`, and expects it to end with exit code 0.
  void CloseAnswering(int answer) {
    PostMessageW(app.MainWindow(), WM_CLOSE, 0, 0);
    const MessageBoxText box = app.WaitForMessageBox();
    ASSERT_EQ(box.text, kUnsavedInputText);
    ASSERT_TRUE(box.Answer(answer));
    ASSERT_EQ(app.WaitForExit(), 0u) << "program did not end after the question";
  }

  // Returns once the program has handled every message posted to it so far. Posted messages are
  // handled in order, but a sent one overtakes them: so post a new text limit to the weight
  // field and wait until a sent query sees it (a limit is no input the panel asks about). The
  // field's limit is put back afterwards.
  void WaitForPostedMessages() const {
    HWND edit = app.Control(kWeightEditId);
    DWORD_PTR limit = 0;
    SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &limit);
    const WPARAM mark = limit == 12345 ? 12346 : 12345;
    PostMessageW(edit, EM_SETLIMITTEXT, mark, 0);
    ASSERT_TRUE(WaitUntil([&] {
      DWORD_PTR now = 0;
      SendMessageTimeoutW(edit, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &now);
      return now == mark;
    }));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(edit, EM_SETLIMITTEXT, limit, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  }

  // Presses a side-panel button and reads the message box it opens.
  MessageBoxText Press(int buttonId) const { return app.PressAndReadMessage(app.Control(buttonId)); }

  TovelaInstall install;
  TovelaProcess app;

 private:
  Ymd startDay_;
};

}  // namespace e2e
