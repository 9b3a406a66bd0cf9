// Images of the resource loader: subscriptions, texture creation and preloads.
#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "engine/util/text_utils.h"
#include "host/win_window.h"

#include <string>

namespace QOR {

namespace {

// Textures go back to the renderer that made them; it keeps its default texture.
void releaseTexture(void* data) {
  if (qcRENDER != nullptr) qcRENDER->fReleaseTexture(static_cast<QC_TEXTURE_INFO*>(data));
}

QC_TEXTURE_INFO* defaultTexture() { return qcRENDER != nullptr ? qcRENDER->fGetDefaultTexture() : nullptr; }

// Message boxes about images are shown only while a renderer with a device exists. Without one
// (never made, or its start failed, which the game reports once) every image request fails, so
// each failure is one log line instead of a box.
bool rendererExists() { return qcRENDER != nullptr && qcRENDER->fGetDevice() != nullptr; }

void logImageFailure(const std::string& name, const char* cause) { fLog("Image " + name + " not loaded: " + cause); }

// The record's name as callers write it: "pack entry", or the bare name in the main repository.
std::string imageName(const QS_RESOURCE* record) {
  return record->_folder.empty() ? record->_sgResName : record->_folder + " " + record->_sgResName;
}

}  // namespace

QC_TEXTURE_INFO* QC_RESOURCE_LOADER::fSubscribeImage(const std::string& name) {
  const bool boxes = rendererExists();
  QS_RESOURCE* record = nullptr;
  const int blanks = fCountBlanks(name);
  if (blanks == 0) {
    record = fFindInMain(name, !boxes);
    if (record == nullptr) {
      if (boxes) {
        fTellMissingResource("No resource", name);
      } else {
        logImageFailure(name, "not found");
      }
      return defaultTexture();
    }
  } else if (blanks == 1) {
    std::string packName;
    std::string entry;
    if (!fSplitName(name, packName, entry)) {
      fLog("image_ident= " + name);
      return defaultTexture();
    }
    QC_RESOURCE_PACK* pack = fGetPack(packName);
    if (pack == nullptr) {
      if (!boxes) logImageFailure(name, "no such pack");
      return defaultTexture();
    }
    record = pack->fFind(entry);
    if (record == nullptr) {
      if (boxes) {
        fTellMissingResource("Not find", entry);
      } else {
        logImageFailure(name, "not found");
      }
      return defaultTexture();
    }
  } else {
    if (!boxes) logImageFailure(name, "not a resource name");
    return defaultTexture();
  }

  if (record->isReady()) {
    if (record->fGetType() != QE_RES_TEXTURE) {
      // Making a texture over it would lose the object the record holds.
      fLog("Resource is not an image " + name);
      return defaultTexture();
    }
    record->_subscribers += 1;
    return static_cast<QC_TEXTURE_INFO*>(record->fGetData());
  }
  QC_TEXTURE_INFO* texture = fCreateTexture(record);
  // A failed image stays unloaded and gives the default texture, which no record holds and so
  // cannot be given back: it counts no subscription.
  if (record->isReady()) {
    _subscribed += 1;
    record->_subscribers += 1;
  }
  return texture;
}

QC_TEXTURE_INFO* QC_RESOURCE_LOADER::fCreateTexture(QS_RESOURCE* record) {
  if (record == nullptr) return defaultTexture();
  if (!rendererExists()) {
    logImageFailure(imageName(record), "no renderer");
    return defaultTexture();
  }
  QC_FILE_SYSTEM* files = fLoaderFileSystem();
  if (files->fLoadResource(record) != 1) return defaultTexture();
  QC_TEXTURE_INFO* texture = qcRENDER->fLoadTextureFromMemory(record->_data, record->_size, "unnamed");
  files->fFreeResource(record);
  if (texture == nullptr || texture == qcRENDER->fGetDefaultTexture()) return defaultTexture();
  // The texture takes its pixels when first drawn, and again after a rest unused: from the pack,
  // read again, so that neither its pixels nor its file stay in memory meanwhile.
  qcRENDER->fSetImageReader(texture, fRereader(record));
  QS_RESOURCE::fSetKindRelease(QE_RES_TEXTURE, &releaseTexture);
  record->_data = texture;
  record->_kind = QE_RES_TEXTURE;
  record->_ready = true;
  return texture;
}

int QC_RESOURCE_LOADER::fPreloadImage(const char* name) {
  if (name == nullptr) return -1;
  const bool boxes = rendererExists();
  QS_RESOURCE* record = fFindResource(name, !boxes);
  if (record == nullptr) {
    if (!boxes) logImageFailure(name, "not found");
    return -1;
  }
  if (record->isReady()) return record->fGetType() == QE_RES_TEXTURE ? 0 : -118;
  QC_TEXTURE_INFO* texture = fCreateTexture(record);
  return record->isReady() && texture != defaultTexture() ? 1 : -112;
}

QC_TEXTURE_INFO* QC_RESOURCE_LOADER::fGetLoadedImage(const std::string& name) {
  const bool boxes = rendererExists();
  QS_RESOURCE* record = fFindResource(name, !boxes);
  if (record == nullptr && !boxes) logImageFailure(name, "not found");
  if (record == nullptr || !record->isReady() || record->fGetType() != QE_RES_TEXTURE) return defaultTexture();
  return static_cast<QC_TEXTURE_INFO*>(record->fGetData());
}

}  // namespace QOR
