// Saving the printed pages as PNG pictures: each page the print job would print for a range,
// drawn by the printed page's own function (DrawPrintedPage) into a white bitmap of an A4
// landscape sheet at 200 dots per inch, and encoded by the system's imaging component. COM must
// be initialised on the calling thread.
#pragma once

#include <filesystem>
#include <vector>

#include "chart_bitmap_win.h"
#include "page_images.h"
#include "print_graph_dialog_win.h"

enum class PageImagesResult {
  Saved,       // every picture is in its file
  NotDrawn,    // a picture could not be drawn or encoded; no picture of this save is left
  NotWritten,  // a file could not be written (folder, disk); no picture of this save is left
};

struct PageImagesOutcome {
  PageImagesResult result = PageImagesResult::Saved;
  std::filesystem::path failedFile;  // NotWritten: the file that could not be written
};

// The page from `firstDay` (no point after `endDate`) drawn into `bitmap`, white first, as the
// pictures are drawn; returns the page's last day column.
DateYmd DrawPageImage(PrintChartView& chart, ChartBitmap& bitmap, const DateYmd& firstDay,
                      const DateYmd& endDate);

// Draws each page of the range and writes it as PNG to its file, in order (`files` as
// PageImageFiles gives them for PageImageCount pictures). Each file is written whole beside its
// place and then put there in one step, so no half-written picture is ever left under its name;
// when one fails, the pictures this save already wrote are removed again.
PageImagesOutcome SavePageImages(const CPrintGraph& printGraph, const PrintRange& range,
                                 const std::vector<std::filesystem::path>& files);
