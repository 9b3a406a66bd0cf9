#include "tools/data/levels/level_shapes.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

namespace QOR {

namespace {

using TILES = std::vector<QS_GRID_TILE>;

// The board holds at most seven full rows clear of the panel's corners.
constexpr int kRows = 7;

void add(TILES& tiles, int x, int y, int layer) { tiles.push_back(QS_GRID_TILE{x, y, layer, false, false}); }

void append(TILES& to, const TILES& from) { to.insert(to.end(), from.begin(), from.end()); }

// Puts roof after roof on a base layer until the roof is empty or the layer limit is reached.
TILES stackUp(const TILES& base, int maxLayers, TILES (*roof)(const TILES&)) {
  TILES all = base;
  TILES current = base;
  for (int layer = 1; layer < maxLayers; ++layer) {
    current = roof(current);
    if (current.empty()) break;
    append(all, current);
  }
  return all;
}

// Tiles given by tile coordinates (i, j) -> (x + 2i, y + 2j).
TILES fromCells(const std::vector<std::pair<int, int>>& cells, int layer) {
  TILES tiles;
  for (const auto& [i, j] : cells) add(tiles, 2 * i, 2 * j, layer);
  return tiles;
}

TILES pyramid(int size, int maxLayers) {
  const int cols = 4 + size;
  const int rows = std::min(kRows, 3 + size / 2);
  if (cols > 16) return {};
  TILES base;
  fAddRect(base, 0, 0, cols, rows, 0);
  return stackUp(base, maxLayers, fRoofHalf);
}

TILES ziggurat(int size, int maxLayers) {
  const int cols = 5 + size;
  const int rows = std::min(kRows, 3 + (size + 1) / 2);
  if (cols > 16) return {};
  TILES base;
  fAddRect(base, 0, 0, cols, rows, 0);
  return stackUp(base, maxLayers, fRoofStacked);
}

// A shell on a wide base with a head and a tail, shrinking towards a single cap.
TILES turtle(int size, int maxLayers) {
  const int width = 6 + size;
  const int height = std::min(kRows, 4 + size / 2);
  if (width > 14) return {};
  TILES tiles;
  fAddRect(tiles, 0, 0, width, height, 0);
  add(tiles, -2, height - 1, 0);
  add(tiles, 2 * width, height - 1, 0);
  int top = 0;
  for (int k = 1; k < maxLayers - 1; ++k) {
    const int cols = width - 4 * k;
    const int rows = height - 2 * k;
    if (cols < 2 || rows < 2) break;
    fAddRect(tiles, width - cols, height - rows, cols, rows, k);
    top = k;
  }
  if (top + 1 < maxLayers) add(tiles, width - 1, height - 1, top + 1);
  return tiles;
}

// Towers standing between the row pairs of a wide base.
TILES towers(int size, int maxLayers) {
  const int count = 3 + size / 2;
  const int rowPairs = 1 + size / 5;
  const int height = std::min(maxLayers - 1, 2 + size / 3);
  if (2 * count + 1 > 16 || 2 * rowPairs > kRows + 1 || height < 1) return {};
  TILES tiles;
  fAddRect(tiles, 0, 0, 2 * count + 1, std::min(kRows, 2 * rowPairs), 0);
  for (int pair = 0; pair < rowPairs; ++pair)
    for (int i = 0; i < count; ++i)
      for (int layer = 1; layer <= height - (pair + i) % 2; ++layer) add(tiles, 2 + 4 * i, 4 * pair + 1, layer);
  return tiles;
}

// Two piers joined by a deck, with a raised walkway.
TILES bridge(int size, int maxLayers) {
  const int length = 7 + size;
  if (length > 16) return {};
  const int pierCols = size >= 6 ? 3 : 2;
  const int pierRows = std::min(kRows, 5 + size / 3);
  const int deckRows = size >= 4 ? 3 : 1;
  const int deckY = pierRows - 1 - (deckRows - 1);  // the deck runs at the piers' middle
  TILES tiles;
  for (int side = 0; side < 2; ++side) {
    TILES pier;
    fAddRect(pier, side == 0 ? 0 : 2 * (length - pierCols), 0, pierCols, pierRows, 0);
    append(tiles, stackUp(pier, maxLayers, fRoofHalf));
  }
  const int deckFrom = 2 * pierCols;
  const int deckCols = length - 2 * pierCols;
  fAddRect(tiles, deckFrom, deckY, deckCols, deckRows, 0);
  if (maxLayers > 1)
    for (int j = 0; j < deckRows; j += 2)
      for (int i = 0; i + 1 < deckCols; ++i) add(tiles, deckFrom + 1 + 2 * i, deckY + 2 * j, 1);
  return tiles;
}

TILES cross(int size, int maxLayers) {
  const int arm = 2 + size / 2;
  const int armY = std::min(3, arm);
  const int thick = size >= 3 ? 1 : 0;
  if (2 * arm + 1 > 16) return {};
  TILES tiles;
  for (int k = 0; k < maxLayers; ++k) {
    std::vector<std::pair<int, int>> cells;
    const int a = arm - k;
    const int b = armY - k;
    if (a < 0) break;
    for (int j = -std::max(b, thick); j <= std::max(b, thick); ++j)
      for (int i = -std::max(a, thick); i <= std::max(a, thick); ++i) {
        const bool horizontal = std::abs(j) <= thick && std::abs(i) <= a;
        const bool vertical = std::abs(i) <= thick && std::abs(j) <= b;
        if (horizontal || vertical) cells.emplace_back(i, j);
      }
    if (cells.empty()) break;
    append(tiles, fromCells(cells, k));
  }
  return tiles;
}

// Rows shrinking by one tile per row away from the middle, each row centred, so the edges step by
// half a tile.
TILES diamond(int size, int maxLayers) {
  const int widest = 5 + size;
  if (widest > 16) return {};
  TILES tiles;
  for (int k = 0; k < maxLayers; ++k) {
    const int rowsEachSide = std::min(3, widest - 2 * k - 1);
    if (widest - 2 * k < 1) break;
    for (int j = -rowsEachSide; j <= rowsEachSide; ++j) {
      const int length = widest - 2 * k - std::abs(j);
      for (int i = 0; i < length; ++i) add(tiles, -(length - 1) + 2 * i, 2 * j, k);
    }
  }
  return tiles;
}

// A walled yard with corner turrets and an island in the middle.
TILES frame(int size, int maxLayers) {
  const int width = 8 + size;
  const int height = std::min(width > 12 ? kRows - 1 : kRows, 5 + size / 3);
  if (width > 16) return {};
  TILES tiles;
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i)
      if (i == 0 || j == 0 || i == width - 1 || j == height - 1) add(tiles, 2 * i, 2 * j, 0);
  if (maxLayers > 1) {
    for (int i = 1; i + 1 < width; i += 2) add(tiles, 2 * i, 0, 1), add(tiles, 2 * i, 2 * (height - 1), 1);
    for (int layer = 1; layer < std::min(maxLayers, 3); ++layer) {
      add(tiles, 0, 0, layer);
      add(tiles, 2 * (width - 1), 0, layer);
      add(tiles, 0, 2 * (height - 1), layer);
      add(tiles, 2 * (width - 1), 2 * (height - 1), layer);
    }
  }
  if (width >= 8 && height >= 5) {
    TILES island;
    fAddRect(island, 4, 4, width - 4, height - 4, 0);
    append(tiles, stackUp(island, maxLayers, fRoofHalf));
  }
  return tiles;
}

// Block letters three tiles wide and five high.
const std::vector<std::string>& letter(char c) {
  static const std::vector<std::string> kG = {"###", "#..", "#.#", "#.#", "###"};
  static const std::vector<std::string> kO = {"###", "#.#", "#.#", "#.#", "###"};
  static const std::vector<std::string> kZ = {"###", "..#", ".#.", "#..", "###"};
  static const std::vector<std::string> kE = {"###", "#..", "##.", "#..", "###"};
  static const std::vector<std::string> kN = {"#.#", "###", "###", "#.#", "#.#"};
  static const std::vector<std::string> kJ = {"..#", "..#", "..#", "#.#", "###"};
  static const std::vector<std::string> kA = {".#.", "#.#", "###", "#.#", "#.#"};
  static const std::vector<std::string> kD = {"##.", "#.#", "#.#", "#.#", "##."};
  static const std::vector<std::string> kT = {"###", ".#.", ".#.", ".#.", ".#."};
  static const std::vector<std::string> kI = {"###", ".#.", ".#.", ".#.", "###"};
  static const std::vector<std::string> kL = {"#..", "#..", "#..", "#..", "###"};
  static const std::vector<std::string> kW = {"#.#", "#.#", "###", "###", "#.#"};
  static const std::vector<std::string> kX = {"#.#", "#.#", ".#.", "#.#", "#.#"};
  switch (c) {
    case 'G': return kG;
    case 'O': return kO;
    case 'Z': return kZ;
    case 'E': return kE;
    case 'N': return kN;
    case 'J': return kJ;
    case 'A': return kA;
    case 'D': return kD;
    case 'T': return kT;
    case 'I': return kI;
    case 'L': return kL;
    case 'W': return kW;
    default: return kX;
  }
}

TILES letters(int size, int maxLayers) {
  struct WORD {
    const char* text;
    int layers;
  };
  static const WORD kWords[] = {{"GO", 1}, {"ZEN", 1}, {"GO", 2}, {"JADE", 1}, {"ZEN", 2},
                                {"TILE", 2}, {"JADE", 2}, {"WIN", 3}, {"TILE", 3}, {"JADE", 3}};
  if (size >= static_cast<int>(std::size(kWords))) return {};
  const WORD& word = kWords[size];
  const int layers = std::min(word.layers, maxLayers);
  TILES tiles;
  int x = 0;
  for (const char* c = word.text; *c != '\0'; ++c, x += 8)
    for (int layer = 0; layer < layers; ++layer) fAddMask(tiles, x, 0, layer, letter(*c));
  return tiles;
}

// Columns rising in steps from left to right, or to a peak in the middle.
TILES steps(int size, int maxLayers, bool peak) {
  const int cols = 6 + size;
  const int rows = std::min(kRows, 3 + size / 3);
  if (cols > 16) return {};
  TILES tiles;
  for (int i = 0; i < cols; ++i) {
    const int rise = peak ? std::min(i, cols - 1 - i) : i;
    const int height = std::min(maxLayers - 1, rise / 2);
    for (int layer = 0; layer <= height; ++layer) fAddRect(tiles, 2 * i, 0, 1, rows, layer);
  }
  return tiles;
}

TILES stairs(int size, int maxLayers) { return steps(size, maxLayers, false); }
TILES mountain(int size, int maxLayers) { return steps(size, maxLayers, true); }

// Two wings that widen away from a raised body.
TILES butterfly(int size, int maxLayers) {
  const int span = 2 + size / 2;
  if (2 * span + 1 > 16) return {};
  TILES base;
  for (int j = -3; j <= 3; ++j) {
    const int reach = std::max(1, span - (3 - std::abs(j)) * span / 5);
    for (int i = 1; i <= reach; ++i) add(base, 2 * i, 2 * j, 0), add(base, -2 * i, 2 * j, 0);
    if (std::abs(j) <= 2) add(base, 0, 2 * j, 0);
  }
  TILES tiles = stackUp(base, std::min(maxLayers, 2), fRoofStacked);
  for (int layer = 1; layer < maxLayers; ++layer)
    for (int j = -1; j <= 1; ++j)
      if (layer + std::abs(j) < maxLayers) add(tiles, 0, 2 * j, layer);
  return tiles;
}

// Walls, corner towers and a keep.
TILES fortress(int size, int maxLayers) {
  const int width = 9 + size;
  const int height = width > 12 ? kRows - 1 : std::min(kRows, 6 + size / 3);
  if (width > 16) return {};
  TILES tiles;
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i)
      if (i == 0 || j == 0 || i == width - 1 || j == height - 1) add(tiles, 2 * i, 2 * j, 0);
  const int towerTop = std::min(maxLayers - 1, 2);
  for (int layer = 1; layer <= towerTop; ++layer) {
    add(tiles, 1, 1, layer);
    add(tiles, 2 * width - 3, 1, layer);
    add(tiles, 1, 2 * height - 3, layer);
    add(tiles, 2 * width - 3, 2 * height - 3, layer);
  }
  TILES keep;
  fAddRect(keep, 6, 4, width - 6, height - 4, 0);
  append(tiles, stackUp(keep, maxLayers, fRoofHalf));
  // inner corners under the towers
  add(tiles, 2, 2, 0);
  add(tiles, 2 * width - 4, 2, 0);
  add(tiles, 2, 2 * height - 4, 0);
  add(tiles, 2 * width - 4, 2 * height - 4, 0);
  return tiles;
}

