// The layout of every screen and state, as the real game manager draws it on the recording device
// over the real Resources, with the widest name the name field takes and the longest texts of our
// data: each text inside the game area and inside the plate, banner or panel it is printed on,
// readable there, no two texts over each other, and every button's hit area over its picture
// (tests/game/flow/layout_check.h). The plates' areas are the data builder's own numbers.
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_globals.h"
#include "game/board/editor_menu.h"
#include "game/board/mahjong_hud_panel.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_player_file.h"
#include "game/flow/menu_objects.h"
#include "game/flow/pack_button.h"
#include "game/flow/select_player_msg_box.h"
#include "game/flow/store_message_box.h"
#include "game/flow/trophy_item.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_image_checkbox.h"
#include "host/recording_device.h"
#include "tests/game/flow/flow_driver.h"
#include "tests/game/flow/layout_check.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace PLACES = QOR::ART_PLACES;
using layout_test::FRAME;
using layout_test::PLATE;
using layout_test::QUAD;
using M = MAHJONG_GAME_MANAGER;

constexpr float kWidth = 1024.0f;
constexpr float kHeight = 768.0f;
// A level's points run to six digits; the highest score task of our levels has five.
constexpr int kLevelScore = 999999;
constexpr int kLevelTaskScore = 17730;

// The widest name the name field takes: a real-looking name, capitals and letters beyond ASCII,
// repeated until the field refuses the next character.
std::wstring widestName(QOR::QC_GUI_LINEBOX& field) {
  const std::wstring pattern = L"WOLFGANG MÜLLER-WÜNSCHE ";
  std::wstring name;
  for (std::size_t i = 0;; ++i) {
    const std::wstring longer = name + pattern[i % pattern.size()];
    field.fSetText(longer);
    if (field.fGetText() != longer) break;
    name = longer;
  }
  field.fClearText();
  while (!name.empty() && name.back() == L' ') name.pop_back();
  return name;
}

void add(std::vector<PLATE>& to, std::vector<PLATE> plates) { to.insert(to.end(), plates.begin(), plates.end()); }

class Layout : public flow_test::FlowDriver {
 protected:
  void SetUp() override {
    FlowDriver::SetUp();
    ASSERT_NE(manager->playerBox, nullptr);
    ASSERT_NE(manager->playerBox->fGetTextField(), nullptr);
    longName = widestName(*manager->playerBox->fGetTextField());
    ASSERT_GT(longName.size(), 10u);
  }
  // Each tick's drawing is recorded alone; texts lettered during the update go into a render
  // target, and the comic's caption is kept.
  void beforeUpdate() override {
    host_test::fRecordedCalls().clear();
    recorder.texts.clear();
    recorder.intoTarget = true;
  }
  void beforeRender() override {
    for (const layout_test::SHOWN_TEXT& text : recorder.texts) {
      if (text.intoTarget) lettered.push_back(text);
    }
    recorder.texts.clear();
    recorder.intoTarget = false;
  }

  // One more frame of the state as it stands, judged with the plates and buttons the table adds.
  void check(const std::string& state, const std::function<void(FRAME&)>& table) {
    tick();
    FRAME frame;
    frame.texts = recorder.texts;
    table(frame);
    for (const std::string& failure : layout_test::fCheck(frame)) ADD_FAILURE() << state << ": " << failure;
  }

  // ---- Plates every screen shares ----
  static std::vector<PLATE> panel(const char* picture, PLACES::QS_SIZE size, std::vector<std::wstring> holds = {}) {
    return layout_test::fPlatesOn(picture, size, PLACES::fInset(size, PLACES::kPanelTextMargin),
                                  holds);
  }
  static std::vector<PLATE> band(const char* picture, PLACES::QS_TITLED_PANEL titled, std::wstring title) {
    return layout_test::fPlatesOn(picture, titled.size, titled.band, {title});
  }
  // Only what is drawn over the last dark veil counts: the screen under an overlay or a box is
  // judged in its own state.
  static void overlay(FRAME& frame) { frame.layerFrom = layout_test::fLastDraw("Dark_back.png"); }
  static void keepOff(FRAME& frame, const char* picture) {
    for (const layout_test::DRAWN& drawn : layout_test::fDrawnPlaces(picture)) {
      frame.keepOut.emplace_back(picture, drawn.place);
    }
  }
  void messageBox(FRAME& frame, const STORE_MESSAGE_BOX* box, std::vector<std::wstring> holds) {
    ASSERT_NE(box, nullptr);
    overlay(frame);
    add(frame.plates, panel("Message_back.png", PLACES::kMessageBox, holds));
    frame.buttons.push_back(box->fGetOkButton());
    if (box->isQuestion()) frame.buttons.push_back(box->fGetCancelButton());
    keepOff(frame, "Ok_middle.png");
    keepOff(frame, "Delete_middle.png");
  }
  void leftPanel(FRAME& frame) {
    add(frame.plates, layout_test::fPlatesOn("Experience_back.png", PLACES::kExperiencePlate,
                                             PLACES::fInset(PLACES::kExperiencePlate, PLACES::kPlateTextMargin), {manager->rankTitle}));
    add(frame.plates, layout_test::fPlatesOn("Money_back.png", PLACES::kMoneyPlate, PLACES::kMoneyText));
    const std::pair<const char*, int> captions[4] = {{"MainMenu_CareerButton.png", M::TXT_CAREER},
                                                     {"MainMenu_TrophiesButton.png", M::TXT_TROPHIES},
                                                     {"MainMenu_OptionsButton.png", M::TXT_OPTIONS},
                                                     {"MainMenu_HelpButton.png", M::TXT_HELP}};
    for (const auto& [picture, caption] : captions) {
      add(frame.plates, layout_test::fPlatesOn(picture, PLACES::kMenuButtonCell, PLACES::kMenuButtonCaption, {text(caption)}));
    }
    for (const QOR::QC_IMAGE_BUTTON* button :
         {manager->leftPanel.careerButton, manager->leftPanel.trophiesButton, manager->leftPanel.optionsButton,
          manager->leftPanel.helpButton, manager->leftPanel.backButton}) {
      frame.buttons.push_back(button);
    }
  }
  // The players screen: the names given on its panel, its buttons off every text.
  void playersPanel(FRAME& frame, std::vector<std::wstring> names) {
    overlay(frame);
    add(frame.plates, band("ChangePlayerScreenTitle_back.png", PLACES::kPlayersPanel, text(M::TXT_CHANGE_PLAYER)));
    add(frame.plates, panel("ChangePlayerScreenTitle_back.png", PLACES::kPlayersPanel.size, std::move(names)));
    const PLAYERS_PARTS& players = manager->players;
    for (const PLAYER_LIST_ITEM& row : players.rows) frame.buttons.push_back(row.deleteButton);
    frame.buttons.insert(frame.buttons.end(),
                         {players.addButton, players.previousPage, players.nextPage, players.okButton});
    for (const char* picture : {"DeleteButton_smoll.png", "PlusButton_smoll.png", "LeftPoint_smoll.png",
                                "RightPoint_smoll.png"}) {
      keepOff(frame, picture);
    }
  }
  void pageSwitch(FRAME& frame) {
    frame.buttons.push_back(manager->pageArrow);
    keepOff(frame, "RightPoint_smoll.png");
    keepOff(frame, "LeftPoint_smoll.png");
  }

