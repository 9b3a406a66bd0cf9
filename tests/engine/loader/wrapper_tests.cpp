// The game service's flat operations, each checked against the engine object it forwards to.
#include "engine/files/qc_file_system.h"
#include "engine/platform/qc_input.h"
#include "engine/platform/qc_window.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "engine/sound/qc_mixer.h"
#include "engine/sound/qc_sound.h"
#include "engine/sound/qc_sound_lock.h"
#include "tests/engine/loader/loader_fixture.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/ogg_maker.h"

#include <pugixml.hpp>

#include <cmath>
#include <limits>

using namespace QOR;

namespace {

// The services are started once, as the game starts them; each test then gets a scratch
// Resources folder and a fresh loader of its own.
class Wrappers : public loader_test::LoaderTest {
 protected:
  static void SetUpTestSuite() {
    qor_test::fUseTestDoors();
    qcGAME = QC_GAME::fGetGame();
    QC_GAME::fInitServices(qcGAME, "Wrapper Game");
  }

  void SetUp() override {
    _gameRender = qcRENDER;
    LoaderTest::SetUp();
    // The game's renderer, so the window and renderer agree; the fixture's own stays unused.
    qcRENDER = _gameRender;
    _savedLoader = qcRESOURCE_LOADER;
    _loader.reset();
    _loader = std::make_unique<QC_RESOURCE_LOADER>();
    qcRESOURCE_LOADER = _loader.get();
  }
  void TearDown() override {
    _loader.reset();
    qcRESOURCE_LOADER = _savedLoader;
    LoaderTest::TearDown();
    qcRENDER = _gameRender;
  }

