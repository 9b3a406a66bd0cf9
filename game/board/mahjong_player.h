// One player's profile and the file that holds every profile, player.xml: a document whose top
// level holds `lastplayer` (the name of the player who saved last), one `player` element per
// profile, and the pack definitions `packs` and rank list `ranks`, which the profile keeps as they
// are.
#pragma once

#include <string>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
struct xml_parse_result;
}  // namespace pugi

// A bonus the player owns: 1 allclickable, 2 tosschips, 3 deleteany, 4 showspec.
// Bonus ids: allclickable, tosschips (the shuffle), deleteany, showspec.
enum PLAYER_BONUS_ID { BONUS_ALLCLICKABLE = 1, BONUS_TOSSCHIPS = 2, BONUS_DELETEANY = 3, BONUS_SHOWSPEC = 4 };

struct PLAYER_BONUS {
  PLAYER_BONUS(int bonusId, int improvement) : id(bonusId), impr(improvement) {}
  bool operator==(const PLAYER_BONUS&) const = default;

  int id = 0;
  int recover = 0;  // the charge the bonus needs to be ready
  int charge = 0;   // the charge it holds
  int impr = 0;     // improvement level
  int set = 0;      // non-zero while the bonus is in use
};

// An ability the player owns: 1 startmult, 2 xpmult, 3 fadeunable, 4 tip.
struct PLAYER_ABILITY {
  PLAYER_ABILITY(int abilityId, int improvement) : id(abilityId), impr(improvement) {}
  bool operator==(const PLAYER_ABILITY&) const = default;

  int id = 0;
  int impr = 0;
  int set = 0;
};

class MAHJONG_PLAYER {
 public:
  static constexpr int kPacks = 6;
  static constexpr int kLevelsPerPack = 20;
  static constexpr int kLevels = kPacks * kLevelsPerPack;
  static constexpr int kSlots = 3;
  static constexpr int kMaxTrophyId = 99;

  // Gives the document a new player file starts from (lastplayer, packs, ranks): null when there
  // is none to give.
  using DEFAULTS_SOURCE = const pugi::xml_document* (*)();

  // Reads the profile of that name from the file; an empty name reads the file's last player.
  MAHJONG_PLAYER(const std::string& filePath, const std::wstring& playerName);

  // Fills the profile from the file: the first `player` of that name, else the file's first
  // `player`, else a reset profile with an empty name. A file that is missing, empty or does not
  // parse resets the profile to the defaults under the given name. Bonuses, abilities and trophies
  // read from the file are appended to the lists already held.
  void LoadPlayer(const std::wstring& playerName, const std::string& filePath);

  // Writes this profile into the file (the profile's own path when none is given; a given path is
  // remembered when the profile has none) through the file's one writer, MAHJONG_PLAYER_FILE:
  // any element of its name is replaced and every other profile and top-level element kept. A
  // file that is missing or does not parse takes lastplayer, packs and ranks from the game's
  // default_player.xml. False (logged, and told to the player once) when nothing was written.
  bool SavePlayers(const std::string& filePath = std::string());
  // The same with the default document from the given source instead of the game's resources.
  bool SavePlayersWith(const std::string& filePath, DEFAULTS_SOURCE defaults);
  // The game's default_player.xml, through the resource loader (the config pack is registered
  // first when it is not yet open); null when it cannot be had.
  static const pugi::xml_document* GameDefaultPlayerDocument();
  // Parses a player file with the default options, as MAHJONG_PLAYER_FILE::Read gives it (the
  // document held in memory when the session's saves could not be written); anything but a
  // regular file gives an empty document and the status "file not found" (nothing there) or
  // "I/O error".
  static pugi::xml_parse_result LoadPlayerFile(const std::string& filePath, pugi::xml_document& document);

  // Names as player.xml holds them (UTF-8) and as a profile holds them (code points). Reading
  // replaces each ill-formed UTF-8 sequence (a stray byte, an overlong form, a surrogate, a
  // sequence cut off) and each character XML cannot hold (a control character given as &#1;) by
  // one U+FFFD; writing replaces what cannot stand in the file (NUL, surrogates, beyond U+10FFFF)
  // the same way, and the file's writer the rest. A name written reads back as the same string, and
  // every lookup of a profile by name compares names as the reader gives them (SameName).
  static std::wstring NameFromFile(const char* utf8);
  static std::string NameToFile(const std::wstring& name);
  // The name as the file gives it back once written.
  static std::wstring NameAsRead(const std::wstring& name);
  // True when a name attribute of the file names the profile name.
  static bool SameName(const char* fileName, const std::wstring& name);

  // The default profile of that name.
  void Reset(const std::wstring& playerName);
  // Writes this profile's attributes and child elements into an empty `player` element.
  void WritePlayer(pugi::xml_node& player) const;

  // Every bonus's recover from its id and improvement level (level start).
  void UpdateBonusRecover();
  // The bonus record with that id, or null; records are found by id, never by their place.
  PLAYER_BONUS* FindBonus(int id);
  const PLAYER_BONUS* FindBonus(int id) const;
  // charge := recover for every bonus in use.
  void FillBonuses();
  // Adds amount to the charge of every bonus below its recover.
  void ChargeBonuses(int amount);

  // Index of a level in m_levels (pack and level from 1).
  static int LevelIndex(int pack, int level) { return (pack - 1) * kLevelsPerPack + (level - 1); }

  bool operator==(const MAHJONG_PLAYER&) const = default;

  std::wstring m_name;
  std::string m_filePath;
  int m_totalScore = 0;
  int m_money = 0;
  float m_XP = 0.0f;
  int m_rank = 0;
  int m_totalTilesRemoved = 0;
  int m_totalBonusUsed = 0;
  int m_abilitySlots = 1;
  int m_bonusSlots = 1;
  int m_lastPack = 1;
  int m_lastLevel = 1;
  float m_soundVolume = 0.5f;
  float m_musicVolume = 0.5f;
  bool m_customCursor = true;
  bool m_fullScreen = true;
  bool m_seenStartComics = false;
  bool m_seenEndComics = false;
  bool m_tutorialShow = true;
  bool m_showShopMsg = true;
  bool m_doTilesShadowing = false;
  std::string m_tileset = "2";
  std::vector<PLAYER_BONUS> m_bonuses;
  std::vector<PLAYER_ABILITY> m_abilities;
  int m_bonusSlot[kSlots] = {0, 0, 0};       // bonus id per slot, 0 = empty
  int m_abilitySlot[kSlots] = {0, 0, 0};     // ability id per slot, 0 = empty
  int m_packs[kPacks] = {0, 0, 0, 0, 0, 0};  // 1 = pack open, pack 1 first
  std::vector<int> m_trophies;               // owned trophy ids
  int m_levels[kLevels];                     // stars earned, -1 = not played (see LevelIndex)
  int m_sessionsCount = 0;

 private:
  // Reads the profile of that name from a parsed player file (steps after the file is loaded).
  void ReadPlayers(const pugi::xml_node& document, const std::wstring& playerName);
  void ReadPlayer(const pugi::xml_node& player);
};
