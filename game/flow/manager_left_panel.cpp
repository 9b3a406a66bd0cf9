// The left panel beside the packs, levels and trophies screens: the rank title, the experience bar
// and the money, the career, trophies, options and help buttons and a back button. It slides in
// and out in x with the screens, counts money and experience up after a level and flashes the rank
// title when the rank is judged again.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_player.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "game/flow/store_message_box.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"

#include <algorithm>
#include <cstdint>

namespace {

using MENU_OBJECTS::isClicked;
using MENU_OBJECTS::PlaySound;

constexpr char kClickSound[] = "button_click.ogg";
constexpr char kMoneySound[] = "money.ogg";
constexpr float kButtonColumn = 110.0f;  // the column's centre from the start x
constexpr float kMoneyStepShare = 0.4f;  // a step as large as the target falls to this share of the rest
constexpr float kTrophiesOutBeyond = 1200.0f;

// The left panel's start x: the panel slide distance (-300).
float startX() { return static_cast<float>(MAHJONG_CONSTS::GetInstance()->panel_slide_distance); }

std::uint32_t golden() { return MAHJONG_CONSTS::GetInstance()->golden_color.fGetARGB(); }

void addX(QOR::QC_SPRITE* sprite, float dx) {
  if (sprite == nullptr) return;
  const QOR::QS_VEC2 at = sprite->fGetPosition();
  sprite->fSetPositionXY(at.x + dx, at.y);
}

void addX(QOR::QC_IMAGE_BUTTON* button, float dx) {
  if (button == nullptr) return;
  const QOR::QS_VEC2 at = button->fGetPosition();
  button->fSetPosition(at.x + dx, at.y);
}

// Makes the sprite when it is missing and places it with the anchor.
void placeSprite(QOR::QC_SPRITE*& sprite, const char* image, int anchor, float x, float y) {
  if (sprite == nullptr) sprite = MENU_OBJECTS::NewSprite(image);
  sprite->fSetAnchor(anchor, 0.0f, 0.0f);
  sprite->fSetPositionXY(x, y);
}

void placeButton(QOR::QC_IMAGE_BUTTON*& button, const char* image, int hitType, float x, float y) {
  if (button == nullptr) button = MENU_OBJECTS::NewButton(image, hitType);
  button->fSetPosition(x, y);
}

void render(QOR::QC_SPRITE* sprite) {
  if (sprite != nullptr) sprite->fRender();
}

void render(QOR::QC_IMAGE_BUTTON* button) {
  if (button != nullptr) button->fRender();
}

int truncated(float value) { return QOR::fTruncateToInt(value); }

bool showsLeftPanel(SCREEN_TYPE screen) {
  return screen == PACKS_SCREEN || screen == EMPTY_SCREEN || screen == TROPHIES_SCREEN || screen == LEVELS_SCREEN;
}

}  // namespace

void MAHJONG_GAME_MANAGER::BuildMainMenu() {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  const float x0 = startX();
  const float column = x0 + kButtonColumn;
  placeSprite(leftPanelBack, "MainMenu_back.png", QOR::QC_SPRITE::kAnchorLeftCentre, x0 - 2.0f,
              static_cast<float>(size.y / 2));
  placeSprite(menuButtonBack, "MainMenu_ButtonBack.png", QOR::QC_SPRITE::kAnchorLeftCentre, x0, 475.0f);
  placeSprite(menuUpperLayer, "MainMenu_UpLayer.png", QOR::QC_SPRITE::kAnchorLeftCentre, x0 - 2.0f, 475.0f);
  placeSprite(experienceBack, "Experience_back.png", QOR::QC_SPRITE::kAnchorCentre, column, 140.0f);
  placeSprite(experienceBar, "Experience_color.png", QOR::QC_SPRITE::kAnchorCentre, column, 162.0f);
  placeSprite(moneyBack, "Money_back.png", QOR::QC_SPRITE::kAnchorCentre, column, 235.0f);
  placeButton(careerButton, "MainMenu_CareerButton.png", QOR::QC_HIT_AREA::kRectangle, column, 373.0f);
  const bool newHover = hoverGlow == nullptr;
  placeSprite(hoverGlow, "Glow.png", QOR::QC_SPRITE::kAnchorCentre, column, 441.0f);
  if (newHover) hoverGlow->fSetColor(0x00FFFFFFu);
  if (selectionGlow == nullptr) {
    selectionGlow = MENU_OBJECTS::NewSprite("Glow.png");
    selectionGlow->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
    selectedMenuButton = careerButton;
  }
  placeButton(menuTrophiesButton, "MainMenu_TrophiesButton.png", QOR::QC_HIT_AREA::kRectangle, column, 441.0f);
  placeButton(menuOptionsButton, "MainMenu_OptionsButton.png", QOR::QC_HIT_AREA::kRectangle, column, 509.0f);
  placeButton(menuHelpButton, "MainMenu_HelpButton.png", QOR::QC_HIT_AREA::kRectangle, column, 577.0f);
  placeButton(menuBackButton, "Back_button.png", QOR::QC_HIT_AREA::kCircle, x0 + 145.0f, 45.0f);
  optionsMenuButton = menuOptionsButton;
}

