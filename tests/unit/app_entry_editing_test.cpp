// Adding, updating and deleting a day's entry: the checks, their order and the store changes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "entry_rules.h"
#include "support/store_builder.h"

using test_support::AddMemos;
using test_support::AddWeights;
using test_support::Describe;

namespace {

constexpr DateYmd kToday{2026, 5, 20};

struct Entry {
  TemperatureRecord temperature;
  WeightRecord weight;
  MemoRecord memo;
  SignRecord signs;
};

Entry MakeEntry(DateYmd date, double temperature, double weight, const std::u16string& memo,
                int period = 0) {
  Entry e;
  e.temperature.year = e.weight.year = e.memo.year = e.signs.year = date.year;
  e.temperature.month = e.weight.month = e.memo.month = e.signs.month = date.month;
  e.temperature.day = e.weight.day = e.memo.day = e.signs.day = date.day;
  e.temperature.temperature = temperature;
  e.temperature.periodStart = static_cast<unsigned char>(period);
  e.weight.weight = weight;
  std::copy(memo.begin(), memo.end(), e.memo.text);
  return e;
}

class EntryEditing : public ::testing::Test {
 protected:
  RecordStores stores;
  TemperatureStore& temperatures = stores.temperatures;
  WeightStore& weights = stores.weights;
  MemoStore& memos = stores.memos;
  RecordStores& Stores() { return stores; }

  EntryRefusal Add(const Entry& e) {
    const EntryRefusal r =
        CheckAddEntry(e.temperature.Date(), e.temperature, e.weight, e.memo, kToday, e.signs);
    if (r == EntryRefusal::None) ApplyAddEntry(Stores(), e.temperature, e.weight, e.memo, e.signs);
    return r;
  }
  EntryRefusal Update(const Entry& e) {
    const DateYmd d = e.temperature.Date();
    const EntryRefusal r = CheckUpdateEntry(e.temperature, e.weight, e.memo, e.signs,
                                            FindTemperature(temperatures, d.year, d.month, d.day));
    if (r == EntryRefusal::None) ApplyUpdateEntry(Stores(), e.temperature, e.weight, e.memo, e.signs);
    return r;
  }
  std::size_t Count() const {
    return temperatures.records.Size() + weights.records.Size() + memos.records.Size();
  }
};

}  // namespace

TEST_F(EntryEditing, AddForTomorrowIsRefusedAndTodayAccepted) {
  EXPECT_EQ(Add(MakeEntry({2026, 5, 21}, 36.5, 0, u"")), EntryRefusal::FutureDate);
  EXPECT_EQ(Add(MakeEntry({2026, 6, 1}, 0, 0, u"a,b")), EntryRefusal::FutureDate);
  EXPECT_EQ(Count(), 0u);
  EXPECT_EQ(Add(MakeEntry(kToday, 36.5, 0, u"")), EntryRefusal::None);
  EXPECT_NE(FindTemperature(temperatures, 2026, 5, 20), nullptr);
}

TEST_F(EntryEditing, TemperatureMessageComesBeforeTheCommaMessage) {
  EXPECT_EQ(Add(MakeEntry(kToday, 0.0, 0, u"a,b")), EntryRefusal::Temperature);
  EXPECT_EQ(Add(MakeEntry(kToday, 36.5, 0, u"a,b")), EntryRefusal::CommaInMemo);
  EXPECT_EQ(Count(), 0u);
}

TEST_F(EntryEditing, TemperaturesThatCannotBeStoredAreRefused) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double t : {inf, -inf, std::nan(""), 150.0, 100.0, -36.5, 0.0}) {
    EXPECT_EQ(Add(MakeEntry(kToday, t, 0, u"")), EntryRefusal::Temperature) << t;
    EXPECT_EQ(Update(MakeEntry(kToday, t, 0, u"")), EntryRefusal::Temperature) << t;
  }
  EXPECT_EQ(Count(), 0u);
  EXPECT_EQ(Add(MakeEntry(kToday, 99.99, 0, u"")), EntryRefusal::None);
}

TEST_F(EntryEditing, WeightsThatCannotBeStoredAreRefused) {
  for (double w : {-1.0, 1000.0, std::numeric_limits<double>::infinity(), std::nan("")})
    EXPECT_EQ(Add(MakeEntry(kToday, 36.5, w, u"")), EntryRefusal::Weight) << w;
  EXPECT_EQ(Count(), 0u);
  EXPECT_EQ(EntryRefusalText(EntryRefusal::Weight),
            u"体重の入力に誤りがあります。\n正しく入力してください。");
}

