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

using namespace MENU_OBJECTS;

namespace {

constexpr char kClickSound[] = "button_click.ogg";
constexpr char kMoneySound[] = "money.ogg";
constexpr float kButtonColumn = 110.0f;  // the column's centre from the start x
constexpr float kMoneyStepShare = 0.4f;  // a step as large as the target falls to this share of the rest

// The left panel's start x: the panel slide distance (-300).
float startX() { return PanelSlide(); }

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

// Makes the sprite when it is missing and places it with the anchor. The anchor is taken on the
// picture, not on the quad: the experience bar's quad is cut to the rank's progress, and a rebuild
// must not move its pivot with that cut (its fill starts at the bar's left end at every width).
void placeSprite(QOR::QC_SPRITE*& sprite, const char* image, int anchor, float x, float y) {
  if (sprite == nullptr) sprite = MENU_OBJECTS::NewSprite(image);
  sprite->fSetAnchorPage(anchor, 0.0f, 0.0f);
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

void LEFT_PANEL_PARTS::Free() {
  for (QOR::QC_SPRITE** sprite :
       {&back, &buttonBack, &upperLayer, &experienceBack, &experienceBar, &moneyBack, &hoverGlow, &selectionGlow}) {
    MENU_OBJECTS::DeleteSprite(*sprite);
  }
  for (QOR::QC_IMAGE_BUTTON** button : {&careerButton, &trophiesButton, &optionsButton, &helpButton, &backButton}) {
    MENU_OBJECTS::DeleteButton(*button);
  }
  selectedButton = nullptr;
}

void MAHJONG_GAME_MANAGER::BuildMainMenu() {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  const float x0 = startX();
  const float column = x0 + kButtonColumn;
  placeSprite(leftPanel.back, "MainMenu_back.png", QOR::QC_SPRITE::kAnchorLeftCentre, x0 - 2.0f,
              static_cast<float>(size.y / 2));
  placeSprite(leftPanel.buttonBack, "MainMenu_ButtonBack.png", QOR::QC_SPRITE::kAnchorLeftCentre, x0, 475.0f);
  placeSprite(leftPanel.upperLayer, "MainMenu_UpLayer.png", QOR::QC_SPRITE::kAnchorLeftCentre, x0 - 2.0f, 475.0f);
  placeSprite(leftPanel.experienceBack, "Experience_back.png", QOR::QC_SPRITE::kAnchorCentre, column, 140.0f);
  placeSprite(leftPanel.experienceBar, "Experience_color.png", QOR::QC_SPRITE::kAnchorCentre, column, 162.0f);
  placeSprite(leftPanel.moneyBack, "Money_back.png", QOR::QC_SPRITE::kAnchorCentre, column, 235.0f);
  placeButton(leftPanel.careerButton, "MainMenu_CareerButton.png", QOR::QC_HIT_AREA::kRectangle, column, 373.0f);
  const bool newHover = leftPanel.hoverGlow == nullptr;
  placeSprite(leftPanel.hoverGlow, "Glow.png", QOR::QC_SPRITE::kAnchorCentre, column, 441.0f);
  if (newHover) leftPanel.hoverGlow->fSetColor(0x00FFFFFFu);
  if (leftPanel.selectionGlow == nullptr) {
    leftPanel.selectionGlow = MENU_OBJECTS::NewSprite("Glow.png");
    leftPanel.selectionGlow->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
    leftPanel.selectedButton = leftPanel.careerButton;
  }
  placeButton(leftPanel.trophiesButton, "MainMenu_TrophiesButton.png", QOR::QC_HIT_AREA::kRectangle, column, 441.0f);
  placeButton(leftPanel.optionsButton, "MainMenu_OptionsButton.png", QOR::QC_HIT_AREA::kRectangle, column, 509.0f);
  placeButton(leftPanel.helpButton, "MainMenu_HelpButton.png", QOR::QC_HIT_AREA::kRectangle, column, 577.0f);
  placeButton(leftPanel.backButton, "Back_button.png", QOR::QC_HIT_AREA::kCircle, x0 + 145.0f, 45.0f);
  options.menuButton = leftPanel.optionsButton;
}

float LEFT_PANEL_PARTS::X() const {
  return back != nullptr ? back->fGetPosition().x : startX();
}

void LEFT_PANEL_PARTS::Slide(float x) {
  if (back == nullptr) return;
  // The back lands on x itself, so a finished slide stands exactly at the tween's end.
  const QOR::QS_VEC2 at = back->fGetPosition();
  const float dx = x - at.x;
  back->fSetPositionXY(x, at.y);
  for (QOR::QC_SPRITE* sprite : {buttonBack, upperLayer, experienceBack, experienceBar, moneyBack, hoverGlow}) {
    addX(sprite, dx);
  }
  for (QOR::QC_IMAGE_BUTTON* button : {careerButton, trophiesButton, optionsButton, helpButton, backButton}) {
    addX(button, dx);
  }
}

void LEFT_PANEL_PARTS::ResetMenuButtons() {
  for (QOR::QC_IMAGE_BUTTON* button : {careerButton, trophiesButton, optionsButton, helpButton}) {
    if (button != nullptr) button->fReset();
  }
}

void LEFT_PANEL_PARTS::SelectMenuButton(QOR::QC_IMAGE_BUTTON* button) {
  if (button == nullptr) return;
  button->fSelect();
  selectedButton = button;
}

void MAHJONG_GAME_MANAGER::CountUpStep() {
  if (!leftPanel.countUpStepSet) {
    leftPanel.countUpStepValue = static_cast<float>(fx.countUpIncrement);
    leftPanel.countUpStepSet = true;
  }
  if (player != nullptr) {
    if (player->m_money < shownMoney) {
      const std::int64_t rest = static_cast<std::int64_t>(shownMoney) - player->m_money;
      if (leftPanel.countUpStepValue >= static_cast<float>(shownMoney)) {
        leftPanel.countUpStepValue = kMoneyStepShare * static_cast<float>(rest);
      }
      // At least 1 so the count always arrives; never past what was earned.
      const std::int64_t step = std::max<std::int64_t>(1, QOR::fTruncateToInt(leftPanel.countUpStepValue));
      player->m_money = step >= rest ? shownMoney : static_cast<int>(player->m_money + step);
      PlaySound(kMoneySound);
    }
    if (player->m_XP < static_cast<float>(shownXP)) player->m_XP += 1.0f;
  }
  GiveRankRewards();
  leftPanel.countUpStepClock = 0.0f;
  if (countUpRunning == 0) return;  // a save on the way completed it
  if (player == nullptr || (player->m_money >= shownMoney && player->m_XP >= static_cast<float>(shownXP))) {
    CompleteCountUp();
  }
}

int MAHJONG_GAME_MANAGER::UpdateLeftPanel() {
  if (messageBox != nullptr && messageBox->isOpen()) return 0;
  const float dt = QOR::qcFrameTime;
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();

  if (leftPanel.rankFlash != 0) {
    leftPanel.rankFlashTimer += dt;
    if (leftPanel.rankFlashTimer >= fx.flashRankDuration) {
      leftPanel.rankFlashTimer = 0.0f;
      leftPanel.rankFlash = 0;
    }
  }
  if (countUpRunning != 0) {
    if (fx.countUpEffectDelay > leftPanel.countUpDelayClock) {
      leftPanel.countUpDelayClock += dt;
    } else if (fx.countUpIncrDelay > leftPanel.countUpStepClock) {
      leftPanel.countUpStepClock += dt;
    } else {
      CountUpStep();
    }
  }
  if (leftPanel.glowFlicker != 0 && leftPanel.hoverGlow != nullptr) {
    leftPanel.glowFader.Update(dt);
    if (!leftPanel.glowFader.active) {
      leftPanel.glowFader.Start(leftPanel.hoverGlow, MAHJONG_CONSTS::GetInstance()->storebtn_flickering,
                                !leftPanel.glowFader.direction);
    }
  }
  if (leftPanel.back == nullptr) return 0;
  if (sidePanelTween.active) {
    leftPanel.Slide(sidePanelTween.Update(dt));
    return 0;
  }
  if (leftPanel.back->fGetPosition().x + 2.0f < 0.0f) {
    const unsigned generation = menuGeneration;
    ChangeScreen();
    // Nothing of this panel acts on a tick that left its screens or rebuilt the menus.
    if (menuGeneration != generation || !showsLeftPanel(currentScreen)) return 0;
  }

  bool slideOut = false;
  if (isClicked(leftPanel.careerButton)) {
    PlaySound(kClickSound);
    leftPanel.ResetMenuButtons();
    leftPanel.SelectMenuButton(leftPanel.careerButton);
    requestedScreen = PACKS_SCREEN;
    slideOut = true;
  }
  if (isClicked(leftPanel.helpButton)) {
    PlaySound(kClickSound);
    OpenHelp();
  }
  if (isClicked(leftPanel.trophiesButton)) {
    PlaySound(kClickSound);
    BuildTrophies();
    if (currentScreen == TROPHIES_SCREEN) return 0;
    if (regularFont != nullptr) regularFont->fSetColor(GoldenColor());
    leftPanel.ResetMenuButtons();
    leftPanel.SelectMenuButton(leftPanel.trophiesButton);
    if (page == 2) page = 1;
    if (pageArrow != nullptr) {
      if (rightArrow != nullptr) pageArrow->fSetStrip(rightArrow);
      const int width = regularFont != nullptr ? regularFont->fGetFixedWidthW(pageText.c_str()) : 0;
      pageArrow->fSetPosition(static_cast<float>(size.x / 2 + 95 + width / 2), static_cast<float>(size.y - 37));
    }
    requestedScreen = TROPHIES_SCREEN;
    slideOut = true;
  }
  if (isClicked(leftPanel.optionsButton)) {
    PlaySound(kClickSound);
    OpenOptions();
    return 0;
  }
  if (isClicked(leftPanel.backButton)) {
    PlaySound(kClickSound);
    if (currentScreen == LEVELS_SCREEN) {
      requestedScreen = PACKS_SCREEN;
    } else {
      if (boldFont != nullptr) boldFont->fSetColor(GoldenColor());
      if (blackMask != nullptr) screenFade.Start(blackMask, fadeInOutTime, true);
      const float x = leftPanel.X();
      sidePanelTween.Start(x, x + startX(), fadeInOutTime);
      requestedScreen = TITLE_SCREEN;
      CompleteCountUp();
    }
    slideOut = true;
  }

  if (slideOut) {
    switch (currentScreen) {
      case TROPHIES_SCREEN:
        if (trophies.shelf != nullptr) {
          screenSlideTween.Start(trophies.shelf->fGetPosition().x, static_cast<float>(size.x) + kShelfOutBeyond,
                                 fadeInOutTime);
        }
        break;
      case LEVELS_SCREEN:
        if (levels.buttons[0] != nullptr) {
          screenSlideTween.Start(levels.buttons[0]->fGetPosition().x, kLevelsOutX, fadeInOutTime);
        }
        if (blackMask != nullptr) screenFade.Start(blackMask, fadeInOutTime, true);
        break;
      case PACKS_SCREEN:
        if (!packs.buttons.empty()) screenSlideTween.Start(packs.FirstX(), kPacksOutX, fadeInOutTime);
        break;
      default:
        break;
    }
  }
  return 0;
}

void MAHJONG_GAME_MANAGER::RenderLeftPanel() {
  render(leftPanel.back);
  render(leftPanel.buttonBack);
  render(leftPanel.hoverGlow);
  if (leftPanel.selectionGlow != nullptr && leftPanel.selectedButton != nullptr) {
    const QOR::QS_VEC2 at = leftPanel.selectedButton->fGetPosition();
    leftPanel.selectionGlow->fRenderAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
  }
  for (QOR::QC_IMAGE_BUTTON* button : {leftPanel.careerButton, leftPanel.trophiesButton, leftPanel.optionsButton,
                                       leftPanel.helpButton, leftPanel.backButton}) {
    render(button);
  }
  render(leftPanel.upperLayer);
  render(leftPanel.experienceBack);
  render(leftPanel.experienceBar);
  render(leftPanel.moneyBack);

  const MAHJONG_CONSTS& consts = *MAHJONG_CONSTS::GetInstance();
  if (regularFont != nullptr) {
    regularFont->fSetAlign(0);
    regularFont->fSetColor(countUpRunning != 0 ? fx.countUpColor : consts.money_color.fGetARGB());
    if (leftPanel.moneyBack != nullptr && player != nullptr) {
      const QOR::QS_VEC2 at = leftPanel.moneyBack->fGetPosition();
      regularFont->fPrint(truncated(at.x), truncated(at.y + 3.0f), "%i", player->m_money);
    }
    if (leftPanel.experienceBack != nullptr) {
      const QOR::QS_VEC2 at = leftPanel.experienceBack->fGetPosition();
      const int x = truncated(at.x + 3.0f);
      const int y = truncated(at.y - 10.0f);
      if (leftPanel.rankFlash != 0 && fx.flashRankDuration > 0.0f) {
        const float share = std::clamp(leftPanel.rankFlashTimer / fx.flashRankDuration, 0.0f, 1.0f);
        const auto alpha = static_cast<std::uint32_t>(truncated((1.0f - share) * 255.0f));
        regularFont->fSetColor((alpha << 24) | 0x00FFFFFFu);
        regularFont->fSetScale(share * fx.flashRankScale);
        PrintText(regularFont, x, y, rankTitle);
        regularFont->fSetScale(1.0f);
      }
      regularFont->fSetColor(0xFF000000u);
      PrintText(regularFont, x, y, rankTitle);
    }
    if (nextRankXP != 0 && leftPanel.experienceBar != nullptr && player != nullptr) {
      const QOR::QS_VEC2 at = leftPanel.experienceBar->fGetPosition();
      regularFont->fPrint(truncated(at.x), truncated(at.y + 2.0f), "%i/%i", truncated(player->m_XP), nextRankXP);
    }
  }
  if (boldFont != nullptr) {
    boldFont->fSetAlign(0);
    boldFont->fSetColor(GoldenColor());
    const std::pair<QOR::QC_IMAGE_BUTTON*, int> labels[4] = {{leftPanel.careerButton, TXT_CAREER},
                                                             {leftPanel.helpButton, TXT_HELP},
                                                             {leftPanel.trophiesButton, TXT_TROPHIES},
                                                             {leftPanel.optionsButton, TXT_OPTIONS}};
    for (const auto& [button, text] : labels) {
      if (button == nullptr) continue;
      const QOR::QS_VEC2 at = button->fGetPosition();
      PrintText(boldFont, truncated(at.x + 20.0f), truncated(at.y), texts[text]);
    }
  }
}
