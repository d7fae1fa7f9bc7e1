// render_chart: draws the chart as the program shows or prints it into a BMP file.
//
//   render_chart <data folder> screen <mode 1-3> <width> <height> <scroll position|today>
//                <today y-m-d> <out.bmp> [--repeat N] [--reading]
//   render_chart <data folder> print <page width> <page height> <dpi> <first day y-m-d>
//                <end date y-m-d> <out.bmp> [--repeat N] [--reading]
//   render_chart <data folder> images <from y-m-d> <to y-m-d> <out.png> [--repeat N]
//
// With --reading the reading of the curve is shown as the switch 体温の判定を表示 shows it (the
// cover lines and first high days, and with signs the mucus peaks and double-check days), in the
// settings file's default cover-line colour; the printed page's today is then its end date.
//
// The folder holds TEMPERATURE_DATA.dat, WEIGHT_DATA.dat (a missing one is created empty) and
// SIGNS_DATA.dat when signs are to be drawn. The
// colours are the settings file's defaults. Exit code 0 when the image was written.
//
// With --repeat N the tool also times the real GDI drawing, N times each, and prints the means in
// milliseconds (wall clock and the drawing thread's processor time): for the screen, in each of
// the three modes at the given scroll position, a paint (frame and data layer) and a scroll
// step's data redraw; for print, one page (frame and data); for images, the whole save of the
// range's pages as PNG pictures as the program saves them (out.png, or out-1.png ... out-N.png).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <cwchar>
#include <filesystem>
#include <string>

#include "chart_bitmap_win.h"
#include "chart_drawing.h"
#include "chart_view.h"
#include "data_files.h"
#include "dates.h"
#include "gdi_canvas_win.h"
#include "page_images_win.h"
#include "print_chart_view.h"
#include "print_graph_dialog_win.h"
#include "settings.h"
#include "statistics.h"
#include "win_handles.h"

namespace {

// The settings file's default colours, as a file without colour keys gives them.
ColorScheme DefaultColors() {
  SettingsTexts texts;
  for (int key = 0; key < kSettingsKeyCount; ++key) texts[key] = kSettingsKeys[key].defaultText;
  return ParseSettings(texts).colors;
}

const ColorScheme kColors = DefaultColors();

// The reading of the curve as drawn with --reading; hidden otherwise.
ShiftLineStyle gReading;

bool ParseDate(const wchar_t* text, DateYmd& out) {
  int y = 0, m = 0, d = 0;
  if (swscanf(text, L"%d-%d-%d", &y, &m, &d) != 3 || !quillet::IsValidDate(y, m, d)) return false;
  out = DateYmd{y, m, d};
  return true;
}

bool ParseInt(const wchar_t* text, int& out) {
  wchar_t* end = nullptr;
  const long v = wcstol(text, &end, 10);
  if (end == text || *end != L'\0' || v < -1000000 || v > 1000000) return false;
  out = static_cast<int>(v);
  return true;
}

int Usage() {
  fwprintf(stderr,
           L"usage: render_chart <folder> screen <mode> <width> <height> <scroll|today> "
           L"<today y-m-d> <out.bmp> [--repeat N] [--reading]\n"
           L"       render_chart <folder> print <width> <height> <dpi> <first y-m-d> "
           L"<end y-m-d> <out.bmp> [--repeat N] [--reading]\n"
           L"       render_chart <folder> images <from y-m-d> <to y-m-d> <out.png> [--repeat N]\n");
  return 2;
}

// Mean milliseconds of one run: wall clock, and the drawing thread's processor time (user and
// kernel), which a busy machine disturbs less.
struct Timing {
  double wall = 0.0;
  double cpu = 0.0;
};

double ThreadMilliseconds() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0.0;
  const auto ticks = [](const FILETIME& f) {
    return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns units
}

// Runs draw `times` times, each ended by GdiFlush so that work GDI batched is counted in its
// own run.
Timing MeanMilliseconds(int times, const std::function<void(int)>& draw) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  const double cpuStart = ThreadMilliseconds();
  QueryPerformanceCounter(&start);
  for (int i = 0; i < times; ++i) {
    draw(i);
    GdiFlush();
  }
  QueryPerformanceCounter(&end);
  Timing t;
  t.wall = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart) / times;
  t.cpu = (ThreadMilliseconds() - cpuStart) / times;
  return t;
}

// Paint and scroll timings of each mode at the scroll position (-1: today). A scroll step moves
// one day right and back alternately, so every redraw shows the same stretch of history.
void TimeScreen(ChartView& view, ValueScrollBar& scroll, Canvas& canvas, int position,
                int repeat) {
  for (int mode = kTemperatureMode; mode <= kPregnancyMode; ++mode) {
    SetChartMode(view, mode);
    if (position >= 0) scroll.SetPosition(position);
    const int at = scroll.nPos;
    const Timing paint = MeanMilliseconds(repeat, [&](int) {
      DrawChartFrame(view, canvas);
      DrawChartData(view, canvas);
    });
    const Timing step = MeanMilliseconds(repeat, [&](int i) {
      ScrollChart(view, i % 2 == 0 ? sb::kLineRight : sb::kLineLeft, 0);
      DrawChartData(view, canvas);
    });
    wprintf(L"mode %d position %d: paint %.3f ms (thread %.3f), scroll %.3f ms (thread %.3f), "
            L"mean of %d\n",
            mode, at, paint.wall, paint.cpu, step.wall, step.cpu, repeat);
  }
}

