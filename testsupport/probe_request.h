// How the end-to-end driver talks to tovela_probe.dll inside Tovela.exe. The driver writes one
// request line (UTF-16LE) to "tovela_probe_<pid>.req" beside the DLL, sets a WH_GETMESSAGE hook
// on the program's thread and posts that thread the message WM_NULL with kProbeRequest in both
// wParam and lParam. The hook takes the request off the queue, does it on the program's own
// thread and writes the answer (UTF-16LE) to "tovela_probe_<pid>.txt" through a temporary name:
//   report                                -> "report", then the lines of the report (probe_win.cpp)
//   controls <hwnd>                       -> "report", then the dpi and control lines of that
//                                            window (a dialog)
//   icons <hwnd>                          -> "icons <small 1 | 0> <big 1 | 0>"  (WM_GETICON)
//   setdate <hwnd> <y> <m> <d> <notify>   -> "setdate <1 | 0>"   (DTM_SETSYSTEMTIME's result)
//   getdate <hwnd>                        -> "getdate <1 | 0> <y> <m> <d>"  (1: GDT_VALID)
//   dpichanged <dpi>                      -> "dpichanged <1 | 0>"  (WM_DPICHANGED sent to the
//                                            main window with its own rectangle)
//   resources                             -> "resources", then "gdi <n> <how>", "user <n> <how>"
//                                            and "private <bytes>" (probe_win.cpp)
//   plant <gdi> <user>                    -> "plant <objects made>": a leak made on purpose
// Every other message passes the hook untouched.
#pragma once

#include <windows.h>

inline constexpr WPARAM kProbeRequest = 0x70726F62;  // "prob"
