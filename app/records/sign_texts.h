// The words of the signs, as the side panel, the day's tip, the legend and the guide say them.
#pragma once

#include "record_stores.h"

// Cervical mucus, by level (0-4): from dry to clear and stretchy, the most fertile.
inline constexpr const char16_t* kMucusLevelTexts[kMucusLevelCount] = {
    u"乾いている", u"何も感じない", u"湿っている", u"白っぽく粘る", u"透明でよく伸びる"};
// The ovulation test, by result (0-2).
inline constexpr const char16_t* kOvulationTestTexts[kOvulationTestResultCount] = {
    u"陰性", u"陽性", u"強陽性"};

inline constexpr char16_t kMucusCaption[] = u"おりもの";
inline constexpr char16_t kOvulationTestCaption[] = u"排卵検査薬";
inline constexpr char16_t kIntercourseText[] = u"性交あり";
