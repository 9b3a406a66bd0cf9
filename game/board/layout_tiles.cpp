// The tile set (tiles.xml: metrics and the set's atlas, cut into the board's sprites) and the
// board's keys of fx_params.xml.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_color.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_log.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/tile_faces.h"
#include "game/board/tile_metrics.h"
#include "game/board/xml_numbers.h"

#include <pugixml.hpp>

namespace {

constexpr char kEditorBlocked[] = "data/editor/ empty-chip.png";
constexpr char kEditorFree[] = "data/editor/ free-chip.png";

// A sprite of the whole image at the given size, anchored at its centre (kept when given).
QOR::QC_SPRITE* SizedSprite(QOR::QC_SPRITE* sprite, QOR::QC_TEXTURE_INFO* image, int width, int height) {
  if (sprite == nullptr) {
    sprite = new QOR::QC_SPRITE(image);
  } else {
    sprite->fSetImage(image);
  }
  sprite->fSetSize(width, height);
  sprite->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  return sprite;
}

float Value(const pugi::xml_node& effects, const char* element, const char* attribute = "val") {
  return MAHJONG_XML::AttributeFloat(effects.child(element), attribute);
}

}  // namespace

QOR::QC_SPRITE* MAHJONG_LAYOUT::CutAtlasSprite(QOR::QC_SPRITE* sprite, QOR::QC_TEXTURE_INFO* image, int frame,
                                               int width, int height) {
  // A new texture resets the quad's colour: a reused sprite keeps the one it had.
  const std::uint32_t color = sprite != nullptr ? sprite->fGetVertexColor(0) : 0xFFFFFFFFu;
  sprite = SizedSprite(sprite, image, width, height);
  sprite->fSetFrame(MAHJONG_FACES::kAtlasColumns, MAHJONG_FACES::kAtlasRows, frame);
  sprite->fSetColor(color);
  return sprite;
}

QOR::QC_TEXTURE_INFO* MAHJONG_LAYOUT::LoadTilesXml(const std::string& tileSet) {
  const std::string picture = tileMetrics.Read(*QOR::QC_GAME::fLoadXml("tiles.xml"), tileSet);
  SetTileMetrics(tileMetrics);
  QOR::QC_TEXTURE_INFO* image = nullptr;
  if (picture.empty()) {
    QOR::fLog() << "no tile set named " << tileSet;
  } else {
    image = QOR::QC_GAME::fSubscribeImage(picture);
  }
  const int cellWidth = 2 * tileMetrics.layer_offsetX + tileMetrics.sizeX;
  const int cellHeight = 2 * tileMetrics.layer_offsetY + tileMetrics.sizeY;
  m_normalBack = CutAtlasSprite(m_normalBack, image, MAHJONG_FACES::kNormalBackFrame, cellWidth, cellHeight);
  m_bonusBack = CutAtlasSprite(m_bonusBack, image, MAHJONG_FACES::kBonusBackFrame, cellWidth, cellHeight);
  m_specialBack = CutAtlasSprite(m_specialBack, image, MAHJONG_FACES::kSpecialBackFrame, cellWidth, cellHeight);
  m_shadowSprite = CutAtlasSprite(m_shadowSprite, image, MAHJONG_FACES::kShadowFrame, cellWidth, cellHeight);
  if (m_blockedOverlay != nullptr) {
    m_blockedOverlay =
        CutAtlasSprite(m_blockedOverlay, image, MAHJONG_FACES::kShadowFrame, cellWidth + 2, tileMetrics.sizeY + 10);
  }

  // The editor's markers do not depend on the set: made once, resized to the tile.
  if (m_editorBlockedImage == nullptr) m_editorBlockedImage = QOR::QC_GAME::fSubscribeImage(kEditorBlocked);
  if (m_editorFreeImage == nullptr) m_editorFreeImage = QOR::QC_GAME::fSubscribeImage(kEditorFree);
  m_editorBlockedSprite =
      SizedSprite(m_editorBlockedSprite, m_editorBlockedImage, tileMetrics.sizeX, tileMetrics.sizeY);
  m_editorFreeSprite = SizedSprite(m_editorFreeSprite, m_editorFreeImage, tileMetrics.sizeX, tileMetrics.sizeY);

  // Every chip shares the face atlas sprite, so swapping its texture shows the new faces at once.
  const int imageWidth = image != nullptr ? image->fGetWidth() : 0;
  const int imageHeight = image != nullptr ? image->fGetHeight() : 0;
  m_faceSprite = SizedSprite(m_faceSprite, image, imageWidth / MAHJONG_FACES::kAtlasColumns,
                             imageHeight / MAHJONG_FACES::kAtlasRows);

  // The previous set's picture is no longer drawn by anything.
  if (m_atlasImage != nullptr) QOR::QC_GAME::fUnscribeImage(m_atlasImage);
  m_atlasImage = image;
  return image;
}

void MAHJONG_LAYOUT::LoadFxParams() {
  const pugi::xml_node effects = QOR::QC_GAME::fLoadXml("fx_params.xml")->child("effects");
  const pugi::xml_node special = effects.child("showspecial");
  m_hideSpeed = MAHJONG_XML::AttributeFloat(special, "hide_speed");
  m_hideLayerDelay = MAHJONG_XML::AttributeFloat(special, "hide_layer_delay");
  m_showSpeed = MAHJONG_XML::AttributeFloat(special, "show_speed");
  m_showDelay = MAHJONG_XML::AttributeFloat(special, "show_delay");
  m_showLevelSpeedUp = Value(effects, "show_level_speed_up");
  m_hoverAlpha = MAHJONG_XML::AttributeInt(effects.child("alpha_additive"), "transparency");
  m_showLayersDelay = Value(effects, "show_layers_delay");
  m_highlighTileDuration = Value(effects, "highligh_tile_duration");
  m_darkenTilesDuration = Value(effects, "darken_tiles_duration");
  m_borderAlphaDuration = Value(effects, "border_alpha_duration");
  m_removeCurve.duration = Value(effects, "remove_chip_bezier_durration");
  m_removeCurve.end = QOR::QS_VEC2(Value(effects, "remove_chip_bezier_end", "val_x"),
                                   Value(effects, "remove_chip_bezier_end", "val_y"));
  m_removeCurve.mid = QOR::QS_VEC2(Value(effects, "remove_chip_bezier_mid", "val_x"),
                                   Value(effects, "remove_chip_bezier_mid", "val_y"));
  m_ptsDelayTime = Value(effects, "pts_delay_time");
  m_ptsFadeTime = Value(effects, "pts_fade_time");
  m_ptsHeight = QOR::fTruncateToInt(Value(effects, "pts_height"));
  if (m_panel == nullptr) return;
  m_panel->flashColor = QOR::QC_COLOR32(0xFF00FF00u);
  m_panel->multFlash.fadeTime = Value(effects, "fade_time");
  m_panel->multFlash.holdTime = Value(effects, "delay_time");
  m_panel->multFlash.cycles = QOR::fTruncateToInt(Value(effects, "cicles_count"));
  m_panel->bonusFlash.growth = Value(effects, "incr_to_scale");
  m_panel->bonusFlash.growTime = Value(effects, "scale_dur");
  m_panel->bonusFlash.fadeTime = Value(effects, "fade_durr");
  m_panel->bonusFlash.pause = Value(effects, "flash_delay");
  m_panel->bonusFlash.cycles = MAHJONG_XML::AttributeInt(effects.child("flash_count"), "val");
}
