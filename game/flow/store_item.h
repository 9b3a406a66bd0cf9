// One entry of the store: a bonus, an ability, or an extra bonus or ability slot, shown as a
// button with a label picture, a title, a description and a price, at an improvement level 1 to 4
// (5: nothing left to buy). Texts and prices come from store_settings.xml, the texts themselves
// from the string table. Its pictures lie in the folders "data/buttons/" and
// "data/buttons/labels/", which the item registers.
#pragma once

#include <string>

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace QOR {
class QC_FONT;
class QC_IMAGE_BUTTON;
class QC_LOCMAN;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

class MAHJONG_PLAYER;

class STORE_ITEM {
 public:
  enum KIND : int { kBonus = 0, kBonusSlot = 1, kAbility = 2, kAbilitySlot = 3 };
  static constexpr int kFullyImproved = 5;

  // The level comes from the player (the owned bonus's or ability's improvement + 1, or the
  // number of slots + 1, kept within 1..5; 1 without a record or player); the title key and price
  // from the settings leaf of that level. buttonType is the button's hit area (1 circle, 2
  // rectangle). The texts are looked up in strings (the game manager's table when null). An item
  // with nothing left to buy is inactive.
  STORE_ITEM(int kind, MAHJONG_PLAYER* player, pugi::xml_document* settings, float x, float y, int buttonType,
             const char* idText, QOR::QC_LOCMAN* strings = nullptr);
  // Deletes the button and the label and gives their pictures back.
  ~STORE_ITEM();
  STORE_ITEM(const STORE_ITEM&) = delete;
  STORE_ITEM& operator=(const STORE_ITEM&) = delete;

  // The resource name of the button picture of that kind and level, or null for another kind.
  static const char* fButtonImageName(int kind, int level);
  // That picture, subscribed; null for another kind.
  static QOR::QC_TEXTURE_INFO* fCreateButton(int kind, int level);
  // The resource name of the label picture of a bonus or ability at that level, or null.
  static const char* fLabelImageName(int kind, int id, int level);

  // A new level from 1 to 5 (logged; others change nothing): the button picture, title, price
  // and description of that level from store_settings.xml in the working folder, the label of
  // abilities 1 and 2, and the button inactive once nothing is left to buy.
  void fSetImprovement(int level);
  // Keeps the price; the description (key "bn" id level, "bnslot" level, "ab" id level or
  // "abslot" level) and the title (the given key) from the string table.
  void fLoadTexts(float price, const char* titleKey);
  // While something is left to buy: the button and label, and with both fonts the title, the
  // description and (above 0) the price offset by (priceDx, priceDy).
  void fRender(QOR::QC_FONT* titleFont, QOR::QC_FONT* textFont, float priceDx, float priceDy);
  // Moves the button and the label.
  void fSetPosition(float x, float y);

  QOR::QC_IMAGE_BUTTON* fGetButton() const { return button; }
  QOR::QC_SPRITE* fGetLabel() const { return label; }

  QOR::QC_IMAGE_BUTTON* button;
  QOR::QC_SPRITE* label;  // null for slots
  float price;
  int kind;
  int id;     // bonus or ability id, 1..4
  int level;  // improvement level or slot number; 5 = nothing left to buy
  std::wstring text;
  std::wstring title;

 private:
  // The settings leaf of the item at its level (empty when the document holds none).
  pugi::xml_node fFindLeaf(const pugi::xml_document& settings) const;
  // Reads the leaf's title key and price into the texts.
  void fReadLeaf(const pugi::xml_document* settings);
  void fSetLabel(const char* name);
  void fSetButtonImage(QOR::QC_TEXTURE_INFO* image);
  void fDisableWhenDone();
  std::wstring fText(const char* key) const;

  QOR::QC_LOCMAN* _strings;
  QOR::QC_TEXTURE_INFO* _buttonImage;
  QOR::QC_TEXTURE_INFO* _labelImage;
};
