#include "tests/kit/log_capture.h"

#include <algorithm>

namespace qor_test {

std::vector<std::string> LogCapture::lines() const {
  std::vector<std::string> out;
  const std::string all = text();
  std::size_t start = all.find('\n');
  while (start != std::string::npos) {
    const std::size_t next = all.find('\n', start + 1);
    out.push_back(all.substr(start + 1, next == std::string::npos ? std::string::npos : next - start - 1));
    start = next;
  }
  return out;
}

bool LogCapture::hasLine(const std::string& line) const {
  const std::vector<std::string> all = lines();
  return std::find(all.begin(), all.end(), line) != all.end();
}

}  // namespace qor_test
