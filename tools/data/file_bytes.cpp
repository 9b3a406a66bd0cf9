#include "tools/data/file_bytes.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace QOR {

bool fReadFileText(const std::filesystem::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool fWriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

bool fResetFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  if (error) return false;
  std::filesystem::create_directories(folder, error);
  return !error;
}

}  // namespace QOR
