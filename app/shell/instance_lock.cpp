#include "instance_lock.h"

#include <cstdint>

std::u16string InstanceLockName(std::u16string_view foldedFolder) {
  const auto separator = [](char16_t unit) { return unit == u'\\' || unit == u'/'; };
  while (!foldedFolder.empty() && separator(foldedFolder.back())) foldedFolder.remove_suffix(1);
  // FNV-1a over the UTF-16 units, each separator as '\'.
  std::uint64_t hash = 14695981039346656037ull;
  for (char16_t unit : foldedFolder) {
    if (separator(unit)) unit = u'\\';
    hash = (hash ^ (unit & 0xFF)) * 1099511628211ull;
    hash = (hash ^ (unit >> 8)) * 1099511628211ull;
  }
  std::u16string name = u"Local\\Tovela-";
  for (int shift = 60; shift >= 0; shift -= 4) name += u"0123456789abcdef"[(hash >> shift) & 0xF];
  return name;
}
