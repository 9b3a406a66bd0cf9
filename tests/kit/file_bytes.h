// A file's bytes, whole: read (empty when it cannot be read) and written (replacing it).
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qor_test {

inline void fWriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void fWriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  fWriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

inline std::string fReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace qor_test
