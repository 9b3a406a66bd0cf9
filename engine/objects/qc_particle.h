// One particle of a particle system's live list: the point-vertex part the renderer draws, the
// particle's life and motion, and the links of the list.
#pragma once

#include "engine/math/qs_vec3.h"
#include "engine/objects/qc_base_particle.h"

#include <cstddef>
#include <type_traits>

namespace QOR {

class QC_PARTICLE {
 public:
  QC_BASE_PARTICLE _base;  // drawn as it lies
  float _life;             // remaining fraction of the life: 1 at birth, below 0 dead
  float _lifetime;         // seconds
  QS_VEC3 _velocity;       // pixels per second
  float _spare[3];         // carried and copied, never read
  QC_PARTICLE* _next;      // the next live particle; null at the end of the list
  QC_PARTICLE* _prev;

  QC_PARTICLE() : _life(1.0f), _lifetime(0.0f), _spare{0.0f, 0.0f, 0.0f}, _next(nullptr), _prev(nullptr) {
    _base._size = 0.0f;
    _base._color = 0u;
  }
  // Field by field, the links included.
  QC_PARTICLE& operator=(const QC_PARTICLE& other) = default;
  QC_PARTICLE(const QC_PARTICLE& other) = default;

  void fSetLifetime(float seconds) { _lifetime = seconds; }
  const QC_PARTICLE* fGetNext() const { return _next; }
};

static_assert(std::is_standard_layout_v<QC_PARTICLE>, "a particle is plain data");
static_assert(offsetof(QC_PARTICLE, _base) == 0, "a particle begins with its point vertex");
static_assert(offsetof(QC_PARTICLE, _life) == sizeof(QS_POINT_VERTEX), "the particle's own fields follow the 20 bytes");
static_assert(offsetof(QC_PARTICLE, _next) > offsetof(QC_PARTICLE, _spare) &&
                  offsetof(QC_PARTICLE, _prev) == offsetof(QC_PARTICLE, _next) + sizeof(QC_PARTICLE*),
              "the links close the particle, next before prev");
static_assert(offsetof(QC_PARTICLE, _next) % alignof(QC_PARTICLE*) == 0, "the link is pointer-aligned");

}  // namespace QOR
