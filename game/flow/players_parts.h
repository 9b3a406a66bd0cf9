// What the players screen owns: its panel, the selection bar, one row per profile with its delete
// button, the add button and OK, the page arrows of a list longer than the panel holds, and the
// question it has open in the player box. The manager holds one; it frees what it holds when the
// manager goes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_SPRITE;
}  // namespace QOR

// One row of the players screen: a profile's name and its delete button (whose position is the
// row's). Copies share the button; the players screen owns it.
struct PLAYER_LIST_ITEM {
  std::wstring name;
  QOR::QC_IMAGE_BUTTON* deleteButton = nullptr;
};

// The question the player box holds on the players screen; its answer acts once, by this and not
// by what the box shows.
enum PLAYERS_QUESTION : int { PLAYERS_NONE, PLAYERS_DELETE, PLAYERS_NAME };

struct PLAYERS_PARTS {
  PLAYERS_PARTS() = default;
  ~PLAYERS_PARTS() { Free(); }
  PLAYERS_PARTS(const PLAYERS_PARTS&) = delete;
  PLAYERS_PARTS& operator=(const PLAYERS_PARTS&) = delete;

  // The rows the panel holds at a time: a page.
  static constexpr std::size_t kRowsShown = 7;

  // Deletes every object and gives its picture back; all null and no rows afterwards.
  void Free();
  // Adds dy to the y of the panel, the selection bar, the rows, the add, the page and the OK
  // buttons.
  void Move(float dy);
  // The row the selection bar stands on (at the rows' x, on its delete button's y); null when
  // none, as before any row is picked.
  PLAYER_LIST_ITEM* PickedRow();
  // Whether row `index` is on the page shown.
  bool isShown(std::size_t index) const { return index >= firstRow && index - firstRow < kRowsShown; }

  PLAYERS_QUESTION question = PLAYERS_NONE;
  bool changed = false;  // a profile was added, deleted or picked: leaving reads the player again
  // Rows stand at x0 + 210 (delete buttons) and x0 - 210 (names), x0 = width / 2; the rows of
  // other pages stand above and below the page shown, neither drawn nor answering.
  QOR::QC_SPRITE* panel = nullptr;
  QOR::QC_SPRITE* selectionBar = nullptr;
  std::vector<PLAYER_LIST_ITEM> rows;
  std::size_t firstRow = 0;                       // the page shown starts at this row
  QOR::QC_IMAGE_BUTTON* addButton = nullptr;      // null once the list is full
  QOR::QC_IMAGE_BUTTON* previousPage = nullptr;   // null on the first page
  QOR::QC_IMAGE_BUTTON* nextPage = nullptr;       // null on the last page
  QOR::QC_IMAGE_BUTTON* okButton = nullptr;       // made once, kept across rebuilds
};
