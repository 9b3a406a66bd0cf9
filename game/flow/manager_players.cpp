// The players screen: slides down over the title and lists the profiles of player.xml, one row
// per `player` element with its name and a delete button, seven rows a page with arrows to the
// other pages. A row is picked by a click on its line;
// the add button asks for a new name, a delete button asks before removing that profile. Closing
// (OK, Enter or Escape) makes the picked profile the file's last player, and the title then shows
// it. Deletions and the last player are written through the file's one writer.
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_player_file.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "game/flow/select_player_msg_box.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_image_button.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

using namespace MENU_OBJECTS;

namespace {

constexpr const char kPanelImage[] = "ChangePlayerScreenTitle_back.png";
constexpr const char kBarImage[] = "ChangePlayerScreenTitle_select.png";
constexpr const char kDeleteImage[] = "DeleteButton_smoll.png";
constexpr const char kAddImage[] = "PlusButton_smoll.png";
constexpr const char kOkImage[] = "Ok_middle.png";
constexpr const char kPreviousImage[] = "LeftPoint_smoll.png";
constexpr const char kNextImage[] = "RightPoint_smoll.png";
constexpr const char kClickSound[] = "button_click.ogg";
constexpr const char kErrorSound[] = "error.ogg";
constexpr int kBarWidth = 486;
constexpr int kBarHeight = 50;
constexpr float kRowsTop = 139.0f;        // the first row stands this far above the screen's middle
constexpr float kDeleteRight = 210.0f;    // delete buttons right of the middle, names as far left
constexpr float kAddLeft = 190.0f;        // the add button left of the middle
constexpr float kOkBelow = 258.0f;        // OK below the middle at rest
constexpr float kOkUnderPanel = 270.0f;   // OK below the panel's centre when the screen opens
constexpr float kTitleAbove = 225.0f;     // the screen's title above the panel's centre
constexpr float kPageArrowsBelow = 160.0f;  // the page arrows below the middle, between the rows and OK
constexpr float kPageArrowApart = 60.0f;    // each page arrow this far from the middle
constexpr float kRowLineLeft = 220.0f;    // a row's clickable line starts this far left of the middle
constexpr float kRowLineWidth = 504.0f;

float centreX() { return static_cast<float>(ScreenSize().x / 2); }
float centreY() { return static_cast<float>(ScreenSize().y / 2); }
float firstRowY() { return centreY() - kRowsTop; }

// One row step below a row whose button is h high: computed in double and truncated.
double rowStep(int height) { return static_cast<double>(height) * 1.15 - 5.0; }
float nextRowY(float y, int height) { return static_cast<float>(QOR::fTruncateToInt(static_cast<double>(y) + rowStep(height))); }

float previousRowY(float y, int height) {
  return static_cast<float>(QOR::fTruncateToInt(static_cast<double>(y) - rowStep(height)));
}

QOR::QC_IMAGE_BUTTON* newDeleteButton(float y) {
  QOR::QC_IMAGE_BUTTON* button = NewButton(kDeleteImage, QOR::QC_HIT_AREA::kCircle);
  button->fSetPosition(centreX() + kDeleteRight, y);
  return button;
}

// Whether a profile of the file bears the name, blanks at either end left out on both sides: a
// new profile never looks the same as one the file holds.
bool isNameTaken(const pugi::xml_document& document, const std::wstring& name) {
  const std::wstring trimmed = MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::fTrimBlanks(name);
  for (const pugi::xml_node& player : document.children("player")) {
    const std::wstring stored = MAHJONG_PLAYER::NameFromFile(player.attribute("name").value());
    if (MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::fTrimBlanks(stored) == trimmed) return true;
  }
  return false;
}

// The selection bar onto the row.
void pickRow(PLAYERS_PARTS& players, std::size_t index) {
  players.selectionBar->fSetPositionXY(centreX(), players.rows[index].deleteButton->fGetPosition().y);
}

}  // namespace

void PLAYERS_PARTS::Free() {
  for (PLAYER_LIST_ITEM& row : rows) DeleteButton(row.deleteButton);
  rows.clear();
  firstRow = 0;
  DeleteButton(addButton);
  DeleteButton(previousPage);
  DeleteButton(nextPage);
  DeleteButton(okButton);
  DeleteSprite(panel);
  DeleteSprite(selectionBar);
}

