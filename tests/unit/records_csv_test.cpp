#include "records_csv.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "data_files.h"
#include "dates.h"
#include "support/store_builder.h"
#include "support/temp_folder.h"

using test_support::AddMemos;
using test_support::AddTemperatures;
using test_support::AddWeights;
using test_support::Describe;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::Utf16;
using test_support::Utf8;

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader = "日付,基礎体温,月経開始,体重,メモ";

struct Stores : RecordStores {
  std::string Csv() const { return RecordsCsvBytes(*this); }
  std::size_t Import(const CsvParseResult& parsed, CsvExistingDays existing) {
    return ImportCsvRows(parsed.rows, existing, *this);
  }
  // "t:...|w:...|m:..." in the store builder's literal form, then "|s:..." when a sign exists.
  std::string Describe() const {
    return "t:" + test_support::Describe(temperatures) + "|w:" + test_support::Describe(weights) +
           "|m:" + test_support::Describe(memos) +
           (signs.records.Empty() ? "" : "|s:" + test_support::Describe(signs));
  }
};

// Rows as "2026/5/1,36.45,1,52.3,memo;..." (weight 0 written as "-").
std::string DescribeRows(const CsvParseResult& parsed) {
  std::string out;
  char line[96];
  for (const CsvRow& r : parsed.rows) {
    std::snprintf(line, sizeof line, "%s%d/%d/%d,%.2f,%d,", out.empty() ? "" : ";", r.date.year,
                  r.date.month, r.date.day, r.temperature, r.periodStart);
    out += line;
    if (r.weight == 0.0) {
      out += "-";
    } else {
      std::snprintf(line, sizeof line, "%.1f", r.weight);
      out += line;
    }
    out += "," + Utf8(r.memo);
  }
  return out;
}

std::string ProblemLines(const CsvParseResult& parsed) {
  std::string out;
  for (const CsvProblem& p : parsed.problems) out += (out.empty() ? "" : "\n") + Utf8(CsvProblemText(p));
  return out;
}

TEST(RecordsCsv, WritesBomHeaderCrLfAndQuotesOnlyWhereNeeded) {
  Stores s;
  // A year below 1000 (the data files read one) is written with its four digits too.
  AddTemperatures(s.temperatures,
                  "999/1/2,36.00,0; 2026/5/1,36.456,1; 2026/5/2,36.5,0; 2026/12/31,37.00,0");
  // 2026/5/3 has a weight but no temperature: not a row of the file.
  AddWeights(s.weights, "2026/5/1,52.25; 2026/5/3,50.0");
  AddMemos(s.memos, "2026/5/2,眠い, \"とても\"😀");
  // Unpaired surrogates: a high one before a letter, a low one, a high one at the end.
  MemoRecord broken = test_support::MakeMemo(2026, 12, 31, u"a\r\nbxyz");
  broken.text[3] = broken.text[6] = 0xD83D;
  broken.text[5] = 0xDE00;
  InsertMemo(broken, s.memos);
  // The first and last character of each length of UTF-8.
  AddTemperatures(s.temperatures, "2026/12/30,36.00,0");
  const std::u16string edges = u"\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
  InsertMemo(test_support::MakeMemo(2026, 12, 30, edges), s.memos);
  EXPECT_EQ(s.Csv(), kBom + kHeader + "\r\n" +
                         "0999-01-02,36.00,0,,\r\n"
                         "2026-05-01,36.46,1,52.2,\r\n"
                         "2026-05-02,36.50,0,,\"眠い, \"\"とても\"\"😀\"\r\n"
                         "2026-12-30,36.00,0,,\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"
                         "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\r\n"
                         "2026-12-31,37.00,0,,\"a\r\n\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD\"\r\n");
  EXPECT_EQ(Stores().Csv(), kBom + kHeader + "\r\n");
}

