// Moving records between packs and the loader's dumps to the log.
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"

namespace QOR {

int QC_RESOURCE_LOADER::fReplacePack(const std::string& target, const std::string& source) {
  QC_RESOURCE_PACK* from = fGetPack(source);
  if (from == nullptr) {
    fLog("Cant replace pack " + source + " does not exist");
    return -1;
  }
  if (target.empty()) return fReplaceInMain(from);
  QC_RESOURCE_PACK* to = fGetPack(target);
  if (to == nullptr) {
    fLog("Cant replace existing pack" + source + " to " + target + " does not exist");
    return -1;
  }
  if (to == from) return 1;
  std::vector<std::string> names;
  for (const auto& entry : from->fGetEntries()) {
    if (to->fFind(entry.first) == nullptr) names.push_back(entry.first);
  }
  // Each record lives in exactly one map: it leaves the source as it joins the target.
  for (const std::string& name : names) to->fAdd(from->fTake(name));
  return 1;
}

int QC_RESOURCE_LOADER::fReplaceInMain(QC_RESOURCE_PACK* source) {
  fLog("Replase in main");
  std::vector<std::string> names;
  for (const auto& entry : source->fGetEntries()) {
    if (_main.count(entry.first) != 0) {
      fLog("Main yes " + entry.first);
    } else {
      fLog("Main no " + entry.first);
      names.push_back(entry.first);
    }
  }
  for (const std::string& name : names) _main[name] = source->fTake(name);
  return 1;
}

void QC_RESOURCE_LOADER::fDumpMainRepository() {
  if (_main.empty()) {
    fLog("Main repository is empty");
    return;
  }
  fLog("\nFilesInMainRepository:");
  for (const auto& entry : _main) fLog(entry.first);
}

void QC_RESOURCE_LOADER::fDumpPack(const std::string& name) {
  if (QC_RESOURCE_PACK* pack = fGetPack(name)) {
    fLog("Pack " + name);
    pack->fLogEntries();
  } else {
    fLog("Pack " + name + " is not open");
  }
  fLog("End of pack \n");
}

void QC_RESOURCE_LOADER::fDumpRecord(const QS_RESOURCE* record) {
  if (!record->isReady()) return;
  const char* what = nullptr;
  if (record->fGetType() == QE_RES_BYTES) what = " is a file sized of";
  if (record->fGetType() == QE_RES_TEXTURE) what = " is an image sized of";
  if (what == nullptr) return;
  fLog() << record->_sgResName << what << record->_size << " has " << record->fGetSubscribers() << " subs";
}

void QC_RESOURCE_LOADER::fDumpStatistics() {
  // The total space is the bytes the ready records were loaded from, summed at the time of the
  // dump (saturating rather than overflowing).
  long long total = 0;
  const auto add = [&total](const QS_RESOURCE* record) {
    if (record->isReady()) total += record->_size;
  };
  for (const auto& entry : _main) add(entry.second);
  for (const QC_RESOURCE_PACK* pack : _packs) {
    for (const auto& entry : pack->fGetEntries()) add(entry.second);
  }
  _totalSpace = total > 0x7FFFFFFFLL ? 0x7FFFFFFF : static_cast<int>(total);

  fLog() << "Amount of subscribed resources" << _subscribed;
  fLog() << "Amount of unscribed resources" << _unscribed;
  fLog() << "Totaly using space" << _totalSpace;
  fLog("Files:");
  for (const auto& entry : _main) fDumpRecord(entry.second);
  for (const QC_RESOURCE_PACK* pack : _packs) {
    fLog("Pack " + pack->fGetName());
    for (const auto& entry : pack->fGetEntries()) fDumpRecord(entry.second);
  }
}

}  // namespace QOR