void MAHJONG_GAME_MANAGER::BuildPlayers() {
  const float x0 = centreX();
  DeleteSprite(players.panel);
  players.panel = NewSprite(kPanelImage);
  players.panel->fSetPositionXY(x0, centreY());
  DeleteSprite(players.selectionBar);
  players.selectionBar = NewSprite(kBarImage);
  players.selectionBar->fSetSize(kBarWidth, kBarHeight);
  players.selectionBar->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  players.selectionBar->fSetPositionXY(0.0f, 0.0f);
  BuildPlayerBox();
  players.question = PLAYERS_NONE;

  pugi::xml_document document;
  MAHJONG_PLAYER::LoadPlayerFile(PlayerFilePath(), document);
  for (PLAYER_LIST_ITEM& row : players.rows) DeleteButton(row.deleteButton);
  players.rows.clear();
  const std::wstring lastName = MAHJONG_PLAYER::NameFromFile(document.child("lastplayer").attribute("lpname").value());
  // Only profiles make rows; the file's other elements (lastplayer, packs, ranks) never do. The
  // screen opens on the page of the last player's row, the bar on it.
  std::size_t last = 0;
  bool lastFound = false;
  for (const pugi::xml_node& node : document.children("player")) {
    PLAYER_LIST_ITEM row;
    row.name = MAHJONG_PLAYER::NameFromFile(node.attribute("name").value());
    QOR::fLog() << "player: " << node.attribute("name").value();
    row.deleteButton = newDeleteButton(firstRowY());
    if (!lastFound && lastName == row.name) {
      last = players.rows.size();
      lastFound = true;
    }
    players.rows.push_back(row);
  }
  players.firstRow = last / PLAYERS_PARTS::kRowsShown * PLAYERS_PARTS::kRowsShown;
  LayOutPlayerRows();
  if (lastFound) pickRow(players, last);

  if (players.okButton == nullptr) players.okButton = NewButton(kOkImage, QOR::QC_HIT_AREA::kCircle);
  players.okButton->fSetPosition(x0, centreY() + kOkBelow);
}

void PLAYERS_PARTS::Move(float dy) {
  AddY(addButton, dy);
  AddY(previousPage, dy);
  AddY(nextPage, dy);
  for (PLAYER_LIST_ITEM& row : rows) AddY(row.deleteButton, dy);
  AddY(panel, dy);
  AddY(selectionBar, dy);
  AddY(okButton, dy);
}

// The title's Players button: lifts the screen by the slide distance, places OK under the panel,
// slides it down to the middle and fades dark back 1 in.
void MAHJONG_GAME_MANAGER::OpenPlayers() {
  if (players.panel == nullptr) return;
  const float lift = PanelSlide();
  AddY(players.panel, lift);
  AddY(players.addButton, lift);
  AddY(players.previousPage, lift);
  AddY(players.nextPage, lift);
  AddY(players.selectionBar, lift);
  for (PLAYER_LIST_ITEM& row : players.rows) AddY(row.deleteButton, lift);
  const float panelY = players.panel->fGetPosition().y;
  if (players.okButton != nullptr) players.okButton->fSetPosition(centreX(), panelY + kOkUnderPanel);
  sidePanelTween.Start(panelY, centreY(), fadeInOutTime);
  if (darkBack1 != nullptr) screenFade.Start(darkBack1, fadeInOutTime, true);
}

PLAYER_LIST_ITEM* PLAYERS_PARTS::PickedRow() {
  if (selectionBar == nullptr) return nullptr;
  const QOR::QS_VEC2 bar = selectionBar->fGetPosition();
  for (PLAYER_LIST_ITEM& row : rows) {
    const QOR::QS_VEC2 at = row.deleteButton->fGetPosition();
    if (at.y == bar.y && at.x - kDeleteRight == bar.x) return &row;
  }
  return nullptr;
}

