#include "tools/data/art/art_list.h"

#include "tools/data/art/art_places.h"
#include "tools/data/resource_layout.h"

#include <cstdio>

namespace QOR {

namespace {

struct LIST_BUILDER {
  std::vector<QS_DATA_ITEM> items;

  // A picture in an archive or a folder: staged under folder/entry, found by lookup.
  void fPicture(const char* step, const std::string& stagingFolder, const char* location,
                const std::string& entry, int width, int height, int frames = 1,
                const std::string& lookup = std::string()) {
    QS_DATA_ITEM item;
    item.step = step;
    item.file = stagingFolder.empty() ? entry : stagingFolder + "/" + entry;
    item.location = location;
    item.entry = entry;
    item.lookup = lookup;
    item.kind = DATA_KIND::IMAGE;
    item.width = width;
    item.height = height;
    item.frames = frames;
    items.push_back(item);
  }
  void fSurface(const std::string& entry, int width, int height, int frames = 1) {
    fPicture(kStepPictures, "", kPackSurfaces, entry, width, height, frames);
  }
  // A five-cell button or check-box strip: one row of five cells of cellW x cellH.
  void fButton(const std::string& entry, int cellW, int cellH) {
    fPicture(kStepPictures, "", kPackButtons, entry, 5 * cellW, cellH, 5);
  }
  void fEditor(const std::string& entry, int width, int height, int frames = 1) {
    fPicture(kStepPictures, "editor", kFolderEditor, entry, width, height, frames,
             std::string(kFolderEditor) + " " + entry);
  }
  void fStoreButton(const std::string& entry, int cell) {
    fPicture(kStepPictures, "buttons", kFolderButtons, entry, 5 * cell, cell, 5,
             std::string(kFolderButtons) + " " + entry);
  }
  void fLabel(const std::string& entry) {
    fPicture(kStepPictures, "labels", kFolderLabels, entry, 64, 64, 1,
             std::string(kFolderLabels) + " " + entry);
  }
  void fOther(const char* step, DATA_KIND kind, const char* location, const std::string& entry) {
    QS_DATA_ITEM item;
    item.step = step;
    item.file = entry;
    item.location = location;
    item.entry = entry;
    item.kind = kind;
    items.push_back(item);
  }
};

std::vector<QS_DATA_ITEM> fBuildList() {
  LIST_BUILDER b;
  const int cellX = kTileCellX;
  const int cellY = kTileCellY;

  // Tile sets: 9 x 6 atlases (faces 0..41, backs 42..44, shadow 45), the selection frame and the
  // tip / tutorial frame, and the three tile-set check boxes of the options.
  for (const char* pic : kTileSetPictures) {
    b.fPicture(kStepTiles, "", kPackTiles, pic, 9 * cellX, 6 * cellY, 54);
  }
  b.fPicture(kStepTiles, "", kPackTiles, "Board.png", 2 * kLayerOffsetX + kTileSizeX, kTileSizeY);
  b.fPicture(kStepTiles, "", kPackTiles, "board.png", 6 * kLayerOffsetX + kTileSizeX,
             4 * kLayerOffsetY + kTileSizeY);
  for (const char* box : {"classic.png", "cards.png", "numbers.png"}) {
    b.fPicture(kStepTiles, "", kPackButtons, box, 5 * 60, 76, 5);
  }
  b.fPicture(kStepTiles, "editor", kFolderEditor, "free-chip.png", kTileSizeX, kTileSizeY, 1,
             std::string(kFolderEditor) + " free-chip.png");
  b.fPicture(kStepTiles, "editor", kFolderEditor, "empty-chip.png", kTileSizeX, kTileSizeY, 1,
             std::string(kFolderEditor) + " empty-chip.png");

  // Splash pictures, opened by path from the working folder.
  b.fPicture(kStepPictures, "", kLoose, "spl1.jpg", 1024, 768);
  b.fPicture(kStepPictures, "", kLoose, "spl2.jpg", 1024, 768);
  // The window's icon, read by the platform layer from the Resources folder.
  b.fPicture(kStepPictures, "", kLoose, "icon.png", 64, 64);

  // Screen backgrounds, rooms, comics.
  for (const char* name : {"title_screen.jpg", "screen_back.jpg", "Lotus_room.jpg",
                           "Crane_room2.jpg", "Bamboo_room3.jpg", "Phoenix_room.jpg",
                           "CherryTree_room.jpg", "Dragon_room6.jpg", "Comic1-2.jpg"}) {
    b.fSurface(name, 1024, 768);
  }
  b.fSurface("Comic_finish.jpg", ART_PLACES::kFinalPicture.w, ART_PLACES::kFinalPicture.h);
  b.fSurface("Comic1.png", ART_PLACES::kComicPicture1.w, ART_PLACES::kComicPicture1.h);
  b.fSurface("Comic2.png", ART_PLACES::kComicPicture2.w, ART_PLACES::kComicPicture2.h);
  b.fSurface("Comic3.png", 760, 320);

  // Shared sprites of the manager.
  b.fSurface("Dark_back.png", 512, 384);
  b.fSurface("black_mask.png", 64, 64);
  b.fSurface("pazz.png", 128, 128);
  b.fSurface("golden_stripe.png", 16, 16);
  b.fSurface("Cursor.png", 32, 32);
  b.fSurface("Message_back.png", ART_PLACES::kMessageBox.w, ART_PLACES::kMessageBox.h);
  b.fSurface("arrow_tutorial.png", 96, 96);

  // Title and players screens.
  b.fSurface("TitleScreenButtun_back.png", ART_PLACES::kTitlePanel.w, ART_PLACES::kTitlePanel.h);
  b.fButton("PlayButton.png", 132, 132);
  b.fButton("QuitButtin.png", 207, 71);
  b.fButton("PlyersButton.png", 207, 71);
  b.fSurface("ChangePlayerScreenTitle_back.png", ART_PLACES::kPlayersPanel.size.w, ART_PLACES::kPlayersPanel.size.h);
  b.fSurface("ChangePlayerScreenTitle_select.png", 486, 50);
  b.fButton("DeleteButton_smoll.png", 38, 38);
  b.fButton("PlusButton_smoll.png", 38, 38);
  b.fButton("Ok_middle.png", 92, 92);
  b.fButton("Delete_middle.png", 92, 92);
  b.fSurface("PackName_button.png", ART_PLACES::kNamePlate.w, ART_PLACES::kNamePlate.h);

  // Left panel.
  b.fSurface("MainMenu_back.png", 236, 800);
  b.fSurface("MainMenu_ButtonBack.png", 224, 300);
  b.fSurface("MainMenu_UpLayer.png", 228, 300);
  b.fSurface("Experience_back.png", ART_PLACES::kExperiencePlate.w, ART_PLACES::kExperiencePlate.h);
  b.fSurface("Experience_color.png", 180, 14);
  b.fSurface("Money_back.png", ART_PLACES::kMoneyPlate.w, ART_PLACES::kMoneyPlate.h);
  b.fSurface("Glow.png", 230, 80);
  b.fButton("MainMenu_CareerButton.png", ART_PLACES::kMenuButtonCell.w, ART_PLACES::kMenuButtonCell.h);
  b.fButton("MainMenu_TrophiesButton.png", ART_PLACES::kMenuButtonCell.w, ART_PLACES::kMenuButtonCell.h);
  b.fButton("MainMenu_OptionsButton.png", ART_PLACES::kMenuButtonCell.w, ART_PLACES::kMenuButtonCell.h);
  b.fButton("MainMenu_HelpButton.png", ART_PLACES::kMenuButtonCell.w, ART_PLACES::kMenuButtonCell.h);
  b.fButton("Back_button.png", 64, 64);

  // Packs and levels screens.
  b.fButton("Pack_button.png", 320, 190);
  for (int n = 1; n <= 6; ++n) b.fSurface(std::to_string(n) + "_back.png", 320, 190);
  b.fSurface("Lock.png", 84, 100);
  b.fSurface("Lock_flash.png", 200, 200);
  b.fSurface("pcbtn_flash.png", 320, 190);
  b.fSurface("Exp_back.png", 2 * ART_PLACES::kRankPlateCell.w, ART_PLACES::kRankPlateCell.h, 2);
  b.fSurface("star_active_passive.png", 2 * 38, 38, 2);
  b.fSurface("Pack_button_glow.png", 360, 230);
  b.fButton("Levels_button.png", ART_PLACES::kLevelButtonCell.w, ART_PLACES::kLevelButtonCell.h);
  b.fSurface("Levels_button_glow.png", 236, 176);
  b.fSurface("flash.png", 200, 140);
  b.fButton("RightPoint_smoll.png", 50, 50);
  b.fButton("LeftPoint_smoll.png", 50, 50);

  // Trophies screen.
  b.fSurface("shelf.png", ART_PLACES::kShelf.w, ART_PLACES::kShelf.h);

  // Level intro and completion, tips and tutorial.
  b.fSurface("FinishPanel_back.png", ART_PLACES::kFinishPanel.w, ART_PLACES::kFinishPanel.h);
  b.fSurface("Time_icon.png", 40, 40);
  b.fSurface("Step_icon.png", 40, 40);
  b.fSurface("Special_icon.png", 40, 40);
  b.fSurface("Money_icon.png", 40, 40);
  b.fButton("nextbtn.png", 96, 60);

  // In-game panel.
  b.fSurface("Left_back.png", 400, 66);
  b.fSurface("Right_back.png", 400, 66);
  b.fSurface("Special_back.png", ART_PLACES::kValuePlate.w, ART_PLACES::kValuePlate.h);
  b.fSurface("Step_back.png", ART_PLACES::kValuePlate.w, ART_PLACES::kValuePlate.h);
  b.fSurface("Time_back.png", ART_PLACES::kValuePlate.w, ART_PLACES::kValuePlate.h);
  b.fSurface("Money.png", ART_PLACES::kValuePlate.w, ART_PLACES::kValuePlate.h);
  b.fSurface("Multiplier_numbers.png", 20 * 40, 32, 20);
  b.fSurface("Multiplier_numbers_select.png", 20 * 40, 32, 20);
  b.fSurface("mult_back.png", 5 * 66, 7 * 66, 33);
  b.fSurface("Bonus_progres.png", 5 * 70, 7 * 70, 33);
  b.fSurface("Multiplier_green.png", 66, 66);
  b.fSurface("full_bonus_pbar.png", 96, 96);
  b.fSurface("Slots_back.png", 150, 300);
  b.fSurface("Bonus_Slot1.png", 84, 84);
  b.fSurface("Skill_Slot1.png", 84, 84);
  b.fSurface("Skill3_s.png", 46, 46);
  b.fSurface("Bonus1_2s.png", 46, 46);
  b.fSurface("Menu_back.png", 96, 236);
  b.fButton("GUI_menu_button.png", 60, 60);
  b.fButton("Replay.png", 72, 40);
  b.fButton("Options.png", 72, 40);
  b.fButton("MainMenu.png", 72, 40);
  b.fButton("Tutorials.png", 72, 40);
  b.fButton("Skill_01_small.png", 72, 72);
  b.fButton("Bonus_01_small.png", 72, 72);

  // Options, credits and help.
  b.fSurface("OptionsPanel_back.png", ART_PLACES::kOptionsPanel.size.w, ART_PLACES::kOptionsPanel.size.h);
  b.fSurface("Credits_back.png", ART_PLACES::kCreditsPanel.w, ART_PLACES::kCreditsPanel.h);
  b.fButton("Credits_button.png", 150, 44);
  b.fButton("Options_button.png", 36, 36);
  b.fSurface("sound_slider.png", 2 * 220, 20, 2);
  b.fSurface("Runner_button.png", 26, 34);

  // Trophies: the 26 pictures and the concealed look.
  for (int id = 1; id <= kTrophyCount; ++id) {
    b.fPicture(kStepPictures, "", kPackTrophies, fTrophyPicture(id), ART_PLACES::kTrophyPicture.w,
               ART_PLACES::kTrophyPicture.h);
  }
  b.fPicture(kStepPictures, "", kPackTrophies, "concealed.png", ART_PLACES::kTrophyPicture.w,
             ART_PLACES::kTrophyPicture.h);

  // Level editor (a folder pack of its own) and the store's and editor's button folders.
  b.fEditor("editMenuBack.png", ART_PLACES::kEditorMenu.w, ART_PLACES::kEditorMenu.h);
  b.fEditor("tooltip-bubble.png", 300, 350);
  for (const char* name : {"save_btn.png", "BTN_load.png", "BTN_clear.png"}) {
    b.fEditor(name, 5 * 50, 50, 5);
  }
  b.fEditor("lvl_up.png", 5 * 25, 25, 5);
  b.fEditor("lvl_dwn.png", 5 * 25, 25, 5);
  for (const char* name : {"bonus_btn.png", "spec_btn.png", "normal_btn.png"}) {
    b.fEditor(name, 5 * 35, 35, 5);
  }
  b.fEditor("money.png", 20, 20);
  b.fEditor("time.png", 20, 20);
  b.fEditor("walk.png", 20, 20);
  b.fEditor("textbox.png", 170, 30);
  b.fEditor("circle.png", 37, 37);
  b.fStoreButton("checkbox.png", 20);
  b.fStoreButton("BTN_4.png", 50);
  for (const char* name : {"Bonus_01.png", "Bonus_02.png", "Bonus_03.png", "Bonus_04.png",
                           "Skill_01.png", "Skill_02.png", "Skill_03.png", "Skill_04.png",
                           "Bonus_Slot.png", "Skill_Slot.png", "Bonus_end.png",
                           "Skill_End.png"}) {
    b.fStoreButton(name, 80);
  }
  for (int i = 1; i <= 4; ++i) b.fLabel("Bonus1_" + std::to_string(i) + ".png");
  for (int i = 1; i <= 4; ++i) b.fLabel("Skill1_" + std::to_string(i) + ".png");
  for (int i = 1; i <= 4; ++i) b.fLabel("Skill2_" + std::to_string(i) + ".png");
  b.fLabel("Skill3.png");
  b.fLabel("Skill4.png");

  // Level backgrounds: archive entries with '/' in their names.
  for (int pack = 1; pack <= 6; ++pack) {
    for (int level = 1; level <= 20; ++level) {
      b.fPicture(kStepLevelBacks, "", kPackSurfaces, fLevelBackground(pack, level), ART_PLACES::kLevelPicture.w,
                 ART_PLACES::kLevelPicture.h);
    }
  }

  // Bitmap fonts: descriptions and their pages (page sizes are the baker's; 0 = not checked).
  struct FONT_NAMES {
    const char* fnt;
    std::vector<const char*> pages;
  };
  const FONT_NAMES fonts[] = {{kRegularFontFnt, {kRegularFontPng}},
                              {kBoldFontFnt, {kBoldFontPng, kBoldFontStrokePng}},
                              {kBigFontFnt, {kBigFontPng}},
                              {kBoardFontFnt, {kBoardFontPng}}};
  for (const FONT_NAMES& font : fonts) {
    b.fOther(kStepFonts, DATA_KIND::FONT, kPackFonts, font.fnt);
    for (const char* page : font.pages) b.fOther(kStepFonts, DATA_KIND::IMAGE, kPackFonts, page);
  }

  // Sounds: the 16 effects and the six music tracks.
  for (const char* name :
       {"button_click.ogg", "button_play_click.ogg", "button_level_click.ogg",
        "button_pack_click.ogg", "error.ogg", "trophie.ogg", "inc_multiplier.ogg",
        "bonus_ready.ogg", "use_bonus_shuffle.ogg", "tile_collapse.ogg", "tile_select.ogg",
        "level_normal.ogg", "level_good.ogg", "level_excellent.ogg", "pack_lock_broken.ogg",
        "money.ogg"}) {
    b.fOther(kStepAudio, DATA_KIND::SOUND, kPackAudio, name);
  }
  for (int t = 1; t <= 6; ++t) {
    char name[16];
    std::snprintf(name, sizeof(name), "track%02d.ogg", t);
    b.fOther(kStepAudio, DATA_KIND::MUSIC, kPackAudio, name);
  }
  return b.items;
}

}  // namespace

std::string fTrophyPicture(int id) {
  char name[32];
  std::snprintf(name, sizeof(name), kTrophyPictureFormat, id);
  return name;
}

std::string fLevelBackground(int pack, int level) {
  return "bgnd/Levels/" + std::to_string(pack) + "/" + std::to_string(level) + ".png";
}

const std::vector<QS_DATA_ITEM>& fArtList() {
  static const std::vector<QS_DATA_ITEM> list = fBuildList();
  return list;
}

const QS_DATA_ITEM* fFindArtItem(const std::string& step, const std::string& file) {
  for (const QS_DATA_ITEM& item : fArtList()) {
    if (item.step == step && item.file == file) return &item;
  }
  return nullptr;
}

}  // namespace QOR