TEST(RecordsCsv, ReadsTheWrittenFormAndCommonVariants) {
  const std::string memo120(120, 'x');
  // 98 units, then a pair that would end at unit 100: it is dropped whole.
  const std::string pairAtCut = std::string(98, 'y') + "😀";
  // The first and last character of each UTF-8 length, those next to the surrogates, and the
  // variation selector U+E0100 (its lead byte F3).
  const std::string edges =
      "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF\xF0\x90\x80\x80"
      "\xF3\xA0\x84\x80\xF4\x8F\xBF\xBF";
  const struct {
    const char* name;
    std::string bytes;
    std::string rows;
  } cases[] = {
      {"written form", kBom + kHeader + "\r\n2026-05-01,36.45,1,52.3,眠い\r\n2026-05-02,36.60,0,,\r\n",
       "2026/5/1,36.45,1,52.3,眠い;2026/5/2,36.60,0,-,"},
      {"no BOM, LF, slashes", kHeader + "\n2026/5/1,36.45,1,52.3,a\n2026/12/9,36.5,0,,\n",
       "2026/5/1,36.45,1,52.3,a;2026/12/9,36.50,0,-,"},
      {"no line end at the end", kHeader + "\n2026-05-01,36.45,0,,end", "2026/5/1,36.45,0,-,end"},
      {"a quoted last field at the end", kHeader + "\n2026-05-01,36.45,0,,\"a,b\"",
       "2026/5/1,36.45,0,-,a,b"},
      {"an empty last field at the end", kHeader + "\n2026-05-01,36.45,0,,", "2026/5/1,36.45,0,-,"},
      {"columns in any order, unknown and missing ones",
       "メモ,平熱,基礎体温,日付\n\"a,b\",x,36.4,2026/1/2\n", "2026/1/2,36.40,0,-,a,b"},
      {"spreadsheet quoting everywhere",
       "\"日付\",\"基礎体温\",\"月経開始\",\"体重\",\"メモ\"\n\"2026/5/1\",\"36.45\",\"1\",\"\",\"say \"\"hi\"\"\"\n",
       "2026/5/1,36.45,1,-,say \"hi\""},
      {"line breaks inside a quoted memo", kHeader + "\n2026-05-01,36.45,0,,\"a\nb\r\nc\"\n",
       "2026/5/1,36.45,0,-,a\nb\r\nc"},
      {"empty lines and lines of empty fields", kHeader + "\r\n\r\n,,,,\r\n2026-05-01,36.45,,,\r\n\r\n",
       "2026/5/1,36.45,0,-,"},
      {"spaces around numbers and dates", kHeader + "\n 2026-05-01 , 36.45 , 1 , 52.3 , m \n",
       "2026/5/1,36.45,1,52.3, m "},
      {"memo cut to 99 units", kHeader + "\n2026-05-01,36.45,0,," + memo120 + "\n",
       "2026/5/1,36.45,0,-," + std::string(99, 'x')},
      {"cut never splits a pair", kHeader + "\n2026-05-01,36.45,0,," + pairAtCut + "\n",
       "2026/5/1,36.45,0,-," + std::string(98, 'y')},
      {"every length of UTF-8", kHeader + "\n2026-05-01,36.45,0,," + edges + "\n",
       "2026/5/1,36.45,0,-," + edges},
      {"empty file", "", ""},
      {"byte-order mark only", kBom, ""},
      {"header only", kBom + kHeader + "\r\n", ""},
  };
  for (const auto& c : cases) {
    const CsvParseResult parsed = ParseRecordsCsv(c.bytes);
    EXPECT_TRUE(parsed.Ok()) << c.name << "\n" << ProblemLines(parsed);
    EXPECT_EQ(DescribeRows(parsed), c.rows) << c.name;
  }
}

