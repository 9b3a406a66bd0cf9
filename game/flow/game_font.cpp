#include "game/flow/game_font.h"

#include "engine/render/qc_font.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_log.h"
#include "game/flow/menu_objects.h"

#include <pugixml.hpp>

QOR::QC_FONT* LoadGameFont(const std::string& description, const std::string& pageImage, QOR::QC_TEXTURE_INFO** page) {
  if (page != nullptr) *page = nullptr;
  // A string table without the font's keys answers "not found": nothing to look up then.
  if (description == "not found" || pageImage == "not found") {
    QOR::fLog("Font not loaded: strings.xml names no font");
    return nullptr;
  }
  const pugi::xml_document* document = QOR::QC_GAME::fLoadXml(description);
  const pugi::xml_node font = document != nullptr ? document->child("font") : pugi::xml_node();
  if (!font) {
    QOR::fLog("Font " + description + " not loaded: no font element");
    MENU_OBJECTS::GiveBackDocument(document);
    return nullptr;
  }
  QOR::QC_TEXTURE_INFO* image = QOR::QC_GAME::fSubscribeImage(pageImage);
  if (page != nullptr) *page = image;
  auto* made = new QOR::QC_FONT(font, image, 600);
  // The font keeps its own copy of every glyph: the description is given back at once.
  MENU_OBJECTS::GiveBackDocument(document);
  return made;
}
