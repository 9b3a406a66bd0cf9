// The levels screen: the 20 levels of the current pack on two pages of ten, each button over its
// own picture with three stars for the best result. A click on an open level creates the board,
// loads and starts the level and hands over to the level intro.
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "game/flow/unlock_flash.h"
#include "gui/widgets/qc_image_button.h"

#include <cstdint>
#include <string>

namespace {

constexpr char kScreenBackImage[] = "screen_back.jpg";
constexpr float kLevelOutBy = 1200.0f;  // a started level slides the buttons this far right
constexpr float kStarColumn = 90.0f;
constexpr float kStarRow = 42.0f;

void render(QOR::QC_SPRITE* sprite) {
  if (sprite != nullptr) sprite->fRender();
}

}  // namespace

void LEVELS_PARTS::Free() {
  for (QOR::QC_IMAGE_BUTTON*& button : buttons) MENU_OBJECTS::DeleteButton(button);
  for (QOR::QC_SPRITE*& back : backs) MENU_OBJECTS::DeleteSprite(back);
  MENU_OBJECTS::DeleteSprite(flashSprite);
  MENU_OBJECTS::DeleteSprite(glow);
}

void MAHJONG_GAME_MANAGER::LoadLevelBackgrounds() {
  for (QOR::QC_SPRITE* back : levels.backs) {
    if (back == nullptr) continue;
    QOR::fLog("unscribe image");
    MENU_OBJECTS::GiveBack(back->fGetTexture());
  }
  if (QOR::qcRESOURCE_LOADER != nullptr) QOR::qcRESOURCE_LOADER->fFreeUnused();
  for (int n = 1; n <= kLevelButtons; ++n) {
    const std::string name = "bgnd/Levels/" + std::to_string(currentPack) + "/" + std::to_string(n) + ".png";
    QOR::QC_TEXTURE_INFO* image = QOR::QC_GAME::fSubscribeImage(name);
    QOR::QC_SPRITE*& back = levels.backs[n - 1];
    if (back != nullptr) {
      back->fSetImage(image);
    } else {
      back = new QOR::QC_SPRITE(image);
    }
    back->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  }
}

void LEVELS_PARTS::MoveLevelGlow(int level) {
  if (glow == nullptr || level < 1 || level > kButtons || buttons[level - 1] == nullptr) return;
  const QOR::QS_VEC2 at = buttons[level - 1]->fGetPosition();
  glow->fSetPositionXY(at.x, at.y);
}

void LEVELS_PARTS::Slide(float x) {
  if (buttons[0] == nullptr) return;
  // Level 1 lands on x itself, so a finished slide stands exactly where the screen tests for it.
  const QOR::QS_VEC2 first = buttons[0]->fGetPosition();
  const float dx = x - first.x;
  buttons[0]->fSetPosition(x, first.y);
  for (int i = 1; i < kButtons; ++i) {
    if (buttons[i] == nullptr) continue;
    const QOR::QS_VEC2 at = buttons[i]->fGetPosition();
    buttons[i]->fSetPosition(at.x + dx, at.y);
  }
  if (glow != nullptr) {
    const QOR::QS_VEC2 at = glow->fGetPosition();
    glow->fSetPositionXY(at.x + dx, at.y);
  }
}

void MAHJONG_GAME_MANAGER::DeleteBoard() {
  delete board;
  board = nullptr;
}

