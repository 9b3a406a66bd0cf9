// Numbers in the renderer's log lines, written the same way whatever locale the process has.
#pragma once

#include <string>

namespace QOR {

// The float in the stream's default form (six significant digits), always with a '.' point.
std::string fRenderFloatText(float value);
// "x y z" from three floats in that form.
std::string fRenderVectorText(float x, float y, float z);

}  // namespace QOR