  // ---- Getting there ----
  bool moving() const {
    return manager->sidePanelTween.active || manager->screenSlideTween.active || manager->screenFade.active ||
           manager->levels.pageTween.active || manager->trophies.pageTween.active;
  }
  void untilStill() { ASSERT_TRUE(runWhile([this] { return moving(); })); }
  void untilBoxAtRest(const STORE_MESSAGE_BOX* box) {
    ASSERT_TRUE(runWhile([box] { return box->isOpen() && box->fGetPosition().y != kHeight / 2.0f; }));
    ASSERT_TRUE(box->isOpen());
  }
  // A profile of the widest name, current, with the start comic seen and packs 1 and 2 played.
  void widestPlayer() {
    manager->SavePlayerFile(longName);
    ASSERT_NE(manager->player, nullptr);
    manager->player->m_seenStartComics = true;
    for (int level = 1; level <= MAHJONG_PLAYER::kLevelsPerPack; ++level) {
      manager->player->m_levels[MAHJONG_PLAYER::LevelIndex(1, level)] = 3;
    }
    manager->player->m_money = 9999999;
    manager->SavePlayer();
  }
  void toPacks() {
    click(manager->title.playButton);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != PACKS_SCREEN || moving(); }));
  }

  layout_test::TEXT_RECORDER recorder;
  std::vector<layout_test::SHOWN_TEXT> lettered;  // texts lettered into render targets
  std::wstring longName;
};

// The first run: the title without a player, the name question with its prompt over the field,
// the field holding the widest name, then the start comic with the caption carrying that name on
// the master's scroll.
TEST_F(Layout, FirstRunTitleNameBoxAndStartComic) {
  const auto title = [this](FRAME& frame, const std::wstring& greeting) {
    add(frame.plates, panel("TitleScreenButtun_back.png", PLACES::kTitlePanel, {greeting}));
    const PLACES::QS_SIZE side{207, 71};
    add(frame.plates, layout_test::fPlatesOn("PlyersButton.png", side, PLACES::fInset(side, 4.0),
                                             {text(M::TXT_PLAYERS)}));
    add(frame.plates, layout_test::fPlatesOn("QuitButtin.png", side, PLACES::fInset(side, 4.0),
                                             {text(M::TXT_QUIT)}));
    keepOff(frame, "PlayButton.png");
    for (const QOR::QC_IMAGE_BUTTON* button :
         {manager->title.playButton, manager->title.quitButton, manager->title.playersButton}) {
      frame.buttons.push_back(button);
    }
  };
  check("title without a player", [&](FRAME& frame) { title(frame, text(M::TXT_WELCOME)); });

  click(manager->title.playButton);
  M::SELECT_PLAYER_MSG_BOX* box = manager->playerBox;
  ASSERT_TRUE(box->isNameEntry());
  untilBoxAtRest(box);
  QOR::QC_GUI_LINEBOX* field = box->fGetTextField();
  field->fSetText(longName);
  ASSERT_EQ(field->fGetText(), longName);
  check("name question", [&](FRAME& frame) {
    messageBox(frame, box, {text(M::TXT_TYPE_NEW_NAME)});
    keepOff(frame, "PackName_button.png");
  });

  tick(flow_test::kEnter);
  ASSERT_EQ(manager->player->m_name, longName);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != COMICS_SCREEN; }));
  // The pictures and the button fade in one after the other.
  ASSERT_TRUE(runWhile([this] { return (manager->comics.nextButton->fGetImage()->fGetVertexColor(0) >> 24) != 255u; }));
  check("start comic", [&](FRAME& frame) {
    frame.buttons.push_back(manager->comics.nextButton);
    // The caption was lettered into its target; the screen shows it through the caption's sprite.
    ASSERT_NE(manager->comics.caption, nullptr);
    const QOR::QS_TRANSFORM3& place = *manager->comics.caption->fGetTransform();
    std::wstring caption;
    for (layout_test::SHOWN_TEXT shown : lettered) {
      for (QUAD& line : shown.lines) {
        for (QOR::QS_VEC2& corner : line.p) corner = layout_test::fToScreen(place, corner.x, corner.y);
      }
      shown.point = layout_test::fToScreen(place, shown.point.x, shown.point.y);
      caption = shown.text;
      frame.texts.push_back(shown);
    }
    EXPECT_NE(caption.find(longName), std::wstring::npos) << "the caption carries the name";
    for (const layout_test::DRAWN& drawn : layout_test::fDrawnPlaces("Comic2.png")) {
      PLATE scroll;
      scroll.name = "the scroll of Comic2.png";
      scroll.area = layout_test::fPart(drawn.place, PLACES::kComicPicture2, PLACES::fParchment(PLACES::kComicScroll));
      scroll.holds = {caption};
      scroll.ground = layout_test::fGroundOf("Comic2.png", drawn);
      frame.plates.push_back(scroll);
    }
  });
}

