#include "game/flow/store_item.h"

#include "engine/files/qc_file_system.h"
#include "engine/loc/qc_locman.h"
#include "engine/math/float_to_int.h"
#include "engine/math/qs_vec2.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_player.h"
#include "game/board/resource_folders.h"
#include "game/board/xml_numbers.h"
#include "game/flow/game_globals.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/print_text.h"
#include "gui/widgets/qc_image_button.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr const char* kSettingsFile = "store_settings.xml";
constexpr const char* kBonusEnd = "data/buttons/ Bonus_end.png";
constexpr const char* kSkillEnd = "data/buttons/ Skill_End.png";
constexpr int kTitleDx = 90;
constexpr int kTitleDy = -50;

// The folder is registered once; a second registration would only log that it exists.
void RegisterFolder(const char* folder) {
  if (QOR::qcRESOURCE_LOADER != nullptr && QOR::qcRESOURCE_LOADER->fGetPack(folder) != nullptr) return;
  QOR::QC_GAME::fAddPack(folder);
}

// The level one past what the profile owns, within the store's levels: a damaged profile's record
// (negative, or far past the last level) neither overflows nor names a level the store lacks.
int LevelAfter(int owned) {
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{owned} + 1, 1, STORE_ITEM::kFullyImproved));
}

bool IsSlot(int kind) { return kind == STORE_ITEM::kBonusSlot || kind == STORE_ITEM::kAbilitySlot; }

// The first child element with that attribute equal to the number as decimal text.
pugi::xml_node ChildWith(const pugi::xml_node& parent, const char* element, const char* attribute, int value) {
  const std::string text = std::to_string(value);
  return parent.find_child_by_attribute(element, attribute, text.c_str());
}

void Unsubscribe(QOR::QC_TEXTURE_INFO*& image) {
  if (image != nullptr) QOR::QC_GAME::fUnscribeImage(image);
  image = nullptr;
}

}  // namespace

const char* STORE_ITEM::fButtonImageName(int kind, int level) {
  static const char* const kBonusButtons[4] = {"data/buttons/ Bonus_01.png", "data/buttons/ Bonus_02.png",
                                               "data/buttons/ Bonus_03.png", "data/buttons/ Bonus_04.png"};
  static const char* const kSkillButtons[4] = {"data/buttons/ Skill_01.png", "data/buttons/ Skill_02.png",
                                               "data/buttons/ Skill_03.png", "data/buttons/ Skill_04.png"};
  const int index = level >= 1 && level <= 3 ? level - 1 : 3;
  switch (kind) {
    case kBonus:
      return kBonusButtons[index];
    case kAbility:
      return kSkillButtons[index];
    case kBonusSlot:
      return "data/buttons/ Bonus_Slot.png";
    case kAbilitySlot:
      return "data/buttons/ Skill_Slot.png";
    default:
      return nullptr;
  }
}

QOR::QC_TEXTURE_INFO* STORE_ITEM::fCreateButton(int kind, int level) {
  const char* name = fButtonImageName(kind, level);
  return name != nullptr ? QOR::QC_GAME::fSubscribeImage(name) : nullptr;
}

const char* STORE_ITEM::fLabelImageName(int kind, int id, int level) {
  static const char* const kBonusLabels[4] = {"data/buttons/labels/ Bonus1_1.png", "data/buttons/labels/ Bonus1_2.png",
                                              "data/buttons/labels/ Bonus1_3.png", "data/buttons/labels/ Bonus1_4.png"};
  static const char* const kSkill1Labels[4] = {"data/buttons/labels/ Skill1_1.png", "data/buttons/labels/ Skill1_2.png",
                                               "data/buttons/labels/ Skill1_3.png", "data/buttons/labels/ Skill1_4.png"};
  static const char* const kSkill2Labels[4] = {"data/buttons/labels/ Skill2_1.png", "data/buttons/labels/ Skill2_2.png",
                                               "data/buttons/labels/ Skill2_3.png", "data/buttons/labels/ Skill2_4.png"};
  // The pictures go up to level 4; a fully improved ability keeps the last one.
  const int index = std::clamp(level, 1, 4) - 1;
  if (kind == kBonus) return id >= 1 && id <= 4 ? kBonusLabels[id - 1] : nullptr;
  if (kind != kAbility) return nullptr;
  switch (id) {
    case 1:
      return kSkill1Labels[index];
    case 2:
      return kSkill2Labels[index];
    case 3:
      return "data/buttons/labels/ Skill3.png";
    case 4:
      return "data/buttons/labels/ Skill4.png";
    default:
      return nullptr;
  }
}