// The page from firstRow (kept to the list) at the first row's place down, the rows after it further
// down and the rows before it above, out of sight; the bar stays on its row. The add button while
// the list has room (a list of more than a page has none), an arrow to each page there is.
void MAHJONG_GAME_MANAGER::LayOutPlayerRows() {
  const float x0 = centreX();
  std::vector<PLAYER_LIST_ITEM>& rows = players.rows;
  const PLAYER_LIST_ITEM* picked = players.PickedRow();
  const std::size_t pickedIndex = picked != nullptr ? static_cast<std::size_t>(picked - rows.data()) : 0;
  constexpr std::size_t kPage = PLAYERS_PARTS::kRowsShown;
  if (players.firstRow >= rows.size()) players.firstRow = rows.empty() ? 0 : (rows.size() - 1) / kPage * kPage;
  float y = firstRowY();
  for (std::size_t i = players.firstRow; i < rows.size(); ++i) {
    rows[i].deleteButton->fSetPosition(x0 + kDeleteRight, y);
    y = nextRowY(y, rows[i].deleteButton->fGetHeight());
  }
  y = firstRowY();
  for (std::size_t i = players.firstRow; i-- > 0;) {
    y = previousRowY(y, rows[i].deleteButton->fGetHeight());
    rows[i].deleteButton->fSetPosition(x0 + kDeleteRight, y);
  }
  if (picked != nullptr) pickRow(players, pickedIndex);

  DeleteButton(players.addButton);
  if (rows.size() < kPage) {
    players.addButton = NewButton(kAddImage, QOR::QC_HIT_AREA::kCircle);
    float addY = firstRowY();
    if (!rows.empty()) {
      const QOR::QC_IMAGE_BUTTON* last = rows.back().deleteButton;
      addY = static_cast<float>(last->fGetPosition().y + rowStep(last->fGetHeight()));
    }
    players.addButton->fSetPosition(x0 - kAddLeft, addY);
  }
  DeleteButton(players.previousPage);
  DeleteButton(players.nextPage);
  const float arrowsY = centreY() + kPageArrowsBelow;
  if (players.firstRow > 0) {
    players.previousPage = NewButton(kPreviousImage, QOR::QC_HIT_AREA::kCircle);
    players.previousPage->fSetPosition(x0 - kPageArrowApart, arrowsY);
  }
  if (rows.size() - players.firstRow > kPage) {
    players.nextPage = NewButton(kNextImage, QOR::QC_HIT_AREA::kCircle);
    players.nextPage->fSetPosition(x0 + kPageArrowApart, arrowsY);
  }
}

void MAHJONG_GAME_MANAGER::AnswerDeleteQuestion() {
  // Once answered (or hidden) the box answers 0 while it slides away.
  if (playerBox->fUpdate() != 1) {
    if (!playerBox->isOpen() || playerBox->isHiding()) players.question = PLAYERS_NONE;
    return;
  }
  players.question = PLAYERS_NONE;
  PLAYER_LIST_ITEM* picked = players.PickedRow();
  if (picked == nullptr) {
    playerBox->fHide();
    return;
  }
  pugi::xml_document document;
  MAHJONG_PLAYER::LoadPlayerFile(PlayerFilePath(), document);
  const pugi::xml_attribute lastName = document.child("lastplayer").attribute("lpname");
  const bool wasCurrent = lastName && MAHJONG_PLAYER::SameName(lastName.value(), picked->name);
  const std::wstring gone = picked->name;
  if (player != nullptr) player->m_name.clear();  // read again when the screen closes
  const std::size_t index = static_cast<std::size_t>(picked - players.rows.data());
  DeleteButton(picked->deleteButton);
  players.rows.erase(players.rows.begin() + static_cast<std::ptrdiff_t>(index));
  // The next row takes the deleted one's place under the bar; after the last row, the new last.
  const std::size_t under = std::min(index, players.rows.size() - 1);
  if (!players.rows.empty()) players.firstRow = under / PLAYERS_PARTS::kRowsShown * PLAYERS_PARTS::kRowsShown;
  LayOutPlayerRows();
  if (!players.rows.empty()) pickRow(players, under);

  // The file never names a deleted profile as its last player: the row now under the bar (or
  // nobody) takes its place in the same write, becomes the current player at once and brings its
  // own options (its full-screen mode among them); the title is rebuilt for it when the screen
  // closes.
  const PLAYER_LIST_ITEM* next = players.PickedRow();
  MAHJONG_PLAYER_FILE(PlayerFilePath()).DeletePlayer(gone, next != nullptr ? next->name : std::wstring());
  if (wasCurrent) {
    delete player;
    player = new MAHJONG_PLAYER(PlayerFilePath(), std::wstring());
    ApplyPlayerOptions();
    players.changed = true;
  }

  if (players.rows.empty()) {
    // Nobody left: a first profile is asked for at once, and cannot be cancelled by its button.
    playerBox->fHide();
    playerBox->fShowQuestion(0, texts[TXT_TYPE_NEW_NAME], centreX(), centreY());
    playerBox->fSetNameEntry(true);
    playerBox->fGetCancelButton()->fDisable();
    players.question = PLAYERS_NAME;
    if (QOR::QC_GUI_LINEBOX* field = playerBox->fGetTextField()) field->fSetActive(true);
    QOR::fLog("WORK!!!!!!");
    return;
  }
  playerBox->fHide();
}

