// The picture steps of the data builder. Each draws its pictures of the art list
// (tools/data/art/art_list.h) into the step's staging folder and returns 0 on success; on failure
// the reason goes to stderr and the result is nonzero.
#pragma once

#include <filesystem>

namespace QOR {

// The three tile atlases, the selection and tip frames, the tile-set check boxes of the options
// and the editor's chip markers.
int fMakeTiles(const std::filesystem::path& stagingDir);
// Every other picture: backgrounds, rooms, comics, panels, buttons, HUD, trophies, editor art,
// the splash pictures.
int fMakePictures(const std::filesystem::path& stagingDir);
// The 120 level backgrounds "bgnd/Levels/P/N.png".
int fMakeLevelBackgrounds(const std::filesystem::path& stagingDir);

}  // namespace QOR
