// What the list of cycles ("周期の一覧") shows and copies: one row per cycle, newest first, as
// the texts of its eleven columns, and the whole table as tab-separated text for the clipboard.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "sign_reading.h"
#include "thermal_shift.h"

inline constexpr int kCycleListColumnCount = 11;
using CycleListRow = std::array<std::u16string, kCycleListColumnCount>;

// 開始日, 周期, 高温期の開始, 推定排卵日, 高温期, 低温期の平均, 高温期の平均, 粘液の頂点,
// 検査薬陽性, 排卵の確認, 所見.
extern const std::array<const char16_t*, kCycleListColumnCount> kCycleListColumns;

// The line under the table: the findings are reading points, not a diagnosis.
inline constexpr char16_t kCycleFindingsNote[] = u"所見は目安です。気になるときは医師に相談してください。";

// Newest cycle first: the start "YYYY/MM/DD"; the length in days (empty for the current cycle);
// the first high day "M/D" or "未判定"; the estimated ovulation "M/D" or empty; the high phase in
// days (empty while open or without a shift); the low and high averages with two decimals (empty
// when there is nothing to average); then from `signs` (one per cycle, as ReadSignCycles gives
// them) the mucus peak, the first positive test and the double-check day "M/D" or empty, and the
// findings.
std::vector<CycleListRow> CycleListRows(const std::vector<CycleReading>& cycles,
                                        const std::vector<SignCycleReading>& signs);

// The header row and the rows, columns separated by tabs, each line ended by CR LF.
std::u16string CycleListClipboardText(const std::vector<CycleListRow>& rows);
