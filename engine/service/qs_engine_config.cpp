#include "engine/service/qs_engine_config.h"

#include "engine/files/well_formed_xml.h"
#include "engine/service/qc_log.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <cstring>

namespace QOR {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One run of digits at text[at]; false when there is none or it is too long to be a side.
bool readWhole(const std::string& text, std::size_t& at, int& value) {
  const std::size_t start = at;
  while (at < text.size() && isDigit(text[at])) ++at;
  if (at == start || at - start > 9) return false;
  value = std::atoi(text.substr(start, at - start).c_str());
  return true;
}

// "width height": two whole numbers separated by blanks, nothing else but blanks around them.
bool parseResolution(const std::string& text, QS_POINT& resolution) {
  std::size_t at = 0;
  int width = 0;
  int height = 0;
  while (at < text.size() && isBlank(text[at])) ++at;
  if (!readWhole(text, at, width)) return false;
  const std::size_t gap = at;
  while (at < text.size() && isBlank(text[at])) ++at;
  if (at == gap || !readWhole(text, at, height)) return false;
  while (at < text.size() && isBlank(text[at])) ++at;
  if (at != text.size()) return false;
  const auto inRange = [](int side) { return side >= QC_CONFIG_RESOLUTION_MIN && side <= QC_CONFIG_RESOLUTION_MAX; };
  if (!inRange(width) || !inRange(height)) return false;
  resolution.fSet(width, height);
  return true;
}

void readName(const pugi::xml_node& root, const char* attribute, std::string& name) {
  const pugi::xml_attribute value = root.attribute(attribute);
  if (!value) return;
  if (!fIsPlainFolderName(value.value())) {
    fLog(std::string("config.xml: ") + attribute + " ignored: not a plain folder name of at most 64 bytes of UTF-8");
    return;
  }
  name = value.value();
}

}  // namespace

bool fIsPlainFolderName(const std::string& name) {
  if (name.empty() || name.size() > QC_CONFIG_NAME_MAX || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) return false;
  }
  // Text the file can hold as it is: well-formed UTF-8 of characters XML allows.
  return fWellFormedText(name.c_str()) == name;
}

std::string fEngineConfigText(const QS_ENGINE_CONFIG& config) {
  pugi::xml_document document;
  pugi::xml_node root = document.append_child("quillon_settings");
  root.append_attribute("game_name") = config._gameName.c_str();
  root.append_attribute("company_name") = config._companyName.c_str();
  root.append_attribute("resolution") = config._resolution.fToString();
  return fSaveWellFormedXml(document, "\n", pugi::format_write_bom);
}

int fReadEngineConfig(const void* bytes, std::size_t size, QS_ENGINE_CONFIG& config) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(bytes, size, pugi::parse_default, pugi::encoding_auto);
  const pugi::xml_node root = document.document_element();
  if (!parsed || !root) return -1;

  readName(root, "game_name", config._gameName);
  readName(root, "company_name", config._companyName);
  if (const pugi::xml_attribute resolution = root.attribute("resolution")) {
    if (!parseResolution(resolution.value(), config._resolution)) {
      fLog("config.xml: resolution ignored: not two whole numbers from 320 to 16384");
    }
  }
  return 1;
}

}  // namespace QOR
