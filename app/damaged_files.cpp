#include "damaged_files.h"

void NoteDamagedFile(const std::filesystem::path& file, std::size_t skippedLines,
                     const LocalTime& now, std::vector<DamagedFile>& damaged) {
  if (skippedLines == 0) return;
  damaged.push_back(DamagedFile{file.filename().u16string(), skippedLines, KeepDamagedCopy(file, now)});
}

std::u16string DamagedFilesText(const std::vector<DamagedFile>& damaged) {
  std::u16string text;
  for (const DamagedFile& file : damaged) {
    if (!text.empty()) text += u"\n\n";
    const std::string count = std::to_string(file.skippedLines);
    text += file.name + u" に読み込めない行が " + std::u16string(count.begin(), count.end()) +
            u" 行ありました。\n";
    text += file.copyKept ? u"元のファイルを backup\\damaged フォルダに保存しました。"
                          : u"元のファイルを backup\\damaged フォルダに保存できませんでした。";
  }
  return text;
}
