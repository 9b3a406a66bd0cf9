// Trophies: the rules that award them on board events and experience gains (a trophy is the
// player's, and saved, from its award on), the award box that shows a newly won trophy until the
// player confirms it, and the trophies screen, a shelf of twelve places over two pages that slides
// in from the right.
#include "engine/loc/qc_locman.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/flow/game_font.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/pack_button.h"
#include "game/flow/print_text.h"
#include "game/flow/store_message_box.h"
#include "game/flow/trophy_item.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

constexpr float kShelfRise = 110.0f;  // the shelf's y above the screen bottom

// The shelf's x on page 2: its places then stand where page 1's stood.
float page2ShelfX(int screenWidth) { return static_cast<float>(screenWidth - TROPHY_ITEM::kPageOffset); }

// The twelve places of the shelf: each shows the highest owned trophy of its group (listed highest
// first), else the concealed look of the group's lowest trophy (listed last).
struct PLACE_GROUP {
  int ids[6];
  int count;
};
constexpr PLACE_GROUP kPlaces[MAHJONG_GAME_MANAGER::kTrophySlots] = {
    {{3, 2, 1}, 3},    {{8, 7, 6, 5, 4}, 5}, {{9}, 1},         {{10}, 1},         {{11}, 1},         {{12}, 1},
    {{13}, 1},         {{14}, 1},            {{17, 16, 15}, 3}, {{20, 19, 18}, 3}, {{23, 22, 21}, 3}, {{26, 25, 24}, 3},
};

}  // namespace

bool MAHJONG_GAME_MANAGER::HasTrophy(int id) const {
  return player != nullptr && std::find(player->m_trophies.begin(), player->m_trophies.end(), id) !=
                                  player->m_trophies.end();
}

void MAHJONG_GAME_MANAGER::CheckTrophies(int code) {
  if (player == nullptr) return;
  const MAHJONG_PLAYER& p = *player;
  // A rule fires when its trophy is not owned and its condition holds; the first that fires ends
  // the check, so one call awards one trophy at most.
  const auto award = [this](int id, bool condition) {
    if (!condition || HasTrophy(id)) return false;
    AwardTrophy(id);
    return true;
  };
  switch (code) {
    case kEventXPRaised:
      // Trophies 4..8: the experience of packs 2..6.
      for (std::size_t i = 1; i < packs.buttons.size() && i <= 5; ++i) {
        if (award(3 + static_cast<int>(i), p.m_XP >= static_cast<float>(packs.buttons[i]->xp))) return;
      }
      return;
    case MAHJONG_LAYOUT::kEventPairRemoved: {
      const MAHJONG_HUD_PANEL* panel = board != nullptr ? board->GetPanel() : nullptr;
      const int multiplier = panel != nullptr ? panel->GetMultiplier() : 0;
      (void)(award(1, p.m_totalScore > 99999) || award(2, p.m_totalScore > 499999) ||
             award(3, p.m_totalScore > 999999) || award(15, p.m_totalTilesRemoved > 999) ||
             award(16, p.m_totalTilesRemoved > 4999) || award(17, p.m_totalTilesRemoved > 9999) ||
             award(21, multiplier == 5) || award(22, multiplier == 10) || award(23, multiplier == 15));
      return;
    }
    case MAHJONG_LAYOUT::kEventShuffle:
      (void)(award(18, p.m_totalBonusUsed > 49) || award(19, p.m_totalBonusUsed > 99) ||
             award(20, p.m_totalBonusUsed >= 250));
      return;
    case MAHJONG_LAYOUT::kEventLevelComplete: {
      // Trophies 9..14: the last level of packs 1..6.
      const int boardPack = board != nullptr ? board->m_pack : 0;
      const int boardLevel = board != nullptr ? board->m_level : 0;
      for (int pack = 1; pack <= MAHJONG_PLAYER::kPacks; ++pack) {
        if (award(8 + pack, boardPack == pack && boardLevel == MAHJONG_PLAYER::kLevelsPerPack)) return;
      }
      // The star trophies only for a level just finished with three stars.
      const bool known = currentPack >= 1 && currentPack <= MAHJONG_PLAYER::kPacks && currentLevel >= 1 &&
                         currentLevel <= MAHJONG_PLAYER::kLevelsPerPack;
      if (!known || p.m_levels[MAHJONG_PLAYER::LevelIndex(currentPack, currentLevel)] != 3) return;
      const auto threeStars = static_cast<int>(std::count(std::begin(p.m_levels), std::end(p.m_levels), 3));
      (void)(award(24, threeStars >= 30) || award(25, threeStars >= 60) ||
             award(26, threeStars == MAHJONG_PLAYER::kLevels));
      return;
    }
    default:
      return;
  }
}

