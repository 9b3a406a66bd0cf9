// The level editor's side menu: save, load and clear buttons, the layer buttons, the kind of new
// tiles (bonus, plain, special), the tile picker over the face atlas, the seven suit boxes, the two
// extra tasks, the level name, the background and the number of special tiles. The board in editor
// mode owns one (MAHJONG_LAYOUT::m_editorMenu) and runs its controller over it; the menu itself
// only keeps its widgets in step and draws them.
//
// The menu owns every widget, sprite, texture subscription and its font, and releases them all.
#pragma once

#include "game/board/mahjong_board.h"

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {
class QC_FONT;
class QC_GUI_TEXTBOX;
class QC_IMAGE_BUTTON;
class QC_IMAGE_CHECKBOX;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

class MAHJONG_LAYOUT;

class EDITOR_MENU {
 public:
  // Slots 0..41 pick a fixed face; slot 42 a tile whose face the deal gives.
  static constexpr int kPickerSlots = 43;
  static constexpr int kFreeFace = 42;
  // The kinds of a task row, in the row's order.
  enum TASK_KIND { kKindTime = 0, kKindMoney = 1, kKindMoves = 2, kKindCount = 3 };
  // The menu's column: its back spans these edges, wide enough for every caption; the board's grid
  // lies beyond it.
  static constexpr float kMenuLeft = -50.0f;
  static constexpr float kMenuRight = 250.0f;
  static constexpr float kGridGap = 30.0f;
  // Captions end this far inside the column's right edge.
  static constexpr float kCaptionMargin = 10.0f;

  // One line of text the menu draws beside its widgets: top-left at (x, y), at that scale.
  struct CAPTION {
    std::wstring text;
    float x = 0.0f;
    float y = 0.0f;
    float scale = 1.0f;
  };
  // Target moves when the task-1 box is empty.
  static constexpr std::int32_t kDefaultTargetMoves = 10;

  // Builds the widgets; the atlas (the board's tile set, not owned) shows the picker's faces.
  explicit EDITOR_MENU(QOR::QC_TEXTURE_INFO* atlas);
  // Logs "DESTROY EDITOR MENU" and frees every widget, sprite, subscription and the font.
  ~EDITOR_MENU();
  EDITOR_MENU(const EDITOR_MENU&) = delete;
  EDITOR_MENU& operator=(const EDITOR_MENU&) = delete;

  // Puts the board in editor mode with a new menu of its own (an older one is released) and moves
  // its grid right of the menu (kMenuRight + kGridGap), centred vertically on the screen.
  static EDITOR_MENU* Attach(MAHJONG_LAYOUT& board);

  // One input step of the menu's own widgets: suit boxes, the task rows (one kind per row), the
  // text boxes, the picker button and, while the picker is open, its slots.
  void Update();
  void Render();
  // What Render writes beside the widgets: the suit names and the task, background and specials
  // captions (one entry per line), each at its place, scaled to end inside the column, the lines of
  // a caption stacked without overlapping and ending at the caption's place.
  std::vector<CAPTION> Captions() const;
  // The mode marker goes round that button.
  void MarkModeButton(QOR::QC_IMAGE_BUTTON* button);

  // The text of a box as a string of its own (empty when the box is empty or missing).
  static std::string TextOf(const QOR::QC_GUI_TEXTBOX* box);
  // What the level file takes from the menu.
  LEVEL_FILE_SETTINGS Settings(std::int32_t targetMoves) const;
  // Shows a level's suits, tasks and special count in the boxes (a count of 0 leaves the box
  // empty).
  void ShowSettings(const LEVEL_FILE_SETTINGS& settings);
  // The task-1 box as a whole number, kDefaultTargetMoves when it is empty.
  std::int32_t TargetMoves() const;
  // Whether one of the text boxes has the input focus: the editor's keys then belong to it.
  bool isTyping() const;

  QOR::QC_IMAGE_BUTTON* saveButton = nullptr;
  QOR::QC_IMAGE_BUTTON* loadButton = nullptr;
  QOR::QC_IMAGE_BUTTON* clearButton = nullptr;
  QOR::QC_IMAGE_BUTTON* layerUpButton = nullptr;
  QOR::QC_IMAGE_BUTTON* layerDownButton = nullptr;
  bool pickerOpen = false;
  std::int32_t pickedType = kFreeFace;
  QOR::QC_IMAGE_BUTTON* pickerButton = nullptr;
  QOR::QC_IMAGE_BUTTON* pickerSlots[kPickerSlots] = {};
  QOR::QC_SPRITE* tooltipBubble = nullptr;
  // In the level file's order: digits, dots, bamboo, dragons, winds, flowers, seasons.
  QOR::QC_IMAGE_CHECKBOX* suitBoxes[MAHJONG_FACES::kSuitCount] = {};
  QOR::QC_IMAGE_BUTTON* bonusModeButton = nullptr;
  QOR::QC_IMAGE_BUTTON* specialModeButton = nullptr;
  QOR::QC_IMAGE_BUTTON* normalModeButton = nullptr;
  QOR::QC_SPRITE* menuBack = nullptr;
  QOR::QC_SPRITE* modeMarker = nullptr;
  QOR::QC_GUI_TEXTBOX* levelNameBox = nullptr;
  QOR::QC_SPRITE* moneyIcon = nullptr;
  QOR::QC_SPRITE* timeIcon = nullptr;
  QOR::QC_SPRITE* movesIcon = nullptr;
  QOR::QC_GUI_TEXTBOX* taskValueBoxes[2] = {};
  QOR::QC_IMAGE_CHECKBOX* taskKindBoxes[2][kKindCount] = {};
  QOR::QC_GUI_TEXTBOX* specialsBox = nullptr;
  QOR::QC_GUI_TEXTBOX* backgroundBox = nullptr;
  QOR::QC_FONT* font = nullptr;

 private:
  QOR::QC_TEXTURE_INFO* Subscribe(const char* name);
  QOR::QC_IMAGE_BUTTON* MakeButton(const char* name, int width, int height, float x, float y);
  QOR::QC_GUI_TEXTBOX* MakeTextBox(int id, float x, float y, int width);
  void RenderTaskRow(int row);
  // The picker slot's picture: its atlas cell, or the whole image for the free-face slot.
  void ShowSlotFace(int slot);

  std::vector<QOR::QC_TEXTURE_INFO*> m_subscribed;  // released by the destructor
};
