#include "page_images_win.h"

#include <string>

#include "data_file_io.h"
#include "gdi_canvas_win.h"
#include "png_image_win.h"
#include "print_page_plan.h"

namespace {

std::unique_ptr<PrintChartView> PageImageChart(const CPrintGraph& printGraph) {
  const PixelSize page = A4LandscapePixels(kPageImageDpi);
  return CreatePrintedChart(printGraph, page.width, page.height);
}

}  // namespace

DateYmd DrawPageImage(PrintChartView& chart, ChartBitmap& bitmap, const DateYmd& firstDay,
                      const DateYmd& endDate) {
  bitmap.Clear();
  GdiCanvas canvas(bitmap.dc(), kPageImageDpi);
  return DrawPrintedPage(chart, canvas, firstDay, endDate);
}

PageImagesOutcome SavePageImages(const CPrintGraph& printGraph, const PrintRange& range,
                                 const std::vector<std::filesystem::path>& files) {
  const auto chart = PageImageChart(printGraph);
  ChartBitmap bitmap(chart->pageRight, chart->pageBottom);
  if (!bitmap.ok()) return PageImagesOutcome{PageImagesResult::NotDrawn, {}};
  PageImagesOutcome outcome;
  std::size_t written = 0;
  RunPrintPageLoop(range.from, range.to, [&](const DateYmd& firstDay) -> PrintPageResult {
    if (written >= files.size()) {
      outcome.result = PageImagesResult::NotDrawn;
      return std::nullopt;
    }
    const DateYmd last = DrawPageImage(*chart, bitmap, firstDay, range.to);
    const std::string png = EncodePng(bitmap, kPageImageDpi);
    if (png.empty()) {
      outcome.result = PageImagesResult::NotDrawn;
      return std::nullopt;
    }
    if (!data_file_io::ReplaceFileContents(files[written], png)) {
      outcome = PageImagesOutcome{PageImagesResult::NotWritten, files[written]};
      return std::nullopt;
    }
    ++written;
    return last;
  });
  if (outcome.result == PageImagesResult::Saved && written != files.size())
    outcome.result = PageImagesResult::NotDrawn;
  // A part of the pictures is no picture of the range: what this save wrote goes again.
  if (outcome.result != PageImagesResult::Saved) {
    std::error_code ignored;
    for (std::size_t i = 0; i < written; ++i) std::filesystem::remove(files[i], ignored);
  }
  return outcome;
}
