// Writing and reading the records as CSV. The reader makes one pass over the bytes: each byte
// is looked at a constant number of times, so a file of any size or a line of any length costs
// time in proportion to its length.
#include "records_csv.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "dates.h"
#include "number_text.h"
#include "value_bounds.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// --- UTF-8 and UTF-16 ----------------------------------------------------------------------

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

// Strict UTF-8 to UTF-16: no overlong forms, no encoded surrogates, nothing above U+10FFFF, no
// cut sequence. false on any of these.
bool Utf16FromUtf8(std::string_view text, std::u16string& out) {
  out.clear();
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t c = 0, lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) { length = 2; c = lead & 0x1F; lowest = 0x80; }
    else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; c = lead & 0x0F; lowest = 0x800; }
    else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; c = lead & 0x07; lowest = 0x10000; }
    else return false;
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += length;
  }
  return true;
}

// --- Writing -------------------------------------------------------------------------------

void AppendPadded(std::string& out, int value, int width) {
  std::string digits;
  AppendInteger(digits, value);
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

// RFC 4180: quoted only when the field holds a comma, a double quote or a line break; a double
// quote inside is doubled.
void AppendField(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// --- Reading: fields -----------------------------------------------------------------------

// One record of the file (a line, or several when a quoted field holds line breaks).
struct CsvRecord {
  std::vector<std::string> fields;
  std::size_t line = 0;
  bool badQuote = false;
  bool unclosedQuote = false;
};

std::size_t CountLineBreaks(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++count;
  }
  return count;
}

// Splits the text into records: fields separated by ",", records by CR LF, LF or a lone CR.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {}

  bool Next(CsvRecord& record) {
    if (pos_ >= text_.size()) return false;
    record.fields.clear();
    record.line = line_;
    record.badQuote = record.unclosedQuote = false;
    for (;;) {
      std::string& field = record.fields.emplace_back();
      if (pos_ < text_.size() && text_[pos_] == '"') {
        if (!ReadQuoted(field)) {
          record.unclosedQuote = true;
          return true;
        }
        if (pos_ < text_.size() && !IsFieldEnd(text_[pos_])) return SkipBadLine(record);
      } else {
        std::size_t end = text_.find_first_of(",\r\n\"", pos_);
        if (end == std::string_view::npos) end = text_.size();
        if (end < text_.size() && text_[end] == '"') return SkipBadLine(record);
        field.assign(text_.substr(pos_, end - pos_));
        pos_ = end;
      }
      if (pos_ >= text_.size()) return true;
      if (text_[pos_] == ',') {
        ++pos_;
        continue;
      }
      EndLine();
      return true;
    }
  }

 private:
  static bool IsFieldEnd(char c) { return c == ',' || c == '\r' || c == '\n'; }

  // At an opening quote: reads up to the closing one, "" standing for one quote. false when the
  // text ends first.
  bool ReadQuoted(std::string& field) {
    ++pos_;
    for (;;) {
      const std::size_t quote = text_.find('"', pos_);
      const std::size_t end = quote == std::string_view::npos ? text_.size() : quote;
      const std::string_view piece = text_.substr(pos_, end - pos_);
      field.append(piece);
      line_ += CountLineBreaks(piece);
      if (quote == std::string_view::npos) {
        pos_ = text_.size();
        return false;
      }
      pos_ = quote + 1;
      if (pos_ < text_.size() && text_[pos_] == '"') {
        field += '"';
        ++pos_;
        continue;
      }
      return true;
    }
  }

  // After a misplaced quote: the rest of the line belongs to the bad record.
  bool SkipBadLine(CsvRecord& record) {
    record.badQuote = true;
    const std::size_t end = text_.find_first_of("\r\n", pos_);
    pos_ = end == std::string_view::npos ? text_.size() : end;
    if (pos_ < text_.size()) EndLine();
    return true;
  }

  // At CR or LF: steps over CR LF, LF or CR.
  void EndLine() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
};

// --- Reading: values -----------------------------------------------------------------------

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool ParseDigits(std::string_view text, std::size_t maxDigits, int& value) {
  if (text.empty() || text.size() > maxDigits) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return true;
}

// Years below this are refused: the data files write years of four digits, and a shorter date
// can make a memo line shorter than the shortest line the memo file's load reads (1/1/1,x).
constexpr int kFirstCsvYear = 1000;

