// IsNumeric/ToInt and IsDouble/ToDouble against the plain readers of reference_readers.h.
// Input bytes become wide characters one each; 0xF0-0xF9 become the full-width digits and 0xFA
// the ideographic space, which must stop a number like any other character.
#include <cstring>
#include <string>

#include "fuzz_checks.h"
#include "numbers.h"
#include "reference_readers.h"

namespace {

std::wstring WideText(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t b = data[i];
    if (b >= 0xF0 && b <= 0xF9) text.push_back(static_cast<wchar_t>(0xFF10 + (b - 0xF0)));
    else if (b == 0xFA) text.push_back(static_cast<wchar_t>(0x3000));
    else text.push_back(static_cast<wchar_t>(b));
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = WideText(data, size);
  const wchar_t* t = text.c_str();

  int integer = 0;
  const bool isInt = reference::ReadInt(t, integer) && integer != 0;
  fuzz::Require(quillet::IsNumeric(t) == isInt, "IsNumeric agrees with the reference");
  fuzz::Require(quillet::ToInt(t) == (isInt ? integer : 0), "ToInt agrees with the reference");

  double decimal = 0;
  const reference::DoubleRead read = reference::ReadDouble(t, decimal);
  const bool isDouble = quillet::IsDouble(t);
  const double converted = quillet::ToDouble(t);
  if (read == reference::DoubleRead::Tiny) {
    fuzz::Require(isDouble == (converted != 0.0), "IsDouble and ToDouble agree");
  } else {
    const bool expected = read == reference::DoubleRead::Number;
    fuzz::Require(isDouble == expected, "IsDouble agrees with strtod");
    const double want = expected ? decimal : 0.0;
    fuzz::Require(std::memcmp(&converted, &want, sizeof want) == 0,
                  "ToDouble gives strtod's bits");
  }
  return 0;
}
