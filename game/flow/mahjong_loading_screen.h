// What the player sees while the game manager loads its screens: two splash pictures one after the
// other, then the title picture with the loading percentage. It keeps its own clock, advanced once
// per tick by the frame time clamped to 0.13 s, so that long loading ticks do not skip the
// splashes; loading ends only once that clock has reached 3 s.
#pragma once

namespace QOR {
class QC_FONT;
class QC_LOCMAN;
class QC_SPRITE;
class QC_TEXTURE_INFO;
}  // namespace QOR

class MAHJONG_LOADING_SCREEN {
 public:
  static constexpr float kMaxStep = 0.13f;      // the longest tick the clock takes
  static constexpr float kSplashTime = 1.5f;    // splash 1 until here, then splash 2
  static constexpr float kFinishTime = 3.0f;    // then the title with the percentage

  // The string table names the progress font (bold description, stroked page); may be null.
  explicit MAHJONG_LOADING_SCREEN(QOR::QC_LOCMAN* strings);
  // Gives the splash textures back to the renderer that loaded them, its subscriptions back to
  // the loader, and deletes its sprites and font.
  ~MAHJONG_LOADING_SCREEN();
  MAHJONG_LOADING_SCREEN(const MAHJONG_LOADING_SCREEN&) = delete;
  MAHJONG_LOADING_SCREEN& operator=(const MAHJONG_LOADING_SCREEN&) = delete;

  // Clamps the engine's frame time in place to 0.13 s (the rest of the tick sees it too) and
  // advances the clock by it; 1.
  int Update();
  // (0, 1.5] s splash 1 (splash 2 when 1 is missing), (1.5, 3] s splash 2, later the title with
  // the progress as a percentage (the title alone without the font).
  void Render(int progress);
  bool isFinished() const { return time >= kFinishTime; }

  float time = 0.0f;
  QOR::QC_SPRITE* splash1 = nullptr;  // null when "spl1.jpg" is missing
  QOR::QC_SPRITE* splash2 = nullptr;  // null when "spl2.jpg" is missing
  QOR::QC_FONT* progressFont = nullptr;
  QOR::QC_SPRITE* title = nullptr;

 private:
  static QOR::QC_SPRITE* LoadSplash(const char* fileName);

  QOR::QC_TEXTURE_INFO* _titleImage = nullptr;
  QOR::QC_TEXTURE_INFO* _fontPage = nullptr;
};
