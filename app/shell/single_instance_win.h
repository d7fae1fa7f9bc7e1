// One running copy per data folder. The first run takes a named lock derived from its folder and
// keeps it until the process ends, whichever way it ends; a second start on the same folder
// loads and saves nothing: an ordinary one brings the running window to the front, a "-startup"
// one ends silently.
#pragma once

#include <windows.h>

#include <string>

// true when this run now holds its folder's lock. false when another run holds it: this run
// must then end with 0, after BringRunningWindowForward unless it is a "-startup" run.
bool TakeInstanceLock();

// The lock's name for a folder: InstanceLockName of its final path (GetFinalPathNameByHandleW:
// a subst drive, a junction, a mapped drive and its UNC path name the same folder) in upper case;
// of its long path when the folder cannot be opened.
std::wstring InstanceLockNameOf(const std::wstring& folder);

// Brings the main window of the run holding the lock to the front (it may still be starting: it
// is looked for a little while).
void BringRunningWindowForward();

// Marks the main window as the one a second start on this folder looks for (or, at the close,
// takes the mark away).
void MarkMainWindow(HWND window, bool marked);

// The message a second start sends to the running main window.
UINT BringToFrontMessage();
