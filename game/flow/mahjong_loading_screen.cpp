#include "game/flow/mahjong_loading_screen.h"

#include "engine/loc/qc_locman.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_consts.h"
#include "game/flow/game_font.h"
#include "game/flow/menu_objects.h"

namespace {

QOR::QS_POINT screenCentre() {
  const QOR::QS_POINT size = QOR::qcGAME != nullptr ? QOR::qcGAME->fGetResolution() : QOR::QS_POINT(1024, 768);
  return QOR::QS_POINT(size.x / 2, size.y / 2);
}

}  // namespace

QOR::QC_SPRITE* MAHJONG_LOADING_SCREEN::LoadSplash(const char* fileName) {
  auto* sprite = new QOR::QC_SPRITE(fileName);
  // The renderer answers a file it cannot load with its default texture: no splash then.
  QOR::QC_TEXTURE_INFO* texture = sprite->fGetTexture();
  if (texture == nullptr || QOR::qcRENDER == nullptr || texture == QOR::qcRENDER->fGetDefaultTexture()) {
    delete sprite;
    return nullptr;
  }
  const QOR::QS_POINT centre = screenCentre();
  sprite->fSetPosition(static_cast<float>(centre.x), static_cast<float>(centre.y), 0.0f);
  return sprite;
}

MAHJONG_LOADING_SCREEN::MAHJONG_LOADING_SCREEN(QOR::QC_LOCMAN* strings) {
  splash1 = LoadSplash("spl1.jpg");
  splash2 = LoadSplash("spl2.jpg");
  const QOR::QS_POINT centre = screenCentre();
  _titleImage = QOR::QC_GAME::fSubscribeImage("title_screen.jpg");
  title = new QOR::QC_SPRITE(_titleImage);
  title->fSetPosition(static_cast<float>(centre.x), static_cast<float>(centre.y), 0.0f);
  if (strings != nullptr) {
    progressFont = LoadGameFont(strings->fGetValue("bold_font_fnt"), strings->fGetValue("bold_font_stroke_png"),
                                &_fontPage);
  }
  if (progressFont != nullptr) {
    progressFont->fSetColor(MENU_OBJECTS::GoldenColor());
    progressFont->_spacing = -3;
    progressFont->fSetAlign(0);
  }
}

MAHJONG_LOADING_SCREEN::~MAHJONG_LOADING_SCREEN() {
  // The splashes were loaded by the renderer from their files, not through the loader, so the
  // renderer releases them.
  for (QOR::QC_SPRITE* splash : {splash1, splash2}) {
    if (splash != nullptr && QOR::qcRENDER != nullptr) QOR::qcRENDER->fReleaseTexture(splash->fGetTexture());
  }
  if (_titleImage != nullptr) QOR::QC_GAME::fUnscribeImage(_titleImage);
  if (_fontPage != nullptr) QOR::QC_GAME::fUnscribeImage(_fontPage);
  if (QOR::qcRESOURCE_LOADER != nullptr) QOR::qcRESOURCE_LOADER->fFreeUnused();
  delete splash1;
  delete splash2;
  delete title;
  delete progressFont;
}

int MAHJONG_LOADING_SCREEN::Update() {
  if (QOR::qcFrameTime > kMaxStep) QOR::qcFrameTime = kMaxStep;
  time += QOR::qcFrameTime;
  return 1;
}

void MAHJONG_LOADING_SCREEN::Render(int progress) {
  if (time > kFinishTime) {
    title->fRender();
    if (progressFont != nullptr) {
      const QOR::QS_POINT centre = screenCentre();
      progressFont->fPrint(centre.x + 95, centre.y + 95, "%i%%", progress);
    }
  } else if (time > kSplashTime) {
    if (splash2 != nullptr) splash2->fRender();
  } else if (time > 0.0f) {
    if (splash1 != nullptr) {
      splash1->fRender();
    } else if (splash2 != nullptr) {
      splash2->fRender();
    }
  }
}
