#include "behaviours/qc_particle_system.h"

#include "engine/math/float_to_int.h"
#include "engine/platform/qc_random.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace QOR {

namespace {

constexpr float kTwoPi = 6.2831855f;

// Alpha blend, additive (the multiply flag), point filter; textured point sprites.
QC_RENDER_STATE particleState() {
  QC_RENDER_STATE state;
  state.fSet(QC_RENDER_STATE::kAlphaBlend, true);
  state.fSet(QC_RENDER_STATE::kAdditive, true);
  state.fSetFilter(1);
  state.fSet(QC_RENDER_STATE::kTextured, true);
  state.fSetPrimitive(3);
  return state;
}

// (x, y) turned by the angle in radians.
void rotate(float& x, float& y, float angle) {
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const float rx = x * c - y * s;
  const float ry = x * s + y * c;
  x = rx;
  y = ry;
}

void deleteChain(QC_PARTICLE* particle) {
  while (particle != nullptr) {
    QC_PARTICLE* next = particle->_next;
    delete particle;
    particle = next;
  }
}

}  // namespace

QC_PARTICLE_SYSTEM::QC_PARTICLE_SYSTEM(QC_TEXTURE_INFO* texture, const QC_PARTICLE* particleTemplate)
    : _liveCount(0),
      _maxCount(kDefaultMaxCount),
      _gravity(0.0f, 140.0f, 0.0f),
      _velocity(0.0f, 150.0f, 0.0f),
      _spreadAngle(0.0f),
      _startColor(0xFFFFFFFFu),
      _middleColor(0xFF00FF00u),
      _endColor(0x88FFF700u),
      _renderState(particleState()),
      _liveHead(nullptr),
      _freeHead(nullptr),
      _active(false),
      _frequency(1.0f),
      _period(1.0f),
      _clock(0.0f),
      _texture(texture),
      _textureHeight(texture != nullptr ? texture->fGetHeight() : 0),
      _area{0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
      _random(nullptr),
      _release(nullptr) {
  if (particleTemplate != nullptr) {
    _template = *particleTemplate;
  } else {
    _template._base._position = QS_VEC3(0.0f, 0.0f, 0.0f);
    _template._base._size = static_cast<float>(_textureHeight);
    _template._base._color = _startColor.fGetARGB();
    _template._life = 1.0f;
    _template._lifetime = 2.0f;
    _template._velocity = _velocity;
    _template._spare[0] = _template._spare[1] = _template._spare[2] = 0.0f;
  }
  _template._next = nullptr;
  _template._prev = nullptr;
}

QC_PARTICLE_SYSTEM::~QC_PARTICLE_SYSTEM() {
  deleteChain(_liveHead);
  deleteChain(_freeHead);
  if (_release != nullptr && _texture != nullptr) _release(_texture);
}

void QC_PARTICLE_SYSTEM::fInitParticle(QC_PARTICLE_SYSTEM*, QC_PARTICLE*) {}

void QC_PARTICLE_SYSTEM::fUpdateParticle(QC_PARTICLE_SYSTEM*, QC_PARTICLE*) {}

QC_RANDOM& QC_PARTICLE_SYSTEM::fRandom() const {
  if (_random != nullptr) return *_random;
  if (qcCurrentRandom != nullptr) return *qcCurrentRandom;
  static QC_RANDOM fallback(0);
  return fallback;
}

void QC_PARTICLE_SYSTEM::fSetFrequency(float frequency) {
  _frequency = frequency;
  // No births rather than a division by zero, or a NaN period that would let every step emit.
  _period = frequency > 0.0f ? 1.0f / frequency : std::numeric_limits<float>::infinity();
}

void QC_PARTICLE_SYSTEM::fSetTexture(QC_TEXTURE_INFO* texture) {
  if (_release != nullptr && _texture != nullptr && _texture != texture) _release(_texture);
  _release = nullptr;
  _texture = texture;
  _textureHeight = texture != nullptr ? texture->fGetHeight() : 0;
}

void QC_PARTICLE_SYSTEM::fHoldTexture(QC_TEXTURE_INFO* texture, QF_TEXTURE_RELEASE release) {
  fSetTexture(texture);
  _release = release;
}

void QC_PARTICLE_SYSTEM::fSetArea(float x, float y, float w, float h) {
  _area[0] = x - w / 2.0f;
  _area[1] = y - h / 2.0f;
  _area[2] = x + w / 2.0f;
  _area[3] = y + h / 2.0f;
  _area[4] = 0.0f;
}

void QC_PARTICLE_SYSTEM::fSetPoint(float x, float y, float r) {
  _area[0] = x;
  _area[1] = y;
  _area[2] = 0.0f;
  _area[3] = 0.0f;
  _area[4] = r;
}

void QC_PARTICLE_SYSTEM::fSetPosition(float x, float y) {
  if (_area[2] != 0.0f && _area[3] != 0.0f) {
    fSetArea(x, y, _area[2] - _area[0], _area[3] - _area[1]);
  } else {
    _area[0] = x;
    _area[1] = y;
  }
}

void QC_PARTICLE_SYSTEM::fStart() {
  _active = true;
  _clock = _period;
  fEmit(false);
}

void QC_PARTICLE_SYSTEM::fEmit(bool forced) {
  if (!_active) return;
  if (!forced && (_liveCount >= _maxCount || _period > _clock)) return;
  QC_PARTICLE* particle = new QC_PARTICLE(_template);
  particle->_base._color = _startColor.fGetARGB();
  QC_RANDOM& random = fRandom();
  if (_area[2] != 0.0f) {
    particle->_base._position.x = static_cast<float>(random.fRandInt(fTruncateToInt(_area[0]), fTruncateToInt(_area[2])));
    particle->_base._position.y = static_cast<float>(random.fRandInt(fTruncateToInt(_area[1]), fTruncateToInt(_area[3])));
  } else {
    const float rho = random.fRandFloat(0.0f, _area[4]);
    const float phi = random.fRandFloat(0.0f, kTwoPi);
    particle->_base._position.x = _area[0] + rho * std::cos(phi);
    particle->_base._position.y = _area[1] + rho * std::sin(phi);
  }
  // The direction lies within half the spread on either side of the system's velocity.
  float vx = _velocity.x;
  float vy = _velocity.y;
  rotate(vx, vy, _spreadAngle / 2.0f);
  rotate(vx, vy, -random.fRandFloat(0.0f, _spreadAngle));
  particle->_velocity.x = vx;
  particle->_velocity.y = vy;
  fInitParticle(this, particle);
  particle->_prev = nullptr;
  particle->_next = _liveHead;
  if (_liveHead != nullptr) _liveHead->_prev = particle;
  _liveHead = particle;
  ++_liveCount;
  if (!forced) _clock = 0.0f;
}

void QC_PARTICLE_SYSTEM::fBurst(int n) {
  for (int i = 0; i < n; ++i) fEmit(true);
}

void QC_PARTICLE_SYSTEM::fBurstAt(int n, float x, float y) {
  float saved[5];
  for (int i = 0; i < 5; ++i) saved[i] = _area[i];
  fSetPoint(x, y, 0.0f);
  fBurst(n);
  for (int i = 0; i < 5; ++i) _area[i] = saved[i];
}

void QC_PARTICLE_SYSTEM::fFreeParticle(QC_PARTICLE* particle) {
  if (particle == nullptr) return;
  if (particle->_prev != nullptr) {
    particle->_prev->_next = particle->_next;
  } else if (_liveHead == particle) {
    _liveHead = particle->_next;
  }
  if (particle->_next != nullptr) particle->_next->_prev = particle->_prev;
  particle->_prev = nullptr;
  particle->_next = _freeHead;
  _freeHead = particle;
  --_liveCount;
}

void QC_PARTICLE_SYSTEM::fClear() {
  deleteChain(_liveHead);
  _liveHead = nullptr;
  _liveCount = 0;
}

void QC_PARTICLE_SYSTEM::fDeleteFreeList() {
  deleteChain(_freeHead);
  _freeHead = nullptr;
}

void QC_PARTICLE_SYSTEM::fUpdate() {
  const float dt = qcFrameTime;
  QC_PARTICLE* particle = _liveHead;
  while (particle != nullptr) {
    QC_PARTICLE* next = particle->_next;
    // Written as "not at least 0" so that a life that is not a number dies too.
    if (!(particle->_life >= 0.0f)) {
      fFreeParticle(particle);
      particle = next;
      continue;
    }
    // A lifetime of zero or less ends the particle instead of dividing by it.
    particle->_life = particle->_lifetime > 0.0f ? particle->_life - dt / particle->_lifetime : -1.0f;
    const float life = particle->_life;
    const QC_COLORF colour = life > 0.5f ? _startColor + (_middleColor - _startColor) * ((1.0f - life) * 2.0f)
                                         : _middleColor + (_endColor - _middleColor) * (1.0f - 2.0f * life);
    particle->_base._color = colour.fGetARGB();
    particle->_velocity += _gravity * dt;
    particle->_base._position += particle->_velocity * dt;
    fUpdateParticle(this, particle);
    particle = next;
  }
  _clock += dt;
  fEmit(false);
  fDeleteFreeList();
}

void QC_PARTICLE_SYSTEM::fDebugDump() const {
  fLog("==== PARTIC_DEBUG ==============");
  for (const QC_PARTICLE* particle = _liveHead; particle != nullptr; particle = particle->_next) {
    fLog() << reinterpret_cast<std::uintptr_t>(particle->_prev) << " <- [" << particle->_life << "] -> "
           << reinterpret_cast<std::uintptr_t>(particle->_next);
  }
}

void QC_PARTICLE_SYSTEM_EX::fInitParticle(QC_PARTICLE_SYSTEM*, QC_PARTICLE* particle) {
  particle->_base._size = _startSize;
}

void QC_PARTICLE_SYSTEM_EX::fUpdateParticle(QC_PARTICLE_SYSTEM*, QC_PARTICLE* particle) {
  const float dt = qcFrameTime;
  if (particle->_lifetime > 0.0f) particle->_base._size += (_endSize - _startSize) * dt / particle->_lifetime;
  QS_VEC3 direction = particle->_velocity;
  direction.fNormalize();
  particle->_velocity += direction * (_radial * dt);
  particle->_velocity += QS_VEC3(-direction.y, direction.x, direction.z) * (_tangent * dt);
}

}  // namespace QOR
