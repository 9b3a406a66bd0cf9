#include "tools/data/art/art_steps.h"

#include "tools/data/art/art_jobs.h"
#include "tools/data/art/art_list.h"

namespace QOR {

int fMakeTiles(const std::filesystem::path& stagingDir) {
  ART::PAINTER_TABLE table;
  ART::fAddTilePainters(table);
  return ART::fRunPainters(kStepTiles, stagingDir, table);
}

int fMakePictures(const std::filesystem::path& stagingDir) {
  ART::PAINTER_TABLE table;
  ART::fAddButtonPainters(table);
  ART::fAddPanelPainters(table);
  ART::fAddBackgroundPainters(table);
  ART::fAddComicPainters(table);
  ART::fAddHudPainters(table);
  ART::fAddTrophyPainters(table);
  ART::fAddEditorPainters(table);
  return ART::fRunPainters(kStepPictures, stagingDir, table);
}

int fMakeLevelBackgrounds(const std::filesystem::path& stagingDir) {
  ART::PAINTER_TABLE table;
  ART::fAddLevelBackgroundPainters(table);
  return ART::fRunPainters(kStepLevelBacks, stagingDir, table);
}

}  // namespace QOR
