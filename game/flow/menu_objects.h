// Small pieces the menu screens and overlays share: pictures subscribed by name and given back
// when their sprite or button goes, clicks, keys and sounds, the golden text colour, the panel
// slide distance and vertical moves of whole groups.
#pragma once

#include "engine/math/qs_point.h"
#include "game/board/play_kit.h"

#include <cstdint>

namespace pugi {
class xml_document;
}

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_IMAGE_CHECKBOX;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

namespace MENU_OBJECTS {

// The game resolution (1024 x 768 without a game service).
QOR::QS_POINT ScreenSize();
// A sprite of the subscribed picture (the renderer's stand-in when it is missing).
QOR::QC_SPRITE* NewSprite(const char* image);
// A button on the subscribed five-cell strip: hit type 1 circle, 2 rectangle; 0 sizes take a cell.
QOR::QC_IMAGE_BUTTON* NewButton(const char* image, int hitType, float width = 0.0f, float height = 0.0f);
QOR::QC_IMAGE_CHECKBOX* NewCheckbox(const char* image);
// Gives one subscription back; the renderer's stand-in texture never counted one.
void GiveBack(QOR::QC_TEXTURE_INFO* texture);
// Gives back the subscription a document load took (QC_GAME::fLoadXml); the shared empty
// document that stands for a missing one never counted one.
void GiveBackDocument(const pugi::xml_document* document);
// Delete the object, give its picture back and null the pointer.
void DeleteSprite(QOR::QC_SPRITE*& sprite);
void DeleteButton(QOR::QC_IMAGE_BUTTON*& button);
void DeleteCheckbox(QOR::QC_IMAGE_CHECKBOX*& box);
// A click, a key released this tick, an effect played: the board's helpers.
using PLAY_KIT::isClicked;
using PLAY_KIT::isKeyReleased;
using PLAY_KIT::PlaySound;
// The constants' golden colour (ARGB), the screens' text colour.
std::uint32_t GoldenColor();
// The panel slide distance (-300): what a screen adds to a panel's y (the left panel's x) to get
// the place it slides to or from.
float PanelSlide();
// The page switch of the levels and the trophies screens: the page text's x right of the screen's
// centre, the arrow's distance beside the text, and the y of both above the screen's bottom.
inline constexpr int kPageTextX = 65;
inline constexpr int kArrowGap = 30;
inline constexpr int kArrowRise = 37;
// The page arrow's x beside a page text of that width: right of it on page 1 (towards page 2),
// left of it on page 2.
float PageArrowX(int screenWidth, int textWidth, int page);
// Add dy to the y of the object (nothing for null).
void AddY(QOR::QC_SPRITE* sprite, float dy);
void AddY(QOR::QC_IMAGE_BUTTON* button, float dy);
void AddY(QOR::QC_IMAGE_CHECKBOX* box, float dy);

}  // namespace MENU_OBJECTS