// A value with more decimals than the data files hold (a spreadsheet's, a hand-edited line) is
// imported or loaded as the file will hold it (half to even on an exact binary tie, as a save
// writes it): the reading made from it now is the one made after a restart.
TEST(RecordsCsv, ValuesWithMoreDecimalsAreTakenAsTheDataFilesHoldThem) {
  const CsvParseResult parsed =
      ParseRecordsCsv(kHeader + "\n2026-05-01,36.125,0,50.25,\n2026-05-02,36.375,0,50.75,\n");
  ASSERT_TRUE(parsed.Ok());
  ASSERT_EQ(parsed.rows.size(), 2u);
  TemperatureStore temperatures;
  WeightStore weights;
  EXPECT_EQ(ReadDataBytes("2026/5/1,36.125,0\r\n2026/5/2,36.375,0\r\n", temperatures), 0u);
  EXPECT_EQ(ReadDataBytes("2026/5/1,50.25\r\n2026/5/2,50.75\r\n", weights), 0u);
  const struct {
    double temperature, weight;
  } stored[] = {{36.12, 50.2}, {36.38, 50.8}};
  for (int day = 1; day <= 2; ++day) {
    const auto& s = stored[day - 1];
    EXPECT_EQ(parsed.rows[day - 1].temperature, s.temperature) << day;
    EXPECT_EQ(parsed.rows[day - 1].weight, s.weight) << day;
    EXPECT_EQ(FindTemperature(temperatures, 2026, 5, day)->temperature, s.temperature) << day;
    EXPECT_EQ(FindWeight(weights, 2026, 5, day)->weight, s.weight) << day;
  }
}

