#include "engine/sound/qc_sound.h"

#include "engine/service/qc_log.h"
#include "engine/sound/qc_sound_lock.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace QOR {

namespace {

// The most streaming buffers one sound may ask for.
constexpr int kMaxStreamBuffers = 64;
// A whole sound larger than this (about 12 minutes of 44.1 kHz stereo) is refused: its length comes
// from the stream's own granule positions, which damaged data can make arbitrarily large.
constexpr ogg_int64_t kMaxWholeBytes = 128ll * 1024 * 1024;
// Gaps in the data skipped within one buffer fill before the fill gives up.
constexpr int kMaxHolesPerFill = 64;

int fBadData() {
  fLog("Bad loaded data sound");
  return -112;
}

}  // namespace

QC_SOUND::QC_SOUND() { QC_THREAD::fInitMutexes(); }

QC_SOUND::~QC_SOUND() { fClose(); }

void QC_SOUND::fClose() {
  QC_SOUND_LOCK lock;
  fRelease();
}

void QC_SOUND::fRelease() {
  // Source and buffer names belong to their context: delete them only there. The source goes
  // first so that it lets go of its queued buffers.
  if (_context.load() != nullptr && alcGetCurrentContext() == _context.load()) {
    if (_al._source != 0) alDeleteSources(1, &_al._source);
    if (!_buffers.empty()) alDeleteBuffers(static_cast<ALsizei>(_buffers.size()), _buffers.data());
    alGetError();
  }
  _al = QC_SOUND_SOURCE{};
  _buffers.clear();
  if (_decoder != nullptr) ov_clear(_decoder.get());
  _decoder.reset();
  _reader = nullptr;
  std::vector<std::uint8_t>().swap(_ownData);
  _scratch.clear();
  _scratch.shrink_to_fit();
  if (_keptTags) vorbis_comment_clear(&_keptComment);
  _keptTags = false;
  _comment = nullptr;
  _info = nullptr;
  _context = nullptr;
  _playing = false;
}

int QC_SOUND::fOpen(const void* data, int size, int bufferCount, bool streamed) {
  QC_SOUND_LOCK lock;
  ALCcontext* context = alcGetCurrentContext();
  if (context == nullptr) return -113;
  fRelease();
  if (data == nullptr || size <= 0) return fBadData();

  _bufferCount = bufferCount;
  _streamed = streamed;
  _memory = QS_OGG_MEMORY{static_cast<const std::uint8_t*>(data), size, 0};
  _decoder = std::make_unique<OggVorbis_File>();
  // On failure vorbisfile clears the decoder state itself and does not call the close callback.
  if (ov_open_callbacks(&_memory, _decoder.get(), nullptr, 0, fOggMemoryCallbacks()) < 0) {
    _decoder.reset();
    return fBadData();
  }
  _comment = ov_comment(_decoder.get(), -1);
  _info = ov_info(_decoder.get(), -1);
  // Only mono and stereo have a 16-bit OpenAL format; other layouts would play as noise.
  if (_info == nullptr || _info->channels < 1 || _info->channels > 2 || _info->rate <= 0) {
    fRelease();
    return fBadData();
  }
  _format = _info->channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
  _al._rate = static_cast<int>(_info->rate);
  _totalSamples = ov_pcm_total(_decoder.get(), -1);
  if (_totalSamples < 0) _totalSamples = 0;

  if (_streamed) {
    _bufferSize = kStreamBufferSize;
    if (_bufferCount < 1) _bufferCount = 1;
    if (_bufferCount > kMaxStreamBuffers) _bufferCount = kMaxStreamBuffers;
  } else {
    // Four bytes per sample frame whatever the channel count: only the decoded bytes are uploaded.
    if (_totalSamples > kMaxWholeBytes / 4) {
      fRelease();
      return fBadData();
    }
    _bufferSize = static_cast<int>(_totalSamples * 4);
    _bufferCount = 1;
  }
  _scratch.resize(static_cast<std::size_t>(_bufferSize));

  fMakeNames();
  _context = context;
  _endOfData = false;
  if (_streamed) {
    fFillQueue(true);
  } else {
    fUploadWhole(true);
  }
  fSetPosition(0.0f, 0.0f, 0.0f);
  _playing = false;
  fCheckAL(4);
  return 1;
}

