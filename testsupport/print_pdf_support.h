// Test support for printing to the test PDF printer (tests/setup.d/pdf-printer.sh): finding the
// PDF a job produced, reading its page count, size and rotation with pdfinfo, and rendering a page
// with pdftoppm. Used by the Wine unit tests and the end-to-end tests.
//
// The Linux tools run as Unix processes started from the Windows side (Wine starts an ELF program
// given by its Z: path). Wine does not hand back a waitable handle for them, so each run writes
// its output and, last, a status file that the test polls for.
//
// Environment (read as UTF-16, so paths in any script reach the tests intact): TOVELA_PDF_DIR, the
// printer's output folder (a Unix path; set only when the test printer works);
// TOVELA_REQUIRE_PRINTER=1 under the test command; TOVELA_ARTIFACTS, where rendered pages go (the
// current folder when unset). A test holds `PrinterLock` from before its job until it has read
// the job's PDF, so the new file it finds is its own. The printer leaves each job in the output
// folder either as a whole PDF or as "job_<N>.failed", one line saying why.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "artifacts_folder_win.h"

namespace print_test {

using Clock = std::chrono::steady_clock;
inline constexpr std::chrono::milliseconds kToolTimeout{60000};

inline std::string Narrow(const std::wstring& text);

// An environment variable in UTF-8 ("" when unset).
inline std::string Env(const char* name) {
  const std::wstring wide(name, name + std::char_traits<char>::length(name));
  const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
  if (size == 0) return std::string();
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(wide.c_str(), value.data(), size);
  value.resize(length < size ? length : 0);
  return Narrow(value);
}

inline std::wstring Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

inline std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

// "/work/x/y" -> "Z:\work\x\y"; a path that already has a drive is kept.
inline std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring path = Widen(unixPath);
  if (path.size() >= 2 && path[1] == L':') return path;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return L"Z:" + path;
}

// The printer's output folder (Unix path): TOVELA_PDF_DIR, exported by tests/setup.d/pdf-printer.sh
// only once a first job came out as a PDF; "" when there is no test printer.
inline std::string PdfFolder() { return Env("TOVELA_PDF_DIR"); }

// What keeps the printing tests from running; "" when the test printer is there.
inline std::string MissingPrinter() {
  const std::string folder = PdfFolder();
  if (folder.empty()) {
    return "no test printer: TOVELA_PDF_DIR is not set (tests/setup.d/pdf-printer.sh did not set "
           "up the PDF printer; its message tells why)";
  }
  const DWORD attributes = GetFileAttributesW(WindowsPath(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return "no test printer: its output folder " + folder + " does not exist";
  }
  return std::string();
}

// The test command (TOVELA_REQUIRE_PRINTER=1) needs the printer: without it a printing test
// fails. Only a test binary run by hand skips, and says so.
#define TOVELA_NEED_TEST_PRINTER()                                                             \
  do {                                                                                         \
    const std::string missing_ = print_test::MissingPrinter();                                 \
    if (!missing_.empty()) {                                                                   \
      if (print_test::Env("TOVELA_REQUIRE_PRINTER") == "1") FAIL() << missing_;                \
      GTEST_SKIP() << missing_ << "; skipped because TOVELA_REQUIRE_PRINTER is not 1 (a run by " \
                   << "hand: source tests/setup.d/pdf-printer.sh first to test printing)";      \
    }                                                                                          \
  } while (false)

// Serialises printing between test programs, also of other test runs on the machine (the printer
// and its output folder may be shared when runs are given one TOVELA_PDF_DIR): held from before a
// job until its PDF has been read. A file lock in the output folder, so a crashed holder releases
// it; waiting polls, up to five minutes.
class PrinterLock {
 public:
  PrinterLock() {
    const std::string folder = PdfFolder();
    if (folder.empty()) return;
    file_ = CreateFileW((WindowsPath(folder) + L"\\.print-tests.lock").c_str(),
                        GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    const auto end = Clock::now() + std::chrono::minutes(5);
    while (Clock::now() < end) {
      OVERLAPPED at{};
      if (LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        locked_ = true;
        return;
      }
      Sleep(20);
    }
  }
  ~PrinterLock() {
    if (locked_) {
      OVERLAPPED at{};
      UnlockFileEx(file_, 0, 1, 0, &at);
    }
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  PrinterLock(const PrinterLock&) = delete;
  PrinterLock& operator=(const PrinterLock&) = delete;
  bool Locked() const { return locked_; }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool locked_ = false;
};

// Takes a printer out of the Wine prefix for the life of this object and then puts it back as it
// was (port, driver, settings) and makes it the default printer again: for a program that must
// find no printer at all. Hold `PrinterLock` around it.
class PrinterAbsence {
 public:
  explicit PrinterAbsence(const wchar_t* name) : name_(name) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(name_.data(), &printer, &access)) return;
    DWORD size = 0;
    GetPrinterW(printer, 2, nullptr, 0, &size);
    saved_.resize(size);
    removed_ = size > 0 && GetPrinterW(printer, 2, saved_.data(), size, &size) &&
               DeletePrinter(printer);
    ClosePrinter(printer);
  }
  ~PrinterAbsence() {
    if (!removed_) return;
    HANDLE added = AddPrinterW(nullptr, 2, saved_.data());
    if (added != nullptr) ClosePrinter(added);
    SetDefaultPrinterW(name_.c_str());
  }
  PrinterAbsence(const PrinterAbsence&) = delete;
  PrinterAbsence& operator=(const PrinterAbsence&) = delete;
  bool Removed() const { return removed_; }

 private:
  std::wstring name_;
  std::vector<BYTE> saved_;
  bool removed_ = false;
};

// Where rendered pages go (Unix path when given as one; else the test program's artifacts folder,
// test_support::ArtifactsFolderPath).
inline std::string ArtifactsFolder() {
  std::string folder = Env("TOVELA_ARTIFACTS");
  if (folder.empty()) {
    // Z:\work\x -> /work/x for the Unix tools.
    std::string path = Narrow(test_support::ArtifactsFolderPath());
    if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') {
      path = path.substr(2);
      for (char& c : path) {
        if (c == '\\') c = '/';
      }
    }
    folder = path;
  }
  return folder;
}

