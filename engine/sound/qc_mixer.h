// The sound mixer: the one OpenAL device and context, the listener, and every sound made on it.
#pragma once

#include "engine/math/qs_vec3.h"

#include <AL/alc.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace QOR {

class QC_SOUND;

class QC_MIXER {
 public:
  // No device yet; records itself as the current mixer.
  QC_MIXER();
  // Deletes its sounds, then closes the device (fClose). The game never destroys its mixer.
  ~QC_MIXER();
  QC_MIXER(const QC_MIXER&) = delete;
  QC_MIXER& operator=(const QC_MIXER&) = delete;

  // Opens the default device, makes a context current and places the listener. 1 when a context is
  // current; -113 without a device or context: the engine then runs silent, every sound a no-op.
  int fInit();
  // Closes every sound, then the context and the device, and logs "AL closed"; the mixer is silent
  // from then on. The process calls it at exit, once the sound thread has stopped.
  void fClose();
  // Makes and opens a sound over data (not copied: it must outlive the sound). null when the data is
  // not Ogg Vorbis; without an audio context the sound comes back unopened and does nothing.
  QC_SOUND* fCreateSound(const void* data, int size, int bufferCount, bool streamed);
  // Refills every streaming sound; the sound thread calls it holding engine lock 1. It first asks
  // whether the device is still there: a lost device (its sound server went away) is logged once,
  // "Sound device lost", and nothing is refilled while it is gone, so no stream runs on unheard;
  // the default device is opened again from time to time, and once it opens every sound is made
  // again on it ("Sound device reopened") and the streams that played go on.
  void fUpdate();
  // How long the sound thread may wait before the next fUpdate (lock 1 held): the shortest period
  // its playing sounds ask for, negative when none plays or the device is held; while the device
  // is lost, the time until the next try to open it again.
  std::chrono::milliseconds fRefillPeriod() const;
  // The wait before the next try to open the default device again, after a try that waited last
  // (0 or less: the device was just lost): a quarter of a second, doubling after each try that
  // fails, never more than 4 s, however long the outage.
  static std::chrono::milliseconds fNextReopenWait(std::chrono::milliseconds last);
  // Holds the device while the program's window is away (minimised or hidden): the device stops
  // mixing (ALC_SOFT_pause_device) and no stream is refilled, so a game no one sees or hears costs
  // next to nothing; released, every sound goes on where it stopped and the sound thread is woken.
  // A device without the extension is never held (its streams would run dry).
  void fHold(bool held);
  bool isHeld() const { return _held; }
  // 1 when the sound was in the list and is now out of it (the caller owns it then), -1 when absent.
  int fRemoveSound(QC_SOUND* sound);
  // True while one of the mixer's sounds was made over bytes that include data: freeing them
  // would leave that sound reading freed memory.
  bool isReadingData(const void* data) const;
  // The sound no longer reads the bytes it was made over (it reads its data itself now).
  void fForgetSoundBytes(const QC_SOUND* sound);
  // Sends the listener position again.
  void fUpdateListener();
  // Logs "OAL error <code><text>" when the current mixer's device has an ALC error pending.
  static void fCheckError(const std::string& text);

  ALCdevice* fGetDevice() const { return _device.load(); }
  ALCcontext* fGetContext() const { return _context.load(); }
  int fGetLastError() const { return _lastError; }
  std::size_t fGetSoundCount() const { return _sounds.size(); }
  const QS_VEC3& fGetListenerPosition() const { return _listenerPosition; }

 private:
  void fSetListenerZ(float z) { _listenerPosition.z = z; }
  void fResetListenerUp() { _listenerUp.fSet(0.0f, -1.0f, 0.0f); }
  // Sends the listener's position, velocity and orientation to the current context.
  void fSendListener();
  // Notices a lost device and tries, when the time has come, to open one again.
  void fWatchDevice();
  // A new device and context with every sound moved onto them, the old ones closed; false, with
  // nothing changed, while no device can be opened.
  bool fReopen();

  // Read by the getters without the lock; changed by a reopen on the sound thread.
  std::atomic<ALCdevice*> _device{nullptr};
  std::atomic<ALCcontext*> _context{nullptr};
  // The device can say whether it is still connected (ALC_EXT_disconnect).
  bool _canTellLost = false;
  std::atomic<bool> _lost{false};
  // Paused by fHold: the device's mixing stopped, nothing refilled, the device not watched.
  std::atomic<bool> _held{false};
  std::chrono::steady_clock::time_point _nextReopen;
  std::chrono::milliseconds _reopenWait{0};
  QS_VEC3 _listenerPosition;
  QS_VEC3 _listenerVelocity;
  QS_VEC3 _listenerAt;
  QS_VEC3 _listenerUp;
  int _lastError = 0;
  std::vector<QC_SOUND*> _sounds;
  // The bytes each sound of the list reads (start and length), for isReadingData.
  struct QS_SOUND_BYTES {
    const std::uint8_t* _data;
    std::size_t _size;
  };
  std::unordered_map<const QC_SOUND*, QS_SOUND_BYTES> _soundBytes;
};

// The mixer constructed last; fCheckError reads its device.
extern QC_MIXER* qcCurrentMixer;

}  // namespace QOR