float MAHJONG_GAME_MANAGER::LeftPanelX() const {
  return leftPanelBack != nullptr ? leftPanelBack->fGetPosition().x : -kPanelSlide;
}

void MAHJONG_GAME_MANAGER::SlideLeftPanel(float x) {
  if (leftPanelBack == nullptr) return;
  // The back lands on x itself, so a finished slide stands exactly at the tween's end.
  const QOR::QS_VEC2 at = leftPanelBack->fGetPosition();
  const float dx = x - at.x;
  leftPanelBack->fSetPositionXY(x, at.y);
  for (QOR::QC_SPRITE* sprite : {menuButtonBack, menuUpperLayer, experienceBack, experienceBar, moneyBack, hoverGlow}) {
    addX(sprite, dx);
  }
  for (QOR::QC_IMAGE_BUTTON* button :
       {careerButton, menuTrophiesButton, menuOptionsButton, menuHelpButton, menuBackButton}) {
    addX(button, dx);
  }
}

void MAHJONG_GAME_MANAGER::ResetMenuButtons() {
  for (QOR::QC_IMAGE_BUTTON* button : {careerButton, menuTrophiesButton, menuOptionsButton, menuHelpButton}) {
    if (button != nullptr) button->fReset();
  }
}

void MAHJONG_GAME_MANAGER::SelectMenuButton(QOR::QC_IMAGE_BUTTON* button) {
  if (button == nullptr) return;
  button->fSelect();
  selectedMenuButton = button;
}

void MAHJONG_GAME_MANAGER::CountUpStep() {
  if (!countUpStepSet) {
    countUpStepValue = static_cast<float>(fx.countUpIncrement);
    countUpStepSet = true;
  }
  if (player != nullptr) {
    if (player->m_money < shownMoney) {
      const std::int64_t rest = static_cast<std::int64_t>(shownMoney) - player->m_money;
      if (countUpStepValue >= static_cast<float>(shownMoney)) {
        countUpStepValue = kMoneyStepShare * static_cast<float>(rest);
      }
      // At least 1 so the count always arrives; never past what was earned.
      const std::int64_t step = std::max<std::int64_t>(1, QOR::fTruncateToInt(countUpStepValue));
      player->m_money = step >= rest ? shownMoney : static_cast<int>(player->m_money + step);
      PlaySound(kMoneySound);
    }
    if (player->m_XP < static_cast<float>(shownXP)) player->m_XP += 1.0f;
  }
  UpdateRank(1);
  CheckTrophies(47);
  countUpStepClock = 0.0f;
  if (countUpRunning == 0) return;  // a save on the way completed it
  if (player == nullptr || (player->m_money >= shownMoney && player->m_XP >= static_cast<float>(shownXP))) {
    CompleteCountUp();
  }
}

int MAHJONG_GAME_MANAGER::UpdateLeftPanel() {
  if (messageBox != nullptr && messageBox->isOpen()) return 0;
  const float dt = QOR::qcFrameTime;
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();

  if (rankFlash != 0) {
    rankFlashTimer += dt;
    if (rankFlashTimer >= fx.flashRankDuration) {
      rankFlashTimer = 0.0f;
      rankFlash = 0;
    }
  }
  if (countUpRunning != 0) {
    if (fx.countUpEffectDelay > countUpDelayClock) {
      countUpDelayClock += dt;
    } else if (fx.countUpIncrDelay > countUpStepClock) {
      countUpStepClock += dt;
    } else {
      CountUpStep();
    }
  }
  if (glowFlicker != 0 && hoverGlow != nullptr) {
    glowFader.Update(dt);
    if (!glowFader.active) {
      glowFader.Start(hoverGlow, MAHJONG_CONSTS::GetInstance()->storebtn_flickering, !glowFader.direction);
    }
  }
  if (leftPanelBack == nullptr) return 0;
  if (sidePanelTween.active) {
    SlideLeftPanel(sidePanelTween.Update(dt));
    return 0;
  }
  if (leftPanelBack->fGetPosition().x + 2.0f < 0.0f) {
    const unsigned generation = menuGeneration;
    ChangeScreen();
    // Nothing of this panel acts on a tick that left its screens or rebuilt the menus.
    if (menuGeneration != generation || !showsLeftPanel(currentScreen)) return 0;
  }

  bool slideOut = false;
  if (isClicked(careerButton)) {
    PlaySound(kClickSound);
    ResetMenuButtons();
    SelectMenuButton(careerButton);
    requestedScreen = PACKS_SCREEN;
    slideOut = true;
  }
  if (isClicked(menuHelpButton)) {
    PlaySound(kClickSound);
    OpenHelp();
  }
  if (isClicked(menuTrophiesButton)) {
    PlaySound(kClickSound);
    BuildTrophies();
    if (currentScreen == TROPHIES_SCREEN) return 0;
    if (regularFont != nullptr) regularFont->fSetColor(golden());
    ResetMenuButtons();
    SelectMenuButton(menuTrophiesButton);
    if (page == 2) page = 1;
    if (pageArrow != nullptr) {
      if (rightArrow != nullptr) pageArrow->fSetStrip(rightArrow);
      const int width = regularFont != nullptr ? regularFont->fGetFixedWidthW(pageText.c_str()) : 0;
      pageArrow->fSetPosition(static_cast<float>(size.x / 2 + 95 + width / 2), static_cast<float>(size.y - 37));
    }
    requestedScreen = TROPHIES_SCREEN;
    slideOut = true;
  }
  if (isClicked(menuOptionsButton)) {
    PlaySound(kClickSound);
    OpenOptions();
    return 0;
  }
  if (isClicked(menuBackButton)) {
    PlaySound(kClickSound);
    if (currentScreen == LEVELS_SCREEN) {
      requestedScreen = PACKS_SCREEN;
    } else {
      if (boldFont != nullptr) boldFont->fSetColor(golden());
      if (blackMask != nullptr) screenFade.Start(blackMask, fadeInOutTime, true);
      const float x = LeftPanelX();
      sidePanelTween.Start(x, x + startX(), fadeInOutTime);
      requestedScreen = TITLE_SCREEN;
      CompleteCountUp();
    }
    slideOut = true;
  }

  if (slideOut) {
    switch (currentScreen) {
      case TROPHIES_SCREEN:
        if (trophyShelf != nullptr) {
          screenSlideTween.Start(trophyShelf->fGetPosition().x, static_cast<float>(size.x) + kTrophiesOutBeyond,
                                 fadeInOutTime);
        }
        break;
      case LEVELS_SCREEN:
        if (levelButtons[0] != nullptr) {
          screenSlideTween.Start(levelButtons[0]->fGetPosition().x, kLevelsOutX, fadeInOutTime);
        }
        if (blackMask != nullptr) screenFade.Start(blackMask, fadeInOutTime, true);
        break;
      case PACKS_SCREEN:
        if (!packButtons.empty()) screenSlideTween.Start(FirstPackButtonX(), kPacksOutX, fadeInOutTime);
        break;
      default:
        break;
    }
  }
  return 0;
}