void MAHJONG_GAME_MANAGER::AwardTrophy(int id) {
  // Awards are shown one at a time: a trophy won while another one's box is open is the player's
  // (and saved) at once, and its own box follows once that one has gone.
  if (trophies.awardBox != nullptr && trophies.awardBox->isOpen()) {
    if (player == nullptr || HasTrophy(id)) return;
    player->m_trophies.push_back(id);
    trophies.pending.push_back(id);
    SavePlayer();
    return;
  }
  ShowAward(id);
  trophies.awardRecorded = false;
  // Earned is kept: the trophy is the player's and saved now; the box only shows it, so a game
  // closed before its OK keeps it.
  RecordAwardedTrophy();
}

void MAHJONG_GAME_MANAGER::ShowPendingAward() {
  if (trophies.pending.empty() || (trophies.awardBox != nullptr && trophies.awardBox->isOpen())) return;
  const int id = trophies.pending.front();
  trophies.pending.erase(trophies.pending.begin());
  ShowAward(id);
  trophies.awardRecorded = true;  // when it was won
}

void MAHJONG_GAME_MANAGER::ShowAward(int id) {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  MENU_OBJECTS::PlaySound("trophie.ogg");
  if (trophies.awardBox == nullptr) trophies.awardBox = new STORE_MESSAGE_BOX();
  trophies.awardBox->fShowMessage(L"", static_cast<float>(size.x / 2), static_cast<float>(size.y / 2));
  const pugi::xml_document* trophyFile = QOR::QC_GAME::fLoadXml("trophies.xml");
  delete trophies.awarded;
  // Making the item's sprite touches no device state, so it needs no pause between frames.
  trophies.awarded = new TROPHY_ITEM(id, *trophyFile, locman);
  // The item holds its own picture and texts: the document is given back at once.
  MENU_OBJECTS::GiveBackDocument(trophyFile);
}

void MAHJONG_GAME_MANAGER::RecordAwardedTrophy() {
  if (trophies.awardRecorded || trophies.awarded == nullptr || player == nullptr) return;
  trophies.awardRecorded = true;
  const int id = trophies.awarded->fGetId();
  if (HasTrophy(id)) return;
  player->m_trophies.push_back(id);
  SavePlayer();
}

void MAHJONG_GAME_MANAGER::RenderAwardedTrophy() {
  if (trophies.awarded == nullptr || trophies.awardBox == nullptr) return;
  const QOR::QS_VEC2 at = trophies.awardBox->fGetPosition();
  trophies.awarded->fSetPosition(at.x - 100.0f, at.y + 100.0f);
  if (boldFont != nullptr) boldFont->fSetColor(0xFFFFFFFFu);
  trophies.awarded->fRender(boldFont, regularFont);
}

