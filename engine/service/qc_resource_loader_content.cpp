// Content objects of the resource loader: videos played from a resource's open file.
#include "engine/files/qc_file_system.h"
#include "engine/files/unreadable_data.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "engine/util/text_utils.h"
#include "engine/video/qc_video.h"
#include "host/win_window.h"

#include <cstdio>

namespace QOR {

namespace {

// A video is deleted (which closes its file) and its picture texture goes back to the renderer.
void releaseVideo(void* data) {
  auto* video = static_cast<QC_VIDEO*>(data);
  QC_TEXTURE_INFO* texture = video->fGetTexture();
  delete video;
  if (texture != nullptr && qcRENDER != nullptr) qcRENDER->fReleaseTexture(texture);
}

}  // namespace

void QC_RESOURCE_LOADER::fContentError(const std::string& name) {
  fLog("No resource " + name);
  fTellMissingResource("Resource not found ", name);
  qcLastError = name;
  fInvokeCallback(qcOnResourceError, 0);
}

QS_RESOURCE* QC_RESOURCE_LOADER::fFindContentRecord(const std::string& name) {
  const int blanks = fCountBlanks(name);
  std::string packName;
  std::string entry;
  QS_RESOURCE* record = nullptr;
  if (blanks == 1 && fSplitName(name, packName, entry)) {
    if (QC_RESOURCE_PACK* pack = fGetPack(packName)) {
      record = pack->fFind(entry);
    } else {
      fLog("No pack named " + packName + "!");
      record = fFindInMain(name);
    }
  } else if (blanks == 0) {
    record = fFindInMain(name);
  } else {
    fLog("WTF resource name " + name);
  }
  if (record == nullptr) fContentError(name);
  return record;
}

QC_VIDEO* QC_RESOURCE_LOADER::fGetContent(const std::string& name) {
  QS_RESOURCE* record = fFindContentRecord(name);
  if (record == nullptr) return nullptr;
  if (record->isReady()) {
    if (record->fGetType() != QE_RES_CONTENT) {
      fLog("Resource is not content " + name);
      return nullptr;
    }
    record->_subscribers += 1;
    return static_cast<QC_VIDEO*>(record->fGetData());
  }
  QC_VIDEO* video = fLoadContent(record);
  if (video != nullptr) record->_subscribers += 1;
  return video;
}

QC_VIDEO* QC_RESOURCE_LOADER::fLoadContent(QS_RESOURCE* record) {
  QC_FILE_SYSTEM* files = fLoaderFileSystem();
  const auto failed = [&]() -> QC_VIDEO* {
    fLog("Cant load content " + record->_sgResName);
    qcLastError = record->_sgResName;
    fInvokeCallback(qcOnResourceError, 0);
    fTellMissingResource("Resource not found ", record->_sgResName);
    return nullptr;
  };
  if (files->fOpenResourceStream(record) != 1) return failed();
  // The video takes the open file over; from here on the record holds the video, not the stream.
  auto* stream = static_cast<std::FILE*>(record->_data);
  record->_data = nullptr;
  record->_stream = false;
  record->_kind = QE_RES_NONE;
  record->_size = 0;
  auto* video = new QC_VIDEO(stream, false, 30);
  if (!video->isOpen()) {
    // A file that holds no playable video is a failed load, not content.
    releaseVideo(video);
    return failed();
  }
  QS_RESOURCE::fSetKindRelease(QE_RES_CONTENT, &releaseVideo);
  record->_data = video;
  record->_ready = true;
  record->_kind = QE_RES_CONTENT;
  record->_subscribers = 0;
  return video;
}

}  // namespace QOR
