#include "tools/data/levels/level_file.h"

#include <pugixml.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace QOR {

namespace {

// atof / atoi as the game reads numbers: the leading number of the text, 0 when there is none.
double leadingNumber(const char* text) {
  double value = 0.0;
  const char* end = text;
  while (*end != '\0') ++end;
  std::from_chars(text, end, value);
  return value;
}

int leadingInt(const char* text) {
  int value = 0;
  const char* end = text;
  while (*end != '\0') ++end;
  std::from_chars(text, end, value);
  return value;
}

}  // namespace

std::string fLevelFileName(int pack, int level) {
  return "pk" + std::to_string(pack) + "lv" + std::to_string(level) + ".xml";
}

int fTimeTaskSeconds(const std::string& text) {
  float value = 0.0f;
  std::from_chars(text.data(), text.data() + text.size(), value);
  if (!std::isfinite(value) || std::fabs(value) > 1.0e6f) return 0;
  const double whole = std::trunc(static_cast<double>(value));
  const double fraction = static_cast<double>(value) - whole;
  return static_cast<int>(whole * 60.0 + fraction * 100.0);
}

std::string fTimeTaskText(int seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d", seconds / 60, seconds % 60);
  if (fTimeTaskSeconds(text) == seconds) return text;
  std::snprintf(text, sizeof text, "%d.%02d5", seconds / 60, seconds % 60);
  return text;
}

std::string fWriteLevel(const QS_LEVEL& level) {
  pugi::xml_document document;
  pugi::xml_node tiles = document.append_child("tiles");
  tiles.append_attribute("specsTotal").set_value(level.specsTotal);
  for (const QS_GRID_TILE& tile : level.tiles) {
    pugi::xml_node node = tiles.append_child("tile");
    node.append_attribute("posx").set_value(tile.x);
    node.append_attribute("posy").set_value(tile.y);
    node.append_attribute("level").set_value(tile.layer);
    if (tile.bonus) node.append_attribute("isbonus").set_value("true");
    if (tile.special) node.append_attribute("isspecial").set_value("true");
  }
  pugi::xml_node suits = document.append_child("suits");
  for (int s = 0; s < SUIT_COUNT; ++s)
    if (level.suits[s]) suits.append_attribute(kSuitNames[s]).set_value("true");
  for (int t = 0; t < 2; ++t) {
    const QS_LEVEL_TASK& task = level.tasks[t];
    if (task.type == TASK_NONE) continue;
    pugi::xml_node node = document.append_child(t == 0 ? "extratask1" : "extratask2");
    if (task.type == TASK_TIME) {
      node.append_attribute("val").set_value(fTimeTaskText(task.value).c_str());
      node.append_attribute("type").set_value("time");
    } else {
      node.append_attribute("val").set_value(task.value);
      node.append_attribute("type").set_value(task.type == TASK_MOVES ? "moves" : "money");
    }
  }
  std::ostringstream out;
  document.save(out, "\t", pugi::format_indent, pugi::encoding_utf8);
  return out.str();
}

bool fReadLevel(const std::string& text, QS_LEVEL& level, std::string& error) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
  if (!parsed) {
    error = std::string("not an XML document: ") + parsed.description();
    return false;
  }
  level = QS_LEVEL{};
  const pugi::xml_node tiles = document.child("tiles");
  for (pugi::xml_node node = tiles.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element) continue;
    const double x = leadingNumber(node.attribute("posx").value());
    const double y = leadingNumber(node.attribute("posy").value());
    if (x != std::trunc(x) || y != std::trunc(y)) {
      error = "a tile position is not a whole grid number";
      return false;
    }
    QS_GRID_TILE tile;
    tile.x = static_cast<int>(x);
    tile.y = static_cast<int>(y);
    tile.layer = leadingInt(node.attribute("level").value());
    tile.bonus = !node.attribute("isbonus").empty();
    tile.special = !node.attribute("isspecial").empty();
    if (!node.attribute("fixed").empty()) {
      error = "a tile is fixed";
      return false;
    }
    level.tiles.push_back(tile);
  }
  const pugi::xml_node suits = document.child("suits");
  for (int s = 0; s < SUIT_COUNT; ++s) level.suits[s] = !suits || !suits.attribute(kSuitNames[s]).empty();
  if (tiles) level.specsTotal = leadingInt(tiles.attribute("specsTotal").value());
  for (int t = 0; t < 2; ++t) {
    const pugi::xml_node node = document.child(t == 0 ? "extratask1" : "extratask2");
    if (!node) continue;
    const std::string type = node.attribute("type").value();
    const std::string value = node.attribute("val").value();
    float number = 0.0f;
    std::from_chars(value.data(), value.data() + value.size(), number);
    const bool sane = std::isfinite(number) && std::fabs(number) < 1.0e9f;
    if (type == "money") level.tasks[t] = {TASK_MONEY, sane ? static_cast<int>(number) : 0};
    if (type == "moves") level.tasks[t] = {TASK_MOVES, sane ? static_cast<int>(number) : 0};
    if (type == "time") level.tasks[t] = {TASK_TIME, fTimeTaskSeconds(value)};
  }
  return true;
}

}  // namespace QOR
