// Characters typed on the keyboard reach the text fields through the whole road the game uses:
// SDL's key and text events on the window, the message pump, the input object and the widgets.
// A character beyond 16 bits arrives whole in both text fields; keys that carry no US letter
// (another layout's letters, the extra key of European keyboards) still deliver their text; the
// one-line field takes only what its font can draw.
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
    // The test font's letters, and these beyond ASCII: the G clef, e acute, e, o and u umlaut;
    // also DEL and C1 control codes, so only the fields' own rule keeps them out.
    typeface = font(20, {0x1D11E, 0xE9, 0xEB, 0xF6, 0xFC, 0x7F, 0x80, 0x85, 0x9F});
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

  // One batch of SDL's events, then ticks for its characters: "+a", "-a" a letter key down and up
  // ("+A" with right Alt held), "+^", "-^" shift; anything else a text.
  void typeBatch(const std::vector<std::string>& batch) {
    for (const std::string& s : batch) {
      const bool key = s.size() == 2 && (s[0] == '+' || s[0] == '-');
      const int letter = (s[1] | 0x20) - 'a';
      SDL_Event e{};
      e.type = !key ? SDL_TEXTINPUT : (s[0] == '+' ? SDL_KEYDOWN : SDL_KEYUP);
      (key ? e.key.windowID : e.text.windowID) = SDL_GetWindowID(window->fGetHandle()->sdl);
      if (!key) std::strncpy(e.text.text, s.c_str(), sizeof(e.text.text) - 1);
      const auto scan = static_cast<SDL_Scancode>(SDL_SCANCODE_A + letter);
      const auto mod = static_cast<Uint16>(s[1] < 'a' ? KMOD_RALT : 0);
      if (key) e.key.keysym = s[1] == '^' ? SDL_Keysym{SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT, 0}
                                         : SDL_Keysym{scan, SDLK_a + letter, mod, 0};
      ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    for (std::size_t n = 0; n < 2 * batch.size() + 16; ++n) {
      fProcessMessages(&script.input(), window.get());
      for (QC_GUI_OBJECT* field : fields) field->fUpdateAll();
      script.age();
    }
  }

  std::unique_ptr<QC_WINDOW> window;
  std::unique_ptr<QC_FONT> typeface;
  std::vector<QC_GUI_OBJECT*> fields;
  wchar_t typed = 0;
};

// A character beyond 16 bits arrives whole in both fields. Then a German keyboard: o umlaut
// sits where a US keyboard has ';' and its key code is the letter itself, u umlaut where '[' is;
// '<' on the extra key beside left shift; a Japanese key with a place no US key has. Each key-down
// arrives with its text, which the text box takes whole. The one-line field takes the letters its
// font draws and refuses the others, also after a refusal.
TEST_F(TypedText, TypedCharactersReachTheFieldsWholeFromAnyLayout) {
  {
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
  QC_GUI_LINEBOX line(3, texture(300, 40), typeface.get());
  QC_GUI_TEXTBOX box(4, typeface.get(), texture(300, 40));
  line.fSetActive(true);
  box.fSetActive(true);
  fields = {&line, &box};

  type(SDLK_j, SDL_SCANCODE_J, "J");
  EXPECT_EQ(typed, L'J');
  type(0xF6, SDL_SCANCODE_SEMICOLON, "\xC3\xB6");
  EXPECT_EQ(typed, static_cast<wchar_t>(0xF6));
  type(SDLK_r, SDL_SCANCODE_R, "r");
  type(SDLK_g, SDL_SCANCODE_G, "g");
  type(0xFC, SDL_SCANCODE_LEFTBRACKET, "\xC3\xBC");
  EXPECT_EQ(typed, static_cast<wchar_t>(0xFC));
  type(SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, "<");
  EXPECT_EQ(typed, L'<');
  type(0x308D, SDL_SCANCODE_INTERNATIONAL1, "\xE3\x82\x8D");
  EXPECT_EQ(typed, static_cast<wchar_t>(0x308D));
  type(SDLK_a, SDL_SCANCODE_A, "a");

  // 'J', '<' and the kana have no glyph in the field's font: the field leaves them out.
  const std::wstring drawable = {static_cast<wchar_t>(0xF6), L'r', L'g', static_cast<wchar_t>(0xFC), L'a'};
  EXPECT_EQ(line.fGetText(), drawable);
  EXPECT_STREQ(box.fGetTextA(), "J\xC3\xB6rg\xC3\xBC<\xE3\x82\x8D" "a");
}

// Characters without a key-down of their own (no key on the layout, an input method's commit,
// after a key that typed its own, beside shift or right Alt) reach both fields once, in order;
// control codes among them (DEL, the C1 codes) reach neither.
TEST_F(TypedText, TextWithoutAKeyOfItsOwnReachesTheFieldsWholeAndInOrder) {
  const std::pair<std::vector<std::string>, std::wstring> cases[] = {
      {{"a\x7F", "\xC2\x80" "b", "\xC2\x85", "c\xC2\x9F"}, L"abc"},
      {{"j", "\xC3\xB6", "rg", " zo", "\xC3\xAB"}, L"j\u00f6rg zo\u00eb"},
      {{"+a", "a", "b\xC3\xB6", "-a"}, L"ab\u00f6"},
      {{"+a", "a", "+b", "b", "-a", "-b", "\xC3\xAB"}, L"ab\u00eb"},
      {{"+^", "\xC3\xB6", "-^", "+a", "a", "-a"}, L"\u00f6a"},
      {{"+E", "\xC3\xAB", "-E", "a\xF0\x9D\x84\x9E" "b"}, L"\u00eba\U0001D11Eb"}};
  for (const auto& [batch, expected] : cases) {
    QC_GUI_LINEBOX line(1, texture(300, 40), typeface.get());
    QC_GUI_TEXTBOX box(2, typeface.get(), texture(300, 40));
    line.fSetActive(true);
    box.fSetActive(true);
    fields = {&line, &box};
    typeBatch(batch);
    EXPECT_EQ(line.fGetText(), expected) << pugi::as_utf8(expected);
    EXPECT_EQ(box.fGetText(), expected) << pugi::as_utf8(expected);
  }
}

// A layout whose letter keys carry another script: each key is the US letter at its place.
TEST(KeyPlaces, EveryLetterPlaceGivesItsUsLetterWhenTheLayoutGivesAnotherScript) {
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(host_detail::fVirtualKeyFromSdl(0x0430 + i, static_cast<SDL_Scancode>(SDL_SCANCODE_A + i)), 'A' + i);
  }
}

}  // namespace