// An arrow pointing right: a shaft one or three rows thick and a triangular head.
TILES arrow(int size, int maxLayers) {
  const int half = std::min(3, 2 + size / 3);  // head rows above and below the middle row
  const int shaft = 3 + size;                  // shaft length in tiles
  const int thick = size >= 4 ? 1 : 0;         // shaft rows above and below the middle row
  if (shaft + half + 1 > 16) return {};
  std::set<std::pair<int, int>> cells;
  for (int j = -thick; j <= thick; ++j)
    for (int i = 0; i < shaft; ++i) cells.insert({i, j});
  for (int c = 0; c <= half; ++c)
    for (int j = -(half - c); j <= half - c; ++j) cells.insert({shaft + c, j});
  TILES base;
  for (const auto& [i, j] : cells) add(base, 2 * i, 2 * j, 0);
  return stackUp(base, maxLayers, size % 2 == 0 ? fRoofStacked : fRoofHalf);
}

TILES heart(int size, int maxLayers) {
  static const std::vector<std::vector<std::string>> kMasks = {
      {".##.##.", "#######", "#######", ".#####.", "..###..", "...#..."},
      {".###.###.", "#########", "#########", ".#######.", "..#####..", "...###...", "....#...."},
      {".####.####.", "###########", "###########", "###########", "..#######..", "....###....", ".....#....."},
      {".#####.#####.", "#############", "#############", "#############", "..#########..", "....#####....",
       "......#......"},
      {"..######.######..", ".###############.", "#################", ".###############.", "...###########...",
       ".....#######.....", ".......###......."},
  };
  if (size >= static_cast<int>(kMasks.size()) * 2) return {};
  TILES base;
  fAddMask(base, 0, 0, 0, kMasks[static_cast<std::size_t>(size / 2)]);
  return stackUp(base, maxLayers, size % 2 == 0 ? fRoofHalf : fRoofStacked);
}

