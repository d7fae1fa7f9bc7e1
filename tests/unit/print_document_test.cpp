#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dates.h"
#include "print_document.h"

namespace {

DateYmd Ymd(int y, int m, int d) { return DateYmd{y, m, d}; }

DateYmd Plus(const DateYmd& day, int days) {
  return FromTm(quillet::AddYmd(ToTm(day), 0, 0, days));
}

// Records every step; each step can be made to fail at its n-th call.
class RecordingDevice : public PrintDocumentDevice {
 public:
  std::vector<std::string> steps;
  int failBeginDocument = 0, failBeginPage = 0, failFinishPage = 0, failFinishDocument = 0;

  bool BeginDocument() override { return Step("BeginDocument", beginDocuments_, failBeginDocument); }
  bool BeginPage() override { return Step("BeginPage", beginPages_, failBeginPage); }
  bool FinishPage() override { return Step("FinishPage", finishPages_, failFinishPage); }
  bool FinishDocument() override {
    return Step("FinishDocument", finishDocuments_, failFinishDocument);
  }
  void AbortDocument() override { steps.push_back("AbortDocument"); }

 private:
  bool Step(const char* name, int& count, int failAt) {
    steps.push_back(name);
    return ++count != failAt;
  }
  int beginDocuments_ = 0, beginPages_ = 0, finishPages_ = 0, finishDocuments_ = 0;
};

// Draws a page of `perPage` days: records "Draw y/m/d" and returns the page's last day.
auto PageOf(RecordingDevice& device, int perPage) {
  return [&device, perPage](const DateYmd& first) {
    device.steps.push_back("Draw " + std::to_string(first.year) + "/" +
                           std::to_string(first.month) + "/" + std::to_string(first.day));
    return Plus(first, perPage - 1);
  };
}

using Steps = std::vector<std::string>;

}  // namespace

TEST(PrintDocument, PrintsEachPageBetweenItsStartAndEndInsideOneDocument) {
  RecordingDevice device;
  const auto result =
      PrintDocumentPages(device, Ymd(2026, 12, 1), Ymd(2027, 2, 1), PageOf(device, 62));
  EXPECT_EQ(result, PrintDocumentResult::Printed);
  const Steps expected = {"BeginDocument", "BeginPage",  "Draw 2026/12/1", "FinishPage",
                          "BeginPage",     "Draw 2027/2/1", "FinishPage",  "FinishDocument"};
  EXPECT_EQ(device.steps, expected);
}

TEST(PrintDocument, DocumentThatCannotStartDrawsNoPage) {
  RecordingDevice device;
  device.failBeginDocument = 1;
  const auto result =
      PrintDocumentPages(device, Ymd(2026, 12, 1), Ymd(2027, 2, 1), PageOf(device, 62));
  EXPECT_EQ(result, PrintDocumentResult::NotStarted);
  EXPECT_EQ(device.steps, Steps{"BeginDocument"});
}

TEST(PrintDocument, PageThatCannotStartAbortsTheDocument) {
  RecordingDevice device;
  device.failBeginPage = 2;
  const auto result =
      PrintDocumentPages(device, Ymd(2026, 1, 1), Ymd(2026, 12, 31), PageOf(device, 62));
  EXPECT_EQ(result, PrintDocumentResult::Aborted);
  const Steps expected = {"BeginDocument", "BeginPage", "Draw 2026/1/1", "FinishPage",
                          "BeginPage",     "AbortDocument"};
  EXPECT_EQ(device.steps, expected);
}

TEST(PrintDocument, PageThatCannotEndAbortsTheDocumentWithoutFurtherPages) {
  RecordingDevice device;
  device.failFinishPage = 1;
  const auto result =
      PrintDocumentPages(device, Ymd(2026, 1, 1), Ymd(2026, 12, 31), PageOf(device, 62));
  EXPECT_EQ(result, PrintDocumentResult::Aborted);
  const Steps expected = {"BeginDocument", "BeginPage", "Draw 2026/1/1", "FinishPage",
                          "AbortDocument"};
  EXPECT_EQ(device.steps, expected);
}

TEST(PrintDocument, DocumentThatCannotEndIsReported) {
  RecordingDevice device;
  device.failFinishDocument = 1;
  const auto result =
      PrintDocumentPages(device, Ymd(2026, 1, 1), Ymd(2026, 1, 1), PageOf(device, 62));
  EXPECT_EQ(result, PrintDocumentResult::NotFinished);
  const Steps expected = {"BeginDocument", "BeginPage", "Draw 2026/1/1", "FinishPage",
                          "FinishDocument"};
  EXPECT_EQ(device.steps, expected);
}

TEST(PrintDocument, ToDateBeforeFromDateStillPrintsTheFromDatesPage) {
  RecordingDevice device;
  const auto result =
      PrintDocumentPages(device, Ymd(2026, 12, 7), Ymd(2026, 12, 1), PageOf(device, 62));
  EXPECT_EQ(result, PrintDocumentResult::Printed);
  const Steps expected = {"BeginDocument", "BeginPage", "Draw 2026/12/7", "FinishPage",
                          "FinishDocument"};
  EXPECT_EQ(device.steps, expected);
}