// YYYY-MM-DD or YYYY/M/D (either separator, used twice, one or two digits for month and day).
bool ParseCsvDate(std::string_view text, DateYmd& date) {
  text = Trim(text);
  const std::size_t first = text.find_first_of("-/");
  if (first == std::string_view::npos) return false;
  const char separator = text[first];
  const std::size_t second = text.find(separator, first + 1);
  if (second == std::string_view::npos) return false;
  if (!ParseDigits(text.substr(0, first), 4, date.year) ||
      !ParseDigits(text.substr(first + 1, second - first - 1), 2, date.month) ||
      !ParseDigits(text.substr(second + 1), 2, date.day))
    return false;
  return date.year >= kFirstCsvYear && quillet::IsValidDate(date.year, date.month, date.day);
}

// The whole (trimmed) field as a decimal number.
bool ParseNumber(std::string_view text, double& value) {
  text = Trim(text);
  if (text.empty()) return false;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

enum Column { kDate, kTemperature, kPeriod, kWeight, kMemo, kMucus, kOvulationTest, kIntercourse,
              kColumnCount };
constexpr std::string_view kColumnNames[kColumnCount] = {
    "日付", "基礎体温", "月経開始", "体重", "メモ", "おりもの", "排卵検査薬", "性交"};
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

// Which field holds each column; false when "日付" or "基礎体温" is missing or a name repeats.
bool ReadHeader(const std::vector<std::string>& fields, std::size_t (&columns)[kColumnCount]) {
  for (auto& c : columns) c = kNoColumn;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string_view name = Trim(fields[i]);
    for (int c = 0; c < kColumnCount; ++c) {
      if (name != kColumnNames[c]) continue;
      if (columns[c] != kNoColumn) return false;
      columns[c] = i;
    }
  }
  return columns[kDate] != kNoColumn && columns[kTemperature] != kNoColumn;
}

bool AllUtf8(const std::vector<std::string>& fields) {
  std::u16string ignored;
  for (const auto& f : fields)
    if (!Utf16FromUtf8(f, ignored)) return false;
  return true;
}

bool AllEmpty(const std::vector<std::string>& fields) {
  for (const auto& f : fields)
    if (!f.empty()) return false;
  return true;
}

// The row's values; the first problem of the row when it has one.
std::optional<CsvProblemKind> ReadRow(const std::vector<std::string>& fields,
                                      const std::size_t (&columns)[kColumnCount], CsvRow& row) {
  const auto field = [&](Column c) -> std::string_view {
    return columns[c] == kNoColumn ? std::string_view() : std::string_view(fields[columns[c]]);
  };
  row = CsvRow{};
  row.hasPeriodColumn = columns[kPeriod] != kNoColumn;
  row.hasWeightColumn = columns[kWeight] != kNoColumn;
  row.hasMemoColumn = columns[kMemo] != kNoColumn;
  row.hasMucusColumn = columns[kMucus] != kNoColumn;
  row.hasOvulationTestColumn = columns[kOvulationTest] != kNoColumn;
  row.hasIntercourseColumn = columns[kIntercourse] != kNoColumn;
  if (!ParseCsvDate(field(kDate), row.date)) return CsvProblemKind::Date;
  // The signs are read first, to tell a day of signs alone (nothing but its date and signs), but
  // their problems come after those of the columns before them.
  const auto readSign = [&](Column c, int count, CsvProblemKind kind, signed char& sign,
                            std::optional<CsvProblemKind>& problem) {
    const std::string_view text = Trim(field(c));
    int value = 0;
    if (text.empty()) return;
    if (ParseDigits(text, 1, value) && value < count) {
      sign = static_cast<signed char>(value);
    } else if (!problem) {
      problem = kind;
    }
  };
  std::optional<CsvProblemKind> signProblem;
  readSign(kMucus, kMucusLevelCount, CsvProblemKind::Mucus, row.mucus, signProblem);
  readSign(kOvulationTest, kOvulationTestResultCount, CsvProblemKind::OvulationTest,
           row.ovulationTest, signProblem);
  const std::string_view intercourse = Trim(field(kIntercourse));
  if (intercourse != "" && intercourse != "0" && intercourse != "1" && !signProblem)
    signProblem = CsvProblemKind::Intercourse;
  row.intercourse = intercourse == "1" ? 1 : 0;
  const bool anySign = row.mucus != kNoSign || row.ovulationTest != kNoSign || row.intercourse != 0;
  if (anySign && Trim(field(kTemperature)).empty() && Trim(field(kPeriod)).empty() &&
      Trim(field(kWeight)).empty() && Trim(field(kMemo)).empty()) {
    row.hasTemperature = false;
    return signProblem;
  }
  if (!ParseNumber(field(kTemperature), row.temperature) || !IsStorableTemperature(row.temperature))
    return CsvProblemKind::Temperature;
  // Imported as the data file will hold it, so the value has one reading from now on.
  row.temperature = StoredTemperature(row.temperature);
  const std::string_view period = Trim(field(kPeriod));
  if (period != "" && period != "0" && period != "1") return CsvProblemKind::Period;
  row.periodStart = period == "1" ? 1 : 0;
  if (!Trim(field(kWeight)).empty() &&
      (!ParseNumber(field(kWeight), row.weight) || !IsStorableWeight(row.weight)))
    return CsvProblemKind::Weight;
  row.weight = StoredWeight(row.weight);
  if (!Utf16FromUtf8(field(kMemo), row.memo) || row.memo.find(u'\0') != std::u16string::npos)
    return CsvProblemKind::Memo;
  row.memo.resize(MemoKeptLength(row.memo));
  return signProblem;
}

