#include "print_document.h"

#include "print_page_plan.h"

PrintDocumentResult PrintDocumentPages(
    PrintDocumentDevice& device, const DateYmd& from, const DateYmd& to,
    const std::function<DateYmd(const DateYmd& firstDay)>& drawPage) {
  if (!device.BeginDocument()) return PrintDocumentResult::NotStarted;
  const bool allPages = RunPrintPageLoop(from, to, [&](const DateYmd& first) -> PrintPageResult {
    if (!device.BeginPage()) return std::nullopt;
    const DateYmd last = drawPage(first);
    if (!device.FinishPage()) return std::nullopt;
    return last;
  });
  if (!allPages) {
    device.AbortDocument();
    return PrintDocumentResult::Aborted;
  }
  return device.FinishDocument() ? PrintDocumentResult::Printed : PrintDocumentResult::NotFinished;
}
