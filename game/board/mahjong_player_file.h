// player.xml, the file of every profile, and its one writer. Every change (a first file from the
// defaults, the repair of a damaged file, a profile's save, the last player, a deleted profile)
// reads the file as it is, changes it in memory and replaces it whole through the engine's
// replace helper, so a kill or a failed write at any point leaves the old file as it was. A save
// that fails is logged every time and told to the player once in a session; what it would have
// written is then held in memory, and every read of the file (Read, and through it
// MAHJONG_PLAYER::LoadPlayerFile) gives that document until a write succeeds, so a game whose
// folder cannot be written plays on from what it saved. The file's folders are made writable by
// the player alone; one that another user owns or can write to, or a link another user owns on the
// way, is neither read nor written: the session plays from the defaults in memory, told once. What
// is written is well-formed UTF-8 XML, whatever a hand edit put in the file. A file whose elements nest deeper than
// eight levels is damaged, so what a change writes is at most six times what it read (a quote
// escaped as &quot;), plus the profile it writes and what a rebuild takes from the defaults.
#pragma once

// (mahjong_player.h declares the pugixml types used here.)
#include "game/board/mahjong_player.h"

#include <string>
#include <vector>

class MAHJONG_PLAYER_FILE {
 public:
  using DEFAULTS_SOURCE = MAHJONG_PLAYER::DEFAULTS_SOURCE;

  // The file at path; a new or rebuilt file takes lastplayer, packs and ranks from defaults.
  explicit MAHJONG_PLAYER_FILE(std::string path,
                               DEFAULTS_SOURCE defaults = &MAHJONG_PLAYER::GameDefaultPlayerDocument);

  // How deep elements may nest in a player file: profiles nest three deep (player, bonuses, bonus),
  // the pack definitions and ranks two; the rest is room for hand edits. Nothing the game wrote is
  // deeper, and a save indents every line by its depth: a deeper file is damaged, and its rebuild
  // copies no element below this depth, so what a save writes stays in proportion to what was read.
  static constexpr int kMaxDepth = 8;

  // The player file at path as bytes: 1 read, 0 missing, below 0 unreadable (cause says why); a
  // document held in memory for path is read instead of the disk.
  static int Read(const std::string& path, std::string& bytes, std::string* cause = nullptr);
  // True when the document has what every player file holds besides profiles: lastplayer, packs
  // and ranks. A default_player.xml without them can make no player file.
  static bool HasFileElements(const pugi::xml_node& document);

  // The game's folder in the user's documents folder ("Greyfern/Lantern Tiles/", with a trailing
  // '/'), which holds player.xml and the designer's levels; empty when there is no documents
  // folder (never the working folder or the game's own instead).
  static std::string GameFolder();

  const std::string& Path() const { return _path; }
  // The folder that holds the file.
  std::string Folder() const;

  // Opening the file at the start of a session: the leftovers of saves killed before their rename
  // are removed, a damaged file is repaired and a missing one made from the defaults.
  void Open();
  // Writes the defaults as the file; false (logged and told) when it could not be written, and
  // (logged) when the defaults lack lastplayer, packs or ranks, without making a file.
  bool Create();
  // A file that does not parse, nests too deep, or lacks lastplayer, packs or ranks, is written
  // again from the defaults (keeping its lastplayer) and every whole profile it holds (without
  // what lies too deep in them); the damaged bytes are kept beside it as player.xml.bak (.bak1,
  // ... when taken). A file without profiles is the first-run state and stays. False when a
  // damaged file could not be rebuilt; it is then left as it is.
  bool Repair();

  // Writes the profile: every element of its name goes and the new one is appended last; the
  // existing lastplayer names it.
  bool SavePlayer(const MAHJONG_PLAYER& player);
  // Names the player in lastplayer (made first in the file when missing).
  bool SetLastPlayer(const std::wstring& name);
  // Removes every profile of that name; when the file names it as its last player, successor
  // (a remaining profile, or nobody) takes its place in the same write.
  bool DeletePlayer(const std::wstring& name, const std::wstring& successor);

  // The profiles of a parsed file that are whole: every `player` element but one that a damaged
  // file cuts off (source holds the bytes the document was parsed from, with that result).
  static std::vector<pugi::xml_node> WholeProfiles(const pugi::xml_document& document, const std::string& source,
                                                   const pugi::xml_parse_result& parsed);

  // Test door: pause is called at each step of a repair ("backup kept" once the damaged bytes have
  // a second name, "file rebuilt" once the new file is in place); null, the default, calls nothing.
  static void SetRepairPause(void (*pause)(const char* step));

 private:
  // The document a change starts from: the file, or a rebuild from the defaults and the whole
  // profiles of a file that is missing, does not parse or nests too deep. False when the file is
  // there but cannot be read (writing over it would lose it).
  bool LoadForChange(pugi::xml_document& document) const;
  // Replaces the file with the document (its folder made first); a failure is logged and told,
  // and the document held in memory instead.
  bool Write(const pugi::xml_document& document) const;
  // Logs a failed save and tells the player once in the session.
  void TellNotSaved(const std::string& cause, bool oldFileKept) const;

  std::string _path;
  DEFAULTS_SOURCE _defaults;
};