inline bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  CloseHandle(file);
  return true;
}

inline bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// A Unix shell command's exit status and combined output.
struct ToolResult {
  bool finished = false;  // false: could not start, or no status within the timeout
  int status = -1;
  std::string output;
};

// A new folder under /tmp that belongs to this call alone (Unix path; "" when none could be
// made). Process ids do not tell test programs apart: every Wine prefix numbers its processes
// alike, so test runs side by side run their test programs under the same id and take the same
// steps. The folder is claimed by creating it, which fails when it exists.
inline std::string NewWorkFolder(const std::string& prefix) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string path = "/tmp/" + prefix + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount64()) + "-" + std::to_string(++counter);
    if (CreateDirectoryW(WindowsPath(path).c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return std::string();
}

// Runs `command` with /bin/sh as a Unix process and waits (polling) for it to finish.
inline ToolResult RunUnix(const std::string& command,
                          std::chrono::milliseconds timeout = kToolTimeout) {
  ToolResult result;
  const std::string work = NewWorkFolder("tovela-print-test-");
  if (work.empty()) return result;
  const std::string script = work + "/run.sh";
  const std::string body = "#!/bin/sh\n( " + command + " ) >'" + work + "/out' 2>&1\n" +
                           "echo $? >'" + work + "/status.tmp'\n" + "mv '" + work +
                           "/status.tmp' '" + work + "/status'\n";
  if (!WriteWholeFile(WindowsPath(script), body)) return result;

  std::wstring commandLine = L"Z:\\bin\\sh " + Widen(script);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return result;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  const std::wstring statusPath = WindowsPath(work + "/status");
  const auto end = Clock::now() + timeout;
  std::string status;
  while (!ReadWholeFile(statusPath, status)) {
    if (Clock::now() >= end) return result;
    Sleep(20);
  }
  result.finished = true;
  result.status = std::atoi(status.c_str());
  ReadWholeFile(WindowsPath(work + "/out"), result.output);
  DeleteFileW(statusPath.c_str());
  DeleteFileW(WindowsPath(work + "/out").c_str());
  DeleteFileW(WindowsPath(script).c_str());
  RemoveDirectoryW(WindowsPath(work).c_str());
  return result;
}

inline bool IsFailedJob(const std::string& name) {
  return name.size() > 7 && name.compare(name.size() - 7, 7, ".failed") == 0;
}

// The jobs' results now in the printer's output folder: the names of the PDFs and of the notes of
// jobs that failed ("job_<N>.failed").
inline std::set<std::string> PdfFiles() {
  std::set<std::string> names;
  const std::string folder = PdfFolder();
  if (folder.empty()) return names;
  for (const wchar_t* pattern : {L"\\*.pdf", L"\\*.failed"}) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((WindowsPath(folder) + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      names.insert(Narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  return names;
}

// What pdfinfo says about a document.
struct PdfInfo {
  bool valid = false;
  int pages = 0;
  double width = 0, height = 0;  // points, as stored (before rotation)
  int rotation = 0;              // of page 1
  std::string title;             // the document name the job was given
  std::string text;
  // A4 in either orientation of the media box (595 x 842 points).
  bool IsA4() const {
    auto around = [](double a, double b) { return a > b - 2 && a < b + 2; };
    return (around(width, 595.3) && around(height, 841.9)) ||
           (around(width, 841.9) && around(height, 595.3));
  }
  // The page as shown is wider than high.
  bool IsLandscape() const {
    const bool turned = rotation == 90 || rotation == 270;
    return turned ? height > width : width > height;
  }
};

inline PdfInfo ParsePdfInfo(const std::string& text) {
  PdfInfo info;
  info.text = text;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("Title:", 0) == 0) {
      const std::size_t start = line.find_first_not_of(' ', 6);
      info.title = start == std::string::npos ? std::string() : line.substr(start);
    } else if (line.rfind("Pages:", 0) == 0) {
      info.pages = std::atoi(line.c_str() + 6);
    } else if (line.rfind("Page size:", 0) == 0) {
      std::sscanf(line.c_str() + 10, " %lf x %lf", &info.width, &info.height);
    } else if (line.rfind("Page rot:", 0) == 0) {
      info.rotation = std::atoi(line.c_str() + 9);
    }
  }
  info.valid = info.pages > 0 && info.width > 0 && info.height > 0;
  return info;
}

// pdfinfo of a document (the printer renames a PDF into place only once it is whole).
inline PdfInfo ReadPdfInfo(const std::string& pdfPath) {
  const ToolResult run = RunUnix("pdfinfo '" + pdfPath + "'");
  if (!run.finished || run.status != 0) return PdfInfo{};
  return ParsePdfInfo(run.output);
}

// Waits for a PDF that was not in `before` and for pdfinfo to read it. Returns its Unix path and
// fills `info`; "" when none appeared in time, or at once when the printer says the job failed
// (a test failure with the printer's reason).
inline std::string WaitForNewPdf(const std::set<std::string>& before, PdfInfo& info,
                                 std::chrono::milliseconds timeout = kToolTimeout) {
  const auto end = Clock::now() + timeout;
  for (;;) {
    for (const std::string& name : PdfFiles()) {
      if (before.count(name) != 0) continue;
      const std::string path = PdfFolder() + "/" + name;
      if (IsFailedJob(name)) {
        std::string reason;
        ReadWholeFile(WindowsPath(path), reason);
        ADD_FAILURE() << "the test printer failed the job: " << reason;
        return std::string();
      }
      info = ReadPdfInfo(path);
      if (info.valid) return path;
    }
    if (Clock::now() >= end) return std::string();
    Sleep(50);
  }
}

// Renders page 1 to <artifacts>/<name>.png; its Unix path, or "" on failure.
inline std::string RenderPagePng(const std::string& pdfPath, const std::string& name, int dpi = 100) {
  const std::string base = ArtifactsFolder() + "/" + name;
  const ToolResult run = RunUnix("pdftoppm -png -r " + std::to_string(dpi) +
                                 " -f 1 -l 1 -singlefile '" + pdfPath + "' '" + base + "'");
  return run.finished && run.status == 0 ? base + ".png" : std::string();
}

// A page rendered without anti-aliasing, as 24-bit pixels.
struct PageImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  bool Valid() const { return width > 0 && height > 0; }
  void At(int x, int y, int& r, int& g, int& b) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    r = rgb[i];
    g = rgb[i + 1];
    b = rgb[i + 2];
  }
};

