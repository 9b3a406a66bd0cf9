// The 2D particle emitter: textured point particles born from a point, a disc or a rectangle at a
// fixed frequency, moved by a start velocity spread over an angle and a constant gravity, coloured
// from a start through a middle to an end colour over their life, and drawn in one point-sprite
// batch. The live particles form a null-terminated list the renderer walks as it lies.
//
// QC_PARTICLE_SYSTEM_EX adds sizes growing from a start to an end size, and radial and tangential
// acceleration, through the two per-particle hooks.
#pragma once

#include "engine/math/qs_vec3.h"
#include "engine/objects/qc_particle.h"
#include "engine/render/qc_color.h"
#include "engine/render/qc_render_state.h"

#include <cstdint>

namespace QOR {

class QC_RANDOM;
class QC_TEXTURE_INFO;

class QC_PARTICLE_SYSTEM {
 public:
  static constexpr int kDefaultMaxCount = 8096;
  // Gives back a texture the system holds when it is destroyed (a subscription of the loader).
  using QF_TEXTURE_RELEASE = void (*)(QC_TEXTURE_INFO* texture);

  // The texture loaded by the renderer (none without a renderer); the template copied when
  // given, else the default one. Inactive, no particles.
  explicit QC_PARTICLE_SYSTEM(const char* textureFile, const QC_PARTICLE* particleTemplate = nullptr);
  explicit QC_PARTICLE_SYSTEM(QC_TEXTURE_INFO* texture, const QC_PARTICLE* particleTemplate = nullptr);
  // Deletes every particle and gives back a texture handed over with fHoldTexture.
  virtual ~QC_PARTICLE_SYSTEM();
  QC_PARTICLE_SYSTEM(const QC_PARTICLE_SYSTEM&) = delete;
  QC_PARTICLE_SYSTEM& operator=(const QC_PARTICLE_SYSTEM&) = delete;

  // One step on the frame delta: dead particles leave the list, the others age, take their colour
  // and move; then the clock advances and at most one particle is born.
  virtual void fUpdate();
  // The hooks of a newly born particle and of each living particle's step; empty here.
  virtual void fInitParticle(QC_PARTICLE_SYSTEM* system, QC_PARTICLE* particle);
  virtual void fUpdateParticle(QC_PARTICLE_SYSTEM* system, QC_PARTICLE* particle);

  // Draws the live particles as point sprites.
  void fRender();

  // Active, the clock at one period and one regular emission, so the first particle is born at once.
  void fStart();
  void fStop() { _active = false; }
  // One birth. Nothing while inactive; unforced, nothing at the maximum count or before a period
  // has passed since the last regular birth, which resets the clock.
  void fEmit(bool forced);
  // n forced births (the maximum and the clock ignored).
  void fBurst(int n);
  // n forced births from the point (x, y); the emission area is put back afterwards.
  void fBurstAt(int n, float x, float y);
  // Takes the particle out of the live list onto the free list (deleted by the next update).
  void fFreeParticle(QC_PARTICLE* particle);
  // Deletes every live particle.
  void fClear();
  // The live list in the log, one line per particle with its links and life.
  void fDebugDump() const;

  // Frequency in particles per second; the period is its inverse (no births for 0 or less).
  void fSetFrequency(float frequency);
  void fSetVelocity(float x, float y) { _velocity.fSet(x, y, 0.0f); }
  void fSetGravity(float x, float y) { _gravity.fSet(x, y, 0.0f); }
  void fSetMaxCount(int count) { _maxCount = count; }
  void fSetSpreadAngle(float radians) { _spreadAngle = radians; }
  // The multiply flag: additive blending of the particles.
  void fSetMultiply(bool on) { _renderState.fSet(QC_RENDER_STATE::kAdditive, on); }
  void fSetStartColor(std::uint32_t argb) { _startColor = QC_COLORF(argb); }
  void fSetAverColor(std::uint32_t argb) { _middleColor = QC_COLORF(argb); }
  void fSetEndColor(std::uint32_t argb) { _endColor = QC_COLORF(argb); }
  QC_PARTICLE* fGetTemplate() { return &_template; }
  // The texture and its height; the template's size stays.
  void fSetTexture(QC_TEXTURE_INFO* texture);
  // As fSetTexture; the system gives the texture back through release when it is destroyed.
  void fHoldTexture(QC_TEXTURE_INFO* texture, QF_TEXTURE_RELEASE release);
  // A w x h rectangle centred on (x, y).
  void fSetArea(float x, float y, float w, float h);
  // A point, or a disc of radius r, at (x, y).
  void fSetPoint(float x, float y, float r);
  // A rectangle is re-centred on (x, y) with its size kept; a point or disc moves there.
  void fSetPosition(float x, float y);
  // The generator of positions and directions; null (the default) uses the engine's current one.
  void fSetRandom(QC_RANDOM* random) { _random = random; }

