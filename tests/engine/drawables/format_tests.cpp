// The text formatters behind the font's print entries: the wide formatter's own rules, the
// narrow printf rules, typed arguments (missing and ill-typed ones print nothing), the output
// limits, and numbers in the C locale.
#include "engine/render/narrow_format.h"
#include "engine/render/wide_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <clocale>
#include <cstdint>
#include <locale.h>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>

using namespace QOR;

namespace {

template <typename... ARGS>
std::wstring wide(const wchar_t* format, const ARGS&... args) {
  wchar_t buffer[256];
  const int n = fWideFormat(buffer, 256, format, args...);
  EXPECT_EQ(static_cast<std::size_t>(n), std::wcslen(buffer));
  return buffer;
}

template <typename... ARGS>
std::string narrow(const char* format, const ARGS&... args) {
  char buffer[256];
  const std::array<QC_FORMAT_ARG, sizeof...(ARGS)> list{QC_FORMAT_ARG(args)...};
  const int n = fNarrowFormatList(buffer, 256, format, list);
  EXPECT_EQ(static_cast<std::size_t>(n), std::strlen(buffer));
  return buffer;
}

TEST(WideFormat, IntegersWithZeroAndBlankPadding) {
  EXPECT_EQ(wide(L"%05i", 42), L"00042");
  EXPECT_EQ(wide(L"%5i", 42), L"   42");
  EXPECT_EQ(wide(L"%d", 0), L"0");
  EXPECT_EQ(wide(L"%i/%i", 3, 12), L"3/12");
  EXPECT_EQ(wide(L"%1d", 12345), L"12345");
  EXPECT_EQ(wide(L"%ld|%.3d", 7, 7), L"7|7");  // 'l' and precision do nothing
  // Negative numbers: the sign first, zero padding after it.
  EXPECT_EQ(wide(L"%d", -42), L"-42");
  EXPECT_EQ(wide(L"%05d", -42), L"-0042");
  EXPECT_EQ(wide(L"%5d", -42), L"  -42");
  EXPECT_EQ(wide(L"%d", INT_MIN), L"-2147483648");
  EXPECT_EQ(wide(L"%d", std::int64_t{INT64_MIN}), L"-9223372036854775808");
  EXPECT_EQ(wide(L"%d", std::uint64_t{UINT64_MAX}), L"18446744073709551615");
  EXPECT_EQ(wide(L"%d", static_cast<short>(-3)), L"-3");
  enum class SCREEN : std::uint8_t { kTitle = 4 };
  EXPECT_EQ(wide(L"%d", SCREEN::kTitle), L"4");
}

TEST(WideFormat, TextIsPaddedWithBlanksAndNeverCut) {
  EXPECT_EQ(wide(L"%3s", L"ABCD"), L"ABCD");
  EXPECT_EQ(wide(L"%6s|", L"AB"), L"    AB|");
  EXPECT_EQ(wide(L"%06s|", L"AB"), L"    AB|");  // never zeros
  EXPECT_EQ(wide(L"[%s]", std::wstring(L"\u0416\u0416")), L"[\u0416\u0416]");
  EXPECT_EQ(wide(L"%.1s", L"ABC"), L"ABC");  // precision ignored
  EXPECT_EQ(wide(L"[%s]", static_cast<const wchar_t*>(nullptr)), L"[]");
}

TEST(WideFormat, PercentSignsAndUnknownConversions) {
  EXPECT_EQ(wide(L"100%%"), L"100%");
  EXPECT_EQ(wide(L"%%d"), L"%d");
  // A '%' at the very end, or a format that stops inside a conversion, ends the output there.
  EXPECT_EQ(wide(L"50%"), L"50");
  EXPECT_EQ(wide(L"ab%05"), L"ab");
  EXPECT_EQ(wide(L"ab%5.2l"), L"ab");
  // An unknown conversion shows only its letter and uses no argument.
  EXPECT_EQ(wide(L"%5x"), L"x");
  EXPECT_EQ(wide(L"%x %d", 7), L"x 7");
  EXPECT_EQ(wide(L"%-5d", 3), L"-5d");
  EXPECT_EQ(wide(L"%u/%u", 1u, 2u), L"u/u");
  EXPECT_EQ(wide(L"%lld", 5), L"ld");
}

TEST(WideFormat, MissingAndIllTypedArgumentsPrintNothing) {
  EXPECT_EQ(wide(L"Score: %d"), L"Score: ");
  EXPECT_EQ(wide(L"%s and %s", L"one"), L"one and ");
  EXPECT_EQ(wide(L"%05d|%8s|%f|"), L"|||");
  // A wrong kind uses its argument up, so the next conversion gets the next argument.
  EXPECT_EQ(wide(L"%d|%d", L"text", 5), L"|5");
  EXPECT_EQ(wide(L"%s|%s", 5, L"B"), L"|B");
  EXPECT_EQ(wide(L"%d|%s", 2.5, "narrow"), L"|");
  // A number in %f may be an integer.
  EXPECT_EQ(wide(L"%f", 2), L"2.000000");
}

TEST(WideFormat, FixedPointInTheCLocale) {
  EXPECT_EQ(wide(L"%f", 0.5), L"0.500000");
  EXPECT_EQ(wide(L"%.2f", 3.14159), L"3.14");
  EXPECT_EQ(wide(L"%8.3f|", 2.5f), L"   2.500|");
  EXPECT_EQ(wide(L"%08.3f|", -2.5), L"-002.500|");
  EXPECT_EQ(wide(L"%.0f", 2.5), L"2");
  EXPECT_EQ(wide(L"%lf", 1.25), L"1.250000");
  // Beyond a double's exact digits the precision adds zeros.
  const std::wstring longest = wide(L"%.1200f", 0.5);
  EXPECT_EQ(longest.size(), 255u);  // cut by the buffer
  EXPECT_EQ(longest.substr(0, 4), L"0.50");

  // Whatever locale the thread is in, the point stays a '.'.
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
    const locale_t comma = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr));
    if (comma == static_cast<locale_t>(nullptr)) continue;
    const locale_t previous = uselocale(comma);
    EXPECT_EQ(wide(L"%.2f", 1.5), L"1.50") << name;
    EXPECT_EQ(narrow("%.2f %g", 1.5, 0.25), "1.50 0.25") << name;
    uselocale(previous);
    freelocale(comma);
  }
}

