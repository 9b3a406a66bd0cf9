// What the level road and the tutorial own besides the manager's shared fields: the level intro
// and completion panels with their buttons, the stars of the completion panel and the blob that
// wobbles them, the tutorial's arrow, tile frame, texts and points. The manager holds one of each
// by value; they free what they own when the manager goes.
#pragma once

#include "engine/math/qs_vec2.h"
#include "game/board/timed_values.h"

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {
class QC_BOT_BLOB;
class QC_IMAGE_BUTTON;
class QC_SPRITE;
class QS_TRANSFORM3;
}  // namespace QOR

// One task line of the level intro: the task's kind, its target and the target as shown.
struct INTRO_TASK {
  std::int32_t kind = 0;
  std::int32_t value = 0;
  std::wstring text;
};

// The texts of the level panels.
namespace LEVEL_ROAD_TEXT {
// Seconds as minutes ":" seconds, each part with a leading 0 below 10 (125 reads 02:05); a
// negative value reads 00:00.
std::wstring Clock(int seconds);
// The localised text with its first "%s", "%i" or "%d" replaced by the value; a text without any
// gets the value after a blank. The result is drawn literally.
std::wstring FillIn(const std::wstring& text, const std::wstring& value);
}  // namespace LEVEL_ROAD_TEXT

struct LEVEL_ROAD_PARTS {
  static constexpr int kStars = 3;

  LEVEL_ROAD_PARTS() = default;
  ~LEVEL_ROAD_PARTS();
  LEVEL_ROAD_PARTS(const LEVEL_ROAD_PARTS&) = delete;
  LEVEL_ROAD_PARTS& operator=(const LEVEL_ROAD_PARTS&) = delete;

  // Deletes the stars' blob; it moves the star transforms, so it goes before any of them.
  void DeleteStarsBlob();

  QOR::QC_SPRITE* introPanel = nullptr;
  QOR::QC_IMAGE_BUTTON* startButton = nullptr;   // also the completion panel's OK button
  QOR::QC_IMAGE_BUTTON* secondButton = nullptr;  // rides with the intro panel; never drawn or checked
  QOR::QC_SPRITE* mark = nullptr;                // two frames: 0 a lit star, 1 an unlit one
  QOR::QC_SPRITE* completionPanel = nullptr;
  QOR::QS_TRANSFORM3* stars[kStars] = {};
  QOR::QC_BOT_BLOB* starsBlob = nullptr;  // on one of the star transforms, null once at rest
  std::vector<INTRO_TASK> introTasks;
};

struct TUTORIAL_PARTS {
  static constexpr int kSteps = 10;

  TUTORIAL_PARTS() = default;
  ~TUTORIAL_PARTS();
  TUTORIAL_PARTS(const TUTORIAL_PARTS&) = delete;
  TUTORIAL_PARTS& operator=(const TUTORIAL_PARTS&) = delete;

  int step = 0;     // 0 before the first step, 1..10 while running
  int counter = 0;  // starts of the level refused while the panel moved (see UpdateLevelStart)
  std::vector<std::wstring> messages;  // message i belongs to step i + 1
  QOR::QC_SPRITE* arrow = nullptr;
  QOR::QC_SPRITE* tileFrame = nullptr;  // made once
  ALPHA_FADER frameBlink;
  std::vector<QOR::QS_VEC2> arrowPoints;
  std::vector<QOR::QS_VEC2> framePoints;
};
