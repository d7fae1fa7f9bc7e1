// Reading and writing the data files.
//
// Files are handled as bytes: lines end in CR LF on disk whatever the platform, numbers are
// formatted by the standard library's own conversion (not the C runtime's printf), and memo
// text is UTF-16LE built unit by unit, so both builds write identical bytes.
#include "data_files.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "data_file_io.h"
#include "dates.h"
#include "number_text.h"
#include "value_bounds.h"

namespace {

// --- Reading -------------------------------------------------------------------------------

// Splits at `delimiter`, leaving out empty pieces (",," counts as one separator).
template <typename Char>
std::vector<std::basic_string_view<Char>> Tokens(std::basic_string_view<Char> text, Char delimiter) {
  std::vector<std::basic_string_view<Char>> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(delimiter, start);
    if (end == std::basic_string_view<Char>::npos) end = text.size();
    if (end > start) out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

template <typename Char>
bool IsSpace(Char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// True when text[from...] holds nothing but blanks.
template <typename Char>
bool OnlyBlanksFrom(std::basic_string_view<Char> text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); ++i)
    if (!IsSpace(text[i])) return false;
  return true;
}

// Leading-digit integer conversion: spaces, an optional sign, then digits up to the first other
// character; no digits give 0. Values beyond int are clamped (and then fail the date check).
// `whole` is cleared when the text holds no digit or anything but blanks after them: that part
// of the line is not read.
template <typename Char>
int LeadingInteger(std::basic_string_view<Char> text, bool& whole) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t firstDigit = i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value <= INT_MAX) value = value * 10 + (text[i] - '0');
  }
  if (i == firstDigit || !OnlyBlanksFrom(text, i)) whole = false;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(negative ? -value : value);
}

// Leading decimal conversion: spaces, an optional "+", then the longest number the standard
// conversion accepts. Nothing convertible gives 0, which no bound accepts. `whole` as above.
double LeadingDecimal(std::string_view text, bool& whole) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  if (i < text.size() && text[i] == '+') ++i;
  double value = 0;
  const char* end = std::from_chars(text.data() + i, text.data() + text.size(), value).ptr;
  if (end == text.data() + i || !OnlyBlanksFrom(text, static_cast<std::size_t>(end - text.data())))
    whole = false;
  return value;
}

// "y/m/d" with three parts that make a calendar date. `whole` is cleared when a part has more
// than its number or a fourth part follows.
template <typename Char>
bool ParseDate(std::basic_string_view<Char> token, DateYmd& date, bool& whole) {
  const auto parts = Tokens(token, static_cast<Char>('/'));
  if (parts.size() < 3) return false;
  if (parts.size() > 3) whole = false;
  date = DateYmd{LeadingInteger(parts[0], whole), LeadingInteger(parts[1], whole),
                 LeadingInteger(parts[2], whole)};
  return quillet::IsValidDate(date.year, date.month, date.day);
}

// How much of a line a record holds. A line read in part loads as a record all the same, but
// counts as damaged with the lines that give none: what was not read is in no store, and the
// next save would write the line without it. A value written another way than a save writes it
// (36.5, 36.456, 05) is read whole.
enum class LineRead { Nothing, Whole, InPart };

LineRead ReadWholeOrInPart(bool whole) { return whole ? LineRead::Whole : LineRead::InPart; }

// Calls take(line, length with line end) for each line, the line without its LF or CR LF.
template <typename Char, typename Take>
void ForEachLine(std::basic_string_view<Char> text, Take take) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(static_cast<Char>('\n'), start);
    const std::size_t next = end == std::basic_string_view<Char>::npos ? text.size() : end + 1;
    if (end == std::basic_string_view<Char>::npos) end = text.size();
    std::size_t stop = end;
    if (end < text.size() && stop > start && text[stop - 1] == static_cast<Char>('\r')) --stop;
    take(text.substr(start, stop - start), next - start);
    start = next;
  }
}

