#include "engine/objects/qc_base.h"

#include <cstddef>

namespace QOR {

QC_BASE::QC_BASE()
    : _name("nonamed"),
      _lastName("nolastname"),
      _id('n', 'o', 'i', 'd'),
      _userWord(0),
      _updateLevel(1),
      _renderLevel(1),
      _z(0.0f),
      _managerMark(0) {}

QC_BASE::~QC_BASE() = default;

namespace {

// Visits every non-null entry by index, so entries erased or appended while walking never leave
// the walk on a stale position; a null entry is erased before anything after it is visited.
template <typename Visit>
void fWalkList(std::vector<QC_BASE*>& list, Visit visit) {
  std::size_t i = 0;
  while (i < list.size()) {
    if (list[i] == nullptr) {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    visit(list, i);
    ++i;
  }
}

}  // namespace

void QC_BASE::fUpdateList(std::vector<QC_BASE*>& list) {
  fWalkList(list, [](std::vector<QC_BASE*>& objects, std::size_t i) {
    QC_BASE* object = objects[i];
    if (object->fUpdate() == kDeleteMe) {
      // The object's own step may have changed the list; find its entry again before nulling it.
      if (i < objects.size() && objects[i] == object) {
        objects[i] = nullptr;
      } else {
        for (QC_BASE*& entry : objects) {
          if (entry == object) entry = nullptr;
        }
      }
      delete object;
    }
  });
}

void QC_BASE::fRenderList(std::vector<QC_BASE*>& list) {
  fWalkList(list, [](std::vector<QC_BASE*>& objects, std::size_t i) { objects[i]->fRender(); });
}

}  // namespace QOR
