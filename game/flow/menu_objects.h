// Small pieces the menu screens and overlays share: pictures subscribed by name and given back
// when their sprite or button goes, clicks, sounds and vertical moves of whole groups.
#pragma once

#include "engine/math/qs_point.h"

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
// True when the button exists and its update reports a click.
bool isClicked(QOR::QC_IMAGE_BUTTON* button);
// Plays an effect of the game's list (nothing without one).
void PlaySound(const char* effect);
// Add dy to the y of the object (nothing for null).
void AddY(QOR::QC_SPRITE* sprite, float dy);
void AddY(QOR::QC_IMAGE_BUTTON* button, float dy);
void AddY(QOR::QC_IMAGE_CHECKBOX* box, float dy);
// Key released this tick (the game acts on releases).
bool isKeyReleased(int key);

}  // namespace MENU_OBJECTS