// "y/m/d,36.45,1": date, temperature, period-start flag (1 sets it, anything else clears it).
LineRead ParseTemperatureLine(std::string_view line, TemperatureRecord& record) {
  const auto fields = Tokens(line, ',');
  DateYmd date;
  bool whole = fields.size() == 3;
  if (fields.size() < 3 || !ParseDate(fields[0], date, whole)) return LineRead::Nothing;
  const double temperature = LeadingDecimal(fields[1], whole);
  if (!IsStorableTemperature(temperature)) return LineRead::Nothing;
  record = TemperatureRecord{};
  record.year = date.year;
  record.month = date.month;
  record.day = date.day;
  // A value written with more decimals (by hand) is held as the next save writes it.
  record.temperature = StoredTemperature(temperature);
  record.periodStart = LeadingInteger(fields[2], whole) == 1 ? 1 : 0;
  return ReadWholeOrInPart(whole);
}

// "y/m/d,52.3": date, weight.
LineRead ParseWeightLine(std::string_view line, WeightRecord& record) {
  const auto fields = Tokens(line, ',');
  DateYmd date;
  bool whole = fields.size() == 2;
  if (fields.size() < 2 || !ParseDate(fields[0], date, whole)) return LineRead::Nothing;
  const double weight = LeadingDecimal(fields[1], whole);
  if (!IsStorableWeight(weight)) return LineRead::Nothing;
  record = WeightRecord{};
  record.year = date.year;
  record.month = date.month;
  record.day = date.day;
  record.weight = StoredWeight(weight);
  return ReadWholeOrInPart(whole);
}

// "y/m/d,text": the text is everything after the first comma (the insert cuts it to 99 units).
// A text cut there, or ended early by a zero unit, is read in part.
LineRead ParseMemoLine(std::u16string_view line, MemoRecord& record) {
  const std::size_t comma = line.find(u',');
  DateYmd date;
  bool whole = true;
  if (comma == std::u16string_view::npos || !ParseDate(line.substr(0, comma), date, whole))
    return LineRead::Nothing;
  const std::u16string_view text = line.substr(comma + 1);
  if (text.size() >= MemoCapacity || text.find(u'\0') != std::u16string_view::npos) whole = false;
  record = MemoRecord{};
  record.year = date.year;
  record.month = date.month;
  record.day = date.day;
  // The whole array is filled when the text is longer: the insert cuts it to 99 units and
  // needs the 100th to see whether the cut would split a surrogate pair.
  const std::size_t copied =
      text.copy(record.text, text.size() < MemoCapacity ? text.size() : MemoCapacity);
  // A lone CR inside the line becomes a space, as the save writes it, so a reload keeps the text.
  std::replace(record.text, record.text + copied, u'\r', u' ');
  return ReadWholeOrInPart(whole);
}

// The fields between commas, empty ones kept: a sign line's empty field means "not recorded".
std::vector<std::string_view> FieldsKeepingEmpty(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    out.push_back(line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
    if (comma == std::string_view::npos) return out;
    start = comma + 1;
  }
}

// One sign field: blank is "not recorded"; a whole integer within [0, count) is the sign;
// anything else is not read (`whole` cleared) and leaves the sign unrecorded.
signed char ReadSign(std::string_view field, int count, bool& whole) {
  if (OnlyBlanksFrom(field, 0)) return kNoSign;
  bool fieldWhole = true;
  const int value = LeadingInteger(field, fieldWhole);
  if (!fieldWhole || value < 0 || value >= count) {
    whole = false;
    return kNoSign;
  }
  return static_cast<signed char>(value);
}

// "y/m/d,4,1,1": date, mucus level (0-4), ovulation test (0-2), intercourse (1; 0 or empty:
// not recorded). Fewer than four fields or no calendar date: nothing read.
LineRead ParseSignsLine(std::string_view line, SignRecord& record) {
  const auto fields = FieldsKeepingEmpty(line);
  DateYmd date;
  bool whole = fields.size() == 4;
  if (fields.size() < 4 || !ParseDate(fields[0], date, whole)) return LineRead::Nothing;
  record = SignRecord{};
  record.year = date.year;
  record.month = date.month;
  record.day = date.day;
  record.mucus = ReadSign(fields[1], kMucusLevelCount, whole);
  record.ovulationTest = ReadSign(fields[2], kOvulationTestResultCount, whole);
  record.intercourse = ReadSign(fields[3], 2, whole) == 1 ? 1 : 0;
  return ReadWholeOrInPart(whole);
}