void MAHJONG_GAME_MANAGER::BuildTrophies() {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();

  delete trophies.font;
  trophies.font = nullptr;
  MENU_OBJECTS::GiveBack(trophies.fontPage);
  trophies.fontPage = nullptr;
  if (locman != nullptr) {
    trophies.font =
        LoadGameFont(locman->fGetValue("big_font_fnt"), locman->fGetValue("big_font_png"), &trophies.fontPage);
  }
  if (trophies.font != nullptr) {
    trophies.font->_spacing = -3;
    trophies.font->fSetColor(MENU_OBJECTS::GoldenColor());
    trophies.font->fSetAlign(0);
  }

  trophies.pageTween = VALUE_TWEEN();
  trophies.pageTween.t = trophies.pageTween.duration = 0.5f;  // finished

  if (pageArrow == nullptr) {
    pageArrow = new QOR::QC_IMAGE_BUTTON(rightArrow, nullptr, QOR::QC_HIT_AREA::kCircle, 0.0f, 0.0f);
  } else if (rightArrow != nullptr) {
    pageArrow->fSetStrip(rightArrow);
  }
  const std::wstring pageFormat = texts[TXT_PAGE] + L" %i/2";
  const int textWidth = regularFont != nullptr ? regularFont->fGetFixedWidthW(pageFormat.c_str()) : 0;
  pageArrow->fSetPosition(MENU_OBJECTS::PageArrowX(size.x, textWidth, 1),
                          static_cast<float>(size.y - MENU_OBJECTS::kArrowRise));

  MENU_OBJECTS::DeleteSprite(trophies.shelf);
  trophies.shelf = MENU_OBJECTS::NewSprite("shelf.png");
  trophies.shelf->fSetSize(2200, 48);
  trophies.shelf->fSetPositionXY(static_cast<float>(size.x) + kShelfOutBeyond, static_cast<float>(size.y) - kShelfRise);

  // An award still on show keeps its box (its trophy is recorded already).
  if (trophies.awardBox == nullptr || !trophies.awardBox->isOpen()) {
    delete trophies.awardBox;
    trophies.awardBox = new STORE_MESSAGE_BOX();
  }

  const pugi::xml_document* trophyFile = QOR::QC_GAME::fLoadXml("trophies.xml");
  for (int place = 0; place < kTrophySlots; ++place) {
    delete trophies.slots[place];
    const PLACE_GROUP& group = kPlaces[place];
    int shown = -group.ids[group.count - 1];
    for (int i = 0; i < group.count; ++i) {
      if (HasTrophy(group.ids[i])) {
        shown = group.ids[i];
        break;
      }
    }
    trophies.slots[place] = new TROPHY_ITEM(shown, *trophyFile, locman);
  }
  MENU_OBJECTS::GiveBackDocument(trophyFile);
  trophies.Slide(trophies.shelf->fGetPosition().x);  // the places ride off the screen with the shelf
  page = 1;
}

void TROPHIES_PARTS::Slide(float x) {
  if (shelf == nullptr) return;
  // The shelf lands on x itself, so a finished slide stands exactly where the screen tests for it.
  // Each place keeps its table x plus the shelf's distance from page 1 (the shelf at the screen
  // width), so no rounding adds up over the slides.
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  const float offset = x - static_cast<float>(size.x);
  shelf->fSetPositionXY(x, shelf->fGetPosition().y);
  for (TROPHY_ITEM* item : slots) {
    if (item == nullptr) continue;
    float placeX = 0.0f;
    float placeY = 0.0f;
    item->fGetPosition(placeX, placeY);
    int tableX = 0;
    int tableY = 0;
    TROPHY_ITEM::fPlace(item->fGetId(), size.x, size.y, tableX, tableY);
    item->fSetPosition(static_cast<float>(tableX) + offset, placeY);
  }
}

