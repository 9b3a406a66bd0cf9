#include "tools/data/xml/xml_step.h"

#include "tools/data/file_bytes.h"
#include "tools/data/resource_layout.h"

#include <pugixml.hpp>

#include <cstdio>
#include <set>
#include <sstream>

namespace QOR {

namespace {

std::string saved(const pugi::xml_document& document) {
  std::ostringstream out;
  document.save(out, "\t", pugi::format_indent, pugi::encoding_utf8);
  return out.str();
}

}  // namespace

bool fMakeStringsSheet(const std::string& textsXml, std::string& sheet, std::string& error) {
  pugi::xml_document source;
  const pugi::xml_parse_result parsed = source.load_buffer(textsXml.data(), textsXml.size());
  if (!parsed) {
    error = std::string("texts.xml: ") + parsed.description();
    return false;
  }
  pugi::xml_document document;
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version").set_value("1.0");
  declaration.append_attribute("encoding").set_value("UTF-8");
  pugi::xml_node book = document.append_child("Workbook");
  book.append_attribute("xmlns").set_value("urn:schemas-microsoft-com:office:spreadsheet");
  book.append_attribute("xmlns:ss").set_value("urn:schemas-microsoft-com:office:spreadsheet");
  pugi::xml_node sheetNode = book.append_child("Worksheet");
  sheetNode.append_attribute("ss:Name").set_value("strings");
  pugi::xml_node table = sheetNode.append_child("Table");
  std::set<std::string> keys;
  for (pugi::xml_node text : source.child("texts").children("text")) {
    const std::string key = text.attribute("key").value();
    if (key.empty() || !keys.insert(key).second) {
      error = "texts.xml: empty or repeated key \"" + key + "\"";
      return false;
    }
    pugi::xml_node row = table.append_child("Row");
    for (const char* value : {key.c_str(), text.child_value()}) {
      pugi::xml_node data = row.append_child("Cell").append_child("Data");
      data.append_attribute("ss:Type").set_value("String");
      data.append_child(pugi::node_pcdata).set_value(value);
    }
  }
  if (keys.empty()) {
    error = "texts.xml holds no text";
    return false;
  }
  sheet = saved(document);
  return true;
}

std::string fMakeTilesXml() {
  pugi::xml_document document;
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version").set_value("1.0");
  declaration.append_attribute("encoding").set_value("UTF-8");
  pugi::xml_node tiles = document.append_child("tiles");
  tiles.append_attribute("layer_offsetX").set_value(kLayerOffsetX);
  tiles.append_attribute("layer_offsetY").set_value(kLayerOffsetY);
  tiles.append_attribute("shadow_offsetX").set_value(kShadowOffsetX);
  tiles.append_attribute("shadow_offsetY").set_value(kShadowOffsetY);
  tiles.append_attribute("sizeX").set_value(kTileSizeX);
  tiles.append_attribute("sizeY").set_value(kTileSizeY);
  for (int set = 0; set < 3; ++set) {
    pugi::xml_node node = tiles.append_child("set");
    node.append_attribute("name").set_value(set + 1);
    node.append_attribute("pic").set_value(kTileSetPictures[set]);
  }
  pugi::xml_node layout = document.append_child("layout");
  layout.append_attribute("rows").set_value(kBoardRows);
  layout.append_attribute("columns").set_value(kBoardColumns);
  return saved(document);
}

int fMakeXml(const std::filesystem::path& sourceDir, const std::filesystem::path& stagingDir) {
  int failures = 0;
  const auto fail = [&](const std::string& message) {
    std::fprintf(stderr, "xml: %s\n", message.c_str());
    ++failures;
  };
  for (const char* name : kCopiedXml) {
    std::string text;
    if (!fReadFileText(sourceDir / name, text)) {
      fail(std::string("cannot read ") + (sourceDir / name).string());
      continue;
    }
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed || !document.first_child()) {
      fail(std::string(name) + ": " + parsed.description() + " at offset " + std::to_string(parsed.offset));
      continue;
    }
    if (!fWriteFileBytes(stagingDir / name, text)) fail(std::string("cannot write ") + name);
  }
  std::string texts;
  std::string sheet;
  std::string error;
  if (!fReadFileText(sourceDir / "texts.xml", texts)) fail("cannot read texts.xml");
  else if (!fMakeStringsSheet(texts, sheet, error)) fail(error);
  else if (!fWriteFileBytes(stagingDir / "strings.xml", sheet)) fail("cannot write strings.xml");
  if (!fWriteFileBytes(stagingDir / "tiles.xml", fMakeTilesXml())) fail("cannot write tiles.xml");
  return failures == 0 ? 0 : 1;
}

}  // namespace QOR
