// Reading numbers the user typed.
//
// The text is read the way the C library's wide conversions read it: leading white space and one
// sign are skipped, digits are read up to the first character that does not fit, and what was
// read up to there counts ("12abc" is 12, "36.5x" is 36.5). A text with nothing readable, with a
// value of zero, or with a value the result type cannot hold counts as no number, so an entry of
// "0", of letters, of "inf"/"nan" or of "1e999" is refused alike.
//
// Only decimal notation is read (no hexadecimal, no infinity or NaN words), and white space
// means the six ASCII white-space characters, so both builds of the library accept exactly the
// same texts. A null pointer reads as an empty text.
#pragma once

#include "quillet_api.h"

namespace quillet {

// True when the text reads as a decimal integer that is not 0 and fits an int.
QUILLET_API bool IsNumeric(const wchar_t* text);
// That integer when IsNumeric holds, else 0.
QUILLET_API int ToInt(const wchar_t* text);

// True when the text reads as a decimal floating-point value that is finite and not 0.0.
QUILLET_API bool IsDouble(const wchar_t* text);
// That value when IsDouble holds, else 0.0.
QUILLET_API double ToDouble(const wchar_t* text);

}  // namespace quillet
