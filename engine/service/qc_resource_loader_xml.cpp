// XML documents and byte buffers of the resource loader.
#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "host/win_window.h"

#include <pugixml.hpp>


namespace QOR {

namespace {

// Sets the last error text and tells the game's resource-error hook.
void reportError(const std::string& text) {
  qcLastError = text;
  fInvokeCallback(qcOnResourceError, 0);
}

// Registered by the first mixer; null before it (no sound can read the bytes then).
QC_RESOURCE_LOADER::QF_BYTES_IN_USE g_bytesInUse = nullptr;

}  // namespace

pugi::xml_document* QC_RESOURCE_LOADER::fGetEmptyDocument() {
  // Callers read missing documents as empty ones and may keep them: it lives as long as the
  // process and no record holds it, so nothing releases it. Callers only read it.
  static pugi::xml_document empty;
  return &empty;
}

pugi::xml_document* QC_RESOURCE_LOADER::fGetXmlDoc(const std::string& name) {
  QS_RESOURCE* record = fFindResource(name);
  if (record == nullptr) {
    fLog("Resource not found " + name);
    fTellMissingResource("Resource not found ", name);
    return fGetEmptyDocument();
  }
  if (record->isReady()) {
    if (record->fGetType() != QE_RES_XML) {
      // Parsing over it would lose the object the record holds.
      fLog("Resource is not a document " + name);
      return fGetEmptyDocument();
    }
    record->_subscribers += 1;
    return static_cast<pugi::xml_document*>(record->fGetData());
  }
  pugi::xml_document* document = fLoadXmlDoc(record);
  if (document == nullptr) return fGetEmptyDocument();
  record->_subscribers += 1;
  return document;
}

pugi::xml_document* QC_RESOURCE_LOADER::fLoadXmlDoc(QS_RESOURCE* record) {
  QC_FILE_SYSTEM* files = fLoaderFileSystem();
  if (files->fLoadResource(record) != 1) {
    fLog("Cant load content " + record->_sgResName);
    fTellMissingResource("Cant load content ", record->_sgResName);
    return nullptr;
  }
  auto* document = new pugi::xml_document();
  // load_buffer copies the bytes, so they can be freed at once. The parse status is not needed: a
  // broken file still gives a document, empty or partial.
  document->load_buffer(record->_data, record->_size, pugi::parse_default, pugi::encoding_auto);
  files->fFreeResource(record);
  record->_data = document;
  record->_ready = true;
  record->_kind = QE_RES_XML;
  record->_subscribers = 0;
  return document;
}

int QC_RESOURCE_LOADER::fPreloadXmlDoc(const std::string& name) {
  QS_RESOURCE* record = fFindResource(name);
  if (record == nullptr) return -1;
  if (record->isReady()) return record->fGetType() == QE_RES_XML ? 0 : -118;
  return fLoadXmlDoc(record) != nullptr ? 1 : -1;
}

pugi::xml_document* QC_RESOURCE_LOADER::fGetLoadedXmlDoc(const std::string& name) {
  // Only asks: a name that is not there was told when it was loaded, if ever.
  QS_RESOURCE* record = fFindResource(name, true);
  if (record == nullptr || !record->isReady() || record->fGetType() != QE_RES_XML) return nullptr;
  return static_cast<pugi::xml_document*>(record->fGetData());
}

int QC_RESOURCE_LOADER::fLoadByteBuffer(const std::string& name) {
  QS_RESOURCE* record = fFindResource(name);
  if (record == nullptr) {
    fLog("No resource " + name);
    reportError("No resource ");
    return -1;
  }
  if (record->isReady()) {
    if (record->fGetType() == QE_RES_BUFFER) return -117;
    reportError("QC_RESOURCE_LOADER::fLoadByteBuffer error resource");
    return -118;
  }
  if (fLoaderFileSystem()->fLoadResource(record) != 1) {
    fLog("Cant load res " + name);
    reportError("Cant load res ");
    return -1;
  }
  record->_kind = QE_RES_BUFFER;
  record->_ready = true;
  record->_subscribers += 1;
  return 1;
}

void* QC_RESOURCE_LOADER::fGetByteBuffer(const std::string& name) {
  QS_RESOURCE* record = fFindResource(name);
  if (record == nullptr) {
    fLog("No resource named " + name);
    reportError("No resource named ");
    return nullptr;
  }
  if (!record->isReady() || record->fGetType() != QE_RES_BUFFER) {
    fLog("Res not loaded " + name);
    reportError("Res not loaded ");
    return nullptr;
  }
  return record->fGetData();
}

void QC_RESOURCE_LOADER::fSetBytesInUseTest(QF_BYTES_IN_USE test) { g_bytesInUse = test; }

int QC_RESOURCE_LOADER::fReleaseByteBuffer(const std::string& name) {
  QS_RESOURCE* record = fFindResource(name);
  if (record == nullptr || !record->isReady() || record->fGetType() != QE_RES_BUFFER) return 1;
  // A sound made over these bytes reads them for as long as it lives (a stream at every refill):
  // they stay, subscription and all, while any mixer's sound holds them.
  if (g_bytesInUse != nullptr && g_bytesInUse(record->fGetData())) {
    fLog("Buffer is in use by a sound, not released " + name);
    return 1;
  }
  // The load counted one subscription; giving the buffer back drops it, and the bytes go once no
  // subscription is left.
  if (record->fGetSubscribers() > 0) record->fUnsubscribe();
  record->fRelease();
  return 1;
}

}  // namespace QOR
