// Numbers in data files and text forms (XML attributes, animations, particle descriptions), read
// and written the way the C library's atoi, atof and "%f" do in the C locale, whatever locale the
// process runs in. Reading never fails: leading blanks and one '+' are skipped, the leading number
// is taken, anything else reads as 0; integers saturate at the int range and reals that are not
// finite (finite floats, for the float reader) read as 0.
#pragma once

#include <string>

namespace QOR {

int fTextToInt(const char* text);
double fTextToDouble(const char* text);
float fTextToFloat(const char* text);
inline int fTextToInt(const std::string& text) { return fTextToInt(text.c_str()); }
inline float fTextToFloat(const std::string& text) { return fTextToFloat(text.c_str()); }
// The value with six decimals and '.' as the decimal point, as "%f" prints it.
std::string fFloatToFixedText(float value);

}  // namespace QOR