// A raised heart with petals on its sides and corners.
TILES flower(int size, int maxLayers) {
  if (size > 6) return {};
  const int petal = 2 + size / 3;  // petal width in tiles
  TILES tiles;
  TILES heartBlock;
  fAddRect(heartBlock, -2, -2, 3, 3, 0);
  append(tiles, stackUp(heartBlock, maxLayers, fRoofHalf));
  const auto addPetal = [&](int x, int y, int cols, int rows) {
    TILES leaf;
    fAddRect(leaf, x, y, cols, rows, 0);
    append(tiles, stackUp(leaf, std::min(maxLayers, 2 + size / 3), fRoofHalf));
  };
  // east and west, one tile apart from the heart
  addPetal(6, -2, petal, 3);
  addPetal(-6 - 2 * (petal - 1), -2, petal, 3);
  // north and south, touching it
  if (size >= 1) {
    addPetal(-1, -6, 2, 2);
    addPetal(-1, 4, 2, 2);
  }
  // corners
  if (size >= 2) {
    for (int sx : {-1, 1})
      for (int sy : {-1, 1}) addPetal(sx > 0 ? 4 : -6, sy > 0 ? 4 : -6, 2, 2);
  }
  if (size >= 4) {
    addPetal(8 + 2 * (petal - 1), -6, 1, 2);
    addPetal(-8 - 2 * (petal - 1), -6, 1, 2);
    addPetal(8 + 2 * (petal - 1), 4, 1, 2);
    addPetal(-8 - 2 * (petal - 1), 4, 1, 2);
  }
  return tiles;
}

