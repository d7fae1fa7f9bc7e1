// Commands 210 "印刷(&P)  Ctrl+P" and 218 "グラフを画像で保存(&G)...": the printed pages of the
// records as the main window shows them, on the printer or as PNG pictures.
#include <filesystem>
#include <vector>

#include "app_state_win.h"
#include "chart_view.h"
#include "commands_win.h"
#include "entry_editing_win.h"
#include "page_images_win.h"
#include "print_graph_dialog_win.h"
#include "records_bundle.h"
#include "statistics.h"
#include "system_win.h"
#include "win_handles.h"

namespace {

constexpr wchar_t kPngFilter[] = L"PNG画像 (*.png)\0*.png\0";
constexpr std::size_t kDialogResultChars = 520;

// The print context with what the next pages draw: the records, their chart floor, and the
// colours and reading of the curve the on-screen chart holds now. Null before start-up made it.
CPrintGraph* PreparedPrintGraph() {
  CPrintGraph* printGraph = gApp.PrintGraph.get();
  if (printGraph == nullptr || gApp.Records == nullptr) return nullptr;
  SetPrintGraphSource(*printGraph, &gApp.Records->temperatures,
                      ChartFloorTemperature(gApp.Records->temperatures),
                      gApp.Chart != nullptr ? gApp.Chart->colors : kKeepEveryColor);
  if (gApp.Chart != nullptr) printGraph->ShiftLines = gApp.Chart->shiftLines;
  printGraph->Signs = &gApp.Records->signs;
  return printGraph;
}

// The save dialog in the folder last saved to, suggesting `name`. With one picture it asks before
// an existing file is chosen; several pictures go to other names, asked about by the caller.
bool ChooseImageFile(HWND owner, const std::u16string& name, bool onePicture,
                     std::filesystem::path& chosen) {
  wchar_t path[kDialogResultChars] = {};
  name.copy(reinterpret_cast<char16_t*>(path), kDialogResultChars - 1);
  if (quillet::SaveFileDialogIn(owner, path, kPngFilter, L"png", gApp.ImageFolder.c_str(),
                                onePicture ? 1 : 0) != 1)
    return false;
  chosen = std::filesystem::path(path);
  return true;
}

// Several pictures: true when none of their files exists or the user agrees to replace them.
bool MayWriteOver(HWND owner, const std::vector<std::filesystem::path>& files) {
  std::vector<std::filesystem::path> existing;
  std::error_code ignored;
  for (const std::filesystem::path& file : files)
    if (std::filesystem::exists(file, ignored)) existing.push_back(file);
  return existing.empty() ||
         ShowMessage(owner, PageImagesOverwriteText(existing), kPageImagesCaption,
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void TellOutcome(HWND owner, const PageImagesOutcome& outcome,
                 const std::vector<std::filesystem::path>& files) {
  switch (outcome.result) {
    case PageImagesResult::Saved:
      ShowMessage(owner, PageImagesSavedText(files), kPageImagesCaption,
                  MB_OK | MB_ICONINFORMATION);
      break;
    case PageImagesResult::NotDrawn:
      ShowMessage(owner, kPageImagesNotDrawnText, kPageImagesCaption, MB_OK | MB_ICONERROR);
      break;
    case PageImagesResult::NotWritten:
      ShowMessage(owner, PageImageNotWrittenText(outcome.failedFile), kPageImagesCaption,
                  MB_OK | MB_ICONERROR);
      break;
  }
}

}  // namespace

int OnPrintCommand(HWND) {
  if (CPrintGraph* printGraph = PreparedPrintGraph()) RunPrintGraphDialog(*printGraph);
  return 1;
}

int OnSaveImagesCommand(HWND mainWindow) {
  CPrintGraph* printGraph = PreparedPrintGraph();
  if (printGraph == nullptr || !RunSaveImagesDialog(*printGraph)) return 1;
  const PrintRange range = *printGraph->ImageRange;
  const int pages = PageImageCount(range.from, range.to, printGraph->Signs);
  std::filesystem::path chosen;
  if (!ChooseImageFile(mainWindow, DefaultPageImageName(range.from, range.to), pages == 1, chosen))
    return 1;
  const std::vector<std::filesystem::path> files = PageImageFiles(chosen, pages);
  if (pages > 1 && !MayWriteOver(mainWindow, files)) return 1;
  PageImagesOutcome outcome;
  {
    win32::WaitCursor wait;
    outcome = SavePageImages(*printGraph, range, files);
  }
  // The next save dialog opens where the pictures went (the settings file keeps it).
  if (outcome.result == PageImagesResult::Saved) gApp.ImageFolder = chosen.parent_path().native();
  TellOutcome(mainWindow, outcome, files);
  return 1;
}
