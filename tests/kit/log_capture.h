// Captures the engine log (standard output) for the lifetime of the object.
#pragma once

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace qor_test {

class LogCapture {
 public:
  LogCapture() : previous_(std::cout.rdbuf(buffer_.rdbuf())) {}
  ~LogCapture() { std::cout.rdbuf(previous_); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::string text() const { return buffer_.str(); }
  // The log's lines: each entry starts with a line break, so the text before the first is dropped.
  std::vector<std::string> lines() const;
  bool hasLine(const std::string& line) const;
  bool contains(const std::string& piece) const { return text().find(piece) != std::string::npos; }
  void clear() { buffer_.str(""); }

 private:
  std::ostringstream buffer_;
  std::streambuf* previous_;
};

}  // namespace qor_test
