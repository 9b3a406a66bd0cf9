// The board of one level as a model, with no drawing in it: the chips it owns, the free/blocked
// rule, the count of available moves, the tip pair, the solvable deal and the level file. It needs
// none of the engine's services (a random generator aside, for the deal), so the level reader and
// the deal run in tests and tools as they run in the game. MAHJONG_LAYOUT builds the drawn,
// playable board on it.
//
// Ownership: the board owns every chip it holds: the chip list (chips in their removal flight
// included) and the editor's cursor chip. A chip leaves the board only through DeleteChip /
// RemoveChipAt / DeleteAllChips (or a deal that drops it), which also clear every pointer that
// refers to it (hover, selection, tip pair, special candidates). Those pointers never own.
#pragma once

#include "engine/math/qs_point.h"
#include "engine/math/qs_vec2.h"
#include "game/board/tile_faces.h"
#include "game/board/tile_metrics.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace QOR {
class QC_RANDOM;
class QC_SPRITE;
}  // namespace QOR

class MAHJONG_CHIP;

// Extra task kinds of a level.
enum MAHJONG_TASK : std::int32_t {
  kTaskNone = 0,
  kTaskTime = 1,   // value: most seconds
  kTaskMoves = 2,  // value: most pairs
  kTaskMoney = 3,  // value: least level points
};

// What a level file holds beyond its tiles, as the writer takes it (the editor's boxes): texts are
// written as they are, an empty text leaves its item out.
struct LEVEL_FILE_SETTINGS {
  struct TASK {
    std::string value;  // the task's target text ("M.SS" for time)
    std::string type;   // "money", "time", "moves" or empty
  };
  std::int32_t targetMoves = 10;
  std::string specsTotal;
  std::string background;                      // a name under "data/surfaces/", without ".png"
  bool suits[MAHJONG_FACES::kSuitCount] = {};  // in the file's order (MAHJONG_FACES::kSuits)
  TASK tasks[2];
};

class MAHJONG_BOARD {
 public:
  using CHIP_LIST = std::vector<MAHJONG_CHIP*>;

  // Layers are bounded (a level's layers drive the drawing loop) and so are grid positions (every
  // product of them with the tile metrics stays exact in floats and ints).
  static constexpr std::int32_t kMaxLayer = 99;
  static constexpr double kMaxGrid = 10000.0;
  // The deal's limits: passes of the special phase, attempts to free one special tile, passes of
  // the rest phase, and whole deals tried when one degrades.
  static constexpr int kSpecialPasses = 2500;
  static constexpr int kFreeAttempts = 2501;
  static constexpr int kRestPasses = 2501;
  static constexpr int kDealRuns = 8;
  // The most positions the deal's search for a complete order visits (deal_search.h) when its
  // greedy passes leave tiles unpaired: run to its bound on a level of kMaxDealTiles tiles, it
  // takes less time than one greedy pass (bench/board_bench.cpp).
  static constexpr int kSearchPositions = 5000;
  // The most tiles a level may have: its deal (played backwards pair by pair, the free flags
  // worked out again after each pair) grows with the cube of the tile count, and a level's check
  // and start deal it twice in the tick its level is chosen (bench/board_bench.cpp measures the
  // largest level within a frame).
  static constexpr int kMaxDealTiles = 300;
  // Every face may be dealt this many pairs before the counts start again.
  static constexpr int kPairsPerFace = 2;

  // An empty board with every suit enabled.
  MAHJONG_BOARD();
  // Deletes every chip it owns.
  virtual ~MAHJONG_BOARD();
  MAHJONG_BOARD(const MAHJONG_BOARD&) = delete;
  MAHJONG_BOARD& operator=(const MAHJONG_BOARD&) = delete;

