// Data files whose load skipped lines: a copy of each is kept before any save can replace it,
// and the user is told once per start which files they were.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "backups.h"

struct DamagedFile {
  std::u16string name;           // "TEMPERATURE_DATA.dat"
  std::size_t skippedLines = 0;
  bool copyKept = false;         // the file as it was is in backup\damaged
};

// When the load of `file` skipped lines, keeps its copy in backup\damaged and adds the file to
// `damaged`; a clean load (0 lines) does nothing.
void NoteDamagedFile(const std::filesystem::path& file, std::size_t skippedLines,
                     const LocalTime& now, std::vector<DamagedFile>& damaged);

// When a save that read again a file its load could not read found `lines` it could not read
// whole, adds the file to `damaged`; such a save has kept the file's copy in backup\damaged
// before replacing it (data_files.h), so the notice says the copy is kept.
void NoteDamagedFileAtSave(const std::filesystem::path& file, std::size_t lines,
                           std::vector<DamagedFile>& damaged);

// One paragraph per file, separated by an empty line:
// "<name> に読み込めない行が N 行ありました。\n元のファイルを backup\damaged フォルダに保存しました。"
// When the copy could not be made the second sentence says so instead of claiming it.
std::u16string DamagedFilesText(const std::vector<DamagedFile>& damaged);

inline constexpr char16_t kDamagedFilesCaption[] = u"Tovela";
