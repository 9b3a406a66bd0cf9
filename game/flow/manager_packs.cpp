// The packs screen: the six packs of the career in two columns of three, right of the left panel.
// An open pack leads to its levels; a locked one shows its lock and the rank it needs. A click on
// it says the rank is too low, or, once the rank is reached, offers the pack for its price (or
// says the money is not enough). A pack opens by the rank rule (its rank and the previous pack's
// last level) or by a purchase, with its face's flash, and the rule's also with its breaking lock,
// before it can be clicked.
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_player.h"
#include "game/board/xml_numbers.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/pack_button.h"
#include "game/flow/print_text.h"
#include "game/flow/store_message_box.h"
#include "game/flow/unlock_flash.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr float kPacksTop = 192.0f;
constexpr float kColumnStep = 350.0f;
constexpr float kRowStep = 210.0f;

// The level buttons' grid: page 1 starts at (1590, 130), page 2 lies 960 further right.
constexpr float kLevelsTop = 130.0f;
constexpr float kLevelColumn = 220.0f;
constexpr float kLevelRow = 150.0f;

// The highlights pulse in this many steps each way.
constexpr std::uint32_t kHighlightSteps = 5;

int truncated(float value) { return QOR::fTruncateToInt(value); }

// The text a table gives for the key; an unknown or empty key gives an empty text.
std::wstring lookUp(const std::map<std::wstring, std::wstring>& table, const char* key) {
  const auto found = table.find(pugi::as_wide(key));
  return found != table.end() ? found->second : std::wstring();
}

void render(QOR::QC_SPRITE* sprite) {
  if (sprite != nullptr) sprite->fRender();
}

// Makes a sprite of two frames side by side showing one frame's size.
QOR::QC_SPRITE* newTwoFrameSprite(const char* image) {
  QOR::QC_SPRITE* sprite = MENU_OBJECTS::NewSprite(image);
  sprite->fSetSize(sprite->fGetPageWidth() / 2, sprite->fGetPageHeight());
  sprite->fSetFrame(2, 1, 0);
  return sprite;
}

}  // namespace