TEST_F(EntryEditing, AddWithoutWeightAndMemoStoresOnlyTheTemperature) {
  ASSERT_EQ(Add(MakeEntry(kToday, 36.5, 0.0, u"")), EntryRefusal::None);
  EXPECT_EQ(temperatures.records.Size(), 1u);
  EXPECT_EQ(weights.records.Size(), 0u);
  EXPECT_EQ(memos.records.Size(), 0u);
}

TEST_F(EntryEditing, FullWidthCommaIsAllowed) {
  ASSERT_EQ(Add(MakeEntry(kToday, 36.5, 50.2, u"眠い，だるい")), EntryRefusal::None);
  EXPECT_EQ(Count(), 3u);
}

TEST_F(EntryEditing, UpdateCoversTheFourWeightAndMemoCases) {
  ASSERT_EQ(Add(MakeEntry(kToday, 36.5, 50.0, u"memo")), EntryRefusal::None);
  // Both present and given: updated.
  ASSERT_EQ(Update(MakeEntry(kToday, 36.7, 51.0, u"new", 1)), EntryRefusal::None);
  EXPECT_DOUBLE_EQ(FindTemperature(temperatures, 2026, 5, 20)->temperature, 36.7);
  EXPECT_EQ(FindTemperature(temperatures, 2026, 5, 20)->periodStart, 1);
  EXPECT_DOUBLE_EQ(FindWeight(weights, 2026, 5, 20)->weight, 51.0);
  EXPECT_EQ(std::u16string(FindMemo(memos, 2026, 5, 20)->text), u"new");
  // Both present and emptied: removed.
  ASSERT_EQ(Update(MakeEntry(kToday, 36.7, 0.0, u"")), EntryRefusal::None);
  EXPECT_EQ(FindWeight(weights, 2026, 5, 20), nullptr);
  EXPECT_EQ(FindMemo(memos, 2026, 5, 20), nullptr);
  // Both absent and still empty: nothing.
  ASSERT_EQ(Update(MakeEntry(kToday, 36.7, 0.0, u"")), EntryRefusal::None);
  EXPECT_EQ(Count(), 1u);
  // Both absent and given: inserted.
  ASSERT_EQ(Update(MakeEntry(kToday, 36.7, 49.5, u"back")), EntryRefusal::None);
  EXPECT_DOUBLE_EQ(FindWeight(weights, 2026, 5, 20)->weight, 49.5);
  EXPECT_EQ(std::u16string(FindMemo(memos, 2026, 5, 20)->text), u"back");
}

TEST_F(EntryEditing, RefusedUpdateChangesNothingNotEvenTheTemperature) {
  ASSERT_EQ(Add(MakeEntry(kToday, 36.5, 50.0, u"memo")), EntryRefusal::None);
  EXPECT_EQ(Update(MakeEntry(kToday, 37.0, 0.0, u"a,b", 1)), EntryRefusal::CommaInMemo);
  EXPECT_EQ(Update(MakeEntry(kToday, 37.0, -3, u"", 1)), EntryRefusal::Weight);
  EXPECT_DOUBLE_EQ(FindTemperature(temperatures, 2026, 5, 20)->temperature, 36.5);
  EXPECT_EQ(FindTemperature(temperatures, 2026, 5, 20)->periodStart, 0);
  EXPECT_NE(FindWeight(weights, 2026, 5, 20), nullptr);
  EXPECT_NE(FindMemo(memos, 2026, 5, 20), nullptr);
}

// A value typed with more decimals than the file holds is stored as the file will hold it (half
// to even on an exact binary tie, as the save writes it), so every reading made from it now is
// the one made after a restart.
TEST_F(EntryEditing, TypedValuesAreStoredAsTheFileWillHoldThem) {
  const struct {
    double typedTemperature, storedTemperature, typedWeight, storedWeight;
  } cases[] = {
      {36.125, 36.12, 50.25, 50.2},   // exact ties: to the even digit
      {36.375, 36.38, 50.75, 50.8},
      {36.126, 36.13, 50.26, 50.3},
      {36.135, 36.13, 50.35, 50.4},   // 36.135 is held as 36.13499..., 50.35 as 50.35000...
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Add(MakeEntry(kToday, c.typedTemperature, c.typedWeight, u"")), EntryRefusal::None);
    EXPECT_EQ(FindTemperature(temperatures, 2026, 5, 20)->temperature, c.storedTemperature)
        << c.typedTemperature;
    EXPECT_EQ(FindWeight(weights, 2026, 5, 20)->weight, c.storedWeight) << c.typedWeight;
    ApplyDeleteEntry(Stores(), kToday);
    ASSERT_EQ(Add(MakeEntry(kToday, 36.0, 50.0, u"")), EntryRefusal::None);
    ASSERT_EQ(Update(MakeEntry(kToday, c.typedTemperature, c.typedWeight, u"")), EntryRefusal::None);
    EXPECT_EQ(FindTemperature(temperatures, 2026, 5, 20)->temperature, c.storedTemperature)
        << c.typedTemperature;
    EXPECT_EQ(FindWeight(weights, 2026, 5, 20)->weight, c.storedWeight) << c.typedWeight;
    ApplyDeleteEntry(Stores(), kToday);
  }
}

