#include "engine/objects/qc_base_manager.h"

#include "engine/service/qc_log.h"

#include <algorithm>
#include <cstddef>

namespace QOR {

namespace {

constexpr const char* kSeparator = "--------+---------------+---------------+---------------+---------------+";
constexpr const char* kHeader = "NAME    |   LAST_NAME   |       Z       |     Update    |     Render    | ";

// Marks a walk of the list for its lifetime; walks may not nest.
class WALK_GUARD {
 public:
  explicit WALK_GUARD(bool& walking) : _walking(walking) { _walking = true; }
  ~WALK_GUARD() { _walking = false; }
  WALK_GUARD(const WALK_GUARD&) = delete;
  WALK_GUARD& operator=(const WALK_GUARD&) = delete;

 private:
  bool& _walking;
};

}  // namespace

QC_BASE_MANAGER::QC_BASE_MANAGER()
    : _current(nullptr),
      _orderBreaks(0),
      _previous(nullptr),
      _updateFilterLevel(1),
      _updateFilterMode(kFilterAtLeast),
      _renderFilterLevel(1),
      _renderFilterMode(kFilterAtLeast),
      _renderMark(0),
      _walking(false),
      _sending(nullptr),
      _sendingDetached(false) {}

QC_BASE_MANAGER* QC_BASE_MANAGER::fGetInstance() {
  static QC_BASE_MANAGER manager;
  return &manager;
}

bool QC_BASE_MANAGER::isPassing(std::uint8_t level, int mode, std::uint8_t filterLevel) {
  switch (mode) {
    case kFilterAtMost:
      return level <= filterLevel;
    case kFilterEqual:
      return level == filterLevel;
    case kFilterAtLeast:
      return level >= filterLevel;
    case kFilterNotEqual:
      return level != filterLevel;
    default:
      return true;
  }
}

void QC_BASE_MANAGER::fAdd(QC_BASE* object) {
  if (object != nullptr) _objects.push_back(object);
}

void QC_BASE_MANAGER::fSort() {
  if (_walking) {
    // Reordering under a running walk would skip or repeat objects: the pass sorts at its end.
    if (_orderBreaks == 0) _orderBreaks = 1;
    return;
  }
  // The comparison treats null as equal to everything, which is no strict weak order: the nulls
  // are erased first, so the sort only ever compares objects.
  _objects.erase(std::remove(_objects.begin(), _objects.end(), nullptr), _objects.end());
  std::sort(_objects.begin(), _objects.end(), &QC_BASE_MANAGER::fCompareZ);
}

void QC_BASE_MANAGER::fForget(const QC_BASE* object) {
  for (QC_BASE*& entry : _objects) {
    if (entry == object) entry = nullptr;
  }
  if (_current == object) _current = nullptr;
  if (_previous == object) _previous = nullptr;
}

int QC_BASE_MANAGER::fSendAndSettle(std::size_t i, int id, std::intptr_t a, std::intptr_t b, std::intptr_t c,
                                    std::intptr_t d) {
  QC_BASE* entry = _objects[i];
  _sending = entry;
  _sendingDetached = false;
  const int result = entry->fMessage(id, a, b, c, d);
  // Null when the handler had the object deleted (fDelete, fDeleteAll): nothing is left to delete.
  const bool alive = _sending == entry;
  const bool detached = _sendingDetached;
  _sending = nullptr;
  _sendingDetached = false;
  // An object that asks to go is deleted exactly once: here when it is still in the list, or when
  // its own handler detached it and then asked (nobody else holds it to delete).
  if (result == QC_BASE::kDeleteMe && alive && (detached || _objects[i] == entry)) {
    fForget(entry);
    delete entry;
  }
  return result;
}

void QC_BASE_MANAGER::fUpdate() {
  _renderMark = 0;
  if (_objects.empty() || _walking) return;
  {
    WALK_GUARD guard(_walking);
    std::size_t i = 0;
    while (i < _objects.size()) {
      QC_BASE* entry = _objects[i];
      _previous = _current != nullptr ? _current : entry;
      _current = entry;
      if (entry == nullptr) {
        _objects.erase(_objects.begin() + static_cast<std::ptrdiff_t>(i));
        if (_objects.empty()) return;
        continue;
      }
      if (_previous != nullptr && entry->_z > _previous->_z && _orderBreaks < 255) ++_orderBreaks;
      if (!isPassing(entry->_updateLevel, _updateFilterMode, _updateFilterLevel)) {
        ++i;
        continue;
      }
      const int result = fSendAndSettle(i, QC_BASE::kMessageUpdate, 0, 0, 0, 0);
      if (result == QC_BASE::kStopPass) return;
      ++i;
    }
  }
  if (_orderBreaks != 0) {
    fSort();
    _orderBreaks = 0;
  }
}

void QC_BASE_MANAGER::fRender() {
  if (_objects.empty() || _walking) return;
  WALK_GUARD guard(_walking);
  _renderMark = 1;
  // Objects appended by a handler lie beyond the start index and wait for the next pass.
  for (std::size_t k = _objects.size(); k-- > 0;) {
    QC_BASE* entry = _objects[k];
    _current = entry;
    if (entry == nullptr) continue;
    if (!isPassing(entry->_renderLevel, _renderFilterMode, _renderFilterLevel)) continue;
    if (entry->fMessage(QC_BASE::kMessageRenderPass, 0, 0, 0, 0) == QC_BASE::kStopPass) return;
  }
}

bool QC_BASE_MANAGER::isMatching(const QC_BASE* object, const char* name, const char* lastName, QC_ID idFilter,
                                 std::uint8_t updateLevel, std::uint8_t renderLevel) const {
  if (name != nullptr && !object->isName(name)) return false;
  if (lastName != nullptr && !object->isLastName(lastName)) return false;
  if (idFilter.fGet() != 0 && !object->isId(idFilter)) return false;
  if (updateLevel != 0 && !isUpdateLevel(updateLevel)) return false;
  if (renderLevel != 0 && !isRenderLevel(renderLevel)) return false;
  return true;
}

int QC_BASE_MANAGER::fSendMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d,
                                  const char* name, const char* lastName, QC_ID idFilter, std::uint8_t updateLevel,
                                  std::uint8_t renderLevel) {
  if (_walking) return 0;
  WALK_GUARD guard(_walking);
  int result = 0;
  for (std::size_t i = 0; i < _objects.size(); ++i) {
    QC_BASE* entry = _objects[i];
    if (entry == nullptr) continue;
    _current = entry;
    if (!isMatching(entry, name, lastName, idFilter, updateLevel, renderLevel)) continue;
    result = entry->fMessage(id, a, b, c, d);
  }
  return result;
}