TEST(RecordsCsv, AnyBadRowRefusesTheWholeFileWithLineNumbers) {
  const std::string good = "2026-05-01,36.45,0,,\n";
  const struct {
    std::string bytes;
    std::string problems;
  } cases[] = {
      {kHeader + "\n" + good + "2026-02-30,36.45,0,,\n2026-05-03,36.45,0,,\n", "3行目: 日付が正しくありません。"},
      {kHeader + "\n5/1/2026,36.4,0,,\n2026-5,36.4,0,,\n2026-05/01,36.4,0,,\n,36.4,0,,x\n",
       "2行目: 日付が正しくありません。\n3行目: 日付が正しくありません。\n"
       "4行目: 日付が正しくありません。\n5行目: 日付が正しくありません。"},
      {kHeader + "\n2026-05-01,0,0,,\n2026-05-02,100,0,,\n2026-05-03,abc,0,,\n2026-05-04,,0,,\n"
                 "2026-05-05,36.4x,0,,\n",
       "2行目: 基礎体温が正しくありません。\n3行目: 基礎体温が正しくありません。\n"
       "4行目: 基礎体温が正しくありません。\n5行目: 基礎体温が正しくありません。\n"
       "6行目: 基礎体温が正しくありません。"},
      {kHeader + "\n2026-05-01,36.4,2,,\n2026-05-02,36.4,0,1000,\n2026-05-03,36.4,0,-1,\n",
       "2行目: 月経開始が正しくありません。\n3行目: 体重が正しくありません。\n4行目: 体重が正しくありません。"},
      // Each sign within its kind; a row without a temperature holds signs and nothing else.
      {kHeader + kSignsCsvColumns + "\n2026-05-01,36.4,0,,,5,,\n2026-05-02,36.4,0,,,,3,\n"
                 "2026-05-03,36.4,0,,,,,2\n2026-05-04,abc,0,,,x,,\n2026-05-05,,0,50.0,,1,,\n",
       "2行目: おりものが正しくありません。\n3行目: 排卵検査薬が正しくありません。\n"
       "4行目: 性交が正しくありません。\n5行目: 基礎体温が正しくありません。\n"
       "6行目: 基礎体温が正しくありません。"},
      {kHeader + "\n2026-05-01,36.4,0,,\xFF\n2026-05-02,36.4,0,,\xC0\xAF\n2026-05-03,36.4,0,,\xED\xA0\x80\n"
                 "2026-05-04,36.4,0,,\xE3\x81\n" + std::string("2026-05-05,36.4,0,,\"a\0b\"\n", 25),
       "2行目: メモに読み取れない文字があります。\n3行目: メモに読み取れない文字があります。\n"
       "4行目: メモに読み取れない文字があります。\n5行目: メモに読み取れない文字があります。\n"
       "6行目: メモに読み取れない文字があります。"},
      // A continuation byte alone, sequences cut short inside and at the end, overlong forms, one
      // past U+10FFFF, the last surrogate, a lead byte above F4; a sign of two digits.
      {kHeader + "\n2026-05-01,36.4,0,,\x80\n2026-05-02,36.4,0,,\xE3\x81x\n"
                 "2026-05-03,36.4,0,,x\xE3\x81\n2026-05-04,36.4,0,,\xE0\x9F\xBF\n"
                 "2026-05-05,36.4,0,,\xF0\x8F\xBF\xBF\n",
       "2行目: メモに読み取れない文字があります。\n3行目: メモに読み取れない文字があります。\n4行目: メモに読み取れない文字があります。\n"
       "5行目: メモに読み取れない文字があります。\n6行目: メモに読み取れない文字があります。"},
      {kHeader + kSignsCsvColumns + "\n2026-05-01,36.4,0,,\xF4\x90\x80\x80,,,\n"
                 "2026-05-02,36.4,0,,\xED\xBF\xBF,,,\n2026-05-03,36.4,0,,\xF8\x90\x80\x80,,,\n"
                 "2026-05-04,36.4,0,,,04,,\n",
       "2行目: メモに読み取れない文字があります。\n3行目: メモに読み取れない文字があります。\n4行目: メモに読み取れない文字があります。\n"
       "5行目: おりものが正しくありません。"},
      // Longer fields than a date has, a letter for a digit, a row of nothing but its date.
      {kHeader + "\n02026-05-01,36.4,0,,\n2026-005-01,36.4,0,,\n2026-05-001,36.4,0,,\n"
                 "2026/5/1o,36.4,0,,\n2026-05-05,,,,\n",
       "2行目: 日付が正しくありません。\n3行目: 日付が正しくありません。\n"
       "4行目: 日付が正しくありません。\n5行目: 日付が正しくありません。\n"
       "6行目: 基礎体温が正しくありません。"},
      {kHeader + "\n" + good + "2026/5/1,36.50,0,,\n", "3行目: 日付が2行目と重複しています。"},
      {kHeader + "\n2026-05-01,36.4,0,\n2026-05-02,36.4,0,,,\n", "2行目: 列の数が見出しの行と合いません。\n"
                                                              "3行目: 列の数が見出しの行と合いません。"},
      // Line numbers count the lines inside a quoted field.
      {kHeader + "\n2026-05-01,36.4,0,,\"a\nb\nc\"\n2026-05-02,36.4,0,x,\n", "5行目: 体重が正しくありません。"},
      // Line ends of each kind inside a quoted field (one first, a lone CR last) and between rows.
      {kHeader + "\r\n2026-05-01,36.4,0,,\"\na\r\nb\r\nc\rd\r\"\r\n2026-05-02,36.4,0,x,\r"
                 "2026-05-03,36.4,0,x,\r\n2026-05-04,36.4,0,x,\r",
       "8行目: 体重が正しくありません。\n9行目: 体重が正しくありません。\n10行目: 体重が正しくありません。"},
      {kHeader + "\n2026-05-01,36.4,0,,a\"b\n2026-05-02,36.4,0,,\"a\"b\n" + good,
       "2行目: 「\"」の使い方が正しくありません。\n3行目: 「\"」の使い方が正しくありません。"},
      {kHeader + "\n2026-05-01,36.4,0,,a\"b", "2行目: 「\"」の使い方が正しくありません。"},
      {kHeader + "\n" + good + "2026-05-02,36.4,0,,\"open\n" + good, "3行目: 「\"」で始まる値が閉じられていません。"},
      {good, "1行目: 見出しの行が正しくありません。「日付」と「基礎体温」の列が必要です。"},
      // "日付,基礎体温" as a spreadsheet saves it in Shift_JIS.
      {"\x93\xfa\x95t,\x8a\xee\x91" "b\x91\xcc\x89\xb7\n" + good,
       "1行目: 文字コードがUTF-8ではありません。UTF-8で保存したファイルを選んでください。"},
      {"日付,メモ\n" + good, "1行目: 見出しの行が正しくありません。「日付」と「基礎体温」の列が必要です。"},
      {"日付,基礎体温,日付\n" + good, "1行目: 見出しの行が正しくありません。「日付」と「基礎体温」の列が必要です。"},
  };
  for (const auto& c : cases) {
    const CsvParseResult parsed = ParseRecordsCsv(c.bytes);
    EXPECT_FALSE(parsed.Ok()) << c.bytes;
    EXPECT_TRUE(parsed.rows.empty()) << c.bytes;
    EXPECT_EQ(ProblemLines(parsed), c.problems) << c.bytes;
  }
}

