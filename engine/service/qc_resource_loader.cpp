// Registration, lookups, subscriptions and releases of the resource loader.
#include "engine/service/qc_resource_loader.h"

#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/util/text_utils.h"
#include "host/win_window.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace QOR {

namespace {

// Released images, sounds and documents leave large free blocks inside the allocator's heap: they
// are handed back to the system, so the process does not keep the peak of a loading stage.
void returnFreeMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

// Pack names are paths: '\' and '/' name the same pack.
std::string packKey(std::string name) {
  fReplaceBackslashes(name);
  return name;
}

}  // namespace

QC_FILE_SYSTEM* fLoaderFileSystem() {
  if (qcFILE_SYSTEM != nullptr) return qcFILE_SYSTEM;
  if (qcFileSystemInstance != nullptr) return qcFileSystemInstance;
  return QC_FILE_SYSTEM::fGetInstance();
}

std::function<bool(std::vector<std::uint8_t>&)> QC_RESOURCE_LOADER::fRereader(const QS_RESOURCE* record) {
  if (record == nullptr) return nullptr;
  return [folder = record->_folder, name = record->_sgResName,
          password = record->_sgPass](std::vector<std::uint8_t>& bytes) {
    // An entry's name may hold folders of its own: the fields are copied, not parsed again.
    QS_RESOURCE copy(name);
    copy._sgResName = name;
    copy._folder = folder;
    copy._sgPass = password;
    QC_FILE_SYSTEM* files = fLoaderFileSystem();
    const bool read = files->fLoadResource(&copy) == 1 && copy._data != nullptr;
    if (read) {
      const auto* data = static_cast<const std::uint8_t*>(copy._data);
      bytes.assign(data, data + copy._size);
    }
    files->fFreeResource(&copy);
    return read;
  };
}

QC_RESOURCE_LOADER::QC_RESOURCE_LOADER() = default;

QC_RESOURCE_LOADER::~QC_RESOURCE_LOADER() {
  for (auto& entry : _main) QC_RESOURCE_PACK::fDiscard(entry.second);
  _main.clear();
  for (QC_RESOURCE_PACK* pack : _packs) delete pack;
  _packs.clear();
}

int QC_RESOURCE_LOADER::fAddPack(const char* name, const char* password) {
  if (name == nullptr) return -1;
  if (name[0] == '\0') return fLoadMainRepository();
  return fOpenPack(name, password);
}

int QC_RESOURCE_LOADER::fLoadMainRepository() {
  std::vector<std::string> names;
  QC_FILE_SYSTEM::fListDirectory(fLoaderFileSystem()->fGetResourceDirectory(), names, false, "*");
  if (names.empty()) {
    fLog("Main repository is empty");
    QC_FILE_SYSTEM* files = fLoaderFileSystem();
    if (files->fGetPathType(files->fGetResourceDirectory()) != 2) {
      fLog("Resources folder missing: " + files->fGetResourceDirectory());
    }
    return -1;
  }
  for (auto item = names.rbegin(); item != names.rend(); ++item) {
    // A second listing keeps the records already made, and with them what they have loaded.
    if (_main.count(*item) != 0) continue;
    QS_RESOURCE* record = QS_RESOURCE::fCreate(*item);
    _main[record->_sgResName] = record;
  }
  fInvokeCallback(qcOnResourceError, 0);
  return 1;
}

int QC_RESOURCE_LOADER::fOpenPack(const std::string& name, const char* password) {
  // An archive entry can only be read with a password, so an empty one lists a folder.
  const bool archive = password != nullptr && password[0] != '\0';
  const std::string path = packKey(fLoaderFileSystem()->fGetResourceDirectory() + name);
  std::vector<std::string> items;
  if (archive) {
    QC_FILE_SYSTEM::fListZip(path, password, items, false);
  } else {
    QC_FILE_SYSTEM::fListDirectory(path, items, false, "*");
  }
  if (items.empty()) {
    fReportUnopenedPack(path, name, fLoaderFileSystem()->fDescribeUnlistedPack(path, archive));
    return -1;
  }
  if (fGetPack(name) != nullptr) {
    fLog("Pack exist");
    return -110;
  }
  QC_RESOURCE_PACK* pack = QC_RESOURCE_PACK::fNew(name.c_str(), archive ? password : nullptr);
  _packs.push_back(pack);
  for (auto item = items.rbegin(); item != items.rend(); ++item) {
    QS_RESOURCE* record = QS_RESOURCE::fCreate(*item);
    record->_folder = name;
    if (archive) {
      record->_sgResName = *item;
      record->_sgPass = pack->fGetPassword();
    }
    pack->fAdd(record);
  }
  fLog() << "Pack " << name << " has " << pack->fGetCount() << " elems. ";
  return 1;
}

