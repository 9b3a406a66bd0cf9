#include "engine/sound/qc_mixer.h"

#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_lock.h"
#include "engine/sound/qc_sound_test_door.h"
#include "engine/sound/qc_sound_wake.h"

#include <AL/al.h>
#include <AL/alext.h>
#include <AL/efx.h>

#include <algorithm>
#include <memory>

namespace QOR {

QC_MIXER* qcCurrentMixer = nullptr;

namespace {

// The loader's question before it frees sound bytes: does the game's mixer, or a mixer made
// since, have a sound over them?
bool isReadByAnyMixer(const void* data) {
  if (qcMIXER != nullptr && qcMIXER->isReadingData(data)) return true;
  return qcCurrentMixer != nullptr && qcCurrentMixer != qcMIXER && qcCurrentMixer->isReadingData(data);
}

// The first wait before the default device is opened again after a loss, and the longest: the
// wait doubles after each try that fails, so a server that stays away costs a few tries a minute.
constexpr std::chrono::milliseconds kFirstReopenWait{250};
constexpr std::chrono::milliseconds kLongestReopenWait{4000};

// The default device, or the loopback device when a test asked for it, with the attributes of
// the context to make on it (none through an effect slot: no auxiliary sends make a smaller
// context).
ALCdevice* fOpenDefaultDevice(std::vector<ALCint>& attributes) {
  const ALCint* deviceAttributes = nullptr;
  ALCdevice* device =
      sound_test::isLoopbackWanted() ? sound_test::fOpenLoopbackDevice(&deviceAttributes) : alcOpenDevice(nullptr);
  attributes.clear();
  for (const ALCint* at = deviceAttributes; at != nullptr && at[0] != 0; at += 2)
    attributes.insert(attributes.end(), at, at + 2);
  attributes.insert(attributes.end(), {ALC_MAX_AUXILIARY_SENDS, 0, 0});
  return device;
}

}  // namespace

QC_MIXER::QC_MIXER() {
  fLog("Mixer constructor ");
  QC_THREAD::fInitMutexes();
  qcCurrentMixer = this;
  QC_RESOURCE_LOADER::fSetBytesInUseTest(&isReadByAnyMixer);
  fSetListenerZ(1.0f);
  fResetListenerUp();
}

QC_MIXER::~QC_MIXER() {
  fClose();
  {
    QC_SOUND_LOCK lock;
    for (QC_SOUND* sound : _sounds) delete sound;
    _sounds.clear();
    _soundBytes.clear();
  }
  if (qcCurrentMixer == this) qcCurrentMixer = nullptr;
}

void QC_MIXER::fClose() {
  QC_SOUND_LOCK lock;
  if (_device != nullptr) {
    // Sources and buffers go while their context is current, before the context itself.
    if (_context != nullptr) alcMakeContextCurrent(_context);
    for (QC_SOUND* sound : _sounds) sound->fClose();
    alcMakeContextCurrent(nullptr);
    if (_context != nullptr) alcDestroyContext(_context);
    alcCloseDevice(_device);
  }
  _context = nullptr;
  _device = nullptr;
  _lost = false;
  fLog("AL closed");
}

int QC_MIXER::fInit() {
  fLog("Mixer init");
  if (_device != nullptr) return _context != nullptr ? 1 : -113;
  std::vector<ALCint> attributes;
  ALCdevice* device = fOpenDefaultDevice(attributes);
  if (device == nullptr) {
    fLog("\n!Default sound device not present");
    return -113;
  }
  _device = device;
  _canTellLost = alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_TRUE;
  ALCcontext* context = alcCreateContext(device, attributes.data());
  _context = context;
  _lastError = alcGetError(device);
  if (_lastError != ALC_NO_ERROR) fLog("\n!Error context creation");
  alcMakeContextCurrent(context);

  _listenerPosition.fSet(1.0f, 1.0f, 1.0f);
  _listenerVelocity.fSet(0.0f, 0.0f, 0.0f);
  _listenerAt.fSet(1.0f, 1.0f, 2.0f);
  if (context != nullptr) fSendListener();
  _lastError = alcGetError(device);
  if (_lastError != ALC_NO_ERROR) fLog("\nError OAL");
  fLog("AL finish initialisation");
  return context != nullptr ? 1 : -113;
}

void QC_MIXER::fSendListener() {
  const ALfloat position[3] = {_listenerPosition.x, _listenerPosition.y, _listenerPosition.z};
  const ALfloat velocity[3] = {_listenerVelocity.x, _listenerVelocity.y, _listenerVelocity.z};
  const ALfloat orientation[6] = {_listenerAt.x, _listenerAt.y, _listenerAt.z,
                                  _listenerUp.x, _listenerUp.y, _listenerUp.z};
  alListenerfv(AL_POSITION, position);
  alListenerfv(AL_VELOCITY, velocity);
  alListenerfv(AL_ORIENTATION, orientation);
}

QC_SOUND* QC_MIXER::fCreateSound(const void* data, int size, int bufferCount, bool streamed) {
  auto sound = std::make_unique<QC_SOUND>();
  if (sound->fOpen(data, size, bufferCount, streamed) == -112) return nullptr;
  // The sound thread walks the list under the same lock.
  QC_SOUND_LOCK lock;
  _sounds.push_back(sound.get());
  _soundBytes[sound.get()] = QS_SOUND_BYTES{static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)};
  return sound.release();
}

