// Message arguments are pointer-wide words. A pointer or the bits of a float travel in them
// unchanged, copied bit for bit, so nothing is cut to 32 bits on a 64-bit machine.
#pragma once

#include <bit>
#include <cstdint>

namespace QOR {

template <typename T>
std::intptr_t fPointerToArg(T* pointer) {
  return std::bit_cast<std::intptr_t>(pointer);
}

template <typename T>
T* fArgToPointer(std::intptr_t argument) {
  return std::bit_cast<T*>(argument);
}

// The float's 32 bits in the low half of the word, the high half zero.
inline std::intptr_t fFloatToArg(float value) {
  return static_cast<std::intptr_t>(std::bit_cast<std::uint32_t>(value));
}

// The float whose bits are the low 32 bits of the word.
inline float fArgToFloat(std::intptr_t argument) {
  return std::bit_cast<float>(static_cast<std::uint32_t>(static_cast<std::uintptr_t>(argument)));
}

static_assert(sizeof(std::intptr_t) == sizeof(void*), "a message argument holds a pointer");

}  // namespace QOR
