// The level file: an XML document with up to four top-level elements side by side: `tiles` (one
// child per tile), `suits`, `extratask1` and `extratask2`. Attribute presence, not value, sets the
// tile flags and the suits.
#include "engine/math/float_to_int.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"
#include "game/board/tile_metrics.h"
#include "game/board/xml_numbers.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

using MAHJONG_XML::AttributeDouble;
using MAHJONG_XML::AttributeInt;
using MAHJONG_XML::HasAttribute;

// One task element: its type code and value (nothing when the type text is none of the three).
void ReadTask(const pugi::xml_node& node, std::int32_t& type, std::int32_t& value) {
  if (!node) return;
  const char* text = node.attribute("val").value();
  const auto number = static_cast<float>(MAHJONG_XML::ToDouble(text));
  const char* kind = node.attribute("type").value();
  if (std::strcmp(kind, "money") == 0) {
    type = kTaskMoney;
    value = QOR::fTruncateToInt(number);
  } else if (std::strcmp(kind, "moves") == 0) {
    type = kTaskMoves;
    value = QOR::fTruncateToInt(number);
  } else if (std::strcmp(kind, "time") == 0) {
    type = kTaskTime;
    value = MAHJONG_BOARD::TimeTaskSeconds(text);
  }
}

// A grid coordinate as the file gives it, bounded.
double Grid(const pugi::xml_node& tile, const char* name) {
  return std::clamp(AttributeDouble(tile, name), -MAHJONG_BOARD::kMaxGrid, MAHJONG_BOARD::kMaxGrid);
}

// "%g", as the writer has always written grid positions.
void SetNumber(pugi::xml_attribute attribute, double value) {
  char text[64];
  std::snprintf(text, sizeof(text), "%g", value);
  attribute.set_value(text);
}

const char* TaskTypeName(std::int32_t type) {
  switch (type) {
    case kTaskMoney:
      return "money";
    case kTaskTime:
      return "time";
    case kTaskMoves:
      return "moves";
    default:
      return "";
  }
}

}  // namespace

int MAHJONG_BOARD::TimeTaskSeconds(const char* text) {
  const auto value = static_cast<float>(MAHJONG_XML::ToDouble(text));
  // Minutes and seconds, M.SS, on the 32-bit value: "2.3" is 2.29999995 and gives 149 seconds.
  const double whole = std::trunc(static_cast<double>(value));
  const double fraction = static_cast<double>(value) - whole;
  return QOR::fTruncateToInt(whole * 60.0 + fraction * 100.0);
}

std::string MAHJONG_BOARD::TimeTaskText(int seconds) {
  char text[48];
  const int minutes = seconds / 60;
  const int rest = std::abs(seconds % 60);
  std::snprintf(text, sizeof(text), "%s%d.%02d", seconds < 0 && minutes == 0 ? "-" : "", minutes, rest);
  if (TimeTaskSeconds(text) == seconds) return text;
  // Where the float falls just below the intended seconds, half a second more reads back right.
  std::snprintf(text, sizeof(text), "%s%d.%02d5", seconds < 0 && minutes == 0 ? "-" : "", minutes, rest);
  return text;
}

void MAHJONG_BOARD::ReadLevel(const pugi::xml_node& document, const std::string& name) {
  DeleteAllChips();
  ResetLevelFields();
  m_pack = PackFromName(name);
  const pugi::xml_node tiles = document.child("tiles");
  if (document.first_child()) {
    const float halfX = static_cast<float>(tileMetrics.sizeX / 2);
    const float halfY = static_cast<float>(tileMetrics.sizeY / 2);
    for (const pugi::xml_node& tile : tiles.children()) {
      if (tile.type() != pugi::node_element) continue;
      const bool bonus = HasAttribute(tile, "isbonus");
      const bool special = HasAttribute(tile, "isspecial");
      const double y = Grid(tile, "posy");
      const double x = Grid(tile, "posx");
      const std::int32_t layer = std::clamp(AttributeInt(tile, "level"), 0, kMaxLayer);
      const QOR::QS_VEC2 position(m_origin.x + static_cast<float>(x) * halfX,
                                  m_origin.y + static_cast<float>(y) * halfY);
      auto* chip = new MAHJONG_CHIP(m_faceSprite, position, layer, bonus, special);
      chip->m_type = AttributeInt(tile, "type");
      chip->m_fixed = HasAttribute(tile, "fixed");
      AddChip(chip);
      m_topLayer = std::max(m_topLayer, layer);
    }
    m_dropTopLayer = m_topLayer;
    SortChips(1, true);
    UpdateAllFree();
  }
  const pugi::xml_node suits = document.child("suits");
  if (suits) {
    ClearSuits();
    for (const MAHJONG_FACES::SUIT_INFO& suit : MAHJONG_FACES::kSuits) {
      if (!HasAttribute(suits, suit.name)) continue;
      m_suits[suit.flag] = 1;
      m_suitCapacity += suit.capacity;
    }
  }
  // A count below 0 means none asked for: every candidate, as 0 does.
  if (tiles) m_specsTotal = std::max(0, AttributeInt(tiles, "specsTotal"));
  ReadTask(document.child("extratask1"), m_task1Type, m_task1Value);
  ReadTask(document.child("extratask2"), m_task2Type, m_task2Value);
  QOR::fLog() << "LOADED FROM " << name << " total chips == " << m_chips.size();
}

