// The players screen over the title, driven through the real manager and input: rows from the
// profiles of player.xml only, picking and closing, adding up to the seventh row with a taken
// name refused, and deleting only after the confirmation, down to an empty list.
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "tests/game/flow/flow_driver.h"
#include "tests/kit/log_capture.h"

#include <string>
#include <vector>

namespace {

using flow_test::kEnter;
using flow_test::kEscape;

constexpr float kMiddleX = 512.0f;
constexpr float kFirstRow = 384.0f - 139.0f;

class PlayersScreen : public flow_test::FlowDriver {
 protected:
  void beforeLoad() override {
    if (!file.empty()) writePlayerFile(file);
  }
  void SetUp() override {}
  void start(const std::string& xml) {
    file = xml;
    FlowDriver::SetUp();
  }

  // The title's Players button, then the slide down to rest.
  void open() {
    played("button_click.ogg");
    click(manager->title.playersButton);
    ASSERT_EQ(manager->currentScreen, PLAYERS_SCREEN);
    settle();
    ASSERT_FLOAT_EQ(manager->players.panel->fGetPosition().y, 384.0f);
  }
  std::vector<std::wstring> names() const {
    std::vector<std::wstring> out;
    for (const PLAYER_LIST_ITEM& row : manager->players.rows) out.push_back(row.name);
    return out;
  }
  float rowY(std::size_t i) const { return manager->players.rows.at(i).deleteButton->fGetPosition().y; }
  float barY() const { return manager->players.selectionBar->fGetPosition().y; }
  MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX& box() const { return *manager->playerBox; }
  // Opens the name question with the add button and confirms what is typed.
  void add(const char* keys) {
    click(manager->players.addButton);
    ASSERT_TRUE(box().isQuestion() && box().isNameEntry());
    type(keys);
    tick(kEnter);
    settle();
  }

  // Ticks until the box has slid up to its hidden place: the next tick closes it.
  void untilClosingTick() {
    ASSERT_TRUE(runWhile([this] { return box().fGetPosition().y > STORE_MESSAGE_BOX::kHiddenY; }));
    ASSERT_TRUE(box().isOpen());
  }
  void closeScreen() {
    tick(kEnter);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen == PLAYERS_SCREEN; }));
    settle();
  }
  std::string lastPlayer() const { return playerFile().child("lastplayer").attribute("lpname").value(); }

  std::string file;
};

// Only `player` elements make rows, whatever stands between them; the bar rests on lastplayer's
// row; names are drawn as they are, a byte that is not UTF-8 as one U+FFFD, and typing the name
// so read is refused as taken. A click on a row's line moves the bar; Escape closes like OK,
// writes the picked name as the last player and the title then shows that profile.
TEST_F(PlayersScreen, RowsComeFromProfilesOnlyAndClosingTakesThePickedOne) {
  start(
      "<player name=\"ann\"/>\n<lastplayer lpname=\"bo\xFF\"/>\n<player name=\"bo\xFF\"/>\n<packs/>\n<ranks/>\n"
      "<player name=\"5%d %s\"/>\n");
  ASSERT_EQ(manager->player->m_name, L"bo\uFFFD");
  open();
  EXPECT_EQ(names(), (std::vector<std::wstring>{L"ann", L"bo\uFFFD", L"5%d %s"}));
  EXPECT_FLOAT_EQ(rowY(0), kFirstRow);
  EXPECT_FLOAT_EQ(barY(), rowY(1));
  ASSERT_NE(manager->players.addButton, nullptr);
  click(manager->players.addButton);
  box().fGetTextField()->fSetText(L"bo\uFFFD");
  tick(kEnter);
  EXPECT_TRUE(played("error.ogg"));
  tick(kEscape);
  settle();
  // Drawn literally: the last text of the regular font in a frame is the last row's name.
  tick();
  EXPECT_STREQ(manager->regularFont->fGetTextW(), L"5%d %s");

  clickAt(kMiddleX - 100.0f, rowY(0));
  EXPECT_FLOAT_EQ(barY(), rowY(0));
  EXPECT_EQ(manager->players.PickedRow(), &manager->players.rows[0]);
  qor_test::LogCapture log;
  tick(kEscape);
  EXPECT_TRUE(played("button_click.ogg"));
  EXPECT_TRUE(log.hasLine("SAVE ACCESS"));
  EXPECT_STREQ(playerFile().child("lastplayer").attribute("lpname").value(), "ann");
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen == PLAYERS_SCREEN; }));
  EXPECT_EQ(manager->currentScreen, TITLE_SCREEN);
  EXPECT_EQ(manager->player->m_name, L"ann");
  EXPECT_EQ(profiles(playerFile()), 3);
}