inline PageImage RenderPageImage(const std::string& pdfPath, int dpi) {
  PageImage image;
  const std::string folder = NewWorkFolder("tovela-print-render-");
  if (folder.empty()) return image;
  const std::string base = folder + "/page";
  const ToolResult run = RunUnix("pdftoppm -r " + std::to_string(dpi) +
                                 " -aa no -aaVector no -f 1 -l 1 -singlefile '" + pdfPath +
                                 "' '" + base + "'");
  std::string bytes;
  const std::wstring path = WindowsPath(base + ".ppm");
  const bool read = run.finished && run.status == 0 && ReadWholeFile(path, bytes);
  DeleteFileW(path.c_str());
  RemoveDirectoryW(WindowsPath(folder).c_str());
  if (!read) return image;
  // P6 <width> <height> <maxval> then the pixels.
  std::size_t pos = 0;
  std::vector<int> header;
  if (bytes.compare(0, 2, "P6") != 0) return image;
  pos = 2;
  while (header.size() < 3 && pos < bytes.size()) {
    while (pos < bytes.size() && isspace(static_cast<unsigned char>(bytes[pos]))) ++pos;
    int value = 0;
    while (pos < bytes.size() && isdigit(static_cast<unsigned char>(bytes[pos]))) {
      value = value * 10 + (bytes[pos] - '0');
      ++pos;
    }
    header.push_back(value);
  }
  ++pos;  // the single whitespace after maxval
  if (header.size() != 3) return image;
  const std::size_t size = static_cast<std::size_t>(header[0]) * header[1] * 3;
  if (bytes.size() < pos + size) return image;
  image.width = header[0];
  image.height = header[1];
  image.rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                   bytes.begin() + static_cast<std::ptrdiff_t>(pos + size));
  return image;
}

}  // namespace print_test
