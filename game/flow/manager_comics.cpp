// The start comic and the final screen. The comic's first page assembles three pictures one after
// the other with a lettered caption carrying the player's name, its second page is one picture,
// and it ends on the packs screen. The final screen shows the closing picture with the player's
// name and leads back to the packs. Both fade through the black mask, their dark back, with the
// manager's one screen fader; nothing answers while it runs.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_render_target.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_player.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"

#include <cstdint>
#include <string>

using namespace MENU_OBJECTS;

namespace {

constexpr const char kNextImage[] = "nextbtn.png";
constexpr const char* kPictureImages[3] = {"Comic1.png", "Comic2.png", "Comic3.png"};
constexpr const char kFullPageImage[] = "Comic1-2.jpg";
constexpr const char kClickSound[] = "button_click.ogg";

// The caption is lettered once on a target of this size, whatever the screen's, and shown at half
// size, turned a little, over the second picture.
constexpr int kCaptionWidth = 1024;
constexpr int kCaptionHeight = 768;
constexpr float kCaptionScale = 0.5f;
constexpr float kCaptionAngle = -0.235f;
constexpr float kCaptionX = 787.0f;
constexpr float kCaptionY = 210.0f + 150.0f;  // plus half the bold font's line height
constexpr int kCaptionTextX = 512;
constexpr int kCaptionTextY = 15;
constexpr int kCaptionSpacing = 5;  // added to the bold font's letter spacing while lettering
constexpr float kCaptionGrow = 0.5f;  // added to the bold font's scale while lettering
constexpr int kAnisotropic = 3;

constexpr int kFinalNameX = 638;
constexpr int kFinalNameY = 356;
constexpr int kFinalTextY = 420;
constexpr std::uint32_t kFinalTextColor = 0xFFFF0000u;

std::uint32_t alphaOf(const QOR::QC_SPRITE* sprite) { return sprite != nullptr ? sprite->fGetVertexColor(0) >> 24 : 0u; }

bool hasText(const std::wstring& text) { return text.find_first_not_of(L' ') != std::wstring::npos; }

}  // namespace

void COMICS_PARTS::DeletePictures() {
  for (QOR::QC_SPRITE*& picture : pictures) DeleteSprite(picture);
}

void COMICS_PARTS::Free() {
  DeletePictures();
  DeleteButton(nextButton);
  delete caption;
  caption = nullptr;
  if (target != nullptr && QOR::qcRENDER != nullptr) QOR::qcRENDER->fReleaseTarget(target);
  target = nullptr;
  delete targetImage;
  targetImage = nullptr;
}

void MAHJONG_GAME_MANAGER::BuildComics() {
  const QOR::QS_POINT size = ScreenSize();
  const float width = static_cast<float>(size.x);
  const float height = static_cast<float>(size.y);

  if (comics.nextButton == nullptr) comics.nextButton = NewButton(kNextImage, QOR::QC_HIT_AREA::kRectangle);
  comics.nextButton->fSetPosition(width - 50.0f, height - 60.0f);
  comics.nextButton->fGetImage()->fSetTransparentWhite();

  comics.DeletePictures();
  const int anchors[3] = {QOR::QC_SPRITE::kAnchorTopLeft, QOR::QC_SPRITE::kAnchorTopRight,
                          QOR::QC_SPRITE::kAnchorBottomRight};
  const QOR::QS_VEC2 places[3] = {{1.0f, 1.0f}, {width, 1.0f}, {width + 1.0f, height - 1.0f}};
  for (int i = 0; i < 3; ++i) {
    comics.pictures[i] = NewSprite(kPictureImages[i]);
    comics.pictures[i]->fSetAnchor(anchors[i], 0.0f, 0.0f);
    comics.pictures[i]->fSetTransparentWhite();
    comics.pictures[i]->fSetPositionXY(places[i].x, places[i].y);
  }

  // The caption: one target for the whole process, lettered again for each build.
  delete comics.caption;
  comics.caption = nullptr;
  if (comics.target == nullptr && QOR::qcRENDER != nullptr) {
    comics.target = QOR::qcRENDER->fCreateTarget(kCaptionWidth, kCaptionHeight);
    if (comics.target != nullptr) {
      comics.targetImage = new QOR::QC_TEXTURE_INFO(comics.target->_texture, kCaptionWidth, kCaptionHeight);
    }
  }
  const std::wstring& caption = texts[TXT_START_COMICS];
  if (hasText(caption) && comics.target != nullptr && boldFont != nullptr &&
      QOR::qcRENDER->BeginTarget(comics.target) == 1) {
    const QOR::QC_SPRITE* page = boldFont->fGetPage();
    const float scale = page != nullptr && page->fGetTransform() != nullptr ? page->fGetTransform()->_scale.x : 1.0f;
    const int spacing = boldFont->_spacing;
    boldFont->_spacing = spacing + kCaptionSpacing;
    boldFont->fSetScale(scale + kCaptionGrow);
    boldFont->fSetAlign(QOR::QC_SPRITE::kAnchorTopCentre);
    boldFont->fSetColor(0xFF000000u);
    // The caption's text is the format; the player's name only ever an argument.
    const std::wstring name = player != nullptr ? player->m_name : std::wstring();
    boldFont->fPrintW(kCaptionTextX, kCaptionTextY, caption.c_str(), name);
    QOR::qcRENDER->EndTarget();
    boldFont->fSetScale(scale);
    boldFont->_spacing = spacing;
    boldFont->fSetAlign(0);
    boldFont->fSetColor(GoldenColor());

    // The target's texture may have been made again after a lost device.
    comics.targetImage->_texture = comics.target->_texture;
    comics.caption = new QOR::QC_SPRITE(comics.targetImage);
    comics.caption->fSetScale(kCaptionScale, kCaptionScale, kCaptionScale);
    comics.caption->fSetAnchor(QOR::QC_SPRITE::kAnchorTopCentre, 0.0f, static_cast<float>(kCaptionHeight / 2));
    comics.caption->fSetPositionXY(kCaptionX, static_cast<float>(boldFont->fGetLineHeight()) * 0.5f + kCaptionY);
    comics.caption->fSetAngle(kCaptionAngle);
    comics.caption->fSetFilter(kAnisotropic);
  }

  comics.page = 1;
  requestedScreen = COMICS_SCREEN;
  if (title.panel != nullptr) {
    const float y = title.panel->fGetPosition().y;
    sidePanelTween.Start(y, y - PanelSlide(), fadeInOutTime);
  }
  if (regularFont != nullptr) regularFont->fSetAlign(0);
}