// --- Writing -------------------------------------------------------------------------------

void AppendDate(std::string& out, int year, int month, int day) {
  AppendInteger(out, year);
  out += '/';
  AppendInteger(out, month);
  out += '/';
  AppendInteger(out, day);
  out += ',';
}

void AppendUnitLE(std::string& out, char16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// Units of the line a save writes for the record, line end included.
std::size_t WrittenLineLength(const MemoRecord& record) {
  std::string date;
  AppendDate(date, record.year, record.month, record.day);
  const std::size_t text =
      std::find(record.text, record.text + MemoCapacity - 1, u'\0') - record.text;
  return date.size() + text + 2;
}

// A line with nothing but blanks holds no record, so skipping it loses nothing.
template <typename Char>
bool IsBlank(std::basic_string_view<Char> line) {
  for (Char c : line)
    if (!IsSpace(c)) return false;
  return true;
}

}  // namespace

// --- Whole files ---------------------------------------------------------------------------

namespace {

// One line into the store: true when all of it is in the store (or it held nothing but blanks).
template <typename Record, typename Store, typename Parse, typename Insert>
bool TakeLine(std::string_view line, Store& store, Parse parse, Insert insert) {
  Record record;
  const LineRead read = parse(line, record);
  if (read == LineRead::Nothing) return IsBlank(line);
  return insert(record, store) && read == LineRead::Whole;
}

}  // namespace

// Each ReadDataBytes gives the number of lines that held something the store did not take:
// damaged, read in part, or of a repeated date.
std::size_t ReadDataBytes(std::string_view bytes, TemperatureStore& store) {
  std::size_t skipped = 0;
  ForEachLine(bytes, [&](std::string_view line, std::size_t) {
    if (!TakeLine<TemperatureRecord>(line, store, ParseTemperatureLine, InsertTemperature)) ++skipped;
  });
  return skipped;
}

std::size_t ReadDataBytes(std::string_view bytes, WeightStore& store) {
  std::size_t skipped = 0;
  ForEachLine(bytes, [&](std::string_view line, std::size_t) {
    if (!TakeLine<WeightRecord>(line, store, ParseWeightLine, InsertWeight)) ++skipped;
  });
  return skipped;
}

// The memo file is UTF-16LE; an odd last byte is ignored and a leading byte-order mark skipped.
// A line shorter than 10 units with its line end cannot hold a date and a text and is skipped,
// and so is a line that a save would write that short ("07/5/30,\0..." as "7/5/30,"), since the
// next load would then drop it.
std::size_t ReadDataBytes(std::string_view bytes, MemoStore& store) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  std::u16string_view text(units);
  if (!text.empty() && text.front() == u'\xFEFF') text.remove_prefix(1);
  constexpr std::size_t kShortestLine = 10;
  std::size_t skipped = 0;
  ForEachLine(text, [&](std::u16string_view line, std::size_t lengthWithEnd) {
    MemoRecord record;
    const LineRead read =
        lengthWithEnd >= kShortestLine ? ParseMemoLine(line, record) : LineRead::Nothing;
    const bool stored = read != LineRead::Nothing && WrittenLineLength(record) >= kShortestLine &&
                        InsertMemo(record, store);
    if (!(stored && read == LineRead::Whole) && !IsBlank(line)) ++skipped;
  });
  return skipped;
}

// A line of only empty fields holds no sign and loses nothing; a line whose fields were not
// read gives no sign and counts with the damaged ones.
std::size_t ReadDataBytes(std::string_view bytes, SignStore& store) {
  std::size_t skipped = 0;
  ForEachLine(bytes, [&](std::string_view line, std::size_t) {
    SignRecord record;
    const LineRead read = ParseSignsLine(line, record);
    const bool stored = read != LineRead::Nothing && InsertSigns(record, store);
    const bool heldNothing = read == LineRead::Whole && !record.HasAnySign();
    if (!(stored && read == LineRead::Whole) && !heldNothing && !IsBlank(line)) ++skipped;
  });
  return skipped;
}

