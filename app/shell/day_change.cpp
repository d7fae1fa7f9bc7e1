#include "day_change.h"

DateYmd PanelDayAfterDayChange(const DateYmd& shown, const DateYmd& oldToday, const DateYmd& today,
                               bool holdsInput) {
  return shown == oldToday && !holdsInput ? today : shown;
}

unsigned MillisecondsToNextMidnight(const LocalTime& now) {
  constexpr long long kDaySeconds = 24LL * 60 * 60;
  // Half a second past the whole second of midnight: the clock was read to the second, so the
  // timer cannot come before the date has changed (unless the clock itself moves).
  constexpr long long kMargin = 500;
  const long long elapsed = now.hour * 3600LL + now.minute * 60LL + now.second;
  const long long left = kDaySeconds - elapsed;
  // A clock reading out of range (a leap second, 24:00) still gives a day or less, never nothing.
  const long long seconds = left < 0 ? 0 : (left > kDaySeconds ? kDaySeconds : left);
  return static_cast<unsigned>(seconds * 1000 + kMargin);
}

PromptStep DecideMorningPrompt(MorningPrompt& prompt, WakeEvent event, const PromptSituation& now) {
  const DateYmd today = now.now.Date();
  if (!now.chosen || today == prompt.askedDay || now.todayRecorded) return PromptStep::None;
  bool mayAsk = false;  // an unknown event never asks
  switch (event) {
    case WakeEvent::Resume:
    case WakeEvent::Unlock: mayAsk = true; break;
    case WakeEvent::Activated: mayAsk = now.now.hour >= kMorningPromptHour; break;
    case WakeEvent::DialogClosed: mayAsk = prompt.waitingDay == today; break;
  }
  if (!mayAsk) return PromptStep::None;
  if (now.dialogOpen) {
    prompt.waitingDay = today;
    return PromptStep::Wait;
  }
  prompt.askedDay = today;
  prompt.waitingDay = DateYmd{};
  return PromptStep::Ask;
}