// Columns side by side, each under half-set roofs.
TILES combs(int size, int maxLayers) {
  const int width = size >= 6 ? 3 : 2;
  const int columns = std::min(3 + size / 2, 17 / (width + 1));
  const int rows = std::min(kRows, 3 + size / 2);
  if (columns * (width + 1) - 1 > 16 || size > 11) return {};
  TILES tiles;
  for (int c = 0; c < columns; ++c) {
    TILES column;
    fAddRect(column, 2 * (width + 1) * c, 0, width, rows, 0);
    append(tiles, stackUp(column, maxLayers, fRoofHalf));
  }
  return tiles;
}

TILES twins(int size, int maxLayers) {
  const int cols = 3 + size / 2;
  const int rows = std::min(kRows, 3 + (size + 1) / 2);
  if (2 * cols + 1 > 16) return {};
  TILES tiles;
  for (int side = 0; side < 2; ++side) {
    TILES base;
    fAddRect(base, side * 2 * (cols + 1), 0, cols, rows, 0);
    append(tiles, stackUp(base, maxLayers, fRoofHalf));
  }
  fAddRect(tiles, 2 * cols, 2 * (rows - 1), 1, 1, 0);
  return tiles;
}

TILES hourglass(int size, int maxLayers) {
  const int widest = 5 + size;
  if (widest > 16) return {};
  TILES tiles;
  for (int k = 0; k < maxLayers; ++k) {
    bool any = false;
    for (int j = -3; j <= 3; ++j) {
      const int length = widest - 2 * k - (3 - std::abs(j));
      if (length < 1 || (k > 0 && std::abs(j) == 3)) continue;
      any = true;
      for (int i = 0; i < length; ++i) add(tiles, -(length - 1) + 2 * i, 2 * j, k);
    }
    if (!any) break;
  }
  return tiles;
}

