// The folder names every game source shares when it names a resource by folder and file.
#pragma once

namespace MAHJONG_FOLDERS {

inline constexpr const char kButtons[] = "data/buttons/";
inline constexpr const char kButtonLabels[] = "data/buttons/labels/";
inline constexpr const char kButtonLabelsSmall[] = "data/buttons/labels/small/";
inline constexpr const char kButtonsSmall[] = "data/buttons/small/";
inline constexpr const char kGameGui[] = "data/buttons/game_gui/";
inline constexpr const char kLeftPanelButtons[] = "data/buttons/leftpanel/";
inline constexpr const char kMessageBox[] = "data/buttons/msgbox/";
inline constexpr const char kEditor[] = "data/editor/";
inline constexpr const char kFonts[] = "data/fonts/";
inline constexpr const char kSurfaces[] = "data/surfaces/";
inline constexpr const char kGameScreen[] = "data/surfaces/gamescreen/";
inline constexpr const char kLeftPanel[] = "data/surfaces/leftpanel/";
inline constexpr const char kLevelButtons[] = "data/surfaces/levelbtn/";
inline constexpr const char kPackButtons[] = "data/surfaces/Packbtn/";
inline constexpr const char kOptions[] = "data/surfaces/options/";
inline constexpr const char kBackgrounds[] = "data/surfaces/bgnd/";
inline constexpr const char kTrophies[] = "data/trophies/";
inline constexpr const char kTiles[] = "data/tiles/";
inline constexpr const char kConfig[] = "XML/config/";
inline constexpr const char kLevels[] = "XML/levels/";

}  // namespace MAHJONG_FOLDERS
