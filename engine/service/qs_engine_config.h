// The values of the engine's settings file, config.xml, and its text: one element
// "quillon_settings" with the game name, the company name and the resolution.
#pragma once

#include "engine/math/qs_point.h"

#include <cstddef>
#include <string>

namespace QOR {

struct QS_ENGINE_CONFIG {
  std::string _gameName;
  std::string _companyName;
  QS_POINT _resolution;
};

// The longest name accepted from the file, in bytes.
inline constexpr std::size_t QC_CONFIG_NAME_MAX = 64;
// The range each side of a resolution read from the file must lie in.
inline constexpr int QC_CONFIG_RESOLUTION_MIN = 320;
inline constexpr int QC_CONFIG_RESOLUTION_MAX = 16384;

// A name that can stand as one folder of a path: not empty, at most 64 bytes of well-formed UTF-8
// that XML can hold, no '/' or '\', no control character, not "." or "..".
bool fIsPlainFolderName(const std::string& name);

// The file's bytes: a byte-order mark, the XML declaration and the one unindented element, its
// names made well-formed (engine/files/well_formed_xml.h).
std::string fEngineConfigText(const QS_ENGINE_CONFIG& config);

// Reads the file's bytes into config. A text that does not parse as a whole changes nothing and
// gives -1. Otherwise 1: the root's name is not checked, a missing attribute leaves its value,
// and a name that is not a plain folder name or a resolution that is not two whole numbers from
// 320 to 16384 is ignored with a log line.
int fReadEngineConfig(const void* bytes, std::size_t size, QS_ENGINE_CONFIG& config);

}  // namespace QOR