  int fGetLiveCount() const { return _liveCount; }
  int fGetMaxCount() const { return _maxCount; }
  const QC_PARTICLE* fGetLiveHead() const { return _liveHead; }
  bool isActive() const { return _active; }
  float fGetFrequency() const { return _frequency; }
  float fGetPeriod() const { return _period; }
  float fGetClock() const { return _clock; }
  float fGetSpreadAngle() const { return _spreadAngle; }
  const QS_VEC3& fGetVelocity() const { return _velocity; }
  const QS_VEC3& fGetGravity() const { return _gravity; }
  const QC_COLORF& fGetStartColor() const { return _startColor; }
  const QC_COLORF& fGetAverColor() const { return _middleColor; }
  const QC_COLORF& fGetEndColor() const { return _endColor; }
  const QC_RENDER_STATE& fGetRenderState() const { return _renderState; }
  QC_TEXTURE_INFO* fGetTexture() const { return _texture; }
  int fGetTextureHeight() const { return _textureHeight; }
  // The emission area: (left, top, right, bottom, 0) for a rectangle, (x, y, 0, 0, r) otherwise.
  const float* fGetArea() const { return _area; }
  bool isRectangle() const { return _area[2] != 0.0f; }

 protected:
  QC_RANDOM& fRandom() const;
  void fDeleteFreeList();

  int _liveCount;
  int _maxCount;
  QS_VEC3 _gravity;
  QS_VEC3 _velocity;
  float _spreadAngle;  // radians
  QC_COLORF _startColor;
  QC_COLORF _middleColor;
  QC_COLORF _endColor;
  QC_RENDER_STATE _renderState;
  QC_PARTICLE _template;
  QC_PARTICLE* _liveHead;
  QC_PARTICLE* _freeHead;
  bool _active;
  float _frequency;
  float _period;
  float _clock;  // seconds since the last regular birth
  QC_TEXTURE_INFO* _texture;
  int _textureHeight;
  float _area[5];
  QC_RANDOM* _random;
  QF_TEXTURE_RELEASE _release;
};

class QC_PARTICLE_SYSTEM_EX : public QC_PARTICLE_SYSTEM {
 public:
  explicit QC_PARTICLE_SYSTEM_EX(const char* textureFile, const QC_PARTICLE* particleTemplate = nullptr)
      : QC_PARTICLE_SYSTEM(textureFile, particleTemplate) {}
  explicit QC_PARTICLE_SYSTEM_EX(QC_TEXTURE_INFO* texture, const QC_PARTICLE* particleTemplate = nullptr)
      : QC_PARTICLE_SYSTEM(texture, particleTemplate) {}

  // A new particle starts at the start size.
  void fInitParticle(QC_PARTICLE_SYSTEM* system, QC_PARTICLE* particle) override;
  // The size grows toward the end size over the lifetime; radial acceleration acts along the
  // direction of motion, tangential at right angles to it in the screen plane.
  void fUpdateParticle(QC_PARTICLE_SYSTEM* system, QC_PARTICLE* particle) override;

  void fSetStartSize(float size) { _startSize = size; }
  void fSetEndSize(float size) { _endSize = size; }
  void fSetTangent(float acceleration) { _tangent = acceleration; }
  void fSetRadial(float acceleration) { _radial = acceleration; }
  float fGetStartSize() const { return _startSize; }
  float fGetEndSize() const { return _endSize; }
  float fGetTangent() const { return _tangent; }
  float fGetRadial() const { return _radial; }

 private:
  float _startSize = 4.0f;
  float _endSize = 20.0f;
  float _tangent = 0.0f;
  float _radial = 0.0f;
};

}  // namespace QOR
