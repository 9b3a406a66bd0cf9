// The layout check of a screen's frame. Texts are taken from the fonts' trace (what was drawn,
// where, in which font and colour) and measured through the font's own metrics, glyph by glyph,
// into the boxes their ink covers on the screen. Plates are taken from the recording device:
// every place a picture was drawn, with the area inside it where texts belong (the data
// builder's own numbers, tools/data/art/art_places.h). Buttons are judged by their picture and
// their hit area. The rules: every text inside the 1024 x 768 game area, inside the plate it is
// printed on and readable against it, no two texts over each other, every button's hit area
// lying over its picture.
#pragma once

#include "engine/math/qs_vec2.h"
#include "engine/render/qc_font_test_door.h"
#include "tools/data/art/art_places.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace QOR {
class QC_FONT;
class QC_IMAGE_BUTTON;
class QC_SPRITE;
class QS_TRANSFORM3;
}  // namespace QOR

namespace layout_test {

// Four corners in screen pixels: top-left, top-right, bottom-right, bottom-left of the thing as
// it stood before any turn.
struct QUAD {
  QOR::QS_VEC2 p[4];
  static QUAD fRect(float left, float top, float right, float bottom);
  float fLeft() const;
  float fRight() const;
  float fTop() const;
  float fBottom() const;
  QOR::QS_VEC2 fCentre() const;
  // Whether the point lies inside (or on the edge, within tolerance pixels).
  bool isInside(QOR::QS_VEC2 point, float tolerance = 0.5f) const;
  bool isInside(const QUAD& other, float tolerance = 0.5f) const;
  // Whether the two share more than a sliver (their outlines may touch).
  bool isOverlapping(const QUAD& other) const;
  std::string fText() const;
};

// The point of a transform's frame on the screen, as the renderer places it: minus the pivot,
// turned, scaled, plus the position.
QOR::QS_VEC2 fToScreen(const QOR::QS_TRANSFORM3& world, float x, float y);

// A text the frame showed: one quad per line of ink.
struct SHOWN_TEXT {
  std::wstring text;
  const QOR::QC_FONT* font = nullptr;
  std::uint32_t color = 0;
  QOR::QS_VEC2 point;      // where it was printed, on the screen
  std::vector<QUAD> lines;  // empty when nothing of it has ink
  bool intoTarget = false;  // lettered into a render target (its quads are the target's pixels)
  std::size_t order = 0;    // the recorded device calls when it was drawn
  std::string fName() const;
};

// The ink of a traced text, line by line, through the font's metrics, in the frame it was drawn
// in (the screen, or the trace's frame).
std::vector<QUAD> fMeasure(const QOR::font_test::QS_TRACED_TEXT& traced);

// Collects the texts drawn while it lives. Texts drawn while intoTarget is set are marked as
// lettered into a render target.
class TEXT_RECORDER {
 public:
  TEXT_RECORDER();
  ~TEXT_RECORDER();
  TEXT_RECORDER(const TEXT_RECORDER&) = delete;
  TEXT_RECORDER& operator=(const TEXT_RECORDER&) = delete;
  std::vector<SHOWN_TEXT> texts;
  bool intoTarget = false;
};

// A place a picture was drawn in the recorded frame: its quad on the screen, the texture
// coordinates of its corners and the index of the draw among the recorded calls.
struct DRAWN {
  QUAD place;
  QOR::QS_VEC2 uv[4];
  std::size_t call = 0;
};
// Every place the picture was drawn (the recording device's draws with its texture); a sprite
// quad's corners keep the order of QUAD.
std::vector<DRAWN> fDrawnPlaces(const std::string& picture);
// The index among the recorded calls of the picture's last draw (0 when it was not drawn). A text
// drawn after a picture has a larger order than that index.
std::size_t fLastDraw(const std::string& picture);

// The colour (ARGB) of the art at a screen point; alpha 0 off the picture.
using GROUND = std::function<std::uint32_t(QOR::QS_VEC2)>;
// The picture's own pixels as drawn at a place (read from its texture on the recording device).
GROUND fGroundOf(const std::string& picture, const DRAWN& drawn);

// A place where texts belong: an area of a picture as drawn, or of the screen.
struct PLATE {
  std::string name;
  QUAD area;
  // Texts that must be printed from a point inside the area and stand wholly inside (each at
  // least once).
  std::vector<std::wstring> holds;
  // Any other text printed from a point inside the area must stand inside it too.
  bool claimsPrinted = true;
  // The art under its texts, when known: they must stand on an even part of it (no edge, band
  // or icon of the plate under them) and stand out from it.
  GROUND ground;
};

// The area of a cell-sized part of a quad drawn for a picture cell of the given size.
QUAD fPart(const QUAD& drawn, QOR::ART_PLACES::QS_SIZE cell, QOR::ART_PLACES::QS_AREA area);
// A turned area of a picture cell mapped onto its drawn quad.
QUAD fPart(const QUAD& drawn, QOR::ART_PLACES::QS_SIZE cell, QOR::ART_PLACES::QS_TURNED_AREA area);

// Plates on every place the picture was drawn this frame (none when it was not drawn), with the
// picture's pixels as their ground.
std::vector<PLATE> fPlatesOn(const std::string& picture, QOR::ART_PLACES::QS_SIZE cell, QOR::ART_PLACES::QS_AREA area,
                             std::vector<std::wstring> holds = {});

// WCAG's contrast ratio of two colours (1 equal .. 21 black on white); alpha is not looked at.
double fContrast(std::uint32_t argb1, std::uint32_t argb2);

// A text a picture carries in its art (a level's number), as a shown text: its line is the area
// the data builder paints it in, as drawn, and it was drawn with that picture.
SHOWN_TEXT fPaintedText(const DRAWN& drawn, QOR::ART_PLACES::QS_SIZE cell, QOR::ART_PLACES::QS_AREA area,
                        std::wstring text);

// One frame's check: every failure as a readable line (empty when the frame passes). Other
// boxes are screen areas no text may cover (a text field's background, a picture with its own
// text), named. Pictures listed over may be drawn after a text, but never hide any of it: their
// art over a text is clear or see-through (a veil) wherever they lie on it.
struct FRAME {
  std::vector<SHOWN_TEXT> texts;
  // Texts drawn before this recorded call lie under the frame's top layer (a veil, a panel over
  // the screen) and are not judged with it.
  std::size_t layerFrom = 0;
  std::vector<PLATE> plates;
  std::vector<const QOR::QC_IMAGE_BUTTON*> buttons;
  std::vector<std::pair<std::string, QUAD>> keepOut;
  std::vector<std::string> over;
};
std::vector<std::string> fCheck(const FRAME& frame);

// The button's picture and hit area as they stand, and the rule: the hit area takes the picture's
// middle and reaches over at least 80 percent of its width and of its height.
std::string fCheckButton(const QOR::QC_IMAGE_BUTTON& button);

}  // namespace layout_test
