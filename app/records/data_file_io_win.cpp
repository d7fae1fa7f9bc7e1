// Win32 file access for the data files.
#include <windows.h>

#include <string>

#include "data_file_io.h"
#include "win_handles.h"

namespace data_file_io {

namespace {

using win32::KernelHandle;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// A new, empty file beside the target, opened for writing: "<target>.<n>~", a short suffix so a
// path that fits the 260-character limit still fits with it. CREATE_NEW never takes over a file
// that is already there (another instance's, or one left by a crash): the next number is tried.
KernelHandle CreateTemporaryBeside(const std::wstring& target, std::wstring& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + L"." + std::to_wstring(attempt) + L"~";
    HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return KernelHandle(handle);
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  name.clear();
  return KernelHandle();
}

}  // namespace

ReadResult ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
  bytes.clear();
  KernelHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                           : ReadResult::Unreadable;
  }
  char buffer[16384];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(handle.get(), buffer, sizeof buffer, &got, nullptr)) {
      bytes.clear();
      return ReadResult::Unreadable;
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return ReadResult::Read;
}

FileStamp ReadFileStamp(const std::filesystem::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return FileStamp{};
  const auto join = [](DWORD high, DWORD low) {
    return static_cast<std::uint64_t>(high) << 32 | static_cast<std::uint64_t>(low);
  };
  std::string bytes;
  const bool read = ReadWholeFile(file, bytes) == ReadResult::Read;
  return FileStamp{true, join(info.nFileSizeHigh, info.nFileSizeLow),
                   static_cast<std::int64_t>(join(info.ftLastWriteTime.dwHighDateTime,
                                                  info.ftLastWriteTime.dwLowDateTime)),
                   read ? BytesHash(bytes) : 0};
}

void CreateEmptyFileIfMissing(const std::filesystem::path& file) {
  KernelHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Wine's MoveFileExW replaces a read-only target (Windows refuses), so the attribute is checked
// first: a file the user marked read-only must make the save fail on both.
bool ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes,
                         const std::function<void()>& beforeReplace) {
  const std::wstring target = file.native();
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;
  }

  std::wstring temporary;
  KernelHandle handle = CreateTemporaryBeside(target, temporary);
  if (!handle.valid()) return false;
  const bool written = WriteAll(handle.get(), bytes) && FlushFileBuffers(handle.get()) != FALSE;
  const bool closed = handle.reset();
  const bool ready = written && closed;
  if (ready && beforeReplace) beforeReplace();
  if (!ready ||
      !MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace data_file_io