LEVEL_FILE_SETTINGS MAHJONG_BOARD::CurrentLevelSettings() const {
  LEVEL_FILE_SETTINGS settings;
  settings.targetMoves = m_targetMoves;
  settings.specsTotal = std::to_string(m_specsTotal);
  for (int i = 0; i < MAHJONG_FACES::kSuitCount; ++i) settings.suits[i] = m_suits[MAHJONG_FACES::kSuits[i].flag] != 0;
  const std::int32_t types[2] = {m_task1Type, m_task2Type};
  const std::int32_t values[2] = {m_task1Value, m_task2Value};
  for (int t = 0; t < 2; ++t) {
    if (types[t] == kTaskNone) continue;
    settings.tasks[t].type = TaskTypeName(types[t]);
    settings.tasks[t].value = types[t] == kTaskTime ? TimeTaskText(values[t]) : std::to_string(values[t]);
  }
  return settings;
}

void MAHJONG_BOARD::WriteLevel(pugi::xml_document& document, const LEVEL_FILE_SETTINGS& settings) const {
  document.reset();
  pugi::xml_node tiles = document.append_child("tiles");
  tiles.append_attribute("targetmoves").set_value(settings.targetMoves);
  if (!settings.specsTotal.empty()) {
    tiles.append_attribute("specsTotal").set_value(MAHJONG_XML::ToInt(settings.specsTotal.c_str()));
  }
  if (!settings.background.empty()) {
    tiles.append_attribute("background").set_value(("data/surfaces/" + settings.background + ".png").c_str());
  }
  pugi::xml_node suits = document.append_child("suits");
  for (int i = 0; i < MAHJONG_FACES::kSuitCount; ++i) {
    if (settings.suits[i]) suits.append_attribute(MAHJONG_FACES::kSuits[i].name).set_value("true");
  }
  const int halfX = tileMetrics.sizeX / 2;
  const int halfY = tileMetrics.sizeY / 2;
  for (const MAHJONG_CHIP* chip : m_chips) {
    pugi::xml_node tile = tiles.append_child("tile");
    const QOR::QS_VEC2& cell = chip->GetCell();
    SetNumber(tile.append_attribute("posx"), halfX != 0 ? (static_cast<double>(cell.x) - m_origin.x) / halfX : 0.0);
    SetNumber(tile.append_attribute("posy"), halfY != 0 ? (static_cast<double>(cell.y) - m_origin.y) / halfY : 0.0);
    tile.append_attribute("level").set_value(chip->m_layer);
    if (chip->m_fixed) tile.append_attribute("fixed").set_value("true");
    tile.append_attribute("type").set_value(chip->m_type);
    if (chip->m_isBonus) tile.append_attribute("isbonus").set_value("true");
    if (chip->m_isSpecial) tile.append_attribute("isspecial").set_value("true");
  }
  for (int t = 0; t < 2; ++t) {
    if (settings.tasks[t].value.empty()) continue;
    pugi::xml_node task = document.append_child(t == 0 ? "extratask1" : "extratask2");
    task.append_attribute("val").set_value(settings.tasks[t].value.c_str());
    task.append_attribute("type").set_value(settings.tasks[t].type.c_str());
  }
}