// The title with the widest name, the players screen full of such names with its delete question
// and its name question (with the error line), the packs and levels screens with their pages, the
// options, the credits and the four help pages, all beside the left panel.
TEST_F(Layout, MenuScreensWithTheWidestName) {
  // Six profiles of wide names, the last one current.
  for (int i = 0; i < 5; ++i) manager->SavePlayerFile(longName.substr(0, longName.size() - 1) + std::to_wstring(i));
  widestPlayer();
  manager->loadMenus();
  manager->title.Move(MENU_OBJECTS::PanelSlide());
  settle();
  const std::wstring greeting = text(M::TXT_WELCOME) + L"\n" + longName;
  check("title with a player", [&](FRAME& frame) {
    add(frame.plates, panel("TitleScreenButtun_back.png", PLACES::kTitlePanel, {greeting}));
    keepOff(frame, "PlayButton.png");
    for (const QOR::QC_IMAGE_BUTTON* button :
         {manager->title.playButton, manager->title.quitButton, manager->title.playersButton}) {
      frame.buttons.push_back(button);
    }
  });

  click(manager->title.playersButton);
  untilStill();
  const auto players = [this](FRAME& frame) { playersPanel(frame, {}); };
  ASSERT_EQ(manager->players.rows.size(), 6u);
  check("players", players);

  click(manager->players.rows.back().deleteButton);
  untilBoxAtRest(manager->playerBox);
  check("players, delete question", [&](FRAME& frame) {
    messageBox(frame, manager->playerBox, {manager->playerBox->fGetText()});
  });
  tick(flow_test::kEscape);
  ASSERT_TRUE(runWhile([this] { return manager->playerBox->isOpen(); }));

  click(manager->players.addButton);
  untilBoxAtRest(manager->playerBox);
  manager->playerBox->fGetTextField()->fSetText(longName);
  ASSERT_EQ(manager->playerBox->fGetTextField()->fGetText(), longName);
  tick(flow_test::kEnter);
  ASSERT_TRUE(manager->playerBox->isError()) << "the name is taken";
  check("players, name question with its error", [&](FRAME& frame) {
    messageBox(frame, manager->playerBox, {text(M::TXT_TYPE_NEW_NAME), text(M::TXT_PLAYER_EXISTS)});
    keepOff(frame, "PackName_button.png");
  });
  tick(flow_test::kEscape);
  ASSERT_TRUE(runWhile([this] { return manager->playerBox->isOpen(); }));
  tick(flow_test::kEscape);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != TITLE_SCREEN || moving(); }));

  toPacks();
  check("packs", [&](FRAME& frame) {
    leftPanel(frame);
    for (const PACK_BUTTON* pack : manager->packs.buttons) frame.buttons.push_back(pack->button);
    add(frame.plates, layout_test::fPlatesOn("PackName_button.png", PLACES::kNamePlate,
                                             PLACES::fInset(PLACES::kNamePlate, PLACES::kPlateTextMargin)));
    add(frame.plates, layout_test::fPlatesOn("Exp_back.png", PLACES::kRankPlateCell, PLACES::kRankPlateText));
  });
  // The last pack's offer and its refusal for too little money, with the highest price.
  manager->player->m_XP = 200.0f;
  manager->player->m_trophies = {4, 5, 6, 7, 8};  // its experience trophies: no award box comes
  manager->UpdateRank(0);
  for (const int money : {99999, 0}) {
    manager->player->m_money = money;
    click(manager->packs.buttons.back()->button);
    untilBoxAtRest(manager->messageBox);
    check("packs, pack 6 with " + std::to_string(money),
          [&](FRAME& frame) { messageBox(frame, manager->messageBox, {manager->messageBox->fGetText()}); });
    tick(manager->messageBox->isQuestion() ? flow_test::kEscape : flow_test::kEnter);
    ASSERT_TRUE(runWhile([this] { return manager->messageBox->isOpen(); }));
  }
  click(manager->packs.buttons.front()->button);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != LEVELS_SCREEN || moving(); }));
  // The levels' numbers are painted in their pictures; neither a button's frame, its padlock nor
  // a star hides one.
  const auto levels = [this](FRAME& frame) {
    leftPanel(frame);
    pageSwitch(frame);
    for (const QOR::QC_IMAGE_BUTTON* button : manager->levels.buttons) frame.buttons.push_back(button);
    for (int level = 1; level <= MAHJONG_PLAYER::kLevelsPerPack; ++level) {
      const std::string picture =
          "bgnd/Levels/" + std::to_string(manager->currentPack) + "/" + std::to_string(level) + ".png";
      for (const layout_test::DRAWN& drawn : layout_test::fDrawnPlaces(picture)) {
        frame.texts.push_back(layout_test::fPaintedText(drawn, PLACES::kLevelPicture, PLACES::kLevelNumber,
                                                        L"level " + std::to_wstring(level)));
      }
    }
    frame.over = {"Levels_button.png", "star_active_passive.png", "Levels_button_glow.png", "flash.png"};
  };
  check("levels, page 1", levels);
  click(manager->pageArrow);
  untilStill();
  ASSERT_EQ(manager->page, 2);
  check("levels, page 2", levels);
  // Every pack's pictures with every level locked, on both pages.
  for (int pack = 1; pack <= MAHJONG_PLAYER::kPacks; ++pack) {
    click(manager->leftPanel.careerButton);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != PACKS_SCREEN || moving(); }));
    QOR::QC_IMAGE_BUTTON* packButton = manager->packs.buttons[static_cast<std::size_t>(pack - 1)]->button;
    packButton->fEnable();
    click(packButton);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != LEVELS_SCREEN || moving(); }));
    ASSERT_EQ(manager->currentPack, pack);
    for (QOR::QC_IMAGE_BUTTON* button : manager->levels.buttons) button->fDisable();
    for (int turn = 0; turn < 2; ++turn) {
      check("locked levels of pack " + std::to_string(pack) + ", page " + std::to_string(manager->page), levels);
      click(manager->pageArrow);
      untilStill();
    }
  }

  click(manager->leftPanel.optionsButton);
  untilStill();
  ASSERT_NE(manager->optionsOpen, 0);
  check("options", [&](FRAME& frame) {
    overlay(frame);
    add(frame.plates, band("OptionsPanel_back.png", PLACES::kOptionsPanel, text(M::TXT_OPTIONS)));
    add(frame.plates, panel("OptionsPanel_back.png", PLACES::kOptionsPanel.size));
    const PLACES::QS_SIZE credits{150, 44};
    add(frame.plates, layout_test::fPlatesOn("Credits_button.png", credits, PLACES::fInset(credits, 2.0), {text(M::TXT_CREDITS)}));
    for (const char* picture : {"sound_slider.png", "Runner_button.png", "Options_button.png", "classic.png",
                                "cards.png", "numbers.png", "Ok_middle.png"}) {
      keepOff(frame, picture);
    }
    frame.buttons.push_back(manager->options.okButton);
    frame.buttons.push_back(manager->options.creditsButton);
  });

  click(manager->options.creditsButton);
  untilStill();
  ASSERT_NE(manager->options.creditsOpen, 0);
  check("credits", [&](FRAME& frame) {
    overlay(frame);
    std::vector<std::wstring> lines;
    for (const auto& [style, line] : manager->credits) lines.push_back(line);
    add(frame.plates, panel("Credits_back.png", PLACES::kCreditsPanel, lines));
    keepOff(frame, "Ok_middle.png");
    frame.buttons.push_back(manager->options.creditsOkButton);
  });
  click(manager->options.creditsOkButton);
  ASSERT_TRUE(runWhile([this] { return manager->options.creditsOpen != 0; }));
  tick(flow_test::kEnter);
  untilStill();
  ASSERT_TRUE(runWhile([this] { return manager->optionsOpen != 0; }));

  click(manager->leftPanel.helpButton);
  untilStill();
  for (int page = 1; page <= 4; ++page) {
    ASSERT_EQ(manager->help.page, page);
    check("help, page " + std::to_string(page), [&](FRAME& frame) {
      overlay(frame);
      add(frame.plates, panel("Credits_back.png", PLACES::kCreditsPanel, {manager->help.header}));
      for (const QOR::QC_IMAGE_BUTTON* button :
           {manager->help.okButton, manager->help.leftArrow, manager->help.rightArrow}) {
        frame.buttons.push_back(button);
      }
      keepOff(frame, "Ok_middle.png");
      if (page > 1) keepOff(frame, "LeftPoint_smoll.png");
      if (page < 4) keepOff(frame, "RightPoint_smoll.png");
    });
    if (page < 4) click(manager->help.rightArrow);
  }
}