TEST(RecordsCsv, MessageListsFiveProblemsAndCountsTheRest) {
  for (const std::size_t count : {5u, 8u}) {
    std::string bytes = kHeader + "\n";
    for (std::size_t i = 0; i < count; ++i) bytes += "bad,36.4,0,,\n";
    const CsvParseResult parsed = ParseRecordsCsv(bytes);
    EXPECT_EQ(parsed.problemCount, count);
    EXPECT_EQ(Utf8(CsvProblemsMessage(parsed)),
              "CSVファイルに誤りがあるため、読み込みませんでした。\n\n"
              "2行目: 日付が正しくありません。\n3行目: 日付が正しくありません。\n"
              "4行目: 日付が正しくありません。\n5行目: 日付が正しくありません。\n"
              "6行目: 日付が正しくありません。" +
                  std::string(count > 5 ? "\nほかに3件の誤りがあります。" : ""))
        << count;
  }
}

// Sizes far beyond any real file still read completely (the time they take is measured in the
// benchmark, not here).
TEST(RecordsCsv, LargeFilesAndLongLines) {
  Stores s;
  DateYmd d{1800, 1, 1};
  std::string bytes = kBom + kHeader + "\r\n";
  std::size_t rows = 0;
  while (bytes.size() < 10 * 1024 * 1024) {
    char line[96];
    std::snprintf(line, sizeof line, "%04d-%02d-%02d,36.%02d,%d,52.3,\"memo, %zu\"\r\n", d.year,
                  d.month, d.day, static_cast<int>(rows % 100), static_cast<int>(rows % 28 == 0), rows);
    bytes += line;
    ++rows;
    if (++d.day > 28) d = DateYmd{d.month == 12 ? d.year + 1 : d.year, d.month % 12 + 1, 1};
  }
  const CsvParseResult big = ParseRecordsCsv(bytes);
  ASSERT_TRUE(big.Ok()) << ProblemLines(big);
  EXPECT_EQ(big.rows.size(), rows);
  EXPECT_EQ(Utf8(big.rows.back().memo), "memo, " + std::to_string(rows - 1));

  const std::string megabyte(1024 * 1024, 'm');
  const CsvParseResult quoted = ParseRecordsCsv(kHeader + "\n2026-05-01,36.4,0,,\"" + megabyte + "\"\n");
  ASSERT_TRUE(quoted.Ok());
  EXPECT_EQ(quoted.rows.at(0).memo, std::u16string(99, u'm'));
  const CsvParseResult garbage = ParseRecordsCsv(kHeader + "\n" + megabyte + "\n2026-05-01,36.4,0,,\n");
  EXPECT_EQ(ProblemLines(garbage), "2行目: 列の数が見出しの行と合いません。");
}

