// The game service's flat operations: each forwards to the engine object that does the work, so
// that game code rarely reaches the window, renderer, loader or mixer itself.
#include "engine/files/qc_file_system.h"
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_window.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "host/win_window.h"

#include <climits>

namespace QOR {

int QC_GAME::fSetResolution(int width, int height, std::uint8_t fullscreen) {
  _resolution.fSet(width, height);
  _fullscreen = fullscreen;
  if (qcWINDOW != nullptr) qcWINDOW->fSetMode(width, height, fullscreen, _stretch);
  if (qcRENDER == nullptr) return -1;
  // A window that cannot fit the screen went full screen, stretched: the picture follows it.
  const bool full = qcWINDOW != nullptr ? qcWINDOW->isFullscreen() != 0 : fullscreen != 0;
  const bool stretch = qcWINDOW != nullptr ? qcWINDOW->isStretched() != 0 : _stretch != 0;
  qcRENDER->fSetResolution(width, height, full, stretch);
  qcRENDER->fSetViewProjection();
  return 1;
}

void QC_GAME::fSetResourceFolder(const std::string& path) {
  QC_FILE_SYSTEM* files = fLoaderFileSystem();
  files->fSetResourceDirectory(files->fGetAppDirectory() + path);
}

int QC_GAME::fAddPack(const char* name) {
  return qcRESOURCE_LOADER != nullptr ? qcRESOURCE_LOADER->fAddPack(name, nullptr) : -1;
}

int QC_GAME::fAddPack(const char* name, const char* password) {
  return qcRESOURCE_LOADER != nullptr ? qcRESOURCE_LOADER->fAddPack(name, password) : -1;
}

QC_TEXTURE_INFO* QC_GAME::fSubscribeImage(const std::string& name) {
  if (qcRESOURCE_LOADER != nullptr) return qcRESOURCE_LOADER->fSubscribeImage(name);
  return qcRENDER != nullptr ? qcRENDER->fGetDefaultTexture() : nullptr;
}

bool QC_GAME::fUnscribeImage(QC_TEXTURE_INFO* texture) {
  if (qcRESOURCE_LOADER != nullptr) qcRESOURCE_LOADER->fUnscribeImage(texture);
  return true;
}

pugi::xml_document* QC_GAME::fLoadXml(const std::string& name) {
  if (qcRESOURCE_LOADER == nullptr) return QC_RESOURCE_LOADER::fGetEmptyDocument();
  return qcRESOURCE_LOADER->fGetXmlDoc(name);
}

int QC_GAME::fGetResource(const std::string& name) {
  return qcRESOURCE_LOADER != nullptr ? qcRESOURCE_LOADER->fLoadByteBuffer(name) : -1;
}

QC_SOUND* QC_GAME::fCreateSound(const std::string& name, int bufferCount, std::uint8_t streamed) {
  if (qcRESOURCE_LOADER == nullptr || qcMIXER == nullptr) return nullptr;
  QS_RESOURCE* record = qcRESOURCE_LOADER->fFindResource(name);
  if (record == nullptr) return nullptr;
  // Only bytes loaded for a caller are sound data; a texture, document or unloaded record would
  // hand the decoder something else entirely.
  if (!record->isReady() || record->fGetType() != QE_RES_BUFFER || record->fGetData() == nullptr) return nullptr;
  if (record->_size > static_cast<std::uint32_t>(INT_MAX)) return nullptr;
  return qcMIXER->fCreateSound(record->fGetData(), static_cast<int>(record->_size), bufferCount, streamed != 0);
}

int QC_GAME::fStreamWhenPlayed(QC_SOUND* sound, const std::string& name) {
  if (sound == nullptr || qcRESOURCE_LOADER == nullptr || qcMIXER == nullptr) return -1;
  QS_RESOURCE* record = qcRESOURCE_LOADER->fFindResource(name);
  if (record == nullptr || record->fGetType() != QE_RES_BUFFER) return -1;
  if (!sound->fSetDataReader(QC_RESOURCE_LOADER::fRereader(record))) return -1;
  qcMIXER->fForgetSoundBytes(sound);
  qcRESOURCE_LOADER->fReleaseByteBuffer(name);
  return 1;
}

int QC_GAME::fGetPathType(const std::string& path) { return fLoaderFileSystem()->fGetPathType(path); }

void QC_GAME::fSetCaption(const std::string& utf8) {
  if (qcWINDOW != nullptr) qcWINDOW->fSetCaption(utf8);
}

void QC_GAME::fSetClearColor(std::uint32_t argb) {
  if (qcRENDER != nullptr) qcRENDER->fSetClearColor(argb);
}

void QC_GAME::fHideCursor() { fShowSystemCursor(qcWINDOW != nullptr ? qcWINDOW->fGetHandle() : nullptr, false); }

void QC_GAME::fShowCursor() { fShowSystemCursor(qcWINDOW != nullptr ? qcWINDOW->fGetHandle() : nullptr, true); }

void QC_GAME::fSetCursorPos(float x, float y) { SetCursorPos(fTruncateToInt(x), fTruncateToInt(y)); }

QS_POINT QC_GAME::fGetMousePos() { return qcINPUT != nullptr ? qcINPUT->fGetMousePos() : QS_POINT(0, 0); }

bool QC_GAME::fAskOkCancel(const std::string& text) {
  HWND owner = qcWINDOW != nullptr ? qcWINDOW->fGetHandle() : nullptr;
  const std::string caption = qcGAME != nullptr ? qcGAME->_gameName : std::string();
  return MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OKCANCEL) == IDOK;
}

}  // namespace QOR
