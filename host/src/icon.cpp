// Icon resources. The program carries no resource section here, so the window's icon resources
// are read from a picture file instead: ids 1000 (large icon) and 1001 (small icon) both name
// "icon.png" in the Resources folder, looked for under the working folder (which may already be
// Resources itself) and then beside the program. SDL keeps one icon per window, so the small one
// only stands in when the large one is missing.
#include "host/src/d3dx/d3dx_image.h"
#include "host/src/host_internal.h"
#include "host/test_doors.h"
#include "host/win_window.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct HostIcon : HostObject {
  ~HostIcon() override {
    if (surface != nullptr) SDL_FreeSurface(surface);
  }
  SDL_Surface* surface = nullptr;
};

namespace {

constexpr std::uintptr_t kLargeIcon = 1000;
constexpr std::uintptr_t kSmallIcon = 1001;
constexpr const char kIconFile[] = "icon.png";

std::vector<std::string> iconPaths() {
  std::vector<std::string> paths = {kIconFile, std::string("Resources/") + kIconFile};
  if (char* base = SDL_GetBasePath()) {
    paths.push_back(std::string(base) + "Resources/" + kIconFile);
    SDL_free(base);
  }
  return paths;
}

// The picture as a 32-bit surface, or null when no file decodes.
SDL_Surface* loadIconSurface() {
  for (const std::string& path : iconPaths()) {
    std::vector<std::uint8_t> bytes;
    if (!host_d3dx::fReadFile(path.c_str(), bytes)) continue;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    if (!host_d3dx::fDecode(bytes.data(), bytes.size(), width, height, rgba)) continue;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) return nullptr;
    auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
    for (int row = 0; row < height; ++row) {
      std::memcpy(pixels + static_cast<std::size_t>(row) * surface->pitch,
                  rgba.data() + static_cast<std::size_t>(row) * width * 4, static_cast<std::size_t>(width) * 4);
    }
    return surface;
  }
  host_detail::fLogLine(std::string("No window icon: ") + kIconFile + " not found");
  return nullptr;
}

// Icons live until the process ends, like the class records that hold them.
std::map<std::uintptr_t, std::unique_ptr<HostIcon>>& icons() {
  static std::map<std::uintptr_t, std::unique_ptr<HostIcon>> list;
  return list;
}

}  // namespace

HANDLE LoadImageA(HINSTANCE, const char* name, UINT type, int, int, UINT) {
  const auto id = reinterpret_cast<std::uintptr_t>(name);
  if (type != IMAGE_ICON || (id != kLargeIcon && id != kSmallIcon)) return nullptr;
  auto& list = icons();
  const auto found = list.find(id);
  if (found != list.end()) return found->second.get();
  SDL_Surface* surface = loadIconSurface();
  if (surface == nullptr) return nullptr;
  auto icon = std::make_unique<HostIcon>();
  icon->surface = surface;
  return (list[id] = std::move(icon)).get();
}

namespace host_detail {

SDL_Surface* fIconSurface(HICON icon) {
  const auto* record = dynamic_cast<const HostIcon*>(icon);
  return record != nullptr ? record->surface : nullptr;
}

}  // namespace host_detail

namespace host_test {

bool fWindowIconSize(HWND window, int& width, int& height) {
  width = 0;
  height = 0;
  if (!host_detail::fIsLiveWindow(window)) return false;
  SDL_Surface* surface = host_detail::fIconSurface(window->icon);
  if (surface == nullptr) return false;
  width = surface->w;
  height = surface->h;
  return true;
}

}  // namespace host_test
