// Subscription balance: every picture a widget was handed goes back through the texture-release
// hook exactly once, when the widget is destroyed or drops it, and nothing it was not handed does.
#include "gui/base/qc_gui_root.h"
#include "gui/widgets/qc_gui_animation_bar.h"
#include "gui/widgets/qc_gui_linebox.h"
#include "gui/widgets/qc_gui_progress_bar.h"
#include "gui/widgets/qc_gui_textbox.h"
#include "gui/widgets/qc_image_button.h"
#include "gui/widgets/qc_image_checkbox.h"
#include "tests/gui/gui_test_kit.h"

#include <memory>

using namespace QOR;
using gui_test::fReleaseCount;
using gui_test::fReleased;
using gui_test::WidgetTest;

namespace {

using TextureRelease = WidgetTest;

TEST_F(TextureRelease, EachWidgetHandsItsPictureBackOnce) {
  QC_TEXTURE_INFO* barTexture = texture(100, 10);
  QC_TEXTURE_INFO* sheet = texture(100, 140);
  QC_TEXTURE_INFO* lineBackground = texture(200, 40);
  QC_TEXTURE_INFO* textBackground = texture(200, 40);
  auto typeface = font();
  delete new QC_GUI_PROGRESS_BAR(1, barTexture);  // two sprites on one texture: one release
  delete new QC_GUI_ANIMATION_BAR(2, sheet, 5, 7, 33);
  delete new QC_GUI_LINEBOX(3, lineBackground, typeface.get());
  delete new QC_GUI_TEXTBOX(4, typeface.get(), textBackground);
  EXPECT_EQ(fReleased().size(), 4u);
  EXPECT_EQ(fReleaseCount(barTexture), 1);
  EXPECT_EQ(fReleaseCount(sheet), 1);
  EXPECT_EQ(fReleaseCount(lineBackground), 1);
  EXPECT_EQ(fReleaseCount(textBackground), 1);
  EXPECT_EQ(fReleaseCount(fontPage()), 0);  // the borrowed font's page stays its owner's
}

TEST_F(TextureRelease, AFontMadeFromAHandedPageReturnsThePageWithIt) {
  QC_TEXTURE_INFO* background = texture(200, 40);
  auto* line = new QC_GUI_LINEBOX(3, background, fontNode(), fontPage());
  auto* text = new QC_GUI_TEXTBOX(4, fontNode(), fontPage(), texture(200, 40));
  auto borrowed = font();
  line->fSetFont(borrowed.get());  // drops its own font now
  EXPECT_EQ(fReleaseCount(fontPage()), 1);
  line->fSetFont(borrowed.get());
  EXPECT_EQ(fReleaseCount(fontPage()), 1);
  delete line;
  delete text;
  EXPECT_EQ(fReleaseCount(fontPage()), 2);
  EXPECT_EQ(fReleaseCount(background), 1);
}

TEST_F(TextureRelease, PicturesNotTakenFromTheLoaderAreNotReturned) {
  delete new QC_GUI_TEXTBOX(5);  // the renderer's default texture
  delete new QC_GUI_TEXTBOX(6, nullptr, texture(20, 20));  // refused: no font
  delete new QC_GUI_PROGRESS_BAR(7, nullptr);
  delete new QC_IMAGE_BUTTON(texture(100, 20), nullptr, QC_HIT_AREA::kCircle, 0.0f, 0.0f);
  delete new QC_IMAGE_CHECKBOX(texture(100, 20));
  EXPECT_TRUE(fReleased().empty());
  EXPECT_EQ(fReleaseCount(nullptr), 0);
}

TEST_F(TextureRelease, ClearingAndDeletingAHolderReturnEachPictureOnce) {
  QC_TEXTURE_INFO* a = texture(100, 10);
  QC_TEXTURE_INFO* b = texture(100, 10);
  QC_TEXTURE_INFO* c = texture(100, 10);
  auto root = std::make_unique<QC_GUI_ROOT>();
  auto* bar = new QC_GUI_PROGRESS_BAR(1, a);
  bar->fAddControl(new QC_GUI_PROGRESS_BAR(2, b));  // nested
  root->fAddControl(bar);
  root->fClear();
  EXPECT_EQ(fReleaseCount(a), 1);
  EXPECT_EQ(fReleaseCount(b), 1);
  root->fAddControl(new QC_GUI_ANIMATION_BAR(3, c, 2, 2, 4));
  root->fRemoveControl(99);
  EXPECT_EQ(fReleaseCount(c), 0);
  root.reset();
  EXPECT_EQ(fReleaseCount(c), 1);
  EXPECT_EQ(fReleased().size(), 3u);
}

TEST_F(TextureRelease, NoHookMeansNothingHappens) {
  QC_CALLBACK* saved = qcOnUnscribeTexture;
  qcOnUnscribeTexture = nullptr;
  delete new QC_GUI_PROGRESS_BAR(1, texture(100, 10));
  qcOnUnscribeTexture = saved;
  EXPECT_TRUE(fReleased().empty());
}

}  // namespace
