#include "behaviours/qc_preload.h"

#include "engine/objects/qc_message_arg.h"
#include "engine/service/qc_resource_loader.h"
#include "gui/widgets/qc_base_progress.h"

namespace QOR {

QC_PRELOAD::QC_PRELOAD(const std::vector<std::string>& names, QC_BASEPROGRESS* progress)
    : _index(0), _endCallback(nullptr), _names(names), _progress(progress), _loader(new QC_RESOURCE_LOADER()) {
  if (_progress != nullptr) _progress->fSetRange(0.0f, static_cast<float>(_names.size()));
}

QC_PRELOAD::~QC_PRELOAD() { delete _loader; }

int QC_PRELOAD::fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t, std::intptr_t) {
  switch (id) {
    case kMessageUpdate:
      fLoadNext();
      break;
    case kMessageRenderPass:
      if (_progress != nullptr) _progress->fRenderAll();
      break;
    case kMessageMoveDisplay:
      if (_progress != nullptr) _progress->fSetPosition(fArgToFloat(a), fArgToFloat(b), 0.0f);
      break;
    default:
      break;
  }
  return 1;
}

int QC_PRELOAD::fLoadNext() {
  if (_updateLevel == 0) return 1;
  if (_names.empty() || _index + 1 >= _names.size()) {
    if (_endCallback != nullptr) fInvokeCallback(_endCallback, 0);
    _updateLevel = 0;
    if (_names.empty()) return 1;
  }
  // The loader is the object's own and starts empty: the lookup is quiet.
  _loader->fFindInMain(_names[_index], true);
  ++_index;
  if (_progress != nullptr) _progress->fSetValue(static_cast<float>(_index));
  return 1;
}

}  // namespace QOR
