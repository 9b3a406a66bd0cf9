// The options overlay: a panel that slides down over the current screen with the sound and music
// sliders, the full-screen and cursor boxes, the three tile sets and the credits. OK, Enter or
// Escape store the choices in the player record, save player.xml and apply them. Also the one
// place the player's options reach the running game (ApplyPlayerOptions).
#include "engine/files/qc_file_system.h"
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_window.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qc_texture_info.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_music.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_sounds.h"
#include "game/flow/game_globals.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "game/flow/volume_slider.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"
#include "gui/widgets/qc_image_checkbox.h"

#include <algorithm>
#include <cstdint>
#include <string>

using namespace MENU_OBJECTS;

namespace {

constexpr const char kOptionsFolder[] = "data/surfaces/options";
constexpr const char kClickSound[] = "button_click.ogg";
constexpr int kChecked = 3;
constexpr int kUnchecked = 0;
// Tile-set codes of the numbers, classic and cards boxes.
constexpr const char kNumbersSet[] = "1";
constexpr const char kClassicSet[] = "2";
constexpr const char kCardsSet[] = "3";
constexpr float kLabelsLeft = 160.0f;  // the labels' left edge from the screen's centre
constexpr int kCreditsStyleBold = 1;
constexpr int kCreditsStyleCompany = 2;

float yOf(const QOR::QC_SPRITE* sprite) { return sprite != nullptr ? sprite->fGetPosition().y : 0.0f; }

void print(QOR::QC_FONT* font, float x, float y, const std::wstring& text) {
  PrintText(font, QOR::fTruncateToInt(x), QOR::fTruncateToInt(y), text);
}

}  // namespace

float OPTIONS_PARTS::SliderToVolume(float value) {
  const float volume = value / 100.0f;
  if (!(volume > kVolumeSilent)) return 0.0f;  // not a number is silence too
  if (volume >= kVolumeFull) return 1.0f;
  return volume;
}

float OPTIONS_PARTS::VolumeToSlider(float volume) {
  if (!(volume > kVolumeSilent)) volume = kVolumeSilent;
  return std::min(volume, kVolumeFull) * 100.0f;
}

void MAHJONG_GAME_MANAGER::BuildOptions() {
  // Our data keeps the options' pictures with the other surfaces; a folder of their own is taken
  // when there is one.
  const std::string folder = QOR::fLoaderFileSystem()->fGetResourceDirectory() + kOptionsFolder;
  if (QOR::QC_GAME::fGetPathType(folder) == 2) QOR::QC_GAME::fAddPack(kOptionsFolder);

  const QOR::QS_POINT size = ScreenSize();
  const float cx = static_cast<float>(size.x / 2);
  const float cy = static_cast<float>(size.y / 2);

  DeleteSprite(options.darkBack);
  options.darkBack = NewSprite("Dark_back.png");
  options.darkBack->fSetSize(size.x, size.y);
  options.darkBack->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  options.darkBack->fSetPositionXY(cx, cy);
  options.darkBack->fSetTransparentWhite();

  DeleteSprite(options.panel);
  options.panel = NewSprite("OptionsPanel_back.png");
  options.panel->fSetPositionXY(cx, cy);
  DeleteButton(options.okButton);
  options.okButton = NewButton("Ok_middle.png", QOR::QC_HIT_AREA::kCircle);
  options.okButton->fSetPosition(cx, cy + 285.0f);
  DeleteButton(options.creditsButton);
  options.creditsButton = NewButton("Credits_button.png", QOR::QC_HIT_AREA::kRectangle);
  options.creditsButton->fSetPosition(cx + 125.0f, cy + 195.0f);

  const auto box = [](QOR::QC_IMAGE_CHECKBOX*& member, const char* image, float x, float y) {
    DeleteCheckbox(member);
    member = NewCheckbox(image);
    member->fSetPosition(x, y);
  };
  box(options.fullScreenBox, "Options_button.png", cx + 126.0f, cy - 60.0f);
  box(options.customCursorBox, "Options_button.png", cx + 126.0f, cy - 10.0f);
  box(options.classicBox, "classic.png", cx, cy + 105.0f);
  box(options.cardsBox, "cards.png", cx + 70.0f, cy + 105.0f);
  box(options.numbersBox, "numbers.png", cx - 70.0f, cy + 105.0f);

  const auto slider = [](VOLUME_SLIDER*& member, float x, float y, float volume) {
    delete member;
    member = new VOLUME_SLIDER(QOR::QC_GAME::fSubscribeImage("sound_slider.png"),
                               QOR::QC_GAME::fSubscribeImage("Runner_button.png"));
    member->SetFull();
    member->SetPosition(x, y);
    member->SetValue(volume * 100.0f);
  };
  slider(options.soundSlider, cx + 35.0f, cy - 145.0f, player != nullptr ? player->m_soundVolume : 0.0f);
  slider(options.musicSlider, cx + 35.0f, cy - 105.0f, player != nullptr ? player->m_musicVolume : 0.0f);

  const std::string tileset = player != nullptr ? player->m_tileset : std::string();
  options.classicBox->fSetState(tileset == kClassicSet ? kChecked : kUnchecked);
  options.cardsBox->fSetState(tileset == kCardsSet ? kChecked : kUnchecked);
  options.numbersBox->fSetState(tileset == kNumbersSet ? kChecked : kUnchecked);
  options.tilesetChanged = 0;

  // The overlay waits above the screen.
  options.Move(PanelSlide());
}