TEST(WideFormat, TheOutputStopsOneShortOfTheCapacity) {
  wchar_t buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  EXPECT_EQ(fWideFormat(buffer, 4, L"abcdef"), 3);
  EXPECT_EQ(std::wstring(buffer), L"abc");
  EXPECT_EQ(fWideFormat(buffer, 1, L"abcdef"), 0);
  EXPECT_EQ(buffer[0], L'\0');
  buffer[0] = L'#';
  EXPECT_EQ(fWideFormat(buffer, 0, L"abcdef"), 0);
  EXPECT_EQ(buffer[0], L'#');  // untouched
  EXPECT_EQ(fWideFormat(buffer, -5, L"abc"), 0);
  EXPECT_EQ(fWideFormat(nullptr, 5, L"abc"), 0);
  EXPECT_EQ(fWideFormat(buffer, 8, nullptr), 0);
  EXPECT_EQ(buffer[0], L'\0');
  // Padding and digits stop at the capacity too.
  EXPECT_EQ(fWideFormat(buffer, 8, L"%20d", 5), 7);
  EXPECT_EQ(std::wstring(buffer), L"       ");
  EXPECT_EQ(fWideFormat(buffer, 8, L"ab%d", 123456789), 7);
  EXPECT_EQ(std::wstring(buffer), L"ab12345");
  // Widths from data far beyond any buffer neither overflow nor take long.
  EXPECT_EQ(fWideFormat(buffer, 8, L"%99999999999999999999d", 5), 7);
  EXPECT_EQ(fWideFormat(buffer, 8, L"%99999999999.99999999999f", 5.0), 7);
  EXPECT_EQ(fWideFormatVarargs(buffer, 8, L"%i!", 9), 2);
  EXPECT_EQ(std::wstring(buffer), L"9!");
}

