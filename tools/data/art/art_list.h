// The art list: every picture, font and sound the game names, with the step that makes it, where
// it goes in Resources, the name the game looks it up by, and for pictures the whole image size
// and the number of frames of a strip or sheet. The manifest (tools/data/manifest.h) includes it;
// the art steps read their sizes from it, so the list and the files cannot drift apart.
#pragma once

#include "tools/data/data_item.h"

#include <string>
#include <vector>

namespace QOR {

// Step names of the art side, as the step driver dispatches them.
inline constexpr const char* kStepTiles = "tiles";                 // fMakeTiles
inline constexpr const char* kStepPictures = "pictures";           // fMakePictures
inline constexpr const char* kStepLevelBacks = "backgrounds";     // fMakeLevelBackgrounds
inline constexpr const char* kStepFonts = "fonts";                 // fMakeFonts
inline constexpr const char* kStepAudio = "audio";                 // fMakeAudio

// The board's own font, under the file names the board code loads.
inline constexpr const char* kBoardFontFnt = "TrebuchetMSREGULAR.fnt";
inline constexpr const char* kBoardFontPng = "TrebuchetMSREGULAR_0.png";
// The picture of trophy id (1..26), named by kTrophyPictureFormat (tools/data/resource_layout.h).
std::string fTrophyPicture(int id);
// The background of level n (1..20) of pack p (1..6), as the levels screen asks for it.
std::string fLevelBackground(int pack, int level);

// Every item the art side makes, in a fixed order.
const std::vector<QS_DATA_ITEM>& fArtList();

// The item whose staging file is this path within its step, or null.
const QS_DATA_ITEM* fFindArtItem(const std::string& step, const std::string& file);

}  // namespace QOR
