// The title screen: the title picture, a panel at the bottom edge with Play, Players and Quit, and
// the greeting with the current player's name. On the first run Play asks for a name and creates
// the first profile; Quit asks before ending the game.
#include "engine/math/float_to_int.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_player.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "game/flow/select_player_msg_box.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_image_button.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <utility>

using namespace MENU_OBJECTS;

namespace {

constexpr const char kTitleImage[] = "title_screen.jpg";
constexpr const char kPanelImage[] = "TitleScreenButtun_back.png";
constexpr const char kPlayImage[] = "PlayButton.png";
constexpr const char kQuitImage[] = "QuitButtin.png";
constexpr const char kPlayersImage[] = "PlyersButton.png";
constexpr const char kFieldImage[] = "PackName_button.png";
constexpr const char kPlaySound[] = "button_play_click.ogg";
constexpr const char kClickSound[] = "button_click.ogg";
constexpr const char kErrorSound[] = "error.ogg";

constexpr float kSideButtonWidth = 207.0f;  // Quit and Players hit rectangles
constexpr float kSideButtonHeight = 71.0f;
constexpr float kSideButtonSpread = 140.0f;  // Quit right and Players left of the screen's centre
constexpr float kHitShrink = 0.8f;           // the hit area's first dimension after making
constexpr float kPlayRise = 8.0f;            // Play stands this far above the panel's centre
constexpr float kGreetingLeft = 10.0f;       // the greeting's place from Play's centre
constexpr float kGreetingRise = 120.0f;
constexpr float kFieldRise = MAHJONG_GAME_MANAGER::SELECT_PLAYER_MSG_BOX::kFieldRise;

// A button over a subscribed strip, its hit area's first dimension (a circle's radius, a
// rectangle's width) shrunk so only the picture's body answers.
QOR::QC_IMAGE_BUTTON* fMakeButton(const char* image, int hitType, float width, float height) {
  auto* button = new QOR::QC_IMAGE_BUTTON(QOR::QC_GAME::fSubscribeImage(image), nullptr, hitType, width, height);
  QOR::QC_HIT_AREA* area = button->fGetHitArea();
  area->fSetWidth(area->fGetWidth() * kHitShrink);
  return button;
}

std::wstring fControlCharacters() {
  std::wstring characters;
  for (wchar_t c = 1; c < 0x20; ++c) characters += c;
  characters += static_cast<wchar_t>(0x7F);
  return characters;
}

void fPrintAt(QOR::QC_FONT* font, QOR::QC_IMAGE_BUTTON* button, const std::wstring& text) {
  if (button == nullptr) return;
  const QOR::QS_VEC2 at = button->fGetPosition();
  PrintText(font, QOR::fTruncateToInt(at.x), QOR::fTruncateToInt(at.y), text);
}

}  // namespace

void TITLE_PARTS::Free() {
  DeleteSprite(back);
  DeleteSprite(panel);
  DeleteButton(playButton);
  DeleteButton(quitButton);
  DeleteButton(playersButton);
}

void MAHJONG_GAME_MANAGER::BuildTitle() {
  const QOR::QS_POINT screen = ScreenSize();
  const float centreX = static_cast<float>(screen.x / 2);
  // The new pictures are subscribed before the old ones are given back, so a rebuild never lets
  // a shared picture's count fall to zero.
  auto* back = new QOR::QC_SPRITE(QOR::QC_GAME::fSubscribeImage(kTitleImage), nullptr);
  back->fSetSize(screen.x, screen.y);
  back->fSetPosition(centreX, static_cast<float>(screen.y / 2 - 1), 0.0f);

  auto* panel = new QOR::QC_SPRITE(QOR::QC_GAME::fSubscribeImage(kPanelImage), nullptr);
  panel->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  // Built a slide below its resting place (the lower edge one pixel below the screen).
  panel->fSetPosition(centreX, static_cast<float>(screen.y) + panel->fGetHeight() / -2.0f - PanelSlide() + 1.0f,
                      0.0f);

  QOR::QC_IMAGE_BUTTON* play = fMakeButton(kPlayImage, QOR::QC_HIT_AREA::kCircle, 0.0f, 0.0f);
  play->fSetPosition(centreX, panel->fGetPosition().y - kPlayRise);
  const float buttonsY = play->fGetPosition().y;
  QOR::QC_IMAGE_BUTTON* quit =
      fMakeButton(kQuitImage, QOR::QC_HIT_AREA::kRectangle, kSideButtonWidth, kSideButtonHeight);
  quit->fSetPosition(centreX + kSideButtonSpread, buttonsY);
  QOR::QC_IMAGE_BUTTON* players =
      fMakeButton(kPlayersImage, QOR::QC_HIT_AREA::kRectangle, kSideButtonWidth, kSideButtonHeight);
  players->fSetPosition(centreX - kSideButtonSpread, buttonsY);

  title.Free();
  title.back = back;
  title.panel = panel;
  title.playButton = play;
  title.quitButton = quit;
  title.playersButton = players;
}