std::uint32_t DateKey(const DateYmd& d) {
  return static_cast<std::uint32_t>(d.year) << 9 | static_cast<std::uint32_t>(d.month) << 5 |
         static_cast<std::uint32_t>(d.day);
}

std::u16string Utf16Digits(std::size_t value) {
  return AsciiText(std::to_string(value));
}

// The day has a record that importing the row would replace.
template <typename Record>
void SetDate(Record& record, const DateYmd& d) {
  record.year = d.year;
  record.month = d.month;
  record.day = d.day;
}

bool HasSignColumns(const CsvRow& row) {
  return row.hasMucusColumn || row.hasOvulationTestColumn || row.hasIntercourseColumn;
}

bool HasRecords(const CsvRow& row, const RecordStores& stores) {
  const DateYmd& d = row.date;
  if (HasSignColumns(row) && FindSigns(stores.signs, d.year, d.month, d.day) != nullptr) return true;
  if (!row.hasTemperature) return false;  // a day of signs alone replaces nothing else
  return FindTemperature(stores.temperatures, d.year, d.month, d.day) != nullptr ||
         (row.hasWeightColumn && FindWeight(stores.weights, d.year, d.month, d.day) != nullptr) ||
         (row.hasMemoColumn && FindMemo(stores.memos, d.year, d.month, d.day) != nullptr);
}

// The day's signs after the import: the row's in the columns the file has, the day's own in the
// others.
SignRecord ImportedSigns(const CsvRow& row, const SignRecord* old) {
  SignRecord signs = old != nullptr ? *old : SignRecord{};
  SetDate(signs, row.date);
  if (row.hasMucusColumn) signs.mucus = row.mucus;
  if (row.hasOvulationTestColumn) signs.ovulationTest = row.ovulationTest;
  if (row.hasIntercourseColumn) signs.intercourse = row.intercourse;
  return signs;
}

void AppendDigitOrNothing(std::string& out, int sign) {
  out += ',';
  if (sign != kNoSign) AppendInteger(out, sign);
}


}  // namespace

std::string RecordsCsvBytes(const RecordStores& stores) {
  const TemperatureStore& temperatures = stores.temperatures;
  const bool withSigns = !stores.signs.records.Empty();
  std::string out;
  out.reserve(64 + (temperatures.records.Size() + stores.signs.records.Size()) * 32);
  out += kByteOrderMark;
  out += kRecordsCsvHeader;
  if (withSigns) out += kSignsCsvColumns;
  out += "\r\n";
  // The lists are in date order: one walk through each finds a day's weight, memo and signs,
  // and the days of signs alone fall between the temperature records.
  DayCursor<WeightRecord> weightOf(&stores.weights.records, DateYmd{});
  DayCursor<MemoRecord> memoOf(&stores.memos.records, DateYmd{});
  const TemperatureRecord* t = temperatures.head();
  const SignRecord* s = stores.signs.head();
  while (t != nullptr || s != nullptr) {
    const bool signsOnly = t == nullptr || (s != nullptr && s->Date() < t->Date());
    const DateYmd date = signsOnly ? s->Date() : t->Date();
    AppendPadded(out, date.year, 4);
    out += '-';
    AppendPadded(out, date.month, 2);
    out += '-';
    AppendPadded(out, date.day, 2);
    if (signsOnly) {
      out += ",,,,";
    } else {
      const WeightRecord* w = weightOf.At(date);
      const MemoRecord* m = memoOf.At(date);
      out += ',';
      AppendFixed(out, t->temperature, 2);
      out += t->periodStart == 1 ? ",1," : ",0,";
      if (w != nullptr) AppendFixed(out, w->weight, 1);
      out += ',';
      if (m != nullptr) AppendField(out, Utf8FromUtf16(MemoText(*m)));
      t = t->next;
    }
    if (withSigns) {
      const bool daySigns = s != nullptr && s->Date() == date;
      AppendDigitOrNothing(out, daySigns ? s->mucus : kNoSign);
      AppendDigitOrNothing(out, daySigns ? s->ovulationTest : kNoSign);
      out += daySigns && s->intercourse != 0 ? ",1" : ",";
      if (daySigns) s = s->next;
    }
    out += "\r\n";
  }
  return out;
}