void MAHJONG_GAME_MANAGER::BuildPacks() {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  if (screenBack == nullptr) screenBack = MENU_OBJECTS::NewSprite("screen_back.jpg");
  screenBack->fSetPositionXY(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2 + 1));
  if (packs.lockSprite == nullptr) packs.lockSprite = MENU_OBJECTS::NewSprite("Lock.png");
  if (packs.lockFlashSprite == nullptr) packs.lockFlashSprite = MENU_OBJECTS::NewSprite("Lock_flash.png");
  if (packs.packFlashSprite == nullptr) packs.packFlashSprite = MENU_OBJECTS::NewSprite("pcbtn_flash.png");

  // The pack definitions and the rank list of the player file.
  pugi::xml_document file;
  MAHJONG_PLAYER::LoadPlayerFile(PlayerFilePath(), file);
  const pugi::xml_node packDefinitions = file.child("packs");
  const pugi::xml_node ranks = file.child("ranks");

  for (PACK_BUTTON* pack : packs.buttons) delete pack;
  packs.buttons.clear();
  float x = kPacksOutX;
  float y = kPacksTop;
  for (int i = 0; i < MAHJONG_PLAYER::kPacks; ++i) {
    const int n = i + 1;
    if (i > 0) {
      if (i % 2 == 0) {
        x = kPacksOutX;
        y += kRowStep;
      } else {
        x += kColumnStep;
      }
    }
    auto* pack = new PACK_BUTTON();
    pack->button = MENU_OBJECTS::NewButton("Pack_button.png", QOR::QC_HIT_AREA::kRectangle);
    pack->back = MENU_OBJECTS::NewSprite((std::to_string(n) + "_back.png").c_str());
    pack->button->fSetPosition(x, y);
    pack->back->fSetPositionXY(x, y);

    pugi::xml_node definition;
    const std::string id = std::to_string(n);
    for (const pugi::xml_node& child : packDefinitions.children()) {
      if (child.type() == pugi::node_element && id == child.attribute("id").value()) {
        definition = child;
        break;
      }
    }
    const char* rank = definition.attribute("rank").value();
    pack->name = lookUp(packNames, definition.attribute("name").value());
    pack->rankTitle = lookUp(rankTitles, rank);
    pack->price = MAHJONG_XML::AttributeInt(definition, "price");
    for (const pugi::xml_node& entry : ranks.children("rank")) {
      if (std::strcmp(entry.attribute("title").value(), rank) == 0) {
        pack->xp = MAHJONG_XML::AttributeInt(entry, "xp");
        break;
      }
    }
    // Pack 1 is always open.
    if (n == 1 || (player != nullptr && player->m_packs[i] == 1)) {
      pack->button->fReset();
    } else {
      pack->button->fDisable();
    }
    packs.buttons.push_back(pack);
  }

  if (packs.rankPlate == nullptr) {
    packs.rankPlate = newTwoFrameSprite("Exp_back.png");
    packs.rankPlate->fSetAnchor(QOR::QC_SPRITE::kAnchorBottomLeft, 0.0f, 0.0f);
  }
  if (packs.namePlate == nullptr) {
    packs.namePlate = MENU_OBJECTS::NewSprite("PackName_button.png");
    packs.namePlate->fSetAnchor(QOR::QC_SPRITE::kAnchorBottomCentre, 0.0f, 0.0f);
  }
  if (levels.flashSprite == nullptr) {
    levels.flashSprite = MENU_OBJECTS::NewSprite("flash.png");
    levels.flashSprite->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  }

  // The levels screen's page switch starts on page 1.
  if (pageArrow == nullptr) {
    pageArrow = new QOR::QC_IMAGE_BUTTON(rightArrow, nullptr, QOR::QC_HIT_AREA::kCircle, 0.0f, 0.0f);
  }
  page = 1;
  pageText = texts[TXT_PAGE] + L" %i/2";
  levels.pageTween.Stop();

  // The level buttons, off the screen at the right (page 1 from x 1590, page 2 960 further).
  float levelY = kLevelsTop;
  float baseX = kLevelsOutX;
  for (int i = 0; i < kLevelButtons; ++i) {
    if ((i % 3 == 0 && i >= 1 && i <= 9) || ((i - 1) % 3 == 0 && i > 9)) {
      levelY += kLevelRow;
      baseX -= 3.0f * kLevelColumn;
    }
    if (i == 10) {
      levelY = kLevelsTop;
      baseX += 1180.0f;
    }
    if (i == 9 || i == 19) baseX += kLevelColumn;
    if (levels.buttons[i] == nullptr) {
      levels.buttons[i] = MENU_OBJECTS::NewButton("Levels_button.png", QOR::QC_HIT_AREA::kRectangle);
    }
    levels.buttons[i]->fSetPosition(baseX + kLevelColumn * static_cast<float>(i), levelY);
  }
  if (packs.starSprite == nullptr) packs.starSprite = newTwoFrameSprite("star_active_passive.png");
  if (leftPanel.careerButton != nullptr) leftPanel.careerButton->fSelect();
  if (packs.glow == nullptr) packs.glow = MENU_OBJECTS::NewSprite("Pack_button_glow.png");
  if (levels.glow == nullptr) levels.glow = MENU_OBJECTS::NewSprite("Levels_button_glow.png");

  if (player != nullptr) {
    player->m_lastLevel = std::max(player->m_lastLevel, 1);
    player->m_lastPack = std::max(player->m_lastPack, 1);
    levels.MoveLevelGlow(player->m_lastLevel);
    packs.MovePackGlow(player->m_lastPack);
  }
  UpdatePackStars();
  UpdateRank(0);
}

void MAHJONG_GAME_MANAGER::UpdatePackStars() {
  for (std::size_t k = 0; k < packs.buttons.size(); ++k) {
    PACK_BUTTON* pack = packs.buttons[k];
    pack->stars = 0;
    if (pack->isLocked() || player == nullptr || k >= static_cast<std::size_t>(MAHJONG_PLAYER::kPacks)) continue;
    int sum = 0;
    int played = 0;
    for (int level = 1; level <= MAHJONG_PLAYER::kLevelsPerPack; ++level) {
      const int result = player->m_levels[MAHJONG_PLAYER::LevelIndex(static_cast<int>(k) + 1, level)];
      if (result >= 0) {
        sum += result;
        ++played;
      }
    }
    pack->stars = sum / std::max(played, 1);
  }
}

float PACKS_PARTS::FirstX() const {
  return !buttons.empty() && buttons[0]->button != nullptr ? buttons[0]->button->fGetPosition().x : 0.0f;
}

