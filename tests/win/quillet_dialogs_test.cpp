// The file dialogs driven from a second thread, the error text, and the random strings.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cwchar>
#include <string>
#include <thread>

#include "system_win.h"
#include "text.h"

namespace {

constexpr wchar_t kFilter[] = L"Log files (*.log)\0*.log\0All files (*.*)\0*.*\0";

// A hidden top-level window to own the dialogs.
class OwnerWindow {
 public:
  OwnerWindow()
      : hwnd_(CreateWindowExW(0, L"STATIC", L"quillet dialog owner", WS_OVERLAPPED, 0, 0, 100,
                              100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
  ~OwnerWindow() { DestroyWindow(hwnd_); }
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// Waits on its own thread for a dialog with the given caption, optionally types a file name into
// it, and presses a button; keeps pressing until the dialog is gone or the time runs out.
class DialogDriver {
 public:
  DialogDriver(const wchar_t* caption, std::wstring fileName, int button)
      : thread_([this, caption, fileName, button] { Run(caption, fileName, button); }) {}
  ~DialogDriver() { thread_.join(); }
  bool sawDialog() const { return sawDialog_; }

 private:
  void Run(const wchar_t* caption, const std::wstring& fileName, int button) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    HWND dialog = nullptr;
    while (dialog == nullptr && std::chrono::steady_clock::now() < deadline) {
      dialog = FindWindowW(L"#32770", caption);
      if (dialog == nullptr) Sleep(20);
    }
    if (dialog == nullptr) return;
    sawDialog_ = true;
    if (!fileName.empty()) {
      // The name field is the edit "edt1" or, in the newer template, the combo box "cmb13".
      SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(fileName.c_str()));
      SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(fileName.c_str()));
    }
    while (IsWindow(dialog) && std::chrono::steady_clock::now() < deadline) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
      for (int i = 0; i < 25 && IsWindow(dialog); ++i) Sleep(20);
    }
    if (IsWindow(dialog)) PostMessageW(dialog, WM_CLOSE, 0, 0);
  }

  std::atomic<bool> sawDialog_{false};
  std::thread thread_;
};

std::wstring TempFilePath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name + std::to_wstring(GetCurrentProcessId());
}

// The long form of a path, as the dialogs report it.
std::wstring LongPath(const std::wstring& path) {
  wchar_t full[1024] = {};
  GetLongPathNameW(path.c_str(), full, 1024);
  return full;
}

}  // namespace

TEST(FileDialogs, MissingOwnerOrFilterShowsNoDialog) {
  OwnerWindow owner;
  wchar_t path[520] = L"unchanged";
  EXPECT_EQ(quillet::OpenFileDialog(nullptr, path, kFilter), -1);
  EXPECT_EQ(quillet::OpenFileDialog(owner.get(), path, nullptr), -1);
  EXPECT_EQ(quillet::SaveFileDialog(nullptr, path, kFilter, L"log"), -1);
  EXPECT_EQ(quillet::SaveFileDialog(owner.get(), path, nullptr, L"log"), -1);
  EXPECT_EQ(quillet::SaveFileDialogIn(nullptr, path, kFilter, L"log", nullptr, 1), -1);
  EXPECT_EQ(quillet::SaveFileDialogIn(owner.get(), path, nullptr, L"log", nullptr, 1), -1);
  EXPECT_STREQ(path, L"unchanged");
}

TEST(FileDialogs, CancelGivesMinusOneAndKeepsTheBuffer) {
  OwnerWindow owner;
  wchar_t path[520] = L"unchanged";
  {
    DialogDriver driver(L"ファイルオープン！", L"", IDCANCEL);
    EXPECT_EQ(quillet::OpenFileDialog(owner.get(), path, kFilter), -1);
    EXPECT_TRUE(driver.sawDialog());
  }
  {
    DialogDriver driver(L"ファイルを保存！", L"", IDCANCEL);
    EXPECT_EQ(quillet::SaveFileDialog(owner.get(), path, kFilter, L"log"), -1);
    EXPECT_TRUE(driver.sawDialog());
  }
  EXPECT_STREQ(path, L"unchanged");
}

TEST(FileDialogs, OpenReturnsTheChosenExistingFile) {
  OwnerWindow owner;
  std::wstring file = TempFilePath(L"quillet_open_") + L".log";
  ASSERT_EQ(quillet::AddLog(file.c_str(), L"x"), 0);
  wchar_t path[520] = {};
  int result = 0;
  {
    DialogDriver driver(L"ファイルオープン！", file, IDOK);
    result = quillet::OpenFileDialog(owner.get(), path, kFilter);
    EXPECT_TRUE(driver.sawDialog());
  }
  EXPECT_EQ(result, 1);
  EXPECT_EQ(LongPath(path), LongPath(file));
  DeleteFileW(file.c_str());
}

TEST(FileDialogs, SaveAddsTheDefaultExtension) {
  OwnerWindow owner;
  std::wstring bare = TempFilePath(L"quillet_save_");
  wchar_t path[520] = {};
  int result = 0;
  {
    DialogDriver driver(L"ファイルを保存！", bare, IDOK);
    result = quillet::SaveFileDialog(owner.get(), path, kFilter, L"log");
    EXPECT_TRUE(driver.sawDialog());
  }
  EXPECT_EQ(result, 1);
  std::wstring chosen(path);
  ASSERT_GE(chosen.size(), 4u);
  EXPECT_EQ(chosen.substr(chosen.size() - 4), L".log");
  EXPECT_NE(chosen.find(L"quillet_save_"), std::wstring::npos);
}