// A band of columns that rise and fall by half tiles; the columns away from the middle line carry
// one or two more layers, each half a tile lower than the one below.
TILES wave(int size, int maxLayers) {
  const int cols = 8 + size;
  const int rows = std::min(5, 3 + size / 3);
  if (cols > 16) return {};
  static const int kLift[8] = {0, 1, 2, 2, 1, 0, -1, -1};
  TILES tiles;
  for (int i = 0; i < cols; ++i) {
    const int lift = kLift[i % 8];
    for (int layer = 0; layer < maxLayers && layer <= std::abs(lift); ++layer)
      for (int j = 0; j < rows - layer; ++j) add(tiles, 2 * i, 2 * j - lift + layer, layer);
  }
  return tiles;
}

// Nested frames, each half a tile inside the one below, around a chequered yard.
TILES rings(int size, int maxLayers) {
  const int width = 7 + size;
  const int height = std::min(kRows, 5 + size / 2);
  if (width > 16) return {};
  TILES tiles;
  for (int k = 0; k < maxLayers; ++k) {
    const int w = width - k;
    const int h = height - k;
    if (w < 2 || h < 2) break;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        const bool border = i == 0 || j == 0 || i == w - 1 || j == h - 1;
        const bool yard = k == 0 && i >= 2 && j >= 2 && i < w - 2 && j < h - 2 && (i + j) % 2 == 0;
        if (border || yard) add(tiles, k + 2 * i, k + 2 * j, k);
      }
  }
  return tiles;
}

}  // namespace

void fAddRect(std::vector<QS_GRID_TILE>& tiles, int x, int y, int cols, int rows, int layer) {
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < cols; ++i) add(tiles, x + 2 * i, y + 2 * j, layer);
}

void fAddMask(std::vector<QS_GRID_TILE>& tiles, int x, int y, int layer, const std::vector<std::string>& rows) {
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      if (rows[r][c] == '#') add(tiles, x + 2 * static_cast<int>(c), y + 2 * static_cast<int>(r), layer);
}

std::vector<QS_GRID_TILE> fRoofStacked(const std::vector<QS_GRID_TILE>& layer) {
  std::set<std::pair<int, int>> at;
  for (const QS_GRID_TILE& t : layer) at.insert({t.x, t.y});
  TILES roof;
  for (const QS_GRID_TILE& t : layer)
    if (at.count({t.x - 2, t.y}) && at.count({t.x + 2, t.y}) && at.count({t.x, t.y - 2}) && at.count({t.x, t.y + 2}))
      add(roof, t.x, t.y, t.layer + 1);
  return roof;
}

std::vector<QS_GRID_TILE> fRoofHalf(const std::vector<QS_GRID_TILE>& layer) {
  std::set<std::pair<int, int>> at;
  for (const QS_GRID_TILE& t : layer) at.insert({t.x, t.y});
  TILES roof;
  for (const QS_GRID_TILE& t : layer)
    if (at.count({t.x + 2, t.y}) && at.count({t.x, t.y + 2}) && at.count({t.x + 2, t.y + 2}))
      add(roof, t.x + 1, t.y + 1, t.layer + 1);
  return roof;
}

const std::vector<QS_SHAPE_FAMILY>& fShapeFamilies() {
  static const std::vector<QS_SHAPE_FAMILY> kFamilies = {
      {"pyramid", pyramid}, {"turtle", turtle},     {"towers", towers},       {"bridge", bridge},
      {"cross", cross},     {"diamond", diamond},   {"frame", frame},         {"letters", letters},
      {"stairs", stairs},   {"mountain", mountain}, {"butterfly", butterfly}, {"fortress", fortress},
      {"arrow", arrow},     {"heart", heart},       {"flower", flower},       {"combs", combs},
      {"twins", twins},     {"hourglass", hourglass}, {"wave", wave},         {"rings", rings},
      {"ziggurat", ziggurat},
  };
  return kFamilies;
}

}  // namespace QOR
