// The records as a CSV file, for other charting programs, spreadsheets and doctors.
//
// Written: UTF-8 with a byte-order mark, CR LF line ends, fields quoted as RFC 4180 does (only
// where a field holds a comma, a double quote or a line break), the header
// "日付,基礎体温,月経開始,体重,メモ" and one row per day with a temperature record, oldest first:
// 2026-05-01,36.45,1,52.3,text.
//
// When the records hold a sign, three columns follow: "おりもの,排卵検査薬,性交" with the digits of
// the signs file (empty when not recorded), and a day with signs but no temperature record is
// written too, with only its date and signs.
//
// Read: the written form, and also without the byte-order mark, with LF line ends, with dates as
// 2026/5/1 and with the columns in any order (the header names them; "日付" and "基礎体温" are
// required, "月経開始", "体重", "メモ" and the three signs optional, other columns ignored). A row
// may leave "基礎体温" empty only when it holds a sign and nothing else. Years have four
// digits (1000-9999), as the data files write them. Empty lines and lines of
// only empty fields are skipped. The whole text is checked before anything is used: a file with
// any problem gives no rows at all. Two rows of the same date are a problem too: the file does
// not say which of them is right.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "date_ymd.h"
#include "records_bundle.h"

// The first line of a written file, after the byte-order mark.
inline constexpr char kRecordsCsvHeader[] = "日付,基礎体温,月経開始,体重,メモ";
// The columns that follow it while the records hold a sign.
inline constexpr char kSignsCsvColumns[] = ",おりもの,排卵検査薬,性交";

// The days a written file holds: those with a temperature record or with signs.
std::size_t CsvDayCount(const RecordStores& stores);

// The whole file: byte-order mark, header, one row per temperature record in date order, and
// while a sign is recorded the sign columns and a row per day of signs alone. A weight or memo
// record of a day without a temperature record is not written. An unpaired surrogate in a memo
// (which only a damaged memo file can bring) is written as U+FFFD.
std::string RecordsCsvBytes(const RecordStores& stores);

// One day of a file that was read.
struct CsvRow {
  std::size_t line = 0;  // 1-based line of the file where the row starts
  DateYmd date;
  double temperature = 0.0;
  unsigned char periodStart = 0;
  double weight = 0.0;  // 0.0: the row has no weight
  std::u16string memo;  // empty: the row has no memo; at most 99 units, never half a pair
  // Whether the file has the column: an import leaves a day's value of a column the file lacks
  // as it is.
  bool hasPeriodColumn = true;
  bool hasWeightColumn = true;
  bool hasMemoColumn = true;
  // The signs (record_stores.h), each kNoSign / 0 when not recorded, and whether the file has
  // their columns ("おりもの", "排卵検査薬", "性交"; a file without them leaves the signs alone).
  signed char mucus = kNoSign;
  signed char ovulationTest = kNoSign;
  unsigned char intercourse = 0;
  bool hasMucusColumn = false;
  bool hasOvulationTestColumn = false;
  bool hasIntercourseColumn = false;
  // false for a day of signs alone: its 基礎体温 cell (and its 月経開始, 体重 and メモ cells) are
  // empty, so the import touches its signs and nothing else.
  bool hasTemperature = true;
};

enum class CsvProblemKind {
  Encoding,        // the header is not UTF-8 (a file saved in another encoding)
  Header,          // no header naming "日付" and "基礎体温", or a column named twice
  ColumnCount,     // a row with more or fewer fields than the header
  Quote,           // a double quote inside an unquoted field, or text after a closing quote
  UnclosedQuote,   // a quoted field that runs to the end of the file
  Date,            // not a calendar date of 1000-9999 as YYYY-MM-DD or YYYY/M/D
  Temperature,     // not a temperature the program can store
  Period,          // neither 1, 0 nor empty
  Weight,          // neither empty nor a weight the program can store
  Memo,            // not UTF-8, or holding a zero character
  Mucus,           // neither empty nor a mucus level 0-4
  OvulationTest,   // neither empty nor an ovulation test result 0-2
  Intercourse,     // neither 1, 0 nor empty
  DuplicateDate,   // the date of an earlier row (`otherLine`)
};

struct CsvProblem {
  std::size_t line = 0;       // 1-based line of the file where the row starts
  CsvProblemKind kind = CsvProblemKind::Header;
  std::size_t otherLine = 0;  // DuplicateDate: the line of the first row of that date
};

inline constexpr std::size_t kCsvProblemsKept = 5;

struct CsvParseResult {
  std::vector<CsvRow> rows;          // in file order; empty whenever there is a problem
  std::vector<CsvProblem> problems;  // the first kCsvProblemsKept problems, in file order
  std::size_t problemCount = 0;      // all problems found
  bool Ok() const { return problemCount == 0; }
};

// Reads a whole file's bytes. A pure function of the bytes, linear in their length.
CsvParseResult ParseRecordsCsv(std::string_view bytes);

// "12行目: 日付が正しくありません。"
std::u16string CsvProblemText(const CsvProblem& problem);
// The message of a refused file: a first sentence, then one line per kept problem, then how
// many more were found.
std::u16string CsvProblemsMessage(const CsvParseResult& result);

// "N日分の記録を書き出しました。"
std::u16string CsvExportDoneText(std::size_t days);
// "N日分のうち M日分は既に記録があります。\n既存の記録を上書きしますか？"
std::u16string CsvOverwriteQuestionText(std::size_t days, std::size_t daysWithRecords);
// "N日分の記録を読み込みました。"
std::u16string CsvImportDoneText(std::size_t days);

// Empty while the import may go on; otherwise the message refusing it: a data file could not be
// read at start (records.fileUnread), so the days it holds are unknown and neither the overwrite
// question nor its "いいえ" could keep them.
std::u16string CsvImportBlockedText(const RecordStores& stores);

// Importing rows into the stores. A day "has records" when it has a record the row would
// replace: a temperature record, or a weight or memo record when the file has that column.
std::size_t CountDaysWithRecords(const std::vector<CsvRow>& rows, const RecordStores& stores);

enum class CsvExistingDays {
  Overwrite,  // a day with records becomes exactly its row
  Keep,       // a day with records is left as it is; its row is not imported
};

// Every imported day takes its row's values in the columns the file has: its temperature record
// is the row's temperature (and period flag); its weight and memo records are the row's, and
// are removed when the row's cell is empty. A column the file lacks leaves the day's value (the
// period flag of an existing temperature record, a weight, a memo) as it is. The number of days
// imported.
std::size_t ImportCsvRows(const std::vector<CsvRow>& rows, CsvExistingDays existing,
                          RecordStores& stores);