namespace {

struct OwnedSearch {
  HWND owner;
  HWND found;
};

// A dialog (such as a message box) owned by `owner`, or null.
HWND FindOwnedDialog(HWND owner) {
  OwnedSearch search = {owner, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<OwnedSearch*>(param);
        wchar_t className[16] = {};
        GetClassNameW(hwnd, className, 16);
        if (wcscmp(className, L"#32770") == 0 && GetWindow(hwnd, GW_OWNER) == s->owner &&
            IsWindowVisible(hwnd)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <typename Condition>
bool WaitFor(Condition condition) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace

// Choosing an existing file asks before overwriting it; answering No keeps the dialog open.
TEST(FileDialogs, SaveAsksBeforeOverwriting) {
  OwnerWindow owner;
  std::wstring file = TempFilePath(L"quillet_exists_") + L".log";
  ASSERT_EQ(quillet::AddLog(file.c_str(), L"x"), 0);
  std::atomic<bool> prompted{false};
  std::thread driver([&] {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindWindowW(L"#32770", L"ファイルを保存！")) != nullptr; })) {
      return;
    }
    SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(file.c_str()));
    SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND prompt = nullptr;
    if (WaitFor([&] { return (prompt = FindOwnedDialog(dialog)) != nullptr; })) {
      prompted = true;
      PostMessageW(prompt, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
      WaitFor([&] { return !IsWindow(prompt); });
    }
    while (IsWindow(dialog)) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      for (int i = 0; i < 25 && IsWindow(dialog); ++i) Sleep(20);
    }
  });
  wchar_t path[520] = L"unchanged";
  int result = quillet::SaveFileDialog(owner.get(), path, kFilter, L"log");
  driver.join();
  EXPECT_TRUE(prompted);
  EXPECT_EQ(result, -1);
  EXPECT_STREQ(path, L"unchanged");
  DeleteFileW(file.c_str());
}

// The dialog opens in the folder with the suggested name, which OK takes as it is; without the
// question, an existing file of that name is chosen at once.
TEST(FileDialogs, SaveInAFolderTakesTheSuggestedNameWithoutAskingWhenToldSo) {
  OwnerWindow owner;
  const std::wstring file = TempFilePath(L"quillet_suggested_") + L".log";
  ASSERT_EQ(quillet::AddLog(file.c_str(), L"x"), 0);
  const std::wstring folder = file.substr(0, file.find_last_of(L'\\'));
  wchar_t path[520] = {};
  file.substr(folder.size() + 1).copy(path, 519);
  int result = 0;
  {
    DialogDriver driver(L"ファイルを保存！", L"", IDOK);
    result = quillet::SaveFileDialogIn(owner.get(), path, kFilter, L"log", folder.c_str(), 0);
    EXPECT_TRUE(driver.sawDialog());
  }
  EXPECT_EQ(result, 1);
  EXPECT_EQ(LongPath(path), LongPath(file));
  DeleteFileW(file.c_str());
}

TEST(ErrorText, DescribesTheLastErrorAndClearsTheRest) {
  wchar_t message[256];
  wmemset(message, L'#', 256);
  SetLastError(ERROR_FILE_NOT_FOUND);
  quillet::ShowError(message);
  size_t length = wcsnlen(message, 256);
  EXPECT_GT(length, 0u);
  EXPECT_LT(length, 256u);
  for (size_t i = length; i < 256; ++i) ASSERT_EQ(message[i], L'\0') << "at " << i;
}

TEST(ErrorText, UnknownCodeLeavesTheBufferEmpty) {
  wchar_t message[256];
  wmemset(message, L'#', 256);
  SetLastError(0x2BADF00D);
  quillet::ShowError(message);
  for (size_t i = 0; i < 256; ++i) ASSERT_EQ(message[i], L'\0') << "at " << i;
}

TEST(RandomString, NothingForZeroOrNegativeCounts) {
  wchar_t buffer[] = L"untouched";
  quillet::GetRandomString(buffer, 0);
  EXPECT_STREQ(buffer, L"untouched");
  quillet::GetRandomString(buffer, -5);
  EXPECT_STREQ(buffer, L"untouched");
}

TEST(RandomString, WritesExactlyTheCountFromTheAlphabet) {
  constexpr int kCount = 10000;  // more than one block of random values
  static wchar_t buffer[kCount + 1];
  wmemset(buffer, L'#', kCount + 1);
  quillet::GetRandomString(buffer, kCount);
  EXPECT_EQ(buffer[kCount], L'#');  // no terminator, nothing past the count
  const std::wstring alphabet(quillet::kPlainAlphabet, quillet::kAlphabetSize);
  bool seen[quillet::kAlphabetSize] = {};
  for (int i = 0; i < kCount; ++i) {
    size_t index = alphabet.find(buffer[i]);
    ASSERT_NE(index, std::wstring::npos) << "at " << i;
    seen[index] = true;
  }
  // 10000 draws miss one of 62 characters with a chance below 1e-68.
  for (int i = 0; i < quillet::kAlphabetSize; ++i) EXPECT_TRUE(seen[i]) << "character " << i;
}

TEST(RandomString, TwoDrawsDiffer) {
  wchar_t first[65] = {};
  wchar_t second[65] = {};
  quillet::GetRandomString(first, 64);
  quillet::GetRandomString(second, 64);
  EXPECT_STRNE(first, second);
}
