#include "game/board/level_lookup.h"

#include "engine/files/qc_file_system.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"

#include <algorithm>

namespace {

constexpr char kPack[] = "XML/levels";
constexpr char kExtension[] = ".xml";
// The longest file name the file systems we run on take, in bytes.
constexpr std::size_t kLongestFileName = 255;

enum class COPY { kNone, kRead, kBroken };

// The folder's copy of the level, parsed into own.
COPY ReadCopy(const std::string& file, pugi::xml_document& own, std::string& path) {
  path = MAHJONG_LEVELS::Folder() + file;
  if (!MAHJONG_LEVELS::isPlainName(file) || QOR::QC_GAME::fGetPathType(path) != 1) return COPY::kNone;
  const pugi::xml_parse_result parsed = own.load_file(path.c_str());
  if (!parsed) {
    QOR::fLog() << "Level " << file << " not read from " << path << ": " << parsed.description();
    own.reset();
    return COPY::kBroken;
  }
  QOR::fLog() << "Level " << file << " read from " << path;
  return COPY::kRead;
}

std::string PackEntry(const std::string& file) { return std::string(kPack) + " " + file; }

bool isShipped(const std::string& file) {
  return QOR::qcRESOURCE_LOADER != nullptr && QOR::qcRESOURCE_LOADER->fFindResource(PackEntry(file), true) != nullptr;
}

const pugi::xml_document* ReadShipped(const std::string& file) {
  QOR::fLog() << "Level " << file << " read from the pack " << kPack;
  return QOR::QC_GAME::fLoadXml(PackEntry(file));
}

}  // namespace

namespace MAHJONG_LEVELS {

std::string Folder() {
  QOR::QC_FILE_SYSTEM* files = QOR::QC_FILE_SYSTEM::fGetInstance();
  const char* documents = files->fGetDocumentsPath();
  const std::string base = documents != nullptr && documents[0] != '\0' ? documents : files->fGetCurrentDirectory();
  return base + "/Greyfern/Lantern Tiles/levels/";
}

bool isPlainName(const std::string& name) {
  const auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
  return !name.empty() && name.find_first_of("/\\:") == std::string::npos && name != "." && name != ".." &&
         std::none_of(name.begin(), name.end(), control) && name.size() + sizeof(kExtension) - 1 <= kLongestFileName;
}

const pugi::xml_document* ReadForPlay(const std::string& file, pugi::xml_document& own) {
  std::string path;
  if (ReadCopy(file, own, path) == COPY::kRead) return &own;
  if (isShipped(file)) return ReadShipped(file);
  // The loader tells a level missing from the pack itself and gives an empty document.
  return QOR::QC_GAME::fLoadXml(PackEntry(file));
}

const pugi::xml_document* ReadForEditing(const std::string& file, pugi::xml_document& own) {
  std::string path;
  const COPY copy = ReadCopy(file, own, path);
  if (copy == COPY::kRead) return &own;
  if (copy == COPY::kBroken) return nullptr;
  if (isShipped(file)) return ReadShipped(file);
  QOR::fLog() << "File doesn't exist " << path;
  return nullptr;
}

}  // namespace MAHJONG_LEVELS