void OPTIONS_PARTS::Move(float dy) {
  AddY(darkBack, dy);
  AddY(panel, dy);
  AddY(okButton, dy);
  AddY(creditsButton, dy);
  AddY(fullScreenBox, dy);
  AddY(customCursorBox, dy);
  AddY(classicBox, dy);
  AddY(cardsBox, dy);
  AddY(numbersBox, dy);
  for (VOLUME_SLIDER* slider : {soundSlider, musicSlider}) {
    if (slider == nullptr) continue;
    const QOR::QS_VEC2 at = slider->GetPosition();
    slider->SetPosition(at.x, at.y + dy);
  }
}

void MAHJONG_GAME_MANAGER::OpenOptions() {
  if (options.panel == nullptr) return;
  optionsOpen = 1;
  sidePanelTween.Start(options.panel->fGetPosition().y, static_cast<float>(ScreenSize().y / 2), fadeInOutTime);
  if (options.darkBack != nullptr) screenFade.Start(options.darkBack, fadeInOutTime, true);
}

void MAHJONG_GAME_MANAGER::UpdateOptions() {
  if (options.panel == nullptr || player == nullptr) {
    optionsOpen = 0;
    return;
  }
  const bool confirmKey = isKeyReleased(QOR::kKeyEnter) || isKeyReleased(QOR::kKeyEscape);
  if (options.creditsOpen != 0) {
    if (sidePanelTween.active) {
      const float dy = sidePanelTween.Update(QOR::qcFrameTime) - yOf(options.creditsBack);
      AddY(options.creditsBack, dy);
      AddY(options.creditsOkButton, dy);
    } else if (yOf(options.creditsBack) <= 0.0f) {
      options.creditsOpen = 0;
    } else if (isClicked(options.creditsOkButton) || confirmKey) {
      PlaySound(kClickSound);
      sidePanelTween.Start(yOf(options.creditsBack), PanelSlide(), fadeInOutTime);
      if (darkBack1 != nullptr) screenFade.Start(darkBack1, fadeInOutTime, false);
    }
    return;
  }
  if (sidePanelTween.active) {
    options.Move(sidePanelTween.Update(QOR::qcFrameTime) - yOf(options.panel));
    return;
  }
  if (yOf(options.panel) <= 0.0f) {
    optionsOpen = 0;
    return;
  }

  if (isClicked(options.okButton) || confirmKey) {
    PlaySound(kClickSound);
    const std::string previous = player->m_tileset;
    if (options.numbersBox->isChecked()) {
      player->m_tileset = kNumbersSet;
    } else if (options.classicBox->isChecked()) {
      player->m_tileset = kClassicSet;
    } else if (options.cardsBox->isChecked()) {
      player->m_tileset = kCardsSet;
    }
    player->m_customCursor = options.customCursorBox->isChecked();
    if (currentScreen == GAME_SCREEN && player->m_tileset != previous && board != nullptr) {
      // The level road rebuilds the board with the new tiles once it has slid out.
      board->StartSlideOut();
      options.tilesetChanged = 1;
    }
    player->m_soundVolume = OPTIONS_PARTS::SliderToVolume(options.soundSlider->GetValue());
    player->m_musicVolume = OPTIONS_PARTS::SliderToVolume(options.musicSlider->GetValue());
    player->m_fullScreen = options.fullScreenBox->isChecked();
    SavePlayer();
    ApplyPlayerOptions();
    if (options.darkBack != nullptr) screenFade.Start(options.darkBack, fadeInOutTime, false);
    sidePanelTween.Start(yOf(options.panel), PanelSlide(), fadeInOutTime);
    if (options.menuButton != nullptr) options.menuButton->fReset();
    return;
  }

  if (options.soundSlider->Update() == 1) {
    // The click is a sample of the new volume.
    if (gameSounds != nullptr) gameSounds->SetVolume(options.soundSlider->GetValue() / 100.0f);
    PlaySound(kClickSound);
  }
  if (options.musicSlider->Update() == 1 && MAHJONG_CONSTS::GetInstance()->MUSIC && gameMusic != nullptr) {
    gameMusic->SetVolume(options.musicSlider->GetValue() / 100.0f);
  }

  if (isClicked(options.creditsButton)) {
    PlaySound(kClickSound);
    const QOR::QS_POINT size = ScreenSize();
    if (options.creditsBack == nullptr) options.creditsBack = NewSprite("Credits_back.png");
    if (options.creditsOkButton == nullptr)
      options.creditsOkButton = NewButton("Ok_middle.png", QOR::QC_HIT_AREA::kCircle);
    options.creditsBack->fSetPositionXY(static_cast<float>(size.x / 2), PanelSlide());
    const QOR::QS_VEC2 at = options.creditsBack->fGetPosition();
    options.creditsOkButton->fSetPosition(at.x - 420.0f, at.y + 290.0f);
    sidePanelTween.Start(at.y, static_cast<float>(size.y / 2), fadeInOutTime);
    if (darkBack1 != nullptr) screenFade.Start(darkBack1, fadeInOutTime, true);
    options.creditsOpen = 1;
    return;
  }

  for (QOR::QC_IMAGE_CHECKBOX* box : {options.customCursorBox, options.fullScreenBox}) {
    if (box->fUpdate() == QOR::QC_IMAGE_CHECKBOX::kClicked) PlaySound(kClickSound);
  }
  // The tile sets choose like radio buttons: a checked box is left alone, so one stays chosen.
  QOR::QC_IMAGE_CHECKBOX* sets[3] = {options.classicBox, options.cardsBox, options.numbersBox};
  for (QOR::QC_IMAGE_CHECKBOX* box : sets) {
    if (box->isChecked() || box->fUpdate() != QOR::QC_IMAGE_CHECKBOX::kClicked) continue;
    PlaySound(kClickSound);
    for (QOR::QC_IMAGE_CHECKBOX* other : sets) {
      if (other != box) other->fSetState(kUnchecked);
    }
    break;
  }
}

