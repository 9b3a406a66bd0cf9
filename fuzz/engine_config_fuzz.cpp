// Fuzz target of the settings file reader: each input is read as config.xml over fixed current
// settings. Whatever it holds, the names that come out are plain folder names (they build the
// path of the next save), the resolution is the old one or lies in 320 to 16384, a text that does
// not parse changes nothing, and what is read writes and reads back to the same settings.
#include "engine/service/qs_engine_config.h"

#include <cstdint>
#include <iostream>

namespace {

bool same(const QOR::QS_ENGINE_CONFIG& a, const QOR::QS_ENGINE_CONFIG& b) {
  return a._gameName == b._gameName && a._companyName == b._companyName && a._resolution.x == b._resolution.x &&
         a._resolution.y == b._resolution.y;
}

bool inRange(int side) { return side >= QOR::QC_CONFIG_RESOLUTION_MIN && side <= QOR::QC_CONFIG_RESOLUTION_MAX; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  std::cout.rdbuf(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QOR::QS_ENGINE_CONFIG before{"Quillon Game", "Quillon", QOR::QS_POINT(1024, 768)};
  QOR::QS_ENGINE_CONFIG config = before;
  if (QOR::fReadEngineConfig(data, size, config) != 1) {
    if (!same(config, before)) __builtin_trap();
    return 0;
  }
  if (!QOR::fIsPlainFolderName(config._gameName) || !QOR::fIsPlainFolderName(config._companyName)) __builtin_trap();
  const bool keptResolution = config._resolution.x == 1024 && config._resolution.y == 768;
  if (!keptResolution && !(inRange(config._resolution.x) && inRange(config._resolution.y))) __builtin_trap();

  const std::string text = QOR::fEngineConfigText(config);
  QOR::QS_ENGINE_CONFIG again{"other", "other", QOR::QS_POINT(640, 480)};
  if (QOR::fReadEngineConfig(text.data(), text.size(), again) != 1 || !same(again, config)) __builtin_trap();
  return 0;
}
