#include "engine/files/qs_resource.h"

#include "engine/service/qc_log.h"

#include <pugixml.hpp>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace QOR {

namespace {

// Releases registered by the owners of kinds the record cannot free itself.
std::map<std::int32_t, QS_RESOURCE::QF_RELEASE>& kindReleases() {
  static std::map<std::int32_t, QS_RESOURCE::QF_RELEASE> releases;
  return releases;
}

// Hands the data to its kind's registered release; unregistered objects stay with their owner.
void releaseRegistered(std::int32_t kind, void* data) {
  const auto found = kindReleases().find(kind);
  if (found != kindReleases().end() && found->second != nullptr) found->second(data);
}

}  // namespace

QS_RESOURCE::QS_RESOURCE(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t cut = slash == std::string::npos ? 0 : slash + 1;
  if (cut != path.size()) {
    _sgResName = path.substr(cut);
    _folder = path.substr(0, cut);
  } else {
    _sgResName = path;
  }
}

void QS_RESOURCE::fSetKindRelease(std::int32_t kind, QF_RELEASE release) {
  if (release == nullptr) {
    kindReleases().erase(kind);
  } else {
    kindReleases()[kind] = release;
  }
}

bool QS_RESOURCE::fRelease() {
  if (_subscribers > 0) return false;
  if (!_ready) {
    fLog("resource not ready " + _sgResName);
    return false;
  }
  switch (_kind) {
    case QE_RES_XML:
      delete static_cast<pugi::xml_document*>(_data);
      break;
    case QE_RES_CONTENT:
      // The content object owns the stream it reads; its release closes that stream.
      fLog("fclose res");
      if (_data != nullptr) releaseRegistered(_kind, _data);
      break;
    case QE_RES_TEXTURE:
      fLog("release tex " + _sgResName);
      if (_data != nullptr) releaseRegistered(_kind, _data);
      break;
    default:
      fLog() << "resource default release, type = " << _kind;
      if (_data == nullptr) break;
      if (_kind == QE_RES_BYTES && _stream) {
        std::fclose(static_cast<std::FILE*>(_data));
      } else if (_kind == QE_RES_BYTES || _kind == QE_RES_BUFFER) {
        std::free(_data);
      } else {
        releaseRegistered(_kind, _data);
      }
      break;
  }
  _kind = QE_RES_NONE;
  _size = 0;
  _subscribers = 0;
  _data = nullptr;
  _ready = false;
  _stream = false;
  return false;
}

}  // namespace QOR