void MAHJONG_GAME_MANAGER::UpdateTrophies() {
  // The left panel may have switched the screen in this tick.
  if (currentScreen != TROPHIES_SCREEN || trophies.shelf == nullptr) return;
  const float dt = QOR::qcFrameTime;
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();

  if (screenSlideTween.active) {
    trophies.Slide(screenSlideTween.Update(dt));
    return;
  }
  // Slid out with the left panel in place: the requested screen. (A left panel that slid out too
  // makes the switch itself once it is out.)
  if (trophies.shelf->fGetPosition().x == static_cast<float>(size.x) + kShelfOutBeyond && !sidePanelTween.active &&
      leftPanel.X() + 2.0f >= 0.0f) {
    ChangeScreen();
    return;
  }

  // The page switch: clicks wait until a page turn has ended.
  if (trophies.pageTween.active) {
    trophies.Slide(trophies.pageTween.Update(dt));
    return;
  }
  if (!MENU_OBJECTS::isClicked(pageArrow)) return;
  MENU_OBJECTS::PlaySound("button_click.ogg");
  const std::wstring pageFormat = texts[TXT_PAGE] + L" %i/2";
  const int textWidth = regularFont != nullptr ? regularFont->fGetFixedWidthW(pageFormat.c_str()) : 0;
  const float shelfX = trophies.shelf->fGetPosition().x;
  const float arrowY = static_cast<float>(size.y - MENU_OBJECTS::kArrowRise);
  QOR::QC_TEXTURE_INFO* arrow = nullptr;
  if (page == 1) {
    trophies.pageTween.Start(shelfX, page2ShelfX(size.x), fx.browseTrophySpeed);
    arrow = leftArrow;
    pageArrow->fSetPosition(MENU_OBJECTS::PageArrowX(size.x, textWidth, 2), arrowY);
    page = 2;
  } else {
    trophies.pageTween.Start(shelfX, static_cast<float>(size.x), fx.browseTrophySpeed);
    arrow = rightArrow;
    pageArrow->fSetPosition(MENU_OBJECTS::PageArrowX(size.x, textWidth, 1), arrowY);
    page = 1;
  }
  if (arrow != nullptr) pageArrow->fSetStrip(arrow);
  // A browsing time of 0 or less turns the page at once.
  if (!trophies.pageTween.active) trophies.Slide(trophies.pageTween.end);
}

void MAHJONG_GAME_MANAGER::RenderTrophies() {
  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  if (screenBack != nullptr) screenBack->fRender();
  if (trophies.font != nullptr) {
    trophies.font->fSetAlign(0);
    PrintText(trophies.font, size.x / 2 + MENU_OBJECTS::kPageTextX, 50, texts[TXT_TROPHIES_NAME]);
  }
  if (darkBack2 != nullptr) darkBack2->fRender();
  if (trophies.shelf != nullptr) {
    // Three shelves from one sprite, each continued by a second one to its right: one shelf is
    // shorter than the two pages together, and page 2's trophies stand on the continuation.
    const QOR::QS_VEC2 at = trophies.shelf->fGetPosition();
    trophies.shelf->fRender();
    for (const float dx : {0.0f, trophies.shelf->fGetWidth()}) {
      if (dx != 0.0f) trophies.shelf->fRenderAt(at.x + dx, at.y, 0.0f, 1.0f, 1.0f);
      trophies.shelf->fRenderAt(at.x + dx, static_cast<float>(size.y - arrowOffset1), 0.0f, 1.0f, 1.0f);
      trophies.shelf->fRenderAt(at.x + dx, static_cast<float>(size.y - arrowOffset2), 0.0f, 1.0f, 1.0f);
    }
  }
  if (regularFont != nullptr) regularFont->fSetColor(MENU_OBJECTS::GoldenColor());
  if (boldFont != nullptr) boldFont->fSetColor(0xFFFFFFFFu);
  for (TROPHY_ITEM* item : trophies.slots) {
    if (item != nullptr) item->fRender(boldFont, regularFont);
  }
  if (pageArrow != nullptr) pageArrow->fRender();
  if (regularFont != nullptr) {
    regularFont->fSetAlign(0);
    PrintText(regularFont, size.x / 2 + MENU_OBJECTS::kPageTextX, size.y - MENU_OBJECTS::kArrowRise,
              texts[TXT_PAGE] + L" " + std::to_wstring(page) + L"/2");
  }
  if (boldFont != nullptr) boldFont->fSetAlign(0);
}

void TROPHIES_PARTS::Free() {
  for (TROPHY_ITEM*& slot : slots) {
    delete slot;
    slot = nullptr;
  }
  delete awarded;
  awarded = nullptr;
  awardRecorded = true;
  pending.clear();
  MENU_OBJECTS::DeleteSprite(shelf);
  delete awardBox;
  awardBox = nullptr;
  delete font;
  font = nullptr;
  MENU_OBJECTS::GiveBack(fontPage);
  fontPage = nullptr;
}