int RenderScreen(const std::wstring& folder, wchar_t** a, int repeat) {
  int mode = 0, width = 0, height = 0, position = -1;
  DateYmd today;
  const bool keepPosition = std::wstring(a[3]) == L"today";
  if (!ParseInt(a[0], mode) || !ParseInt(a[1], width) || !ParseInt(a[2], height) ||
      (!keepPosition && !ParseInt(a[3], position)) || !ParseDate(a[4], today) || width <= 0 ||
      height <= 0 || width > 10000 || height > 10000)
    return Usage();
  TemperatureStore temperatures;
  WeightStore weights;
  SignStore signs;
  LoadTemperatureData(temperatures, folder + kTemperatureFileName);
  LoadWeightData(weights, folder + kWeightFileName);
  LoadSignsData(signs, folder + kSignsFileName);
  const std::tm now = ToTm(today);
  auto bar = std::make_unique<ValueScrollBar>();
  ValueScrollBar* scroll = bar.get();
  auto view = CreateChartView(0, 0, width, height, nullptr, std::move(bar), &temperatures,
                              &weights, &GdiDrawingTools(), [now] { return now; }, {}, &signs);
  SetChartScrollRange(*view);
  SetChartColors(*view, kColors);
  SetShiftLineStyle(*view, gReading);
  SetChartMode(*view, mode);
  if (!keepPosition) scroll->SetPosition(position);
  ChartBitmap bitmap(width, height);
  if (!bitmap.ok()) return 1;
  {
    GdiCanvas canvas(bitmap.dc());
    DrawChartFrame(*view, canvas);
    DrawChartData(*view, canvas);
    if (repeat > 0) {
      const int drawnMode = view->mode;
      TimeScreen(*view, *scroll, canvas, keepPosition ? -1 : position, repeat);
      // The image shows what was asked for, not the last mode timed.
      SetChartMode(*view, drawnMode);
      if (!keepPosition) scroll->SetPosition(position);
      DrawChartFrame(*view, canvas);
      DrawChartData(*view, canvas);
    }
  }
  DeleteDrawingTools(*view);
  return bitmap.SaveBmp(a[5]) ? 0 : 1;
}

int RenderPrint(const std::wstring& folder, wchar_t** a, int repeat) {
  int width = 0, height = 0, dpi = 0;
  DateYmd first, end;
  if (!ParseInt(a[0], width) || !ParseInt(a[1], height) || !ParseInt(a[2], dpi) ||
      !ParseDate(a[3], first) || !ParseDate(a[4], end) || width <= 0 || height <= 0 ||
      width > 10000 || height > 10000 || dpi <= 0)
    return Usage();
  TemperatureStore temperatures;
  SignStore signs;
  LoadTemperatureData(temperatures, folder + kTemperatureFileName);
  LoadSignsData(signs, folder + kSignsFileName);
  auto view = CreatePrintChartView(width, height, &temperatures,
                                   ChartFloorTemperature(temperatures), kColors,
                                   &GdiDrawingTools(), &signs);
  view->shiftLines = gReading;
  view->today = end;
  ChartBitmap bitmap(width, height);
  if (!bitmap.ok()) return 1;
  {
    GdiCanvas canvas(bitmap.dc(), dpi);
    const DateYmd last = DrawPrintedPage(*view, canvas, first, end);
    wprintf(L"last day %d-%d-%d, %d days per page\n", last.year, last.month, last.day,
            DaysPerPrintPage(*view));
    if (repeat > 0) {
      const Timing page =
          MeanMilliseconds(repeat, [&](int) { DrawPrintedPage(*view, canvas, first, end); });
      wprintf(L"print page: %.3f ms (thread %.3f), mean of %d\n", page.wall, page.cpu, repeat);
    }
  }
  DeletePrintDrawingTools(*view);
  return bitmap.SaveBmp(a[5]) ? 0 : 1;
}

// The program's save of the range's pages as pictures, timed `repeat` times.
int RenderImages(const std::wstring& folder, wchar_t** a, int repeat) {
  PrintRange range;
  if (!ParseDate(a[0], range.from) || !ParseDate(a[1], range.to)) return Usage();
  TemperatureStore temperatures;
  LoadTemperatureData(temperatures, folder + kTemperatureFileName);
  win32::ComInit com;
  const auto graph = CreatePrintGraph(nullptr, nullptr);
  SetPrintGraphSource(*graph, &temperatures, ChartFloorTemperature(temperatures), kColors);
  const int pages = PageImageCount(range.from, range.to);
  const auto files = PageImageFiles(std::filesystem::path(a[2]), pages);
  bool saved = true;
  const Timing save = MeanMilliseconds(repeat > 0 ? repeat : 1, [&](int) {
    saved = SavePageImages(*graph, range, files).result == PageImagesResult::Saved && saved;
  });
  wprintf(L"%d pages: save %.1f ms (thread %.1f), %.1f ms a page (thread %.1f), mean of %d\n",
          pages, save.wall, save.cpu, save.wall / pages, save.cpu / pages, repeat > 0 ? repeat : 1);
  return saved ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return Usage();
  const std::wstring folder = argv[1];
  const std::wstring kind = argv[2];
  // Arguments after the kind, before the optional --repeat N.
  const int arguments = kind == L"images" ? 3 : 6;
  if (argc < arguments + 3) return Usage();
  int repeat = 0;
  for (int i = arguments + 3; i < argc; ++i) {
    const std::wstring option = argv[i];
    if (option == L"--reading") {
      gReading = ShiftLineStyle{true, SettingsValues{}.coverLineColor};
    } else if (option == L"--repeat" && i + 1 < argc && ParseInt(argv[i + 1], repeat) &&
               repeat > 0) {
      ++i;
    } else {
      return Usage();
    }
  }
  if (kind == L"screen") return RenderScreen(folder, argv + 3, repeat);
  if (kind == L"print") return RenderPrint(folder, argv + 3, repeat);
  if (kind == L"images") return RenderImages(folder, argv + 3, repeat);
  return Usage();
}
