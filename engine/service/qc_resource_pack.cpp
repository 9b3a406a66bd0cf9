#include "engine/service/qc_resource_pack.h"

#include "engine/service/qc_log.h"

namespace QOR {

QC_RESOURCE_PACK::QC_RESOURCE_PACK(const std::string& name, const std::string& password)
    : _name(name), _password(password) {}

QC_RESOURCE_PACK::~QC_RESOURCE_PACK() {
  for (auto& entry : _entries) fDiscard(entry.second);
  for (QS_RESOURCE* record : _replaced) fDiscard(record);
}

QC_RESOURCE_PACK* QC_RESOURCE_PACK::fNew(const char* name, const char* password) {
  return new QC_RESOURCE_PACK(name != nullptr ? name : "", password != nullptr ? password : "");
}

void QC_RESOURCE_PACK::fAdd(QS_RESOURCE* record) {
  if (record == nullptr) return;
  QS_RESOURCE*& slot = _entries[record->_sgResName];
  if (slot != nullptr && slot != record) _replaced.push_back(slot);
  slot = record;
}

QS_RESOURCE* QC_RESOURCE_PACK::fFind(const std::string& name) const {
  const auto found = _entries.find(name);
  return found != _entries.end() ? found->second : nullptr;
}

QS_RESOURCE* QC_RESOURCE_PACK::fTake(const std::string& name) {
  const auto found = _entries.find(name);
  if (found == _entries.end()) return nullptr;
  QS_RESOURCE* record = found->second;
  _entries.erase(found);
  return record;
}

QS_RESOURCE* QC_RESOURCE_PACK::fFindByData(const void* data) const {
  // Unloaded records hold null; a null pointer names no object.
  if (data == nullptr) return nullptr;
  for (const auto& entry : _entries) {
    if (entry.second->_data == data) return entry.second;
  }
  return nullptr;
}

int QC_RESOURCE_PACK::fReleaseUnused() {
  int released = 0;
  for (auto& entry : _entries) {
    QS_RESOURCE* record = entry.second;
    if (record->isReady() && record->fGetSubscribers() < 1) {
      record->fRelease();
      ++released;
    }
  }
  return released;
}

void QC_RESOURCE_PACK::fLogEntries() const {
  if (_entries.empty()) {
    fLog(_name + " is empty ");
    return;
  }
  for (const auto& entry : _entries) fLog(entry.first);
}

void QC_RESOURCE_PACK::fDiscard(QS_RESOURCE* record) {
  if (record == nullptr) return;
  if (record->_data != nullptr) {
    // Whatever the record still holds goes back to its owner, subscribed or not.
    record->_subscribers = 0;
    record->_ready = true;
    record->fRelease();
  }
  delete record;
}

}  // namespace QOR