// A taken name plays "error.ogg" and keeps the box open with the error; new names become rows
// (a name beyond 16-bit characters kept whole), each the current profile and the last player at
// once. The add button goes once the seventh row exists.
TEST_F(PlayersScreen, AddsUpToTheSeventhRowAndRefusesATakenName) {
  start("<lastplayer lpname=\"ann\"/>\n<player name=\"ann\"/>\n");
  open();
  click(manager->players.addButton);
  EXPECT_TRUE(played("button_click.ogg"));
  type("ANN");
  tick(kEnter);
  EXPECT_TRUE(played("error.ogg"));
  EXPECT_TRUE(box().isError());
  for (int n = 0; n < 60; ++n) tick();
  EXPECT_TRUE(box().isQuestion() && box().isNameEntry() && !box().isHiding());
  EXPECT_EQ(profiles(playerFile()), 1);
  for (int n = 0; n < 3; ++n) press(8);  // Backspace
  EXPECT_TRUE(box().fGetTextField()->isEmpty());
  type("BO");
  tick(kEnter);
  settle();
  EXPECT_EQ(names(), (std::vector<std::wstring>{L"ann", L"bo"}));
  EXPECT_EQ(manager->player->m_name, L"bo");
  EXPECT_FLOAT_EQ(barY(), rowY(1));

  // A name with a character beyond 16 bits, as the text field now keeps it.
  const std::wstring clef = {L'c', static_cast<wchar_t>(0x1D11E)};
  click(manager->players.addButton);
  box().fGetTextField()->fSetText(clef);
  tick(kEnter);
  settle();
  EXPECT_EQ(names().back(), clef);
  EXPECT_STREQ(playerFile().child("lastplayer").attribute("lpname").value(), "c\xF0\x9D\x84\x9E");

  for (const char* name : {"DI", "ED", "FA"}) {
    add(name);
    ASSERT_NE(manager->players.addButton, nullptr) << name;
  }
  EXPECT_EQ(manager->players.rows.size(), 6u);
  add("GU");
  EXPECT_EQ(manager->players.rows.size(), 7u);
  EXPECT_EQ(manager->players.addButton, nullptr);
  EXPECT_EQ(manager->players.nextPage, nullptr) << "seven rows fill one page: no page follows";
  EXPECT_EQ(profiles(playerFile()), 7);
  EXPECT_FLOAT_EQ(barY(), rowY(6));
  for (std::size_t i = 1; i < 7; ++i) EXPECT_GT(rowY(i), rowY(i - 1));
}

