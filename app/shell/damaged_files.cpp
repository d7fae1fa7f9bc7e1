#include "damaged_files.h"

#include "number_text.h"

void NoteDamagedFile(const std::filesystem::path& file, std::size_t skippedLines,
                     const LocalTime& now, std::vector<DamagedFile>& damaged) {
  if (skippedLines == 0) return;
  damaged.push_back(DamagedFile{file.filename().u16string(), skippedLines, KeepDamagedCopy(file, now)});
}

void NoteDamagedFileAtSave(const std::filesystem::path& file, std::size_t lines,
                           std::vector<DamagedFile>& damaged) {
  if (lines != 0) damaged.push_back(DamagedFile{file.filename().u16string(), lines, true});
}

std::u16string DamagedFilesText(const std::vector<DamagedFile>& damaged) {
  std::u16string text;
  for (const DamagedFile& file : damaged) {
    if (!text.empty()) text += u"\n\n";
    text += file.name + u" に読み込めない行が " + AsciiText(std::to_string(file.skippedLines)) +
            u" 行ありました。\n";
    text += file.copyKept ? u"元のファイルを backup\\damaged フォルダに保存しました。"
                          : u"元のファイルを backup\\damaged フォルダに保存できませんでした。";
  }
  return text;
}
