// Characters typed on the keyboard reach the text fields through the whole road the game uses:
// SDL's key and text events on the window, the message pump, the input object and the widgets.
// A character beyond 16 bits arrives whole in both text fields.
#include "engine/platform/qc_window.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_gui_textbox.h"
#include "host/src/host_internal.h"
#include "host/test_doors.h"
#include "tests/gui/gui_test_kit.h"

#include <SDL.h>

#include <cstring>
#include <memory>

using namespace QOR;

namespace {

class TypedText : public gui_test::WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    host_test::fSetDesktopSize(1920, 1080);
    window = std::make_unique<QC_WINDOW>();
    ASSERT_EQ(window->WindowInit("typing"), 1);
    typeface = font();
  }
  void TearDown() override {
    window.reset();
    WidgetTest::TearDown();
  }

  // One key typed on the keyboard: its key-down with the text SDL gives for it, then its key-up,
  // each delivered by the message pump in its own tick.
  void type(SDL_Keycode key, SDL_Scancode scan, const char* utf8) {
    const Uint32 id = SDL_GetWindowID(window->fGetHandle()->sdl);
    SDL_Event down{};
    down.type = SDL_KEYDOWN;
    down.key.windowID = id;
    down.key.state = SDL_PRESSED;
    down.key.keysym.sym = key;
    down.key.keysym.scancode = scan;
    ASSERT_EQ(SDL_PushEvent(&down), 1);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = id;
    std::strncpy(text.text.text, utf8, sizeof(text.text.text) - 1);
    ASSERT_EQ(SDL_PushEvent(&text), 1);
    fProcessMessages(&script.input(), window.get());
    typed = script.input().fGetTypedChar();
    for (QC_GUI_OBJECT* field : fields) field->fUpdateAll();
    script.age();
    SDL_Event up = down;
    up.type = SDL_KEYUP;
    up.key.state = SDL_RELEASED;
    ASSERT_EQ(SDL_PushEvent(&up), 1);
    fProcessMessages(&script.input(), window.get());
    for (QC_GUI_OBJECT* field : fields) field->fUpdateAll();
    script.age();
  }

  std::unique_ptr<QC_WINDOW> window;
  std::unique_ptr<QC_FONT> typeface;
  std::vector<QC_GUI_OBJECT*> fields;
  wchar_t typed = 0;
};

TEST_F(TypedText, CharactersBeyondSixteenBitsReachBothFieldsWhole) {
  QC_GUI_LINEBOX line(1, texture(300, 40), typeface.get());
  QC_GUI_TEXTBOX box(2, typeface.get(), texture(300, 40));
  line.fSetActive(true);
  box.fSetActive(true);
  fields = {&line, &box};

  type(SDLK_a, SDL_SCANCODE_A, "a");
  EXPECT_EQ(typed, L'a');
  // The G clef (U+1D11E, four bytes of UTF-8) and a letter from the first 64K after it.
  type(SDLK_g, SDL_SCANCODE_G, "\xF0\x9D\x84\x9E");
  EXPECT_EQ(static_cast<std::uint32_t>(typed), 0x1D11Eu);
  type(SDLK_e, SDL_SCANCODE_E, "\xC3\xA9");
  const std::wstring expected = {L'a', static_cast<wchar_t>(0x1D11E), static_cast<wchar_t>(0xE9)};
  EXPECT_EQ(line.fGetText(), expected);
  EXPECT_STREQ(box.fGetTextA(), "a\xF0\x9D\x84\x9E\xC3\xA9");
}

}  // namespace
