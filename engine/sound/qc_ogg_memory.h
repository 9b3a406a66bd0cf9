// The memory reader behind vorbisfile: read, seek, close and tell over an Ogg file held in memory
// (the bytes of a resource, owned by the resource loader).
#pragma once

#ifndef OV_EXCLUDE_STATIC_CALLBACKS
#define OV_EXCLUDE_STATIC_CALLBACKS
#endif
#include <vorbis/vorbisfile.h>

#include <cstddef>
#include <cstdint>

namespace QOR {

// The state the four callbacks work on: the data, its length and the reader's position.
struct QS_OGG_MEMORY {
  const std::uint8_t* _data = nullptr;
  std::int64_t _size = 0;
  std::int64_t _position = 0;
};

// Copies up to size * count bytes from the position on, never past the end, and advances the
// position; answers the number of whole items copied (bytes, as vorbisfile reads with size 1).
std::size_t fOggRead(void* destination, std::size_t size, std::size_t count, void* state);
// whence 0 (from the start), 1 (from the position) or 2 (from the end); answers 0, or -1 and keeps
// the position for any other whence or a target outside 0..size.
int fOggSeek(void* state, ogg_int64_t offset, int whence);
// The data belongs to the resource loader: nothing to close.
int fOggClose(void* state);
long fOggTell(void* state);

// The four callbacks in vorbisfile's order.
ov_callbacks fOggMemoryCallbacks();

}  // namespace QOR
