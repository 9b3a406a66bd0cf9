// The engine log: every line goes to standard output as a line break followed by the text, and
// is flushed at once so nothing is lost if the process dies.
#pragma once

#include <iostream>
#include <string>

namespace QOR {

// One log line; the pieces streamed into it follow the leading line break.
class QC_LOG_LINE {
 public:
  QC_LOG_LINE() { std::cout << '\n'; }
  ~QC_LOG_LINE() { std::cout.flush(); }
  QC_LOG_LINE(const QC_LOG_LINE&) = delete;
  QC_LOG_LINE& operator=(const QC_LOG_LINE&) = delete;

  template <typename T>
  QC_LOG_LINE& operator<<(const T& value) {
    std::cout << value;
    return *this;
  }
};

inline QC_LOG_LINE fLog() { return {}; }

inline void fLog(const std::string& text) { std::cout << '\n' << text << std::flush; }

}  // namespace QOR
