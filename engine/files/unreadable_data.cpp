#include "engine/files/unreadable_data.h"

#include "engine/files/qc_file_system.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_tell_player.h"
#include "host/win_window.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

namespace QOR {

namespace {

constexpr const char kCaption[] = "Damaged game data";
constexpr const char kMend[] = "Installing the game again should mend it.";

std::set<std::string>& reported() {
  static std::set<std::string> keys;
  return keys;
}

void tellPack(const std::string& packPath, const std::string& pack, const std::string& details) {
  fTellPlayerOnce("damaged data " + packPath, kCaption,
                  "The game's data cannot be read.\nPack: " + (pack.empty() ? std::string("Resources") : pack) + "\n" +
                      details + "\n" + kMend);
}

}  // namespace

bool fReportUnreadable(const std::string& packPath, const std::string& pack, const std::string& entry,
                       const std::string& cause, const std::string& fixedLine) {
  if (!reported().insert(packPath + "\n" + entry).second) return false;
  if (!fixedLine.empty()) fLog(fixedLine);
  fLog(pack.empty() ? "Resource " + entry + " not read: " + cause
                    : "Pack " + pack + " entry " + entry + " not read: " + cause);
  tellPack(packPath, pack, "Entry: " + entry + "\nCause: " + cause);
  return true;
}

bool fReportUnopenedPack(const std::string& packPath, const std::string& pack, const std::string& cause) {
  if (!reported().insert(packPath).second) return false;
  fLog("Pack " + pack + " not opened: " + cause);
  // Every pack is missing when the folder that holds them is missing or empty: one box names it.
  const std::string folder = packPath.substr(0, packPath.size() - std::min(pack.size(), packPath.size()));
  std::error_code error;
  if (!folder.empty() && (!std::filesystem::exists(folder, error) || std::filesystem::is_empty(folder, error))) {
    fTellPlayerOnce("damaged data " + folder, kCaption, fMissingDataText(folder));
    return true;
  }
  tellPack(packPath, pack, "Cause: " + cause);
  return true;
}

std::string fMissingDataText(const std::string& folder) {
  std::string lookedIn;
  const std::vector<std::string> folders =
      qcFileSystemInstance != nullptr ? qcFileSystemInstance->fGetLookedIn() : std::vector<std::string>();
  for (std::size_t i = 0; i < folders.size(); ++i) {
    lookedIn += (i == 0 ? "" : i + 1 == folders.size() ? " and " : ", ") + folders[i];
  }
  return "The game's data cannot be read.\nFolder: " + folder + "\nCause: missing or empty\n" +
         (lookedIn.empty() ? std::string() : "Looked for Resources in: " + lookedIn + "\n") +
         "Start the game from its own folder, the one holding Resources,\n"
         "or from its source folder with scripts/play.\n" +
         kMend;
}

bool isDataDamageReported() { return !reported().empty(); }

void fTellMissingResource(const std::string& caption, const std::string& name) {
  if (isDataDamageReported()) {
    fLog(caption + ": " + name + " (not shown: the damaged data was told)");
    return;
  }
  MessageBoxA(nullptr, name.c_str(), caption.c_str(), MB_OK);
}

void fForgetReportedDamage() {
  reported().clear();
  fForgetToldSubjects();
}

}  // namespace QOR
