// Where the game draws on its pictures: the sizes of the pictures that carry texts, and inside
// each the area its texts must keep to (inside a panel's gold border, on a banner, on a plate
// beside its icon, on a scroll). The painters draw the pictures from these numbers, and the
// layout check of the screens reads the same numbers to judge where the game's texts land, so
// art and check cannot drift apart.
//
// Plain numbers only: the header needs neither cairo nor the engine. Rectangles are in pixels of
// the picture (or of one cell of a strip), from its top-left corner.
#pragma once

namespace QOR::ART_PLACES {

struct QS_SIZE {
  int w = 0;
  int h = 0;
};

struct QS_AREA {
  double x = 0.0;
  double y = 0.0;
  double w = 0.0;
  double h = 0.0;
};

// A turned rectangle: its centre, its size and its angle in radians (from +x toward +y).
struct QS_TURNED_AREA {
  double cx = 0.0;
  double cy = 0.0;
  double w = 0.0;
  double h = 0.0;
  double angle = 0.0;
};

// The area of a size inset by the same margin on every side.
constexpr QS_AREA fInset(QS_SIZE size, double margin) {
  return QS_AREA{margin, margin, size.w - 2.0 * margin, size.h - 2.0 * margin};
}

// Lacquer panels are painted 2 pixels inside their picture with a gold border and rounded
// corners; texts keep this far from the picture's edge.
inline constexpr double kLacquerBorder = 4.0;
inline constexpr double kPanelTextMargin = 14.0;
// Ivory plates: a 2-pixel gold rim 2 pixels inside the picture.
inline constexpr double kPlateTextMargin = 4.0;

// A panel with a jade title band across its top part.
struct QS_TITLED_PANEL {
  QS_SIZE size;
  QS_AREA band;  // the game prints the panel's title here
};

// The title screen's panel at the bottom edge: Play, Players and Exit, and the greeting above
// Play. Tall enough that a greeting of two lines stays inside its border.
inline constexpr QS_SIZE kTitlePanel{620, 400};
// The message box: a question or a message, or the name prompt, the field and its error line.
inline constexpr QS_SIZE kMessageBox{540, 420};
// The players screen: its title on the band, the rows below.
inline constexpr QS_TITLED_PANEL kPlayersPanel{{560, 600}, {100.0, 48.0, 360.0, 54.0}};
// The level intro and the completion panel share one plain picture: their titles stand at
// different heights (50 and 85 below the panel's top), which no single band could hold both
// centred.
inline constexpr QS_SIZE kFinishPanel{480, 400};
// The options overlay: its title on the band.
inline constexpr QS_TITLED_PANEL kOptionsPanel{{460, 640}, {83.0, 68.0, 294.0, 54.0}};
// The credits and the help pages share a plain panel too: the credits' lines start 40 below its
// top and run down its middle, so no band crosses them.
inline constexpr QS_SIZE kCreditsPanel{960, 680};

// The name plate (a pack's name; the name field's background).
inline constexpr QS_SIZE kNamePlate{260, 44};

// The left panel's plates: the rank title above the experience track, the money right of its
// coin.
inline constexpr QS_SIZE kExperiencePlate{204, 76};
inline constexpr QS_AREA kExperienceTrack{10.0, 51.0, 184.0, 18.0};
inline constexpr QS_SIZE kMoneyPlate{204, 52};
inline constexpr double kMoneyCoinX = 24.0;  // the coin's centre from the plate's left
inline constexpr QS_AREA kMoneyText{42.0, 4.0, 156.0, 44.0};
// The menu buttons' cells: the icon in the middle of the room left of the caption the game
// prints.
inline constexpr QS_SIZE kMenuButtonCell{200, 60};
inline constexpr QS_AREA kMenuButtonCaption{52.0, 6.0, 142.0, 48.0};

// The packs screen: the rank plate of a locked pack (two cells), its icon in the room left of
// the rank's title.
inline constexpr QS_SIZE kRankPlateCell{184, 44};
inline constexpr QS_AREA kRankPlateText{28.0, 4.0, 152.0, 36.0};

// The in-game panel's value plates: the value's icon in a lacquer disc in the room at the left,
// the value right of it (the game centres it 10 right of the plate's middle).
inline constexpr QS_SIZE kValuePlate{136, 42};
inline constexpr QS_AREA kValueText{38.0, 3.0, 94.0, 36.0};

// The levels screen: a level's picture under its button's frame (one cell of the button strip),
// the level's number painted large in the picture's room left of the stars the game draws at the
// button's right; a locked level's padlock painted in its cell between that room and the stars,
// so it never hides the number.
inline constexpr QS_SIZE kLevelButtonCell{200, 140};
inline constexpr QS_SIZE kLevelPicture{196, 136};
inline constexpr QS_AREA kLevelNumber{14.0, 26.0, 80.0, 84.0};
inline constexpr QS_AREA kLevelLock{102.0, 48.0, 44.0, 44.0};

// The trophies: a picture whose drawing keeps within kTrophyInkHalfWidth of its middle, and
// beside it (from 90 right of its middle) the room of its title and description, as wide as
// kTrophyTextRoom; the two stand above the gold rim along the top of the shelf they are on.
inline constexpr QS_SIZE kTrophyPicture{140, 160};
inline constexpr double kTrophyInkHalfWidth = 52.0;
inline constexpr double kTrophyTextRoom = 196.0;
inline constexpr QS_SIZE kShelf{2200, 48};
inline constexpr QS_AREA kShelfRim{0.0, 8.0, 2200.0, 4.0};

// The start comic: its first picture at the top left, beside the second at the top right. In the
// second the master holds up a scroll, turned like the caption the game letters on it, whose
// middle lands about (226, 219) of this picture; the parchment lies between the two rollers at
// its ends.
inline constexpr QS_SIZE kComicPicture1{520, 440};
inline constexpr QS_SIZE kComicPicture2{500, 480};
inline constexpr QS_TURNED_AREA kComicScroll{226.0, 219.0, 420.0, 150.0, -0.235};
inline constexpr double kScrollRoller = 12.0;  // each roller's width, centred on the scroll's ends
// The closing picture: a scroll for the player's name (y 356) and the closing text (y 420),
// centred on x 638.
inline constexpr QS_SIZE kFinalPicture{1024, 768};
inline constexpr QS_TURNED_AREA kFinalScroll{638.0, 388.0, 620.0, 210.0, 0.0};

// The parchment of a scroll, between its rollers.
constexpr QS_TURNED_AREA fParchment(QS_TURNED_AREA scroll) {
  return QS_TURNED_AREA{scroll.cx, scroll.cy, scroll.w - kScrollRoller, scroll.h, scroll.angle};
}

// The level editor's menu column: the game centres it 60 right of the screen's left edge, so its
// left 50 pixels lie off the screen; its captions keep to the part on the screen.
inline constexpr QS_SIZE kEditorMenu{220, 1024};
inline constexpr QS_AREA kEditorMenuText{52.0, 4.0, 164.0, 1016.0};

}  // namespace QOR::ART_PLACES