// The log-on prompt on a day that holds a weight or memo but no temperature: the temperature is
// added, a weight or memo typed replaces the day's, a field left empty keeps it. A day with a
// temperature is refused with nothing changed.
TEST_F(EntryEditing, LogOnEntryOnADayWithAWeightOrMemoKeepsEverythingTyped) {
  AddWeights(weights, "2026/5/18,50.0; 2026/5/19,50.0");
  AddMemos(memos, "2026/5/18,old; 2026/5/19,old");
  EXPECT_TRUE(DayHasAnyRecord(stores, {2026, 5, 18}));
  EXPECT_FALSE(DayHasAnyRecord(stores, {2026, 5, 17}));
  Entry typed = MakeEntry({2026, 5, 18}, 36.125, 51.25, u"new");
  ASSERT_TRUE(ApplyDialogEntry(stores, typed.temperature, typed.weight, typed.memo));
  Entry empty = MakeEntry({2026, 5, 19}, 36.5, 0.0, u"");
  ASSERT_TRUE(ApplyDialogEntry(stores, empty.temperature, empty.weight, empty.memo));
  Entry fresh = MakeEntry({2026, 5, 20}, 36.5, 0.0, u"");
  ASSERT_TRUE(ApplyDialogEntry(stores, fresh.temperature, fresh.weight, fresh.memo));
  EXPECT_EQ(Describe(temperatures), "2026/5/18,36.12,0;2026/5/19,36.50,0;2026/5/20,36.50,0");
  EXPECT_EQ(Describe(weights), "2026/5/18,51.2;2026/5/19,50.0");
  // The prompt keeps its empty memo line for a day without one.
  EXPECT_EQ(Describe(memos), "2026/5/18,new;2026/5/19,old;2026/5/20,");

  Entry again = MakeEntry({2026, 5, 18}, 37.0, 40.0, u"again");
  EXPECT_FALSE(ApplyDialogEntry(stores, again.temperature, again.weight, again.memo));
  EXPECT_EQ(Describe(weights), "2026/5/18,51.2;2026/5/19,50.0");
  EXPECT_EQ(FindTemperature(temperatures, 2026, 5, 18)->temperature, 36.12);
}

TEST_F(EntryEditing, DeleteRemovesAllThreeRecordsOfTheDayOnly) {
  ASSERT_EQ(Add(MakeEntry(kToday, 36.5, 50.0, u"memo")), EntryRefusal::None);
  ASSERT_EQ(Add(MakeEntry({2026, 5, 19}, 36.4, 50.0, u"keep")), EntryRefusal::None);
  ApplyDeleteEntry(Stores(), kToday);
  EXPECT_EQ(Count(), 3u);
  EXPECT_EQ(FindTemperature(temperatures, 2026, 5, 20), nullptr);
  ApplyDeleteEntry(Stores(), kToday);  // nothing left to delete: no harm
  EXPECT_EQ(Count(), 3u);
}

TEST(EntryMessages, TextsAreTheProgramsOwn) {
  EXPECT_EQ(EntryDoneText({2026, 5, 9}, u"追加"), u"2026/5/9のデータが追加されました。");
  EXPECT_EQ(DeleteQuestionText({2026, 12, 31}), u"2026/12/31のデータを削除します。\n宜しいですか？");
  EXPECT_EQ(EntryRefusalText(EntryRefusal::FutureDate),
            u"未来の日付に対する入力は出来ません。\n正しく入力してください。");
  EXPECT_EQ(EntryRefusalText(EntryRefusal::CommaInMemo),
            u"基礎体温の入力に誤りがあります。\n「,」（半角カンマ）は入力できません。\n正しく入力してください。");
  EXPECT_LE(EntryDoneText({2147483647, 2147483647, 2147483647}, u"削除").size(), 100u);
}

