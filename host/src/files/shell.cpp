// The user's documents folder (SHGetSpecialFolderLocation, SHGetPathFromIDListA, ILFree).
#include "host/regular_files.h"
#include "host/win_files.h"
#include "host/win_shell.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>

struct ITEMIDLIST {
  std::string path;
};

namespace {

namespace fs = std::filesystem;

// user-dirs.dirs is a few lines; a far larger file is not one.
constexpr std::uint64_t kLargestUserDirs = 1 << 20;

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// $HOME, else the account's home from the password database, else "/tmp" so the result can
// still hold the game's files.
std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return withoutTrailingSlash(home);
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] != '\0') {
    return withoutTrailingSlash(entry->pw_dir);
  }
  return "/tmp";
}

// The XDG_DOCUMENTS_DIR entry of ~/.config/user-dirs.dirs: a quoted path that is absolute or
// starts with $HOME. Empty when the file or a usable entry is missing.
std::string fromUserDirs(const std::string& home) {
  // Read only when it is a regular file of a sensible size: a pipe there would hold every start.
  std::string text;
  if (host_files::fReadRegularFile((home + "/.config/user-dirs.dirs").c_str(), text, kLargestUserDirs) !=
      host_files::QE_FOUND::kFile) {
    return {};
  }
  std::istringstream file(text);
  const std::string key = "XDG_DOCUMENTS_DIR=";
  std::string line;
  while (std::getline(file, line)) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    if (line.compare(start, key.size(), key) != 0) continue;
    std::string raw = line.substr(start + key.size());
    std::string value;
    if (!raw.empty() && raw[0] == '"') {
      // Quoted: up to the closing quote, with backslash escapes.
      for (std::size_t i = 1; i < raw.size() && raw[i] != '"'; ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
        value += raw[i];
      }
    } else {
      value = raw.substr(0, raw.find_last_not_of(" \t\r") + 1);
    }
    const std::string homeVariable = "$HOME";
    if (value.compare(0, homeVariable.size(), homeVariable) == 0) {
      value = home + value.substr(homeVariable.size());
    }
    if (!value.empty() && value[0] == '/') return withoutTrailingSlash(value);
  }
  return {};
}

std::string documentsFolder() {
  const char* variable = std::getenv("XDG_DOCUMENTS_DIR");
  if (variable != nullptr && variable[0] != '\0') return withoutTrailingSlash(variable);
  const std::string home = homeFolder();
  std::string listed = fromUserDirs(home);
  if (!listed.empty()) return listed;
  std::error_code error;
  const std::string documents = home + "/Documents";
  if (fs::is_directory(documents, error)) return documents;
  return home;
}

}  // namespace

HRESULT SHGetSpecialFolderLocation(HWND /*owner*/, int folder, ITEMIDLIST** list) {
  if (list == nullptr) return E_FAIL;
  *list = nullptr;
  if (folder != CSIDL_PERSONAL) return E_FAIL;
  *list = new ITEMIDLIST{documentsFolder()};
  return S_OK;
}

BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  if (path == nullptr) return FALSE;
  path[0] = '\0';
  if (list == nullptr || list->path.size() >= MAX_PATH) return FALSE;
  std::memcpy(path, list->path.c_str(), list->path.size() + 1);
  return TRUE;
}

void ILFree(ITEMIDLIST* list) { delete list; }