void MAHJONG_GAME_MANAGER::AnswerNameQuestion() {
  QOR::QC_GUI_LINEBOX* field = playerBox->fGetTextField();
  players.changed = true;
  if (field != nullptr) {
    field->fSetActive(true);
    field->fSetEnabled(true);
    field->fUpdateAll();
  }
  const int answer = playerBox->fUpdate();
  if (answer == -1) {
    // Cancelled: the box closes by itself.
    players.question = PLAYERS_NONE;
    if (!players.rows.empty()) {
      playerBox->fSetNameEntry(false);
      if (field != nullptr) field->fClearText();
    }
    return;
  }
  if (answer != 1 || field == nullptr) return;
  const std::wstring typed = playerBox->fTakeName(GetText(SELECT_PLAYER_MSG_BOX::kEmptyNameKey));
  if (typed.empty()) {
    // Nothing but blanks: the box stays open and says why under the field.
    PlaySound(kErrorSound);
    return;
  }
  // The name as the file will give it back, so the new row and the profile agree.
  selectedName = MAHJONG_PLAYER::NameAsRead(typed);
  pugi::xml_document document;
  MAHJONG_PLAYER::LoadPlayerFile(PlayerFilePath(), document);
  if (isNameTaken(document, selectedName)) {
    // Taken: the box stays open and says so under the field.
    PlaySound(kErrorSound);
    playerBox->fShowError(texts[TXT_PLAYER_EXISTS]);
    return;
  }
  players.question = PLAYERS_NONE;
  playerBox->fSetError(false);
  SavePlayerFile(selectedName);
  playerBox->fHide();
  playerBox->fSetNameEntry(false);
  field->fClearText();
  // The add button only stands on a list of less than a page, so the new row is on the first.
  PLAYER_LIST_ITEM row;
  row.name = selectedName;
  row.deleteButton = newDeleteButton(firstRowY());
  players.rows.push_back(row);
  players.firstRow = 0;
  LayOutPlayerRows();
  pickRow(players, players.rows.size() - 1);
}