void MAHJONG_GAME_MANAGER::UpdateLevels(int /*pack: the current pack, which the screen reads itself*/) {
  // The left panel may have switched the screen in this tick.
  if (currentScreen != LEVELS_SCREEN || levels.buttons[0] == nullptr) return;
  const float dt = QOR::qcFrameTime;
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();

  if (screenSlideTween.active) {
    levels.Slide(screenSlideTween.Update(dt));
    return;
  }
  // Slid out with the left panel in place: the requested screen. (A started level slides the left
  // panel out too; the panel makes that switch itself once it is out.)
  if (levels.buttons[0]->fGetPosition().x == kLevelsOutX && !sidePanelTween.active && leftPanel.X() + 2.0f >= 0.0f) {
    if (screenBack != nullptr) {
      QOR::QC_TEXTURE_INFO* image = QOR::QC_GAME::fSubscribeImage(kScreenBackImage);
      QOR::QC_TEXTURE_INFO* old = screenBack->fGetTexture();
      if (image != old) {
        screenBack->fSetImage(image);
        MENU_OBJECTS::GiveBack(old);
      } else {
        MENU_OBJECTS::GiveBack(image);
      }
    }
    if (blackMask != nullptr) screenFade.Start(blackMask, fadeInOutTime, false);
    levels.pageTween.Stop();  // a page turn left half done ends with the visit
    ChangeScreen();
    return;
  }

  // The flash of a newly opened level; indices that name no button are dropped.
  while (!levels.newLevels.empty() && (levels.newLevels.front() < 0 || levels.newLevels.front() >= kLevelButtons)) {
    levels.newLevels.erase(levels.newLevels.begin());
  }
  const UNLOCK_FLASH levelFlash{fx.levelUnblockScale, fx.levelUnblockTime, fx.levelUnblockFade};
  if (!levels.newLevels.empty() && StepUnlockFlash(levels.flashSprite, levels.flashTimer, levelFlash, dt)) {
    levels.newLevels.erase(levels.newLevels.begin());
  }

  // The page switch: clicks wait until a page change has ended.
  if (levels.pageTween.active) {
    levels.Slide(levels.pageTween.Update(dt));
  } else if (MENU_OBJECTS::isClicked(pageArrow)) {
    MENU_OBJECTS::PlaySound("button_click.ogg");
    const float firstX = levels.buttons[0]->fGetPosition().x;
    const int width = regularFont != nullptr ? regularFont->fGetFixedWidthW(pageText.c_str()) : 0;
    const float arrowY = static_cast<float>(size.y - MENU_OBJECTS::kArrowRise);
    QOR::QC_TEXTURE_INFO* arrow = nullptr;
    if (page == 1) {
      levels.pageTween.Start(firstX, kLevelsPage2Share * static_cast<float>(size.x), fx.browseLevelsSpeed);
      arrow = leftArrow;
      pageArrow->fSetPosition(MENU_OBJECTS::PageArrowX(size.x, width, 2), arrowY);
      page = 2;
    } else {
      levels.pageTween.Start(firstX, kLevelsInX, fx.browseLevelsSpeed);
      arrow = rightArrow;
      pageArrow->fSetPosition(MENU_OBJECTS::PageArrowX(size.x, width, 1), arrowY);
      page = 1;
    }
    if (arrow != nullptr) pageArrow->fSetStrip(arrow);
    pageText = texts[TXT_PAGE] + L" %i/2";
    // A browsing time of 0 or less turns the page at once.
    if (!levels.pageTween.active) levels.Slide(levels.pageTween.end);
  }

  packs.highlightFader.Update(dt);
  if (!packs.highlightFader.active && levels.glow != nullptr) {
    packs.highlightFader.Start(levels.glow, MAHJONG_CONSTS::GetInstance()->pack_level_highlight,
                               !packs.highlightFader.direction);
  }

  for (int i = 0; i < kLevelButtons; ++i) {
    if (MENU_OBJECTS::isClicked(levels.buttons[i])) {
      EnterLevel(i + 1);
      return;
    }
  }
}

