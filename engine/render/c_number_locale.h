// Numbers written through the C library's printf family come out in the C locale while one of
// these is alive, whatever locale the process or the user has chosen: '.' as the decimal point,
// no digit grouping. Only the calling thread is switched.
#pragma once

#include <locale.h>

namespace QOR {

class QC_C_NUMBER_LOCALE {
 public:
  QC_C_NUMBER_LOCALE();
  ~QC_C_NUMBER_LOCALE();
  QC_C_NUMBER_LOCALE(const QC_C_NUMBER_LOCALE&) = delete;
  QC_C_NUMBER_LOCALE& operator=(const QC_C_NUMBER_LOCALE&) = delete;

 private:
  locale_t _previous;
};

}  // namespace QOR