void PACKS_PARTS::MovePackGlow(int pack) {
  if (glow == nullptr || pack < 1 || pack > static_cast<int>(buttons.size())) return;
  const QOR::QS_VEC2 at = buttons[static_cast<std::size_t>(pack - 1)]->button->fGetPosition();
  glow->fSetPositionXY(at.x, at.y);
}

void PACKS_PARTS::Slide(float x) {
  if (buttons.empty()) return;
  // Pack 1 lands on x itself, so a finished slide stands exactly where the screen tests for it.
  const float dx = x - FirstX();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    PACK_BUTTON* pack = buttons[i];
    const QOR::QS_VEC2 at = pack->button->fGetPosition();
    const float newX = i == 0 ? x : at.x + dx;
    pack->button->fSetPosition(newX, at.y);
    if (pack->back != nullptr) pack->back->fSetPositionXY(newX, pack->back->fGetPosition().y);
  }
  if (glow != nullptr) {
    const QOR::QS_VEC2 at = glow->fGetPosition();
    glow->fSetPositionXY(at.x + dx, at.y);
  }
}

void MAHJONG_GAME_MANAGER::UpdatePacks() {
  // The left panel may have switched the screen in this tick.
  if (currentScreen != PACKS_SCREEN || packs.buttons.empty()) return;
  const float dt = QOR::qcFrameTime;
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();

  if (screenSlideTween.active) {
    packs.Slide(screenSlideTween.Update(dt));
    return;
  }
  // Slid out with the left panel in place: the requested screen. (A left panel that slid out too
  // makes the switch itself once it is out.)
  if (packs.FirstX() == kPacksOutX && !sidePanelTween.active && leftPanel.X() + 2.0f >= 0.0f) {
    ChangeScreen();
    return;
  }
  if (messageBox != nullptr && messageBox->isInfo()) {
    if (messageBox->fUpdate() == 1) messageBox->fHide();
    return;
  }
  if (messageBox != nullptr && messageBox->isQuestion()) {
    const int answer = messageBox->fUpdate();
    if (answer == 1) {
      BuyPack();
      messageBox->fHide();
    }
    if (answer != 0) packs.purchaseIndex = -1;
    return;
  }

  // What the player file keeps decides an unlock: a pack its experience and results earn opens
  // once the screen stands, also when the road that opens it on the way (the count-up after the
  // previous pack's last level) was cut short by a quit; the experience trophies that count-up
  // would have given come with it. One flash at a time: the two flash clocks are shared.
  const bool flashing = std::any_of(packs.buttons.begin(), packs.buttons.end(), [](const PACK_BUTTON* pack) {
    return pack->buttonFlash != 0 || pack->lockFlash != 0;
  });
  if (!flashing && OpenEarnedPack()) AwardRankTrophies();

  const MAHJONG_CONSTS& consts = *MAHJONG_CONSTS::GetInstance();
  packs.highlightFader.Update(dt);
  if (!packs.highlightFader.active && packs.glow != nullptr) {
    packs.highlightFader.Start(packs.glow, consts.pack_level_highlight, !packs.highlightFader.direction);
  }

  bool rankReached = true;
  for (std::size_t i = 0; i < packs.buttons.size(); ++i) {
    PACK_BUTTON* pack = packs.buttons[i];
    if (pack->buttonFlash != 0 && StepUnlockFlash(packs.packFlashSprite, packs.packFlashTimer,
                                                  {fx.packButtonScale, fx.packButtonTime, fx.packButtonFade}, dt)) {
      pack->button->fReset();
      pack->buttonFlash = 0;
      QOR::fLog() << "pack " << i + 1 << " open";
    }
    if (pack->lockFlash != 0) {
      // The lock breaks once, as its flash starts.
      if (pack->lockSoundPlayed == 0) {
        MENU_OBJECTS::PlaySound("pack_lock_broken.ogg");
        pack->lockSoundPlayed = 1;
      }
      if (StepUnlockFlash(packs.lockFlashSprite, packs.lockFlashTimer,
                          {fx.packLockScale, fx.packLockTime, fx.packLockFade}, dt)) {
        pack->lockFlash = 0;
        pack->lockSoundPlayed = 0;
        pack->button->fReset();
        if (packs.lockFlashSprite != nullptr) packs.lockFlashSprite->fSetColor(0xFFFFFFFFu);
      }
    }

    if (pack->isLocked() && pack->lockFlash == 0 && pack->buttonFlash == 0) {
      const QOR::QS_VEC2 at = pack->button->fGetPosition();
      const float width = static_cast<float>(pack->button->fGetWidth());
      const float height = static_cast<float>(pack->button->fGetHeight());
      if (MENU_OBJECTS::isKeyReleased(QOR::kMouseLeft) &&
          QOR::qcCurrentInput->isMouseInRect(at.x - width / 2.0f, at.y - height / 2.0f, width, height) &&
          messageBox != nullptr) {
        if (!rankReached) {
          messageBox->fShowMessage(texts[TXT_RANK_TOO_LOW], static_cast<float>(size.x / 2),
                                   static_cast<float>(size.y / 2));
        } else if (!isPackEarned(i)) {
          OfferPack(i);  // an earned pack opens by itself once no flash runs
        }
        return;
      }
    } else if (MENU_OBJECTS::isClicked(pack->button)) {
      MENU_OBJECTS::PlaySound("button_pack_click.ogg");
      if (leftPanel.careerButton != nullptr) leftPanel.careerButton->fReset();
      currentPack = static_cast<int>(i) + 1;
      screenSlideTween.Start(packs.FirstX(), kPacksOutX, fadeInOutTime);
      if (blackMask != nullptr) screenFade.Start(blackMask, fadeInOutTime, true);
      LoadLevelBackgrounds();
      requestedScreen = LEVELS_SCREEN;
      return;
    }
    if (rankTitle == pack->rankTitle) rankReached = false;
  }
}