void QC_SOUND::fMakeNames() {
  alGenSources(1, &_al._source);
  if (_streamed) {
    alSourcei(_al._source, AL_LOOPING, AL_FALSE);
    fCheckAL(0);
  }
  _buffers.clear();
  for (int i = 0; i < _bufferCount; ++i) {
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    fCheckAL(100);
    _buffers.push_back(buffer);
  }
}

void QC_SOUND::fUploadWhole(bool logFill) {
  _al._buffer = _buffers.front();
  const int filled = fFillBuffer(_al._buffer);
  if (logFill && filled < 0) fLog("UNERROR1");
  if (logFill && filled == 0) fLog("END1");
  alSourcei(_al._source, AL_BUFFER, static_cast<ALint>(_al._buffer));
  const int frameBytes = _info->channels * 2;
  _wholeSamples = filled > 0 ? filled / frameBytes : 0;
  // OpenAL holds its own copy of the samples: neither the decoded block nor the decoder is kept.
  std::vector<char>().swap(_scratch);
  fCloseDecoder();
}

void QC_SOUND::fMoveTo(ALCcontext* from, ALCcontext* to) {
  QC_SOUND_LOCK lock;
  if (from == nullptr || to == nullptr || _context.load() != from) return;
  // A one-shot effect's moment has passed; a stream, or a sound that loops, plays on.
  const bool resume = _playing && (_streamed || _looping);
  const bool keepsPlace = _streamed && _decoder != nullptr;
  ogg_int64_t place = 0;
  alcMakeContextCurrent(from);
  if (keepsPlace) {
    ALint state = AL_INITIAL;
    alGetSourcei(_al._source, AL_SOURCE_STATE, &state);
    // A stopped stream waits at its start; a playing or paused one goes on where its decoder is.
    if (_playing || state == AL_PAUSED) place = ov_pcm_tell(_decoder.get());
  }
  if (_al._source != 0) alDeleteSources(1, &_al._source);
  if (!_buffers.empty()) alDeleteBuffers(static_cast<ALsizei>(_buffers.size()), _buffers.data());
  alGetError();
  alcMakeContextCurrent(to);
  _al._source = 0;
  fMakeNames();
  _context = to;
  alSourcef(_al._source, AL_GAIN, _gain.load());
  const ALfloat position[3] = {_al._position.x, _al._position.y, _al._position.z};
  alSourcefv(_al._source, AL_POSITION, position);
  if (!_streamed) {
    alSourcei(_al._source, AL_LOOPING, _looping ? AL_TRUE : AL_FALSE);
    // The samples lived in the old device's buffer: they are decoded again from the sound's data,
    // which the mixer keeps registered as read for as long as the sound exists.
    _memory._position = 0;
    auto decoder = std::make_unique<OggVorbis_File>();
    if (ov_open_callbacks(&_memory, decoder.get(), nullptr, 0, fOggMemoryCallbacks()) == 0) {
      if (_keptTags) vorbis_comment_clear(&_keptComment);
      _keptTags = false;
      _decoder = std::move(decoder);
      _info = ov_info(_decoder.get(), -1);
      _comment = ov_comment(_decoder.get(), -1);
      fUploadWhole(false);
    } else {
      _wholeSamples = 0;
      fBadData();
    }
  } else if (keepsPlace) {
    fRebuildQueue(place);
  }
  _playing = resume;
  if (resume) alSourcePlay(_al._source);
  fCheckAL(4);
}

void QC_SOUND::fCloseDecoder() {
  if (_decoder == nullptr) return;
  if (_keptTags) vorbis_comment_clear(&_keptComment);
  _keptInfo = *_info;
  _keptInfo.codec_setup = nullptr;
  vorbis_comment_init(&_keptComment);
  if (_comment != nullptr) {
    for (int i = 0; i < _comment->comments; ++i) {
      if (_comment->user_comments[i] != nullptr) vorbis_comment_add(&_keptComment, _comment->user_comments[i]);
    }
    // vorbis_comment_clear frees the vendor text with free().
    if (_comment->vendor != nullptr) _keptComment.vendor = strdup(_comment->vendor);
  }
  _keptTags = true;
  _info = &_keptInfo;
  _comment = &_keptComment;
  ov_clear(_decoder.get());
  _decoder.reset();
}

