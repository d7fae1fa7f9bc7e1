// One running copy per data folder: the name of the lock a run holds on its folder for as long as
// it runs. Portable; single_instance_win.cpp takes the lock and hands a second start over.
#pragma once

#include <string>
#include <string_view>

// "Local\Tovela-<16 hex digits>" for the folder's full path, already case-folded by the caller
// (the file system ignores case). '/' counts as '\', and trailing separators do not count, so
// every spelling of one folder gives one name and different folders give different names.
std::u16string InstanceLockName(std::u16string_view foldedFolder);
