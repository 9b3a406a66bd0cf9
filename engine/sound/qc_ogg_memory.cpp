#include "engine/sound/qc_ogg_memory.h"

#include <cstring>

namespace QOR {

std::size_t fOggRead(void* destination, std::size_t size, std::size_t count, void* state) {
  auto* memory = static_cast<QS_OGG_MEMORY*>(state);
  if (memory == nullptr || destination == nullptr || size == 0 || count == 0) return 0;
  if (memory->_data == nullptr || memory->_position < 0 || memory->_position >= memory->_size) return 0;
  const auto left = static_cast<std::size_t>(memory->_size - memory->_position);
  // Whole items only, and never more than is left; the item count cannot overflow this way.
  std::size_t items = left / size;
  if (items > count) items = count;
  const std::size_t bytes = items * size;
  std::memcpy(destination, memory->_data + memory->_position, bytes);
  memory->_position += static_cast<std::int64_t>(bytes);
  return items;
}

int fOggSeek(void* state, ogg_int64_t offset, int whence) {
  auto* memory = static_cast<QS_OGG_MEMORY*>(state);
  if (memory == nullptr) return -1;
  std::int64_t base = 0;
  switch (whence) {
    case 0: base = 0; break;
    case 1: base = memory->_position; break;
    case 2: base = memory->_size; break;
    default: return -1;
  }
  // Both operands lie within the data, so only an offset beyond it can leave 0..size.
  if (offset < -base || offset > memory->_size - base) return -1;
  memory->_position = base + offset;
  return 0;
}

int fOggClose(void* /*state*/) { return 0; }

long fOggTell(void* state) {
  const auto* memory = static_cast<const QS_OGG_MEMORY*>(state);
  return memory == nullptr ? -1 : static_cast<long>(memory->_position);
}

ov_callbacks fOggMemoryCallbacks() {
  ov_callbacks callbacks;
  callbacks.read_func = &fOggRead;
  callbacks.seek_func = &fOggSeek;
  callbacks.close_func = &fOggClose;
  callbacks.tell_func = &fOggTell;
  return callbacks;
}

}  // namespace QOR
