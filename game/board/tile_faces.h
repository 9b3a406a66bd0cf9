// Tile faces and suits. A face is 0..41 (-1 = none yet): digits 0-8, dots 9-17, bamboo 18-26,
// dragons 27-29, winds 30-33, flowers 34-37, seasons 38-41. Two faces match when they are equal,
// or both flowers, or both seasons.
//
// The board keeps one flag per suit in its own order (digits, dots, bamboo, dragons, winds,
// seasons, flowers), which differs from the order a level file lists them in (flowers before
// seasons): flags are always mapped by suit name, never by position.
#pragma once

namespace MAHJONG_FACES {

inline constexpr int kFaceCount = 42;
inline constexpr int kNoFace = -1;
// The tile atlas: 9 x 6 cells; faces first, then the three backs and the shadow.
inline constexpr int kAtlasColumns = 9;
inline constexpr int kAtlasRows = 6;
inline constexpr int kNormalBackFrame = 42;
inline constexpr int kBonusBackFrame = 43;
inline constexpr int kSpecialBackFrame = 44;
inline constexpr int kShadowFrame = 45;

inline constexpr int kFirstFlower = 34;
inline constexpr int kLastFlower = 37;
inline constexpr int kFirstSeason = 38;
inline constexpr int kLastSeason = 41;

inline bool isFlower(int face) { return face >= kFirstFlower && face <= kLastFlower; }
inline bool isSeason(int face) { return face >= kFirstSeason && face <= kLastSeason; }
inline bool isMatch(int a, int b) { return a == b || (isFlower(a) && isFlower(b)) || (isSeason(a) && isSeason(b)); }

// The board's suit flag indices.
enum SUIT {
  kSuitDigits = 0,
  kSuitDots = 1,
  kSuitBamboo = 2,
  kSuitDragons = 3,
  kSuitWinds = 4,
  kSuitSeasons = 5,
  kSuitFlowers = 6,
  kSuitCount = 7,
};

struct SUIT_INFO {
  const char* name;  // the level file's attribute
  SUIT flag;         // the board's flag
  int firstFace;
  int lastFace;
  int capacity;  // tiles of the suit in a full set
};

// In the level file's order (the writer's order).
inline constexpr SUIT_INFO kSuits[kSuitCount] = {
    {"digits", kSuitDigits, 0, 8, 36},     {"dots", kSuitDots, 9, 17, 36},    {"bamboo", kSuitBamboo, 18, 26, 36},
    {"dragons", kSuitDragons, 27, 29, 12}, {"winds", kSuitWinds, 30, 33, 16}, {"flowers", kSuitFlowers, 34, 37, 4},
    {"seasons", kSuitSeasons, 38, 41, 4},
};

// The board flag of the suit that holds the face; kSuitCount for a face outside 0..41.
inline SUIT SuitOfFace(int face) {
  for (const SUIT_INFO& suit : kSuits) {
    if (face >= suit.firstFace && face <= suit.lastFace) return suit.flag;
  }
  return kSuitCount;
}

}  // namespace MAHJONG_FACES
