// One argument of the engine's printf-style text formatters, carried with its type, so a
// conversion can check what it was given and a format asking for more arguments than were passed
// finds none instead of reading the stack. Formats often come from data (localised texts).
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace QOR {

class QC_FORMAT_ARG {
 public:
  enum KIND : std::uint8_t { kSigned, kUnsigned, kFloat, kWideText, kNarrowText };

  template <std::signed_integral T>
  QC_FORMAT_ARG(T value) : _kind(kSigned), _size(sizeof(T)), _signed(value) {}
  template <std::unsigned_integral T>
  QC_FORMAT_ARG(T value) : _kind(kUnsigned), _size(sizeof(T)), _unsigned(value) {}
  // An enumeration prints as its number.
  template <typename T>
    requires std::is_enum_v<T>
  QC_FORMAT_ARG(T value) : QC_FORMAT_ARG(static_cast<std::underlying_type_t<T>>(value)) {}
  // A float travels as a double, as it would through a C argument list.
  template <std::floating_point T>
  QC_FORMAT_ARG(T value) : _kind(kFloat), _size(sizeof(double)), _float(static_cast<double>(value)) {}

  // Texts are kept as views: the argument lives only as long as the call that formats it. A null
  // pointer is a text that prints nothing.
  QC_FORMAT_ARG(const wchar_t* text) : _kind(kWideText), _size(0), _wide(text, text != nullptr ? std::wcslen(text) : 0) {
    _isNull = text == nullptr;
  }
  QC_FORMAT_ARG(wchar_t* text) : QC_FORMAT_ARG(static_cast<const wchar_t*>(text)) {}
  QC_FORMAT_ARG(const std::wstring& text) : _kind(kWideText), _size(0), _wide(text) {}
  QC_FORMAT_ARG(std::wstring_view text) : _kind(kWideText), _size(0), _wide(text) {}
  QC_FORMAT_ARG(const char* text)
      : _kind(kNarrowText), _size(0), _narrow(text, text != nullptr ? std::strlen(text) : 0) {
    _isNull = text == nullptr;
  }
  QC_FORMAT_ARG(char* text) : QC_FORMAT_ARG(static_cast<const char*>(text)) {}
  QC_FORMAT_ARG(const std::string& text) : _kind(kNarrowText), _size(0), _narrow(text) {}
  QC_FORMAT_ARG(std::string_view text) : _kind(kNarrowText), _size(0), _narrow(text) {}
  // Any other pointer is refused when the call is compiled.
  template <typename T>
  QC_FORMAT_ARG(const T*) = delete;

  KIND fGetKind() const { return _kind; }
  bool isInteger() const { return _kind == kSigned || _kind == kUnsigned; }
  bool isNumber() const { return isInteger() || _kind == kFloat; }
  bool isNull() const { return _isNull; }
  // Bytes of the integer type the caller passed (for unsigned conversions of negative values).
  std::size_t fGetSize() const { return _size; }

  std::int64_t fGetSigned() const { return _kind == kUnsigned ? static_cast<std::int64_t>(_unsigned) : _signed; }
  // The integer's bits as the unsigned type of the caller's width: -1 passed as an int is
  // 0xFFFFFFFF.
  std::uint64_t fGetUnsigned() const {
    if (_kind == kUnsigned) return _unsigned;
    const auto bits = static_cast<std::uint64_t>(_signed);
    return _size >= 8 ? bits : bits & ((std::uint64_t{1} << (_size * 8)) - 1);
  }
  // The number as a double: integers are converted by value.
  double fGetDouble() const {
    if (_kind == kFloat) return _float;
    return _kind == kUnsigned ? static_cast<double>(_unsigned) : static_cast<double>(_signed);
  }
  std::wstring_view fGetWide() const { return _wide; }
  std::string_view fGetNarrow() const { return _narrow; }

 private:
  KIND _kind;
  std::size_t _size;
  bool _isNull = false;
  std::int64_t _signed = 0;
  std::uint64_t _unsigned = 0;
  double _float = 0.0;
  std::wstring_view _wide;
  std::string_view _narrow;
};

}  // namespace QOR
