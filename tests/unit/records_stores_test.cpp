#include <gtest/gtest.h>

#include <map>
#include <random>

#include "record_stores.h"
#include "records_oracle.h"
#include "support/store_builder.h"

using test_support::AddTemperatures;
using test_support::Describe;
using test_support::ListIsConsistent;
using test_support::MakeMemo;
using test_support::MakeTemperature;
using test_support::MakeWeight;

TEST(RecordStores, FirstInsertBecomesHeadWithoutLinks) {
  TemperatureStore store;
  TemperatureRecord mine = MakeTemperature(2007, 5, 30, 36.45, 1);
  ASSERT_TRUE(InsertTemperature(mine, store));
  const TemperatureRecord* head = store.head();
  ASSERT_NE(head, nullptr);
  EXPECT_NE(head, &mine);  // the store keeps a copy of its own
  EXPECT_EQ(head->prev, nullptr);
  EXPECT_EQ(head->next, nullptr);
  EXPECT_EQ(Describe(store), "2007/5/30,36.45,1");
}

TEST(RecordStores, InsertKeepsAscendingOrderAtHeadMiddleAndTail) {
  TemperatureStore store;
  AddTemperatures(store, "2007/5/10,36.5; 2007/5/20,36.6");
  ASSERT_TRUE(InsertTemperature(MakeTemperature(2007, 5, 1, 36.1), store));    // new head
  ASSERT_TRUE(InsertTemperature(MakeTemperature(2007, 6, 1, 36.9), store));    // appended
  ASSERT_TRUE(InsertTemperature(MakeTemperature(2007, 5, 15, 36.7), store));   // between
  ASSERT_TRUE(InsertTemperature(MakeTemperature(2006, 12, 31, 36.2), store));  // year before
  EXPECT_EQ(Describe(store),
            "2006/12/31,36.20,0;2007/5/1,36.10,0;2007/5/10,36.50,0;2007/5/15,36.70,0;"
            "2007/5/20,36.60,0;2007/6/1,36.90,0");
  EXPECT_TRUE(ListIsConsistent(store.records));
}

TEST(RecordStores, DatesCompareFieldByFieldAsIntegers) {
  // 2007/10/1 is later than 2007/9/30 although "10" sorts before "9" as text.
  TemperatureStore store;
  AddTemperatures(store, "2007/10/1,36.5; 2007/9/30,36.4; 2007/9/3,36.3");
  EXPECT_EQ(Describe(store), "2007/9/3,36.30,0;2007/9/30,36.40,0;2007/10/1,36.50,0");
}

TEST(RecordStores, DuplicateDateIsRefusedAndStoreUnchanged) {
  TemperatureStore store;
  AddTemperatures(store, "2007/5/30,36.45,1; 2007/5/31,36.60");
  EXPECT_FALSE(InsertTemperature(MakeTemperature(2007, 5, 30, 37.00, 0), store));
  EXPECT_EQ(Describe(store), "2007/5/30,36.45,1;2007/5/31,36.60,0");

  WeightStore weights;
  ASSERT_TRUE(InsertWeight(MakeWeight(2007, 5, 30, 52.3), weights));
  EXPECT_FALSE(InsertWeight(MakeWeight(2007, 5, 30, 60.0), weights));
  EXPECT_EQ(Describe(weights), "2007/5/30,52.3");

  MemoStore memos;
  ASSERT_TRUE(InsertMemo(MakeMemo(2007, 5, 30, u"一"), memos));
  EXPECT_FALSE(InsertMemo(MakeMemo(2007, 5, 30, u"二"), memos));
  EXPECT_EQ(Describe(memos), "2007/5/30,一");
}

TEST(RecordStores, InsertIgnoresTheCallersLinks) {
  TemperatureStore store;
  TemperatureRecord stray = MakeTemperature(2007, 1, 1, 36.0);
  TemperatureRecord mine = MakeTemperature(2007, 1, 2, 36.1);
  mine.prev = &stray;
  mine.next = &stray;
  ASSERT_TRUE(InsertTemperature(mine, store));
  EXPECT_EQ(store.head()->prev, nullptr);
  EXPECT_EQ(store.head()->next, nullptr);
}

