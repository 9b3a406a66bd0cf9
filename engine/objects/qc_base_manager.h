// The owner of free-standing message-driven objects: one list kept in descending Z, an update pass
// per tick (highest Z first) and a render pass per frame (lowest Z first), each filtered by the
// objects' levels; objects answering -113 to their update are deleted. Lookups, broadcasts,
// detaching and deleting by name, and a diagnostic table in the log.
//
// Entries may be null after a deletion or a detach until the next update pass erases them. Every
// walk goes by index, so an object's handler may add, detach or delete objects while a pass runs:
// nothing is visited twice, no freed object is visited, and the sort never sees a null entry.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/objects/qc_id.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace QOR {

class QC_BASE_MANAGER {
 public:
  // Filter modes: how an object's level L is compared with the filter level F.
  static constexpr int kFilterAtMost = 2;   // L <= F
  static constexpr int kFilterEqual = 3;    // L == F
  static constexpr int kFilterAtLeast = 5;  // L >= F
  static constexpr int kFilterNotEqual = 6; // L != F; any other mode lets every object pass

  // Empty list, both filters mode 5 level 1. The game's one manager is fGetInstance's; tests may
  // make their own.
  QC_BASE_MANAGER();
  // Frees only the list, never the objects (the manager lives until the process ends).
  ~QC_BASE_MANAGER() = default;
  QC_BASE_MANAGER(const QC_BASE_MANAGER&) = delete;
  QC_BASE_MANAGER& operator=(const QC_BASE_MANAGER&) = delete;

  // The one manager, made on first use.
  static QC_BASE_MANAGER* fGetInstance();

  // The sort order of the list, highest Z first: true exactly when a's Z is greater than b's;
  // false when either is null.
  static bool fCompareZ(const QC_BASE* a, const QC_BASE* b) {
    if (a == nullptr || b == nullptr) return false;
    return a->_z > b->_z;
  }
  // Whether a level passes a filter of that mode and level.
  static bool isPassing(std::uint8_t level, int mode, std::uint8_t filterLevel);

  // Appends the object at the back; the next update pass finds the break in the order and sorts.
  // A null object is not added.
  void fAdd(QC_BASE* object);
  // Erases the null entries, then sorts by fCompareZ (unstable: equal Z may change places).
  void fSort();
  // One update pass: message 1 to every object passing the update filter, front to back; -113
  // deletes the object, -109 ends the pass. Null entries are erased; a pass that found the Z
  // order broken re-sorts at its end.
  void fUpdate();
  // One render pass: message 2 to every object passing the render filter, back to front; -109
  // ends the pass, other answers are ignored.
  void fRender();

  void fSetUpdateFilter(std::uint8_t level, int mode) {
    _updateFilterLevel = level;
    _updateFilterMode = mode;
  }
  void fSetRenderFilter(std::uint8_t level, int mode) {
    _renderFilterLevel = level;
    _renderFilterMode = mode;
  }
  // Both filter levels back to 1; the modes stay.
  void fResetFilters() {
    _updateFilterLevel = 1;
    _renderFilterLevel = 1;
  }
  // Always false: they test no object, so a broadcast given a non-zero level reaches nothing.
  bool isUpdateLevel(std::uint8_t /*level*/) const { return false; }
  bool isRenderLevel(std::uint8_t /*level*/) const { return false; }

  // Sends the message to every object, front to back, matching every criterion given: name and
  // last name (null = any), id (0 = any), update and render level (0 = any, see isUpdateLevel).
  // The answer of the last object reached, 0 when none; answers are not acted on.
  int fSendMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d, const char* name,
                   const char* lastName, QC_ID idFilter, std::uint8_t updateLevel, std::uint8_t renderLevel);
  // The same broadcast, counting the objects reached. It stops after an object answering -109,
  // and after one answering -113, which it deletes; the count includes that object.
  int fSendMessageCount(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d,
                        const char* name, const char* lastName, QC_ID idFilter, std::uint8_t updateLevel,
                        std::uint8_t renderLevel);
  // The first object of that name, front to back, or null.
  QC_BASE* fFind(const char* name);
  // Deletes the first object whose name and id both match: 1; -1 with a log line when none does
  // (nothing changes).
  int fDelete(const char* name, QC_ID id);
  // Takes the first object of that name (and last name when given, id when non-zero) out of the
  // list without deleting it and hands it back with its manager mark cleared; null when none.
  QC_BASE* fDetach(const char* name, const char* lastName, QC_ID id);
  // Deletes every object and empties the list (shutdown and tests).
  void fDeleteAll();
  // The object table in the log: a header and one line per object.
  void fDump();

  // Entries, null ones included, front (highest Z) first.
  const std::deque<QC_BASE*>& fGetObjects() const { return _objects; }
  QC_BASE* fGetCurrent() const { return _current; }

 private:
  bool isMatching(const QC_BASE* object, const char* name, const char* lastName, QC_ID idFilter,
                  std::uint8_t updateLevel, std::uint8_t renderLevel) const;
  // Nulls every entry holding the object and forgets it as the current or previous object, so no
  // pointer to it survives; the caller deletes it or hands it back.
  void fForget(const QC_BASE* object);
  // Sends the message to the object at index i and settles its -113: the object is deleted once,
  // also when its own handler detached it before asking; one its handler had deleted is left
  // alone. The object's answer.
  int fSendAndSettle(std::size_t i, int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d);

  QC_BASE* _current;        // the object being visited; stays set between passes
  std::uint8_t _orderBreaks;  // Z order breaks found by the running update pass
  QC_BASE* _previous;       // the object visited before the current one
  std::uint8_t _updateFilterLevel;
  int _updateFilterMode;
  std::uint8_t _renderFilterLevel;
  int _renderFilterMode;
  std::uint8_t _renderMark;  // 0 after an update pass, 1 after a render pass over a non-empty list
  std::deque<QC_BASE*> _objects;
  // Set while a pass or a broadcast walks the list: the list is then only appended to and nulled,
  // never erased from or reordered, so every index the walk holds stays valid.
  bool _walking;
  // The object whose handler runs in fSendAndSettle (null once something deleted it), and whether
  // that handler detached it.
  QC_BASE* _sending;
  bool _sendingDetached;
};

}  // namespace QOR
