// The painters of the art list and the runner that draws them: each picture of a step is made by
// the painter registered under its staging file name, on a canvas of the listed size, and written
// as PNG or JPEG by its extension. Pictures are independent, so the runner spreads them over the
// machine's cores; every painter is deterministic (fixed seeds only).
#pragma once

#include "tools/data/art/qc_canvas.h"
#include "tools/data/data_item.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace QOR::ART {

using PAINTER = std::function<void(QC_CANVAS& canvas, const QS_DATA_ITEM& item)>;
using PAINTER_TABLE = std::map<std::string, PAINTER>;  // staging file name -> painter

// Draws cell `state` (0 normal, 1 over, 2 pressed, 3 selected / checked, 4 inactive) of a
// five-cell strip into a w x h cell at the origin.
using CELL_PAINTER = std::function<void(cairo_t* cr, double w, double h, int state)>;

// Paints a five-cell strip: each cell drawn by the painter, then given the look of its state
// (over brighter, pressed darker and a pixel lower, inactive grey and faded).
void fPaintStrip(QC_CANVAS& canvas, int frames, const CELL_PAINTER& painter);

// Draws every art-list picture of the step into stagingDir. 0 on success.
int fRunPainters(const std::string& step, const std::filesystem::path& stagingDir,
                 const PAINTER_TABLE& painters);

// Runs count jobs over the machine's cores; each job gets its index.
void fParallelFor(int count, const std::function<void(int)>& job);

// The painters of each group of pictures (each adds its entries to the table).
void fAddTilePainters(PAINTER_TABLE& table);
void fAddButtonPainters(PAINTER_TABLE& table);
void fAddPanelPainters(PAINTER_TABLE& table);
void fAddBackgroundPainters(PAINTER_TABLE& table);
void fAddComicPainters(PAINTER_TABLE& table);
void fAddHudPainters(PAINTER_TABLE& table);
void fAddTrophyPainters(PAINTER_TABLE& table);
void fAddEditorPainters(PAINTER_TABLE& table);
void fAddLevelBackgroundPainters(PAINTER_TABLE& table);

}  // namespace QOR::ART