// The trophies screen with every trophy's title and description (owning more of each group shows
// its next trophy), both pages, the shelves under every row; and the award box of each trophy.
TEST_F(Layout, TrophiesWithEveryTrophyAndItsAward) {
  widestPlayer();
  manager->loadMenus();
  manager->title.Move(MENU_OBJECTS::PanelSlide());
  settle();
  toPacks();
  const auto shelf = [&](FRAME& frame) {
    leftPanel(frame);
    pageSwitch(frame);
    // Each trophy's column: its picture's ink and, from 90 right of its middle, the room of its
    // texts, above the gold rim of the shelf it stands on, clear of it.
    const std::vector<layout_test::DRAWN> shelves = layout_test::fDrawnPlaces("shelf.png");
    float firstLeft = kWidth, lastRight = 0.0f;
    std::vector<std::pair<float, float>> columns;
    for (const TROPHY_ITEM* item : manager->trophies.slots) {
      float x = 0.0f, y = 0.0f;
      item->fGetPosition(x, y);
      if (x < 0.0f || x > kWidth) continue;
      float rim = kHeight;
      for (const layout_test::DRAWN& drawn : shelves) {
        if (drawn.place.fTop() <= y && drawn.place.fBottom() >= y) {
          rim = layout_test::fPart(drawn.place, PLACES::kShelf, PLACES::kShelfRim).fTop();
        }
      }
      const float room = x + 90.0f + static_cast<float>(PLACES::kTrophyTextRoom);
      PLATE beside;
      beside.name = "the room beside trophy " + std::to_string(item->fGetId());
      beside.area = QUAD::fRect(x + 86.0f, y - PLACES::kTrophyPicture.h, room,
                                rim - static_cast<float>(PLACES::kPlateTextMargin));
      beside.holds = {item->fGetTitle(), item->fGetDescription()};
      frame.plates.push_back(beside);
      const float ink = x - static_cast<float>(PLACES::kTrophyInkHalfWidth);
      firstLeft = std::min(firstLeft, ink);
      lastRight = std::max(lastRight, room);
      columns.emplace_back(ink, room);
    }
    // The columns stand evenly right of the left panel: as much room left of the first as right of
    // the last, and none of them reaching into another.
    const std::vector<layout_test::DRAWN> panel = layout_test::fDrawnPlaces("MainMenu_back.png");
    ASSERT_EQ(panel.size(), 1u);
    const float before = firstLeft - panel[0].place.fRight();
    const float after = kWidth - lastRight;
    EXPECT_GT(before, 0.0f) << "page " << manager->page;
    EXPECT_NEAR(before, after, 2.0f) << "page " << manager->page;
    for (const auto& [left, right] : columns) {
      for (const auto& other : columns) {
        if (other.first > left) {
          EXPECT_LE(right, other.first) << "page " << manager->page;
        }
      }
    }
    // Each row's shelf reaches across the whole screen.
    for (const float rowY : {kHeight - 510.0f, kHeight - 310.0f, kHeight - 110.0f}) {
      float left = kWidth, right = 0.0f;
      for (const layout_test::DRAWN& drawn : layout_test::fDrawnPlaces("shelf.png")) {
        if (drawn.place.fTop() > rowY || drawn.place.fBottom() < rowY) continue;
        left = std::min(left, drawn.place.fLeft());
        right = std::max(right, drawn.place.fRight());
      }
      EXPECT_LE(left, 0.0f) << "page " << manager->page << ", shelf at y " << rowY;
      EXPECT_GE(right, kWidth) << "page " << manager->page << ", shelf at y " << rowY;
    }
  };
  // The groups hold up to five trophies; owning the first k of each shows the (k+1)-th.
  const std::vector<std::vector<int>> groups = {{1, 2, 3}, {4, 5, 6, 7, 8}, {15, 16, 17}, {18, 19, 20}, {21, 22, 23},
                                                {24, 25, 26}};
  for (int k = 0; k < 5; ++k) {
    manager->player->m_trophies.clear();
    for (const std::vector<int>& group : groups) {
      for (int i = 0; i < k && i + 1 < static_cast<int>(group.size()); ++i) manager->player->m_trophies.push_back(group[i]);
    }
    if (k > 0) {
      for (int id = 9; id <= 14; ++id) manager->player->m_trophies.push_back(id);
    }
    click(manager->leftPanel.trophiesButton);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != TROPHIES_SCREEN || moving(); }));
    check("trophies " + std::to_string(k) + ", page 1", shelf);
    click(manager->pageArrow);
    untilStill();
    ASSERT_EQ(manager->page, 2);
    check("trophies " + std::to_string(k) + ", page 2", shelf);
    click(manager->leftPanel.careerButton);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != PACKS_SCREEN || moving(); }));
  }

  for (int id = 1; id <= 26; ++id) {
    manager->AwardTrophy(id);
    untilBoxAtRest(manager->trophies.awardBox);
    check("award of trophy " + std::to_string(id), [&](FRAME& frame) {
      messageBox(frame, manager->trophies.awardBox,
                 {manager->trophies.awarded->fGetTitle(), manager->trophies.awarded->fGetDescription()});
    });
    tick(flow_test::kEnter);
    ASSERT_TRUE(runWhile([this] { return manager->trophies.awardBox->isOpen(); }));
  }
}