bool MAHJONG_GAME_MANAGER::TitleCanShow() const {
  const QOR::QC_TEXTURE_INFO* missing = QOR::qcRENDER != nullptr ? QOR::qcRENDER->fGetDefaultTexture() : nullptr;
  const auto shown = [missing](const QOR::QC_SPRITE* sprite) {
    return sprite != nullptr && sprite->fGetTexture() != nullptr && sprite->fGetTexture() != missing;
  };
  const std::pair<const char*, const QOR::QC_SPRITE*> pictures[] = {
      {kTitleImage, title.back},
      {kPanelImage, title.panel},
      {kPlayImage, title.playButton != nullptr ? title.playButton->fGetImage() : nullptr},
      {kQuitImage, title.quitButton != nullptr ? title.quitButton->fGetImage() : nullptr},
      {kPlayersImage, title.playersButton != nullptr ? title.playersButton->fGetImage() : nullptr},
  };
  bool complete = true;
  for (const auto& [name, sprite] : pictures) {
    if (shown(sprite)) continue;
    QOR::fLog() << "The title cannot be shown: " << name << " did not load";
    complete = false;
  }
  return complete;
}

void TITLE_PARTS::Move(float dy) {
  if (panel != nullptr) {
    const QOR::QS_VEC2 at = panel->fGetPosition();
    panel->fSetPosition(at.x, at.y + dy, 0.0f);
  }
  AddY(playButton, dy);
  AddY(quitButton, dy);
  AddY(playersButton, dy);
}

void MAHJONG_GAME_MANAGER::BuildPlayerBox() {
  auto* box = new SELECT_PLAYER_MSG_BOX();
  box->fSetNameEntry(false);
  box->fSetError(false);
  auto* field = new QOR::QC_GUI_LINEBOX(1, QOR::QC_GAME::fSubscribeImage(kFieldImage), regularFont);
  field->fSetInputArea(10.0f, 0.0f, 8.0f, 10.0f);
  // Keys such as Escape type a control character; a name never takes one.
  field->fSetExcludedChars(fControlCharacters());
  box->fSetTextField(field);
  delete playerBox;
  playerBox = box;
}