// Typed names through the real box, each confirmed with Enter: the blanks at either end are
// dropped; a name of blanks only is refused like an empty one, with "error.ogg" and the reason
// under the field; one that differs from a profile only by such blanks, even a profile the file
// holds with them (read as stored), is taken.
TEST_F(PlayersScreen, TypedNamesLoseTheirEndBlanksAndEmptyOnesAreRefusedWithTheReason) {
  start("<lastplayer lpname=\" cy \"/>\n<player name=\" cy \"/>\n");
  open();
  const std::wstring empty = manager->GetText(MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::kEmptyNameKey);
  const std::wstring taken = text(MAHJONG_GAME_MANAGER::TXT_PLAYER_EXISTS);
  // Typed, the blanks beyond the keyboard's put around it (as a paste brings them), then the
  // refusal or the new profile.
  const struct {
    const char* keys;
    const wchar_t* around;
    std::wstring outcome;
  } table[] = {{"", L"", empty},           {"   ", L"", empty},          {"  ANN ", L"", L"ann"},
               {"ANN", L"", taken},        {"CY", L"", taken},          {" DEE", L"", L"dee"},
               {"", L"\u200B\u3000", empty}, {"EVE", L"\u200B", L"eve"}, {"FAY", L"\u00A0\u2007\uFEFF", L"fay"}};
  for (const auto& [keys, around, outcome] : table) {
    SCOPED_TRACE(std::string("typed \"") + keys + "\"");
    if (!box().isOpen() || box().isHiding()) {
      settle();
      click(manager->players.addButton);
    }
    box().fGetTextField()->fClearText();
    type(keys);
    if (*around != L'\0') box().fGetTextField()->fSetText(around + box().fGetTextField()->fGetText() + around);
    tick(kEnter);
    const bool refused = outcome == empty || outcome == taken;
    EXPECT_EQ(played("error.ogg"), refused);
    EXPECT_EQ(box().isError() ? box().fGetErrorText() : manager->player->m_name, outcome);
  }
  settle();
  EXPECT_EQ(names(), (std::vector<std::wstring>{L" cy ", L"ann", L"dee", L"eve", L"fay"}));
  EXPECT_EQ(lastPlayer(), "fay");
}

// A delete button asks first: Escape keeps the profile, OK removes it from the file and the list,
// which closes up under the bar. Deleting the last one asks for a new first name at once, without
// a working cancel button; that name becomes the first row and, on closing, the current player.
TEST_F(PlayersScreen, DeletesOnlyAfterConfirmationDownToAFirstNameAgain) {
  start("<lastplayer lpname=\"bo\"/>\n<player name=\"ann\"/>\n<player name=\"bo\"/>\n<player name=\"cy\"/>\n");
  open();
  const float secondRow = rowY(1);
  click(manager->players.rows[1].deleteButton);
  EXPECT_TRUE(played("button_click.ogg"));
  ASSERT_TRUE(box().isQuestion() && !box().isNameEntry());
  EXPECT_EQ(box().fGetText(), text(MAHJONG_GAME_MANAGER::TXT_DELETE_PLAYER) + L"\nbo?");
  for (int n = 0; n < 60; ++n) tick();
  tick(kEscape);
  settle();
  EXPECT_EQ(names().size(), 3u);
  EXPECT_EQ(profiles(playerFile()), 3);

  click(manager->players.rows[1].deleteButton);
  for (int n = 0; n < 60; ++n) tick();
  tick(kEnter);
  settle();
  EXPECT_EQ(names(), (std::vector<std::wstring>{L"ann", L"cy"}));
  EXPECT_FLOAT_EQ(rowY(1), secondRow);
  EXPECT_EQ(manager->players.PickedRow(), &manager->players.rows[1]);  // the next profile moved under the bar
  EXPECT_EQ(manager->player->m_name, L"cy");                  // bo was current: cy takes over
  EXPECT_EQ(lastPlayer(), "cy");
  EXPECT_FALSE(playerFile().find_child_by_attribute("player", "name", "bo"));

  // The last row goes: the bar follows up to the new last row.
  click(manager->players.rows[1].deleteButton);
  for (int n = 0; n < 60; ++n) tick();
  tick(kEnter);
  settle();
  EXPECT_FLOAT_EQ(barY(), rowY(0));

  qor_test::LogCapture log;
  click(manager->players.rows[0].deleteButton);
  for (int n = 0; n < 60; ++n) tick();
  tick(kEnter);
  EXPECT_TRUE(log.hasLine("WORK!!!!!!"));
  EXPECT_TRUE(manager->players.rows.empty());
  EXPECT_EQ(profiles(playerFile()), 0);
  ASSERT_TRUE(box().isQuestion() && box().isNameEntry());
  EXPECT_EQ(box().fGetCancelButton()->fGetState(), 4);
  for (int n = 0; n < 60; ++n) tick();
  type("ZED");
  tick(kEnter);
  settle();
  EXPECT_EQ(names(), (std::vector<std::wstring>{L"zed"}));
  EXPECT_FLOAT_EQ(rowY(0), kFirstRow);
  tick(kEnter);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen == PLAYERS_SCREEN; }));
  EXPECT_EQ(manager->player->m_name, L"zed");
  EXPECT_STREQ(playerFile().child("lastplayer").attribute("lpname").value(), "zed");
}

}  // namespace

