// The formatter behind the bitmap font's narrow print: printf's format language (flags "-+ #0",
// width and precision as digits or '*', length letters, which are accepted and ignored, and the
// conversions d i u o x X c s f F e E g G a A and "%%") over typed arguments (QC_FORMAT_ARG),
// always in the C locale. A conversion with no argument left, or with one of the wrong kind,
// prints nothing and the format goes on: a format from data never reads what was not passed.
#pragma once

#include "engine/render/qc_format_arg.h"

#include <span>

namespace QOR {

// Formats into buffer, at most capacity - 1 bytes and a terminating zero (vsnprintf's cut);
// returns the bytes written. Capacity 0 (or less) leaves the buffer untouched and returns 0.
// Integer conversions take integers (u, o, x, X read a negative one as the unsigned type of its
// own width); c takes an integer; s takes narrow text (a null pointer prints nothing); the
// floating conversions take any number. %n and %p print nothing and use up their argument; any
// other conversion character is copied with its '%' and flags as it stands. A '*' width or
// precision takes an integer argument. Widths and precisions above kFormatFieldLimit count as
// that limit.
int fNarrowFormatList(char* buffer, int capacity, const char* format, std::span<const QC_FORMAT_ARG> args);

}  // namespace QOR