void MAHJONG_GAME_MANAGER::ApplyPlayerOptions() {
  if (player == nullptr) return;
  if (player->m_customCursor) {
    QOR::QC_GAME::fHideCursor();
  } else {
    QOR::QC_GAME::fShowCursor();
  }
  if (options.customCursorBox != nullptr)
    options.customCursorBox->fSetState(player->m_customCursor ? kChecked : kUnchecked);

  ApplyVolumes();
  if (options.soundSlider != nullptr)
    options.soundSlider->SetValue(OPTIONS_PARTS::VolumeToSlider(player->m_soundVolume));
  if (MAHJONG_CONSTS::GetInstance()->MUSIC && options.musicSlider != nullptr) {
    options.musicSlider->SetValue(OPTIONS_PARTS::VolumeToSlider(player->m_musicVolume));
  }

  if (QOR::qcGAME == nullptr) return;
  // Full screen fills the desktop and shows the game scaled and centred within it.
  QOR::qcGAME->_stretch = 1;
  const QOR::QS_POINT size = QOR::qcGAME->fGetResolution();
  const QOR::QS_POINT desktop = QOR::qcGAME->_desktopSize;
  // A window that cannot fit the screen stays full screen: asking for it again changes nothing.
  const auto forced = [] { return QOR::qcWINDOW != nullptr && QOR::qcWINDOW->isForcedFullscreen(); };
  if (QOR::qcRENDER != nullptr && QOR::qcRENDER->isFullScreen() != player->m_fullScreen &&
      (player->m_fullScreen || !forced())) {
    QOR::qcGAME->fSetResolution(size.x, size.y, player->m_fullScreen ? 1 : 0);
    if (player->m_fullScreen) {
      QOR::QC_GAME::fSetCursorPos(static_cast<float>(desktop.x / 2), static_cast<float>(desktop.y / 2));
    }
  }
  // The box and the bars show the game as it is, full screen also where a window cannot fit.
  if (player->m_fullScreen || forced()) {
    if (options.fullScreenBox != nullptr) options.fullScreenBox->fSetState(kChecked);
    pillarBox = 0;
    letterBox = 0;
    // Bars fill what the game's picture leaves of a desktop of another shape.
    if (desktop.x > 0 && desktop.y > 0 && size.x > 0 && size.y > 0 &&
        static_cast<float>(desktop.y) / static_cast<float>(desktop.x) != 0.75f) {
      const float tall = static_cast<float>(desktop.y) / static_cast<float>(size.y);
      const float wide = static_cast<float>(desktop.x) / static_cast<float>(size.x);
      if (tall > wide) {
        letterBox = 1;
      } else {
        pillarBox = 1;
      }
    }
  } else if (options.fullScreenBox != nullptr) {
    options.fullScreenBox->fSetState(kUnchecked);
  }
}

