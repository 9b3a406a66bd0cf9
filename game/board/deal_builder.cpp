// The solvable deal. The builder plays the board backwards, repeatedly taking two chips that are
// free on a working copy of the board, giving them a matching face and taking them off. The order
// it takes pairs off in is a complete solution. Its passes are greedy and never go back: only
// when every one of them leaves tiles unpaired does it search for a complete order (deal_search.h)
// and, when there is one, deal the board in that order.
//
// Special tiles come first: each is freed by taking off the free chip nearest to it (with any
// other free chip) until it is free, then paired; the pairs taken in the passes that ended with a
// special pair make the deal's move count. The rest is paired in list order. Chips in flight keep
// their faces and take no part; fixed faces take part with the face they have (a partner takes
// it, and two fixed chips pair only when they match), so that the solution covers them too.
//
// Which chips are paired never depends on a face drawn: two chips without fixed faces always take
// one, so only the fixed faces, the layout, the choice of special tiles and (in a mixed re-deal)
// the order drawn decide it. The two fixed orders (every special candidate freed first, or none)
// draw nothing that decides a pair: their pairs follow from the layout and the fixed faces alone;
// so does the search's order, which does not look at the special tiles either.
//
// The order of every step and every random draw is the order the move count and the shipped
// levels were made with; do not reorder. Where the original passes could only repeat themselves
// (nothing changes between them and nothing is drawn), they stop early with the same result. Only
// a degraded deal's further runs draw more: the order a re-deal takes the tiles in, the special
// tiles of a fixed-order deal.
#include "engine/platform/qc_random.h"
#include "engine/service/qc_log.h"
#include "game/board/deal_search.h"
#include "game/board/mahjong_board.h"
#include "game/board/mahjong_chip.h"
#include "game/board/tile_faces.h"

#include <algorithm>
#include <cmath>
#include <numeric>

using MAHJONG_FACES::kFaceCount;

// Which tiles a first deal frees before the rest: the special tiles drawn, every special
// candidate (only those drawn stay special), or none.
enum class DEAL_ORDER { kDrawn, kEveryCandidate, kPlain };

struct MAHJONG_BOARD::DEAL_RUN {
  CHIP_LIST remaining;     // not taken off yet
  CHIP_LIST taken;         // in the order taken off, chips in flight first
  std::vector<int> moves;  // pairs of each special pass
  std::size_t kept = 0;    // chips in flight at the front of the taken list
  bool variable = false;   // the special tiles were drawn: another run may take other pairs
  bool mixed = false;      // the tiles are taken in an order drawn at random
  DEAL_ORDER order = DEAL_ORDER::kDrawn;
  bool degraded = false;   // a pair was forced, or a special tile missed its passes
  int unpaired = 0;        // tiles not paired legally: forced while blocked, or left over
};

// What a deal changes on the chips, to deal again from the same start.
struct MAHJONG_BOARD::DEAL_SNAPSHOT {
  struct STATE {
    std::int32_t type;
    bool special;
    bool free;
    QOR::QC_SPRITE* sprite;
  };
  explicit DEAL_SNAPSHOT(const CHIP_LIST& chips) {
    states.reserve(chips.size());
    for (const MAHJONG_CHIP* chip : chips)
      states.push_back({chip->m_type, chip->m_isSpecial, chip->bFreee, chip->m_sprite});
  }
  void Restore(const CHIP_LIST& chips) const {
    for (std::size_t i = 0; i < chips.size() && i < states.size(); ++i) {
      chips[i]->m_type = states[i].type;
      chips[i]->m_isSpecial = states[i].special;
      chips[i]->bFreee = states[i].free;
      chips[i]->m_sprite = states[i].sprite;
    }
  }
  std::vector<STATE> states;
};

