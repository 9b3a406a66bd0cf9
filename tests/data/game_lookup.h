// Finds the game's resources the way the game does: the engine's resource loader registers the
// packs in the game's order (a name registered as a folder lists the folder's files, with a
// password the archive's entries; an empty listing or a name already open registers nothing), a
// one-word name is looked up in every pack in registration order, "pack entry" in that pack, and
// the bytes come from QC_FILE_SYSTEM::fLoadResource on the loader's record.
#pragma once

#include "engine/files/qc_file_system.h"
#include "engine/files/qs_resource.h"
#include "engine/service/qc_resource_loader.h"

#include <string>
#include <vector>

namespace qor_test {

class GAME_LOOKUP {
 public:
  // Registers every pack the game registers, in the game's order, over the file system's
  // Resources folder; extraFolders are registered after them (folders the game names in
  // "pack entry" lookups without registering them itself).
  GAME_LOOKUP(QOR::QC_FILE_SYSTEM& files, const std::vector<std::string>& extraFolders);
  GAME_LOOKUP(const GAME_LOOKUP&) = delete;
  GAME_LOOKUP& operator=(const GAME_LOOKUP&) = delete;

  // The record of a resource name, or null.
  QOR::QS_RESOURCE* fFind(const std::string& name);
  // The resource's bytes: its record loaded with fLoadResource (a loose file's counted NUL
  // dropped). False when there is no record or it does not load.
  bool fLoad(const std::string& name, std::string& bytes, std::string& why);
  // Opens a file of the Resources folder by path, as the game opens its splash pictures and
  // store_settings.xml.
  bool fLoadLoose(const std::string& path, std::string& bytes, std::string& why);

  // The packs that registered, in order, with their entry counts.
  const std::vector<std::pair<std::string, std::size_t>>& fRegistered() const { return _registeredCounts; }

 private:
  QOR::QC_FILE_SYSTEM& _files;
  QOR::QC_RESOURCE_LOADER _loader;
  std::vector<std::pair<std::string, std::size_t>> _registeredCounts;
};

// The game's registrations in its order: (name, password or null).
std::vector<std::pair<std::string, const char*>> fGameRegistrations();

}  // namespace qor_test
