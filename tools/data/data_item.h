// One resource of the game's data as the builder makes and places it: which step makes it, where
// it lies in the step's staging folder, where it goes in Resources and the name the game asks for.
// Shared by the manifest (tools/data/manifest.h) and the art list (tools/data/art/art_list.h).
#pragma once

#include <string>

namespace QOR {

enum class DATA_KIND {
  XML,        // an XML document (configuration, strings, forms)
  LEVEL,      // a level file (XML with the level-file rules)
  IMAGE,      // a PNG or JPEG picture
  FONT,       // a bitmap-font description (XML); its pages are IMAGE items of their own
  SOUND,      // an Ogg Vorbis sound effect
  MUSIC,      // an Ogg Vorbis music track
};

struct QS_DATA_ITEM {
  std::string step;      // the step that makes it: "xml", "levels", "tiles", "pictures", "fonts", "audio" ...
  std::string file;      // its path inside data_staging/<step>/ (may contain '/')
  std::string location;  // where it goes: "" = loose in Resources; else the pack name as the game
                         // registers it ("XML/config", "data/surfaces", "data/surfaces/options")
  std::string entry;     // its name there: the bare file name in a folder, the full entry name in an
                         // archive (may contain '/', e.g. "bgnd/Levels/1/1.png")
  std::string lookup;    // the name the game asks the loader for: one word ("board.png") or
                         // "pack entry" ("data/tiles tiles1.png"); empty = same as entry
  DATA_KIND kind = DATA_KIND::IMAGE;
  int width = 0;         // pictures: the whole image size in pixels (0 = not checked)
  int height = 0;
  int frames = 1;        // pictures: frame count of a strip or sheet (1 = a single picture)
};

}  // namespace QOR