QC_RESOURCE_PACK* QC_RESOURCE_LOADER::fGetPack(const std::string& name) const {
  const std::string key = packKey(name);
  for (QC_RESOURCE_PACK* pack : _packs) {
    if (packKey(pack->fGetName()) == key) return pack;
  }
  return nullptr;
}

bool QC_RESOURCE_LOADER::fSplitName(const std::string& name, std::string& pack, std::string& entry) {
  const std::vector<std::string> words = fSplitString(name, ' ', true);
  if (words.size() != 2 || words[0].empty() || words[1].empty()) return false;
  pack = words[0];
  entry = words[1];
  return true;
}

QS_RESOURCE* QC_RESOURCE_LOADER::fFindResource(const std::string& name, bool quiet) {
  QS_RESOURCE* record = nullptr;
  const int blanks = fCountBlanks(name);
  std::string packName;
  std::string entry;
  if (blanks == 0) {
    record = fFindInMain(name, quiet);
  } else if (blanks == 1 && fSplitName(name, packName, entry)) {
    if (QC_RESOURCE_PACK* pack = fGetPack(packName)) {
      record = pack->fFind(entry);
    } else {
      if (!quiet) fLog("No pack named " + packName + "!");
      record = fFindInMain(name, quiet);
    }
  } else if (!quiet) {
    // Two blanks or more, or one blank with an empty word on either side.
    fLog("WTF resource name " + name);
  }
  if (record == nullptr && !quiet) fLog("Resource error");
  return record;
}

QS_RESOURCE* QC_RESOURCE_LOADER::fFindInMain(const std::string& name, bool quiet) {
  const auto found = _main.find(name);
  if (found != _main.end()) return found->second;
  for (QC_RESOURCE_PACK* pack : _packs) {
    if (QS_RESOURCE* record = pack->fFind(name)) return record;
  }
  if (!quiet) fTellMissingResource("No resource", name);
  return nullptr;
}

QS_RESOURCE* QC_RESOURCE_LOADER::fFindByData(const void* data) {
  if (data == nullptr) return nullptr;
  for (const auto& entry : _main) {
    if (entry.second->_data == data) return entry.second;
  }
  for (QC_RESOURCE_PACK* pack : _packs) {
    if (QS_RESOURCE* record = pack->fFindByData(data)) return record;
  }
  return nullptr;
}

bool QC_RESOURCE_LOADER::fUnscribeImage(const void* texture) {
  QS_RESOURCE* record = fFindByData(texture);
  if (record == nullptr) {
    fLog("Resource error in fUnscribeImage");
    return false;
  }
  // A count already at 0 stays there: an extra give-back must not let a later subscription
  // start from below 0, which would leave a texture in use looking unused.
  if (record->fGetSubscribers() < 1) {
    fLog("Extra unscribe " + record->_sgResName);
    return true;
  }
  if (record->fUnsubscribe()) {
    ++_unscribed;
    fLog("Fully unscribe " + record->_sgResName);
  }
  return true;
}

bool QC_RESOURCE_LOADER::fUnscribeByData(const void* data) {
  QS_RESOURCE* record = fFindByData(data);
  if (record != nullptr && record->fGetSubscribers() > 0 && record->fUnsubscribe()) ++_unscribed;
  return false;
}

int QC_RESOURCE_LOADER::fFreeImage(QC_TEXTURE_INFO* texture) {
  if (texture == nullptr) {
    MessageBoxA(nullptr, "QC_RESOURCE_LOADER::fFreeImage", "framework\\SERVICE\\QC_RESOURCE_LOADER", MB_OK);
    return -1;
  }
  QS_RESOURCE* record = fFindByData(texture);
  if (record == nullptr || !record->isReady() || record->fGetSubscribers() >= 1) return 0;
  record->fRelease();
  return 1;
}

int QC_RESOURCE_LOADER::fXmlDocFree(pugi::xml_document* document) {
  if (document == nullptr) {
    MessageBoxA(nullptr, "QC_RESOURCE_LOADER::fXmlDocFree", "framework\\SERVICE\\QC_RESOURCE_LOADER", MB_OK);
    return -1;
  }
  QS_RESOURCE* record = fFindByData(document);
  if (record == nullptr || !record->isReady() || record->fGetSubscribers() >= 1) return 0;
  record->fRelease();
  return 1;
}

int QC_RESOURCE_LOADER::fFreeUnused() {
  int count = 0;
  for (QC_RESOURCE_PACK* pack : _packs) count += pack->fReleaseUnused();
  returnFreeMemory();
  return count + fCountUnusedInMain();
}

int QC_RESOURCE_LOADER::fCountUnusedInMain() const {
  int count = 0;
  for (const auto& entry : _main) {
    if (entry.second->isReady() && entry.second->fGetSubscribers() < 1) ++count;
  }
  return count;
}

}  // namespace QOR
