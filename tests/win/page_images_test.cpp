// The printed pages saved as PNG pictures, decoded back through the system's imaging component:
// every pixel as the page function draws the page on a 200-DPI bitmap, the pages split as the
// print job splits them, and a folder that cannot be written leaves no picture behind.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "../unit/support/temp_folder.h"
#include "dates.h"
#include "page_images_win.h"
#include "record_stores.h"
#include "statistics.h"
#include "win_handles.h"

namespace {

namespace fs = std::filesystem;
using win32::ComPtr;

constexpr COLORREF kGraphRed = RGB(220, 0, 0);

// A decoded picture: its size, resolution and 24-bit rows, blue-green-red, top-down.
struct Picture {
  UINT width = 0, height = 0;
  double dpiX = 0, dpiY = 0;
  std::vector<BYTE> bgr;
};

Picture DecodePng(const fs::path& file) {
  Picture picture;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  GUID container{};
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, factory.put())) ||
      FAILED(factory->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())) ||
      FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatPng ||
      FAILED(decoder->GetFrame(0, frame.out())) ||
      FAILED(frame->GetSize(&picture.width, &picture.height)) ||
      FAILED(frame->GetResolution(&picture.dpiX, &picture.dpiY)) ||
      FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat24bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return Picture{};
  picture.bgr.resize(static_cast<size_t>(picture.width) * picture.height * 3);
  const UINT size = static_cast<UINT>(picture.bgr.size());
  if (FAILED(converter->CopyPixels(nullptr, picture.width * 3, size, picture.bgr.data())))
    return Picture{};
  return picture;
}

class PageImages : public ::testing::Test {
 protected:
  void SetUp() override {
    // Eighty days of a zigzag with a period start every 28 days, from 1 Oct 2026.
    for (int i = 0; i < 80; ++i) {
      const DateYmd d = Plus(kFrom, i);
      TemperatureRecord r{};
      r.year = d.year, r.month = d.month, r.day = d.day;
      r.temperature = 36.2 + 0.1 * (i % 8);
      r.periodStart = i % 28 == 0 ? 1 : 0;
      ASSERT_TRUE(InsertTemperature(r, store_));
    }
    graph_.Temperatures = &store_;
    graph_.FloorTemperature = ChartFloorTemperature(store_);
    graph_.Colors.GraphColor = kGraphRed;
  }

  static DateYmd Plus(const DateYmd& day, int days) {
    return FromTm(quillet::AddYmd(ToTm(day), 0, 0, days));
  }

  // The page from firstDay as the page function draws it on a fresh 200-DPI bitmap.
  std::unique_ptr<ChartBitmap> Render(const DateYmd& firstDay, const DateYmd& endDate) {
    const PixelSize size = A4LandscapePixels(kPageImageDpi);
    auto bitmap = std::make_unique<ChartBitmap>(size.width, size.height);
    const auto chart = CreatePrintedChart(graph_, size.width, size.height);
    DrawPageImage(*chart, *bitmap, firstDay, endDate);
    return bitmap;
  }

  static constexpr DateYmd kFrom{2026, 10, 1};
  win32::ComInit com_;
  test_support::TempFolder folder_;
  TemperatureStore store_;
  CPrintGraph graph_;
};

TEST_F(PageImages, EachPictureDecodesToItsPageAsThePageFunctionDrawsItPixelForPixel) {
  const PrintRange range{kFrom, Plus(kFrom, 79)};
  const int pages = PageImageCount(range.from, range.to);
  ASSERT_EQ(pages, 2);
  const std::vector<fs::path> files = PageImageFiles(folder_ / "chart.png", pages);
  ASSERT_EQ(SavePageImages(graph_, range, files).result, PageImagesResult::Saved);
  EXPECT_EQ(folder_.Listing(), "chart-1.png chart-2.png");

  // The second page starts the day after the first page's 63 days.
  const DateYmd firstDays[] = {kFrom, Plus(kFrom, 63)};
  for (int page = 0; page < pages; ++page) {
    const Picture picture = DecodePng(files[page]);
    ASSERT_EQ(picture.width, 2339u) << page;
    ASSERT_EQ(picture.height, 1654u) << page;
    // The file keeps whole pixels per metre: 7874 for 200 dots per inch.
    EXPECT_NEAR(picture.dpiX, 200.0, 0.001);
    EXPECT_NEAR(picture.dpiY, 200.0, 0.001);
    const auto bitmap = Render(firstDays[page], range.to);
    long differing = 0, curve = 0;
    for (UINT y = 0; y < picture.height; ++y) {
      const unsigned char* drawn = bitmap->Row(static_cast<int>(y));
      const BYTE* saved = picture.bgr.data() + static_cast<size_t>(y) * picture.width * 3;
      for (UINT x = 0; x < picture.width; ++x) {
        if (std::memcmp(drawn + x * 4, saved + x * 3, 3) != 0) ++differing;
        if (RGB(saved[x * 3 + 2], saved[x * 3 + 1], saved[x * 3]) == kGraphRed) ++curve;
      }
    }
    EXPECT_EQ(differing, 0) << "page " << page + 1;
    EXPECT_GT(curve, 500) << "page " << page + 1 << " shows no curve";
  }
}

// A folder that cannot be written (a file in its place), and a second picture whose name a folder
// takes: nothing of the save is left, not even the first picture or a temporary file.
TEST_F(PageImages, PicturesThatCannotBeWrittenLeaveNoFileBehind) {
  test_support::WriteBytes(folder_ / "not-a-folder", "a file in the way");
  fs::create_directory(folder_ / "chart-2.png");
  const struct {
    std::vector<fs::path> files;
    fs::path failed;
  } cases[] = {
      {{folder_ / "not-a-folder" / "chart.png"}, folder_ / "not-a-folder" / "chart.png"},
      {{folder_ / "chart-1.png", folder_ / "chart-2.png"}, folder_ / "chart-2.png"},
  };
  for (const auto& c : cases) {
    const PrintRange range{kFrom, Plus(kFrom, c.files.size() == 1 ? 10 : 79)};
    const PageImagesOutcome outcome = SavePageImages(graph_, range, c.files);
    EXPECT_EQ(outcome.result, PageImagesResult::NotWritten);
    EXPECT_EQ(outcome.failedFile, c.failed);
    EXPECT_EQ(folder_.Listing(), "chart-2.png not-a-folder");
    EXPECT_TRUE(fs::is_empty(folder_ / "chart-2.png"));
  }
}

}  // namespace
