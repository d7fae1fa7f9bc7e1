// A run left open for days: the main window reads the local date again at midnight (a timer set
// for the next one, set again each time), when the clock or the time zone changes, on a resume
// from sleep and on a session unlock. A new date refreshes what depends on today (day_change.h
// decides what moves); a resume, an unlock or an activation may then ask for the day's
// temperature with the entry dialog of the log-on run.
#pragma once

#include <windows.h>

#include "day_change.h"

// The main window's timer that comes just after each local midnight.
inline constexpr UINT_PTR kMidnightTimerId = 1;
// Posted by the main window to itself after a wake, so the entry dialog never runs inside the
// notification that woke it; wParam is the WakeEvent.
inline constexpr UINT kMorningPromptMessage = WM_APP + 1;

// At start-up, as soon as the main window exists: takes today as the run's day (the run is not
// asked for it again), sets the midnight timer and asks for session notifications (unlock).
void StartDayWatch(HWND mainWindow);
// At the close, before the main window goes: the timer and the session notifications end.
void StopDayWatch(HWND mainWindow);

// WM_TIMER of the midnight timer and WM_TIMECHANGE: reads the local date and sets the timer for
// the next midnight. When the date is not the run's day any more (either way): the chart keeps
// its days with the new today's column and range, the panel moves to the new today if it showed
// the old one, and the panel, the chart and the legend are drawn again. Nothing is written.
void OnClockMaybeChangedDay(HWND mainWindow);

// A resume from sleep or a session unlock: the date is read again at once; the morning prompt is
// considered once this notification is answered.
void OnWake(HWND mainWindow, WakeEvent event);
// Posts kMorningPromptMessage for the event (an activation, the close of a dialog).
void ConsiderMorningPromptLater(HWND mainWindow, WakeEvent event);
// kMorningPromptMessage: reads the date again, then shows the entry dialog (command 202) when
// DecideMorningPrompt says so.
LRESULT OnMorningPromptMessage(HWND mainWindow, WPARAM event);
