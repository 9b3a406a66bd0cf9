// A form on real OpenGL (SDL's offscreen driver with Mesa): a slider, a list box and a label built
// by the factory from images and a font of the resource loader, drawn, read back and sampled with
// a tolerance.
#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "gui/base/qc_gui_root.h"
#include "gui/factory/qc_gui_factory.h"
#include "tests/gui/gui_test_kit.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/gl_fixture.h"
#include "tests/kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

using namespace QOR;
using qor_test::fPixelNear;

namespace {

// A PNG of vertical bands of equal width, one 0xRRGGBB colour each, opaque.
std::string bandsPng(int w, int h, const std::vector<std::uint32_t>& colours) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4);
  const int band = w / static_cast<int>(colours.size());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t c = colours[static_cast<std::size_t>(std::min(x / band, static_cast<int>(colours.size()) - 1))];
      std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * w + x) * 4;
      p[0] = static_cast<std::uint8_t>(c >> 16);
      p[1] = static_cast<std::uint8_t>(c >> 8);
      p[2] = static_cast<std::uint8_t>(c);
      p[3] = 255;
    }
  }
  const auto png = image_bytes::fPng(w, h, rgba);
  return std::string(png.begin(), png.end());
}

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;
constexpr std::uint32_t kCyan = 0x00FFFF, kGrey = 0x404040, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF;

const char* const kForm =
    "<FORMS><FORM NAME='SCREEN'>"
    // Range 0..100 at 50: the knob halfway along the track.
    "<SLIDER12 ID='1' TEXTURE='slider12.png' START='300 200' END='500 200' VALUE='50'/>"
    "<LISTBOX ID='2' LIST_TEXTURE='bar.png' PANEL_TEXTURE='panel.png' SLIDER12_TEXTURE='slider13.png'"
    "         FONT='font.xml' FONT_TEXTURE='page.png' FONT_COLOR='255 255 255 0'>"
    "  <POSITION>700 400</POSITION><ITEMS><I>wwww</I><I>wwww</I></ITEMS>"
    "</LISTBOX>"
    "<LABEL ID='3' TEXTURE='page.png' FONT='font.xml' TEXT='wwwww' FONT_COLOR='255 255 0 255'>"
    "  <POSITION>150 500</POSITION>"
    "</LABEL>"
    "</FORM></FORMS>";

class FormGl : public qor_test::GlRenderTest {
 protected:
  void SetUp() override {
    GlRenderTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(scratch.fCreate("qor_form_gl_"));

    // Slider strip of 16-pixel frames: end buttons red, green; knob blue; caps and body cyan.
    write("ui/slider12.png", bandsPng(192, 16, {kRed, kRed, kRed, kGreen, kGreen, kGreen, kBlue, kBlue, kBlue, kCyan,
                                                kCyan, kCyan}));
    write("ui/slider13.png", bandsPng(208, 16, {kWhite}));
    write("ui/panel.png", bandsPng(150, 90, {kGrey}));
    write("ui/bar.png", bandsPng(150, 20, {kMagenta}));
    write("ui/page.png", bandsPng(gui_test::kPageWidth, gui_test::kPageHeight, {kWhite}));
    write("ui/font.xml", gui_test::fFontXml());
    loader = std::make_unique<QC_RESOURCE_LOADER>();
    ASSERT_EQ(loader->fAddPack("ui"), 1);
    qcRESOURCE_LOADER = loader.get();
    savedHook = qcOnUnscribeTexture;
    hook = std::make_unique<QC_CALLBACK>(&fOnUnscribeTexture);
    qcOnUnscribeTexture = hook.get();
  }

  void TearDown() override {
    qcOnUnscribeTexture = savedHook;
    qcRESOURCE_LOADER = nullptr;
    loader.reset();
    GlRenderTest::TearDown();
    scratch.fRemove();
  }

  void write(const std::string& relative, const std::string& bytes) { scratch.fWrite(relative, bytes); }

  qor_test::ScratchFolder scratch;
  std::unique_ptr<QC_RESOURCE_LOADER> loader;
  std::unique_ptr<QC_CALLBACK> hook;
  QC_CALLBACK* savedHook = nullptr;
};

TEST_F(FormGl, SliderListBoxAndLabelOfAForm) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(kForm));
  QC_GUI_ROOT root;
  fLoadForm(&root, doc.child("FORMS"), "screen");
  ASSERT_EQ(root.fGetRoot()->fGetChildren().size(), 3u);

  ASSERT_EQ(render->BeginScene(), 1);
  root.fRender();
  ASSERT_EQ(render->EndScene(), 0);
  const qor_test::Picture picture = qor_test::fReadPicture(render->fGetDevice());

  // Slider: the ends pulled in by half a frame to 308 and 492; knob offset 24, track 184 long,
  // so value 50 puts the knob at 308 + 24 + (184 - 48) / 2 = 400.
  EXPECT_TRUE(fPixelNear(picture, screen(308), screen(200), kRed));
  EXPECT_TRUE(fPixelNear(picture, screen(492), screen(200), kGreen));
  EXPECT_TRUE(fPixelNear(picture, screen(400), screen(200), kBlue));
  EXPECT_TRUE(fPixelNear(picture, screen(360), screen(200), kCyan));
  EXPECT_TRUE(fPixelNear(picture, screen(400), screen(230), 0x000000));

  // List box: the grey panel 150 x 90 around (700, 400) with three rows of 30; the selection bar
  // (150 x 20, the font's line height) behind row 0; yellow text in rows 0 and 1.
  EXPECT_TRUE(fPixelNear(picture, screen(765), screen(438), kGrey));
  EXPECT_TRUE(fPixelNear(picture, screen(765), screen(370), kMagenta));
  EXPECT_TRUE(fPixelNear(picture, screen(615), screen(400), 0x000000));  // left of the panel
  // Text from 7.5 pixels inside the panel's left edge, one line per row; row 2 holds no item.
  EXPECT_TRUE(fPixelNear(picture, screen(645), screen(362), kYellow));
  EXPECT_TRUE(fPixelNear(picture, screen(645), screen(392), kYellow));
  EXPECT_TRUE(fPixelNear(picture, screen(645), screen(422), kGrey));
  // The scroller stands right of the panel.
  EXPECT_TRUE(fPixelNear(picture, screen(783), screen(400), kWhite));

  // Label: magenta text "wwwww" (five glyphs of 8 pixels) centred on (150, 500).
  EXPECT_TRUE(fPixelNear(picture, screen(150), screen(500), kMagenta));
  EXPECT_TRUE(fPixelNear(picture, screen(40), screen(500), 0x000000));

  if (std::getenv("QOR_FORM_GL_DUMP") != nullptr) {
    std::vector<std::uint8_t> rgba = picture.rgba;
    const auto png = image_bytes::fPng(picture.width, picture.height, rgba);
    std::ofstream(std::getenv("QOR_FORM_GL_DUMP"), std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
}

}  // namespace