// A level's road with the longest values: the intro with two tasks, the in-game panel, the pause
// panel and its questions, the no-moves messages, the completion panel and, after the career's
// last level, the final screen with the widest name.
TEST_F(Layout, LevelRoadWithTheLongestValues) {
  widestPlayer();
  MAHJONG_PLAYER& player = *manager->player;
  player.m_tutorialShow = false;
  for (int pack = 1; pack <= MAHJONG_PLAYER::kPacks; ++pack) {
    for (int level = 1; level < MAHJONG_PLAYER::kLevelsPerPack; ++level) {
      player.m_levels[MAHJONG_PLAYER::LevelIndex(pack, level)] = 3;
    }
  }
  player.m_XP = 1000.0f;
  player.m_trophies = {4, 5, 6, 7, 8};  // its experience trophies: no award box comes
  manager->currentPack = MAHJONG_PLAYER::kPacks;
  manager->leftPanel.Slide(-302.0f);
  manager->currentScreen = LEVEL_END_SCREEN;
  manager->requestedScreen = LEVELS_SCREEN;
  manager->ChangeScreen();
  ASSERT_TRUE(runWhile([this] {
    if (manager->trophies.awardBox != nullptr && manager->trophies.awardBox->isInfo()) tick(flow_test::kEnter);
    return manager->currentScreen != LEVELS_SCREEN || moving() || !manager->levels.newLevels.empty();
  }));
  if (manager->page != 2) {
    click(manager->pageArrow);
    untilStill();
  }
  click(manager->levels.buttons[MAHJONG_PLAYER::kLevelsPerPack - 1]);
  ASSERT_EQ(manager->requestedScreen, LEVEL_START_SCREEN);
  MAHJONG_LAYOUT& board = *manager->board;
  // The longest task texts of our levels: a score and a time, and many special tiles.
  board.m_task1Type = kTaskMoney;
  board.m_task1Value = kLevelTaskScore;
  board.m_task2Type = kTaskTime;
  board.m_task2Value = 5999;
  board.m_specialsLeft = 99;
  manager->BuildLevelInfo();
  ASSERT_TRUE(runWhile([this] {
    return manager->currentScreen != LEVEL_START_SCREEN || manager->introPanelShown == 0 || moving() ||
           manager->levelRoad.introPanel->fGetPosition().y < 0.0f;
  }));
  const auto taskPictures = [](FRAME& frame) {
    for (const char* icon : {"Time_icon.png", "Step_icon.png", "Special_icon.png", "Money_icon.png",
                             "star_active_passive.png", "Ok_middle.png", "nextbtn.png"}) {
      keepOff(frame, icon);
    }
  };
  check("level intro", [&](FRAME& frame) {
    overlay(frame);
    add(frame.plates, panel("FinishPanel_back.png", PLACES::kFinishPanel, {text(M::TXT_LEVEL_START)}));
    taskPictures(frame);
    frame.buttons.push_back(manager->levelRoad.startButton);
  });

  tick(flow_test::kEnter);
  ASSERT_TRUE(runWhile([&] {
    return manager->currentScreen != GAME_SCREEN || manager->levelPanelTween.active || board.m_dropTween.active ||
           board.m_slideTween.active;
  }));
  MAHJONG_HUD_PANEL& hud = *board.GetPanel();
  hud.SetScore(kLevelScore);
  board.m_movesMade = 999;
  board.m_elapsed = 5999.0f;
  const auto hudPlates = [&](FRAME& frame) {
    for (const char* plate : {"Money.png", "Step_back.png", "Time_back.png", "Special_back.png"}) {
      add(frame.plates, layout_test::fPlatesOn(plate, PLACES::kValuePlate, PLACES::kValueText));
    }
    frame.buttons.push_back(hud.menuButton);
  };
  check("playing", hudPlates);

  // Every tutorial step's text on its band at rest, between the slots at the lower corners.
  manager->BuildTutorial();
  for (int step = 1; step <= TUTORIAL_PARTS::kSteps; ++step) {
    manager->tutorial.step = step;
    manager->tutorial.panelPos.y = 0.95f * kHeight;
    manager->tutorial.arrowPoints.clear();
    manager->tutorial.framePoints.clear();
    check("tutorial step " + std::to_string(step), [&](FRAME& frame) {
      hudPlates(frame);
      PLATE band;
      band.name = "the tutorial's band";
      for (const layout_test::DRAWN& drawn : layout_test::fDrawnPlaces("black_mask.png")) band.area = drawn.place;
      band.holds = {manager->tutorial.messages[static_cast<std::size_t>(step - 1)]};
      frame.plates.push_back(band);
      for (const char* picture : {"Slots_back.png", "Skill_01_small.png", "Bonus_01_small.png", "Skill3_s.png",
                                  "Bonus1_2s.png", "Bonus_progres.png"}) {
        keepOff(frame, picture);
      }
    });
  }
  manager->tutorial.on = 0;

  click(hud.menuButton);
  ASSERT_TRUE(hud.isPaused());
  check("pause", [&](FRAME& frame) {
    hudPlates(frame);
    for (const QOR::QC_IMAGE_BUTTON* button : {hud.replayButton, hud.optionsButton, hud.mainMenuButton, hud.tutorialsButton}) {
      frame.buttons.push_back(button);
    }
  });

  // The questions and messages of the road, each in the general message box.
  const auto question = [&](const std::string& state, int expected) {
    untilBoxAtRest(manager->messageBox);
    ASSERT_EQ(manager->messageBox->fGetText(), text(expected));
    check(state, [&](FRAME& frame) { messageBox(frame, manager->messageBox, {text(expected)}); });
  };
  click(hud.mainMenuButton);
  question("quit question", M::TXT_WANT_TO_QUIT);
  tick(flow_test::kEscape);
  ASSERT_TRUE(runWhile([this] { return manager->messageBox->isOpen(); }));
  click(hud.menuButton);
  click(hud.replayButton);
  question("restart question", M::TXT_RESTART_LEVEL);
  tick(flow_test::kEscape);
  ASSERT_TRUE(runWhile([this] { return manager->messageBox->isOpen(); }));
  PLAYER_BONUS* shuffle = player.FindBonus(2);
  ASSERT_NE(shuffle, nullptr);
  shuffle->charge = shuffle->recover;
  board.m_availableMoves = 0;
  board.m_bonusUsable = 1;
  tick();
  question("no moves, but a shuffle", M::TXT_NO_MOVES_BUT_BONUS);
  tick(flow_test::kEnter);
  ASSERT_TRUE(runWhile([&] {
    return manager->messageBox->isOpen() || board.m_shuffleRequested || board.m_slideTween.active ||
           board.m_dropTween.active;
  }));
  board.m_availableMoves = 0;
  board.m_bonusUsable = 0;
  tick();
  question("level failed", M::TXT_LEVEL_FAIL);

  // The completion panel, as the level's last pair leaves it.
  board.m_availableMoves = 100;
  manager->messageBox->fHide();
  ASSERT_TRUE(runWhile([this] { return manager->messageBox->isOpen(); }));
  board.m_movesMade = 999;
  manager->LevelComplete();
  ASSERT_TRUE(runWhile([this] {
    if (manager->trophies.awardBox != nullptr && manager->trophies.awardBox->isInfo()) tick(flow_test::kEnter);
    return moving() || manager->levelRoad.starsBlob != nullptr;
  }));
  check("completion", [&](FRAME& frame) {
    overlay(frame);
    add(frame.plates, panel("FinishPanel_back.png", PLACES::kFinishPanel, {text(M::TXT_LEVEL_END)}));
    taskPictures(frame);
    frame.buttons.push_back(manager->levelRoad.startButton);
  });

  // The career's last level leads to the final screen.
  tick(flow_test::kEnter);
  ASSERT_EQ(manager->requestedScreen, FINAL_SCREEN);
  ASSERT_TRUE(runWhile([this] { return manager->currentScreen != FINAL_SCREEN || manager->screenFade.active; }));
  check("final screen", [&](FRAME& frame) {
    frame.buttons.push_back(manager->comics.nextButton);
    const std::wstring named = LEVEL_ROAD_TEXT::FillIn(text(M::TXT_END_COMICS_PLAYER), longName);
    for (const layout_test::DRAWN& drawn : layout_test::fDrawnPlaces("Comic_finish.jpg")) {
      PLATE scroll;
      scroll.name = "the scroll of Comic_finish.jpg";
      scroll.area = layout_test::fPart(drawn.place, PLACES::kFinalPicture, PLACES::fParchment(PLACES::kFinalScroll));
      scroll.holds = {named, text(M::TXT_END_COMICS)};
      scroll.ground = layout_test::fGroundOf("Comic_finish.jpg", drawn);
      frame.plates.push_back(scroll);
    }
  });
}