void MAHJONG_GAME_MANAGER::OfferPack(std::size_t index) {
  if (player == nullptr || messageBox == nullptr || index >= packs.buttons.size()) return;
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  const float centreX = static_cast<float>(size.x / 2);
  const float centreY = static_cast<float>(size.y / 2);
  const PACK_BUTTON& pack = *packs.buttons[index];
  const int number = static_cast<int>(index) + 1;
  const int price = std::max(pack.price, 0);
  const std::wstring shownPrice = std::to_wstring(price);
  // The money earned counts, also what a running count-up still shows on its way. The trophies
  // its end gives come first, one box at a time: the pack is clicked again after them.
  CompleteCountUp();
  if (trophies.awardBox != nullptr && trophies.awardBox->isOpen()) return;
  if (player->m_money >= price) {
    packs.purchaseIndex = static_cast<int>(index);
    messageBox->fShowQuestion(0, LEVEL_ROAD_TEXT::FillIn(texts[TXT_BUY_PACK], shownPrice), centreX, centreY);
    QOR::fLog() << "pack " << number << " offered for " << price << ", money " << player->m_money;
    return;
  }
  // Too little money: the pack's other way in, its predecessor's last level, is still to do (the
  // pack would have opened by the rank rule otherwise).
  const std::wstring told = LEVEL_ROAD_TEXT::FillIn(texts[TXT_NOT_MONEY], shownPrice);
  messageBox->fShowMessage(told + L"\n" + texts[TXT_LAST_LEVEL_PACK], centreX, centreY);
  QOR::fLog() << "pack " << number << " costs " << price << ", money " << player->m_money << ": not enough";
}

void MAHJONG_GAME_MANAGER::BuyPack() {
  const int index = packs.purchaseIndex;
  if (player == nullptr || index < 0 || index >= static_cast<int>(packs.buttons.size()) ||
      index >= MAHJONG_PLAYER::kPacks) {
    return;
  }
  PACK_BUTTON* pack = packs.buttons[static_cast<std::size_t>(index)];
  const int price = std::max(pack->price, 0);
  // Bought once, and only with the money for it.
  if (!pack->isLocked() || player->m_packs[index] == 1 || player->m_money < price) return;
  pack->buttonFlash = 1;
  player->m_money -= price;
  player->m_packs[index] = 1;
  MakeLastPack(index + 1);
  SavePlayer();
  QOR::fLog() << "pack " << index + 1 << " bought for " << price << ", money left " << player->m_money;
}

void MAHJONG_GAME_MANAGER::MakeLastPack(int number) {
  if (player == nullptr) return;
  player->m_lastPack = number;
  player->m_lastLevel = 1;
  levels.MoveLevelGlow(1);
  packs.MovePackGlow(number);
}