TEST(RecordsCsv, ImportSetsEachDayToItsRowAndKeepsOrOverwritesDaysWithRecords) {
  const std::string file = kHeader +
                           "\n2026-05-01,36.10,1,50.0,new"   // day with a temperature record
                           "\n2026-05-02,36.20,0,,"           // day with only a weight
                           "\n2026-05-03,36.30,0,,new3"       // day with only a memo
                           "\n2026-05-04,36.40,0,51.0,"       // new day
                           "\n";
  const auto existing = [](Stores& s) {
    AddTemperatures(s.temperatures, "2026/5/1,36.90,0");
    AddWeights(s.weights, "2026/5/2,60.0");
    AddMemos(s.memos, "2026/5/1,old; 2026/5/3,old3");
  };
  const CsvParseResult parsed = ParseRecordsCsv(file);
  ASSERT_TRUE(parsed.Ok());
  const struct {
    CsvExistingDays mode;
    std::size_t imported;
    const char* stores;
  } cases[] = {
      {CsvExistingDays::Overwrite, 4,
       "t:2026/5/1,36.10,1;2026/5/2,36.20,0;2026/5/3,36.30,0;2026/5/4,36.40,0"
       "|w:2026/5/1,50.0;2026/5/4,51.0|m:2026/5/1,new;2026/5/3,new3"},
      {CsvExistingDays::Keep, 1,
       "t:2026/5/1,36.90,0;2026/5/4,36.40,0|w:2026/5/2,60.0;2026/5/4,51.0|m:2026/5/1,old;2026/5/3,old3"},
  };
  for (const auto& c : cases) {
    Stores s;
    existing(s);
    EXPECT_EQ(CountDaysWithRecords(parsed.rows, s), 3u);
    EXPECT_EQ(s.Import(parsed, c.mode), c.imported);
    EXPECT_EQ(s.Describe(), c.stores);
  }
}

// Ten years of records through a CSV file into an empty install give the same three data files.
TEST(RecordsCsv, RoundTripThroughEmptyStoresGivesByteIdenticalDataFiles) {
  TempFolder original, copy;
  {
    Stores s;
    std::mt19937 random(15);
    const std::u16string memos[] = {u"a,b", u"say \"hi\"", u"𠮷野家😀", u"眠い、頭痛", u"\"", u",,",
                                    std::u16string(99, u'長')};
    std::size_t day = 0;
    for (int y = 2016; y < 2026; ++y) {
      for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= 31 && quillet::IsValidDate(y, m, d); ++d, ++day) {
          if (random() % 10 == 0) continue;  // a day without records
          InsertTemperature(test_support::MakeTemperature(y, m, d, 35.5 + (random() % 200) / 100.0,
                                                          d == 3 ? 1 : 0),
                            s.temperatures);
          if (random() % 3 != 0)
            InsertWeight(test_support::MakeWeight(y, m, d, 45.0 + (random() % 200) / 10.0), s.weights);
          if (random() % 4 == 0) InsertMemo(test_support::MakeMemo(y, m, d, memos[day % 7]), s.memos);
        }
      }
    }
    ASSERT_TRUE(SaveTemperatureData(s.temperatures, original / "TEMPERATURE_DATA.dat"));
    ASSERT_TRUE(SaveWeightData(s.weights, original / "WEIGHT_DATA.dat"));
    ASSERT_TRUE(SaveMemoData(s.memos, original / "MEMO_DATA.dat"));
  }
  Stores loaded;
  LoadTemperatureData(loaded.temperatures, original / "TEMPERATURE_DATA.dat");
  LoadWeightData(loaded.weights, original / "WEIGHT_DATA.dat");
  LoadMemoData(loaded.memos, original / "MEMO_DATA.dat");
  ASSERT_GT(loaded.temperatures.records.Size(), 3000u);

  const CsvParseResult parsed = ParseRecordsCsv(loaded.Csv());
  ASSERT_TRUE(parsed.Ok()) << ProblemLines(parsed);
  Stores imported;
  EXPECT_EQ(imported.Import(parsed, CsvExistingDays::Keep), loaded.temperatures.records.Size());
  ASSERT_TRUE(SaveTemperatureData(imported.temperatures, copy / "TEMPERATURE_DATA.dat"));
  ASSERT_TRUE(SaveWeightData(imported.weights, copy / "WEIGHT_DATA.dat"));
  ASSERT_TRUE(SaveMemoData(imported.memos, copy / "MEMO_DATA.dat"));
  for (const char* name : {"TEMPERATURE_DATA.dat", "WEIGHT_DATA.dat", "MEMO_DATA.dat"})
    EXPECT_EQ(ReadBytes(copy / name), ReadBytes(original / name)) << name;
}

}  // namespace

