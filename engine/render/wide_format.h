// The engine's own small formatter for wide text, used by the bitmap font's wide print: a
// printf-like format with the conversions %s (wide text), %d and %i (integers), %f (numbers) and
// "%%". Arguments are typed (QC_FORMAT_ARG): a conversion with no argument left, or with an
// argument of the wrong kind, prints nothing and the format goes on, so a format from data can
// never read what was not passed.
#pragma once

#include "engine/render/qc_format_arg.h"

#include <array>
#include <span>

namespace QOR {

// Widths and precisions above this count as this many: no format from data can make one
// conversion take unbounded time or memory. It exceeds every text buffer the engine prints into,
// so what can be seen does not change.
inline constexpr int kFormatFieldLimit = 1024;

// Formats into buffer, at most capacity - 1 characters and a terminating zero; returns the number
// of characters written. Capacity 0 (or less) leaves the buffer untouched and returns 0.
// After a '%': an optional '0' (zero padding), width digits, optionally '.' and precision digits,
// an optional 'l' (no effect), then the conversion:
//   s  wide text (wchar_t pointer, std::wstring or view), blanks before it up to the width;
//   d, i  an integer in decimal ('-' first when negative), zeros (zero flag) or blanks up to the
//         width;
//   f  a number as printf's "%f" in the C locale with the same zero flag, width and precision;
//   any other character: the '%' and its flags vanish and the character is copied as it stands
//   ("%5x" shows "x"; "%u" shows "u").
// A format that ends inside a conversion ends the output there. Precision is ignored by s, d, i.
int fWideFormatList(wchar_t* buffer, int capacity, const wchar_t* format, std::span<const QC_FORMAT_ARG> args);

template <typename... ARGS>
int fWideFormat(wchar_t* buffer, int capacity, const wchar_t* format, const ARGS&... args) {
  const std::array<QC_FORMAT_ARG, sizeof...(ARGS)> list{QC_FORMAT_ARG(args)...};
  return fWideFormatList(buffer, capacity, format, std::span<const QC_FORMAT_ARG>(list.data(), list.size()));
}

// The variadic entry under its other name.
template <typename... ARGS>
int fWideFormatVarargs(wchar_t* buffer, int capacity, const wchar_t* format, const ARGS&... args) {
  return fWideFormat(buffer, capacity, format, args...);
}

}  // namespace QOR
