#include "text.h"

namespace quillet {

namespace {

// The deployment's cipher alphabet: a fixed permutation of the plain alphabet with no character
// left in its own place.
constexpr wchar_t kCipherAlphabet[] =
    L"GswodMZNO6vSD2xqTfK309eyuCjzlirX5BAWmEcPa4pIR7gkHLQJ8VFUntb1Yh";

static_assert(sizeof(kCipherAlphabet) / sizeof(wchar_t) == kAlphabetSize + 1);
static_assert(sizeof(kPlainAlphabet) / sizeof(wchar_t) == kAlphabetSize + 1);

// Index of c in a 62-character alphabet, or -1.
int IndexIn(const wchar_t* alphabet, wchar_t c) {
  for (int i = 0; i < kAlphabetSize; ++i) {
    if (alphabet[i] == c) return i;
  }
  return -1;
}

// The plain character that `c` stands for, or 0 when `c` is outside the cipher alphabet (which
// ends the decoded text there).
wchar_t Decode(wchar_t c) {
  int i = IndexIn(kCipherAlphabet, c);
  return i < 0 ? L'\0' : kPlainAlphabet[i];
}

const wchar_t* OrEmpty(const wchar_t* text) { return text != nullptr ? text : L""; }

}  // namespace

int IsKanjiReadByte(wchar_t c) {
  unsigned long value = static_cast<unsigned long>(c);
  return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC) ? 1 : 0;
}

void GetEncrypt(wchar_t* out, const wchar_t* in) {
  if (out == nullptr || in == nullptr) return;
  for (int k = 0; in[k] != L'\0'; ++k) {
    int i = IndexIn(kPlainAlphabet, in[k]);
    if (i >= 0) out[k] = kCipherAlphabet[i];
  }
}

// The decoded text is compared as it is produced, one character at a time, so no buffer is
// needed and nothing is read past either terminator.
bool IsMatch(const wchar_t* encoded, const wchar_t* plain) {
  encoded = OrEmpty(encoded);
  plain = OrEmpty(plain);
  for (int k = 0;; ++k) {
    wchar_t decoded = encoded[k] == L'\0' ? L'\0' : Decode(encoded[k]);
    if (decoded != plain[k]) return false;
    if (decoded == L'\0') return true;
  }
}

bool IsMatchOf(const wchar_t* encoded, const wchar_t* plain) {
  encoded = OrEmpty(encoded);
  plain = OrEmpty(plain);
  for (int k = 0; plain[k] != L'\0'; ++k) {
    wchar_t decoded = encoded[k] == L'\0' ? L'\0' : Decode(encoded[k]);
    if (decoded != plain[k]) return false;  // also where the decoded text has ended
  }
  return true;
}

}  // namespace quillet