int MAHJONG_GAME_MANAGER::UpdateTitle() {
  if (title.panel == nullptr || playerBox == nullptr) return 0;
  const QOR::QS_POINT screen = ScreenSize();
  const float centreX = static_cast<float>(screen.x / 2);
  const float centreY = static_cast<float>(screen.y / 2);

  if (screenFade.active) return 0;
  if (sidePanelTween.active) {
    const float y = sidePanelTween.Update(QOR::qcFrameTime);
    title.Move(y - title.panel->fGetPosition().y);
    return 0;
  }
  // The panel has slid out: fade to black, then the requested screen.
  if (title.panel->fGetPosition().y > static_cast<float>(screen.y)) {
    if (blackMask != nullptr && (blackMask->fGetVertexColor(0) >> 24) == 0u) {
      screenFade.Start(blackMask, fadeInOutTime, true);
      return 0;
    }
    const unsigned generation = menuGeneration;
    ChangeScreen();
    // A switch that rebuilt the menus leaves no title object of this tick to act on.
    if (menuGeneration != generation) return 0;
  }

  // The first player's name.
  if (playerBox->isQuestion() && playerBox->isNameEntry()) {
    QOR::QC_GUI_LINEBOX* field = playerBox->fGetTextField();
    if (field != nullptr) {
      field->fSetActive(true);
      field->fUpdateAll();
    }
    const int answer = playerBox->fUpdate();
    if (answer == 1 && field != nullptr) {
      const std::wstring typed = playerBox->fTakeName(GetText(SELECT_PLAYER_MSG_BOX::kEmptyNameKey));
      if (typed.empty()) {
        // Nothing but blanks: the box stays open and says why under the field.
        PlaySound(kErrorSound);
        return 0;
      }
      selectedName = typed;
      QOR::fLog() << "+====================== newname== " << pugi::as_utf8(selectedName);
      // The new profile is read back as the file holds it; a save that failed (told to the player)
      // leaves it in memory, so the name typed is not lost.
      if (SavePlayerFile(selectedName)) {
        delete player;
        player = new MAHJONG_PLAYER(PlayerFilePath(), std::wstring());
      }
      playerBox->fHide();
      // The menus are rebuilt for the new player: the box and the field above are gone, and only
      // the rebuilt title is touched from here on.
      loadMenus();
      countUpRunning = 0;
      title.Move(PanelSlide());
      if (regularFont != nullptr) regularFont->fSetAlign(0);
      if (boldFont != nullptr) boldFont->fSetColor(GoldenColor());
      // A new player always sees the start comic first.
      BuildComics();
      QOR::fLog("jcAPP->keyboardHide();");
      return 0;
    }
    // Cancel and Escape closed the box themselves.
    if (answer != 0) QOR::fLog("jcAPP->keyboardHide();");
    return 0;
  }
  // The quit question.
  if (playerBox->isQuestion()) return playerBox->fUpdate() == 1 ? -108 : 0;

  if (isClicked(title.playButton)) {
    if (player != nullptr && !player->m_name.empty()) {
      PlaySound(kPlaySound);
      if (!player->m_seenStartComics) {
        BuildComics();
      } else {
        const float y = title.panel->fGetPosition().y;
        sidePanelTween.Start(y, y - PanelSlide(), fadeInOutTime);
        requestedScreen = PACKS_SCREEN;
        if (regularFont != nullptr) regularFont->fSetAlign(0);
        return 0;
      }
    } else {
      // No player yet: ask for the first name.
      PlaySound(kClickSound);
      if (regularFont != nullptr) regularFont->fSetAlign(0);
      playerBox->fShowQuestion(0, texts[TXT_TYPE_NEW_NAME], centreX, centreY);
      playerBox->fSetNameEntry(true);
      playerBox->fSetError(false);
      QOR::QC_GUI_LINEBOX* field = playerBox->fGetTextField();
      if (field != nullptr) field->fSetPosition(centreX, centreY - kFieldRise, 0.0f);
    }
  }
  if (isClicked(title.quitButton)) {
    PlaySound(kClickSound);
    playerBox->fShowQuestion(0, texts[TXT_WANT_TO_QUIT], centreX, centreY);
    playerBox->fSetNameEntry(false);
  }
  if (isClicked(title.playersButton)) {
    // The players screen opens over the title at once, without a fade of the title.
    PlaySound(kClickSound);
    currentScreen = PLAYERS_SCREEN;
    if (regularFont != nullptr) regularFont->fSetAlign(1);
    // The players screen slides down over the title while dark back 1 fades in under it.
    OpenPlayers();
  }
  return 0;
}

void MAHJONG_GAME_MANAGER::RenderTitle() {
  if (title.back != nullptr) title.back->fRender();
  if (title.panel != nullptr) title.panel->fRender();
  for (QOR::QC_IMAGE_BUTTON* button : {title.quitButton, title.playersButton, title.playButton}) {
    if (button != nullptr) button->fRender();
  }
  if (title.playButton != nullptr) {
    std::wstring greeting = texts[TXT_WELCOME];
    if (player != nullptr && !player->m_name.empty()) greeting += L"\n" + player->m_name;
    const QOR::QS_VEC2 at = title.playButton->fGetPosition();
    PrintText(boldFont, QOR::fTruncateToInt(at.x - kGreetingLeft), QOR::fTruncateToInt(at.y - kGreetingRise), greeting);
  }
  fPrintAt(boldFont, title.playersButton, texts[TXT_PLAYERS]);
  fPrintAt(boldFont, title.quitButton, texts[TXT_QUIT]);
  if (playerBox != nullptr) playerBox->fRender(regularFont);
  if (blackMask != nullptr) blackMask->fRender();
}
