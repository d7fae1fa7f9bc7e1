// The printed pages as pictures: their size, how many a range makes and the files they go to.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data_files.h"
#include "page_images.h"

namespace {

namespace fs = std::filesystem;

TEST(PageImages, AnA4LandscapeSheetRoundsEachSideToTheNearestPixel) {
  const struct {
    int dpi, width, height;
  } cases[] = {{200, 2339, 1654}, {300, 3508, 2480}, {96, 1123, 794}};
  for (const auto& c : cases) {
    const PixelSize size = A4LandscapePixels(c.dpi);
    EXPECT_EQ(size.width, c.width) << c.dpi;
    EXPECT_EQ(size.height, c.height) << c.dpi;
  }
}

// 63 days fit a picture, so the pages start at from, from + 63, ...; one picture keeps the chosen
// name, several are numbered from 1 beside it.
TEST(PageImages, RangeMakesAsManyPicturesAsPrintedPagesNamedAfterTheChosenFile) {
  const fs::path chosen = fs::path("images") / "chart.png";
  const struct {
    DateYmd from, to;
    std::vector<std::string> names;
  } cases[] = {
      {{2007, 1, 1}, {2007, 1, 1}, {"chart.png"}},
      {{2007, 1, 1}, {2007, 3, 4}, {"chart.png"}},                    // 63 days
      {{2007, 1, 1}, {2007, 3, 5}, {"chart-1.png", "chart-2.png"}},  // 64 days
      {{2026, 12, 7}, {2026, 11, 1}, {"chart.png"}},                 // to before from
      {{2024, 1, 1}, {2024, 12, 31}, {"chart-1.png", "chart-2.png", "chart-3.png", "chart-4.png",
                                      "chart-5.png", "chart-6.png"}},
  };
  for (const auto& c : cases) {
    const std::vector<fs::path> files = PageImageFiles(chosen, PageImageCount(c.from, c.to));
    std::vector<std::string> names;
    for (const fs::path& file : files) {
      EXPECT_EQ(file.parent_path(), chosen.parent_path());
      names.push_back(file.filename().string());
    }
    EXPECT_EQ(names, c.names) << c.from.year << "/" << c.from.month << "/" << c.from.day << " - "
                              << c.to.year << "/" << c.to.month << "/" << c.to.day;
  }
  // The signs band makes the plot lower and its days narrower: 64 days fit one picture then, as
  // they fit the page the pictures are drawn on.
  SignStore signs;
  ReadDataBytes("2007/1/2,3,,\r\n", signs);
  EXPECT_EQ(PageImageCount({2007, 1, 1}, {2007, 3, 5}, &signs), 1);
}

TEST(PageImages, DefaultNameCarriesBothDatesAndTheMessagesNameTheFiles) {
  EXPECT_EQ(DefaultPageImageName(DateYmd{2026, 1, 5}, DateYmd{2026, 12, 31}),
            u"Tovela-20260105-20261231.png");
  const fs::path folder = fs::path("clinic");
  const std::vector<fs::path> files = {folder / "a-1.png", folder / "a-2.png"};
  EXPECT_EQ(PageImagesSavedText(files),
            u"グラフを2枚の画像に保存しました。\n\n保存先: clinic\na-1.png\na-2.png");
  EXPECT_EQ(PageImagesOverwriteText({files[1]}), u"次のファイルは既にあります。上書きしますか？\n\na-2.png");
  EXPECT_NE(PageImageNotWrittenText(files[0]).find(u"\n" + files[0].u16string() + u"\n"),
            std::u16string::npos);
}

}  // namespace
