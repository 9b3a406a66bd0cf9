// The editor menu's life and input: its widgets are built at fixed places of the menu column, kept
// in step once per tick, and released with the menu.
#include "game/board/editor_menu.h"

#include "engine/files/qc_file_system.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_layout.h"
#include "game/board/resource_folders.h"
#include "game/board/tile_metrics.h"
#include "game/board/xml_numbers.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_gui_textbox.h"
#include "gui/widgets/qc_image_button.h"
#include "gui/widgets/qc_image_checkbox.h"

#include <pugixml.hpp>

#include <cstring>

namespace {

constexpr float kBase = 5.0f;  // the layout's base offset
constexpr int kFontBuffer = 600;
constexpr float kSuitBoxX = 15.0f;
constexpr float kSuitBoxTop = 614.0f;
constexpr float kSuitBoxStep = 20.0f;
constexpr const char* kKindNames[EDITOR_MENU::kKindCount] = {"time", "money", "moves"};
// The order in which the kind boxes are read when the level is written: the last checked wins.
constexpr EDITOR_MENU::TASK_KIND kWriteOrder[EDITOR_MENU::kKindCount] = {
    EDITOR_MENU::kKindMoney, EDITOR_MENU::kKindTime, EDITOR_MENU::kKindMoves};

constexpr int kStateUnchecked = 0;
constexpr int kStateChecked = 3;

// A folder pack is registered where a folder of that name is and no pack of the name is open yet.
void RegisterFolder(const char* name) {
  if (QOR::qcRESOURCE_LOADER == nullptr || QOR::qcRESOURCE_LOADER->fGetPack(name) != nullptr) return;
  QOR::QC_FILE_SYSTEM* files = QOR::QC_FILE_SYSTEM::fGetInstance();
  if (files->fGetPathType(files->fGetResourceDirectory() + name) == 2) QOR::QC_GAME::fAddPack(name);
}

QOR::QC_SPRITE* MakeSprite(QOR::QC_TEXTURE_INFO* image, int width, int height, int anchor, float x, float y) {
  auto* sprite = new QOR::QC_SPRITE(image);
  sprite->fSetSize(width, height);
  sprite->fSetAnchor(anchor, 0.0f, 0.0f);
  sprite->fSetPosition(x, y, 0.0f);
  return sprite;
}

bool isClicked(QOR::QC_IMAGE_BUTTON* button) {
  return button != nullptr && button->fUpdate() == QOR::QC_IMAGE_BUTTON::kClicked;
}

// The box shows the text (UTF-8, as the level file holds it) character for character.
void SetText(QOR::QC_GUI_TEXTBOX* box, const std::string& text) {
  if (box == nullptr) return;
  box->fClearText();
  box->fSetText(pugi::as_wide(text));
}

}  // namespace

