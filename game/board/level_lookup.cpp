#include "game/board/level_lookup.h"

#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_player_file.h"

#include <algorithm>

namespace {

constexpr char kPack[] = "XML/levels";
constexpr char kExtension[] = ".xml";
// The longest file name the file systems we run on take, in bytes, and the suffix of the
// temporary file a save writes first.
constexpr std::size_t kLongestFileName = 255;
constexpr char kTemporarySuffix[] = ".XXXXXX";
static_assert(MAHJONG_LEVELS::kLongestName + sizeof(kExtension) - 1 + sizeof(kTemporarySuffix) - 1 ==
              kLongestFileName);

enum class COPY { kNone, kRead, kBroken };

// The folder's copy of the level, parsed into own; with a view, also one that can be played.
// Only a regular file of a private folder is read: a pipe or device there is passed over, never
// waited on, and a folder another user owns or can write to, or their link, is never read through.
COPY ReadCopy(const std::string& file, pugi::xml_document& own, std::string& path, const BOARD_VIEW* view) {
  const std::string folder = MAHJONG_LEVELS::Folder();
  path = folder + file;
  if (folder.empty() || !MAHJONG_LEVELS::isPlainName(file)) return COPY::kNone;
  std::string bytes;
  std::string cause;
  const int read = QOR::QC_FILE_SYSTEM::fReadPrivateFile(path, bytes, &cause);
  if (read == 0) return COPY::kNone;
  if (read != 1 && cause.empty()) cause = "cannot be read";
  if (read == 1) {
    const pugi::xml_parse_result parsed = own.load_buffer(bytes.data(), bytes.size());
    cause = !parsed ? parsed.description() : view != nullptr ? MAHJONG_LEVELS::PlayProblem(own, *view) : "";
  }
  if (!cause.empty()) {
    QOR::fLog() << "Level " << file << " not read from " << path << ": " << cause;
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
  const std::string game = MAHJONG_PLAYER_FILE::GameFolder();
  return game.empty() ? std::string() : game + "levels/";
}

std::string NameProblem(const std::string& name) {
  const auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
  if (name.size() > kLongestName) {
    return "a level name may be at most " + std::to_string(kLongestName) + " bytes long, and this one has " +
           std::to_string(name.size());
  }
  if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name == "." || name == ".." ||
      std::any_of(name.begin(), name.end(), control)) {
    return "a level name must not be empty, \".\" or \"..\", nor hold / \\ : or a control character";
  }
  return std::string();
}

bool isPlainName(const std::string& name) { return NameProblem(name).empty(); }

const pugi::xml_document* ReadForPlay(const std::string& file, pugi::xml_document& own, const BOARD_VIEW& view) {
  std::string path;
  if (ReadCopy(file, own, path, &view) == COPY::kRead) return &own;
  // The shipped level; one that cannot be read was told by the file system already, and the
  // same report here tells only what nothing told yet.
  std::string cause = "not in the pack";
  if (isShipped(file)) {
    const pugi::xml_document* shipped = ReadShipped(file);
    cause = shipped->first_child() ? PlayProblem(*shipped, view) : "unreadable";
    if (cause.empty()) return shipped;
  }
  QOR::fLog() << "Level " << file << " cannot be played: " << cause;
  QOR::fReportUnreadable(QOR::fLoaderFileSystem()->fGetResourceDirectory() + kPack, kPack, file, cause);
  return nullptr;
}

const pugi::xml_document* ReadForEditing(const std::string& file, pugi::xml_document& own) {
  std::string path;
  const COPY copy = ReadCopy(file, own, path, nullptr);
  if (copy == COPY::kRead) return &own;
  if (copy == COPY::kBroken) return nullptr;
  if (isShipped(file)) return ReadShipped(file);
  QOR::fLog() << "File doesn't exist " << path;
  return nullptr;
}

}  // namespace MAHJONG_LEVELS
