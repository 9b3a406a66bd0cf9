// The user's documents folder (SHGetSpecialFolderLocation, SHGetPathFromIDListEx and its MAX_PATH
// form SHGetPathFromIDListA, ILFree).
#include "host/regular_files.h"
#include "host/win_files.h"
#include "host/win_shell.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

// The folders the rules name, in the rules' order; a refused one says why.
struct ITEMIDLIST {
  struct CHOICE {
    std::string path;
    std::string refusal;
  };
  std::vector<CHOICE> choices;
};

namespace {

namespace fs = std::filesystem;
using CHOICE = ITEMIDLIST::CHOICE;

// user-dirs.dirs is a few lines; a far larger file is not one.
constexpr std::uint64_t kLargestUserDirs = 1 << 20;

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// A folder a rule names, judged: it must be an absolute path, and what is there (when something
// is) must be a folder. A missing folder is fine: the game makes it when it saves.
CHOICE judged(const std::string& rule, const std::string& value) {
  const std::string path = withoutTrailingSlash(value);
  if (path.empty() || path[0] != '/') return {path, rule + " \"" + path + "\" is not an absolute path"};
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!error && fs::exists(status) && !fs::is_directory(status)) {
    return {path, rule + " names something that is not a folder: " + path};
  }
  return {path, {}};
}

// $HOME when it is an absolute path, else the account's home from the password database, else
// "/tmp" so the result can still hold the game's files. A HOME that is set but relative is
// refused in choices.
std::string homeFolder(std::vector<CHOICE>& choices) {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    CHOICE choice = judged("HOME", home);
    if (choice.refusal.empty()) return choice.path;
    choices.push_back(choice);
  }
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] != '\0') {
    return withoutTrailingSlash(entry->pw_dir);
  }
  return "/tmp";
}

// Each XDG_DOCUMENTS_DIR entry of ~/.config/user-dirs.dirs (a quoted path, absolute or starting
// with $HOME), judged, in the file's order. None when the file is missing or not a regular file.
void fromUserDirs(const std::string& home, std::vector<CHOICE>& choices) {
  // Read only when it is a regular file of a sensible size: a pipe there would hold every start.
  const std::string file = home + "/.config/user-dirs.dirs";
  std::string text;
  if (host_files::fReadRegularFile(file.c_str(), text, kLargestUserDirs) != host_files::QE_FOUND::kFile) return;
  std::istringstream lines(text);
  const std::string key = "XDG_DOCUMENTS_DIR=";
  std::string line;
  while (std::getline(lines, line)) {
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
    choices.push_back(judged("The XDG_DOCUMENTS_DIR entry of " + file, value));
  }
}

std::vector<CHOICE> documentsChoices() {
  std::vector<CHOICE> choices;
  const char* variable = std::getenv("XDG_DOCUMENTS_DIR");
  if (variable != nullptr && variable[0] != '\0') choices.push_back(judged("XDG_DOCUMENTS_DIR", variable));
  std::vector<CHOICE> homeRefusals;
  const std::string home = homeFolder(homeRefusals);
  fromUserDirs(home, choices);
  std::error_code error;
  const std::string documents = home + "/Documents";
  if (fs::is_directory(documents, error)) choices.push_back({documents, {}});
  choices.insert(choices.end(), homeRefusals.begin(), homeRefusals.end());
  choices.push_back({home, {}});
  return choices;
}

// The lines of one lookup are logged (on standard output, as every log line) when they differ
// from the last lookup's: the game asks for the folder at every save, and one word on each change
// is enough.
void tellOnChange(const std::vector<std::string>& lines) {
  static std::mutex guard;
  static std::vector<std::string> told;
  const std::lock_guard<std::mutex> lock(guard);
  if (lines == told) return;
  told = lines;
  for (const std::string& line : lines) std::cout << '\n' << line;
  std::cout << std::flush;
}

}  // namespace

HRESULT SHGetSpecialFolderLocation(HWND /*owner*/, int folder, ITEMIDLIST** list) {
  if (list == nullptr) return E_FAIL;
  *list = nullptr;
  if (folder != CSIDL_PERSONAL) return E_FAIL;
  *list = new ITEMIDLIST{documentsChoices()};
  return S_OK;
}

BOOL SHGetPathFromIDListEx(const ITEMIDLIST* list, char* path, DWORD length, DWORD /*flags*/) {
  if (path == nullptr || length == 0) return FALSE;
  path[0] = '\0';
  if (list == nullptr) return FALSE;
  std::vector<std::string> lines;
  const CHOICE* chosen = nullptr;
  for (const CHOICE& choice : list->choices) {
    std::string refusal = choice.refusal;
    if (refusal.empty() && choice.path.size() >= length) {
      refusal = "\"" + choice.path + "\" is " + std::to_string(choice.path.size()) + " characters, more than the " +
                std::to_string(length - 1) + " a documents folder may have";
    }
    if (refusal.empty()) {
      chosen = &choice;
      break;
    }
    lines.push_back("Documents folder: " + refusal + "; the next rule is tried");
  }
  if (chosen == nullptr) {
    lines.push_back("No documents folder: no rule names a usable one");
  } else if (!lines.empty()) {
    lines.push_back("Documents folder: " + chosen->path);
  }
  tellOnChange(lines);
  if (chosen == nullptr) return FALSE;
  std::memcpy(path, chosen->path.c_str(), chosen->path.size() + 1);
  return TRUE;
}

BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) { return SHGetPathFromIDListEx(list, path, MAX_PATH, 0); }

void ILFree(ITEMIDLIST* list) { delete list; }