  // --- ownership ---
  // The board takes the chip and appends it to the chip list.
  void AddChip(MAHJONG_CHIP* chip);
  // Takes the chip at that index out of the list and deletes it.
  void RemoveChipAt(std::size_t index);
  // Deletes a chip the board owns (taken out of the list or not) and clears every pointer to it.
  void DeleteChip(MAHJONG_CHIP* chip);
  // Deletes every chip of the list and the editor chip.
  void DeleteAllChips();
  // Clears the hover, selection, tip and candidate pointers that refer to the chip.
  void ForgetChip(const MAHJONG_CHIP* chip);
  // The editor's cursor chip (owned): the previous one is deleted.
  void SetEditorChip(MAHJONG_CHIP* chip);

  // --- free rule, moves, tips (the free rule of a chip against a list of chips) ---
  // How one chip stands to another under the rule: it covers it, it is its side neighbour on the
  // left or on the right, or neither. A chip is blocked by one that covers it, or by a neighbour
  // on each side.
  enum BLOCKING { kNotBlocking, kCovering, kLeftNeighbour, kRightNeighbour };
  BLOCKING BlockingOf(const MAHJONG_CHIP& other, const MAHJONG_CHIP& chip) const;
  bool UpdateChipFree(MAHJONG_CHIP* chip, const CHIP_LIST& list);
  void UpdateFreeInList(const CHIP_LIST& list);
  void UpdateAllFree();
  int CountFreeChips(const CHIP_LIST& list) const;
  void CalcAvailableMoves();
  void CountSpecials();
  bool isLevelComplete();
  void FindTipPair();
  void ResetTip();
  void ClearSuits();
  // Stable bubble sorts by layer (order 1 ascending, -1 descending, others none), then, with the
  // distance flag, within each layer from the farthest to the nearest chip from
  // (-1.5 x screen width, 2 x screen height). The board's chip list when none is given.
  void SortChips(int order, bool distance, CHIP_LIST* list = nullptr);

  // --- the solvable deal ---
  // Deals faces by playing the board backwards (see deal_builder.cpp); fixed faces take part with
  // their faces. Chips it cannot pair are deleted, those of a fixed face aside (they stay as the
  // level gave them). A degraded deal (a pair forced while blocked, a special tile outside the
  // move count, tiles left without a pair) is dealt again from the same start, the random stream
  // going on, up to kDealRuns runs in all: a first deal when its special tiles were drawn, a
  // re-deal (reshuffle) always, taking the tiles in an order drawn at random. A first deal still
  // degraded is dealt again in the fixed orders (every special candidate freed first, then none).
  // A deal whose last greedy order leaves tiles unpaired, a re-deal too, is dealt in the order
  // the search finds when it finds one: so a level that passed the level check (FixedOrderDeal)
  // is always paired to the end.
  void AlternBuildPath(bool reshuffle);
  // Deals the board in the builder's plain fixed order (no tile freed first), and when that leaves
  // tiles unpaired, in the order the search finds (GetDealSearch). Which tiles these pair follows
  // from the layout and the fixed faces alone, never from a random draw (the draws give faces and
  // the special tiles only) nor from which tiles are special, so it tells for good whether the
  // builder can pair the level. Returns the tiles the plain order could not pair legally (0 when
  // it or the search paired every tile), or -1 when the level asks for more special tiles than it
  // has places (nothing dealt).
  int FixedOrderDeal();
  // Faces for one pair: 0, or -1 when both are fixed and do not match.
  int AssignTileTypes(MAHJONG_CHIP* first, MAHJONG_CHIP* second);
  // Chooses which candidates stay special; false when the level asks for more than it has.
  bool fScatterSpecials();

