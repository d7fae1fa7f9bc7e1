// CSV import bytes -> rows: a refused file gives no rows and its first problems in file order; an
// accepted file gives calendar dates once each and values the stores can hold, with memos of at
// most 99 units that never end inside a surrogate pair, and signs of their kinds (a row without a
// temperature holds one). Importing the rows, exporting the stores
// and reading the export again gives the same rows, and exporting those gives the same bytes.
// The imported stores save into data files that load back whole: no line dropped or counted.
#include <set>
#include <string>

#include "fuzz_checks.h"
#include "records_csv.h"
#include "value_bounds.h"

namespace {

void RequireStorableRows(const CsvParseResult& result) {
  std::set<DateYmd> dates;
  for (const CsvRow& row : result.rows) {
    fuzz::Require(quillet::IsValidDate(row.date.year, row.date.month, row.date.day), "a calendar date");
    fuzz::Require(dates.insert(row.date).second, "one row per date");
    fuzz::Require(!row.hasTemperature || IsStorableTemperature(row.temperature),
                  "a storable temperature");
    fuzz::Require(row.hasTemperature || row.mucus != kNoSign || row.ovulationTest != kNoSign ||
                      row.intercourse != 0,
                  "a row without a temperature holds a sign");
    fuzz::Require(row.mucus == kNoSign || IsMucusLevel(row.mucus), "no mucus or a level");
    fuzz::Require(row.ovulationTest == kNoSign || IsOvulationTestResult(row.ovulationTest),
                  "no test or a result");
    fuzz::Require(row.intercourse <= 1, "intercourse 0 or 1");
    fuzz::Require(row.weight == 0.0 || IsStorableWeight(row.weight), "no weight or a storable one");
    fuzz::Require(row.periodStart <= 1, "period flag 0 or 1");
    fuzz::Require(row.memo.size() <= 99, "memo at most 99 units");
    fuzz::Require(row.memo.empty() || !IsHighSurrogate(row.memo.back()), "memo not cut in a pair");
    fuzz::Require(row.memo.find(u'\0') == std::u16string::npos, "no zero in a memo");
  }
}

// What an import stored, saved to its data file and loaded again, is the same store.
template <typename Store>
void RequireDataFilesHold(const Store& imported) {
  const std::string saved = DataFileBytes(imported);
  Store loaded;
  fuzz::Require(ReadDataBytes(saved, loaded) == 0, "the data file of an import loads without damage");
  fuzz::Require(loaded.records.Size() == imported.records.Size(), "the data file of an import keeps every record");
  fuzz::Require(DataFileBytes(loaded) == saved, "the data file of an import loads back the same");
}

std::string ExportOf(const std::vector<CsvRow>& rows) {
  RecordStores stores;
  const TemperatureStore& temperatures = stores.temperatures;
  const WeightStore& weights = stores.weights;
  const MemoStore& memos = stores.memos;
  ImportCsvRows(rows, CsvExistingDays::Overwrite, stores);
  fuzz::RequireConsistent(temperatures.records);
  fuzz::RequireConsistent(weights.records);
  fuzz::RequireConsistent(memos.records);
  fuzz::RequireConsistent(stores.signs.records);
  std::size_t withTemperature = 0;
  for (const CsvRow& row : rows) withTemperature += row.hasTemperature ? 1 : 0;
  fuzz::Require(temperatures.records.index.size() == withTemperature,
                "one temperature record per row with a temperature");
  RequireDataFilesHold(temperatures);
  RequireDataFilesHold(weights);
  RequireDataFilesHold(memos);
  RequireDataFilesHold(stores.signs);
  return RecordsCsvBytes(stores);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const CsvParseResult result = ParseRecordsCsv(fuzz::Bytes(data, size));
  if (!result.Ok()) {
    fuzz::Require(result.rows.empty(), "a refused file gives no rows");
    fuzz::Require(!result.problems.empty() && result.problems.size() <= kCsvProblemsKept &&
                      result.problems.size() <= result.problemCount,
                  "the first problems are kept");
    for (std::size_t i = 1; i < result.problems.size(); ++i)
      fuzz::Require(result.problems[i - 1].line <= result.problems[i].line, "problems in file order");
    return 0;
  }
  fuzz::Require(result.problems.empty(), "an accepted file has no problems");
  RequireStorableRows(result);

  const std::string exported = ExportOf(result.rows);
  const CsvParseResult again = ParseRecordsCsv(exported);
  fuzz::Require(again.Ok(), "an export reads back");
  fuzz::Require(again.rows.size() == result.rows.size(), "an export keeps every row");
  fuzz::Require(ExportOf(again.rows) == exported, "exporting what an export read gives the same bytes");
  return 0;
}
