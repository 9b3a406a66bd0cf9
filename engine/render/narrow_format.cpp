#include "engine/render/narrow_format.h"

#include "engine/render/c_number_locale.h"
#include "engine/render/format_sink.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace QOR {

namespace {

using SINK = QC_FORMAT_SINK<char>;

// One conversion as parsed: its flags, width and precision (-1 for none).
struct CONVERSION {
  std::string flags;
  bool leftAlign = false;
  int width = 0;
  int precision = -1;
  char letter = 0;
};

bool isFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }
bool isLength(char c) { return c == 'h' || c == 'l' || c == 'L' || c == 'q' || c == 'j' || c == 'z' || c == 't'; }

// The C library's own formatting of one value, width and precision included; both are bounded,
// so the text fits the scratch buffer (the widest case is a double's 309 integer digits with a
// full precision).
// Only the flags the C standard defines for the conversion reach the C library.
template <typename VALUE>
void fPutPrintf(SINK& out, const CONVERSION& c, const char* length, VALUE value) {
  const char* allowed = "+ #0";
  if (c.letter == 'd' || c.letter == 'i') allowed = "+ 0";
  if (c.letter == 'u') allowed = "0";
  if (c.letter == 'o' || c.letter == 'x' || c.letter == 'X') allowed = "#0";
  if (c.letter == 'c') allowed = "";
  std::string spec = "%";
  for (const char flag : c.flags) {
    if (std::strchr(allowed, flag) != nullptr) spec += flag;
  }
  if (c.leftAlign) spec += '-';
  spec += std::to_string(c.width);
  if (c.precision >= 0) spec += "." + std::to_string(c.precision);
  spec += length;
  spec += c.letter;
  char text[2 * kFormatFieldLimit + 400];
  int written = 0;
  {
    const QC_C_NUMBER_LOCALE cLocale;
    written = std::snprintf(text, sizeof(text), spec.c_str(), value);
  }
  if (written < 0) return;
  if (written >= static_cast<int>(sizeof(text))) written = static_cast<int>(sizeof(text)) - 1;
  for (int i = 0; i < written && !out.isFull(); ++i) out.fPut(text[i]);
}

// Text with printf's "%s" rules: the precision limits it, blanks fill it out to the width.
void fPutText(SINK& out, const CONVERSION& c, std::string_view text) {
  if (c.precision >= 0 && text.size() > static_cast<std::size_t>(c.precision)) text = text.substr(0, c.precision);
  const std::int64_t pad = static_cast<std::int64_t>(c.width) - static_cast<std::int64_t>(text.size());
  if (!c.leftAlign) out.fRepeat(' ', pad);
  for (const char ch : text) {
    if (out.isFull()) break;
    out.fPut(ch);
  }
  if (c.leftAlign) out.fRepeat(' ', pad);
}

void fPutConversion(SINK& out, const CONVERSION& c, const QC_FORMAT_ARG& arg) {
  switch (c.letter) {
    case 'd':
    case 'i':
      if (arg.isInteger()) fPutPrintf(out, c, "ll", static_cast<long long>(arg.fGetSigned()));
      break;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      if (arg.isInteger()) fPutPrintf(out, c, "ll", static_cast<unsigned long long>(arg.fGetUnsigned()));
      break;
    case 'c':
      if (arg.isInteger()) fPutPrintf(out, c, "", static_cast<int>(static_cast<unsigned char>(arg.fGetSigned())));
      break;
    case 's':
      if (arg.fGetKind() == QC_FORMAT_ARG::kNarrowText && !arg.isNull()) fPutText(out, c, arg.fGetNarrow());
      break;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
      if (arg.isNumber()) fPutPrintf(out, c, "", arg.fGetDouble());
      break;
    default:  // n and p: never written, never shown
      break;
  }
}

bool isConversion(char c) { return std::strchr("diuoxXcsfFeEgGaAnp", c) != nullptr; }

}  // namespace

int fNarrowFormatList(char* buffer, int capacity, const char* format, std::span<const QC_FORMAT_ARG> args) {
  if (buffer == nullptr || capacity <= 0) return 0;
  SINK out(buffer, capacity - 1);
  std::size_t next = 0;
  // The next argument, or null when none is left.
  const auto take = [&]() -> const QC_FORMAT_ARG* { return next < args.size() ? &args[next++] : nullptr; };
  const char* p = format != nullptr ? format : "";
  while (*p != '\0' && !out.isFull()) {
    if (*p != '%') {
      out.fPut(*p++);
      continue;
    }
    const char* start = p++;
    if (*p == '%') {
      out.fPut('%');
      ++p;
      continue;
    }
    CONVERSION c;
    for (; isFlag(*p); ++p) {
      if (*p == '-') {
        c.leftAlign = true;
      } else if (c.flags.find(*p) == std::string::npos) {
        c.flags += *p;
      }
    }
    if (*p == '*') {
      ++p;
      const QC_FORMAT_ARG* arg = take();
      if (arg != nullptr && arg->isInteger()) {
        std::int64_t w = arg->fGetSigned();
        // A negative width from the argument means left alignment, as in printf.
        if (w < 0) {
          c.leftAlign = true;
          w = w == INT64_MIN ? kFormatFieldLimit : -w;
        }
        c.width = w > kFormatFieldLimit ? kFormatFieldLimit : static_cast<int>(w);
      }
    } else {
      c.width = fReadFormatField(p);
    }
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        ++p;
        const QC_FORMAT_ARG* arg = take();
        // A negative precision from the argument counts as none.
        if (arg != nullptr && arg->isInteger() && arg->fGetSigned() >= 0) {
          const std::int64_t v = arg->fGetSigned();
          c.precision = v > kFormatFieldLimit ? kFormatFieldLimit : static_cast<int>(v);
        }
      } else {
        c.precision = fReadFormatField(p);
      }
    }
    while (isLength(*p)) ++p;
    if (*p == '\0') break;  // the format ends inside the conversion
    c.letter = *p++;
    if (!isConversion(c.letter)) {
      // Not a conversion: shown as it stands.
      for (const char* q = start; q < p && !out.isFull(); ++q) out.fPut(*q);
      continue;
    }
    const QC_FORMAT_ARG* arg = take();
    if (arg != nullptr) fPutConversion(out, c, *arg);
  }
  out.fTerminate();
  return out.fGetLength();
}

}  // namespace QOR