EDITOR_MENU::EDITOR_MENU(QOR::QC_TEXTURE_INFO* atlas) {
  QOR::fLog() << "start editor menu constructor! ";
  RegisterFolder(MAHJONG_FOLDERS::kEditor);
  RegisterFolder(MAHJONG_FOLDERS::kButtons);

  // The back spans the column from the layout's left edge to kMenuRight, wide enough for the captions.
  menuBack = MakeSprite(Subscribe("data/editor/ editMenuBack.png"), static_cast<int>(kMenuRight - kMenuLeft), 1024,
                        QOR::QC_SPRITE::kAnchorCentre, (kMenuLeft + kMenuRight) / 2.0f, 512.0f);
  tooltipBubble = MakeSprite(Subscribe("data/editor/ tooltip-bubble.png"), 300, 350, QOR::QC_SPRITE::kAnchorTopLeft,
                             110.0f, kBase + 400.0f);

  QOR::QC_TEXTURE_INFO* checkbox = Subscribe("data/buttons/ checkbox.png");
  for (int k = 0; k < MAHJONG_FACES::kSuitCount; ++k) {
    suitBoxes[k] = new QOR::QC_IMAGE_CHECKBOX(checkbox);
    suitBoxes[k]->fSetPosition(kSuitBoxX, kSuitBoxTop + kSuitBoxStep * static_cast<float>(k));
    suitBoxes[k]->fSetState(kStateChecked);
  }

  saveButton = MakeButton("data/editor/ save_btn.png", 50, 50, 130.0f, kBase + 45.0f);
  loadButton = MakeButton("data/editor/ BTN_load.png", 50, 50, 30.0f, kBase + 45.0f);
  clearButton = MakeButton("data/editor/ BTN_clear.png", 50, 50, 30.0f, kBase + 415.0f);
  layerUpButton = MakeButton("data/editor/ lvl_up.png", 25, 25, 30.0f, kBase + 130.0f);
  layerDownButton = MakeButton("data/editor/ lvl_dwn.png", 25, 25, 100.0f, kBase + 130.0f);
  pickerButton = MakeButton("data/buttons/ BTN_4.png", 50, 50, 100.0f, kBase + 415.0f);

  // The menu's own font: black, top-left aligned, tighter than the font's own spacing.
  QOR::QC_TEXTURE_INFO* page = Subscribe("TrebuchetMSREGULAR_0.png");
  font = new QOR::QC_FONT(QOR::QC_GAME::fLoadXml("TrebuchetMSREGULAR.fnt")->child("font"), page, kFontBuffer);
  font->fSetColor(0xFF000000u);
  font->fSetAlign(QOR::QC_SPRITE::kAnchorTopLeft);
  font->_spacing -= 8;
  font->_lineHeight -= 15;

  levelNameBox = MakeTextBox(5, 85.0f, kBase + 90.0f, 170);
  moneyIcon = MakeSprite(Subscribe("data/editor/ money.png"), 20, 20, QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  timeIcon = MakeSprite(Subscribe("data/editor/ time.png"), 20, 20, QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  movesIcon = MakeSprite(Subscribe("data/editor/ walk.png"), 20, 20, QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  const float taskY[2] = {kBase + 230.0f, kBase + 330.0f};
  const float kindDx[kKindCount] = {-60.0f, -10.0f, 40.0f};
  for (int row = 0; row < 2; ++row) {
    taskValueBoxes[row] = MakeTextBox(row + 1, 80.0f, taskY[row], 160);
    for (int kind = 0; kind < kKindCount; ++kind) {
      taskKindBoxes[row][kind] = new QOR::QC_IMAGE_CHECKBOX(checkbox);
      taskKindBoxes[row][kind]->fSetPosition(80.0f + kindDx[kind], taskY[row] + 40.0f);
    }
  }
  backgroundBox = MakeTextBox(3, 85.0f, kBase + 485.0f, 170);
  specialsBox = MakeTextBox(4, 50.0f, kBase + 570.0f, 100);

  modeMarker = MakeSprite(Subscribe("data/editor/ circle.png"), 37, 37, QOR::QC_SPRITE::kAnchorCentre, 39.0f,
                          kBase + 179.0f);
  bonusModeButton = MakeButton("data/editor/ bonus_btn.png", 35, 35, 30.0f, kBase + 170.0f);
  specialModeButton = MakeButton("data/editor/ spec_btn.png", 35, 35, 140.0f, kBase + 170.0f);
  normalModeButton = MakeButton("data/editor/ normal_btn.png", 35, 35, 85.0f, kBase + 170.0f);

  pickerOpen = false;
  pickedType = kFreeFace;
  QOR::QC_TEXTURE_INFO* freeFace = Subscribe("data/editor/ empty-chip.png");
  for (int slot = 0; slot < kPickerSlots; ++slot) {
    const int column = slot % MAHJONG_FACES::kAtlasColumns;
    const int row = slot / MAHJONG_FACES::kAtlasColumns;
    pickerSlots[slot] = new QOR::QC_IMAGE_BUTTON(slot == kFreeFace ? freeFace : atlas, nullptr,
                                                 QOR::QC_HIT_AREA::kRectangle, 25.0f, 40.0f);
    pickerSlots[slot]->fSetPosition(140.0f + 29.0f * static_cast<float>(column),
                                    kBase + 500.0f + 50.0f * static_cast<float>(row));
    ShowSlotFace(slot);
  }
  MarkModeButton(normalModeButton);
}

EDITOR_MENU::~EDITOR_MENU() {
  QOR::fLog() << "DESTROY EDITOR MENU";
  for (QOR::QC_IMAGE_BUTTON* button : {saveButton, loadButton, clearButton, layerUpButton, layerDownButton,
                                       pickerButton, bonusModeButton, specialModeButton, normalModeButton}) {
    delete button;
  }
  for (QOR::QC_IMAGE_BUTTON* slot : pickerSlots) delete slot;
  for (QOR::QC_IMAGE_CHECKBOX* box : suitBoxes) delete box;
  for (auto& row : taskKindBoxes) {
    for (QOR::QC_IMAGE_CHECKBOX* box : row) delete box;
  }
  // Each text box gives its own background back.
  for (QOR::QC_GUI_TEXTBOX* box : {levelNameBox, taskValueBoxes[0], taskValueBoxes[1], specialsBox, backgroundBox}) {
    delete box;
  }
  for (QOR::QC_SPRITE* sprite : {menuBack, tooltipBubble, modeMarker, moneyIcon, timeIcon, movesIcon}) delete sprite;
  delete font;
  for (QOR::QC_TEXTURE_INFO* image : m_subscribed) QOR::QC_GAME::fUnscribeImage(image);
}

EDITOR_MENU* EDITOR_MENU::Attach(MAHJONG_LAYOUT& board) {
  if (board.m_editorMenu != nullptr && board.m_editorMenuRelease != nullptr) {
    board.m_editorMenuRelease(board.m_editorMenu);
  }
  auto* menu = new EDITOR_MENU(board.GetAtlasImage());
  board.m_editorMenu = menu;
  board.m_editorMenuRelease = [](EDITOR_MENU* released) { delete released; };
  board.m_editorMode = true;
  board.m_editorBonus = false;
  board.m_editorSpecial = false;
  board.m_pickedType = menu->pickedType;
  board.m_lastActedCell = QOR::QS_VEC2(-1.0f, -1.0f);
  board.m_dragLayer = -1;
  // The grid lies right of the menu, centred vertically; tiles already there move with it.
  const QOR::QS_VEC2 before = board.GetOrigin();
  const QOR::QS_VEC2 origin(kMenuRight + kGridGap,
                            static_cast<float>((MAHJONG_BOARD::GetScreen().y - tileMetrics.rows * tileMetrics.sizeY) / 2));
  board.SetOrigin(origin);
  for (MAHJONG_CHIP* chip : board.GetChips()) {
    chip->SetPositionXY(chip->m_position.x + origin.x - before.x, chip->m_position.y + origin.y - before.y);
  }
  // Tiles without a fixed face show the editor's markers from now on.
  board.UpdateAllFree();
  // What the editor starts with is no unsaved work.
  board.MarkEditorSaved();
  return menu;
}

QOR::QC_TEXTURE_INFO* EDITOR_MENU::Subscribe(const char* name) {
  QOR::QC_TEXTURE_INFO* image = QOR::QC_GAME::fSubscribeImage(name);
  if (image != nullptr) m_subscribed.push_back(image);
  return image;
}

QOR::QC_IMAGE_BUTTON* EDITOR_MENU::MakeButton(const char* name, int width, int height, float x, float y) {
  auto* button = new QOR::QC_IMAGE_BUTTON(Subscribe(name), nullptr, QOR::QC_HIT_AREA::kCircle,
                                          static_cast<float>(width), static_cast<float>(height));
  button->fSetPosition(x, y);
  return button;
}

QOR::QC_GUI_TEXTBOX* EDITOR_MENU::MakeTextBox(int id, float x, float y, int width) {
  // The box hands its background back when it is destroyed: one subscription each.
  auto* box = new QOR::QC_GUI_TEXTBOX(id, font, QOR::QC_GAME::fSubscribeImage("data/editor/ textbox.png"));
  box->fSetPosition(x, y, 0.0f);
  box->fSetSize(width, 0);
  return box;
}

void EDITOR_MENU::ShowSlotFace(int slot) {
  QOR::QC_SPRITE* image = pickerSlots[slot]->fGetImage();
  if (slot == kFreeFace) {
    image->fSetUV(0.0f, 0.0f, 1.0f, 1.0f);
  } else {
    image->fSetFrame(MAHJONG_FACES::kAtlasColumns, MAHJONG_FACES::kAtlasRows, slot);
  }
}

void EDITOR_MENU::MarkModeButton(QOR::QC_IMAGE_BUTTON* button) {
  if (button == nullptr || modeMarker == nullptr) return;
  const QOR::QS_VEC2 at = button->fGetPosition();
  modeMarker->fSetPosition(at.x - 1.0f, at.y - 1.0f, 0.0f);
}

void EDITOR_MENU::Update() {
  for (QOR::QC_IMAGE_CHECKBOX* box : suitBoxes) box->fUpdate();
  // The kinds of one task row act as one choice.
  for (auto& row : taskKindBoxes) {
    int clicked = -1;
    for (int kind = 0; kind < kKindCount; ++kind) {
      if (row[kind]->fUpdate() == QOR::QC_IMAGE_CHECKBOX::kClicked) clicked = kind;
    }
    if (clicked < 0) continue;
    for (int kind = 0; kind < kKindCount; ++kind) {
      if (kind != clicked) row[kind]->fSetState(kStateUnchecked);
    }
  }
  for (QOR::QC_GUI_TEXTBOX* box : {levelNameBox, taskValueBoxes[0], taskValueBoxes[1], backgroundBox, specialsBox}) {
    box->fUpdateAll();
  }
  if (isClicked(pickerButton)) pickerOpen = !pickerOpen;
  if (!pickerOpen) return;
  for (int slot = 0; slot < kPickerSlots; ++slot) {
    if (isClicked(pickerSlots[slot])) {
      pickedType = slot;
      pickerOpen = false;
      QOR::fLog() << " tile # " << slot;
    }
    // The button shows its state's cell of a strip after each step: back to the face.
    ShowSlotFace(slot);
  }
}

std::string EDITOR_MENU::TextOf(const QOR::QC_GUI_TEXTBOX* box) {
  // The box's narrow text lives in a buffer the next box's call replaces: copied at once.
  const char* text = box != nullptr ? box->fGetTextA() : nullptr;
  return text != nullptr ? std::string(text) : std::string();
}

std::int32_t EDITOR_MENU::TargetMoves() const {
  const std::string text = TextOf(taskValueBoxes[0]);
  return text.empty() ? kDefaultTargetMoves : MAHJONG_XML::ToInt(text.c_str());
}

bool EDITOR_MENU::isTyping() const {
  for (const QOR::QC_GUI_TEXTBOX* box : {levelNameBox, taskValueBoxes[0], taskValueBoxes[1], backgroundBox, specialsBox}) {
    if (box != nullptr && box->isActive()) return true;
  }
  return false;
}

LEVEL_FILE_SETTINGS EDITOR_MENU::Settings(std::int32_t targetMoves) const {
  LEVEL_FILE_SETTINGS settings;
  settings.targetMoves = targetMoves;
  settings.specsTotal = TextOf(specialsBox);
  settings.background = TextOf(backgroundBox);
  for (int k = 0; k < MAHJONG_FACES::kSuitCount; ++k) settings.suits[k] = suitBoxes[k]->isChecked();
  for (int row = 0; row < 2; ++row) {
    settings.tasks[row].value = TextOf(taskValueBoxes[row]);
    for (TASK_KIND kind : kWriteOrder) {
      if (taskKindBoxes[row][kind]->isChecked()) settings.tasks[row].type = kKindNames[kind];
    }
  }
  return settings;
}

void EDITOR_MENU::ShowSettings(const LEVEL_FILE_SETTINGS& settings) {
  for (int k = 0; k < MAHJONG_FACES::kSuitCount; ++k) {
    suitBoxes[k]->fSetState(settings.suits[k] ? kStateChecked : kStateUnchecked);
  }
  for (int row = 0; row < 2; ++row) {
    SetText(taskValueBoxes[row], settings.tasks[row].value);
    for (int kind = 0; kind < kKindCount; ++kind) {
      const bool named = settings.tasks[row].type == kKindNames[kind];
      taskKindBoxes[row][kind]->fSetState(named ? kStateChecked : kStateUnchecked);
    }
  }
  SetText(specialsBox, MAHJONG_XML::ToInt(settings.specsTotal.c_str()) != 0 ? settings.specsTotal : std::string());
  SetText(backgroundBox, settings.background);
}
