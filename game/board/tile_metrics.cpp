#include "game/board/tile_metrics.h"

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
  for (const pugi::xml_node& set : tiles.children("set")) {
    if (setName == set.attribute("name").value()) return set.attribute("pic").value();
  }
  return std::string();
}
