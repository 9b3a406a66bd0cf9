#include "game/board/level_lookup.h"

#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_player_file.h"
#include "game/board/xml_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <tuple>

namespace {

constexpr char kPack[] = "XML/levels";
constexpr char kExtension[] = ".xml";
// The longest file name the file systems we run on take, in bytes.
constexpr std::size_t kLongestFileName = 255;

enum class COPY { kNone, kRead, kBroken };

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%g", value);
  return text;
}

// The folder's copy of the level, parsed into own; with a grid, also one that can be played.
// Only a regular file is read: a pipe or device there is passed over, never waited on.
COPY ReadCopy(const std::string& file, pugi::xml_document& own, std::string& path, const TILE_METRICS* grid) {
  const std::string folder = MAHJONG_LEVELS::Folder();
  path = folder + file;
  if (folder.empty() || !MAHJONG_LEVELS::isPlainName(file)) return COPY::kNone;
  std::string bytes;
  std::string cause;
  const int read = QOR::QC_FILE_SYSTEM::fReadRegularFile(path, bytes, &cause);
  if (read == 0) return COPY::kNone;
  if (read == 1) {
    const pugi::xml_parse_result parsed = own.load_buffer(bytes.data(), bytes.size());
    cause = !parsed ? parsed.description() : grid != nullptr ? MAHJONG_LEVELS::PlayProblem(own, *grid) : "";
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

bool isPlainName(const std::string& name) {
  const auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
  return !name.empty() && name.find_first_of("/\\:") == std::string::npos && name != "." && name != ".." &&
         std::none_of(name.begin(), name.end(), control) && name.size() + sizeof(kExtension) - 1 <= kLongestFileName;
}

std::string PlayProblem(const pugi::xml_node& document, const TILE_METRICS& grid) {
  const double right = 2.0 * grid.columns;
  const double bottom = 2.0 * grid.rows;
  std::set<std::tuple<int, long long, long long>> cells;
  int count = 0;
  for (const pugi::xml_node& tile : document.child("tiles").children()) {
    if (tile.type() != pugi::node_element) continue;
    ++count;
    if (std::strcmp(tile.name(), "tile") != 0) return "a <" + std::string(tile.name()) + "> element among the tiles";
    // Read as the board reads them: numbers that do not parse are 0, layers bounded.
    const double x = MAHJONG_XML::AttributeDouble(tile, "posx");
    const double y = MAHJONG_XML::AttributeDouble(tile, "posy");
    const int layer = std::clamp(MAHJONG_XML::AttributeInt(tile, "level"), 0, MAHJONG_BOARD::kMaxLayer);
    const std::string where = "tile " + std::to_string(count) + " (posx " + Number(x) + ", posy " + Number(y) +
                              ", level " + std::to_string(layer) + ")";
    if (!(x >= 0.0 && x <= right && y >= 0.0 && y <= bottom)) {
      return where + " outside the " + std::to_string(grid.columns) + " x " + std::to_string(grid.rows) + " grid";
    }
    if (!cells.emplace(layer, std::llround(x), std::llround(y)).second) return where + " on a cell taken already";
  }
  return count == 0 ? "no tiles" : "";
}

const pugi::xml_document* ReadForPlay(const std::string& file, pugi::xml_document& own, const TILE_METRICS& grid) {
  std::string path;
  if (ReadCopy(file, own, path, &grid) == COPY::kRead) return &own;
  // The shipped level; one that cannot be read was told by the file system already, and the
  // same report here tells only what nothing told yet.
  std::string cause = "not in the pack";
  if (isShipped(file)) {
    const pugi::xml_document* shipped = ReadShipped(file);
    cause = shipped->first_child() ? PlayProblem(*shipped, grid) : "unreadable";
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