  QC_RENDER* _gameRender = nullptr;
  QC_RESOURCE_LOADER* _savedLoader = nullptr;
};

TEST_F(Wrappers, PacksImagesAndDocumentsGoThroughTheLoader) {
  write("data/pic.png", loader_test::fPngBytes(6, 2));
  write("data/doc.xml", "<doc n=\"3\"/>");
  writePack("XML/config", "pw", {{"consts.xml", "<mahjong_consts/>"}});
  EXPECT_EQ(QC_GAME::fAddPack("data"), 1);
  EXPECT_EQ(QC_GAME::fAddPack("data"), -110);
  EXPECT_EQ(QC_GAME::fAddPack(nullptr), -1);
  EXPECT_EQ(QC_GAME::fAddPack("XML/config", "pw"), 1);
  EXPECT_EQ(qcGAME->fAddPack("data/none", "pw"), -1);

  QC_TEXTURE_INFO* texture = QC_GAME::fSubscribeImage("data pic.png");
  ASSERT_NE(texture, qcRENDER->fGetDefaultTexture());
  EXPECT_EQ(texture->fGetWidth(), 6);
  EXPECT_EQ(loader().fFindByData(texture)->fGetSubscribers(), 1);
  EXPECT_TRUE(QC_GAME::fUnscribeImage(texture));
  EXPECT_EQ(loader().fFindByData(texture)->fGetSubscribers(), 0);
  EXPECT_TRUE(QC_GAME::fUnscribeImage(qcRENDER->fGetDefaultTexture()));  // unknown: still true

  EXPECT_EQ(QC_GAME::fLoadXml("doc.xml")->child("doc").attribute("n").as_int(), 3);
  EXPECT_TRUE(QC_GAME::fLoadXml("XML/config consts.xml")->child("mahjong_consts"));
  pugi::xml_document* missing = QC_GAME::fLoadXml("default_player.xml");
  ASSERT_NE(missing, nullptr);
  EXPECT_FALSE(missing->document_element());
}

TEST_F(Wrappers, SoundsAreMadeOnlyOverLoadedSoundBytes) {
  const auto ogg = qor_test::fMakeSineOgg(440.0, 0.2, 1, 22050);
  ASSERT_FALSE(ogg.empty());
  write("audio/tile_select.ogg", std::string(ogg.begin(), ogg.end()));
  write("audio/noise.ogg", "this is not Ogg Vorbis data at all");
  write("audio/pic.png", loader_test::fPngBytes(2, 2));
  ASSERT_EQ(QC_GAME::fAddPack("audio"), 1);

  EXPECT_EQ(QC_GAME::fCreateSound("absent.ogg", 2, 0), nullptr);
  // Not loaded yet: the record holds no bytes to decode.
  EXPECT_EQ(QC_GAME::fCreateSound("tile_select.ogg", 2, 0), nullptr);
  EXPECT_EQ(QC_GAME::fGetResource("tile_select.ogg"), 1);
  EXPECT_EQ(QC_GAME::fGetResource("tile_select.ogg"), -117);
  EXPECT_EQ(QC_GAME::fGetResource("absent.ogg"), -1);
  const std::size_t before = qcMIXER->fGetSoundCount();
  QC_SOUND* sound = QC_GAME::fCreateSound("tile_select.ogg", 2, 0);
  EXPECT_NE(sound, nullptr);
  EXPECT_EQ(qcMIXER->fGetSoundCount(), before + 1);

  EXPECT_EQ(QC_GAME::fGetResource("noise.ogg"), 1);
  EXPECT_EQ(QC_GAME::fCreateSound("noise.ogg", 2, 0), nullptr);
  // An image's record holds a texture, not sound data.
  ASSERT_NE(QC_GAME::fSubscribeImage("pic.png"), qcRENDER->fGetDefaultTexture());
  EXPECT_EQ(QC_GAME::fGetResource("pic.png"), -118);
  EXPECT_EQ(QC_GAME::fCreateSound("pic.png", 2, 0), nullptr);
  EXPECT_EQ(qcMIXER->fGetSoundCount(), before + 1);
}

TEST_F(Wrappers, SoundBytesAreNotReleasedWhileASoundReadsThem) {
  const auto ogg = qor_test::fMakeSineOgg(440.0, 1.5, 2, 22050);
  ASSERT_FALSE(ogg.empty());
  write("audio/theme.ogg", std::string(ogg.begin(), ogg.end()));
  ASSERT_EQ(QC_GAME::fAddPack("audio"), 1);
  ASSERT_EQ(QC_GAME::fGetResource("theme.ogg"), 1);
  QS_RESOURCE* record = loader().fFindResource("theme.ogg");
  auto* bytes = static_cast<const char*>(record->fGetData());
  QC_SOUND* stream = QC_GAME::fCreateSound("theme.ogg", 4, 1);
  ASSERT_NE(stream, nullptr);
  // Any byte of the data counts; the byte after it does not.
  EXPECT_TRUE(qcMIXER->isReadingData(bytes));
  EXPECT_TRUE(qcMIXER->isReadingData(bytes + record->_size - 1));
  EXPECT_FALSE(qcMIXER->isReadingData(bytes + record->_size));
  EXPECT_FALSE(qcMIXER->isReadingData(nullptr));

  qor_test::LogCapture log;
  EXPECT_EQ(loader().fReleaseByteBuffer("theme.ogg"), 1);
  EXPECT_TRUE(log.hasLine("Buffer is in use by a sound, not released theme.ogg"));
  EXPECT_TRUE(record->isReady());
  EXPECT_EQ(record->fGetData(), bytes);
  EXPECT_EQ(record->fGetSubscribers(), 1);
  EXPECT_EQ(loader().fFreeUnused(), 0);
  EXPECT_EQ(record->fGetData(), bytes);
  // The stream still decodes from those bytes: a restart and refills read them (freed bytes would
  // fail the sanitizer build here).
  stream->fRestart();
  {
    QC_SOUND_LOCK lock;
    qcMIXER->fUpdate();
  }
  EXPECT_TRUE(stream->isPlaying());

  // Once the sound has left the mixer the bytes go, and can be loaded again.
  ASSERT_EQ(qcMIXER->fRemoveSound(stream), 1);
  delete stream;
  EXPECT_FALSE(qcMIXER->isReadingData(bytes));
  log.clear();
  EXPECT_EQ(loader().fReleaseByteBuffer("theme.ogg"), 1);
  EXPECT_FALSE(log.contains("in use"));
  EXPECT_FALSE(record->isReady());
  EXPECT_EQ(record->fGetData(), nullptr);
  EXPECT_EQ(QC_GAME::fGetResource("theme.ogg"), 1);
}

// A stream told to read its data when played gives the loader's bytes back at once and reads
// them from the pack each time it starts; a whole sound cannot.
TEST_F(Wrappers, AStreamThatReadsWhenPlayedGivesItsBytesBack) {
  const auto ogg = qor_test::fMakeSineOgg(440.0, 1.5, 2, 22050);
  write("audio/theme.ogg", std::string(ogg.begin(), ogg.end()));
  write("audio/click.ogg", std::string(ogg.begin(), ogg.end()));
  ASSERT_EQ(QC_GAME::fAddPack("audio"), 1);
  ASSERT_EQ(QC_GAME::fGetResource("theme.ogg"), 1);
  ASSERT_EQ(QC_GAME::fGetResource("click.ogg"), 1);
  QS_RESOURCE* record = loader().fFindResource("theme.ogg");
  const void* bytes = record->fGetData();
  QC_SOUND* stream = QC_GAME::fCreateSound("theme.ogg", 4, 1);
  QC_SOUND* effect = QC_GAME::fCreateSound("click.ogg", 2, 0);
  ASSERT_NE(stream, nullptr);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(QC_GAME::fStreamWhenPlayed(effect, "click.ogg"), -1);
  EXPECT_EQ(QC_GAME::fStreamWhenPlayed(stream, "missing.ogg"), -1);

  EXPECT_EQ(QC_GAME::fStreamWhenPlayed(stream, "theme.ogg"), 1);
  EXPECT_FALSE(record->isReady());
  EXPECT_FALSE(qcMIXER->isReadingData(bytes));
  for (int start = 0; start < 2; ++start) {
    stream->fRestart();
    {
      QC_SOUND_LOCK lock;
      qcMIXER->fUpdate();
    }
    EXPECT_TRUE(stream->isPlaying()) << "start " << start;
  }
  stream->fStop();
  EXPECT_FALSE(record->isReady()) << "the sound reads its own copy, not the loader's record";
  ASSERT_EQ(qcMIXER->fRemoveSound(stream), 1);
  ASSERT_EQ(qcMIXER->fRemoveSound(effect), 1);
  delete stream;
  delete effect;
}

TEST_F(Wrappers, PathTypesAndTheResourceFolder) {
  write("cheating.txt", "");
  const std::string resources = _files->fGetResourceDirectory();
  EXPECT_EQ(QC_GAME::fGetPathType(resources + "cheating.txt"), 1);
  EXPECT_EQ(QC_GAME::fGetPathType(resources), 2);
  EXPECT_EQ(QC_GAME::fGetPathType(resources + "nothing"), 0);

  QC_GAME::fSetResourceFolder("Other/");
  EXPECT_EQ(_files->fGetResourceDirectory(), _files->fGetAppDirectory() + "Other/");
  _files->fSetResourceDirectory(resources);
}

TEST_F(Wrappers, DisplayCursorAndMouse) {
  QC_GAME::fSetClearColor(0xFF102030u);
  EXPECT_EQ(qcRENDER->fGetClearColor(), 0xFF102030u);
  QC_GAME::fSetCaption("Mahjong \xE2\x80\x94 test");

  QC_GAME::fHideCursor();
  EXPECT_LT(host_test::fCursorCounter(), 0);
  QC_GAME::fShowCursor();
  EXPECT_GE(host_test::fCursorCounter(), 0);

  POINT cursor{};
  QC_GAME::fSetCursorPos(10.9f, -0.5f);
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor.x, 10);
  EXPECT_EQ(cursor.y, 0);
  QC_GAME::fSetCursorPos(std::numeric_limits<float>::quiet_NaN(), -1e20f);
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor.x, 0);
  EXPECT_EQ(cursor.y, std::numeric_limits<int>::min());

  qcINPUT->fSetMousePosition(123, 45);
  EXPECT_EQ(QC_GAME::fGetMousePos(), QS_POINT(123, 45));
}

TEST_F(Wrappers, ResolutionGoesToTheWindowAndTheRenderer) {
  const QS_POINT saved = qcGAME->fGetResolution();
  EXPECT_EQ(qcGAME->fSetResolution(800, 600, 0), 1);
  EXPECT_EQ(qcGAME->fGetResolution(), QS_POINT(800, 600));
  EXPECT_EQ(qcRENDER->fGetGameSize(), QS_POINT(800, 600));
  EXPECT_EQ(qcWINDOW->fGetWidth(), 800);
  EXPECT_EQ(qcWINDOW->fGetHeight(), 600);
  EXPECT_FALSE(qcRENDER->isFullScreen());
  EXPECT_EQ(qcGAME->fSetResolution(saved.x, saved.y, 0), 1);
  EXPECT_EQ(qcRENDER->fGetGameSize(), saved);
}

}  // namespace
