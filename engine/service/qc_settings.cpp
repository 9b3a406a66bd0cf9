// The engine's settings file, config.xml, in the user's documents folder under the company and
// game names: one element "quillon_settings" with the game name, company name and resolution.
#include "engine/files/qc_file_system.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"

#include <pugixml.hpp>

namespace QOR {

std::string QC_GAME::fGetEngineConfigFolder() const {
  const char* documents = fLoaderFileSystem()->fGetDocumentsPath();
  if (documents == nullptr) return std::string();
  return std::string(documents) + "/" + _companyName + "/" + _gameName;
}

void QC_GAME::fSaveEngineConfig() {
  const std::string folder = fGetEngineConfigFolder();
  if (folder.empty()) return;
  QC_FILE_SYSTEM* files = fLoaderFileSystem();
  if (files->fGetPathType(folder) == 0) files->fCreateDirectory(folder);
  const std::string file = folder + "/" + "config.xml";

  pugi::xml_document document;
  pugi::xml_node root = document.append_child("quillon_settings");
  root.append_attribute("game_name") = _gameName.c_str();
  root.append_attribute("company_name") = _companyName.c_str();
  root.append_attribute("resolution") = _resolution.fToString();
  document.save_file(file.c_str(), "\n", pugi::format_write_bom, pugi::encoding_auto);
}

void QC_GAME::LoadEngineConfig() {
  fLog("-LoadEngineConfig");
  const std::string folder = fGetEngineConfigFolder();
  if (folder.empty()) return;
  const std::string file = folder + "/" + "config.xml";
  if (fLoaderFileSystem()->fGetPathType(file) == 0) fSaveEngineConfig();

  pugi::xml_document document;
  document.load_file(file.c_str(), pugi::parse_default, pugi::encoding_auto);
  // The root's name is not checked; a file without one (unreadable) changes nothing, and so does
  // a missing attribute, so a damaged file never moves the settings to a nameless folder.
  const pugi::xml_node root = document.document_element();
  if (const pugi::xml_attribute name = root.attribute("game_name")) _gameName = name.value();
  if (const pugi::xml_attribute company = root.attribute("company_name")) _companyName = company.value();
  if (const pugi::xml_attribute resolution = root.attribute("resolution")) _resolution.fFromString(resolution.value());
}

}  // namespace QOR
