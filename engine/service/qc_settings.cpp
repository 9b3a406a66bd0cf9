// The engine's settings file, config.xml, in the user's documents folder under the company and
// game names. It is replaced whole, so a failed write never costs the file it had; a file that
// is damaged or empty is rewritten from the current settings.
#include "engine/files/qc_file_system.h"
#include "engine/files/qc_private_folder.h"
#include "engine/files/replace_file.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "engine/service/qs_engine_config.h"
#include "host/regular_files.h"

#include <cstdint>

namespace QOR {

namespace {

// A settings file is a few hundred bytes; anything far larger is not ours to read whole.
constexpr std::uint64_t kMaxConfigBytes = 1 << 20;

// The file's bytes; false when it cannot be read (a pipe or device in its place is never waited
// on, a link another user owns never followed, a folder that is not private never read). A file
// too large to be a settings file reads as empty, which is damaged.
bool readConfigFile(const std::string& file, std::string& bytes) {
  bytes.clear();
  const QC_PRIVATE_FOLDER folder(file, false);
  if (folder.fResult() != 1) return false;
  const host_files::QE_FOUND found =
      host_files::fReadRegularFileIn(folder.fDescriptor(), folder.fName().c_str(), bytes, kMaxConfigBytes);
  return found == host_files::QE_FOUND::kFile || found == host_files::QE_FOUND::kTooLarge;
}

// Saves killed before their rename leave their temporary files (replace_file.h) beside the file:
// they go whenever the settings' folder is opened.
void removeLeftovers(const std::string& file) {
  const int removed = fRemoveReplaceLeftovers(file);
  if (removed > 0) fLog() << "Removed " << removed << " unfinished save(s) of " << file;
}

}  // namespace

std::string QC_GAME::fGetEngineConfigFolder() const {
  const char* documents = fLoaderFileSystem()->fGetDocumentsPath();
  if (documents == nullptr) return std::string();
  return std::string(documents) + "/" + _companyName + "/" + _gameName;
}

void QC_GAME::fSaveEngineConfig() {
  const std::string folder = fGetEngineConfigFolder();
  if (folder.empty()) {
    fLog("config.xml not saved: there is no documents folder");
    return;
  }
  // Made as the player's folders are: writable by the user alone, never through a link another
  // user owns.
  std::string cause;
  if (QC_FILE_SYSTEM::fMakePrivateFolder(folder, &cause) != 1) {
    fLog("config.xml not saved: " + folder + ": " + cause);
    return;
  }
  const std::string file = folder + "/" + "config.xml";
  removeLeftovers(file);

  const std::string text = fEngineConfigText({_gameName, _companyName, _resolution});
  std::string error;
  if (fReplaceFile(file, text.data(), text.size(), error) != 1) {
    fLog("config.xml not saved, the old file is kept: " + file + ": " + error);
  }
}

void QC_GAME::LoadEngineConfig() {
  fLog("-LoadEngineConfig");
  const std::string folder = fGetEngineConfigFolder();
  if (folder.empty()) {
    fLog("config.xml not read: there is no documents folder; the settings stay as they are");
    return;
  }
  const std::string file = folder + "/" + "config.xml";
  removeLeftovers(file);
  if (fLoaderFileSystem()->fGetPathType(file) == 0) fSaveEngineConfig();

  std::string bytes;
  if (!readConfigFile(file, bytes)) {
    fLog("config.xml cannot be read: " + file);
    return;
  }
  QS_ENGINE_CONFIG config{_gameName, _companyName, _resolution};
  if (fReadEngineConfig(bytes.data(), bytes.size(), config) != 1) {
    // A damaged, empty or oversized file changes nothing and is replaced by the current settings.
    fLog("config.xml does not parse, rewritten from the current settings: " + file);
    fSaveEngineConfig();
    return;
  }
  _gameName = config._gameName;
  _companyName = config._companyName;
  _resolution = config._resolution;
}

}  // namespace QOR
