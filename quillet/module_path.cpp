#include "module_path.h"

#include <cwchar>

namespace quillet {

// Splitting a path into drive, folder, name and extension keeps, as drive and folder, everything
// up to the last separator. It is done here by hand: the runtime's checked split hands a part
// longer than its buffer to the invalid-parameter handler, which may end the process.
int ModuleFolderOf(const wchar_t* moduleName, wchar_t* folder) {
  if (moduleName == nullptr || folder == nullptr) return -1;
  std::size_t length = std::wcslen(moduleName);
  auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  while (length > 0 && !isSeparator(moduleName[length - 1])) --length;
  if (length == 0 || length >= static_cast<std::size_t>(kPathBufferChars)) return -1;
  std::wmemcpy(folder, moduleName, length);
  folder[length] = L'\0';
  return 1;
}

}  // namespace quillet