namespace {

// A key that lands on the tick a question closes answers nothing: Escape on the delete question
// and then Enter deletes no profile, nor does Escape on the name question and then Enter (the
// screen remembers it asked for a name); the list stays open with every profile.
TEST_F(PlayersScreen, AClosingQuestionTakesNoAnswer) {
  start("<lastplayer lpname=\"bo\"/>\n<player name=\"ann\"/>\n<player name=\"bo\"/>\n");
  open();
  for (const bool deleteQuestion : {true, false}) {
    SCOPED_TRACE(deleteQuestion ? "delete question" : "name question");
    click(deleteQuestion ? manager->players.rows[1].deleteButton : manager->players.addButton);
    ASSERT_TRUE(box().isQuestion());
    for (int n = 0; n < 60; ++n) tick();
    tick(kEscape);
    untilClosingTick();
    tick(kEnter);
    EXPECT_FALSE(box().isOpen());
    for (int n = 0; n < 60; ++n) tick();
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"ann", L"bo"}));
    EXPECT_EQ(profiles(playerFile()), 2);
    EXPECT_EQ(manager->player->m_name, L"bo");
    EXPECT_EQ(manager->currentScreen, PLAYERS_SCREEN);
  }
}

// Deleting the current profile hands over at once: the file's last player becomes the row now
// under the bar, and that profile is current with its own window mode before any OK. A profile
// added in one visit is current; picking another row in a later visit makes that one current,
// saved and applied when the screen closes.
TEST_F(PlayersScreen, TheCurrentProfileIsAlwaysOneThatExists) {
  start(
      "<lastplayer lpname=\"ann\"/>\n<player name=\"ann\" full_screen=\"false\"/>\n"
      "<player name=\"bo\" full_screen=\"true\"/>\n<player name=\"cy\" full_screen=\"false\"/>\n");
  ASSERT_EQ(manager->player->m_name, L"ann");
  ASSERT_FALSE(QOR::qcRENDER->isFullScreen());
  open();
  click(manager->players.rows[0].deleteButton);
  for (int n = 0; n < 60; ++n) tick();
  tick(kEnter);
  EXPECT_EQ(lastPlayer(), "bo");
  EXPECT_FALSE(playerFile().find_child_by_attribute("player", "name", "ann"));
  EXPECT_EQ(manager->player->m_name, L"bo");
  EXPECT_TRUE(QOR::qcRENDER->isFullScreen());
  settle();
  closeScreen();
  EXPECT_EQ(manager->currentScreen, TITLE_SCREEN);
  EXPECT_EQ(manager->player->m_name, L"bo");

  // Visit two adds a profile (full screen, as new profiles are), visit three picks cy.
  open();
  add("DEE");
  EXPECT_EQ(manager->player->m_name, L"dee");
  closeScreen();
  EXPECT_EQ(manager->player->m_name, L"dee");
  EXPECT_TRUE(QOR::qcRENDER->isFullScreen());
  open();
  ASSERT_EQ(names(), (std::vector<std::wstring>{L"bo", L"cy", L"dee"}));
  clickAt(kMiddleX - 100.0f, rowY(1));
  ASSERT_EQ(manager->players.PickedRow(), &manager->players.rows[1]);
  closeScreen();
  EXPECT_EQ(lastPlayer(), "cy");
  EXPECT_EQ(manager->player->m_name, L"cy");
  EXPECT_FALSE(QOR::qcRENDER->isFullScreen());
  EXPECT_EQ(manager->selectedName, L"cy");
}

}  // namespace
