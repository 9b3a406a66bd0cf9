// One Ogg Vorbis sound held in memory and played on one OpenAL source: decoded whole into one
// buffer at open (effects), or streamed through a small queue of buffers that the sound thread
// refills (music). Every OpenAL and decoder call runs under engine lock 1, except the gain.
#pragma once

#include "engine/sound/qc_ogg_memory.h"
#include "engine/sound/qc_sound_source.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace QOR {

class QC_SOUND {
 public:
  // Bytes per streaming buffer: about 57 ms of 44.1 kHz 16-bit stereo.
  static constexpr int kStreamBufferSize = 10024;
  // Reads a sound's data again (the same bytes it was opened over); false when they cannot be had.
  using QF_DATA_READER = std::function<bool(std::vector<std::uint8_t>& bytes)>;

  QC_SOUND();
  // Releases the decoder, the scratch array and, while its context is current, the source and
  // buffers. The game never deletes a sound; the mixer drops one that failed to open.
  ~QC_SOUND();
  QC_SOUND(const QC_SOUND&) = delete;
  QC_SOUND& operator=(const QC_SOUND&) = delete;

  // 1 opened; -112 the data is not Ogg Vorbis (or not a stream this engine can play); -113 no
  // OpenAL context is current. data stays owned by the caller and must outlive the sound.
  int fOpen(const void* data, int size, int bufferCount, bool streamed);

  // Lets go of the source, the buffers and the decoder while its context is still there: the sound
  // is unopened from then on and every operation does nothing.
  void fClose();

  // Starts a stopped sound (false); a playing one is left alone (true); an unopened one: false.
  bool fPlay();
  // Stops and rewinds to sample 0.
  void fStop();
  // Pauses and keeps the position; the next fPlay resumes from there.
  void fPause();
  // Restarts playback at the given sample frame; a sample outside the sound is ignored.
  void fSeek(int sample);
  // Seek to 0, stop, play: how the game starts every effect and track.
  void fRestart();
  // The playing flag; read without the lock by the game, hence atomic.
  bool isPlaying() const { return _playing.load(); }
  // The source gain, kept for a source made again; NaN and negative gains become 0.
  void fSetVolume(float gain);
  float fGetVolume() const { return _gain.load(); }
  void fSetPosition(float x, float y, float z);
  // A looping stream goes on from its start after the end of its data instead of stopping.
  void fSetLooping(bool looping);
  // Makes an opened, stopped stream hold its data and decoder only while it plays: they go now,
  // and read brings the data back whenever it is played or sought. From then on the sound no
  // longer reads the bytes it was opened over. False (nothing changes) for any other sound.
  bool fSetDataReader(QF_DATA_READER read);
  bool isLooping() const { return _looping.load(); }
  // The device under from was lost and to is current on a new one: the source and buffers are made
  // again there with the gain, position and looping they had. A stream keeps its decoder and goes
  // on from its place (what was queued but maybe not heard is skipped); a whole sound is decoded
  // again from its data and left stopped unless it loops. A sound not opened on from is left alone.
  void fMoveTo(ALCcontext* from, ALCcontext* to);

  // The refill, on the sound thread with lock 1 held.
  void fStreamUpdate();
  // How soon the sound thread must come back for this sound (lock 1 held): a playing stream
  // before its queue runs low, a playing whole sound to notice its end; a negative period when
  // it needs nothing until it is played again.
  std::chrono::milliseconds fRefillPeriod() const;
  // Decodes up to one buffer size into the scratch array and uploads it to the buffer; answers
  // the bytes uploaded, 0 at the end of the data, below 0 on a decoding error with nothing decoded.
  int fFillBuffer(ALuint buffer);
  // Logs a pending OpenAL error with the step number; true when there was one.
  bool fCheckAL(int step);

  bool isOpened() const { return _context.load() != nullptr; }
  bool isStreamed() const { return _streamed; }
  ALuint fGetSource() const { return _al._source; }
  int fGetFormat() const { return _format; }
  int fGetRate() const { return _al._rate; }
  int fGetBufferSize() const { return _bufferSize; }
  int fGetBufferCount() const { return _bufferCount; }
  const vorbis_info* fGetInfo() const { return _info; }
  const vorbis_comment* fGetComment() const { return _comment; }

 private:
  // Stops the source, drops its whole queue, moves the decoder to sample and queues freshly
  // decoded buffers, so the next play starts exactly there with no stale audio.
  void fRebuildQueue(ogg_int64_t sample);
  // Decodes from the decoder's position into every buffer and queues those that got data;
  // logFill logs an empty or failed first fill, as the open does.
  void fFillQueue(bool logFill);
  // Fills one buffer for the queue, going on from the start when looping; answers the bytes.
  int fFillForQueue(ALuint buffer);
  // Frees the decoder and scratch (and the OpenAL names when their context is current).
  void fRelease();
  // A new source (a stream's not looping in OpenAL) and the buffers, on the current context.
  void fMakeNames();
  // Decodes the whole sound into its one buffer, sets it on the source, then lets the decoder and
  // scratch go; logFill logs an empty or failed fill, as the open does.
  void fUploadWhole(bool logFill);
  // The decoder goes; its stream information and comments are kept as copies of our own (a whole
  // sound's samples live in its OpenAL buffer, a stream with a reader decodes only while it plays).
  void fCloseDecoder();
  // A stream with a reader: its data read again and its decoder opened at the start; false, with
  // the log line of bad data, when the data cannot be had or no longer matches the sound.
  bool fReopenDecoder();
  // A stream with a reader, stopped: its queue, decoder and data go.
  void fDropStreamData();

  int _bufferSize = kStreamBufferSize;
  std::unique_ptr<OggVorbis_File> _decoder;
  int _bufferCount = 1;
  std::vector<char> _scratch;
  vorbis_comment* _comment = nullptr;
  vorbis_info* _info = nullptr;
  // The copies a whole sound keeps once its decoder is gone (the information without its codec
  // set-up, which only decoding reads).
  vorbis_info _keptInfo{};
  vorbis_comment _keptComment{};
  bool _keptTags = false;
  QS_OGG_MEMORY _memory;
  // The reader of a stream that holds its data only while it plays, and that data.
  QF_DATA_READER _reader;
  std::vector<std::uint8_t> _ownData;
  int _format = AL_FORMAT_STEREO16;
  QC_SOUND_SOURCE _al;
  // Every buffer name of this sound, in queue order at open.
  std::vector<ALuint> _buffers;
  bool _streamed = false;
  std::atomic<bool> _playing{false};
  std::atomic<bool> _looping{false};
  // The decoder met the end of the data: no more refills until a stop or seek rebuilds the queue.
  bool _endOfData = false;
  // Sample frames the stream reports, and for a whole sound those actually decoded into its buffer.
  ogg_int64_t _totalSamples = 0;
  ogg_int64_t _wholeSamples = 0;
  std::atomic<float> _gain{1.0f};
  // Read without the lock by isOpened; changed when the sound moves to a new device's context.
  std::atomic<ALCcontext*> _context{nullptr};
};

}  // namespace QOR
