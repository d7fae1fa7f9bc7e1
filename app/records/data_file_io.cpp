// POSIX file access for the data files (the native build; Windows has data_file_io_win.cpp).
#include "data_file_io.h"

#if !defined(_WIN32)

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace data_file_io {

namespace {

// Closes the descriptor on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

ReadResult ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
  bytes.clear();
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Unreadable;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadResult::Unreadable;
  char buffer[16384];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return ReadResult::Unreadable;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return ReadResult::Read;
}

FileStamp ReadFileStamp(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return FileStamp{};
  std::string bytes;
  const bool read = ReadWholeFile(file, bytes) == ReadResult::Read;
  return FileStamp{true, static_cast<std::uint64_t>(info.st_size),
                   static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                       info.st_mtim.tv_nsec,
                   read ? BytesHash(bytes) : 0};
}

void CreateEmptyFileIfMissing(const std::filesystem::path& file) {
  FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
}

// The write permission bit is checked by hand: a privileged process could otherwise replace a
// file its owner marked read-only, and the program treats read-only as "do not write".
bool ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes,
                         const std::function<void()>& beforeReplace) {
  struct stat old {};
  mode_t mode = 0644;
  if (::stat(file.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode) || (old.st_mode & S_IWUSR) == 0) return false;
    mode = old.st_mode & 07777;
  } else if (errno != ENOENT) {
    return false;
  }

  std::string pattern = file.string() + ".saving-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  FileDescriptor fd(::mkstemp(name.data()));
  if (fd.get() < 0) return false;
  const bool written = WriteAll(fd.get(), bytes) && ::fchmod(fd.get(), mode) == 0 &&
                       ::fsync(fd.get()) == 0;
  const bool closed = fd.Close();
  const bool ready = written && closed;
  if (ready && beforeReplace) beforeReplace();
  if (!ready || ::rename(name.data(), file.c_str()) != 0) {
    ::unlink(name.data());
    return false;
  }
  return true;
}

}  // namespace data_file_io

#endif  // !_WIN32