  // --- the level file ---
  // Replaces the board's level with the one of the document (an empty document gives an empty
  // board): the old chips are deleted and the per-level fields reset first. name gives the pack
  // number ("pk3lv12.xml" is pack 3).
  void ReadLevel(const pugi::xml_node& document, const std::string& name);
  // The level file of the board's chips with the given settings.
  void WriteLevel(pugi::xml_document& document, const LEVEL_FILE_SETTINGS& settings) const;
  // The settings the board's own state gives (suits, specials count, tasks, target moves).
  LEVEL_FILE_SETTINGS CurrentLevelSettings() const;
  // A time task's value text: whole part minutes, two decimals seconds ("M.SS"), which reads back
  // as the same number of seconds.
  static std::string TimeTaskText(int seconds);
  // Seconds of a time task's text: the text as a 32-bit float v, trunc(v) x 60 + fraction x 100,
  // truncated.
  static int TimeTaskSeconds(const char* text);
  // The pack number of a level resource name (the digits from the third character of its file
  // name on).
  static int PackFromName(const std::string& name);

  // --- geometry ---
  // The tile geometry the model works in: the face rectangle (a grid unit is half of it, and side
  // neighbours stand one width apart) and the board grid. The layout gives the metrics it read
  // from tiles.xml; all 0 until given.
  void SetTileMetrics(const TILE_METRICS& metrics) { m_metrics = metrics; }
  const TILE_METRICS& GetTileMetrics() const { return m_metrics; }
  // The board origin from the screen size and the tile metrics (the board grid centred).
  void ComputeOrigin();
  const QOR::QS_VEC2& GetOrigin() const { return m_origin; }
  void SetOrigin(const QOR::QS_VEC2& origin) { m_origin = origin; }
  // The game's resolution, read at each call (the play screen, 1024 x 768, without a game service).
  static QOR::QS_POINT GetScreen();
  // The screen the board is laid out for, which its origin and its chip order follow: the game's
  // resolution unless one is set (the level check lays a level out for the play screen).
  QOR::QS_POINT GetLayoutScreen() const;
  void SetLayoutScreen(const QOR::QS_POINT& screen) {
    m_layoutScreen = screen;
    m_hasLayoutScreen = true;
  }

  // --- state ---
  CHIP_LIST& GetChips() { return m_chips; }
  const CHIP_LIST& GetChips() const { return m_chips; }
  void SetRandom(QOR::QC_RANDOM* random) { m_random = random; }
  // The generator the deal draws from: the one set, else the engine's.
  QOR::QC_RANDOM* GetRandom();
  bool isSuitEnabled(MAHJONG_FACES::SUIT suit) const { return m_suits[suit] != 0; }
  void SetSuit(MAHJONG_FACES::SUIT suit, bool on) { m_suits[suit] = on ? 1 : 0; }
  // Whether the last deal searched for a complete order (its greedy passes left tiles unpaired),
  // and what the search found: an order (dealt), none at all, or nothing within its bound.
  enum DEAL_SEARCH_RESULT { kNotSearched, kSearchFound, kSearchNone, kSearchUndecided };
  DEAL_SEARCH_RESULT GetDealSearch() const { return m_dealSearch; }
  // How many times the last deal was dealt (1 unless it degraded), and whether its result is
  // still degraded.
  int GetDealRuns() const { return m_dealRuns; }
  bool isDealDegraded() const { return m_dealDegraded; }
  // The tiles the last deal could not pair legally: forced into pairs while blocked, or left over
  // (an odd one among them). 0 when it paired every tile.
  int GetUnpairedTiles() const { return m_dealUnpaired; }
  // The chips of the last deal in the order it took them off, two by two (chips in flight first): a
  // solution of the board when the deal did not degrade. Chips deleted since are left out.
  const CHIP_LIST& GetDealOrder() const { return m_dealOrder; }

 protected:
  // The per-level fields back to a board without a level (layers, tasks, suits, counts, tip).
  void ResetLevelFields();