TEST(RecordStores, FindGivesTheRecordOfExactlyThatDate) {
  TemperatureStore store;
  AddTemperatures(store, "2007/5/30,36.45,1; 2007/5/31,36.60");
  const TemperatureRecord* found = FindTemperature(store, 2007, 5, 31);
  ASSERT_NE(found, nullptr);
  EXPECT_DOUBLE_EQ(found->temperature, 36.60);
  EXPECT_EQ(FindTemperature(store, 2007, 6, 1), nullptr);
  EXPECT_EQ(FindTemperature(store, 2007, 5, 29), nullptr);
  TemperatureStore empty;
  EXPECT_EQ(FindTemperature(empty, 2007, 5, 30), nullptr);
}

TEST(RecordStores, UpdateOverwritesOnlyThePayload) {
  TemperatureStore store;
  AddTemperatures(store, "2007/5/30,36.45,1; 2007/5/31,36.60");
  TemperatureRecord* before = FindTemperature(store, 2007, 5, 30);
  ASSERT_TRUE(UpdateTemperature(MakeTemperature(2007, 5, 30, 36.9, 0), store));
  EXPECT_EQ(FindTemperature(store, 2007, 5, 30), before);  // same record, same place
  EXPECT_EQ(Describe(store), "2007/5/30,36.90,0;2007/5/31,36.60,0");
  EXPECT_FALSE(UpdateTemperature(MakeTemperature(2007, 6, 1, 36.9, 0), store));
  EXPECT_EQ(Describe(store), "2007/5/30,36.90,0;2007/5/31,36.60,0");

  WeightStore weights;
  ASSERT_TRUE(InsertWeight(MakeWeight(2007, 5, 30, 52.3), weights));
  EXPECT_TRUE(UpdateWeight(MakeWeight(2007, 5, 30, 51.8), weights));
  EXPECT_FALSE(UpdateWeight(MakeWeight(2007, 5, 31, 51.8), weights));
  EXPECT_EQ(Describe(weights), "2007/5/30,51.8");
}

TEST(RecordStores, MemoUpdateClearsTheWholeOldText) {
  MemoStore memos;
  ASSERT_TRUE(InsertMemo(MakeMemo(2007, 5, 30, u"とても長いメモの文章"), memos));
  ASSERT_TRUE(UpdateMemo(MakeMemo(2007, 5, 30, u"短い"), memos));
  const MemoRecord* stored = FindMemo(memos, 2007, 5, 30);
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(MemoText(*stored), u"短い");
  for (std::size_t i = 2; i < MemoCapacity; ++i) EXPECT_EQ(stored->text[i], u'\0') << i;
  EXPECT_FALSE(UpdateMemo(MakeMemo(2007, 5, 31, u"x"), memos));
}

TEST(RecordStores, MemoTextOf99UnitsIsKeptWholeAndLongerIsCutTo99) {
  MemoRecord full;
  full.year = 2007;
  full.month = 5;
  full.day = 30;
  for (std::size_t i = 0; i < MemoCapacity; ++i) full.text[i] = u'あ';  // no terminator at all
  MemoStore memos;
  ASSERT_TRUE(InsertMemo(full, memos));
  EXPECT_EQ(MemoText(*FindMemo(memos, 2007, 5, 30)), std::u16string(99, u'あ'));
  EXPECT_EQ(FindMemo(memos, 2007, 5, 30)->text[99], u'\0');

  MemoRecord exact = MakeMemo(2007, 5, 31, std::u16string(99, u'い'));
  ASSERT_TRUE(InsertMemo(exact, memos));
  EXPECT_EQ(MemoText(*FindMemo(memos, 2007, 5, 31)), std::u16string(99, u'い'));

  full.day = 31;
  ASSERT_TRUE(UpdateMemo(full, memos));
  EXPECT_EQ(MemoText(*FindMemo(memos, 2007, 5, 31)), std::u16string(99, u'あ'));
  EXPECT_EQ(FindMemo(memos, 2007, 5, 31)->text[99], u'\0');
}