namespace {

// A day with every kind of record, and a day with only a weight and a memo.
void FillDays(Stores& s) {
  AddTemperatures(s.temperatures, "2026/5/1,36.90,1");
  AddWeights(s.weights, "2026/5/1,60.0; 2026/5/2,61.0");
  AddMemos(s.memos, "2026/5/1,old; 2026/5/2,old2");
}

}  // namespace

// An import touches only the columns the file has (a present but empty cell removes the value),
// asks only about days whose records it would replace, accepts only dates the data files hold
// and read back, and waits while a data file could not be read at start.
TEST(RecordsCsv, ImportTouchesOnlyItsColumnsAndDatesTheDataFilesHold) {
  const struct {
    std::string file;
    CsvExistingDays mode;
    std::size_t asked;  // days the overwrite question counts
    const char* stores;
    const char* signs = "";  // the days' signs before the import, as the signs file holds them
  } cases[] = {
      {"日付,基礎体温\n2026-05-01,36.10\n2026-05-02,36.20\n", CsvExistingDays::Overwrite, 1,
       "t:2026/5/1,36.10,1;2026/5/2,36.20,0|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old;2026/5/2,old2"},
      {"日付,基礎体温\n2026-05-01,36.10\n2026-05-02,36.20\n", CsvExistingDays::Keep, 1,
       "t:2026/5/1,36.90,1;2026/5/2,36.20,0|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old;2026/5/2,old2"},
      {"日付,基礎体温,体重,月経開始\n2026-05-01,36.10,,\n2026-05-02,36.20,62.0,1\n",
       CsvExistingDays::Overwrite, 2,
       "t:2026/5/1,36.10,0;2026/5/2,36.20,1|w:2026/5/2,62.0|m:2026/5/1,old;2026/5/2,old2"},
      {"日付,基礎体温,メモ\n2026-05-02,36.20,\n", CsvExistingDays::Keep, 1,
       "t:2026/5/1,36.90,1|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old;2026/5/2,old2"},
      {"日付,基礎体温,メモ\n2026-05-02,36.20,\n", CsvExistingDays::Overwrite, 1,
       "t:2026/5/1,36.90,1;2026/5/2,36.20,0|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old"},
      // Signs: a file without their columns leaves them; a day of signs alone touches nothing else.
      {"日付,基礎体温\n2026-05-01,36.10\n", CsvExistingDays::Overwrite, 1,
       "t:2026/5/1,36.10,1|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old;2026/5/2,old2"
       "|s:2026/5/1,3,1,1;2026/5/3,,,1", "2026/5/1,3,1,1\n2026/5/3,,,1\n"},
      {"日付,基礎体温,性交\n2026-05-01,36.10,\n2026-05-03,,1\n",
       CsvExistingDays::Overwrite, 2,
       "t:2026/5/1,36.10,1|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old;2026/5/2,old2"
       "|s:2026/5/1,3,1,;2026/5/3,,,1", "2026/5/1,3,1,1\n2026/5/3,,,1\n"},
      {"日付,基礎体温,性交\n2026-05-01,36.10,\n2026-05-03,,1\n", CsvExistingDays::Keep, 2,
       "t:2026/5/1,36.90,1|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old;2026/5/2,old2"
       "|s:2026/5/1,3,1,1;2026/5/3,,,1", "2026/5/1,3,1,1\n2026/5/3,,,1\n"},
      {"日付,基礎体温,おりもの,排卵検査薬\n2026-05-02,,4,2\n", CsvExistingDays::Overwrite, 0,
       "t:2026/5/1,36.90,1|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old;2026/5/2,old2"
       "|s:2026/5/2,4,2,"},
      // Signs alone on a day with a temperature replace none of its records, with one sign column.
      {"日付,基礎体温,おりもの\n2026-05-01,,2\n", CsvExistingDays::Keep, 0,
       "t:2026/5/1,36.90,1|w:2026/5/1,60.0;2026/5/2,61.0|m:2026/5/1,old;2026/5/2,old2"
       "|s:2026/5/1,2,,"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Stores s;
    FillDays(s);
    ReadDataBytes(c.signs, s.signs);
    const CsvParseResult parsed = ParseRecordsCsv(c.file);
    ASSERT_TRUE(parsed.Ok()) << ProblemLines(parsed);
    EXPECT_EQ(CountDaysWithRecords(parsed.rows, s), c.asked);
    s.Import(parsed, c.mode);
    EXPECT_EQ(s.Describe(), c.stores);
  }

  // A memo on 1-1-1 would be saved as a line shorter than the memo file's shortest: years have
  // four digits, as the data files write them.
  const CsvParseResult early = ParseRecordsCsv(kHeader + "\n1-1-1,36.4,0,,x\n999/1/1,36.4,0,,\n"
                                               "0999-12-31,36.4,0,,\n1000-01-01,36.4,0,,x\n");
  EXPECT_EQ(ProblemLines(early), "2行目: 日付が正しくありません。\n3行目: 日付が正しくありません。\n"
                                 "4行目: 日付が正しくありません。");

  Stores unread;
  EXPECT_EQ(CsvImportBlockedText(unread), u"");
  unread.temperatures.records.fileUnread = unread.memos.records.fileUnread = true;
  EXPECT_EQ(Utf8(CsvImportBlockedText(unread)),
            "TEMPERATURE_DATA.dat、MEMO_DATA.dat を起動時に読み込めなかったため、CSVファイルを読み込みません"
            "（読み込めなかった記録を上書きしないためです）。\n"
            "ほかのプログラムがファイルを使っていないかご確認のうえ、Tovela を起動し直してください。");
}

// With a sign recorded, the export has the three columns and the days of signs alone; reading it
// into empty stores gives the same records and the same bytes. Without one, it is as before.
TEST(RecordsCsv, SignsColumnsFollowWhileASignIsRecordedAndReadBackTheSame) {
  Stores s;
  AddTemperatures(s.temperatures, "2026/5/1,36.10,1; 2026/5/2,36.20,0");
  AddWeights(s.weights, "2026/5/2,52.0");
  ReadDataBytes("2026/5/2,4,1,1\r\n2026/5/3,0,,\r\n2026/4/30,,2,\r\n", s.signs);
  const std::string csv = s.Csv();
  EXPECT_EQ(csv, kBom + kHeader + kSignsCsvColumns + "\r\n" +
                     "2026-04-30,,,,,,2,\r\n"
                     "2026-05-01,36.10,1,,,,,\r\n"
                     "2026-05-02,36.20,0,52.0,,4,1,1\r\n"
                     "2026-05-03,,,,,0,,\r\n");
  EXPECT_EQ(CsvDayCount(s), 4u);
  Stores again;
  const CsvParseResult parsed = ParseRecordsCsv(csv);
  ASSERT_TRUE(parsed.Ok()) << ProblemLines(parsed);
  EXPECT_EQ(again.Import(parsed, CsvExistingDays::Overwrite), 4u);
  EXPECT_EQ(again.Describe(), s.Describe());
  EXPECT_EQ(again.Csv(), csv);
  s.signs.records.Clear();
  EXPECT_EQ(s.Csv(), kBom + kHeader + "\r\n2026-05-01,36.10,1,,\r\n2026-05-02,36.20,0,52.0,\r\n");
  // More days of signs than temperature records.
  Stores signsOnly;
  ReadDataBytes("2026/5/1,1,,\r\n2026/5/2,2,,\r\n2026/5/3,,,1\r\n", signsOnly.signs);
  EXPECT_EQ(signsOnly.Csv(), kBom + kHeader + kSignsCsvColumns +
                                "\r\n2026-05-01,,,,,1,,\r\n2026-05-02,,,,,2,,\r\n2026-05-03,,,,,,,1\r\n");
}