void MAHJONG_GAME_MANAGER::UpdatePlayers() {
  if (players.panel == nullptr || playerBox == nullptr) return;
  const float x0 = centreX();
  const float y0 = centreY();

  if (sidePanelTween.active) {
    players.Move(sidePanelTween.Update(QOR::qcFrameTime) - players.panel->fGetPosition().y);
    return;
  }
  // Slid up and faded: back to the title, reading the player again when the profile changed.
  if (players.panel->fGetPosition().y < 0.0f && !screenFade.active) {
    if (player == nullptr || player->m_name != selectedName || players.changed) {
      players.changed = false;
      delete player;
      player = new MAHJONG_PLAYER(PlayerFilePath(), std::wstring());
      loadMenus();  // every object of this screen is new from here on
      ApplyPlayerOptions();
      countUpRunning = 0;
      title.Move(PanelSlide());
      if (regularFont != nullptr) regularFont->fSetAlign(0);
      if (boldFont != nullptr) boldFont->fSetColor(GoldenColor());
    }
    currentScreen = TITLE_SCREEN;
    return;
  }

  // The box answers the question this screen asked; once answered or cancelled it only slides away.
  if (playerBox->isOpen()) {
    switch (players.question) {
      case PLAYERS_DELETE:
        AnswerDeleteQuestion();
        break;
      case PLAYERS_NAME:
        AnswerNameQuestion();
        break;
      case PLAYERS_NONE:
        playerBox->fUpdate();
        break;
    }
    return;
  }

  // The list is live: the rows of the page shown.
  const QOR::QC_INPUT* input = QOR::qcCurrentInput;
  const float width = static_cast<float>(ScreenSize().x);
  for (std::size_t i = players.firstRow; i < players.rows.size() && players.isShown(i); ++i) {
    PLAYER_LIST_ITEM& row = players.rows[i];
    QOR::QC_IMAGE_BUTTON* button = row.deleteButton;
    const QOR::QS_VEC2 at = button->fGetPosition();
    if (button->fUpdate() == QOR::QC_IMAGE_BUTTON::kClicked) {
      PlaySound(kClickSound);
      players.selectionBar->fSetPositionXY(x0, at.y);
      playerBox->fShowQuestion(0, texts[TXT_DELETE_PLAYER] + L"\n" + row.name + L"?", x0, y0);
      playerBox->fSetNameEntry(false);
      playerBox->fSetError(false);
      players.question = PLAYERS_DELETE;
      return;
    }
    const float side = static_cast<float>(button->fGetWidth());
    if (input != nullptr && input->isReleased(QOR::kMouseLeft) &&
        input->isMouseInRect(width / 2.0f - kRowLineLeft, at.y - static_cast<float>(button->fGetWidth() / 2),
                             kRowLineWidth, side)) {
      players.selectionBar->fSetPositionXY(x0, at.y);
    }
  }

  if (isClicked(players.okButton) || isKeyReleased(QOR::kKeyEnter) || isKeyReleased(QOR::kKeyEscape)) {
    PlaySound(kClickSound);
    if (const PLAYER_LIST_ITEM* picked = players.PickedRow()) {
      selectedName = picked->name;
      // The picked profile becomes current when the screen has closed: read, shown and applied.
      if (player == nullptr || player->m_name != picked->name) players.changed = true;
      if (MAHJONG_PLAYER_FILE(PlayerFilePath()).SetLastPlayer(picked->name)) QOR::fLog("SAVE ACCESS");
    }
    sidePanelTween.Start(players.panel->fGetPosition().y, PanelSlide(), fadeInOutTime);
    if (darkBack1 != nullptr) screenFade.Start(darkBack1, fadeInOutTime, false);
    return;
  }

  // A page arrow turns the page; the bar stays on its row, seen again on that row's page.
  const bool previous = isClicked(players.previousPage);
  if (previous || isClicked(players.nextPage)) {
    PlaySound(kClickSound);
    constexpr std::size_t kPage = PLAYERS_PARTS::kRowsShown;
    players.firstRow = previous ? players.firstRow - kPage : players.firstRow + kPage;
    LayOutPlayerRows();
    return;
  }

  if (players.addButton != nullptr && isClicked(players.addButton)) {
    PlaySound(kClickSound);
    if (regularFont != nullptr) regularFont->fSetAlign(0);
    playerBox->fShowQuestion(0, texts[TXT_TYPE_NEW_NAME], x0, y0);
    playerBox->fSetError(false);
    playerBox->fSetNameEntry(true);
    players.question = PLAYERS_NAME;
    QOR::QC_GUI_LINEBOX* field = playerBox->fGetTextField();
    if (field != nullptr) {
      field->fSetPosition(width / 2.0f, y0 - SELECT_PLAYER_MSG_BOX::kFieldRise, 0.0f);
      field->fSetActive(true);
    }
  }
}

void MAHJONG_GAME_MANAGER::RenderPlayers() {
  if (players.panel == nullptr) return;
  if (darkBack1 != nullptr) darkBack1->fRender();
  players.panel->fRender();
  // The bar marks the picked row; with none picked, or its row on another page, there is no bar.
  if (const PLAYER_LIST_ITEM* picked = players.PickedRow();
      picked != nullptr && players.isShown(static_cast<std::size_t>(picked - players.rows.data()))) {
    players.selectionBar->fRender();
  }
  if (regularFont != nullptr) {
    regularFont->fSetAlign(QOR::QC_SPRITE::kAnchorTopLeft);
    regularFont->fSetColor(GoldenColor());
  }
  const float x0 = centreX();
  for (std::size_t i = players.firstRow; i < players.rows.size() && players.isShown(i); ++i) {
    const PLAYER_LIST_ITEM& row = players.rows[i];
    // Names are drawn as they are: a '%' in one is a character like any other.
    PrintText(regularFont, QOR::fTruncateToInt(x0 - kDeleteRight), QOR::fTruncateToInt(row.deleteButton->fGetPosition().y),
              row.name);
    row.deleteButton->fRender();
  }
  for (QOR::QC_IMAGE_BUTTON* button : {players.addButton, players.previousPage, players.nextPage, players.okButton}) {
    if (button != nullptr) button->fRender();
  }
  const QOR::QS_VEC2 panel = players.panel->fGetPosition();
  PrintText(boldFont, QOR::fTruncateToInt(panel.x), QOR::fTruncateToInt(panel.y - kTitleAbove), texts[TXT_CHANGE_PLAYER]);
  if (playerBox != nullptr) playerBox->fRender(regularFont);
}
