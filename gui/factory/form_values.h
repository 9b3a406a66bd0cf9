// Reading the values of a GUI form: names compared without regard to case, decimal numbers in
// the C locale (a text that is not a number reads as 0), number lists and ARGB colours. Numbers
// of a list are separated by blanks (runs of blanks, tabs and line breaks count as one).
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {

// ASCII letters compared without regard to case; null reads as the empty text.
bool isFormNameEqual(const char* a, const char* b);

// The blank-separated words of a text.
std::vector<std::string> fSplitFormNumbers(const char* text);

// Largest magnitude a form's coordinate, size, margin or other measure may have: far beyond any
// screen, and small enough that sums and products of such values stay exact in the widgets'
// integer and float arithmetic.
constexpr double kFormValueLimit = 1000000.0;

// A decimal integer (an optional sign, then digits; what follows is ignored), saturated to the
// int range; 0 for a text that is not a number.
int fFormToInt(const char* text);
// The same for a measure: false when its magnitude exceeds kFormValueLimit.
bool fFormToMeasure(const char* text, int& value);
// The same for unsigned values: a negative number reads as 0.
unsigned fFormToUnsigned(const char* text);
// A decimal float; 0 for a text that is not a number. False when the number is not finite (nan,
// inf) or its magnitude exceeds kFormValueLimit: such a value is unusable for geometry.
bool fFormToFloat(const char* text, float& value);

// The first `count` numbers of the list; false (values untouched) when the list holds fewer, or
// when one of them is not usable (as above).
bool fFormFloats(const char* text, int count, float* values);
// The same for integer measures.
bool fFormInts(const char* text, int count, int* values);
// Four numbers alpha, red, green, blue, each kept to 8 bits, as 0xAARRGGBB; false when fewer.
bool fFormColor(const char* text, std::uint32_t& argb);

}  // namespace QOR
