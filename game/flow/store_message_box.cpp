#include "game/flow/store_message_box.h"

#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_sounds.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"

namespace {

// The pictures are found by their bare names in the registered packs ("data/surfaces" holds the
// veil and the back, "data/btns" the two button strips).
constexpr const char kVeilImage[] = "Dark_back.png";
constexpr const char kBackImage[] = "Message_back.png";
constexpr const char kOkImage[] = "Ok_middle.png";
constexpr const char kCancelImage[] = "Delete_middle.png";
constexpr const char kClickSound[] = "button_click.ogg";

bool isReleased(int key) { return QOR::qcCurrentInput != nullptr && QOR::qcCurrentInput->isReleased(key); }

// Gives back a subscription; the renderer's default texture (what a missing picture gives) was
// never counted, so it is left alone.
void fGiveBack(QOR::QC_TEXTURE_INFO* texture) {
  if (texture == nullptr) return;
  if (QOR::qcRENDER != nullptr && texture == QOR::qcRENDER->fGetDefaultTexture()) return;
  QOR::QC_GAME::fUnscribeImage(texture);
}

}  // namespace

STORE_MESSAGE_BOX::STORE_MESSAGE_BOX() {
  const QOR::QS_POINT screen = QOR::qcGAME != nullptr ? QOR::qcGAME->fGetResolution() : QOR::QS_POINT{1024, 768};

  _veilImage = QOR::QC_GAME::fSubscribeImage(kVeilImage);
  _veil = new QOR::QC_SPRITE(_veilImage, nullptr);
  _veil->fSetSize(screen.x, screen.y);
  _veil->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  _veil->fSetPosition(static_cast<float>(screen.x / 2), static_cast<float>(screen.y / 2), 0.0f);

  _backImage = QOR::QC_GAME::fSubscribeImage(kBackImage);
  _back = new QOR::QC_SPRITE(_backImage, nullptr);
  _back->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);

  _okImage = QOR::QC_GAME::fSubscribeImage(kOkImage);
  _okButton = new QOR::QC_IMAGE_BUTTON(_okImage, nullptr, QOR::QC_HIT_AREA::kCircle, 0.0f, 0.0f);
  _cancelImage = QOR::QC_GAME::fSubscribeImage(kCancelImage);
  _cancelButton = new QOR::QC_IMAGE_BUTTON(_cancelImage, nullptr, QOR::QC_HIT_AREA::kCircle, 0.0f, 0.0f);
}

STORE_MESSAGE_BOX::~STORE_MESSAGE_BOX() {
  delete _back;
  delete _okButton;
  delete _cancelButton;
  delete _veil;
  fGiveBack(_veilImage);
  fGiveBack(_backImage);
  fGiveBack(_okImage);
  fGiveBack(_cancelImage);
}

void STORE_MESSAGE_BOX::fOpen(bool question, int code, const std::wstring& text, float x, float y) {
  _code = code;
  _text = text;
  _question = question;
  _info = !question;
  _hiding = false;
  if (question) _cancelButton->fReset();
  fSetPosition(x, kHiddenY);
  _slide.Start(kHiddenY, y, fadeInOutTime);
  _veilFade.Start(_veil, fadeInOutTime, true);
}

void STORE_MESSAGE_BOX::fShowMessage(const std::wstring& text, float x, float y) { fOpen(false, 0, text, x, y); }

void STORE_MESSAGE_BOX::fShowQuestion(int code, const std::wstring& text, float x, float y) {
  fOpen(true, code, text, x, y);
}

void STORE_MESSAGE_BOX::fHide() {
  _hiding = true;
  _slide.Start(_back->fGetPosition().y, kHiddenY, fadeInOutTime);
  _veilFade.Start(_veil, fadeInOutTime, false);
}

void STORE_MESSAGE_BOX::fPlayClick() {
  if (gameSounds != nullptr) gameSounds->Play(kClickSound);
}

int STORE_MESSAGE_BOX::fUpdate() {
  const float dt = QOR::qcFrameTime;
  _veilFade.Update(dt);
  if (_slide.active) {
    const float y = _slide.Update(dt);
    fSetPosition(_back->fGetPosition().x, y);
  } else if (_back->fGetPosition().y < 0.0f) {
    _question = false;
    _info = false;
    _hiding = false;
  }
  // A box answers only while it is open: the tick on which it closes takes no key or click.
  if (!isOpen()) return 0;

  // The buttons follow the pointer on every tick; while the box slides away after being hidden
  // their clicks and the keys are no answer.
  int result = 0;
  const bool okClicked = _okButton->fUpdate() == QOR::QC_IMAGE_BUTTON::kClicked;
  if (!_hiding && (okClicked || isReleased(kKeyEnter))) {
    fPlayClick();
    result = 1;
  }
  if (_question) {
    const bool cancelClicked = _cancelButton->fUpdate() == QOR::QC_IMAGE_BUTTON::kClicked;
    if (!_hiding && (cancelClicked || isReleased(kKeyEscape))) {
      fPlayClick();
      fHide();
      return -1;
    }
  }
  return result;
}

void STORE_MESSAGE_BOX::fRender(QOR::QC_FONT* font) {
  if (!isOpen()) return;
  _veil->fRender();
  _back->fRender();
  if (font != nullptr) {
    const QOR::QS_VEC2 at = _back->fGetPosition();
    font->fSetColor(MAHJONG_CONSTS::GetInstance()->golden_color.fGetARGB());
    // The text is an argument, never the format: a '%' in it is shown as it stands.
    font->fPrintW(QOR::fTruncateToInt(at.x), QOR::fTruncateToInt(at.y) - kTextRise, L"%s", _text);
  }
  _okButton->fRender();
  if (_question) _cancelButton->fRender();
}

void STORE_MESSAGE_BOX::fSetPosition(float x, float y) {
  _back->fSetPosition(x, y, 0.0f);
  _okButton->fSetPosition(_question ? x - kButtonSpread : x, y + kButtonDrop);
  _cancelButton->fSetPosition(x + kButtonSpread, y + kButtonDrop);
}

QOR::QS_VEC2 STORE_MESSAGE_BOX::fGetPosition() const { return _back->fGetPosition(); }
