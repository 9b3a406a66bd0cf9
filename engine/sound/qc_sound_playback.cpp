// Play, stop, pause, seek, the stream refill of QC_SOUND and how soon it is wanted again.
#include "engine/service/qc_log.h"
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_lock.h"
#include "engine/sound/qc_sound_wake.h"

#include <algorithm>

namespace QOR {

namespace {

// How often a playing whole sound is looked at to notice that it has played out.
constexpr std::chrono::milliseconds kWholeSoundLook{100};

}  // namespace

bool QC_SOUND::fPlay() {
  if (!isOpened()) return false;
  QC_SOUND_LOCK lock;
  if (_playing) return true;
  // A stream that let its data go while stopped reads it again and queues its start.
  if (_streamed && _decoder == nullptr) {
    if (!fReopenDecoder()) return false;
    fFillQueue(false);
  }
  _playing = true;
  alSourcePlay(_al._source);
  fCheckAL(3);
  QC_SOUND_WAKE::fWake();
  return false;
}

void QC_SOUND::fStop() {
  if (!isOpened()) return;
  QC_SOUND_LOCK lock;
  if (_reader) {
    fDropStreamData();
  } else if (_streamed) {
    fRebuildQueue(0);
  } else {
    // Its samples sit in the source's buffer: a stopped source starts again from the first.
    alSourceStop(_al._source);
  }
  _playing = false;
}

void QC_SOUND::fPause() {
  if (!isOpened()) return;
  QC_SOUND_LOCK lock;
  // A paused source keeps its place and its queue; the next play resumes exactly there.
  alSourcePause(_al._source);
  _playing = false;
}

void QC_SOUND::fSeek(int sample) {
  if (!isOpened()) return;
  QC_SOUND_LOCK lock;
  if (_streamed) {
    if (sample < 0 || sample > _totalSamples || !fReopenDecoder()) return;
    fRebuildQueue(sample);
  } else {
    // The whole sound already sits in its buffer: the source itself is moved to the sample.
    if (sample < 0 || (sample > 0 && sample >= _wholeSamples)) return;
    alSourceStop(_al._source);
    alSourcei(_al._source, AL_SAMPLE_OFFSET, sample);
  }
  alSourcePlay(_al._source);
  fCheckAL(3);
  // The source plays now, so the flag says so and the sound thread keeps it filled.
  _playing = true;
  QC_SOUND_WAKE::fWake();
}

void QC_SOUND::fRestart() {
  if (!isOpened()) return;
  QC_SOUND_LOCK lock;
  // A stream that holds its data only while it plays starts from a stop alone: a seek would read
  // the data once more just to let it go again.
  if (!_reader) fSeek(0);
  fStop();
  fPlay();
}

void QC_SOUND::fSetLooping(bool looping) {
  _looping = looping;
  if (!isOpened() || _streamed) return;
  // A whole sound loops in OpenAL itself; a stream loops by rewinding its decoder.
  QC_SOUND_LOCK lock;
  alSourcei(_al._source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
}

int QC_SOUND::fFillForQueue(ALuint buffer) {
  int filled = fFillBuffer(buffer);
  if (filled == 0 && _looping) {
    ov_pcm_seek(_decoder.get(), 0);
    filled = fFillBuffer(buffer);
  }
  if (filled == 0) _endOfData = true;
  return filled;
}

void QC_SOUND::fRebuildQueue(ogg_int64_t sample) {
  // A stop marks every queued buffer processed and a later play would start again at the head of
  // the old queue; dropping the queue and decoding afresh from the sample avoids that stale audio.
  alSourceStop(_al._source);
  alSourcei(_al._source, AL_BUFFER, 0);
  fCheckAL(10);
  int moved = ov_pcm_seek(_decoder.get(), sample);
  // A stream whose granule positions are damaged may refuse a sample seek; its start is still known.
  if (moved != 0 && sample == 0) moved = ov_raw_seek(_decoder.get(), 0);
  if (moved != 0) {
    _endOfData = true;
    return;
  }
  fFillQueue(false);
}

void QC_SOUND::fFillQueue(bool logFill) {
  _endOfData = false;
  for (ALuint buffer : _buffers) {
    _al._buffer = buffer;
    const int filled = fFillForQueue(buffer);
    if (logFill && filled < 0) fLog("UNERROR1");
    if (logFill && filled == 0) fLog("END1");
    if (filled > 0) {
      alSourceQueueBuffers(_al._source, 1, &buffer);
      fCheckAL(12);
    }
    if (_endOfData) break;
  }
}

void QC_SOUND::fStreamUpdate() {
  if (!isOpened() || !_playing) return;
  QC_SOUND_LOCK lock;
  ALint state = 0;
  if (!_streamed) {
    // A whole sound that has played out is stopped: the flag follows, so the next play restarts it.
    alGetSourcei(_al._source, AL_SOURCE_STATE, &state);
    if (state == AL_STOPPED) _playing = false;
    return;
  }
  ALint processed = 0;
  alGetSourcei(_al._source, AL_BUFFERS_PROCESSED, &processed);
  fCheckAL(2);
  for (; processed > 0; --processed) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(_al._source, 1, &buffer);
    if (fCheckAL(10)) break;
    _al._buffer = buffer;
    // After the end of the data the queue only drains, so the track's tail still plays.
    if (_endOfData) continue;
    const int filled = fFillForQueue(buffer);
    if (filled < 0) {
      fLog("UNERROR");
      continue;
    }
    if (filled == 0) continue;
    alSourceQueueBuffers(_al._source, 1, &buffer);
    fCheckAL(12);
  }
  alGetSourcei(_al._source, AL_SOURCE_STATE, &state);
  if (state == AL_PLAYING) return;
  ALint queued = 0;
  alGetSourcei(_al._source, AL_BUFFERS_QUEUED, &queued);
  if (queued > 0) {
    // Starved between two refills: go on with what was queued.
    alSourcePlay(_al._source);
    fCheckAL(3);
  } else {
    // Nothing left to play: the track is over. Rewind it and report it stopped.
    fStop();
  }
}

std::chrono::milliseconds QC_SOUND::fRefillPeriod() const {
  if (!isOpened() || !_playing) return QC_SOUND_WAKE::kUntilWoken;
  const long long bytesPerSecond = static_cast<long long>(_al._rate) * (_format == AL_FORMAT_MONO16 ? 2 : 4);
  if (!_streamed || bytesPerSecond <= 0) return kWholeSoundLook;
  // Refilled this often, the queue keeps about half its buffers ahead of the source.
  const double bufferMs = 1000.0 * _bufferSize / static_cast<double>(bytesPerSecond);
  const double wait = std::max(bufferMs * (_bufferCount - 1) / 2.0, bufferMs / 2.0);
  return std::chrono::milliseconds(std::max(1LL, static_cast<long long>(wait)));
}

}  // namespace QOR
