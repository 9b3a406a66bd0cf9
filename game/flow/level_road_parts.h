// What the level road and the tutorial own besides the manager's shared fields: the level intro
// and completion panels with their buttons and task icons, the stars of the completion panel and
// the blob that wobbles them, the tip marker, the question open in the general message box; the
// tutorial's panel, arrow, tile frame, texts and points. The manager holds one of each by value;
// they free what they own when the manager goes.
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

// What the road has open in the general message box; its answer acts once, by this and not by the
// box's text.
enum ROAD_QUESTION : int { ROAD_NONE, ROAD_QUIT, ROAD_RESTART, ROAD_LEVEL_FAIL, ROAD_NO_MOVES_BONUS };

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
  QOR::QC_SPRITE* taskIcons[4] = {};  // time, step, special, money
  QOR::QC_SPRITE* tipMarker = nullptr;
  ALPHA_FADER tipFader;  // the tip marker's blinking
  ROAD_QUESTION question = ROAD_NONE;
  int lastBoardEvent = 0;  // the play step's event of the last game-screen tick
  int starsShown = 0;      // stars the completion panel lights so far
  std::string loggedChipPlaces;
};

struct TUTORIAL_PARTS {
  static constexpr int kSteps = 10;

  TUTORIAL_PARTS() = default;
  ~TUTORIAL_PARTS();
  TUTORIAL_PARTS(const TUTORIAL_PARTS&) = delete;
  TUTORIAL_PARTS& operator=(const TUTORIAL_PARTS&) = delete;

  std::uint8_t on = 0;  // the tutorial runs
  // The tutorial's text band, moved by the animator.
  QOR::QC_SPRITE* panel = nullptr;
  QOR::QS_VEC2 panelPos{0.0f, 0.0f};
  FLOAT_ANIMATOR panelAnimator;
  int step = 0;     // 0 before the first step, 1..10 while running
  int counter = 0;  // starts of the level refused while the panel moved (see UpdateLevelStart)
  std::vector<std::wstring> messages;  // message i belongs to step i + 1
  QOR::QC_SPRITE* arrow = nullptr;
  QOR::QC_SPRITE* tileFrame = nullptr;  // made once
  ALPHA_FADER frameBlink;
  std::vector<QOR::QS_VEC2> arrowPoints;
  std::vector<QOR::QS_VEC2> framePoints;
};