std::size_t CsvDayCount(const RecordStores& stores) {
  std::size_t days = stores.temperatures.records.Size();
  for (const SignRecord* s = stores.signs.head(); s != nullptr; s = s->next)
    if (FindTemperature(stores.temperatures, s->year, s->month, s->day) == nullptr) ++days;
  return days;
}

CsvParseResult ParseRecordsCsv(std::string_view bytes) {
  CsvParseResult result;
  const auto report = [&](std::size_t line, CsvProblemKind kind, std::size_t otherLine = 0) {
    if (result.problems.size() < kCsvProblemsKept) result.problems.push_back({line, kind, otherLine});
    ++result.problemCount;
  };
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());

  CsvReader reader(bytes);
  CsvRecord record;
  std::size_t columns[kColumnCount];
  bool haveHeader = false;
  std::size_t headerFields = 0;
  std::unordered_map<std::uint32_t, std::size_t> firstLineOfDate;
  while (reader.Next(record)) {
    if (record.unclosedQuote) {
      report(record.line, CsvProblemKind::UnclosedQuote);
      break;
    }
    if (record.badQuote) {
      report(record.line, CsvProblemKind::Quote);
      if (!haveHeader) break;
      continue;
    }
    if (AllEmpty(record.fields)) continue;
    if (!haveHeader) {
      if (!AllUtf8(record.fields)) {
        report(record.line, CsvProblemKind::Encoding);
        break;
      }
      if (!ReadHeader(record.fields, columns)) {
        report(record.line, CsvProblemKind::Header);
        break;
      }
      haveHeader = true;
      headerFields = record.fields.size();
      continue;
    }
    if (record.fields.size() != headerFields) {
      report(record.line, CsvProblemKind::ColumnCount);
      continue;
    }
    CsvRow row;
    if (const auto problem = ReadRow(record.fields, columns, row)) {
      report(record.line, *problem);
      continue;
    }
    row.line = record.line;
    const auto [it, inserted] = firstLineOfDate.emplace(DateKey(row.date), record.line);
    if (!inserted) {
      report(record.line, CsvProblemKind::DuplicateDate, it->second);
      continue;
    }
    if (result.problemCount == 0) result.rows.push_back(std::move(row));
  }
  if (result.problemCount != 0) result.rows.clear();
  return result;
}

std::u16string CsvProblemText(const CsvProblem& problem) {
  std::u16string text = Utf16Digits(problem.line) + u"行目: ";
  switch (problem.kind) {
    case CsvProblemKind::Encoding:
      return text + u"文字コードがUTF-8ではありません。UTF-8で保存したファイルを選んでください。";
    case CsvProblemKind::Header:
      return text + u"見出しの行が正しくありません。「日付」と「基礎体温」の列が必要です。";
    case CsvProblemKind::ColumnCount: return text + u"列の数が見出しの行と合いません。";
    case CsvProblemKind::Quote: return text + u"「\"」の使い方が正しくありません。";
    case CsvProblemKind::UnclosedQuote: return text + u"「\"」で始まる値が閉じられていません。";
    case CsvProblemKind::Date: return text + u"日付が正しくありません。";
    case CsvProblemKind::Temperature: return text + u"基礎体温が正しくありません。";
    case CsvProblemKind::Period: return text + u"月経開始が正しくありません。";
    case CsvProblemKind::Weight: return text + u"体重が正しくありません。";
    case CsvProblemKind::Memo: return text + u"メモに読み取れない文字があります。";
    case CsvProblemKind::Mucus: return text + u"おりものが正しくありません。";
    case CsvProblemKind::OvulationTest: return text + u"排卵検査薬が正しくありません。";
    case CsvProblemKind::Intercourse: return text + u"性交が正しくありません。";
    case CsvProblemKind::DuplicateDate:
      return text + u"日付が" + Utf16Digits(problem.otherLine) + u"行目と重複しています。";
  }
  return text;
}

