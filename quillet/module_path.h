// The folder part of a module's file name, as GetModulePath reports it.
#pragma once

#include "quillet_api.h"

namespace quillet {

// Buffer size of a path, in characters (MAX_PATH).
inline constexpr int kPathBufferChars = 260;

// Writes the drive and folder of `moduleName` (everything up to and including its last "\" or
// "/") into `folder`, which holds kPathBufferChars characters. 1 on success; -1, leaving
// `folder` untouched, when the name has no folder or the folder does not fit with its
// terminator.
QUILLET_API int ModuleFolderOf(const wchar_t* moduleName, wchar_t* folder);

}  // namespace quillet
