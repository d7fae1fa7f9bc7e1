#include <gtest/gtest.h>

#include <cstdio>
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
using test_support::ListIsConsistent;
using test_support::MakeMemo;
using test_support::MakeTemperature;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::Utf16;
using test_support::Utf16LeBytes;
using test_support::WriteBytes;

namespace {

std::string LoadTemperatures(const std::filesystem::path& file) {
  TemperatureStore store;
  LoadTemperatureData(store, file);
  EXPECT_TRUE(ListIsConsistent(store.records));
  return Describe(store);
}

std::string LoadWeights(const std::filesystem::path& file) {
  WeightStore store;
  LoadWeightData(store, file);
  EXPECT_TRUE(ListIsConsistent(store.records));
  return Describe(store);
}

std::string LoadMemos(const std::filesystem::path& file) {
  MemoStore store;
  LoadMemoData(store, file);
  EXPECT_TRUE(ListIsConsistent(store.records));
  return Describe(store);
}

}  // namespace

// --- Writing: exact bytes -------------------------------------------------------------------

TEST(DataFiles, TemperatureLinesAreWrittenWithTwoDecimalsAndCrLf) {
  TempFolder folder;
  TemperatureStore store;
  ASSERT_TRUE(InsertTemperature(MakeTemperature(2007, 5, 3, 36.456, 1), store));
  AddTemperatures(store, "2007/5/30,36.45,0; 2007/12/31,37,1; 2008/1/1,36.999,0");
  ASSERT_TRUE(SaveTemperatureData(store, folder / "TEMPERATURE_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "TEMPERATURE_DATA.dat"),
            "2007/5/3,36.46,1\r\n2007/5/30,36.45,0\r\n2007/12/31,37.00,1\r\n2008/1/1,37.00,0\r\n");
}

TEST(DataFiles, WeightLinesAreWrittenWithOneDecimalAndCrLf) {
  TempFolder folder;
  WeightStore store;
  // 52.25 and 52.75 are exact binary ties: half to even gives 52.2 and 52.8.
  AddWeights(store, "2007/5/3,52.34; 2007/5/4,52.35; 2007/5/5,120; 2007/5/6,52.25; 2007/5/7,52.75;"
                    "2007/10/10,999.9");
  ASSERT_TRUE(SaveWeightData(store, folder / "WEIGHT_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "WEIGHT_DATA.dat"),
            "2007/5/3,52.3\r\n2007/5/4,52.4\r\n2007/5/5,120.0\r\n2007/5/6,52.2\r\n"
            "2007/5/7,52.8\r\n2007/10/10,999.9\r\n");
}

// The numbers are rounded from their exact binary values, half to even on exact ties, as the C
// library's "%.2f" does: glibc's printf is the reference here.
TEST(DataFiles, NumbersMatchTheCLibraryRoundingIncludingExactTies) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> thousandths(30000, 42999);
  TemperatureStore store;
  std::string expected;
  std::tm day = test_support::Tm(2000, 1, 1);
  for (int i = 0; i < 2000; ++i, day = quillet::GetNextDay(day)) {
    // Every eighth value is an exact binary tie (36.125, 36.375, ...), the rest arbitrary.
    const double t =
        i % 8 == 0 ? 30 + i % 12 + (2 * (i / 8 % 4) + 1) / 8.0 : thousandths(rng) / 1000.0;
    ASSERT_TRUE(InsertTemperature(
        MakeTemperature(day.tm_year + 1900, day.tm_mon + 1, day.tm_mday, t), store));
    char line[64];
    std::snprintf(line, sizeof line, "%d/%d/%d,%.2f,%d\r\n", day.tm_year + 1900, day.tm_mon + 1,
                  day.tm_mday, t, 0);
    expected += line;
  }
  TempFolder folder;
  ASSERT_TRUE(SaveTemperatureData(store, folder / "TEMPERATURE_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "TEMPERATURE_DATA.dat"), expected);
}

TEST(DataFiles, MemoIsUtf16LeWithoutByteOrderMarkAndCrLfUnits) {
  TempFolder folder;
  MemoStore store;
  AddMemos(store, "2007/5/30,ab; 2007/6/1,眠い𠮷");
  ASSERT_TRUE(SaveMemoData(store, folder / "MEMO_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "MEMO_DATA.dat"),
            Utf16LeBytes(u"2007/5/30,ab\r\n2007/6/1,眠い\U00020BB7\r\n"));
}

TEST(DataFiles, LineBreakInsideAMemoIsWrittenAsASpace) {
  TempFolder folder;
  MemoStore store;
  ASSERT_TRUE(InsertMemo(MakeMemo(2007, 5, 30, u"一\r\n二\n三"), store));
  ASSERT_TRUE(SaveMemoData(store, folder / "MEMO_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "MEMO_DATA.dat"), Utf16LeBytes(u"2007/5/30,一  二 三\r\n"));
}

TEST(DataFiles, EmptyStoresWriteEmptyFiles) {
  TempFolder folder;
  WriteBytes(folder / "TEMPERATURE_DATA.dat", "2007/5/30,36.45,1\r\n");
  TemperatureStore temperatures;
  WeightStore weights;
  MemoStore memos;
  ASSERT_TRUE(SaveTemperatureData(temperatures, folder / "TEMPERATURE_DATA.dat"));
  ASSERT_TRUE(SaveWeightData(weights, folder / "WEIGHT_DATA.dat"));
  ASSERT_TRUE(SaveMemoData(memos, folder / "MEMO_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "TEMPERATURE_DATA.dat"), "");
  EXPECT_EQ(ReadBytes(folder / "WEIGHT_DATA.dat"), "");
  EXPECT_EQ(ReadBytes(folder / "MEMO_DATA.dat"), "");
  // The temperature file existed: its old lines went to the day's backup folder.
  EXPECT_EQ(folder.Listing(), "MEMO_DATA.dat TEMPERATURE_DATA.dat WEIGHT_DATA.dat backup");
}

// --- Reading ------------------------------------------------------------------------------

TEST(DataFiles, TemperatureLineGivesDateValueAndFlag) {
  TempFolder folder;
  WriteBytes(folder / "t.dat", "2007/5/30,36.45,1\r\n2007/5/31,36.50,2\r\n2007/6/1,36.55,0\r\n");
  EXPECT_EQ(LoadTemperatures(folder / "t.dat"),
            "2007/5/30,36.45,1;2007/5/31,36.50,0;2007/6/1,36.55,0");
}

TEST(DataFiles, OutOfOrderLinesLoadSortedAndRepeatedDateKeepsFirstLine) {
  TempFolder folder;
  WriteBytes(folder / "t.dat",
             "2007/6/1,36.55,0\r\n2007/5/30,36.45,1\r\n2007/6/1,37.00,1\r\n2007/5/31,36.50,0\r\n");
  TemperatureStore store;
  LoadTemperatureData(store, folder / "t.dat");
  EXPECT_EQ(Describe(store), "2007/5/30,36.45,1;2007/5/31,36.50,0;2007/6/1,36.55,0");
  ASSERT_TRUE(SaveTemperatureData(store, folder / "t.dat"));
  EXPECT_EQ(ReadBytes(folder / "t.dat"),
            "2007/5/30,36.45,1\r\n2007/5/31,36.50,0\r\n2007/6/1,36.55,0\r\n");
}

TEST(DataFiles, LineEndsMayBeLfCrLfOrMissingOnTheLastLine) {
  TempFolder folder;
  WriteBytes(folder / "w.dat", "\n2007/5/30,52.3\n2007/5/31,52.4\r\n2007/6/1,52.5");
  EXPECT_EQ(LoadWeights(folder / "w.dat"), "2007/5/30,52.3;2007/5/31,52.4;2007/6/1,52.5");
}

TEST(DataFiles, EmptyFileLoadsNothingAndMissingFileIsCreatedEmpty) {
  TempFolder folder;
  WriteBytes(folder / "t.dat", "");
  EXPECT_EQ(LoadTemperatures(folder / "t.dat"), "");
  EXPECT_EQ(LoadWeights(folder / "WEIGHT_DATA.dat"), "");
  EXPECT_EQ(LoadMemos(folder / "MEMO_DATA.dat"), "");
  EXPECT_EQ(folder.Listing(), "MEMO_DATA.dat WEIGHT_DATA.dat t.dat");
  EXPECT_EQ(ReadBytes(folder / "WEIGHT_DATA.dat"), "");
  // A missing folder: nothing is created and nothing loads.
  EXPECT_EQ(LoadTemperatures(folder / "absent" / "t.dat"), "");
  EXPECT_FALSE(std::filesystem::exists(folder / "absent"));
}

TEST(DataFiles, ExistingFileThatCannotBeReadIsLeftAlone) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "TEMPERATURE_DATA.dat");
  WriteBytes(folder / "TEMPERATURE_DATA.dat" / "inside", "x");
  EXPECT_EQ(LoadTemperatures(folder / "TEMPERATURE_DATA.dat"), "");
  EXPECT_TRUE(std::filesystem::is_directory(folder / "TEMPERATURE_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "TEMPERATURE_DATA.dat" / "inside"), "x");
}

TEST(DataFiles, DamagedTemperatureLinesAreSkippedAndTheRestKept) {
  TempFolder folder;
  const std::string longLine = "2007/5/20,36.45,1" + std::string(5000, '7') + "\r\n";
  WriteBytes(folder / "t.dat",
             "2007/5/1,36.10,0\r\n"
             "2007/2/29,36.20,0\r\n"      // not a leap year
             "2007/13/1,36.20,0\r\n"      // month 13
             "2007/4/31,36.20,0\r\n"      // April has 30 days
             "0/1/1,36.20,0\r\n"          // year 0
             "10000/1/1,36.20,0\r\n"      // year 10000
             "99999999999/1/1,36.20,0\r\n"
             "abc\r\n"
             "\r\n"
             "2007/5/2\r\n"               // no value
             "2007/5/3,36.30\r\n"         // no flag
             "2007/5,36.40,0\r\n"         // date without its day
             "2007/ /13,36.20,0\r\n"      // a month of blanks
             "2007/5/5,inf,0\r\n"
             "2007/5/6,nan,0\r\n"
             "2007/5/7,150.00,0\r\n"
             "2007/5/8,-3.00,0\r\n"
             "2007/5/9,0.00,0\r\n"
             "2007/5/10,abc,0\r\n"
             "2007/5/11,1e400,0\r\n"
             "2007/5/12,  ,  \r\n" +     // blanks only
             longLine +                    // one long line is one record, not several
             std::string(3000, ',') + "\r\n" +
             "2008/2/29,36.90,1\r\n");
  EXPECT_EQ(LoadTemperatures(folder / "t.dat"),
            "2007/5/1,36.10,0;2007/5/20,36.45,0;2008/2/29,36.90,1");
}

TEST(DataFiles, DamagedWeightLinesAreSkippedAndTheRestKept) {
  TempFolder folder;
  WriteBytes(folder / "w.dat",
             "2007/5/1,52.3\r\n2007/5/2\r\n2007/5/3,0.0\r\n2007/5/4,1000.0\r\n2007/5/5,-1\r\n"
             "2007/5/6,NAN\r\n2007/5/7,-inf\r\n2007/2/30,50.0\r\n2007/5/8,999.9\r\n");
  EXPECT_EQ(LoadWeights(folder / "w.dat"), "2007/5/1,52.3;2007/5/8,999.9");
}

TEST(DataFiles, FieldsAreReadByTheirLeadingDigits) {
  TempFolder folder;
  // Blanks of every kind before a number, and a sign.
  WriteBytes(folder / "t.dat", " 2007/05/030,+36.45kg, 1x\r\n2007/5/31,36.5,,1\r\n"
                               "\t2007/5/28,\r36.40,\v+1\r\n2007/5/29,\f36.40,0\r\n");
  EXPECT_EQ(LoadTemperatures(folder / "t.dat"),
            "2007/5/28,36.40,1;2007/5/29,36.40,0;2007/5/30,36.45,1;2007/5/31,36.50,1");
}

TEST(DataFiles, MemoRoundTripKeepsJapaneseTextAndSurrogatePairs) {
  TempFolder folder;
  MemoStore store;
  AddMemos(store, "2007/5/30,今日は少し眠い𠮷野家; 2007/5/31,ab; 2008/1/1,x y");
  ASSERT_TRUE(SaveMemoData(store, folder / "MEMO_DATA.dat"));
  EXPECT_EQ(LoadMemos(folder / "MEMO_DATA.dat"), Describe(store));
}

TEST(DataFiles, MemoTwoCharacterTextLosesOnlyItsLineEnd) {
  TempFolder folder;
  WriteBytes(folder / "m.dat", Utf16LeBytes(u"2007/5/30,眠い\r\n"));
  MemoStore store;
  LoadMemoData(store, folder / "m.dat");
  ASSERT_NE(FindMemo(store, 2007, 5, 30), nullptr);
  EXPECT_EQ(MemoText(*FindMemo(store, 2007, 5, 30)), u"眠い");
}

TEST(DataFiles, MemoLastLineWithoutCrLfKeepsItsWholeText) {
  TempFolder folder;
  WriteBytes(folder / "m.dat", Utf16LeBytes(u"2007/5/30,眠い\r\n2007/5/31,頭痛"));
  EXPECT_EQ(LoadMemos(folder / "m.dat"), "2007/5/30,眠い;2007/5/31,頭痛");
}

TEST(DataFiles, ShortOrDamagedMemoLinesAreSkippedAndLaterLinesLoaded) {
  TempFolder folder;
  WriteBytes(folder / "m.dat", Utf16LeBytes(u"2007/5/30,一\r\n"
                                            u"\r\n"
                                            u"1/1/1,x\r\n"           // shorter than 10 units
                                            u"1/1/11,x\n"            // 9 units, though written in 10
                                            u"1/1/12,y\r\n"          // 10 units, written in 10
                                            u"2007/5/31 no comma\r\n"
                                            u"2007/2/30,bad date\r\n"
                                            u"2007/6/1,二,三\r\n"   // a comma stays in the text
                                            u"2007/6/2,四\n"
                                            u"short\r\n"));
  EXPECT_EQ(LoadMemos(folder / "m.dat"), "1/1/12,y;2007/5/30,一;2007/6/1,二,三;2007/6/2,四");
}

// What a save would write in a form the next load refuses is refused at once: a value written
// as 0 or as the bound, a memo line that would be written shorter than 10 units. A CR inside a
// memo line, or ending the file without a line feed, reads as the space a save writes for it.
TEST(DataFiles, LoadKeepsOnlyWhatASaveWritesBackTheSame) {
  TempFolder folder;
  WriteBytes(folder / "t.dat", "2007/1/1,99.996,0\r\n2007/1/2,0.004,1\r\n2007/1/3,99.994,1\r\n");
  WriteBytes(folder / "w.dat", "2007/1/1,999.96\r\n2007/1/2,0.04\r\n2007/1/3,999.94\r\n");
  // "7/5/30," with its line end is 9 units, shorter than any line a load accepts.
  const std::u16string padded(u"0007/5/30,\0\0\0\r\n0007/05/31,abc\r\n", 31);
  WriteBytes(folder / "m.dat", Utf16LeBytes(padded + u"2007/1/1,cr\rinside\r\n2007/1/2,end\r"));
  const struct {
    const char* file;
    std::string (*load)(const std::filesystem::path&);
    const char* expected;
  } cases[] = {
      {"t.dat", LoadTemperatures, "2007/1/3,99.99,1"},
      {"w.dat", LoadWeights, "2007/1/3,999.9"},
      {"m.dat", LoadMemos, "7/5/31,abc;2007/1/1,cr inside;2007/1/2,end "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(c.load(folder / c.file), c.expected);
  }
}

TEST(DataFiles, MemoOddByteByteOrderMarkAndLongLines) {
  TempFolder folder;
  const std::u16string longText(150, u'長');
  WriteBytes(folder / "m.dat", Utf16LeBytes(u"\xFEFF" u"2007/5/30,一\r\n2007/5/31," + longText +
                                            u"\r\n2007/6/1,二\r\n") + "\x41");
  MemoStore store;
  LoadMemoData(store, folder / "m.dat");
  EXPECT_EQ(store.records.Size(), 3u);
  EXPECT_NE(FindMemo(store, 2007, 5, 30), nullptr);  // the mark only is skipped
  ASSERT_NE(FindMemo(store, 2007, 5, 31), nullptr);
  EXPECT_EQ(MemoText(*FindMemo(store, 2007, 5, 31)), std::u16string(99, u'長'));
  ASSERT_NE(FindMemo(store, 2007, 6, 1), nullptr);
  EXPECT_EQ(MemoText(*FindMemo(store, 2007, 6, 1)), u"二");
}

TEST(DataFiles, MemoCutAt99UnitsNeverSplitsASurrogatePair) {
  TempFolder folder;
  // 98 units, then a pair at units 99 and 100: the pair does not fit and is left out whole.
  const std::u16string text = std::u16string(98, u'a') + u"\U00020BB7" + u"b";
  WriteBytes(folder / "m.dat", Utf16LeBytes(u"2007/5/30," + text + u"\r\n"));
  MemoStore store;
  LoadMemoData(store, folder / "m.dat");
  ASSERT_NE(FindMemo(store, 2007, 5, 30), nullptr);
  EXPECT_EQ(MemoText(*FindMemo(store, 2007, 5, 30)), std::u16string(98, u'a'));
}

TEST(DataFiles, RandomStoresSurviveSaveAndLoad) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> keep(0, 2);
  std::uniform_int_distribution<int> hundredths(3500, 3899);
  std::uniform_int_distribution<int> tenths(300, 1200);
  std::uniform_int_distribution<int> letter(0x3041, 0x3093);
  TemperatureStore temperatures;
  WeightStore weights;
  MemoStore memos;
  std::tm day = test_support::Tm(1999, 12, 25);
  for (int i = 0; i < 1500; ++i, day = quillet::GetNextDay(day)) {
    const int y = day.tm_year + 1900, m = day.tm_mon + 1, d = day.tm_mday;
    if (keep(rng) != 0) {
      InsertTemperature(MakeTemperature(y, m, d, hundredths(rng) / 100.0, keep(rng) == 0), temperatures);
    }
    if (keep(rng) == 0) InsertWeight(test_support::MakeWeight(y, m, d, tenths(rng) / 10.0), weights);
    if (keep(rng) == 0) {
      std::u16string text(1 + i % 99, u'x');
      for (auto& unit : text) unit = static_cast<char16_t>(letter(rng));
      InsertMemo(MakeMemo(y, m, d, text), memos);
    }
  }
  TempFolder folder;
  ASSERT_TRUE(SaveTemperatureData(temperatures, folder / "TEMPERATURE_DATA.dat"));
  ASSERT_TRUE(SaveWeightData(weights, folder / "WEIGHT_DATA.dat"));
  ASSERT_TRUE(SaveMemoData(memos, folder / "MEMO_DATA.dat"));
  EXPECT_EQ(LoadTemperatures(folder / "TEMPERATURE_DATA.dat"), Describe(temperatures));
  EXPECT_EQ(LoadWeights(folder / "WEIGHT_DATA.dat"), Describe(weights));
  EXPECT_EQ(LoadMemos(folder / "MEMO_DATA.dat"), Describe(memos));
}

// --- Saving safely ------------------------------------------------------------------------

TEST(DataFiles, SaveIntoReadOnlyFileFailsAndLeavesItByteIdentical) {
  TempFolder folder;
  const auto file = folder / "TEMPERATURE_DATA.dat";
  WriteBytes(file, "2007/5/30,36.45,1\r\n");
  std::filesystem::permissions(file, std::filesystem::perms::owner_write | std::filesystem::perms::group_write | std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  TemperatureStore store;
  AddTemperatures(store, "2007/6/1,36.60,0");
  EXPECT_FALSE(SaveTemperatureData(store, file));
  EXPECT_EQ(ReadBytes(file), "2007/5/30,36.45,1\r\n");
  EXPECT_EQ(folder.Listing(), "TEMPERATURE_DATA.dat");  // no temporary file left behind
}

TEST(DataFiles, SaveIntoMissingFolderOrOntoAFolderFails) {
  TempFolder folder;
  TemperatureStore store;
  AddTemperatures(store, "2007/6/1,36.60,0");
  EXPECT_FALSE(SaveTemperatureData(store, folder / "absent" / "TEMPERATURE_DATA.dat"));
  std::filesystem::create_directory(folder / "WEIGHT_DATA.dat");
  WeightStore weights;
  EXPECT_FALSE(SaveWeightData(weights, folder / "WEIGHT_DATA.dat"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "WEIGHT_DATA.dat"));
  EXPECT_EQ(folder.Listing(), "WEIGHT_DATA.dat");
}

TEST(DataFiles, SaveReplacesTheWholeFileAndKeepsItsPermissions) {
  TempFolder folder;
  const auto file = folder / "WEIGHT_DATA.dat";
  WriteBytes(file, std::string(10000, 'z'));
  std::filesystem::permissions(file, std::filesystem::perms(0640));
  WeightStore store;
  AddWeights(store, "2007/5/30,52.3");
  ASSERT_TRUE(SaveWeightData(store, file));
  EXPECT_EQ(ReadBytes(file), "2007/5/30,52.3\r\n");
  EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(folder.Listing(), "WEIGHT_DATA.dat backup");  // no temporary file left behind
}

TEST(DataFiles, DoubledSeparatorInThePathWorks) {
  TempFolder folder;
  const std::filesystem::path file = folder.path().string() + "//TEMPERATURE_DATA.dat";
  TemperatureStore store;
  AddTemperatures(store, "2007/5/30,36.45,1");
  ASSERT_TRUE(SaveTemperatureData(store, file));
  EXPECT_EQ(LoadTemperatures(file), "2007/5/30,36.45,1");
}

// A file that existed but could not be read at load is never overwritten with a history that
// was not loaded: the save fails while it stays unreadable, and merges its lines once readable.
TEST(DataFiles, FileUnreadableAtLoadIsMergedNotOverwritten) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "TEMPERATURE_DATA.dat");
  TemperatureStore store;
  LoadTemperatureData(store, folder / "TEMPERATURE_DATA.dat");
  EXPECT_TRUE(store.records.fileUnread);
  AddTemperatures(store, "2007/6/1,36.60,0; 2007/5/30,36.20,0");
  EXPECT_FALSE(SaveTemperatureData(store, folder / "TEMPERATURE_DATA.dat"));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "TEMPERATURE_DATA.dat"));

  // Readable again (the other program let go of it): the records in memory win their dates.
  std::filesystem::remove(folder / "TEMPERATURE_DATA.dat");
  WriteBytes(folder / "TEMPERATURE_DATA.dat", "2007/5/29,36.10,1\r\n2007/5/30,36.45,1\r\n");
  ASSERT_TRUE(SaveTemperatureData(store, folder / "TEMPERATURE_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "TEMPERATURE_DATA.dat"),
            "2007/5/29,36.10,1\r\n2007/5/30,36.20,0\r\n2007/6/1,36.60,0\r\n");
  // The store now holds what was written, and later saves write the store as it is.
  EXPECT_EQ(Describe(store), "2007/5/29,36.10,1;2007/5/30,36.20,0;2007/6/1,36.60,0");
  EXPECT_FALSE(store.records.fileUnread);
  std::filesystem::remove(folder / "TEMPERATURE_DATA.dat");
  ASSERT_TRUE(SaveTemperatureData(store, folder / "TEMPERATURE_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "TEMPERATURE_DATA.dat"),
            "2007/5/29,36.10,1\r\n2007/5/30,36.20,0\r\n2007/6/1,36.60,0\r\n");
}

TEST(DataFiles, MemoFileUnreadableAtLoadIsMergedToo) {
  TempFolder folder;
  MemoStore store;
  store.records.fileUnread = true;
  AddMemos(store, "2007/6/1,新しい");
  WriteBytes(folder / "MEMO_DATA.dat", Utf16LeBytes(u"2007/5/30,古い\r\n2007/6/1,上書き\r\n"));
  ASSERT_TRUE(SaveMemoData(store, folder / "MEMO_DATA.dat"));
  EXPECT_EQ(ReadBytes(folder / "MEMO_DATA.dat"), Utf16LeBytes(u"2007/5/30,古い\r\n2007/6/1,新しい\r\n"));
}

// A line of which a part is not read still loads what was read, but counts with the damaged
// lines (so the file is copied and the user told at start); a value merely written another way
// than a save writes it is read whole.
template <typename Store>
std::string LoadedFrom(const std::string& bytes, std::size_t& counted) {
  Store store;
  counted = ReadDataBytes(bytes, store);
  return Describe(store);
}

TEST(DataFiles, LinesReadInPartCountAsDamagedAndLoadWhatWasRead) {
  const auto temperatures = LoadedFrom<TemperatureStore>, weights = LoadedFrom<WeightStore>,
             memos = LoadedFrom<MemoStore>;
  const std::string text99(99, 'x');
  const struct {
    std::string (*load)(const std::string&, std::size_t&);
    std::string bytes;
    std::string loaded;
    std::size_t counted;
  } cases[] = {
      {temperatures, "2007/5/30,36.45,1,9\r\n", "2007/5/30,36.45,1", 1},          // extra field
      {temperatures, "2007/5/30,36.6x,0\r\n", "2007/5/30,36.60,0", 1},            // after a value
      {temperatures, "2007/5/30,36.45,1x\r\n", "2007/5/30,36.45,1", 1},
      {temperatures, "2007/5/30/4,36.45,0\r\n", "2007/5/30,36.45,0", 1},          // a fourth part
      {temperatures, "2007/5/30,36.45,x\r\n", "2007/5/30,36.45,0", 1},            // no flag digits
      {temperatures, " 2007/05/030 ,+36.5, 1 \r\n2007/5/31,36.456,0\r\n2007/6/1,36.5,,2\r\n",
       "2007/5/30,36.50,1;2007/5/31,36.46,0;2007/6/1,36.50,0", 0},                // written another way
      {weights, "2007/5/30,52.3,1\r\n2007/5/31,52.3kg\r\n", "2007/5/30,52.3;2007/5/31,52.3", 2},
      {weights, "2007/5/30,52.34\r\n2007/5/31,1e1\r\n", "2007/5/30,52.3;2007/5/31,10.0", 0},
      {memos, Utf16LeBytes(Utf16("2007/5/30," + text99 + "y\r\n")), "2007/5/30," + text99, 1},  // cut
      {memos, Utf16LeBytes(std::u16string(u"2007/5/30,ab\0cd\r\n", 17)), "2007/5/30,ab", 1},
      {memos, Utf16LeBytes(Utf16("2007/5/30," + text99 + "\r\n2007/5/31,36.5,x\r\n")),
       "2007/5/30," + text99 + ";2007/5/31,36.5,x", 0},
  };
  for (const auto& c : cases) {
    std::size_t counted = 0;
    EXPECT_EQ(c.load(c.bytes, counted), c.loaded) << c.bytes;
    EXPECT_EQ(counted, c.counted) << c.bytes;
  }
}

// The save of a file that could not be read at start, once it can: the damaged lines it finds
// are treated as at a load (copied into backup\damaged first, counted for the notice; no copy,
// no save), and afterwards the store holds what was written, so a record deleted then stays
// deleted at the next save.
TEST(DataFiles, MergedSaveTreatsDamagedLinesAsALoadAndLeavesTheStoreAsWritten) {
  const struct {
    const char* what;
    std::string file;
    bool blockCopies;  // a file named "backup" stands in the way of every copy
    bool saved;
    std::size_t damaged;
    const char* store;  // after the save, and after deleting 2007/5/29 and saving again
    const char* fileAfterDelete;
  } cases[] = {
      {"clean", "2007/5/29,36.10,1\r\n2007/5/30,36.45,1\r\n", false, true, 0,
       "2007/5/29,36.10,1;2007/5/30,36.20,0;2007/6/1,36.60,0", "2007/5/30,36.20,0\r\n2007/6/1,36.60,0\r\n"},
      {"damaged", "2007/5/29,36.10,1\r\n2007/2/30,36.45,1\r\n2007/5/31,36.7x,0\r\n", false, true, 2,
       "2007/5/29,36.10,1;2007/5/30,36.20,0;2007/5/31,36.70,0;2007/6/1,36.60,0",
       "2007/5/30,36.20,0\r\n2007/5/31,36.70,0\r\n2007/6/1,36.60,0\r\n"},
      {"damaged, no copy possible", "2007/5/29,36.10,1\r\nbad\r\n", true, false, 0,
       "2007/5/30,36.20,0;2007/6/1,36.60,0", nullptr},
  };
  const LocalTime now{2026, 12, 7, 10, 0, 0};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const auto file = folder / "TEMPERATURE_DATA.dat";
    TemperatureStore store;
    store.records.fileUnread = true;  // as a load leaves it when the file was held open
    AddTemperatures(store, "2007/6/1,36.60,0; 2007/5/30,36.20,0");
    WriteBytes(file, c.file);
    if (c.blockCopies) WriteBytes(folder / "backup", "mine");
    std::size_t damaged = 99;
    EXPECT_EQ(SaveTemperatureData(store, file, now, &damaged), c.saved);
    EXPECT_EQ(damaged, c.damaged);
    EXPECT_EQ(Describe(store), c.store);
    EXPECT_EQ(store.records.fileUnread, !c.saved);
    if (!c.saved) {
      EXPECT_EQ(ReadBytes(file), c.file);
      continue;
    }
    EXPECT_EQ(ReadBytes(folder / "backup" / "damaged" / "TEMPERATURE_DATA.dat.20261207-100000"),
              c.damaged > 0 ? c.file : "");
    ASSERT_TRUE(DeleteTemperature(store, 2007, 5, 29));
    ASSERT_TRUE(SaveTemperatureData(store, file, now));
    EXPECT_EQ(ReadBytes(file), c.fileAfterDelete);
  }
}

// --- The signs file -------------------------------------------------------------------------

// Each field empty, a sign, or not a sign of its kind; repeated dates, extra and missing fields.
TEST(DataFiles, SignLinesLoadEveryFieldThatIsASignAndCountWhatIsNot) {
  const struct {
    std::string bytes;
    std::string loaded;
    std::size_t counted;
  } cases[] = {
      {"2026/12/3,4,1,1\r\n", "2026/12/3,4,1,1", 0},
      {"2026/12/3,,,1\r\n2026/12/4,0,,\r\n2026/12/5,,2,\r\n",
       "2026/12/3,,,1;2026/12/4,0,,;2026/12/5,,2,", 0},
      {" 2026/12/3 , 03 ,0 , 1 \n", "2026/12/3,3,0,1", 0},  // written another way: read whole
      {"2026/12/3,,,\r\n2026/12/4,,,0\r\n", "", 0},             // nothing recorded, nothing lost
      {"2026/12/3,5,1,1\r\n", "2026/12/3,,1,1", 1},             // each kind's bound
      {"2026/12/3,-1,3,\r\n", "", 1},
      {"2026/12/3,-1,,\r\n", "", 1},                            // below the bound alone
      {"2026/12/3,3,1,2\r\n", "2026/12/3,3,1,", 1},
      {"2026/12/3,a,,\r\n2026/12/4,2x,,\r\n", "", 2},
      {"2026/12/3,3,1,1,9\r\n", "2026/12/3,3,1,1", 1},          // an extra field
      {"2026/12/3,3,1\r\n2026/2/30,3,,\r\n12/3,3,,\r\n", "", 3},  // missing field, no date
      {"2026/12/4,,,1\r\n2026/12/3,1,,\r\n2026/12/3,4,,\r\n", "2026/12/3,1,,;2026/12/4,,,1", 1},
  };
  for (const auto& c : cases) {
    std::size_t counted = 0;
    EXPECT_EQ(LoadedFrom<SignStore>(c.bytes, counted), c.loaded) << c.bytes;
    EXPECT_EQ(counted, c.counted) << c.bytes;
  }
}

TEST(DataFiles, SignsFileIsWrittenOnlyOnceASignExists) {
  TempFolder folder;
  const auto file = folder / "SIGNS_DATA.dat";
  SignStore store;
  EXPECT_EQ(LoadSignsData(store, file), 0u);
  ASSERT_TRUE(SaveSignsData(store, file));
  EXPECT_EQ(folder.Listing(), "");  // no sign ever recorded: no file, no backup folder

  std::size_t counted = 0;
  ReadDataBytes("2026/12/4,,2,\r\n2026/12/3,4,,1\r\n", store);
  ASSERT_TRUE(SaveSignsData(store, file, LocalTime{2026, 12, 5}, &counted));
  EXPECT_EQ(ReadBytes(file), "2026/12/3,4,,1\r\n2026/12/4,,2,\r\n");
  // The last sign removed: the file stays, empty, and its old lines are in the day's copy.
  ASSERT_TRUE(DeleteSigns(store, 2026, 12, 3) && DeleteSigns(store, 2026, 12, 4));
  ASSERT_TRUE(SaveSignsData(store, file, LocalTime{2026, 12, 6}));
  EXPECT_EQ(ReadBytes(file), "");
  EXPECT_EQ(ReadBytes(folder / "backup" / "2026-12-06" / "SIGNS_DATA.dat"),
            "2026/12/3,4,,1\r\n2026/12/4,,2,\r\n");
}
