// Folder searches (FindFirstFileA, FindNextFileA, FindClose) on std::filesystem.
#include "host/src/files/host_paths.h"
#include "host/src/host_internal.h"
#include "host/win_files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct FoundItem {
  std::string name;
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  std::uintmax_t size = 0;
};

// One search: every matching item, gathered when it began, and the next one to deliver.
struct HostFind : HostObject {
  std::vector<FoundItem> items;
  std::size_t next = 0;
};

// Live searches, so a stale or foreign handle is refused instead of dereferenced.
std::mutex g_searchLock;
std::set<HostFind*> g_searches;

HostFind* liveSearch(HANDLE handle) {
  std::lock_guard<std::mutex> lock(g_searchLock);
  for (HostFind* search : g_searches) {
    if (static_cast<HostObject*>(search) == handle) return search;
  }
  return nullptr;
}

// '*' matches any run of characters and '?' one character; "*.*" matches every name.
bool matches(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*" || pattern == "*") return true;
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starP = std::string::npos;
  std::size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

void fill(const FoundItem& item, WIN32_FIND_DATAA* found) {
  if (found == nullptr) return;
  std::memset(found, 0, sizeof(*found));
  found->dwFileAttributes = item.attributes;
  found->nFileSizeHigh = static_cast<DWORD>(item.size >> 32);
  found->nFileSizeLow = static_cast<DWORD>(item.size & 0xFFFFFFFFu);
  const std::size_t length = std::min<std::size_t>(item.name.size(), MAX_PATH - 1);
  std::memcpy(found->cFileName, item.name.data(), length);
  found->cFileName[length] = '\0';
}

}  // namespace

HANDLE FindFirstFileA(const char* mask, WIN32_FIND_DATAA* found) {
  const std::string path = host_detail::fHostPath(mask);
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string pattern = slash == std::string::npos ? path : path.substr(slash + 1);
  if (pattern.empty()) return INVALID_HANDLE_VALUE;

  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return INVALID_HANDLE_VALUE;

  auto* search = new HostFind();
  for (const std::string dots : {".", ".."}) {
    if (matches(pattern, dots)) search->items.push_back({dots, FILE_ATTRIBUTE_DIRECTORY, 0});
  }
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    FoundItem item;
    item.name = it->path().filename().string();
    if (!matches(pattern, item.name)) continue;
    std::error_code statusError;
    if (it->is_directory(statusError)) {
      item.attributes = FILE_ATTRIBUTE_DIRECTORY;
    } else if (!it->is_regular_file(statusError)) {
      item.attributes = FILE_ATTRIBUTE_DEVICE;
    } else {
      const std::uintmax_t size = it->file_size(statusError);
      item.size = statusError ? 0 : size;
    }
    search->items.push_back(std::move(item));
  }
  std::sort(search->items.begin(), search->items.end(),
            [](const FoundItem& a, const FoundItem& b) { return a.name < b.name; });
  if (search->items.empty()) {
    delete search;
    return INVALID_HANDLE_VALUE;
  }
  fill(search->items[0], found);
  search->next = 1;
  std::lock_guard<std::mutex> lock(g_searchLock);
  g_searches.insert(search);
  return search;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* found) {
  HostFind* search = liveSearch(handle);
  if (search == nullptr || search->next >= search->items.size()) return FALSE;
  fill(search->items[search->next++], found);
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  HostFind* search = liveSearch(handle);
  if (search == nullptr) return FALSE;
  {
    std::lock_guard<std::mutex> lock(g_searchLock);
    g_searches.erase(search);
  }
  delete search;
  return TRUE;
}
