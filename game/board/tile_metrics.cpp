#include "game/board/tile_metrics.h"

#include "engine/service/qc_log.h"
#include "game/board/xml_numbers.h"

#include <pugixml.hpp>

#include <algorithm>

TILE_METRICS tileMetrics;

namespace {

// Metrics are pixels and tile counts: bounded so that every product with a layer or a grid
// position stays far inside the int range.
constexpr int kMetricLimit = 10000;

int AttributeInt(const pugi::xml_node& node, const char* name) {
  return std::clamp(MAHJONG_XML::AttributeInt(node, name), -kMetricLimit, kMetricLimit);
}

}  // namespace

std::string TILE_METRICS::Read(const pugi::xml_node& document, const std::string& setName) {
  const pugi::xml_node tiles = document.child("tiles");
  layer_offsetX = AttributeInt(tiles, "layer_offsetX");
  layer_offsetY = AttributeInt(tiles, "layer_offsetY");
  shadow_offsetX = AttributeInt(tiles, "shadow_offsetX");
  shadow_offsetY = AttributeInt(tiles, "shadow_offsetY");
  sizeX = AttributeInt(tiles, "sizeX");
  sizeY = AttributeInt(tiles, "sizeY");
  const pugi::xml_node layout = document.child("layout");
  rows = AttributeInt(layout, "rows");
  columns = AttributeInt(layout, "columns");
  const auto pictureOf = [&tiles](const std::string& name) -> pugi::xml_attribute {
    for (const pugi::xml_node& set : tiles.children("set")) {
      if (name == set.attribute("name").value()) return set.attribute("pic");
    }
    return pugi::xml_attribute();
  };
  if (const pugi::xml_attribute picture = pictureOf(setName)) return picture.value();
  // A profile may name a set this tiles.xml does not list (edited by hand, or from another
  // version): the default set keeps the levels playable.
  const pugi::xml_attribute fallback = setName != kDefaultSet ? pictureOf(kDefaultSet) : pugi::xml_attribute();
  if (!fallback) return std::string();
  QOR::fLog() << "tile set " << setName << " is not in tiles.xml, the default set " << kDefaultSet << " is used";
  return fallback.value();
}