TEST(UpdateActions, FourCases) {
  EXPECT_EQ(UpdateActionFor(true, true), RecordAction::Update);
  EXPECT_EQ(UpdateActionFor(true, false), RecordAction::Delete);
  EXPECT_EQ(UpdateActionFor(false, true), RecordAction::Insert);
  EXPECT_EQ(UpdateActionFor(false, false), RecordAction::Nothing);
}

// The side panel and the entry dialog read a typed temperature or weight through this one
// function: decimal text as the C library reads it, an empty field or a zero as 0.0 (no value),
// anything else as NaN so the checks refuse it.
TEST(EntryNumbers, TypedTextReadsAsDecimalOnly) {
  const double kNone = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const wchar_t* text;
    double expected;
  } cases[] = {
      {L"36.5", 36.5},   {L" 36.50", 36.5}, {L"+36.5", 36.5}, {L"36.5abc", 36.5},
      {L"36.", 36.0},    {L".5", 0.5},      {L"3.65e1", 36.5}, {L"-1", -1.0},
      {L"", 0.0},        {L"  ", 0.0},      {L"0", 0.0},     {L"-0.00", 0.0},
      {L"0x24", 0.0},    {L"abc", kNone},   {L"inf", kNone}, {L"nan", kNone},
      {L"1e999", kNone}, {L"３６.５", kNone},
  };
  for (const auto& c : cases) {
    const double read = ReadEntryNumber(c.text);
    if (std::isnan(c.expected))
      EXPECT_TRUE(std::isnan(read)) << c.text;
    else
      EXPECT_EQ(read, c.expected) << c.text;
  }
  EXPECT_EQ(ReadEntryNumber(nullptr), 0.0);
}

// A day of signs alone is an entry of its own: added and updated without a temperature, given one
// later by an update, never losing a temperature to an empty field; a delete takes its signs too.
TEST_F(EntryEditing, SignsAloneAreAnEntryAndTravelWithTheDay) {
  const DateYmd day{2026, 5, 10};
  const auto signs = [&](double temperature, double weight, int mucus, int test, int intercourse) {
    Entry e = MakeEntry(day, temperature, weight, u"");
    e.signs.mucus = static_cast<signed char>(mucus);
    e.signs.ovulationTest = static_cast<signed char>(test);
    e.signs.intercourse = static_cast<unsigned char>(intercourse);
    return e;
  };
  const auto describe = [&] {
    const SignRecord* r = FindSigns(stores.signs, day.year, day.month, day.day);
    const TemperatureRecord* t = FindTemperature(temperatures, day.year, day.month, day.day);
    return std::to_string(t != nullptr ? static_cast<int>(std::lround(t->temperature * 100)) : 0) +
           (r == nullptr ? "|-" : "|" + std::to_string(r->mucus) + "," +
                                      std::to_string(r->ovulationTest) + "," +
                                      std::to_string(r->intercourse));
  };
  const struct {
    bool update;
    Entry entry;
    EntryRefusal refusal;
    const char* after;  // the day's temperature in hundredths (0: none) | its signs
  } steps[] = {
      {false, signs(0, 0, kNoSign, kNoSign, 0), EntryRefusal::Temperature, "0|-"},
      {false, signs(0, 50, 3, kNoSign, 0), EntryRefusal::Temperature, "0|-"},  // a weight needs one
      {false, signs(0, 0, 3, kNoSign, 0), EntryRefusal::None, "0|3,-1,0"},
      {true, signs(0, 0, kNoSign, 1, 1), EntryRefusal::None, "0|-1,1,1"},
      {true, signs(36.5, 0, kNoSign, 1, 1), EntryRefusal::None, "3650|-1,1,1"},
      {true, signs(0, 0, 4, 1, 1), EntryRefusal::Temperature, "3650|-1,1,1"},
      {true, signs(36.6, 0, kNoSign, kNoSign, 0), EntryRefusal::None, "3660|-"},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(step.update ? Update(step.entry) : Add(step.entry), step.refusal) << step.after;
    EXPECT_EQ(describe(), step.after);
  }
  ASSERT_EQ(Update(signs(36.6, 0, 2, kNoSign, 0)), EntryRefusal::None);
  ApplyDeleteEntry(Stores(), day);
  EXPECT_EQ(describe(), "0|-");
  EXPECT_EQ(Count() + stores.signs.records.Size(), 0u);
}