int QC_BASE_MANAGER::fSendMessageCount(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d,
                                       const char* name, const char* lastName, QC_ID idFilter,
                                       std::uint8_t updateLevel, std::uint8_t renderLevel) {
  if (_walking) return 0;
  WALK_GUARD guard(_walking);
  int count = 0;
  for (std::size_t i = 0; i < _objects.size(); ++i) {
    QC_BASE* entry = _objects[i];
    if (entry == nullptr) continue;
    _current = entry;
    if (!isMatching(entry, name, lastName, idFilter, updateLevel, renderLevel)) continue;
    ++count;
    const int result = fSendAndSettle(i, id, a, b, c, d);
    if (result == QC_BASE::kStopPass || result == QC_BASE::kDeleteMe) break;
  }
  return count;
}

QC_BASE* QC_BASE_MANAGER::fFind(const char* name) {
  if (name == nullptr) return nullptr;
  for (QC_BASE* entry : _objects) {
    if (entry == nullptr) continue;
    _current = entry;
    if (entry->isName(name)) return entry;
  }
  return nullptr;
}

int QC_BASE_MANAGER::fDelete(const char* name, QC_ID id) {
  if (name != nullptr) {
    for (std::size_t i = 0; i < _objects.size(); ++i) {
      QC_BASE* entry = _objects[i];
      if (entry == nullptr) continue;
      _current = entry;
      if (entry->isName(name) && entry->isId(id)) {
        fForget(entry);
        if (_sending == entry) _sending = nullptr;
        delete entry;
        return 1;
      }
    }
  }
  fLog() << "QC_BASE_MANAGER::fDelete: no object " << (name != nullptr ? name : "(null)");
  return -1;
}

QC_BASE* QC_BASE_MANAGER::fDetach(const char* name, const char* lastName, QC_ID id) {
  if (name == nullptr) return nullptr;
  for (std::size_t i = 0; i < _objects.size(); ++i) {
    QC_BASE* entry = _objects[i];
    if (entry == nullptr) continue;
    _current = entry;
    if (!entry->isName(name)) continue;
    if (lastName != nullptr && !entry->isLastName(lastName)) continue;
    if (id.fGet() != 0 && !entry->isId(id)) continue;
    fForget(entry);
    entry->_managerMark = 0;
    if (_sending == entry) _sendingDetached = true;
    return entry;
  }
  return nullptr;
}

void QC_BASE_MANAGER::fDeleteAll() {
  for (QC_BASE*& entry : _objects) {
    QC_BASE* object = entry;
    entry = nullptr;
    if (_sending == object) _sending = nullptr;
    delete object;
  }
  _current = nullptr;
  _previous = nullptr;
  if (!_walking) _objects.clear();
}

void QC_BASE_MANAGER::fDump() {
  fLog(kSeparator);
  fLog(kHeader);
  fLog(kSeparator);
  for (const QC_BASE* entry : _objects) {
    if (entry == nullptr) continue;
    fLog() << entry->_name << "\t|\t" << entry->_lastName << "\t|\t" << entry->_z << "\t|\t"
           << static_cast<int>(entry->_updateLevel) << "\t|\t" << static_cast<int>(entry->_renderLevel) << "\t|";
  }
  fLog(kSeparator);
}

}  // namespace QOR
