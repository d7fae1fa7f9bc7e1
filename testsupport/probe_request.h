// The request the end-to-end driver posts to Tovela's thread for tovela_probe.dll: the thread
// message WM_NULL with this value in both wParam and lParam. The helper's message hook answers
// it by writing its report; every other message passes the hook untouched.
#pragma once

#include <windows.h>

inline constexpr WPARAM kProbeRequest = 0x70726F62;  // "prob"