// The players screen keeps its rows on its panel: with no profile nothing is picked and no bar is
// drawn; thirty profiles show a page at a time with arrows to the other pages, the bar only on its
// row's page, and the last profile is chosen by a click on its row.
TEST_F(Layout, PlayersScreenKeepsEveryRowOnItsPanelAndEveryProfileWithinReach) {
  constexpr std::size_t kProfiles = 30, kPage = PLAYERS_PARTS::kRowsShown;
  std::vector<std::wstring> names;
  const std::wstring stem = longName.substr(0, longName.size() - 2);
  for (std::size_t i = 10; i < 10 + kProfiles; ++i) names.push_back(stem + std::to_wstring(i));
  for (const std::size_t profiles : {std::size_t{0}, kProfiles}) {
    if (profiles > 0) {
      for (const std::wstring& name : names) manager->SavePlayerFile(name);
      ASSERT_TRUE(MAHJONG_PLAYER_FILE(M::PlayerFilePath()).SetLastPlayer(names[2]));
      manager->loadMenus();
      manager->title.Move(MENU_OBJECTS::PanelSlide());
      settle();
    }
    click(manager->title.playersButton);
    untilStill();
    for (std::size_t first = 0; first == 0 || first < profiles; first += kPage) {
      const std::string state = std::to_string(profiles) + " profiles from row " + std::to_string(first + 1);
      const std::size_t shown = std::min(kPage, profiles - first);
      const std::vector<std::wstring> page(names.begin() + static_cast<std::ptrdiff_t>(first),
                                           names.begin() + static_cast<std::ptrdiff_t>(first + shown));
      check(state, [&](FRAME& frame) { playersPanel(frame, page); });
      EXPECT_EQ(layout_test::fDrawnPlaces("DeleteButton_smoll.png").size(), shown) << state;
      const std::size_t bars = first == 0 && profiles > 0 ? 1 : 0;  // the last player's row is on page 1
      EXPECT_EQ(layout_test::fDrawnPlaces("ChangePlayerScreenTitle_select.png").size(), bars) << state;
      // An arrow only towards a page that has rows.
      EXPECT_EQ(manager->players.nextPage != nullptr, first + kPage < profiles) << state;
      EXPECT_EQ(manager->players.previousPage != nullptr, first > 0) << state;
      if (first + kPage < profiles) click(manager->players.nextPage);
    }
    if (profiles > 0) clickAt(kWidth / 2.0f - 100.0f, manager->players.rows.back().deleteButton->fGetPosition().y);
    tick(flow_test::kEscape);
    ASSERT_TRUE(runWhile([this] { return manager->currentScreen != TITLE_SCREEN || moving(); }));
  }
  EXPECT_EQ(manager->player->m_name, names.back());
}

