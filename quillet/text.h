// Character classes and the library's substitution cipher.
//
// The cipher maps each of the 62 characters A-Z, a-z, 0-9 (the plain alphabet) to the character
// at the same index of a fixed, private permutation of them (the cipher alphabet). Any other
// character has no image. Texts are terminated by a 0 character; a null pointer reads as an
// empty text.
#pragma once

#include "quillet_api.h"

namespace quillet {

// 1 when the value lies in a Shift_JIS lead-byte range (0x81-0x9F or 0xE0-0xFC), else 0.
QUILLET_API int IsKanjiReadByte(wchar_t c);

// Encodes `in` into `out` position by position, up to but not including in's terminator. A
// character outside the plain alphabet leaves out[k] as it was. No terminator is written: the
// caller's buffer holds at least as many characters as `in` and the caller terminates it.
QUILLET_API void GetEncrypt(wchar_t* out, const wchar_t* in);

// Decodes `encoded` (stopping at its first character outside the cipher alphabet) and tells
// whether the result equals `plain` in full.
QUILLET_API bool IsMatch(const wchar_t* encoded, const wchar_t* plain);

// Decodes `encoded` as IsMatch does and tells whether the result begins with `plain`; an empty
// `plain` always matches.
QUILLET_API bool IsMatchOf(const wchar_t* encoded, const wchar_t* plain);

// The two alphabets, 62 characters each (for tests and tools; not a terminated string).
inline constexpr wchar_t kPlainAlphabet[] =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
inline constexpr int kAlphabetSize = 62;

}  // namespace quillet