TEST(NarrowFormat, PrintfRulesOverTypedArguments) {
  EXPECT_EQ(narrow("%i", 42), "42");
  EXPECT_EQ(narrow("%i%%", 100), "100%");
  EXPECT_EQ(narrow("%-5d|%+d|% d|%05d", 3, 4, 5, -6), "3    |+4| 5|-0006");
  EXPECT_EQ(narrow("%x %X %#o %u", 255, 255u, 8, 7u), "ff FF 010 7");
  // Unsigned conversions read a negative value in its own width.
  EXPECT_EQ(narrow("%x %u", -1, static_cast<std::int64_t>(-1)), "ffffffff 18446744073709551615");
  EXPECT_EQ(narrow("%c%c", 'O', 75), "OK");
  EXPECT_EQ(narrow("[%5s][%-4s][%.2s]", "ab", "cd", "efgh"), "[   ab][cd  ][ef]");
  EXPECT_EQ(narrow("%s", std::string("level 1")), "level 1");
  EXPECT_EQ(narrow("%.3f %e %g", 3.14159, 1500.0, 0.0001), "3.142 1.500000e+03 0.0001");
  EXPECT_EQ(narrow("%*d|%.*f", 4, 7, 1, 2.25), "   7|2.2");
  EXPECT_EQ(narrow("%*d|", -4, 7), "7   |");
  // Length letters are accepted and the argument's own type is used.
  EXPECT_EQ(narrow("%lld %hhd %zu", 5, 300, 9u), "5 300 9");
  // Not a conversion: shown as it stands.
  EXPECT_EQ(narrow("%y %5k", 1), "%y %5k");
}

TEST(NarrowFormat, MissingAndIllTypedArgumentsPrintNothing) {
  EXPECT_EQ(narrow("Score: %d points"), "Score:  points");
  EXPECT_EQ(narrow("%s|%d|%f", 1, "two", L"three"), "||");
  EXPECT_EQ(narrow("%d|%d", 2.5, 4), "|4");
  EXPECT_EQ(narrow("%f", 3), "3.000000");
  EXPECT_EQ(narrow("[%s]", static_cast<const char*>(nullptr)), "[]");
  // %n never writes and %p never shows: both use their argument up.
  EXPECT_EQ(narrow("%n%p%d", 1, 2, 3), "3");
  EXPECT_EQ(narrow("%*d", "x", 5), "5");
  EXPECT_EQ(narrow("abc%"), "abc");
  EXPECT_EQ(narrow("abc%-08.3"), "abc");
}

TEST(NarrowFormat, TheOutputStopsOneShortOfTheCapacity) {
  char buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), '#');
  const std::array<QC_FORMAT_ARG, 1> five{QC_FORMAT_ARG(5)};
  EXPECT_EQ(fNarrowFormatList(buffer, 4, "abcdef", {}), 3);
  EXPECT_STREQ(buffer, "abc");
  buffer[0] = '#';
  EXPECT_EQ(fNarrowFormatList(buffer, 0, "abcdef", {}), 0);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(fNarrowFormatList(buffer, 8, "%-99999999999d|", five), 7);
  EXPECT_STREQ(buffer, "5      ");
  EXPECT_EQ(fNarrowFormatList(buffer, 8, "%.99999999999f", std::array<QC_FORMAT_ARG, 1>{QC_FORMAT_ARG(1.0)}), 7);
  EXPECT_STREQ(buffer, "1.00000");
  EXPECT_EQ(fNarrowFormatList(buffer, 8, nullptr, five), 0);
  EXPECT_STREQ(buffer, "");
}

}  // namespace
