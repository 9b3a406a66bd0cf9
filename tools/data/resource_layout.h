// Where every kind of resource lies in Resources. The game registers some names both as a folder
// and as a password archive; only the form present on disk yields entries. We ship the release
// layout: every name the game registers with a password is an archive file, and the folder
// registrations of the same names ("data/fonts", "data/surfaces", "data/surfaces/options",
// "data/tiles/", "data/fonts/") find a file where they look for a folder and stay empty.
// Every lookup the game makes still succeeds:
//   - one-word names search every registered pack, so a picture in an archive is found by its
//     bare name whichever pack the code had in mind;
//   - the level backgrounds "bgnd/Levels/P/N.png" are one-word names with '/', which only an
//     archive entry can carry: they live in the "data/surfaces" archive;
//   - "pack entry" names of the editor ("data/editor/ x.png") need a real folder "data/editor/";
//     the store's and editor's "data/buttons/ x.png" and "data/buttons/labels/ x.png" lie in
//     real folders of those names, found once something registers them;
//   - the splash pictures and store_settings.xml are opened by path from the working folder
//     (Resources), so they lie loose in Resources; so does the window icon "icon.png", which the
//     platform layer reads before any pack is open.
// Entry names are unique across all archives and folders, so a one-word lookup never depends on
// the order in which the packs were registered.
#pragma once

namespace QOR {

// Archives (password packs), relative to Resources; files without an extension.
inline constexpr const char* kPackConfig = "XML/config";       // consts, fx_params, balance, tiles,
                                                               // strings, trophies, default_player
inline constexpr const char* kPackLevels = "XML/levels";       // pk1lv1.xml .. pk6lv20.xml
inline constexpr const char* kPackTiles = "data/tiles";        // tile atlases, "Board.png", "board.png"
inline constexpr const char* kPackTrophies = "data/trophies";  // trophy pictures
inline constexpr const char* kPackFonts = "data/fonts";        // font descriptions and pages
inline constexpr const char* kPackButtons = "data/btns";       // button and check-box strips
inline constexpr const char* kPackSurfaces = "data/surfaces";  // every other picture, and the level
                                                               // backgrounds "bgnd/Levels/P/N.png"
inline constexpr const char* kPackAudio = "data/audio";        // 16 effects, 6 music tracks

// Real folders (registered without a password); names exactly as the game registers them.
inline constexpr const char* kFolderEditor = "data/editor/";
inline constexpr const char* kFolderButtons = "data/buttons/";
inline constexpr const char* kFolderLabels = "data/buttons/labels/";

// Loose in Resources, opened by path: "spl1.jpg", "spl2.jpg", "store_settings.xml", "icon.png".
inline constexpr const char* kLoose = "";

// Names the XML documents hand to the game, which the art side makes under exactly these names.
// tiles.xml: set "1" is the numbers style, "2" the classic style, "3" the cards style (the
// options' check boxes pick the set by these codes).
inline constexpr const char* kTileSetPictures[3] = {"tiles_numbers.png", "tiles_classic.png",
                                                    "tiles_cards.png"};
// Tile metrics written into tiles.xml. The face rectangle is kTileSizeX x kTileSizeY; each atlas
// cell is (2 x layer offset + size): the game draws a tile's back cell at the tile's place and its
// face cell one layer offset up and to the right, both at the full cell size, so the atlas is
// 9 x kTileCellX wide and 6 x kTileCellY high. The shadow cell is drawn shifted by
// (+kShadowOffsetX, -kShadowOffsetY): right and down.
inline constexpr int kTileSizeX = 60;
inline constexpr int kTileSizeY = 76;
inline constexpr int kLayerOffsetX = 6;
inline constexpr int kLayerOffsetY = 6;
inline constexpr int kShadowOffsetX = 5;
inline constexpr int kShadowOffsetY = -5;
inline constexpr int kTileCellX = 2 * kLayerOffsetX + kTileSizeX;  // 72
inline constexpr int kTileCellY = 2 * kLayerOffsetY + kTileSizeY;  // 88
// The board grid of tiles.xml's layout element, in whole tiles.
inline constexpr int kBoardColumns = 16;
inline constexpr int kBoardRows = 8;
// strings.xml names the three shared fonts. The bold and the bold-stroke font share one
// description, so the stroke page holds every glyph at exactly the rectangle bold.fnt gives.
inline constexpr const char* kRegularFontFnt = "regular.fnt";
inline constexpr const char* kRegularFontPng = "regular_0.png";
inline constexpr const char* kBoldFontFnt = "bold.fnt";
inline constexpr const char* kBoldFontPng = "bold_0.png";
inline constexpr const char* kBoldFontStrokePng = "bold_stroke_0.png";
// The trophies screen's font ("big_font_fnt" and "big_font_png" of strings.xml).
inline constexpr const char* kBigFontFnt = "big.fnt";
inline constexpr const char* kBigFontPng = "big_0.png";
// trophies.xml names trophy N's picture "trophy_NN.png" (two digits, 01 .. 26); the concealed
// look is "concealed.png". All lie in the "data/trophies" archive.
inline constexpr int kTrophyCount = 26;
inline constexpr const char* kTrophyPictureFormat = "trophy_%02d.png";

}  // namespace QOR
