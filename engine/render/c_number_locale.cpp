#include "engine/render/c_number_locale.h"

namespace QOR {

namespace {

// Made once and kept for the life of the process; null when the C library cannot make it, in
// which case the thread's locale is left alone.
locale_t fCLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

QC_C_NUMBER_LOCALE::QC_C_NUMBER_LOCALE() : _previous(static_cast<locale_t>(nullptr)) {
  const locale_t c = fCLocale();
  if (c != static_cast<locale_t>(nullptr)) _previous = uselocale(c);
}

QC_C_NUMBER_LOCALE::~QC_C_NUMBER_LOCALE() {
  if (_previous != static_cast<locale_t>(nullptr)) uselocale(_previous);
}

}  // namespace QOR