void QC_MIXER::fUpdate() {
  if (_device == nullptr || _held) return;
  fWatchDevice();
  // A lost device reports every queued buffer played and stops each source it is given at once:
  // refilling would run the streams through their data unheard.
  if (_lost || _sounds.empty()) return;
  for (QC_SOUND* sound : _sounds) sound->fStreamUpdate();
}

void QC_MIXER::fWatchDevice() {
  if (!_canTellLost || _context == nullptr) return;
  const auto now = std::chrono::steady_clock::now();
  if (!_lost) {
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(_device, ALC_CONNECTED, 1, &connected);
    if (connected != ALC_FALSE) return;
    fLog("Sound device lost");
    _lost = true;
    _reopenWait = fNextReopenWait(std::chrono::milliseconds(0));
    _nextReopen = now + _reopenWait;
    return;
  }
  if (now < _nextReopen) return;
  if (fReopen()) {
    _lost = false;
    fLog("Sound device reopened");
    return;
  }
  _reopenWait = fNextReopenWait(_reopenWait);
  _nextReopen = now + _reopenWait;
}

std::chrono::milliseconds QC_MIXER::fNextReopenWait(std::chrono::milliseconds last) {
  if (last.count() <= 0) return kFirstReopenWait;
  // Halved first, so a long wait handed in never overflows on its way to the bound.
  return last >= kLongestReopenWait / 2 ? kLongestReopenWait : last * 2;
}

void QC_MIXER::fHold(bool held) {
  QC_SOUND_LOCK lock;
  ALCdevice* device = _device;
  if (held == _held || device == nullptr) return;
  // Not held while lost: the watch must go on finding the device again.
  if (held && (_lost || alcIsExtensionPresent(device, "ALC_SOFT_pause_device") != ALC_TRUE)) return;
  const char* name = held ? "alcDevicePauseSOFT" : "alcDeviceResumeSOFT";
  const auto call = reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(device, name));
  if (call == nullptr) return;
  alcGetError(device);
  call(device);
  // A device that cannot pause (a loopback device) refuses the call and keeps playing.
  if (alcGetError(device) != ALC_NO_ERROR) return;
  _held = held;
  if (!held) QC_SOUND_WAKE::fWake();
}

bool QC_MIXER::fReopen() {
  // OpenAL Soft as packaged here cannot move a context to a new device (ALC_SOFT_reopen_device):
  // a new device and context are made and every sound is made again on them.
  std::vector<ALCint> attributes;
  ALCdevice* device = fOpenDefaultDevice(attributes);
  if (device == nullptr) return false;
  ALCcontext* context = alcCreateContext(device, attributes.data());
  if (context == nullptr) {
    alcCloseDevice(device);
    return false;
  }
  ALCcontext* oldContext = _context;
  ALCdevice* oldDevice = _device;
  for (QC_SOUND* sound : _sounds) sound->fMoveTo(oldContext, context);
  alcMakeContextCurrent(context);
  fSendListener();
  _context = context;
  _device = device;
  alcDestroyContext(oldContext);
  alcCloseDevice(oldDevice);
  _canTellLost = alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_TRUE;
  return true;
}

std::chrono::milliseconds QC_MIXER::fRefillPeriod() const {
  std::chrono::milliseconds period = QC_SOUND_WAKE::kUntilWoken;
  if (_device == nullptr || _held) return period;
  if (_lost) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(_nextReopen - std::chrono::steady_clock::now());
    return std::max(left, std::chrono::milliseconds(1));
  }
  for (const QC_SOUND* sound : _sounds) {
    const std::chrono::milliseconds wanted = sound->fRefillPeriod();
    if (wanted.count() >= 0 && (period.count() < 0 || wanted < period)) period = wanted;
  }
  return period;
}

int QC_MIXER::fRemoveSound(QC_SOUND* sound) {
  QC_SOUND_LOCK lock;
  const auto it = std::find(_sounds.begin(), _sounds.end(), sound);
  if (it == _sounds.end()) return -1;
  _sounds.erase(it);
  _soundBytes.erase(sound);
  return 1;
}

bool QC_MIXER::isReadingData(const void* data) const {
  if (data == nullptr) return false;
  const auto address = reinterpret_cast<std::uintptr_t>(data);
  QC_SOUND_LOCK lock;
  for (const auto& entry : _soundBytes) {
    const auto start = reinterpret_cast<std::uintptr_t>(entry.second._data);
    if (address >= start && address - start < entry.second._size) return true;
  }
  return false;
}

void QC_MIXER::fForgetSoundBytes(const QC_SOUND* sound) {
  QC_SOUND_LOCK lock;
  _soundBytes.erase(sound);
}

void QC_MIXER::fUpdateListener() {
  QC_SOUND_LOCK lock;
  if (_context == nullptr) return;
  const ALfloat position[3] = {_listenerPosition.x, _listenerPosition.y, _listenerPosition.z};
  alListenerfv(AL_POSITION, position);
}

void QC_MIXER::fCheckError(const std::string& text) {
  QC_SOUND_LOCK lock;
  if (qcCurrentMixer == nullptr || qcCurrentMixer->_device == nullptr) return;
  const ALCenum error = alcGetError(qcCurrentMixer->_device);
  if (error != ALC_NO_ERROR) fLog() << "OAL error " << error << text;
}

}  // namespace QOR
