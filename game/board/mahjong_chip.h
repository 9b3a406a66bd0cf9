// One tile on the board: its cell and layer, its face, its special, bonus and fixed flags, whether
// it is free, and the short flight it makes once removed (a curve with a fading trail and a points
// popup). The board owns every chip and hands it the sprites it draws with; a chip owns no image.
#pragma once

#include "engine/math/qs_vec2.h"
#include "game/board/chip_trail.h"
#include "game/board/timed_values.h"

#include <cstdint>

namespace QOR {
class QC_SPRITE;
}

class MAHJONG_CHIP {
 public:
  // position is the cell's centre in screen pixels (before the layer shift); no face yet, free,
  // not fixed, not removing.
  MAHJONG_CHIP(QOR::QC_SPRITE* sprite, const QOR::QS_VEC2& position, std::int32_t layer, bool isbonus, bool isspecial);
  // Logs "delete chip " and the fixed flag.
  ~MAHJONG_CHIP();
  MAHJONG_CHIP(const MAHJONG_CHIP&) = delete;
  MAHJONG_CHIP& operator=(const MAHJONG_CHIP&) = delete;

  std::int32_t GetType() const { return m_type; }
  void SetType(std::int32_t type) { m_type = type; }
  std::int32_t GetLayer() const { return m_layer; }
  void SetLayer(std::int32_t layer) { m_layer = layer; }
  const QOR::QS_VEC2& GetPosition() const { return m_position; }
  const QOR::QS_VEC2& GetHomePosition() const { return m_home; }
  // The cell the tile stands on: where the level puts it, whatever motion shows it elsewhere. The
  // free rule, the deal and the level file work on cells.
  const QOR::QS_VEC2& GetCell() const { return m_cell; }
  // Places the tile: its cell, current and home position.
  void SetPosition(const QOR::QS_VEC2& position) { m_position = m_home = m_cell = position; }
  void SetPositionXY(float x, float y) { SetPosition(QOR::QS_VEC2(x, y)); }
  // The tile and its shadow shown away from the cell (drop-in, slide-out); the cell stays.
  void Displace(const QOR::QS_VEC2& position) { m_position = m_home = position; }
  // Only the current position (the removal flight).
  void MoveTo(const QOR::QS_VEC2& position) { m_position = position; }
  bool isBonus() const { return m_isBonus; }
  bool isSpecial() const { return m_isSpecial; }
  void SetSpecial(bool special) { m_isSpecial = special; }
  bool isFixed() const { return m_fixed; }
  void SetFixed(bool fixed) { m_fixed = fixed; }
  bool isRemoving() const { return m_removing; }
  QOR::QC_SPRITE* GetSprite() const { return m_sprite; }
  void SetSprite(QOR::QC_SPRITE* sprite) { m_sprite = sprite; }
  QOR::QC_SPRITE* GetBackSprite() const { return m_backSprite; }
  // Colour of the face sprite's vertex 0, and of the whole face sprite.
  std::uint32_t GetColor() const;
  void SetColor(std::uint32_t argb);

  bool isFlower() const;
  bool isSeason() const;
  // Free and not flying.
  bool isAvailable() const { return bFreee && !m_removing; }
  // The same cell (x and y compared exactly) and layer.
  bool SamePlace(const MAHJONG_CHIP& other) const;
  // Not itself nor a chip at the same place; equal faces, two flowers or two seasons.
  bool isMatch(const MAHJONG_CHIP* other) const;
  // The mouse lies on the face rectangle (edges included).
  bool isUnderMouse() const;

  // The highlight alpha runs to end over the duration.
  void StartAlphaAnim(std::int32_t end, float duration);
  void PlayCollapseSound() const;
  // Starts the removal flight once: the trail follows the face sprite and the back sprite.
  void StartRemove();
  // Every frame: while flying the face sprite follows the chip and the trail samples; the
  // highlight animator runs. Returns 0.
  int Update(float dt);
  // Draws the back at the layer-shifted place, the face one layer offset above it, the additive
  // highlight and the overlay; the trail first while flying.
  void Render(QOR::QC_SPRITE* back, bool highlight, QOR::QC_SPRITE* overlay);
  // Draws the shadow sprite under the chip (at its home cell until the flight has begun).
  void PlaceSprite(QOR::QC_SPRITE* sprite) const;

  // The layer-shifted place of the back: (x + layer x layer offset, y - layer x layer offset).
  QOR::QS_VEC2 BackPlace() const;

  QOR::QC_SPRITE* m_sprite = nullptr;      // face sprite (the board's atlas or an editor marker)
  QOR::QC_SPRITE* m_backSprite = nullptr;  // back sprite of the first Render, for the trail
  QOR::QS_VEC2 m_position;
  QOR::QS_VEC2 m_home;
  QOR::QS_VEC2 m_cell;  // the level's cell (see GetCell)
  std::int32_t m_layer = 0;
  std::int32_t m_type = -1;
  bool m_isBonus = false;
  bool m_isSpecial = false;
  std::int32_t m_alpha = 0;
  INT_ANIMATOR m_alphaAnim;
  CHIP_TRAIL m_trail;
  bool m_removing = false;
  float m_flightTime = 0.0f;
  QOR::QS_VEC2 m_flightStart;
  std::int32_t m_points = 0;  // value of the points popup; 0 = none
  float m_popupTime = 0.0f;
  bool bFreee = true;
  bool m_fixed = false;
};
