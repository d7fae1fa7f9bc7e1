// A run left open for days: what a change of the local date moves, when the next check of the
// date is due, and when an open window asks for the morning's temperature the way the log-on run
// does. Portable decisions; day_change_win.cpp reads the clock and applies them.
#pragma once

#include "backups.h"
#include "date_ymd.h"

// The day the side panel shows once the local date has moved from `oldToday` to `today`: the new
// today when the panel showed the old one, otherwise the day it showed (a user looking at another
// day keeps it, whichever way the date moved). A panel that `holdsInput` not yet stored keeps its
// day too: nobody may be there to answer a question, and the input must not be dropped.
DateYmd PanelDayAfterDayChange(const DateYmd& shown, const DateYmd& oldToday, const DateYmd& today,
                               bool holdsInput = false);

// Milliseconds from `now` (read to the second) until a moment just after the next local midnight,
// never 0. A timer that comes early finds the old date and is simply set again.
unsigned MillisecondsToNextMidnight(const LocalTime& now);

// The hour from which activating the main window asks for a day's temperature.
inline constexpr int kMorningPromptHour = 4;

// The occasions on which an open window may ask for the day's temperature. The midnight timer and
// a changed clock never ask: a user awake at midnight is not asked then.
enum class WakeEvent : int {
  Resume = 1,    // the computer woke from sleep
  Unlock,        // the user unlocked the session
  Activated,     // the main window became the active window
  DialogClosed,  // a dialog of the program closed (the main window is enabled again)
};

// What to do about the prompt at one occasion.
enum class PromptStep { None, Ask, Wait };

// The prompt's memory for the run.
struct MorningPrompt {
  DateYmd askedDay;    // the last day asked for, or the day the run started (not asked again)
  DateYmd waitingDay;  // a wake on this day found another dialog open: ask once it closes
};

// What the program knows at one occasion.
struct PromptSituation {
  bool chosen = false;         // the log-on shortcut exists and this is not the log-on run
  LocalTime now;
  bool todayRecorded = false;  // today has a temperature record
  bool dialogOpen = false;     // another dialog or message box of the program is open
};

// The prompt's rule: on a day not yet asked for and without a temperature, when the user chose
// the log-on prompt, a resume or unlock asks at any hour, an activation of the main window only
// from kMorningPromptHour on, and the close of a dialog only when a wake of the same day waited
// for it. While another dialog is open the prompt waits. Records what it decides in `prompt`:
// Ask makes today the asked day, Wait makes it the waiting day.
PromptStep DecideMorningPrompt(MorningPrompt& prompt, WakeEvent event, const PromptSituation& now);

// The run's idea of the date: the day it last took as today, and the prompt's memory.
struct DayWatch {
  DateYmd today;
  MorningPrompt prompt;
};
