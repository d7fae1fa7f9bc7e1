// A run left open across days: where the panel goes on a new date, when the midnight timer is
// due, and when the open window asks for the morning's temperature.
#include <gtest/gtest.h>

#include <string>

#include "day_change.h"
#include "support/store_builder.h"

using test_support::Ymd;

namespace {

LocalTime At(const DateYmd& d, int hour, int minute = 0, int second = 0) {
  return LocalTime{d.year, d.month, d.day, hour, minute, second};
}

const DateYmd kStartDay = Ymd(2027, 3, 4);
const DateYmd kNextDay = Ymd(2027, 3, 5);

}  // namespace

TEST(DayChange, PanelFollowsTodayOnlyWhenItShowedTheOldToday) {
  struct Row {
    DateYmd shown, oldToday, today, expected;
    bool holdsInput = false;
  };
  const Row rows[] = {
      {kStartDay, kStartDay, kNextDay, kNextDay},                     // midnight
      {Ymd(2027, 3, 1), kStartDay, kNextDay, Ymd(2027, 3, 1)},        // an older day stays
      {kStartDay, kStartDay, Ymd(2027, 3, 2), Ymd(2027, 3, 2)},       // clock set back
      {kStartDay, kStartDay, kNextDay, kStartDay, true},              // typed input stays put
  };
  for (const Row& r : rows)
    EXPECT_EQ(PanelDayAfterDayChange(r.shown, r.oldToday, r.today, r.holdsInput), r.expected)
        << r.shown.month << "/" << r.shown.day << " -> " << r.today.month << "/" << r.today.day;
}

TEST(DayChange, MidnightTimerComesJustAfterTheNextMidnight) {
  struct Row {
    int hour, minute, second;
    unsigned expected;
  };
  const Row rows[] = {
      {23, 59, 50, 10'500},
      {0, 0, 0, 86'400'500},  // just after midnight: the next one
      {12, 0, 0, 43'200'500},
      {23, 59, 60, 500},      // a leap second: due at once, never a day late
  };
  for (const Row& r : rows)
    EXPECT_EQ(MillisecondsToNextMidnight(At(kStartDay, r.hour, r.minute, r.second)), r.expected)
        << r.hour << ":" << r.minute << ":" << r.second;
}

// One occasion of the prompt: the memory before, what happens, and what follows.
struct PromptRow {
  const char* what;
  MorningPrompt before;
  WakeEvent event;
  PromptSituation now;
  PromptStep expected;
  MorningPrompt after;
};

TEST(MorningPrompt, AsksOnceADayOnAWakeAndFromFourOnActivation) {
  const MorningPrompt fresh{kStartDay, {}};
  const MorningPrompt asked{kNextDay, {}};
  const MorningPrompt waiting{kStartDay, kNextDay};
  const PromptSituation open{true, At(kNextDay, 6, 30), false, false};
  PromptSituation noShortcut = open, recorded = open, dialog = open, night = open, four = open,
                  sameDay = open;
  noShortcut.chosen = false;
  recorded.todayRecorded = true;
  dialog.dialogOpen = true;
  night.now = At(kNextDay, 3, 59, 59);
  four.now = At(kNextDay, 4, 0, 0);
  sameDay.now = At(kStartDay, 23, 0);
  const PromptRow rows[] = {
      {"resume on a new day", fresh, WakeEvent::Resume, open, PromptStep::Ask, asked},
      {"unlock on a new day", fresh, WakeEvent::Unlock, open, PromptStep::Ask, asked},
      {"a resume at night still asks", fresh, WakeEvent::Resume, night, PromptStep::Ask,
       MorningPrompt{kNextDay, {}}},
      {"second resume that day", asked, WakeEvent::Resume, open, PromptStep::None, asked},
      {"the run's own start day", fresh, WakeEvent::Resume, sameDay, PromptStep::None, fresh},
      {"no log-on shortcut", fresh, WakeEvent::Resume, noShortcut, PromptStep::None, fresh},
      {"temperature recorded", fresh, WakeEvent::Unlock, recorded, PromptStep::None, fresh},
      {"activated before four", fresh, WakeEvent::Activated, night, PromptStep::None, fresh},
      {"activated at four", fresh, WakeEvent::Activated, four, PromptStep::Ask, asked},
      {"another dialog open", fresh, WakeEvent::Resume, dialog, PromptStep::Wait, waiting},
      {"the dialog closed", waiting, WakeEvent::DialogClosed, open, PromptStep::Ask, asked},
      {"the dialog closed at night", waiting, WakeEvent::DialogClosed, night, PromptStep::Ask,
       asked},
      {"a dialog closed, nobody waited", fresh, WakeEvent::DialogClosed, open, PromptStep::None,
       fresh},
      {"waited on another day", MorningPrompt{kStartDay, kStartDay}, WakeEvent::DialogClosed,
       open, PromptStep::None, MorningPrompt{kStartDay, kStartDay}},
  };
  for (const PromptRow& r : rows) {
    MorningPrompt prompt = r.before;
    EXPECT_EQ(DecideMorningPrompt(prompt, r.event, r.now), r.expected) << r.what;
    EXPECT_EQ(prompt.askedDay, r.after.askedDay) << r.what;
    EXPECT_EQ(prompt.waitingDay, r.after.waitingDay) << r.what;
  }
}
