#include "game/flow/menu_objects.h"

#include "engine/platform/qc_input.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_sounds.h"
#include "gui/widgets/qc_image_button.h"
#include "gui/widgets/qc_image_checkbox.h"

namespace MENU_OBJECTS {

QOR::QS_POINT ScreenSize() {
  return QOR::qcGAME != nullptr ? QOR::qcGAME->fGetResolution() : QOR::QS_POINT(1024, 768);
}

QOR::QC_SPRITE* NewSprite(const char* image) { return new QOR::QC_SPRITE(QOR::QC_GAME::fSubscribeImage(image)); }

QOR::QC_IMAGE_BUTTON* NewButton(const char* image, int hitType, float width, float height) {
  return new QOR::QC_IMAGE_BUTTON(QOR::QC_GAME::fSubscribeImage(image), nullptr, hitType, width, height);
}

QOR::QC_IMAGE_CHECKBOX* NewCheckbox(const char* image) {
  return new QOR::QC_IMAGE_CHECKBOX(QOR::QC_GAME::fSubscribeImage(image));
}

void GiveBack(QOR::QC_TEXTURE_INFO* texture) {
  if (texture == nullptr) return;
  if (QOR::qcRENDER != nullptr && texture == QOR::qcRENDER->fGetDefaultTexture()) return;
  QOR::QC_GAME::fUnscribeImage(texture);
}

void GiveBackDocument(const pugi::xml_document* document) {
  if (document == nullptr || QOR::qcRESOURCE_LOADER == nullptr ||
      document == QOR::QC_RESOURCE_LOADER::fGetEmptyDocument()) {
    return;
  }
  // The loader counts a document's subscriptions by its data, as it does an image's.
  QOR::qcRESOURCE_LOADER->fUnscribeImage(document);
}

void DeleteSprite(QOR::QC_SPRITE*& sprite) {
  if (sprite == nullptr) return;
  QOR::QC_TEXTURE_INFO* texture = sprite->fGetTexture();
  delete sprite;
  sprite = nullptr;
  GiveBack(texture);
}

void DeleteButton(QOR::QC_IMAGE_BUTTON*& button) {
  if (button == nullptr) return;
  QOR::QC_TEXTURE_INFO* texture = button->fGetImage()->fGetTexture();
  delete button;
  button = nullptr;
  GiveBack(texture);
}

void DeleteCheckbox(QOR::QC_IMAGE_CHECKBOX*& box) {
  if (box == nullptr) return;
  QOR::QC_TEXTURE_INFO* texture = box->fGetImage()->fGetTexture();
  delete box;
  box = nullptr;
  GiveBack(texture);
}

bool isClicked(QOR::QC_IMAGE_BUTTON* button) {
  return button != nullptr && button->fUpdate() == QOR::QC_IMAGE_BUTTON::kClicked;
}

void PlaySound(const char* effect) {
  if (gameSounds != nullptr) gameSounds->Play(effect);
}

void AddY(QOR::QC_SPRITE* sprite, float dy) {
  if (sprite == nullptr) return;
  const QOR::QS_VEC2 at = sprite->fGetPosition();
  sprite->fSetPositionXY(at.x, at.y + dy);
}

void AddY(QOR::QC_IMAGE_BUTTON* button, float dy) {
  if (button == nullptr) return;
  const QOR::QS_VEC2 at = button->fGetPosition();
  button->fSetPosition(at.x, at.y + dy);
}

void AddY(QOR::QC_IMAGE_CHECKBOX* box, float dy) {
  if (box == nullptr) return;
  const QOR::QS_VEC2 at = box->fGetPosition();
  box->fSetPosition(at.x, at.y + dy);
}

bool isKeyReleased(int key) { return QOR::qcCurrentInput != nullptr && QOR::qcCurrentInput->isReleased(key); }

}  // namespace MENU_OBJECTS