void MAHJONG_GAME_MANAGER::RenderPacks() {
  render(screenBack);
  if (packs.starSprite != nullptr) packs.starSprite->fSetAnchor(QOR::QC_SPRITE::kAnchorRightCentre, 0.0f, 0.0f);
  // The glow marks the last pack; a pack number without a button (a hand-edited file) marks none.
  if (player != nullptr && player->m_lastPack >= 1 && player->m_lastPack <= static_cast<int>(packs.buttons.size())) {
    PACKS_PARTS::RenderHighlight(packs.glow);
  }

  const MAHJONG_CONSTS& consts = *MAHJONG_CONSTS::GetInstance();
  if (regularFont != nullptr) {
    regularFont->fSetAlign(0);
    regularFont->fSetColor(consts.money_color.fGetARGB());
  }
  bool rankReached = true;
  for (PACK_BUTTON* pack : packs.buttons) {
    const QOR::QS_VEC2 at = pack->button->fGetPosition();
    if (pack->buttonFlash != 0 && packs.packFlashSprite != nullptr)
      packs.packFlashSprite->fRenderAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
    render(pack->back);
    pack->button->fRender();

    const float width = static_cast<float>(pack->button->fGetWidth());
    const float height = static_cast<float>(pack->button->fGetHeight());
    if (packs.starSprite != nullptr) {
      for (int k = 0; k < 3; ++k) {
        packs.starSprite->fSetFrame(2, 1, pack->stars >= k + 1 ? 0 : 1);
        packs.starSprite->fRenderAt(at.x + width / 2.0f - 18.0f,
                                    at.y - height / 2.0f + 45.0f + 45.0f * static_cast<float>(k), 0.0f, 1.0f, 1.0f);
      }
    }
    if (pack->isLocked()) {
      if (packs.lockSprite != nullptr) {
        if (pack->lockFlash != 0 && packs.lockFlashSprite != nullptr) {
          packs.lockFlashSprite->fSetPositionXY(at.x, at.y);
          packs.lockFlashSprite->fRender();
          packs.lockSprite->fSetColor(packs.lockFlashSprite->fGetVertexColor(0));
        } else {
          packs.lockSprite->fSetColor(0xFFFFFFFFu);
        }
        packs.lockSprite->fRenderAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
      }
      if (packs.rankPlate != nullptr) {
        packs.rankPlate->fSetFrame(2, 1, rankReached ? 1 : 0);
        packs.rankPlate->fRenderAt(at.x - width / 2.0f - 5.0f, at.y + height / 2.0f, 0.0f, 1.0f, 1.0f);
      }
      PrintText(regularFont, truncated(at.x - width / 2.0f + 90.0f), truncated(at.y + height / 2.0f - 23.0f),
                pack->rankTitle);
    } else {
      if (packs.namePlate != nullptr) packs.namePlate->fRenderAt(at.x, at.y + height / 2.0f, 0.0f, 1.0f, 1.0f);
      PrintText(regularFont, truncated(at.x), truncated(at.y + height / 2.0f - 23.0f), pack->name);
    }
    if (rankTitle == pack->rankTitle) rankReached = false;
  }
  if (regularFont != nullptr) regularFont->fSetColor(MENU_OBJECTS::GoldenColor());
  render(blackMask);
}

// A pulse changes the highlight's alpha a little at every frame, and each change the screen draws
// costs a redraw of the highlight's rim. Drawn in fifths, a pulse changes the picture about six
// times a second instead of sixty, and the soft glow still swells and fades. The fader keeps its
// own alpha.
void PACKS_PARTS::RenderHighlight(QOR::QC_SPRITE* glow) {
  if (glow == nullptr) return;
  const std::uint32_t colour = glow->fGetVertexColor(0);
  const std::uint32_t step = ((colour >> 24) * kHighlightSteps + 127) / 255;
  glow->fSetColor((step * 255 / kHighlightSteps) << 24 | (colour & 0x00FFFFFFu));
  glow->fRender();
  glow->fSetColor(colour);
}

void PACKS_PARTS::Free() {
  for (PACK_BUTTON* pack : buttons) delete pack;
  buttons.clear();
  for (QOR::QC_SPRITE** sprite :
       {&lockSprite, &lockFlashSprite, &packFlashSprite, &rankPlate, &namePlate, &starSprite, &glow}) {
    MENU_OBJECTS::DeleteSprite(*sprite);
  }
}