TEST(RecordStores, DeleteAtHeadMiddleAndTail) {
  TemperatureStore store;
  AddTemperatures(store, "2007/5/1,36.1; 2007/5/2,36.2; 2007/5/3,36.3; 2007/5/4,36.4; 2007/5/5,36.5");
  EXPECT_TRUE(DeleteTemperature(store, 2007, 5, 1));
  EXPECT_EQ(store.head()->prev, nullptr);
  EXPECT_TRUE(DeleteTemperature(store, 2007, 5, 3));
  EXPECT_TRUE(DeleteTemperature(store, 2007, 5, 5));
  EXPECT_EQ(Describe(store), "2007/5/2,36.20,0;2007/5/4,36.40,0");
  EXPECT_TRUE(ListIsConsistent(store.records));
  EXPECT_FALSE(DeleteTemperature(store, 2007, 5, 3));
  EXPECT_EQ(Describe(store), "2007/5/2,36.20,0;2007/5/4,36.40,0");
}

TEST(RecordStores, DeletingTheOnlyRecordEmptiesTheStore) {
  WeightStore weights;
  ASSERT_TRUE(InsertWeight(MakeWeight(2007, 5, 30, 52.3), weights));
  EXPECT_TRUE(DeleteWeight(weights, 2007, 5, 30));
  EXPECT_EQ(weights.head(), nullptr);
  EXPECT_TRUE(weights.records.index.empty());
  EXPECT_FALSE(DeleteWeight(weights, 2007, 5, 30));

  MemoStore memos;
  ASSERT_TRUE(InsertMemo(MakeMemo(2007, 5, 30, u"a"), memos));
  EXPECT_TRUE(DeleteMemo(memos, 2007, 5, 30));
  EXPECT_EQ(memos.head(), nullptr);
  ASSERT_TRUE(InsertMemo(MakeMemo(2007, 5, 29, u"b"), memos));  // usable again
  EXPECT_EQ(Describe(memos), "2007/5/29,b");
}

TEST(RecordStores, LatestRecordOnOrBeforeCases) {
  TemperatureStore store;
  EXPECT_EQ(LatestRecordOnOrBefore(store, 2007, 5, 30), nullptr);
  AddTemperatures(store, "2007/2/27,36.1; 2007/3/2,36.2; 2007/5/30,36.3");
  EXPECT_EQ(LatestRecordOnOrBefore(store, 2007, 3, 2), FindTemperature(store, 2007, 3, 2));
  EXPECT_EQ(LatestRecordOnOrBefore(store, 2007, 3, 1), FindTemperature(store, 2007, 2, 27));
  EXPECT_EQ(LatestRecordOnOrBefore(store, 2008, 1, 1), FindTemperature(store, 2007, 5, 30));
  EXPECT_EQ(LatestRecordOnOrBefore(store, 2007, 2, 26), nullptr);
  EXPECT_EQ(LatestRecordOnOrBefore(store, 2007, 2, 27), store.head());
}

TEST(RecordStores, LatestPeriodStartCases) {
  TemperatureStore store;
  AddTemperatures(store, "2007/5/1,36.1,0; 2007/5/2,36.2,1; 2007/5/3,36.3,0; 2007/5/10,36.4,1");
  EXPECT_EQ(LatestPeriodStart(store, 2007, 5, 1), nullptr);   // nothing flagged yet
  EXPECT_EQ(LatestPeriodStart(store, 2007, 4, 1), nullptr);   // before every record
  EXPECT_EQ(LatestPeriodStart(store, 2007, 5, 2), FindTemperature(store, 2007, 5, 2));  // itself
  EXPECT_EQ(LatestPeriodStart(store, 2007, 5, 9), FindTemperature(store, 2007, 5, 2));
  EXPECT_EQ(LatestPeriodStart(store, 2007, 5, 10), FindTemperature(store, 2007, 5, 10));
  EXPECT_EQ(LatestPeriodStart(store, 2009, 1, 1), FindTemperature(store, 2007, 5, 10));
  // Any non-zero byte counts as a start here.
  ASSERT_TRUE(UpdateTemperature(MakeTemperature(2007, 5, 3, 36.3, 2), store));
  EXPECT_EQ(LatestPeriodStart(store, 2007, 5, 9), FindTemperature(store, 2007, 5, 3));
}

