// The document of a print job around its page loop: start the document, print each page between
// a start and an end of page, end the document. The device is seen through `PrintDocumentDevice`
// (a printer device context on Windows, a recording fake in tests).
//
// A document that cannot be started prints nothing; a page that cannot be started or ended stops
// the job and aborts the document, so the spooler never receives a half-made job.
#pragma once

#include <functional>

#include "date_ymd.h"

class PrintDocumentDevice {
 public:
  virtual ~PrintDocumentDevice() = default;
  // Each returns false when the device refused the step.
  virtual bool BeginDocument() = 0;
  virtual bool BeginPage() = 0;
  virtual bool FinishPage() = 0;
  virtual bool FinishDocument() = 0;
  // Throws away a started document.
  virtual void AbortDocument() = 0;
};

enum class PrintDocumentResult {
  Printed,      // every page was handed over and the document ended
  NotStarted,   // the document could not be started; no page was drawn
  Aborted,      // a page could not be started or ended; the document was aborted
  NotFinished,  // every page was made but the document could not be ended
};

// Starts the document, runs the page loop from `from` to `to` (print_page_plan.h) with
// `drawPage` between the start and the end of each page (it draws the page and returns its last
// day column), and ends the document.
PrintDocumentResult PrintDocumentPages(PrintDocumentDevice& device, const DateYmd& from,
                                       const DateYmd& to,
                                       const std::function<DateYmd(const DateYmd& firstDay)>& drawPage);
