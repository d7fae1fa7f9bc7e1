#include "page_images.h"

#include <cmath>
#include <cstdio>

#include "number_text.h"
#include "print_chart_view.h"
#include "print_page_plan.h"

namespace {

constexpr long double kMillimetresPerInch = 25.4L;

// "YYYYMMDD".
std::u16string CompactDate(const DateYmd& d) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
  return AsciiText(text);
}

std::u16string FileNames(const std::vector<std::filesystem::path>& files) {
  std::u16string names;
  for (const std::filesystem::path& file : files) names += u"\n" + file.filename().u16string();
  return names;
}

}  // namespace

PixelSize A4LandscapePixels(int dpi) {
  const auto pixels = [dpi](long double millimetres) {
    return static_cast<int>(std::lround(millimetres / kMillimetresPerInch * dpi));
  };
  return PixelSize{pixels(297.0L), pixels(210.0L)};
}

int PageImageCount(const DateYmd& from, const DateYmd& to, const SignStore* signs) {
  const PixelSize page = A4LandscapePixels(kPageImageDpi);
  const auto layout =
      CreatePrintChartView(page.width, page.height, nullptr, 0.0, ColorScheme{}, nullptr, signs);
  return static_cast<int>(PlanPrintPages(from, to, DaysPerPrintPage(*layout)).size());
}

std::u16string DefaultPageImageName(const DateYmd& from, const DateYmd& to) {
  return u"Tovela-" + CompactDate(from) + u"-" + CompactDate(to) + u".png";
}

std::vector<std::filesystem::path> PageImageFiles(const std::filesystem::path& chosen,
                                                  int pageCount) {
  if (pageCount <= 1) return {chosen};
  std::vector<std::filesystem::path> files;
  const std::u16string name = chosen.stem().u16string();
  const std::u16string extension = chosen.extension().u16string();
  for (int page = 1; page <= pageCount; ++page) {
    const std::u16string number = AsciiText(std::to_string(page));
    files.push_back(chosen.parent_path() / (name + u"-" + number + extension));
  }
  return files;
}

std::u16string PageImagesSavedText(const std::vector<std::filesystem::path>& files) {
  const std::u16string folder = files.empty() ? u"" : files.front().parent_path().u16string();
  return u"グラフを" + AsciiText(std::to_string(files.size())) + u"枚の画像に保存しました。\n\n保存先: " +
         folder + FileNames(files);
}

std::u16string PageImagesOverwriteText(const std::vector<std::filesystem::path>& existing) {
  return u"次のファイルは既にあります。上書きしますか？\n" + FileNames(existing);
}

std::u16string PageImageNotWrittenText(const std::filesystem::path& file) {
  return u"画像を保存できませんでした。\n" + file.u16string() +
         u"\n\n保存先のフォルダやファイルに書き込めないか、ディスクの空きが足りません。"
         u"保存先を確かめて、もう一度保存してください。";
}
