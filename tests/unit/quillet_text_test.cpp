#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "text.h"

using quillet::GetEncrypt;
using quillet::IsKanjiReadByte;
using quillet::IsMatch;
using quillet::IsMatchOf;
using quillet::kAlphabetSize;
using quillet::kPlainAlphabet;

namespace {

// Encodes a whole text into a terminated string of the same length.
std::wstring Encrypt(const std::wstring& plain) {
  std::wstring out(plain.size(), L'?');
  GetEncrypt(out.data(), plain.c_str());
  return out;
}

}  // namespace

TEST(Cipher, AlphabetIsAPermutationWithNoFixedPoint) {
  std::wstring plain(kPlainAlphabet, kAlphabetSize);
  std::wstring cipher = Encrypt(plain);
  std::wstring sortedPlain = plain;
  std::wstring sortedCipher = cipher;
  std::sort(sortedPlain.begin(), sortedPlain.end());
  std::sort(sortedCipher.begin(), sortedCipher.end());
  EXPECT_EQ(sortedCipher, sortedPlain);
  for (int i = 0; i < kAlphabetSize; ++i) EXPECT_NE(cipher[i], plain[i]) << "index " << i;
}

TEST(Cipher, RoundTripsEveryAlphabetText) {
  for (const std::wstring& plain :
       {std::wstring(kPlainAlphabet, kAlphabetSize), std::wstring(L"Tovela2007"),
        std::wstring(L"a"), std::wstring(L"ZZZZzzzz9999"), std::wstring()}) {
    std::wstring encoded = Encrypt(plain);
    EXPECT_TRUE(IsMatch(encoded.c_str(), plain.c_str()));
    EXPECT_TRUE(IsMatchOf(encoded.c_str(), plain.c_str()));
    if (!plain.empty()) {
      EXPECT_NE(encoded, plain);
      EXPECT_FALSE(IsMatch(plain.c_str(), plain.c_str()));  // no character is its own image
    }
  }
}

TEST(Cipher, CharacterOutsideTheAlphabetKeepsTheOutputCharacter) {
  wchar_t out[] = L"#####";
  GetEncrypt(out, L"ab-c");
  EXPECT_EQ(out[2], L'#');  // the hyphen has no image
  EXPECT_NE(out[0], L'#');
  EXPECT_NE(out[3], L'#');
  EXPECT_EQ(out[4], L'#');  // no terminator written
  EXPECT_EQ(out[5], L'\0');
}

TEST(Cipher, EncryptWritesNothingPastTheInput) {
  wchar_t out[8] = {L'1', L'2', L'3', L'4', L'5', L'6', L'7', L'\0'};
  GetEncrypt(out, L"");
  EXPECT_EQ(std::wstring(out), L"1234567");
  GetEncrypt(out, L"xyz");
  EXPECT_EQ(std::wstring(out + 3), L"4567");
  GetEncrypt(nullptr, L"abc");
  GetEncrypt(out, nullptr);
  EXPECT_EQ(std::wstring(out + 3), L"4567");
}

TEST(Cipher, DecodingStopsAtTheFirstForeignCharacter) {
  std::wstring encoded = Encrypt(L"abc") + L"-" + Encrypt(L"def");
  EXPECT_TRUE(IsMatch(encoded.c_str(), L"abc"));
  EXPECT_FALSE(IsMatch(encoded.c_str(), L"abcdef"));
  EXPECT_FALSE(IsMatchOf(encoded.c_str(), L"abcd"));
  EXPECT_TRUE(IsMatchOf(encoded.c_str(), L"ab"));
  EXPECT_TRUE(IsMatch(L"-xyz", L""));  // decodes to the empty text
}

TEST(Cipher, MatchIsExactAndPrefixMatchIsAPrefix) {
  std::wstring encoded = Encrypt(L"Password1");
  EXPECT_TRUE(IsMatch(encoded.c_str(), L"Password1"));
  EXPECT_FALSE(IsMatch(encoded.c_str(), L"Password"));
  EXPECT_FALSE(IsMatch(encoded.c_str(), L"Password12"));
  EXPECT_FALSE(IsMatch(encoded.c_str(), L"password1"));
  EXPECT_TRUE(IsMatchOf(encoded.c_str(), L"Pass"));
  EXPECT_TRUE(IsMatchOf(encoded.c_str(), L"Password1"));
  EXPECT_FALSE(IsMatchOf(encoded.c_str(), L"Password12"));  // decoded text ends first
  EXPECT_FALSE(IsMatchOf(encoded.c_str(), L"Pas5"));
}

TEST(Cipher, EmptyTextsAndNullPointers) {
  std::wstring encoded = Encrypt(L"abc");
  EXPECT_TRUE(IsMatchOf(encoded.c_str(), L""));
  EXPECT_TRUE(IsMatchOf(L"-- anything --", L""));
  EXPECT_TRUE(IsMatchOf(L"", L""));
  EXPECT_TRUE(IsMatch(L"", L""));
  EXPECT_FALSE(IsMatch(L"", L"a"));
  EXPECT_FALSE(IsMatchOf(L"", L"a"));
  EXPECT_TRUE(IsMatchOf(encoded.c_str(), nullptr));
  EXPECT_TRUE(IsMatch(nullptr, nullptr));
  EXPECT_FALSE(IsMatch(nullptr, L"abc"));
  EXPECT_FALSE(IsMatchOf(nullptr, L"abc"));
}

TEST(Cipher, PlainTextIsNeverReadPastItsTerminator) {
  // Exact-size heap copies let the address sanitizer catch a read past either terminator.
  std::wstring encoded = Encrypt(L"abcdef");
  auto* encodedCopy = new wchar_t[encoded.size() + 1];
  std::copy(encoded.c_str(), encoded.c_str() + encoded.size() + 1, encodedCopy);
  auto* shortPlain = new wchar_t[3]{L'a', L'b', L'\0'};
  EXPECT_FALSE(IsMatch(encodedCopy, shortPlain));
  EXPECT_TRUE(IsMatchOf(encodedCopy, shortPlain));
  auto* longPlain = new wchar_t[9]{L'a', L'b', L'c', L'd', L'e', L'f', L'g', L'h', L'\0'};
  EXPECT_FALSE(IsMatch(encodedCopy, longPlain));
  EXPECT_FALSE(IsMatchOf(encodedCopy, longPlain));
  delete[] longPlain;
  delete[] shortPlain;
  delete[] encodedCopy;
}

TEST(CharacterClasses, ShiftJisLeadByteRanges) {
  EXPECT_EQ(IsKanjiReadByte(0x80), 0);
  EXPECT_EQ(IsKanjiReadByte(0x81), 1);
  EXPECT_EQ(IsKanjiReadByte(0x9F), 1);
  EXPECT_EQ(IsKanjiReadByte(0xA0), 0);
  EXPECT_EQ(IsKanjiReadByte(0xDF), 0);
  EXPECT_EQ(IsKanjiReadByte(0xE0), 1);
  EXPECT_EQ(IsKanjiReadByte(0xFC), 1);
  EXPECT_EQ(IsKanjiReadByte(0xFD), 0);
  EXPECT_EQ(IsKanjiReadByte(L'A'), 0);
  EXPECT_EQ(IsKanjiReadByte(0x3042), 0);  // a wide character is never a lead byte
  EXPECT_EQ(IsKanjiReadByte(0xFF81), 0);
}