void MAHJONG_GAME_MANAGER::RenderOptions() {
  if (optionsOpen == 0 || options.panel == nullptr) return;
  if (options.darkBack != nullptr) options.darkBack->fRender();
  options.panel->fRender();
  options.okButton->fRender();
  options.soundSlider->Render();
  options.musicSlider->Render();
  options.creditsButton->fRender();
  options.customCursorBox->fRender();
  options.fullScreenBox->fRender();
  options.classicBox->fRender();
  options.cardsBox->fRender();
  options.numbersBox->fRender();

  const QOR::QS_POINT size = ScreenSize();
  const QOR::QS_VEC2 panel = options.panel->fGetPosition();
  if (boldFont != nullptr) {
    boldFont->fSetColor(GoldenColor());
    boldFont->fSetAlign(0);
  }
  if (regularFont != nullptr) regularFont->fSetColor(GoldenColor());
  print(boldFont, panel.x, panel.y - 225.0f, texts[TXT_OPTIONS]);
  if (regularFont != nullptr) regularFont->fSetAlign(QOR::QC_SPRITE::kAnchorLeftCentre);
  const float labelX = static_cast<float>(size.x / 2) - kLabelsLeft;
  print(regularFont, labelX, options.soundSlider->GetPosition().y, texts[TXT_SOUND]);
  print(regularFont, labelX, options.musicSlider->GetPosition().y, texts[TXT_MUSIC]);
  print(regularFont, labelX, options.fullScreenBox->fGetPosition().y, texts[TXT_FULL_SCREEN]);
  print(regularFont, labelX, options.customCursorBox->fGetPosition().y, texts[TXT_CUSTOM_CURSOR]);
  if (regularFont != nullptr) regularFont->fSetAlign(0);
  print(boldFont, panel.x, panel.y + 50.0f, texts[TXT_FRONTS]);
  const QOR::QS_VEC2 creditsAt = options.creditsButton->fGetPosition();
  print(regularFont, creditsAt.x, creditsAt.y, texts[TXT_CREDITS]);

  if (options.creditsOpen == 0 || options.creditsBack == nullptr) return;
  if (darkBack1 != nullptr) darkBack1->fRender();
  options.creditsBack->fRender();
  if (options.creditsOkButton != nullptr) options.creditsOkButton->fRender();
  for (QOR::QC_FONT* font : {regularFont, boldFont, boldStrokeFont}) {
    if (font != nullptr) font->fSetAlign(0);
  }
  if (boldStrokeFont != nullptr) boldStrokeFont->fSetColor(0xFFFFFFFFu);
  float y = options.creditsBack->fGetPosition().y - options.creditsBack->fGetHeight() / 2.0f;
  float carry = 0.0f;  // a bold line pushes the next one down, a company line pulls it up
  for (const auto& [style, text] : credits) {
    y += (style == kCreditsStyleBold || style == kCreditsStyleCompany ? 40.0f : 24.0f) + carry;
    carry = style == kCreditsStyleBold ? 7.0f : style == kCreditsStyleCompany ? -7.0f : 0.0f;
    QOR::QC_FONT* font = style == kCreditsStyleBold ? boldFont : style == kCreditsStyleCompany ? boldStrokeFont : regularFont;
    print(font, static_cast<float>(size.x / 2), y, text);
  }
  if (boldStrokeFont != nullptr) boldStrokeFont->fSetColor(GoldenColor());
}

void OPTIONS_PARTS::Free() {
  for (QOR::QC_SPRITE** sprite : {&darkBack, &panel, &creditsBack}) DeleteSprite(*sprite);
  for (QOR::QC_IMAGE_BUTTON** button : {&okButton, &creditsButton, &creditsOkButton}) DeleteButton(*button);
  for (QOR::QC_IMAGE_CHECKBOX** box : {&fullScreenBox, &customCursorBox, &classicBox, &cardsBox, &numbersBox}) {
    DeleteCheckbox(*box);
  }
  delete soundSlider;
  delete musicSlider;
  soundSlider = musicSlider = nullptr;
  menuButton = nullptr;
}

void MAHJONG_GAME_MANAGER::ApplyVolumes() {
  if (gameActive != 0 && player == nullptr) return;
  const bool active = gameActive != 0;
  if (gameSounds != nullptr) gameSounds->SetVolume(active ? player->m_soundVolume : 0.0f);
  if (gameMusic != nullptr && MAHJONG_CONSTS::GetInstance()->MUSIC) {
    gameMusic->SetVolume(active ? player->m_musicVolume : 0.0f);
  }
}
