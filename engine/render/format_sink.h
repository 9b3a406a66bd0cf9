// Shared pieces of the text formatters: the bounded output that every conversion writes through,
// and the saturating reader of width and precision digits.
#pragma once

#include "engine/render/wide_format.h"

#include <cstdint>

namespace QOR {

// Writes at most `room` characters into a buffer; once full, further characters are dropped, so
// a long padding costs no more than the room that is left.
template <typename CHAR>
class QC_FORMAT_SINK {
 public:
  QC_FORMAT_SINK(CHAR* buffer, int room) : _buffer(buffer), _room(room < 0 ? 0 : room), _length(0) {}

  bool isFull() const { return _length >= _room; }
  int fGetLength() const { return _length; }
  void fPut(CHAR c) {
    if (_length < _room) _buffer[_length++] = c;
  }
  void fRepeat(CHAR c, std::int64_t count) {
    for (std::int64_t i = 0; i < count && _length < _room; ++i) _buffer[_length++] = c;
  }
  void fTerminate() { _buffer[_length] = CHAR(0); }

 private:
  CHAR* _buffer;
  int _room;
  int _length;
};

// Reads decimal digits at p (advancing it), saturating at kFormatFieldLimit.
template <typename CHAR>
int fReadFormatField(const CHAR*& p) {
  int value = 0;
  while (*p >= CHAR('0') && *p <= CHAR('9')) {
    value = value * 10 + static_cast<int>(*p - CHAR('0'));
    if (value > kFormatFieldLimit) value = kFormatFieldLimit;
    ++p;
  }
  return value;
}

}  // namespace QOR