bool QC_SOUND::fReopenDecoder() {
  if (_decoder != nullptr) return true;
  std::vector<std::uint8_t> data;
  if (!_reader || !_reader(data) || data.empty() || data.size() > static_cast<std::size_t>(INT32_MAX)) {
    fBadData();
    return false;
  }
  _ownData = std::move(data);
  _memory = QS_OGG_MEMORY{_ownData.data(), static_cast<std::int64_t>(_ownData.size()), 0};
  auto decoder = std::make_unique<OggVorbis_File>();
  if (ov_open_callbacks(&_memory, decoder.get(), nullptr, 0, fOggMemoryCallbacks()) < 0) {
    fDropStreamData();
    fBadData();
    return false;
  }
  vorbis_info* info = ov_info(decoder.get(), -1);
  if (info == nullptr || info->channels != _keptInfo.channels || info->rate != _keptInfo.rate) {
    ov_clear(decoder.get());
    fDropStreamData();
    fBadData();
    return false;
  }
  _decoder = std::move(decoder);
  _info = info;
  _comment = ov_comment(_decoder.get(), -1);
  vorbis_comment_clear(&_keptComment);
  _keptTags = false;
  _endOfData = false;
  return true;
}

void QC_SOUND::fDropStreamData() {
  alSourceStop(_al._source);
  alSourcei(_al._source, AL_BUFFER, 0);
  fCheckAL(10);
  fCloseDecoder();
  std::vector<std::uint8_t>().swap(_ownData);
  _memory = QS_OGG_MEMORY{};
  _endOfData = true;
}

bool QC_SOUND::fSetDataReader(QF_DATA_READER read) {
  if (!isOpened() || !_streamed || !read) return false;
  QC_SOUND_LOCK lock;
  if (_playing || _decoder == nullptr) return false;
  // A paused stream keeps its place, which only its decoder knows.
  ALint state = 0;
  alGetSourcei(_al._source, AL_SOURCE_STATE, &state);
  if (state == AL_PAUSED) return false;
  _reader = std::move(read);
  fDropStreamData();
  return true;
}

int QC_SOUND::fFillBuffer(ALuint buffer) {
  if (_decoder == nullptr || _info == nullptr) return -1;
  const int frameBytes = _info->channels * 2;
  if (_scratch.size() < static_cast<std::size_t>(_bufferSize)) _scratch.resize(static_cast<std::size_t>(_bufferSize));
  char* scratch = _scratch.data();
  int filled = 0;
  int holes = 0;
  long failure = 0;
  while (_bufferSize - filled >= frameBytes) {
    int section = 0;
    const long got = ov_read(_decoder.get(), scratch + filled, _bufferSize - filled, 0, 2, 1, &section);
    if (got == 0) break;
    if (got == OV_HOLE && ++holes <= kMaxHolesPerFill) continue;  // a gap: decoding goes on after it
    if (got < 0) {
      failure = got;
      break;
    }
    // A chained stream may change its layout: what follows in another format counts as the end.
    const vorbis_info* link = ov_info(_decoder.get(), section);
    if (link == nullptr || link->channels != _info->channels || link->rate != _info->rate) break;
    filled += static_cast<int>(got);
  }
  if (filled == 0 && failure < 0) return static_cast<int>(failure);
  alBufferData(buffer, _format, scratch, filled, _al._rate);
  if (alGetError() != AL_NO_ERROR) {
    fLog() << "Unbuffer is " << buffer << " fill size is " << filled << " pcm pointer "
           << static_cast<const void*>(scratch);
  }
  return filled;
}

bool QC_SOUND::fCheckAL(int step) {
  const ALenum error = alGetError();
  if (error == AL_NO_ERROR) return false;
  const ALchar* text = alGetString(error);
  fLog() << "! Al error : " << step << ' ' << (text != nullptr ? text : "");
  return true;
}

void QC_SOUND::fSetVolume(float gain) {
  if (!isOpened()) return;
  // OpenAL refuses a gain that is not a finite number of at least 0.
  if (!std::isfinite(gain) || gain < 0.0f) gain = 0.0f;
  _gain = gain;
  // Under the lock: the sound thread may be moving the source to a new device.
  QC_SOUND_LOCK lock;
  alSourcef(_al._source, AL_GAIN, gain);
}

void QC_SOUND::fSetPosition(float x, float y, float z) {
  if (!isOpened()) return;
  QC_SOUND_LOCK lock;
  _al._position.fSet(x, y, z);
  const ALfloat position[3] = {x, y, z};
  alSourcefv(_al._source, AL_POSITION, position);
}

}  // namespace QOR
