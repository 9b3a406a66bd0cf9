// Byte buffers (the game's sound data) and content objects through the loader.
#include "engine/service/qc_callback.h"
#include "engine/video/qc_video.h"
#include "tests/engine/loader/loader_fixture.h"
#include "tests/kit/log_capture.h"
#include "tests/kit/theora_maker.h"

#include <pugixml.hpp>

#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

using namespace QOR;
using loader_test::LoaderTest;

namespace {

// Files the process holds open, so a test can tell that a stream was closed.
std::size_t openFiles() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

class Buffers : public LoaderTest {
 protected:
  void SetUp() override {
    LoaderTest::SetUp();
    _errors.emplace();
    _savedError = qcLastError;
    write("audio/click.ogg", std::string("OggS\0\1\2", 7));
    write("audio/doc.xml", "<d/>");
    writePack("data/audio", "snd", {{"music/theme.ogg", std::string("OggS\0payload", 12)}});
    ASSERT_EQ(loader().fAddPack("audio"), 1);
    ASSERT_EQ(loader().fAddPack("data/audio", "snd"), 1);
  }
  void TearDown() override {
    _errors.reset();
    qcLastError = _savedError;
    LoaderTest::TearDown();
  }
  std::optional<loader_test::ErrorHookCounter> _errors;
  std::string _savedError;
};

TEST_F(Buffers, LoadingGivesOneThenAlreadyLoadedAndKeepsTheBytes) {
  EXPECT_EQ(loader().fLoadByteBuffer("click.ogg"), 1);
  EXPECT_EQ(loader().fLoadByteBuffer("click.ogg"), -117);
  QS_RESOURCE* record = loader().fFindResource("click.ogg");
  EXPECT_EQ(record->fGetType(), QE_RES_BUFFER);
  EXPECT_TRUE(record->isReady());
  EXPECT_EQ(record->fGetSubscribers(), 1);
  // A loose file's bytes come with a counted NUL; a pack entry's are exact.
  ASSERT_EQ(record->_size, 8u);
  EXPECT_EQ(std::memcmp(loader().fGetByteBuffer("click.ogg"), "OggS\0\1\2\0", 8), 0);

  EXPECT_EQ(loader().fLoadByteBuffer("data/audio music/theme.ogg"), 1);
  QS_RESOURCE* theme = loader().fFindResource("music/theme.ogg");
  ASSERT_EQ(theme->_size, 12u);
  EXPECT_EQ(std::memcmp(theme->fGetData(), "OggS\0payload", 12), 0);
  EXPECT_EQ(_errors->count(), 0);
}

// What an object keeps to read its data again gives the bytes its record was loaded with, for a
// loose file and for a password pack's entry in a folder of its own, once the record let them go.
TEST_F(Buffers, TheRereaderGivesTheRecordsBytesAgain) {
  for (const auto& [load, find] : {std::pair<const char*, const char*>{"click.ogg", "click.ogg"},
                                   {"data/audio music/theme.ogg", "music/theme.ogg"}}) {
    ASSERT_EQ(loader().fLoadByteBuffer(load), 1) << load;
    QS_RESOURCE* record = loader().fFindResource(find);
    ASSERT_NE(record, nullptr) << find;
    const auto* data = static_cast<const std::uint8_t*>(record->fGetData());
    const std::vector<std::uint8_t> loaded(data, data + record->_size);
    const auto read = QC_RESOURCE_LOADER::fRereader(record);
    EXPECT_EQ(loader().fReleaseByteBuffer(load), 1);
    EXPECT_FALSE(record->isReady());
    std::vector<std::uint8_t> again;
    ASSERT_TRUE(read(again)) << load;
    EXPECT_EQ(again, loaded) << load;
  }
}

TEST_F(Buffers, FailuresSetTheLastErrorAndCallTheHook) {
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fLoadByteBuffer("none.ogg"), -1);
  EXPECT_TRUE(log.hasLine("No resource none.ogg"));
  EXPECT_EQ(qcLastError, "No resource ");
  EXPECT_EQ(_errors->count(), 1);

  EXPECT_NE(loader().fGetXmlDoc("doc.xml"), QC_RESOURCE_LOADER::fGetEmptyDocument());
  EXPECT_EQ(loader().fLoadByteBuffer("doc.xml"), -118);
  EXPECT_EQ(qcLastError, "QC_RESOURCE_LOADER::fLoadByteBuffer error resource");
  EXPECT_EQ(_errors->count(), 2);

  std::filesystem::remove(_resources + "audio/click.ogg");
  EXPECT_EQ(loader().fLoadByteBuffer("click.ogg"), -1);
  EXPECT_TRUE(log.hasLine("Cant load res click.ogg"));
  EXPECT_EQ(qcLastError, "Cant load res ");
  EXPECT_EQ(_errors->count(), 3);
  EXPECT_FALSE(loader().fFindResource("click.ogg")->isReady());