std::u16string CsvProblemsMessage(const CsvParseResult& result) {
  std::u16string text = u"CSVファイルに誤りがあるため、読み込みませんでした。\n";
  for (const CsvProblem& problem : result.problems) text += u"\n" + CsvProblemText(problem);
  if (result.problemCount > result.problems.size())
    text += u"\nほかに" + Utf16Digits(result.problemCount - result.problems.size()) + u"件の誤りがあります。";
  return text;
}

std::u16string CsvExportDoneText(std::size_t days) {
  return Utf16Digits(days) + u"日分の記録を書き出しました。";
}

std::u16string CsvOverwriteQuestionText(std::size_t days, std::size_t daysWithRecords) {
  return Utf16Digits(days) + u"日分のうち " + Utf16Digits(daysWithRecords) +
         u"日分は既に記録があります。\n既存の記録を上書きしますか？";
}

std::u16string CsvImportDoneText(std::size_t days) {
  return Utf16Digits(days) + u"日分の記録を読み込みました。";
}

std::u16string CsvImportBlockedText(const RecordStores& stores) {
  std::u16string names;
  ForEachStore(stores, [&](StoreKind kind, const auto& store) {
    if (!store.records.fileUnread) return;
    // The file names are ASCII, kept with the separator the program appends them with.
    const std::wstring_view name = kDataFileNames[static_cast<std::size_t>(kind)] + 1;
    names += (names.empty() ? u"" : u"、") + std::u16string(name.begin(), name.end());
  });
  if (names.empty()) return names;
  return names + u" を起動時に読み込めなかったため、CSVファイルを読み込みません"
                 u"（読み込めなかった記録を上書きしないためです）。\n"
                 u"ほかのプログラムがファイルを使っていないかご確認のうえ、Tovela を起動し直してください。";
}

std::size_t CountDaysWithRecords(const std::vector<CsvRow>& rows, const RecordStores& stores) {
  std::size_t count = 0;
  for (const CsvRow& row : rows) count += HasRecords(row, stores) ? 1 : 0;
  return count;
}

std::size_t ImportCsvRows(const std::vector<CsvRow>& rows, CsvExistingDays existing,
                          RecordStores& stores) {
  TemperatureStore& temperatures = stores.temperatures;
  WeightStore& weights = stores.weights;
  MemoStore& memos = stores.memos;
  std::size_t imported = 0;
  for (const CsvRow& row : rows) {
    const DateYmd& d = row.date;
    if (existing == CsvExistingDays::Keep && HasRecords(row, stores)) continue;

    if (HasSignColumns(row))
      PutSigns(ImportedSigns(row, FindSigns(stores.signs, d.year, d.month, d.day)), stores.signs);
    if (!row.hasTemperature) {
      ++imported;
      continue;
    }
    TemperatureRecord temperature;
    SetDate(temperature, d);
    temperature.temperature = row.temperature;
    temperature.periodStart = row.periodStart;
    const TemperatureRecord* old = FindTemperature(temperatures, d.year, d.month, d.day);
    if (!row.hasPeriodColumn && old != nullptr) temperature.periodStart = old->periodStart;
    if (!UpdateTemperature(temperature, temperatures)) InsertTemperature(temperature, temperatures);

    if (row.hasWeightColumn) DeleteWeight(weights, d.year, d.month, d.day);
    if (row.hasWeightColumn && row.weight != 0.0) {
      WeightRecord weight;
      SetDate(weight, d);
      weight.weight = row.weight;
      InsertWeight(weight, weights);
    }

    if (row.hasMemoColumn) DeleteMemo(memos, d.year, d.month, d.day);
    if (row.hasMemoColumn && !row.memo.empty()) {
      MemoRecord memo;
      SetDate(memo, d);
      row.memo.copy(memo.text, MemoCapacity - 1);
      InsertMemo(memo, memos);
    }
    ++imported;
  }
  return imported;
}