// The experience bar as drawn on its plate at no experience, mid-rank, a rank's end and the top
// rank, also after the menus were rebuilt for another player (as a switch does) while the bar was
// cut short: its fill starts at the bar's left end, is as long as the rank's progress with the
// picture cropped, and keeps to the plate's track. Ranks of default_player.xml: 0, 15, 40, ...
TEST_F(Layout, RankBarFillsFromItsLeftEndWithinItsPlate) {
  manager->SavePlayerFile(L"Ann");
  const struct {
    float xp;
    bool switched;
    double share;
  } steps[] = {{0.0f, false, 0.0},         {7.0f, false, 7.0 / 15.0}, {1.0f, false, 1.0 / 15.0},
               {14.0f, true, 14.0 / 15.0}, {50.0f, true, 10.0 / 35.0}, {200.0f, false, 1.0}, {0.0f, true, 0.0}};
  for (const auto& step : steps) {
    manager->player->m_XP = step.xp;
    if (step.switched) manager->loadMenus();
    manager->UpdateRank(0);
    host_test::fRecordedCalls().clear();
    ASSERT_EQ(QOR::qcRENDER->BeginScene(), 1);
    manager->RenderLeftPanel();
    QOR::qcRENDER->EndScene();
    const std::vector<layout_test::DRAWN> plate = layout_test::fDrawnPlaces("Experience_back.png");
    const std::vector<layout_test::DRAWN> bar = layout_test::fDrawnPlaces("Experience_color.png");
    ASSERT_TRUE(plate.size() == 1 && bar.size() == 1);
    const float full = static_cast<float>(manager->leftPanel.experienceBar->fGetPageWidth());
    const float width = static_cast<float>(static_cast<int>(step.share * full));
    const std::string state = "experience " + std::to_string(static_cast<int>(step.xp)) + (step.switched ? " after a switch" : "");
    EXPECT_FLOAT_EQ(bar[0].place.fLeft(), plate[0].place.fCentre().x - full / 2.0f) << state;
    EXPECT_FLOAT_EQ(bar[0].place.fRight() - bar[0].place.fLeft(), width) << state;
    EXPECT_FLOAT_EQ(bar[0].uv[1].x, width / full) << state << ": the picture is cropped";
    EXPECT_LE(bar[0].place.fRight(), plate[0].place.fLeft() + PLACES::kExperienceTrack.x + PLACES::kExperienceTrack.w)
        << state;
  }
}