namespace {

void TakeOut(MAHJONG_BOARD::CHIP_LIST& list, const MAHJONG_CHIP* chip) {
  const auto at = std::find(list.begin(), list.end(), chip);
  if (at != list.end()) list.erase(at);
}

float Distance(const MAHJONG_CHIP& a, const MAHJONG_CHIP& b) {
  const float dx = a.m_cell.x - b.m_cell.x;
  const float dy = a.m_cell.y - b.m_cell.y;
  const auto dz = static_cast<float>(a.m_layer - b.m_layer);
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

void MAHJONG_BOARD::AlternBuildPath(bool reshuffle) {
  if (std::none_of(std::begin(m_suits), std::end(m_suits), [](std::uint8_t on) { return on != 0; })) {
    QOR::fLog() << "no suit enabled: every suit is dealt";
  }
  const DEAL_SNAPSHOT start(m_chips);
  m_dealSearch = kNotSearched;
  DEAL_ORDER order = DEAL_ORDER::kDrawn;
  for (int runNumber = 1;; ++runNumber) {
    DEAL_RUN run;
    // A re-deal keeps its special tiles, so its pairs follow from the board's order alone: dealt
    // again, it takes the tiles in an order drawn at random instead of the top layers first.
    run.mixed = reshuffle && runNumber > 1;
    run.order = order;
    if (!BuildPathOnce(reshuffle, run)) {
      m_dealOrder.clear();
      m_dealRuns = runNumber;
      m_dealDegraded = false;
      m_dealUnpaired = 0;
      return;
    }
    if (run.degraded && order == DEAL_ORDER::kDrawn) {
      // A first deal takes other pairs only with another choice of special tiles; without a choice
      // every run would degrade the same way. A re-deal takes other pairs in its mixed order.
      if ((run.variable || reshuffle) && runNumber < kDealRuns) {
        QOR::fLog() << "degraded deal, dealing again (run " << runNumber + 1 << " of " << kDealRuns << ")";
        start.Restore(m_chips);
        continue;
      }
      // A first deal then takes the fixed orders of the level check (FixedOrderDeal), in its
      // order, which pair every tile of a level that passed it.
      if (!reshuffle) {
        order = DEAL_ORDER::kEveryCandidate;
        QOR::fLog() << "degraded deal, dealing again in a fixed order";
        start.Restore(m_chips);
        continue;
      }
    }
    if (run.degraded && order == DEAL_ORDER::kEveryCandidate) {
      order = DEAL_ORDER::kPlain;
      QOR::fLog() << "degraded deal, dealing again without freeing the special tiles first";
      start.Restore(m_chips);
      continue;
    }
    // Every greedy order degraded: the search may find an order that pairs every tile legally.
    if (run.degraded) SearchRun(reshuffle, start, run);
    TakeRun(run, runNumber);
    return;
  }
}

int MAHJONG_BOARD::FixedOrderDeal() {
  const DEAL_SNAPSHOT start(m_chips);
  m_dealSearch = kNotSearched;
  DEAL_RUN run;
  run.order = DEAL_ORDER::kPlain;
  if (!BuildPathOnce(false, run)) {
    m_dealOrder.clear();
    m_dealRuns = 1;
    m_dealDegraded = false;
    m_dealUnpaired = 0;
    return -1;
  }
  // Without a special phase only the rest phase degrades, and only by leaving tiles unpaired.
  if (run.unpaired > 0) SearchRun(false, start, run);
  TakeRun(run, 1);
  return m_dealUnpaired;
}

bool MAHJONG_BOARD::SearchRun(bool reshuffle, const DEAL_SNAPSHOT& start, DEAL_RUN& run) {
  CHIP_LIST standing;
  for (MAHJONG_CHIP* chip : m_chips)
    if (!chip->m_removing) standing.push_back(chip);
  if (standing.size() > static_cast<std::size_t>(kMaxDealTiles)) return false;
  DEAL_SEARCH search(*this, standing);
  m_dealSearch = search.Run(kSearchPositions);
  QOR::fLog() << "the deal's search visited " << search.GetPositions() << " positions: "
              << (m_dealSearch == kSearchFound  ? "an order pairs every tile"
                  : m_dealSearch == kSearchNone ? "no order pairs every tile"
                                                : "undecided");
  if (m_dealSearch != kSearchFound) return false;
  // Dealt from the same start as every run, the pairs taken in the order found.
  start.Restore(m_chips);
  DEAL_RUN found;
  found.order = DEAL_ORDER::kPlain;
  if (!StartRun(reshuffle, found)) return false;
  const CHIP_LIST& order = search.GetOrder();
  for (std::size_t k = 0; k + 1 < order.size(); k += 2) {
    AssignTileTypes(order[k], order[k + 1]);
    found.taken.push_back(order[k]);
    found.taken.push_back(order[k + 1]);
    TakeOut(found.remaining, order[k]);
    TakeOut(found.remaining, order[k + 1]);
  }
  if (!reshuffle) {
    m_dealMoveCount = static_cast<std::int32_t>(LastSpecialPair(found));
    QOR::fLog() << " TOTAL = " << m_dealMoveCount << " MOVES !";
  }
  run = std::move(found);
  return true;
}

void MAHJONG_BOARD::TakeRun(DEAL_RUN& run, int runNumber) {
  m_dealRuns = runNumber;
  m_dealDegraded = run.degraded;
  m_dealUnpaired = run.unpaired;
  if (run.unpaired > 0) QOR::fLog() << "the deal cannot pair " << run.unpaired << " of the tiles";
  // Chips the deal could not pair leave the board (the board owns them, so it deletes them),
  // except those of a fixed face, which stay with it as the level gave them.
  m_dealOrder = run.taken;
  m_chips = run.taken;
  CHIP_LIST dropped;
  for (MAHJONG_CHIP* chip : run.remaining) (chip->m_fixed ? m_chips : dropped).push_back(chip);
  SortChips(1, false);
  for (MAHJONG_CHIP* chip : dropped) {
    QOR::fLog() << "a chip without a pair leaves the board";
    DeleteChip(chip);
  }
  QOR::fLog() << "altern build path end ////////////// ";
}

bool MAHJONG_BOARD::StartRun(bool reshuffle, DEAL_RUN& run) {
  QOR::fLog() << "altern build path start ///////////////////";
  if (!reshuffle) {
    if (!fScatterSpecials()) {
      QOR::fLog() << " fScatterSpecials()==false ";
      return false;
    }
    run.variable = m_scatterDrawn;
  }
  std::fill(std::begin(m_faceUse), std::end(m_faceUse), 0);
  run.remaining = m_chips;
  // Chips in flight keep their faces (a flower or season may turn into another of its group) and
  // leave the simulation: they block nothing from here on.
  for (std::size_t i = 0; i < run.remaining.size();) {
    MAHJONG_CHIP* chip = run.remaining[i];
    if (!chip->m_removing) {
      ++i;
      continue;
    }
    if (chip->isFlower()) {
      chip->m_type = Draw(MAHJONG_FACES::kFirstFlower, MAHJONG_FACES::kLastFlower);
    } else if (chip->isSeason()) {
      chip->m_type = Draw(MAHJONG_FACES::kFirstSeason, MAHJONG_FACES::kLastSeason);
    }
    run.taken.push_back(chip);
    run.remaining.erase(run.remaining.begin() + static_cast<std::ptrdiff_t>(i));
  }
  run.kept = run.taken.size();
  UpdateFreeInList(run.remaining);
  return true;
}

std::size_t MAHJONG_BOARD::LastSpecialPair(const DEAL_RUN& run) {
  std::size_t last = 0;
  for (std::size_t i = run.kept; i < run.taken.size(); ++i) {
    if (run.taken[i]->m_isSpecial) last = (i - run.kept) / 2 + 1;
  }
  return last;
}

bool MAHJONG_BOARD::BuildPathOnce(bool reshuffle, DEAL_RUN& run) {
  if (!StartRun(reshuffle, run)) return false;
  if (run.mixed) {
    for (std::size_t i = run.remaining.size(); i > 1; --i) {
      std::swap(run.remaining[i - 1], run.remaining[static_cast<std::size_t>(Draw(0, static_cast<int>(i) - 1))]);
    }
  } else {
    SortChips(-1, false, &run.remaining);
  }
  if (run.order == DEAL_ORDER::kDrawn) {
    SpecialPhase(run);
  } else if (run.order == DEAL_ORDER::kEveryCandidate) {
    // Every candidate is freed first; only those drawn stay special.
    CHIP_LIST drawn;
    for (MAHJONG_CHIP* chip : m_specialPositions) {
      if (chip->m_isSpecial) drawn.push_back(chip);
      chip->m_isSpecial = true;
    }
    SpecialPhase(run);
    for (MAHJONG_CHIP* chip : m_specialPositions) chip->m_isSpecial = false;
    for (MAHJONG_CHIP* chip : drawn) chip->m_isSpecial = true;
  }
  const bool drawnOrder = run.order == DEAL_ORDER::kDrawn;
  int moves = std::accumulate(run.moves.begin(), run.moves.end(), 0);
  if (!reshuffle && drawnOrder) {
    m_dealMoveCount = moves;
    QOR::fLog() << " TOTAL = " << m_dealMoveCount << " MOVES !";
  }
  RestPhase(run);
  // The move count covers the passes that ended with their special tile paired: a special tile
  // taken off in any other pass, or in the rest phase, lies beyond it.
  const std::size_t lastSpecialPair = LastSpecialPair(run);
  // A fixed order counts the pairs up to its last special pair.
  if (!drawnOrder) {
    moves = static_cast<int>(lastSpecialPair);
    m_dealMoveCount = moves;
    QOR::fLog() << " TOTAL = " << m_dealMoveCount << " MOVES !";
  }
  if (lastSpecialPair > static_cast<std::size_t>(moves)) {
    QOR::fLog() << "special tiles taken off beyond the move count";
    run.degraded = true;
  }
  return true;
}

MAHJONG_CHIP* MAHJONG_BOARD::PairPartner(CHIP_LIST& list, MAHJONG_CHIP* chip, const char* failureLog, bool& noFree) {
  noFree = true;
  for (MAHJONG_CHIP* other : list) {
    if (other == chip || !other->bFreee) continue;
    noFree = false;
    const int result = AssignTileTypes(other, chip);
    if (result == 0) return other;
    QOR::fLog() << failureLog << result;
  }
  return nullptr;
}

void MAHJONG_BOARD::SpecialPhase(DEAL_RUN& run) {
  CHIP_LIST& remaining = run.remaining;
  for (int pass = 0;; ++pass) {
    QOR::fLog() << "do while specchip " << pass;
    if (pass >= kSpecialPasses) break;
    MAHJONG_CHIP* special = nullptr;
    for (MAHJONG_CHIP* chip : remaining) {
      if (chip->m_isSpecial && chip->isAvailable()) {
        special = chip;
        break;
      }
    }
    if (special == nullptr) {
      for (MAHJONG_CHIP* chip : remaining) {
        if (chip->m_isSpecial) {
          special = chip;
          break;
        }
      }
    }
    if (special == nullptr) break;

    int pairs = 0;
    MAHJONG_CHIP* excluded = nullptr;
    // An attempt that takes nothing off changes nothing, so its result depends on the excluded
    // chip alone: once an exclusion repeats since the last pair, all later attempts repeat too.
    CHIP_LIST tried;
    for (int attempt = 0; !special->bFreee && attempt < kFreeAttempts; ++attempt) {
      if (std::find(tried.begin(), tried.end(), excluded) != tried.end()) break;
      tried.push_back(excluded);
      QOR::fLog() << " while specchip->bFreee!=true " << attempt;
      MAHJONG_CHIP* nearest = nullptr;
      float nearestDistance = 0.0f;
      for (MAHJONG_CHIP* chip : remaining) {
        if (!chip->bFreee || chip == excluded) continue;
        const float distance = Distance(*chip, *special);
        if (nearest == nullptr || distance < nearestDistance) {
          nearest = chip;
          nearestDistance = distance;
        }
      }
      if (nearest == nullptr) {
        QOR::fLog() << " no moves left but there's still " << remaining.size() << " tiles left";
      } else {
        bool noFree = false;
        MAHJONG_CHIP* partner = PairPartner(remaining, nearest, "closest assign  res == ", noFree);
        if (partner != nullptr) {
          run.taken.push_back(partner);
          run.taken.push_back(nearest);
          TakeOut(remaining, partner);
          TakeOut(remaining, nearest);
          UpdateFreeInList(remaining);
          QOR::fLog() << "remove closest";
          ++pairs;
          tried.clear();
        } else if (noFree) {
          QOR::fLog() << "NO PAIR FOR CLOSEST LEFT";
        }
      }
      excluded = nearest;
    }

    const bool covered = !special->bFreee;
    bool noFree = false;
    MAHJONG_CHIP* partner = PairPartner(remaining, special, "specchip assign  res == ", noFree);
    if (partner != nullptr) {
      if (covered) {
        QOR::fLog() << "special tile paired while covered";
        run.degraded = true;
      }
      run.taken.push_back(partner);
      run.taken.push_back(special);
      TakeOut(remaining, partner);
      TakeOut(remaining, special);
      UpdateFreeInList(remaining);
      ++pairs;
      run.moves.push_back(pairs);
    } else if (pairs == 0) {
      // Nothing was taken off and nothing drawn: every later pass would be this one again.
      break;
    }
  }
}

void MAHJONG_BOARD::RestPhase(DEAL_RUN& run) {
  CHIP_LIST& remaining = run.remaining;
  QOR::fLog() << "assign what left " << remaining.size();
  UpdateFreeInList(remaining);
  // From the first pass that cannot go on legally, every tile still left is not paired legally.
  const auto stuck = [&run, &remaining] {
    if (run.unpaired == 0) run.unpaired = static_cast<int>(remaining.size());
    // A single chip left over is only the odd chip of an odd board.
    if (remaining.size() > 1) run.degraded = true;
  };
  for (int pass = 0; !remaining.empty() && pass < kRestPasses; ++pass) {
    QOR::fLog() << " do while tiles.empty() != true " << pass;
    int seen = 0;
    bool paired = false;
    for (std::size_t i = 0; i < remaining.size(); ++i) {
      MAHJONG_CHIP* chip = remaining[i];
      if (!chip->bFreee) continue;
      ++seen;
      for (std::size_t j = i; j < remaining.size(); ++j) {
        MAHJONG_CHIP* other = remaining[j];
        if (other == chip || !other->bFreee) continue;
        ++seen;
        const int result = AssignTileTypes(chip, other);
        if (result == 0) {
          run.taken.push_back(chip);
          run.taken.push_back(other);
          remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(j));
          remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(i));
          UpdateFreeInList(remaining);
          paired = true;
          break;
        }
        QOR::fLog() << "specchip assign  res == " << result;
      }
    }
    if (seen < 2 && !remaining.empty()) {
      QOR::fLog() << "unresolved tiles left!";
      // The next pass pairs them as they lie: the deal is no longer a legal solution.
      stuck();
      for (MAHJONG_CHIP* left : remaining) left->bFreee = true;
    } else if (!paired && !remaining.empty()) {
      // Free chips were there, but every pair of them was two fixed faces that do not match, and
      // a refused pair draws nothing: every later pass would be this one again.
      stuck();
      break;
    }
    // The odd chip: no partner, not taken, it leaves the board.
    if (remaining.size() == 1) {
      stuck();
      break;
    }
  }
  if (!remaining.empty()) stuck();
}

