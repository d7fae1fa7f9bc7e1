// Whole-file reads and safe whole-file replacement for the data files. One implementation per
// platform: data_file_io.cpp (POSIX, the native build) and data_file_io_win.cpp (Win32).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace data_file_io {

enum class ReadResult {
  Read,        // `bytes` holds the whole file
  Missing,     // no such file
  Unreadable,  // the file (or something else by that name) exists but could not be read
};

ReadResult ReadWholeFile(const std::filesystem::path& file, std::string& bytes);

// A file's size, last-write time (in the platform's own ticks) and a hash of its bytes, enough
// to see that someone else wrote it since it was last read or written here. The hash catches
// what the other two miss: a change of the same size within one tick of the file system's clock
// (FAT32 counts in 2 seconds).
struct FileStamp {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t writeTime = 0;
  std::uint64_t contentHash = 0;  // BytesHash of the whole file; 0 when it could not be read

  bool operator==(const FileStamp&) const = default;
};

// 64-bit FNV-1a of the bytes: cheap, and the data files are small.
inline std::uint64_t BytesHash(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

// The stamp of `file`; `exists` false when there is no plain file of that name. Reads the file
// whole for its hash.
FileStamp ReadFileStamp(const std::filesystem::path& file);

// Creates an empty file when none exists; an existing file is never opened for writing.
void CreateEmptyFileIfMissing(const std::filesystem::path& file);

// Writes `bytes` to a new file in the same folder, flushes it to disk and puts it in the place of
// `file` in one step. false when the target is read-only or not a plain file, or when any step
// fails; the old file is then untouched and the temporary file removed. `beforeReplace`, when
// given, runs once the new contents are safely on disk and just before the old file is replaced
// (the old file is still there to be copied); what it does cannot stop the replacement.
bool ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes,
                         const std::function<void()>& beforeReplace = {});

}  // namespace data_file_io
