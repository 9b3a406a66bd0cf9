#include "tools/data/pack_step.h"

#include "game/board/pack_passwords.h"
#include "tools/data/file_bytes.h"
#include "tools/data/resource_layout.h"
#include "tools/packs/qc_pack_writer.h"

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <system_error>

namespace QOR {

namespace {

struct ARCHIVE {
  const char* location;
  const char* password;
};

// In the order the game registers them: the constants' pack, the sounds' pack, then the manager's.
constexpr ARCHIVE kArchives[] = {
    {kPackConfig, MAHJONG_PACKS::kConfig},     {kPackAudio, MAHJONG_PACKS::kAudio},
    {kPackLevels, MAHJONG_PACKS::kLevels},     {kPackTiles, MAHJONG_PACKS::kTiles},
    {kPackTrophies, MAHJONG_PACKS::kTrophies}, {kPackFonts, MAHJONG_PACKS::kFonts},
    {kPackButtons, MAHJONG_PACKS::kButtons},   {kPackSurfaces, MAHJONG_PACKS::kSurfaces},
};

constexpr const char* kWrittenList = "resources_written.txt";

bool isCompressible(DATA_KIND kind) { return kind == DATA_KIND::XML || kind == DATA_KIND::LEVEL || kind == DATA_KIND::FONT; }

// Where an item lands, relative to Resources.
std::filesystem::path placeOf(const QS_DATA_ITEM& item) {
  if (item.location.empty()) return item.entry;
  return std::filesystem::path(item.location) / item.entry;
}

}  // namespace

const char* fArchivePassword(const std::string& location) {
  for (const ARCHIVE& archive : kArchives)
    if (location == archive.location) return archive.password;
  return nullptr;
}

const std::vector<std::string>& fArchiveLocations() {
  static const std::vector<std::string> kLocations = [] {
    std::vector<std::string> names;
    for (const ARCHIVE& archive : kArchives) names.emplace_back(archive.location);
    return names;
  }();
  return kLocations;
}

std::vector<std::string> fCheckManifest(const std::vector<QS_DATA_ITEM>& items) {
  std::vector<std::string> problems;
  std::set<std::pair<std::string, std::string>> places;
  std::map<std::string, std::string> lookups;
  for (const QS_DATA_ITEM& item : items) {
    const std::string where = item.location + " " + item.entry;
    if (item.entry.empty() || item.step.empty() || item.file.empty()) problems.push_back("incomplete item " + where);
    if (item.entry.find(' ') != std::string::npos || item.location.find(' ') != std::string::npos)
      problems.push_back("a blank in " + where);
    const bool archive = fArchivePassword(item.location) != nullptr;
    if (!archive && item.entry.find('/') != std::string::npos)
      problems.push_back("a folder entry with '/' (only an archive entry can carry one): " + where);
    if (!places.insert({item.location, item.entry}).second) problems.push_back("twice in one place: " + where);
    const std::size_t blank = item.lookup.find(' ');
    if (blank == std::string::npos) {
      if (item.lookup != item.entry) problems.push_back("one-word lookup differs from the entry: " + where);
    } else if (item.lookup.substr(0, blank) != item.location || item.lookup.substr(blank + 1) != item.entry) {
      problems.push_back("\"pack entry\" lookup does not name the item's place: " + item.lookup);
    }
    const auto [it, fresh] = lookups.emplace(item.lookup, where);
    if (!fresh) problems.push_back("the name " + item.lookup + " is found in two places: " + it->second + ", " + where);
  }
  return problems;
}

int fAssembleResources(const std::vector<QS_DATA_ITEM>& items, const std::filesystem::path& stagingRoot,
                       const std::filesystem::path& resourcesDir) {
  const std::vector<std::string> problems = fCheckManifest(items);
  for (const std::string& problem : problems) std::fprintf(stderr, "packs: %s\n", problem.c_str());
  if (!problems.empty()) return 1;

  // Remove what the previous run wrote, so a resource dropped from the manifest does not linger.
  std::string previous;
  if (fReadFileText(stagingRoot / kWrittenList, previous)) {
    std::istringstream lines(previous);
    std::string line;
    std::error_code error;
    while (std::getline(lines, line))
      if (!line.empty()) std::filesystem::remove(resourcesDir / line, error);
  }

  int failures = 0;
  std::string written;
  std::map<std::string, QC_PACK_WRITER> archives;
  for (const ARCHIVE& archive : kArchives) archives.emplace(archive.location, QC_PACK_WRITER(archive.password));
  for (const QS_DATA_ITEM& item : items) {
    std::string bytes;
    const std::filesystem::path source = stagingRoot / item.step / item.file;
    if (!fReadFileText(source, bytes)) {
      std::fprintf(stderr, "packs: missing %s\n", source.c_str());
      ++failures;
      continue;
    }
    const auto archive = archives.find(item.location);
    if (archive != archives.end()) {
      if (!archive->second.fAdd(item.entry, bytes, isCompressible(item.kind))) {
        std::fprintf(stderr, "packs: cannot add %s to %s\n", item.entry.c_str(), item.location.c_str());
        ++failures;
      }
      continue;
    }
    if (!fWriteFileBytes(resourcesDir / placeOf(item), bytes)) {
      std::fprintf(stderr, "packs: cannot write %s\n", placeOf(item).c_str());
      ++failures;
      continue;
    }
    written += placeOf(item).generic_string() + "\n";
  }
  for (auto& [location, writer] : archives) {
    if (writer.fGetCount() == 0) continue;
    const std::filesystem::path path = resourcesDir / location;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (!writer.fWrite(path.string())) {
      std::fprintf(stderr, "packs: cannot write %s\n", path.c_str());
      ++failures;
      continue;
    }
    written += location + "\n";
  }
  if (!fWriteFileBytes(stagingRoot / kWrittenList, written)) ++failures;
  return failures == 0 ? 0 : 1;
}

}  // namespace QOR
