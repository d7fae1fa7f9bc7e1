// Test helpers: build stores from compact literals in the data files' own line format, describe
// a store back as such a literal, and check the list invariants.
//
//   TemperatureStore t;
//   test_support::AddTemperatures(t, "2007/5/30,36.45,1; 2007/5/31,36.60");  // flag optional
//   test_support::AddWeights(w, "2007/5/30,52.3");
//   test_support::AddMemos(m, "2007/5/30,眠い");                          // UTF-8 in, UTF-16 stored
//   EXPECT_EQ(test_support::Describe(t), "2007/5/30,36.45,1;2007/5/31,36.60,0");
//   EXPECT_TRUE(test_support::ListIsConsistent(t.records));
//
// Records are separated by ';' or a line feed; spaces around them are ignored. A literal that
// does not parse, or a date the store already holds, is reported as a test failure.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "record_stores.h"

namespace test_support {

inline DateYmd Ymd(int year, int month, int day) { return DateYmd{year, month, day}; }

inline std::tm Tm(int year, int month, int day) { return ToTm(DateYmd{year, month, day}); }

// UTF-8 to UTF-16 and back (well-formed input assumed: these are test literals).
inline std::u16string Utf16(std::string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0;
    int extra = 0;
    if (c < 0x80) { cp = c; }
    else if ((c >> 5) == 0x6) { cp = c & 0x1F; extra = 1; }
    else if ((c >> 4) == 0xE) { cp = c & 0x0F; extra = 2; }
    else { cp = c & 0x07; extra = 3; }
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += 1 + extra;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

inline std::string Utf8(std::u16string_view utf16) {
  std::string out;
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < utf16.size()) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

inline TemperatureRecord MakeTemperature(int year, int month, int day, double temperature,
                                         int periodStart = 0) {
  TemperatureRecord r;
  r.year = year;
  r.month = month;
  r.day = day;
  r.temperature = temperature;
  r.periodStart = static_cast<unsigned char>(periodStart);
  return r;
}

inline WeightRecord MakeWeight(int year, int month, int day, double weight) {
  WeightRecord r;
  r.year = year;
  r.month = month;
  r.day = day;
  r.weight = weight;
  return r;
}

// Copies at most MemoCapacity - 1 units so the record stays terminated.
inline MemoRecord MakeMemo(int year, int month, int day, std::u16string_view text) {
  MemoRecord r;
  r.year = year;
  r.month = month;
  r.day = day;
  for (std::size_t i = 0; i < text.size() && i < MemoCapacity - 1; ++i) r.text[i] = text[i];
  return r;
}

namespace detail {

inline std::vector<std::string> SplitRecords(std::string_view literal) {
  std::vector<std::string> out;
  std::string current;
  auto flush = [&] {
    const auto first = current.find_first_not_of(" \t\r");
    const auto last = current.find_last_not_of(" \t\r");
    if (first != std::string::npos) out.push_back(current.substr(first, last - first + 1));
    current.clear();
  };
  for (char c : literal) {
    if (c == ';' || c == '\n') {
      flush();
    } else {
      current.push_back(c);
    }
  }
  flush();
  return out;
}

// "y/m/d," at the start of an item; the rest (after the comma) goes to `rest`.
inline bool ParseDate(const std::string& item, int& y, int& m, int& d, std::string& rest) {
  int consumed = 0;
  if (std::sscanf(item.c_str(), "%d/%d/%d,%n", &y, &m, &d, &consumed) != 3 || consumed == 0) {
    return false;
  }
  rest = item.substr(static_cast<std::size_t>(consumed));
  return true;
}

}  // namespace detail

inline void AddTemperatures(TemperatureStore& store, std::string_view literal) {
  for (const std::string& item : detail::SplitRecords(literal)) {
    int y = 0, m = 0, d = 0, flag = 0;
    double t = 0;
    std::string rest;
    if (!detail::ParseDate(item, y, m, d, rest) ||
        std::sscanf(rest.c_str(), "%lf,%d", &t, &flag) < 1) {
      ADD_FAILURE() << "bad temperature literal: " << item;
      continue;
    }
    if (!InsertTemperature(MakeTemperature(y, m, d, t, flag), store)) {
      ADD_FAILURE() << "date already in the store: " << item;
    }
  }
}

inline void AddWeights(WeightStore& store, std::string_view literal) {
  for (const std::string& item : detail::SplitRecords(literal)) {
    int y = 0, m = 0, d = 0;
    double w = 0;
    std::string rest;
    if (!detail::ParseDate(item, y, m, d, rest) || std::sscanf(rest.c_str(), "%lf", &w) != 1) {
      ADD_FAILURE() << "bad weight literal: " << item;
      continue;
    }
    if (!InsertWeight(MakeWeight(y, m, d, w), store)) {
      ADD_FAILURE() << "date already in the store: " << item;
    }
  }
}

inline void AddMemos(MemoStore& store, std::string_view literal) {
  for (const std::string& item : detail::SplitRecords(literal)) {
    int y = 0, m = 0, d = 0;
    std::string rest;
    if (!detail::ParseDate(item, y, m, d, rest)) {
      ADD_FAILURE() << "bad memo literal: " << item;
      continue;
    }
    if (!InsertMemo(MakeMemo(y, m, d, Utf16(rest)), store)) {
      ADD_FAILURE() << "date already in the store: " << item;
    }
  }
}

// The store in list order as "y/m/d,36.45,1;..." (weights "y/m/d,52.3", memos "y/m/d,text").
inline std::string Describe(const TemperatureStore& store) {
  std::string out;
  char line[96];
  for (const TemperatureRecord* r = store.head(); r != nullptr; r = r->next) {
    std::snprintf(line, sizeof line, "%s%d/%d/%d,%.2f,%d", out.empty() ? "" : ";", r->year,
                  r->month, r->day, r->temperature, r->periodStart);
    out += line;
  }
  return out;
}

inline std::string Describe(const WeightStore& store) {
  std::string out;
  char line[96];
  for (const WeightRecord* r = store.head(); r != nullptr; r = r->next) {
    std::snprintf(line, sizeof line, "%s%d/%d/%d,%.1f", out.empty() ? "" : ";", r->year, r->month,
                  r->day, r->weight);
    out += line;
  }
  return out;
}

inline std::string Describe(const MemoStore& store) {
  std::string out;
  char line[64];
  for (const MemoRecord* r = store.head(); r != nullptr; r = r->next) {
    std::snprintf(line, sizeof line, "%s%d/%d/%d,", out.empty() ? "" : ";", r->year, r->month,
                  r->day);
    out += line;
    out += Utf8(MemoText(*r));
  }
  return out;
}

// Signs as "y/m/d,4,1,1" (empty where not recorded, as the file writes them).
inline std::string Describe(const SignStore& store) {
  std::string out;
  for (const SignRecord* r = store.head(); r != nullptr; r = r->next) {
    out += (out.empty() ? "" : ";") + std::to_string(r->year) + "/" + std::to_string(r->month) +
           "/" + std::to_string(r->day) + ",";
    if (r->mucus != kNoSign) out += std::to_string(r->mucus);
    out += ",";
    if (r->ovulationTest != kNoSign) out += std::to_string(r->ovulationTest);
    out += ",";
    if (r->intercourse != 0) out += std::to_string(r->intercourse);
  }
  return out;
}

// Following next from head: strictly ascending dates, prev mirroring next, head without prev,
// and the index holding exactly the listed records under their dates.
template <typename Record>
::testing::AssertionResult ListIsConsistent(const RecordList<Record>& list) {
  std::size_t count = 0;
  const Record* previous = nullptr;
  for (const Record* r = list.head; r != nullptr; r = r->next) {
    if (r->prev != previous) {
      return ::testing::AssertionFailure() << "prev link broken at record " << count;
    }
    if (previous != nullptr && !(previous->Date() < r->Date())) {
      return ::testing::AssertionFailure() << "dates not strictly ascending at record " << count;
    }
    auto found = list.index.find(r->Date());
    if (found == list.index.end() || found->second != r) {
      return ::testing::AssertionFailure() << "index misses record " << count;
    }
    previous = r;
    ++count;
  }
  if (count != list.index.size()) {
    return ::testing::AssertionFailure()
           << "list holds " << count << " records, index " << list.index.size();
  }
  if (list.Last() != previous) return ::testing::AssertionFailure() << "Last() is not the tail";
  return ::testing::AssertionSuccess();
}

}  // namespace test_support