bool MAHJONG_BOARD::FacePassesSuits(int face) const {
  const bool any = std::any_of(std::begin(m_suits), std::end(m_suits), [](std::uint8_t on) { return on != 0; });
  if (!any) return true;
  const MAHJONG_FACES::SUIT suit = MAHJONG_FACES::SuitOfFace(face);
  return suit != MAHJONG_FACES::kSuitCount && m_suits[suit] != 0;
}

int MAHJONG_BOARD::DrawFace() {
  for (;;) {
    const int face = Draw(0, kFaceCount - 1);
    if (!FacePassesSuits(face)) continue;
    if (m_faceUse[face] < kPairsPerFace) return face;
    QOR::fLog() << "OUT OF TILES TYPE " << face;
    for (int other = 0; other < kFaceCount; ++other) {
      if (m_faceUse[other] <= kPairsPerFace - 1 && FacePassesSuits(other)) {
        QOR::fLog() << "FOUND TYPE " << other;
        return other;
      }
    }
    std::fill(std::begin(m_faceUse), std::end(m_faceUse), 0);
    QOR::fLog() << "memset!!!!!!!!";
  }
}

int MAHJONG_BOARD::AssignTileTypes(MAHJONG_CHIP* first, MAHJONG_CHIP* second) {
  if (first == nullptr || second == nullptr) return -1;
  int face = 0;
  if (!first->m_fixed && !second->m_fixed) {
    face = DrawFace();
    ++m_faceUse[face];
  } else if (first->m_fixed && second->m_fixed) {
    if (!first->isMatch(second)) return -1;
    face = first->m_type;
  } else {
    face = first->m_fixed ? first->m_type : second->m_type;
  }
  // A flower or season pair shows two different faces of its group.
  int firstFace = face;
  if (MAHJONG_FACES::isFlower(face)) {
    do {
      firstFace = Draw(MAHJONG_FACES::kFirstFlower, MAHJONG_FACES::kLastFlower);
    } while (firstFace == face);
  } else if (MAHJONG_FACES::isSeason(face)) {
    do {
      firstFace = Draw(MAHJONG_FACES::kFirstSeason, MAHJONG_FACES::kLastSeason);
    } while (firstFace == face);
  }
  first->m_sprite = m_faceSprite;
  second->m_sprite = m_faceSprite;
  first->m_type = firstFace;
  second->m_type = face;
  QOR::fLog() << "done assign ";
  return 0;
}

bool MAHJONG_BOARD::fScatterSpecials() {
  CHIP_LIST candidates;
  for (MAHJONG_CHIP* chip : m_chips) {
    if (chip->m_isSpecial) candidates.push_back(chip);
  }
  m_scatterDrawn = false;
  if (candidates.empty()) return true;
  m_specialPositions = candidates;
  const int wanted = m_specsTotal > 0 ? m_specsTotal : static_cast<int>(candidates.size());
  m_scatterDrawn = wanted > 0 && wanted < static_cast<int>(candidates.size());
  if (static_cast<int>(candidates.size()) < wanted) {
    QOR::fLog() << "amount of special tiles exceeds amount of possible positions ";
    return false;
  }
  for (int i = 0; i < wanted; ++i) {
    const int pick = GetRandom()->fRandInt(0, static_cast<int>(candidates.size()));
    candidates.erase(candidates.begin() + pick);
  }
  for (MAHJONG_CHIP* chip : candidates) chip->m_isSpecial = false;
  return true;
}