STORE_ITEM::STORE_ITEM(int itemKind, MAHJONG_PLAYER* player, pugi::xml_document* settings, float x, float y,
                       int buttonType, const char* idText, QOR::QC_LOCMAN* strings)
    : button(nullptr),
      label(nullptr),
      price(0.0f),
      kind(itemKind),
      id(MAHJONG_XML::ToInt(idText)),
      level(1),
      _strings(strings),
      _buttonImage(nullptr),
      _labelImage(nullptr) {
  RegisterFolder(MAHJONG_FOLDERS::kButtons);
  RegisterFolder(MAHJONG_FOLDERS::kButtonLabels);

  if (player != nullptr) {
    if (kind == kAbility) {
      for (const PLAYER_ABILITY& ability : player->m_abilities) {
        if (ability.id == id) {
          level = LevelAfter(ability.impr);
          break;
        }
      }
    } else if (kind == kAbilitySlot) {
      level = LevelAfter(player->m_abilitySlots);
    } else if (kind == kBonusSlot) {
      level = LevelAfter(player->m_bonusSlots);
    } else if (kind == kBonus) {
      if (const PLAYER_BONUS* bonus = player->FindBonus(id)) level = LevelAfter(bonus->impr);
    }
  }

  if (kind == kBonus || kind == kAbility) fSetLabel(fLabelImageName(kind, id, level));

  _buttonImage = fCreateButton(kind, level);
  button = new QOR::QC_IMAGE_BUTTON(_buttonImage, nullptr, buttonType, 0.0f, 0.0f);
  fDisableWhenDone();
  fSetPosition(x, y);
  fReadLeaf(settings);
}

STORE_ITEM::~STORE_ITEM() {
  delete button;
  delete label;
  Unsubscribe(_buttonImage);
  Unsubscribe(_labelImage);
}

void STORE_ITEM::fDisableWhenDone() {
  if (level >= kFullyImproved || (IsSlot(kind) && level >= 4)) button->fDisable();
}

pugi::xml_node STORE_ITEM::fFindLeaf(const pugi::xml_document& settings) const {
  switch (kind) {
    case kBonus:
      return ChildWith(ChildWith(settings.child("bonuses"), "bonus", "id", id), "improve", "lvl", level);
    case kAbility:
      return ChildWith(ChildWith(settings.child("abilities"), "ability", "id", id), "improve", "lvl", level);
    case kBonusSlot:
      return ChildWith(settings.child("slots4bonus"), "slot", "id", level);
    case kAbilitySlot:
      return ChildWith(settings.child("slots4ability"), "slot", "id", level);
    default:
      return pugi::xml_node();
  }
}

void STORE_ITEM::fReadLeaf(const pugi::xml_document* settings) {
  const pugi::xml_node leaf = settings != nullptr ? fFindLeaf(*settings) : pugi::xml_node();
  const std::string titleKey = leaf.attribute("title").value();
  fLoadTexts(MAHJONG_XML::AttributeFloat(leaf, "price"), titleKey.c_str());
}

std::wstring STORE_ITEM::fText(const char* key) const {
  const QOR::QC_LOCMAN* strings = _strings;
  if (strings == nullptr && gameManager != nullptr) strings = gameManager->GetLocman();
  return pugi::as_wide(strings != nullptr ? strings->fGetValue(key) : "not found");
}