// The glows mark the last pack's and level's buttons; a file naming a pack or a level that has no
// button (edited by hand) shows no glow, rather than one at the glow's resting place.
TEST_F(Layout, GlowsStandOnlyOnTheLastPackAndLevel) {
  manager->SavePlayerFile(L"Ann");
  for (const auto& [pack, level] : {std::pair{2, 3}, std::pair{9, 25}}) {
    manager->player->m_lastPack = manager->currentPack = pack;
    manager->player->m_lastLevel = level;
    manager->loadMenus();
    host_test::fRecordedCalls().clear();
    ASSERT_EQ(QOR::qcRENDER->BeginScene(), 1);
    manager->RenderPacks();
    manager->RenderLevels();
    QOR::qcRENDER->EndScene();
    const bool marked = pack <= MAHJONG_PLAYER::kPacks;
    const std::pair<const char*, const QOR::QC_IMAGE_BUTTON*> glows[2] = {
        {"Pack_button_glow.png", marked ? manager->packs.buttons[pack - 1]->button : nullptr},
        {"Levels_button_glow.png", marked ? manager->levels.buttons[level - 1] : nullptr}};
    for (const auto& [glow, button] : glows) {
      const std::vector<layout_test::DRAWN> drawn = layout_test::fDrawnPlaces(glow);
      ASSERT_EQ(drawn.size(), marked ? 1u : 0u) << glow << " for pack " << pack << ", level " << level;
      if (!marked) continue;
      EXPECT_EQ(drawn[0].place.fCentre().x, button->fGetPosition().x) << glow;
      EXPECT_EQ(drawn[0].place.fCentre().y, button->fGetPosition().y) << glow;
    }
  }
}

// The level editor's menu beside its grid, with the longest values of our levels in its boxes:
// its captions inside the menu's column, readable there and clear of each other.
TEST_F(Layout, EditorMenu) {
  MAHJONG_LAYOUT board("2", nullptr, true, 0, nullptr);
  EDITOR_MENU* menu = EDITOR_MENU::Attach(board);
  ASSERT_NE(menu, nullptr);
  LEVEL_FILE_SETTINGS settings;
  settings.specsTotal = "99";
  settings.background = "CherryTree_room";
  settings.tasks[0] = {"17730", "money"};
  settings.tasks[1] = {"5.00", "time"};
  for (bool& suit : settings.suits) suit = true;
  menu->ShowSettings(settings);

  host_test::fRecordedCalls().clear();
  recorder.texts.clear();
  recorder.intoTarget = false;
  ASSERT_EQ(QOR::qcRENDER->BeginScene(), 1);
  board.RenderEditor();
  QOR::qcRENDER->EndScene();
  FRAME frame;
  frame.texts = recorder.texts;
  add(frame.plates, layout_test::fPlatesOn("data/editor/ editMenuBack.png", PLACES::kEditorMenu, PLACES::kEditorMenuText));
  for (const QOR::QC_IMAGE_BUTTON* button : {menu->saveButton, menu->loadButton, menu->clearButton, menu->layerUpButton,
                                             menu->layerDownButton, menu->pickerButton, menu->bonusModeButton,
                                             menu->specialModeButton, menu->normalModeButton}) {
    frame.buttons.push_back(button);
  }
  EXPECT_FALSE(frame.texts.empty());
  for (const std::string& failure : layout_test::fCheck(frame)) ADD_FAILURE() << "editor menu: " << failure;
}

}  // namespace