  EXPECT_EQ(loader().fGetByteBuffer("none.ogg"), nullptr);
  EXPECT_TRUE(log.hasLine("No resource named none.ogg"));
  EXPECT_EQ(qcLastError, "No resource named ");
  EXPECT_EQ(loader().fGetByteBuffer("doc.xml"), nullptr);
  EXPECT_TRUE(log.hasLine("Res not loaded doc.xml"));
  EXPECT_EQ(qcLastError, "Res not loaded ");
  EXPECT_EQ(_errors->count(), 5);
}

TEST_F(Buffers, ReleasingABufferFreesItAndItCanBeLoadedAgain) {
  EXPECT_EQ(loader().fReleaseByteBuffer("click.ogg"), 1);  // not loaded: nothing to do
  EXPECT_EQ(loader().fReleaseByteBuffer("none.ogg"), 1);
  ASSERT_EQ(loader().fLoadByteBuffer("click.ogg"), 1);
  EXPECT_EQ(loader().fReleaseByteBuffer("click.ogg"), 1);
  QS_RESOURCE* record = loader().fFindResource("click.ogg");
  EXPECT_FALSE(record->isReady());
  EXPECT_EQ(record->fGetData(), nullptr);
  EXPECT_EQ(record->fGetSubscribers(), 0);
  EXPECT_EQ(loader().fLoadByteBuffer("click.ogg"), 1);
  // A held buffer is never swept.
  EXPECT_EQ(loader().fFreeUnused(), 0);
  EXPECT_TRUE(record->isReady());
}

TEST_F(Buffers, ContentThatIsMissingOrNoVideoGivesNull) {
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fGetContent("intro.ogv"), nullptr);
  EXPECT_TRUE(log.hasLine("No resource intro.ogv"));
  EXPECT_TRUE(log.hasLine("MessageBox [Resource not found ] intro.ogv"));
  EXPECT_EQ(qcLastError, "intro.ogv");
  EXPECT_EQ(_errors->count(), 1);

  log.clear();
  EXPECT_EQ(loader().fGetContent("nopack intro.ogv"), nullptr);
  EXPECT_TRUE(log.hasLine("No pack named nopack!"));
  EXPECT_TRUE(log.hasLine("No resource nopack intro.ogv"));

  // Bytes that hold no video are a failed load; the record stays unloaded and its file closed.
  log.clear();
  const std::size_t filesBefore = openFiles();
  EXPECT_EQ(loader().fGetContent("audio click.ogg"), nullptr);
  EXPECT_EQ(openFiles(), filesBefore);
  EXPECT_TRUE(log.hasLine("Cant load content click.ogg"));
  EXPECT_EQ(qcLastError, "click.ogg");
  QS_RESOURCE* record = loader().fFindResource("click.ogg");
  EXPECT_FALSE(record->isReady());
  EXPECT_EQ(record->fGetData(), nullptr);
  EXPECT_EQ(record->fGetType(), QE_RES_NONE);

  // Archive entries have no stream to play from.
  log.clear();
  EXPECT_EQ(loader().fGetContent("data/audio music/theme.ogg"), nullptr);
  EXPECT_TRUE(log.hasLine("Cant load content music/theme.ogg"));
}

TEST_F(Buffers, AVideoIsBuiltOnceAndReleasedWithItsFileAndTexture) {
  qor_test::TheoraClip clip;
  const auto bytes = qor_test::fEncodeTheora(clip, {qor_test::fSolidPicture(clip, 0x00FF00), qor_test::fSolidPicture(clip, 0x0000FF)});
  ASSERT_FALSE(bytes.empty());
  write("video/intro.ogv", std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(loader().fAddPack("video"), 1);

  QC_VIDEO* video = loader().fGetContent("video intro.ogv");
  ASSERT_NE(video, nullptr);
  EXPECT_TRUE(video->isOpen());
  EXPECT_FALSE(video->isLooping());
  EXPECT_FLOAT_EQ(video->fGetFramePeriod(), 1.0f / 30.0f);
  EXPECT_EQ(video->fGetWidth(), 32);
  EXPECT_EQ(loader().fGetContent("intro.ogv"), video);
  QS_RESOURCE* record = loader().fFindResource("intro.ogv");
  EXPECT_EQ(record->fGetType(), QE_RES_CONTENT);
  EXPECT_EQ(record->fGetSubscribers(), 2);
  EXPECT_EQ(loader().fFindByData(video), record);
  EXPECT_EQ(loader().fGetXmlDoc("intro.ogv"), QC_RESOURCE_LOADER::fGetEmptyDocument());
  EXPECT_EQ(loader().fLoadByteBuffer("intro.ogv"), -118);

  ASSERT_NE(video->fGetTexture(), nullptr);
  const std::size_t filesOpen = openFiles();
  const int serial = host_test::fSerialOf(video->fGetTexture()->_texture);
  loader().fUnscribeByData(video);
  loader().fUnscribeByData(video);
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fFreeUnused(), 1);
  EXPECT_TRUE(log.hasLine("fclose res"));
  EXPECT_FALSE(record->isReady());
  EXPECT_FALSE(host_test::fIsAlive(serial));
  EXPECT_EQ(openFiles(), filesOpen - 1);
  // And it can be built again.
  EXPECT_NE(loader().fGetContent("intro.ogv"), nullptr);
}

}  // namespace