void STORE_ITEM::fLoadTexts(float itemPrice, const char* titleKey) {
  price = itemPrice;
  std::string key;
  switch (kind) {
    case kBonus:
      key = "bn" + std::to_string(id) + std::to_string(level);
      break;
    case kBonusSlot:
      key = "bnslot" + std::to_string(level);
      break;
    case kAbility:
      key = "ab" + std::to_string(id) + std::to_string(level);
      break;
    case kAbilitySlot:
      key = "abslot" + std::to_string(level);
      break;
    default:
      break;
  }
  text = fText(key.c_str());
  title = fText(titleKey != nullptr ? titleKey : "");
}

void STORE_ITEM::fSetLabel(const char* name) {
  QOR::QC_TEXTURE_INFO* old = _labelImage;
  delete label;
  label = nullptr;
  _labelImage = nullptr;
  if (name != nullptr) {
    _labelImage = QOR::QC_GAME::fSubscribeImage(name);
    label = new QOR::QC_SPRITE(_labelImage);
    if (button != nullptr) {
      const QOR::QS_VEC2 at = button->fGetPosition();
      label->fSetPositionXY(at.x, at.y);
    }
  }
  Unsubscribe(old);
}

void STORE_ITEM::fSetButtonImage(QOR::QC_TEXTURE_INFO* image) {
  button->fSetStrip(image);
  Unsubscribe(_buttonImage);
  _buttonImage = image;
}

void STORE_ITEM::fSetImprovement(int newLevel) {
  QOR::fLog() << " void    STORE_ITEM::fSetImprovement(" << newLevel << ")";
  if (newLevel < 1 || newLevel > kFullyImproved) return;
  level = newLevel;
  const char* name = fButtonImageName(kind, level);
  if (name != nullptr) {
    if (std::strcmp(name, kBonusEnd) == 0 || std::strcmp(name, kSkillEnd) == 0) {
      title.clear();
      text = L"";
      price = 0.0f;
    }
    fSetButtonImage(QOR::QC_GAME::fSubscribeImage(name));
    pugi::xml_document settings;
    std::string bytes;
    // Read only when it is a regular file: a pipe in its place would hold the game.
    if (QOR::QC_FILE_SYSTEM::fReadRegularFile(kSettingsFile, bytes) == 1) {
      settings.load_buffer(bytes.data(), bytes.size());
    }
    fReadLeaf(&settings);
    fDisableWhenDone();
  }
  if (kind == kAbility && (id == 1 || id == 2)) fSetLabel(fLabelImageName(kind, id, level));
}

void STORE_ITEM::fSetPosition(float x, float y) {
  button->fSetPosition(x, y);
  if (label != nullptr) label->fSetPositionXY(x, y);
}

void STORE_ITEM::fRender(QOR::QC_FONT* titleFont, QOR::QC_FONT* textFont, float priceDx, float priceDy) {
  if (level >= kFullyImproved) return;
  const QOR::QS_VEC2 at = button->fGetPosition();
  button->fRender();
  if (label != nullptr) {
    label->fSetPositionXY(at.x, at.y);
    label->fRender();
  }
  if (titleFont == nullptr || textFont == nullptr) return;
  const int x = QOR::fTruncateToInt(at.x) + kTitleDx;
  const int y = QOR::fTruncateToInt(at.y) + kTitleDy;
  titleFont->fSetAlign(QOR::QC_SPRITE::kAnchorTopLeft);
  titleFont->fSetColor(0xFFFFFFFFu);
  PrintText(titleFont, x, y, title);
  const float space = MAHJONG_CONSTS::GetInstance()->trophies_store_header_text_space +
                      static_cast<float>(titleFont->fCountLinesW(title.c_str()));
  PrintText(textFont, x, QOR::fTruncateToInt(static_cast<float>(y) + space * static_cast<float>(titleFont->fGetLineHeight())),
            text);
  if (price > 0.0f) {
    titleFont->fSetColor(MAHJONG_CONSTS::GetInstance()->money_color.fGetARGB());
    titleFont->fSetAlign(QOR::QC_SPRITE::kAnchorCentre);
    const float priceY = at.y + priceDy + static_cast<float>(button->fGetHeight()) / 2.0f * 1.2f;
    titleFont->fPrint(QOR::fTruncateToInt(at.x + priceDx), QOR::fTruncateToInt(priceY), "%i",
                      QOR::fTruncateToInt(price));
  }
}