std::string DataFileBytes(const TemperatureStore& store) {
  std::string out;
  for (const TemperatureRecord* r = store.head(); r != nullptr; r = r->next) {
    AppendDate(out, r->year, r->month, r->day);
    AppendFixed(out, r->temperature, 2);
    out += ',';
    AppendInteger(out, r->periodStart);
    out += "\r\n";
  }
  return out;
}

std::string DataFileBytes(const WeightStore& store) {
  std::string out;
  for (const WeightRecord* r = store.head(); r != nullptr; r = r->next) {
    AppendDate(out, r->year, r->month, r->day);
    AppendFixed(out, r->weight, 1);
    out += "\r\n";
  }
  return out;
}

std::string DataFileBytes(const MemoStore& store) {
  std::string out;
  std::string date;
  for (const MemoRecord* r = store.head(); r != nullptr; r = r->next) {
    date.clear();
    AppendDate(date, r->year, r->month, r->day);
    for (char c : date) AppendUnitLE(out, static_cast<char16_t>(c));
    // A line break inside a text would split its line in two on the next load; it is written
    // as a space so the file keeps one line per record.
    for (std::size_t i = 0; i < MemoCapacity && r->text[i] != u'\0'; ++i) {
      const char16_t unit = r->text[i];
      AppendUnitLE(out, unit == u'\r' || unit == u'\n' ? u' ' : unit);
    }
    AppendUnitLE(out, u'\r');
    AppendUnitLE(out, u'\n');
  }
  return out;
}

std::string DataFileBytes(const SignStore& store) {
  std::string out;
  for (const SignRecord* r = store.head(); r != nullptr; r = r->next) {
    AppendDate(out, r->year, r->month, r->day);
    if (r->mucus != kNoSign) AppendInteger(out, r->mucus);
    out += ',';
    if (r->ovulationTest != kNoSign) AppendInteger(out, r->ovulationTest);
    out += r->intercourse == 1 ? ",1\r\n" : ",\r\n";
  }
  return out;
}

namespace {

bool Insert(const TemperatureRecord& r, TemperatureStore& store) { return InsertTemperature(r, store); }
bool Insert(const WeightRecord& r, WeightStore& store) { return InsertWeight(r, store); }
bool Insert(const MemoRecord& r, MemoStore& store) { return InsertMemo(r, store); }
bool Insert(const SignRecord& r, SignStore& store) { return InsertSigns(r, store); }

}  // namespace

// The signs file exists only once a sign was recorded; every other data file is made empty when
// it is missing.
template <typename Store>
constexpr bool MadeWhenMissing = !std::is_same_v<Store, SignStore>;

// Reads the file whole into the store. A missing file is created empty (not the signs file); a
// file that exists but cannot be read is left exactly as it is, and the store remembers that for
// its save.
template <typename Store>
std::size_t LoadStore(Store& store, const std::filesystem::path& file) {
  std::string bytes;
  switch (data_file_io::ReadWholeFile(file, bytes)) {
    case data_file_io::ReadResult::Read:
      return ReadDataBytes(bytes, store);
    case data_file_io::ReadResult::Missing:
      if (MadeWhenMissing<Store>) data_file_io::CreateEmptyFileIfMissing(file);
      break;
    case data_file_io::ReadResult::Unreadable:
      store.records.fileUnread = true;
      break;
  }
  return 0;
}

