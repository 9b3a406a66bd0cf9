#include "engine/render/wide_format.h"

#include "engine/render/c_number_locale.h"
#include "engine/render/format_sink.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace QOR {

namespace {

using SINK = QC_FORMAT_SINK<wchar_t>;

// Digits beyond this many decimals of a double are all zeros: its exact expansion never needs
// more, so the rest of a larger precision is appended as zeros.
constexpr int kExactDecimals = 1100;

void fPutText(SINK& out, std::wstring_view text, int width) {
  if (static_cast<std::int64_t>(text.size()) < width) out.fRepeat(L' ', width - static_cast<std::int64_t>(text.size()));
  for (const wchar_t c : text) {
    if (out.isFull()) return;
    out.fPut(c);
  }
}

// An integer in decimal: '-' first when negative, then zeros (after the sign) or blanks before
// the digits up to the width.
void fPutInteger(SINK& out, const QC_FORMAT_ARG& arg, bool zeroPad, int width) {
  const bool negative = arg.fGetKind() == QC_FORMAT_ARG::kSigned && arg.fGetSigned() < 0;
  // The magnitude in unsigned arithmetic, so the most negative value has one too.
  std::uint64_t magnitude = negative ? std::uint64_t{0} - static_cast<std::uint64_t>(arg.fGetSigned())
                                     : static_cast<std::uint64_t>(arg.fGetSigned());
  if (arg.fGetKind() == QC_FORMAT_ARG::kUnsigned) magnitude = arg.fGetUnsigned();
  wchar_t digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const std::int64_t pad = static_cast<std::int64_t>(width) - count - (negative ? 1 : 0);
  if (zeroPad) {
    if (negative) out.fPut(L'-');
    out.fRepeat(L'0', pad);
  } else {
    out.fRepeat(L' ', pad);
    if (negative) out.fPut(L'-');
  }
  while (count > 0 && !out.isFull()) out.fPut(digits[--count]);
}

// printf's "%f" with the zero flag, width and precision (6 when none is given), in the C locale.
void fPutFixed(SINK& out, double value, bool zeroPad, int width, int precision) {
  if (precision < 0) precision = 6;
  const int exact = precision < kExactDecimals ? precision : kExactDecimals;
  // A double has at most 309 integer digits: sign, digits, point and decimals fit.
  char text[kExactDecimals + 400];
  int length = 0;
  {
    const QC_C_NUMBER_LOCALE cLocale;
    length = std::snprintf(text, sizeof(text), "%.*f", exact, value);
  }
  if (length < 0) return;
  if (length >= static_cast<int>(sizeof(text))) length = static_cast<int>(sizeof(text)) - 1;
  const std::int64_t extraZeros = precision - exact;
  const std::int64_t pad = static_cast<std::int64_t>(width) - length - extraZeros;
  int start = 0;
  // Zero padding goes after the sign and only for finite values, as printf does.
  if (zeroPad && std::isfinite(value)) {
    if (text[0] == '-') {
      out.fPut(L'-');
      start = 1;
    }
    out.fRepeat(L'0', pad);
  } else {
    out.fRepeat(L' ', pad);
  }
  for (int i = start; i < length && !out.isFull(); ++i) out.fPut(static_cast<wchar_t>(text[i]));
  out.fRepeat(L'0', extraZeros);
}

}  // namespace

int fWideFormatList(wchar_t* buffer, int capacity, const wchar_t* format, std::span<const QC_FORMAT_ARG> args) {
  if (buffer == nullptr || capacity <= 0) return 0;
  SINK out(buffer, capacity - 1);
  std::size_t next = 0;
  const wchar_t* p = format != nullptr ? format : L"";
  while (*p != L'\0' && !out.isFull()) {
    if (*p != L'%') {
      out.fPut(*p++);
      continue;
    }
    ++p;
    if (*p == L'%') {
      out.fPut(L'%');
      ++p;
      continue;
    }
    bool zeroPad = false;
    if (*p == L'0') {
      zeroPad = true;
      ++p;
    }
    const int width = fReadFormatField(p);
    int precision = -1;
    if (*p == L'.') {
      ++p;
      precision = fReadFormatField(p);
    }
    if (*p == L'l') ++p;
    if (*p == L'\0') break;  // the format ends inside the conversion
    const wchar_t conversion = *p++;
    if (conversion != L's' && conversion != L'd' && conversion != L'i' && conversion != L'f') {
      out.fPut(conversion);
      continue;
    }
    // Each conversion uses up one argument; a missing or ill-typed one prints nothing.
    const QC_FORMAT_ARG* arg = next < args.size() ? &args[next++] : nullptr;
    if (arg == nullptr) continue;
    switch (conversion) {
      case L's':
        if (arg->fGetKind() == QC_FORMAT_ARG::kWideText && !arg->isNull()) fPutText(out, arg->fGetWide(), width);
        break;
      case L'f':
        if (arg->isNumber()) fPutFixed(out, arg->fGetDouble(), zeroPad, width, precision);
        break;
      default:
        if (arg->isInteger()) fPutInteger(out, *arg, zeroPad, width);
        break;
    }
  }
  out.fTerminate();
  return out.fGetLength();
}

}  // namespace QOR