void MAHJONG_GAME_MANAGER::RenderLeftPanel() {
  render(leftPanelBack);
  render(menuButtonBack);
  render(hoverGlow);
  if (selectionGlow != nullptr && selectedMenuButton != nullptr) {
    const QOR::QS_VEC2 at = selectedMenuButton->fGetPosition();
    selectionGlow->fRenderAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
  }
  for (QOR::QC_IMAGE_BUTTON* button :
       {careerButton, menuTrophiesButton, menuOptionsButton, menuHelpButton, menuBackButton}) {
    render(button);
  }
  render(menuUpperLayer);
  render(experienceBack);
  render(experienceBar);
  render(moneyBack);

  const MAHJONG_CONSTS& consts = *MAHJONG_CONSTS::GetInstance();
  if (regularFont != nullptr) {
    regularFont->fSetAlign(0);
    regularFont->fSetColor(countUpRunning != 0 ? fx.countUpColor : consts.money_color.fGetARGB());
    if (moneyBack != nullptr && player != nullptr) {
      const QOR::QS_VEC2 at = moneyBack->fGetPosition();
      regularFont->fPrint(truncated(at.x), truncated(at.y + 3.0f), "%i", player->m_money);
    }
    if (experienceBack != nullptr) {
      const QOR::QS_VEC2 at = experienceBack->fGetPosition();
      const int x = truncated(at.x + 3.0f);
      const int y = truncated(at.y - 10.0f);
      if (rankFlash != 0 && fx.flashRankDuration > 0.0f) {
        const float share = std::clamp(rankFlashTimer / fx.flashRankDuration, 0.0f, 1.0f);
        const auto alpha = static_cast<std::uint32_t>(truncated((1.0f - share) * 255.0f));
        regularFont->fSetColor((alpha << 24) | 0x00FFFFFFu);
        regularFont->fSetScale(share * fx.flashRankScale);
        PrintText(regularFont, x, y, rankTitle);
        regularFont->fSetScale(1.0f);
      }
      regularFont->fSetColor(0xFF000000u);
      PrintText(regularFont, x, y, rankTitle);
    }
    if (nextRankXP != 0 && experienceBar != nullptr && player != nullptr) {
      const QOR::QS_VEC2 at = experienceBar->fGetPosition();
      regularFont->fPrint(truncated(at.x), truncated(at.y + 2.0f), "%i/%i", truncated(player->m_XP), nextRankXP);
    }
  }
  if (boldFont != nullptr) {
    boldFont->fSetAlign(0);
    boldFont->fSetColor(golden());
    const std::pair<QOR::QC_IMAGE_BUTTON*, int> labels[4] = {{careerButton, TXT_CAREER},
                                                             {menuHelpButton, TXT_HELP},
                                                             {menuTrophiesButton, TXT_TROPHIES},
                                                             {menuOptionsButton, TXT_OPTIONS}};
    for (const auto& [button, text] : labels) {
      if (button == nullptr) continue;
      const QOR::QS_VEC2 at = button->fGetPosition();
      PrintText(boldFont, truncated(at.x + 20.0f), truncated(at.y), texts[text]);
    }
  }
}
