#include "engine/render/qs_vertex.h"

namespace QOR {

void QS_VERTEX::fTransform(const float* m) {
  const float px = x;
  const float py = y;
  const float pz = z;
  x = px * m[0] + py * m[4] + pz * m[8] + m[12];
  y = px * m[1] + py * m[5] + pz * m[9] + m[13];
  z = px * m[2] + py * m[6] + pz * m[10] + m[14];
}

}  // namespace QOR