void MAHJONG_GAME_MANAGER::EnterLevel(int level) {
  if (player == nullptr || currentPack < 1 || currentPack > MAHJONG_PLAYER::kPacks) return;
  MENU_OBJECTS::PlaySound("button_level_click.ogg");
  // The level starts from everything earned so far: a count-up still running ends here.
  CompleteCountUp();
  levels.newLevels.clear();
  levels.flashTimer = 0.0f;
  const std::string file = "pk" + std::to_string(currentPack) + "lv" + std::to_string(level) + ".xml";
  if (board == nullptr) {
    board = new MAHJONG_LAYOUT(player->m_tileset, player, false, 1, darkBack1);
    board->m_hintText = texts[TXT_CLICK_ANYWHERE];
  }
  if (!board->LoadLevel(file)) {
    // Logged and told: the levels screen stays as it was, with no board behind it.
    DeleteBoard();
    return;
  }
  currentLevel = level;
  board->StartLevel(currentPack, level);
  if (board->GetPanel() != nullptr) board->GetPanel()->CreateSlots(player);
  BuildLevelInfo();
  // Before the end comic the last level and pack follow the front of the career (the unlocking
  // sets them); afterwards the level played last.
  if (player->m_seenEndComics) {
    player->m_lastLevel = level;
    player->m_lastPack = currentPack;
  }
  ResetLevelRoad();
  if (player->m_tutorialShow && currentPack == 1 && level == 1) {
    BuildTutorial();
    // The tutorial fills the shuffle bonus itself (found by id, wherever the profile lists it).
    if (PLAYER_BONUS* shuffle = player->FindBonus(BONUS_TOSSCHIPS)) shuffle->charge = 0;
    MAHJONG_HUD_PANEL* panel = board->GetPanel();
    if (panel != nullptr && panel->bonusSlot.button != nullptr) panel->bonusSlot.button->fDisable();
  }

  if (boldFont != nullptr) boldFont->fSetColor(MENU_OBJECTS::GoldenColor());
  const float firstX = levels.buttons[0] != nullptr ? levels.buttons[0]->fGetPosition().x : 0.0f;
  screenSlideTween.Start(firstX, firstX + kLevelOutBy, fadeInOutTime);
  const float panelX = leftPanel.X();
  sidePanelTween.Start(panelX, panelX + MENU_OBJECTS::PanelSlide(), fadeInOutTime);
  requestedScreen = LEVEL_START_SCREEN;
}

void MAHJONG_GAME_MANAGER::RenderLevels() {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  render(screenBack);
  render(roomBack);
  render(darkBack2);
  render(blackMask);
  if (pageArrow != nullptr) pageArrow->fRender();

  if (regularFont != nullptr) {
    regularFont->fSetColor(MENU_OBJECTS::GoldenColor());
    regularFont->fSetAlign(0);
    PrintText(regularFont, size.x / 2 + MENU_OBJECTS::kPageTextX, size.y - MENU_OBJECTS::kArrowRise,
              texts[TXT_PAGE] + L" " + std::to_wstring(page) + L"/2");
  }
  if (!levels.newLevels.empty() && !screenSlideTween.active && levels.flashSprite != nullptr) {
    const int index = levels.newLevels.front();
    if (index >= 0 && index < kLevelButtons && levels.buttons[index] != nullptr) {
      const QOR::QS_VEC2 at = levels.buttons[index]->fGetPosition();
      levels.flashSprite->fSetPositionXY(at.x, at.y);
      levels.flashSprite->fRender();
    }
  }
  if (player != nullptr && currentPack == player->m_lastPack && player->m_lastLevel >= 1 &&
      player->m_lastLevel <= kLevelButtons) {
    PACKS_PARTS::RenderHighlight(levels.glow);  // on the last level's button, when it has one
  }

  const bool packKnown = player != nullptr && currentPack >= 1 && currentPack <= MAHJONG_PLAYER::kPacks;
  if (packs.starSprite != nullptr) packs.starSprite->fSetAnchor(QOR::QC_SPRITE::kAnchorRightCentre, 0.0f, 0.0f);
  for (int i = 0; i < kLevelButtons; ++i) {
    QOR::QC_IMAGE_BUTTON* button = levels.buttons[i];
    if (button == nullptr) continue;
    const QOR::QS_VEC2 at = button->fGetPosition();
    if (levels.backs[i] != nullptr) levels.backs[i]->fRenderAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
    button->fRender();
    if (packs.starSprite == nullptr) continue;
    const int result = packKnown ? player->m_levels[MAHJONG_PLAYER::LevelIndex(currentPack, i + 1)] : -1;
    for (int k = 1; k <= 3; ++k) {
      packs.starSprite->fSetFrame(2, 1, result >= k ? 0 : 1);
      packs.starSprite->fRenderAt(at.x + kStarColumn, at.y + kStarRow * static_cast<float>(k - 2), 0.0f, 1.0f, 1.0f);
    }
  }
}