void MAHJONG_GAME_MANAGER::UpdateStartComics() {
  if (screenFade.active || blackMask == nullptr) return;
  const float fadeIn = MAHJONG_CONSTS::GetInstance()->comics_fadein_speed;
  const bool clear = alphaOf(blackMask) == 0u;
  const bool dark = alphaOf(blackMask) == 255u;

  if (comics.page == 1) {
    if (clear) {
      // The pictures, then the button, appear one at a time.
      QOR::QC_SPRITE* pending[4] = {comics.pictures[0], comics.pictures[1], comics.pictures[2],
                                    comics.nextButton != nullptr ? comics.nextButton->fGetImage() : nullptr};
      for (QOR::QC_SPRITE* sprite : pending) {
        if (sprite != nullptr && alphaOf(sprite) == 0u) {
          screenFade.Start(sprite, fadeIn, true);
          return;
        }
      }
    }
    if (dark) comics.page = 2;
  }
  if (comics.page == 2 && dark) {
    // Page 2: picture 1 becomes the full page; pictures 2 and 3 are done with.
    DeleteSprite(comics.pictures[1]);
    DeleteSprite(comics.pictures[2]);
    if (comics.pictures[0] != nullptr) {
      QOR::QC_TEXTURE_INFO* old = comics.pictures[0]->fGetTexture();
      comics.pictures[0]->fSetImage(QOR::QC_GAME::fSubscribeImage(kFullPageImage));
      GiveBack(old);
      comics.pictures[0]->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
      const QOR::QS_POINT size = ScreenSize();
      comics.pictures[0]->fSetPositionXY(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2));
    }
    screenFade.Start(blackMask, fadeInOutTime, false);
    return;
  }
  if (comics.page == 3) {
    if (!dark) return;
    comics.DeletePictures();
    requestedScreen = PACKS_SCREEN;
    screenFade.Start(blackMask, fadeIn, false);
    if (player != nullptr) player->m_seenStartComics = true;
    SavePlayer();
    ChangeScreen();
    UpdateRank(1);
    return;
  }
  // Pages 1 and 2: the button answers once it has fully appeared.
  if (isClicked(comics.nextButton) && alphaOf(comics.nextButton->fGetImage()) == 255u) {
    PlaySound(kClickSound);
    if (comics.page == 2) comics.page = 3;
    screenFade.Start(blackMask, fadeIn, true);
  }
}

void MAHJONG_GAME_MANAGER::RenderStartComics() {
  if (comics.page == 1) {
    if (comics.pictures[0] != nullptr) comics.pictures[0]->fRender();
    if (comics.pictures[1] != nullptr) comics.pictures[1]->fRender();
    if (comics.caption != nullptr && comics.pictures[1] != nullptr) {
      // The caption appears with picture 2.
      comics.caption->fSetColor(comics.pictures[1]->fGetVertexColor(0));
      comics.caption->fRender();
    }
    if (comics.pictures[2] != nullptr) comics.pictures[2]->fRender();
  } else if (comics.pictures[0] != nullptr) {
    comics.pictures[0]->fRender();
  }
  if (comics.nextButton != nullptr) comics.nextButton->fRender();
  // The dark back over everything, so its fades between the pages show.
  if (blackMask != nullptr) blackMask->fRender();
}

void MAHJONG_GAME_MANAGER::UpdateFinalScreen() {
  if (screenFade.active) return;
  if (requestedScreen == PACKS_SCREEN) {
    if (blackMask != nullptr) screenFade.Start(blackMask, fadeInOutTime, false);
    ChangeScreen();
    return;
  }
  if (isClicked(comics.nextButton)) {
    PlaySound(kClickSound);
    if (blackMask != nullptr) screenFade.Start(blackMask, fadeInOutTime, true);
    requestedScreen = PACKS_SCREEN;
    if (player != nullptr) player->m_seenEndComics = true;
    SavePlayer();
  }
}

void MAHJONG_GAME_MANAGER::RenderFinalScreen() {
  if (comics.pictures[0] != nullptr) {
    comics.pictures[0]->fRender();
  } else if (screenBack != nullptr) {
    screenBack->fRender();
  }
  if (comics.nextButton != nullptr) comics.nextButton->fRender();
  const std::wstring name = player != nullptr ? player->m_name : std::wstring();
  if (boldFont != nullptr) {
    boldFont->fSetColor(kFinalTextColor);
    // The greeting's text is the format; the name only ever an argument.
    boldFont->fPrintW(kFinalNameX, kFinalNameY, texts[TXT_END_COMICS_PLAYER].c_str(), name);
    boldFont->fSetColor(GoldenColor());
  }
  if (regularFont != nullptr) {
    regularFont->fSetColor(kFinalTextColor);
    PrintText(regularFont, kFinalNameX, kFinalTextY, texts[TXT_END_COMICS]);
    regularFont->fSetColor(GoldenColor());
  }
  if (blackMask != nullptr) blackMask->fRender();
}