 private:
  struct DEAL_RUN;
  struct DEAL_SNAPSHOT;
  // One deal from the board as it stands; false when the specials could not be scattered.
  bool BuildPathOnce(bool reshuffle, DEAL_RUN& run);
  // A run's start: the special tiles scattered (a first deal), chips in flight kept, the free
  // flags of the rest; false when the specials could not be scattered.
  bool StartRun(bool reshuffle, DEAL_RUN& run);
  // When the search finds an order that pairs every tile not in flight, the board is dealt again
  // from start in that order and run becomes that deal; otherwise run is left as it was.
  bool SearchRun(bool reshuffle, const DEAL_SNAPSHOT& start, DEAL_RUN& run);
  // The 1-based number of the run's last pair holding a special tile (0: none).
  static std::size_t LastSpecialPair(const DEAL_RUN& run);
  // The run's result on the board: its order becomes the chip list, chips left over are deleted.
  void TakeRun(DEAL_RUN& run, int runNumber);
  void SpecialPhase(DEAL_RUN& run);
  void RestPhase(DEAL_RUN& run);
  // The first free chip of the list other than the given one that takes a face with it; null when
  // none does (noFree tells whether there was no other free chip at all).
  MAHJONG_CHIP* PairPartner(CHIP_LIST& list, MAHJONG_CHIP* chip, const char* failureLog, bool& noFree);
  // Whether the deal may give the face: its suit is enabled, or the level enables no suit at all.
  bool FacePassesSuits(int face) const;
  int DrawFace();
  // A uniform draw in first..last inclusive.
  int Draw(int first, int last);

 public:
  // Fields other parts of the game read and write directly.
  std::int32_t m_dropTopLayer = 0;       // highest layer of the level; the editor's current layer
  std::int32_t m_topLayer = 0;           // highest layer of the level; bounds the drawing loop
  MAHJONG_CHIP* m_editorChip = nullptr;  // owned
  // The sprite chips are given by the loader and the deal: the face atlas. Not owned here (the
  // layout owns it).
  QOR::QC_SPRITE* m_faceSprite = nullptr;
  std::int32_t m_dealMoveCount = 0;
  MAHJONG_CHIP* m_hoverChip = nullptr;     // not owned
  MAHJONG_CHIP* m_selectedChip = nullptr;  // not owned
  MAHJONG_CHIP* m_tipChipA = nullptr;      // not owned
  MAHJONG_CHIP* m_tipChipB = nullptr;      // not owned
  float m_tipTimer = 0.0f;
  float m_tipPeriod = 0.0f;  // seconds between tips, 0 = none (set by the game flow)
  std::uint8_t m_suits[MAHJONG_FACES::kSuitCount] = {1, 1, 1, 1, 1, 1, 1};  // board order
  std::int32_t m_suitCapacity = 0;
  std::int32_t m_specsTotal = 0;
  std::int32_t m_task1Type = kTaskNone;
  std::int32_t m_task1Value = 0;
  std::int32_t m_task2Type = kTaskNone;
  std::int32_t m_task2Value = 0;
  std::int32_t m_pack = 0;
  std::int32_t m_level = 0;
  std::int32_t m_availableMoves = 0;
  std::int32_t m_specialsLeft = 0;
  std::int32_t m_targetMoves = 10;  // written to the level file (the editor's setting)
  CHIP_LIST m_specialPositions;     // special candidates of the last deal; not owned

 protected:
  CHIP_LIST m_chips;  // owned
  TILE_METRICS m_metrics;
  QOR::QS_VEC2 m_origin;
  QOR::QC_RANDOM* m_random = nullptr;
  // Pairs dealt per face in the current deal.
  int m_faceUse[MAHJONG_FACES::kFaceCount] = {};
  CHIP_LIST m_dealOrder;        // not owned
  bool m_scatterDrawn = false;  // the last scatter chose among its candidates
  int m_dealRuns = 0;
  bool m_dealDegraded = false;
  int m_dealUnpaired = 0;
  DEAL_SEARCH_RESULT m_dealSearch = kNotSearched;
  QOR::QS_POINT m_layoutScreen;
  bool m_hasLayoutScreen = false;
};
