// One running copy per data folder: the name of the lock a run holds on its folder for as long as
// it runs. Portable; single_instance_win.cpp takes the lock and hands a second start over.
#pragma once

#include <string>
#include <string_view>

// "Local\Tovela-<16 hex digits>" for the folder's full path, already case-folded by the caller
// (the file system ignores case). '/' counts as '\', and trailing separators do not count, so
// every spelling of one folder gives one name and different folders give different names.
// "Local\" puts the lock in the namespace of the user's logon session: it keeps two copies of
// that session from writing one folder's files at once and lets a second start bring the open
// window forward, which it can do only on its own session's desktop. The data folder is the
// user's own (an installed copy keeps it under %LOCALAPPDATA%), which the user of another
// session does not open.
std::u16string InstanceLockName(std::u16string_view foldedFolder);