// Random inserts, updates and deletes on all three kinds of keys, checked after every step
// against a std::map, with the list invariants and the literal searches.
TEST(RecordStores, RandomOperationsAgreeWithAMapAndTheLiteralSearches) {
  std::mt19937 rng(20070530);
  std::uniform_int_distribution<int> dayOffset(0, 400);
  std::uniform_int_distribution<int> action(0, 9);
  std::uniform_int_distribution<int> hundredths(3500, 3800);
  TemperatureStore store;
  std::map<DateYmd, std::pair<double, int>> model;
  const std::tm origin = quillet::MakeDate(2006, 11, 1);
  for (int step = 0; step < 3000; ++step) {
    const DateYmd date = FromTm(quillet::AddYmd(origin, 0, 0, dayOffset(rng)));
    const double t = hundredths(rng) / 100.0;
    const int flag = action(rng) == 0 ? 1 : 0;
    const int what = action(rng);
    const TemperatureRecord record = MakeTemperature(date.year, date.month, date.day, t, flag);
    if (what < 5) {
      const bool expected = model.emplace(date, std::make_pair(t, flag)).second;
      ASSERT_EQ(InsertTemperature(record, store), expected);
    } else if (what < 7) {
      auto it = model.find(date);
      if (it != model.end()) it->second = {t, flag};
      ASSERT_EQ(UpdateTemperature(record, store), it != model.end());
    } else {
      ASSERT_EQ(DeleteTemperature(store, date.year, date.month, date.day),
                model.erase(date) == 1);
    }
    ASSERT_TRUE(ListIsConsistent(store.records)) << "after step " << step;
    ASSERT_EQ(store.records.Size(), model.size());

    const DateYmd probe = FromTm(quillet::AddYmd(origin, 0, 0, dayOffset(rng) - 10));
    ASSERT_EQ(FindTemperature(store, probe.year, probe.month, probe.day),
              oracle::FindTemperature(store, probe.year, probe.month, probe.day));
    ASSERT_EQ(LatestRecordOnOrBefore(store, probe.year, probe.month, probe.day),
              oracle::LatestRecordOnOrBefore(store, probe.year, probe.month, probe.day));
    ASSERT_EQ(LatestPeriodStart(store, probe.year, probe.month, probe.day),
              oracle::LatestPeriodStart(store, probe.year, probe.month, probe.day));
    // A renderer's run of days from the probe meets the records a search per day would find.
    DayCursor<TemperatureRecord> cursor(&store.records, probe);
    for (std::tm day = ToTm(probe); quillet::SubDay(day, ToTm(probe)) < 8;
         day = quillet::GetNextDay(day)) {
      const DateYmd d = FromTm(day);
      ASSERT_EQ(cursor.At(d), oracle::FindTemperature(store, d.year, d.month, d.day));
    }
  }
  auto it = model.begin();
  for (const TemperatureRecord* r = store.head(); r != nullptr; r = r->next, ++it) {
    ASSERT_EQ(r->Date(), it->first);
    EXPECT_EQ(r->temperature, it->second.first);
    EXPECT_EQ(r->periodStart, it->second.second);
  }
}

TEST(RecordStores, AnyIntegerTripleIsAKey) {
  // The store does not judge dates; the loaders and the forms do.
  TemperatureStore store;
  AddTemperatures(store, "2007/13/40,36.1; 0/0/1,36.2; -5/2/3,36.3");
  EXPECT_EQ(Describe(store), "-5/2/3,36.30,0;0/0/1,36.20,0;2007/13/40,36.10,0");
  EXPECT_NE(FindTemperature(store, 2007, 13, 40), nullptr);
  EXPECT_EQ(LatestRecordOnOrBefore(store, 2008, 1, 1), FindTemperature(store, 2007, 13, 40));
}
