// Property checks shared by the fuzz harnesses. A failed check stops the run at once (libFuzzer
// reports the crash and saves the input), so every check is a hard stop, not a log line.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "data_files.h"
#include "dates.h"
#include "record_stores.h"
#include "reference_readers.h"

namespace fuzz {

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property failed: %s\n", what);
  std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The list runs in strictly ascending date order with prev mirroring next, holds calendar dates
// only, and its index holds exactly its records.
template <typename Record>
void RequireConsistent(const RecordList<Record>& list) {
  std::size_t count = 0;
  const Record* previous = nullptr;
  for (const Record* r = list.head; r != nullptr; r = r->next) {
    Require(r->prev == previous, "prev mirrors next");
    Require(previous == nullptr || previous->Date() < r->Date(), "dates strictly ascending");
    Require(quillet::IsValidDate(r->year, r->month, r->day), "a calendar date");
    const auto found = list.index.find(r->Date());
    Require(found != list.index.end() && found->second == r, "index holds the record");
    previous = r;
    ++count;
  }
  Require(count == list.index.size(), "index and list hold the same number of records");
  Require(list.Last() == previous, "the index's last record ends the list");
}

// Saving the loaded store and loading the saved bytes gives the same store, and saving that
// gives the same bytes. `check` judges each loaded record; `same` compares two records of
// equal position.
template <typename Store, typename CheckRecord, typename Same>
void RequireRoundTrip(const Store& loaded, CheckRecord check, Same same) {
  RequireConsistent(loaded.records);
  for (const auto* r = loaded.head(); r != nullptr; r = r->next) check(*r);

  const std::string saved = DataFileBytes(loaded);
  Store reloaded;
  ReadDataBytes(saved, reloaded);
  RequireConsistent(reloaded.records);
  Require(reloaded.records.Size() == loaded.records.Size(), "reload keeps every record");
  for (const auto *a = loaded.head(), *b = reloaded.head(); a != nullptr && b != nullptr;
       a = a->next, b = b->next) {
    Require(a->Date() == b->Date(), "reload keeps the dates");
    Require(same(*a, *b), "reload keeps the values");
  }
  Require(DataFileBytes(reloaded) == saved, "saving the reloaded store writes the same bytes");
}

template <typename Char>
bool IsDigit(Char c) {
  return c >= '0' && c <= '9';
}

// Reads a number of up to `maxDigits` digits written without leading zeros, as the files do.
template <typename Char>
bool PlainNumber(std::basic_string_view<Char>& text, std::size_t maxDigits, int& value) {
  std::size_t n = 0;
  value = 0;
  while (n < text.size() && n <= maxDigits && IsDigit(text[n]))
    value = value * 10 + (text[n++] - '0');
  if (n == 0 || n > maxDigits || (n > 1 && text[0] == '0')) return false;
  text.remove_prefix(n);
  return true;
}

template <typename Char>
bool Skip(std::basic_string_view<Char>& text, char c) {
  if (text.empty() || text[0] != static_cast<Char>(c)) return false;
  text.remove_prefix(1);
  return true;
}

// A line exactly as a save writes it: "y/m/d," with a calendar date, then `rest` accepted by
// `restOk`. Every such line must give a record of its date (its own or an earlier line's), so a
// loader that drops good lines cannot pass by loading nothing. Lines end in LF or at the end of
// the text; restOk(rest, units of the line with its LF) judges what follows the date.
template <typename Char, typename Store, typename RestOk>
void RequireWrittenLinesLoaded(std::basic_string_view<Char> text, const Store& store,
                               RestOk restOk) {
  while (!text.empty()) {
    std::size_t end = text.find(static_cast<Char>('\n'));
    const bool ended = end != std::basic_string_view<Char>::npos;
    if (!ended) end = text.size();
    std::basic_string_view<Char> line = text.substr(0, end);
    text.remove_prefix(ended ? end + 1 : end);
    int year = 0, month = 0, day = 0;
    if (!PlainNumber(line, 4, year) || !Skip(line, '/') || !PlainNumber(line, 2, month) ||
        !Skip(line, '/') || !PlainNumber(line, 2, day) || !Skip(line, ',') ||
        !quillet::IsValidDate(year, month, day) || !restOk(line, end + (ended ? 1 : 0)))
      continue;
    Require(store.records.index.count(DateYmd{year, month, day}) == 1,
            "a line as a save writes it is loaded");
  }
}

// The pieces of `text` between `delimiter`s, empty pieces left out, as the files are split.
template <typename Char>
std::vector<std::basic_string_view<Char>> Pieces(std::basic_string_view<Char> text, char delimiter) {
  std::vector<std::basic_string_view<Char>> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(static_cast<Char>(delimiter), start);
    if (end == std::basic_string_view<Char>::npos) end = text.size();
    if (end > start) out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

template <typename Char>
bool OnlyBlanks(std::basic_string_view<Char> text) {
  for (Char c : text)
    if (!reference::IsBlank(static_cast<unsigned>(c))) return false;
  return true;
}

// The field read whole: blanks, an optional sign, digits, blanks, nothing else.
template <typename Char>
bool WholeInteger(std::basic_string_view<Char> field, int& value) {
  std::size_t i = 0;
  while (i < field.size() && reference::IsBlank(static_cast<unsigned>(field[i]))) ++i;
  std::size_t end = i;
  if (end < field.size() && (field[end] == '+' || field[end] == '-')) ++end;
  const std::size_t digits = end;
  while (end < field.size() && IsDigit(field[end])) ++end;
  if (end == digits || !OnlyBlanks(field.substr(end))) return false;
  const std::basic_string<Char> number(field.substr(i, end - i));
  // Beyond int the number is still read whole; no date or flag has such a value.
  if (!reference::ReadInt(number.c_str(), value)) value = INT_MAX;
  return true;
}

// The field read whole as a decimal number by the C library: blanks, an optional "+", the number,
// blanks, nothing else.
inline bool WholeDecimal(std::string_view field, double& value) {
  std::size_t i = 0;
  while (i < field.size() && reference::IsBlank(static_cast<unsigned char>(field[i]))) ++i;
  if (i < field.size() && field[i] == '+') ++i;
  std::string number;
  for (std::size_t k = i; k < field.size(); ++k) {
    const char c = field[k];
    number += (IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E') ? c : '#';
  }
  if (number.empty() || number[0] == '#') return false;
  char* end = nullptr;
  value = std::strtod(number.c_str(), &end);
  return end != number.c_str() && OnlyBlanks(field.substr(i + static_cast<std::size_t>(end - number.c_str())));
}

// "y/m/d" read whole into the record's date.
template <typename Char, typename Record>
bool WholeDate(std::basic_string_view<Char> field, const Record& record) {
  const auto parts = Pieces(field, '/');
  int year = 0, month = 0, day = 0;
  return parts.size() == 3 && WholeInteger(parts[0], year) && WholeInteger(parts[1], month) &&
         WholeInteger(parts[2], day) && record.Date() == DateYmd{year, month, day};
}

// Each line on its own: when it loads a record, the loader counts it as damaged exactly when
// part of it was not read (readWhole judges the line, without its line end, against the record).
// So no line loses a part without the copy and the notice at start, and no line written merely
// another way raises them.
template <typename Store, typename Char, typename ToBytes, typename ReadWhole>
void RequireLinesReadInPartCounted(std::basic_string_view<Char> text, ToBytes toBytes,
                                   ReadWhole readWhole) {
  while (!text.empty()) {
    std::size_t end = text.find(static_cast<Char>('\n'));
    const std::size_t next = end == std::basic_string_view<Char>::npos ? text.size() : end + 1;
    std::basic_string_view<Char> line = text.substr(0, next);
    text.remove_prefix(next);
    Store one;
    const std::size_t counted = ReadDataBytes(toBytes(line), one);
    if (one.records.Size() != 1) continue;
    if (!line.empty() && line.back() == '\n') {
      line.remove_suffix(1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    }
    Require((counted == 0) == readWhole(line, *one.head()),
            "a line that loads is counted as damaged exactly when part of it is not read");
  }
}

// The loader's properties on one input: `text` is the input as the loader's code units.
template <typename Store, typename Char, typename RestOk, typename CheckRecord, typename Same>
void RequireLoaderProperties(std::string_view bytes, std::basic_string_view<Char> text,
                             RestOk restOk, CheckRecord check, Same same) {
  Store store;
  ReadDataBytes(bytes, store);
  RequireWrittenLinesLoaded(text, store, restOk);
  RequireRoundTrip(store, check, same);
}

// The two values print alike with the C library's "%.*f".
inline bool SameWhenPrinted(double a, double b, int decimals) {
  char x[400];
  char y[400];
  std::snprintf(x, sizeof x, "%.*f", decimals, a);
  std::snprintf(y, sizeof y, "%.*f", decimals, b);
  return std::string_view(x) == y;
}

}  // namespace fuzz