// Writes the store whole. When its load could not read the file, the file's lines are read now
// and kept wherever the store has no record of their date; while the file still cannot be read
// nothing is written. Damaged lines found then are treated as a load treats them: the file is
// copied into backup\damaged before it is replaced, and not replaced when no copy can be made.
// Once written, the store holds what the file holds, so the next save writes exactly the store.
// An empty signs store whose file does not exist writes nothing: no sign, no file.
template <typename Store>
bool SaveStore(Store& store, const std::filesystem::path& file, const LocalTime& now,
               std::size_t* damagedLines, bool* replacedLinesKept) {
  if (damagedLines != nullptr) *damagedLines = 0;
  if (replacedLinesKept != nullptr) *replacedLinesKept = false;
  if (!MadeWhenMissing<Store> && store.records.Empty() && !store.records.fileUnread &&
      !data_file_io::ReadFileStamp(file).exists)
    return true;
  if (!store.records.fileUnread) return ReplaceKeepingDailyCopy(file, DataFileBytes(store), now);
  std::string bytes;
  const auto read = data_file_io::ReadWholeFile(file, bytes);
  if (read == data_file_io::ReadResult::Unreadable) return false;
  Store fromFile;
  const std::size_t damaged = ReadDataBytes(bytes, fromFile);
  if (damaged > 0 && !KeepDamagedCopy(file, now)) return false;
  // The store's record wins a date both hold. When that replaces a line of the file with a
  // different one (the user entered a day again that the unread file held), the file as it was
  // is kept in backup\changed first, as for a change by another program; no copy, no save.
  const auto mergedWinning = [&](const Store& first, const Store& second) {
    Store merged;
    for (const auto* r = first.head(); r != nullptr; r = r->next) Insert(*r, merged);
    for (const auto* r = second.head(); r != nullptr; r = r->next) Insert(*r, merged);
    return DataFileBytes(merged);
  };
  const std::string written = mergedWinning(store, fromFile);
  const bool replacesLines = written != mergedWinning(fromFile, store);
  if (replacesLines && !KeepChangedCopy(file, now)) return false;
  if (!ReplaceKeepingDailyCopy(file, written, now)) return false;
  for (const auto* r = fromFile.head(); r != nullptr; r = r->next) Insert(*r, store);
  store.records.fileUnread = false;
  if (damagedLines != nullptr) *damagedLines = damaged;
  if (replacedLinesKept != nullptr) *replacedLinesKept = replacesLines;
  return true;
}

template std::size_t LoadStore(TemperatureStore&, const std::filesystem::path&);
template std::size_t LoadStore(WeightStore&, const std::filesystem::path&);
template std::size_t LoadStore(MemoStore&, const std::filesystem::path&);
template bool SaveStore(TemperatureStore&, const std::filesystem::path&, const LocalTime&,
                        std::size_t*, bool*);
template bool SaveStore(WeightStore&, const std::filesystem::path&, const LocalTime&, std::size_t*,
                        bool*);
template bool SaveStore(MemoStore&, const std::filesystem::path&, const LocalTime&, std::size_t*,
                        bool*);
template std::size_t LoadStore(SignStore&, const std::filesystem::path&);
template bool SaveStore(SignStore&, const std::filesystem::path&, const LocalTime&, std::size_t*,
                        bool*);

std::size_t LoadTemperatureData(TemperatureStore& store, const std::filesystem::path& file) {
  return LoadStore(store, file);
}
std::size_t LoadWeightData(WeightStore& store, const std::filesystem::path& file) {
  return LoadStore(store, file);
}
std::size_t LoadMemoData(MemoStore& store, const std::filesystem::path& file) {
  return LoadStore(store, file);
}
std::size_t LoadSignsData(SignStore& store, const std::filesystem::path& file) {
  return LoadStore(store, file);
}

bool SaveTemperatureData(TemperatureStore& store, const std::filesystem::path& file,
                         const LocalTime& now, std::size_t* damagedLines) {
  return SaveStore(store, file, now, damagedLines, nullptr);
}
bool SaveWeightData(WeightStore& store, const std::filesystem::path& file, const LocalTime& now,
                    std::size_t* damagedLines) {
  return SaveStore(store, file, now, damagedLines, nullptr);
}
bool SaveMemoData(MemoStore& store, const std::filesystem::path& file, const LocalTime& now,
                  std::size_t* damagedLines) {
  return SaveStore(store, file, now, damagedLines, nullptr);
}
bool SaveSignsData(SignStore& store, const std::filesystem::path& file, const LocalTime& now,
                   std::size_t* damagedLines) {
  return SaveStore(store, file, now, damagedLines, nullptr);
}
