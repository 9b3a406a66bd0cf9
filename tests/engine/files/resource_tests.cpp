// Resource records: names from paths, and release by the kind of object a record holds.
#include "engine/files/qc_file_system.h"
#include "engine/files/qs_resource.h"
#include "tests/engine/files/files_fixture.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <cstdlib>

using namespace QOR;

namespace {

TEST(ResourceRecord, NameAndFolderFromAPath) {
  QS_RESOURCE packed("data/fonts/font.png");
  EXPECT_EQ(packed._sgResName, "font.png");
  EXPECT_EQ(packed._folder, "data/fonts/");
  QS_RESOURCE bare("font.png");
  EXPECT_EQ(bare._sgResName, "font.png");
  EXPECT_EQ(bare._folder, "");
  QS_RESOURCE folder("levels/");
  EXPECT_EQ(folder._sgResName, "levels/");
  EXPECT_EQ(folder._folder, "");
  QS_RESOURCE backslashed("data\\tiles\\tile.png");
  EXPECT_EQ(backslashed._sgResName, "tile.png");
  EXPECT_EQ(backslashed._folder, "data\\tiles\\");
  std::unique_ptr<QS_RESOURCE> made(QS_RESOURCE::fCreate("a/b"));
  EXPECT_FALSE(made->isReady());
  EXPECT_EQ(made->fGetType(), QE_RES_NONE);
  EXPECT_EQ(made->_size, 0u);
  EXPECT_EQ(made->fGetData(), nullptr);
  EXPECT_EQ(made->fGetSubscribers(), 0);
}

TEST(ResourceRecord, UnsubscribeReportsTheLastSubscriber) {
  QS_RESOURCE r("a.png");
  r._subscribers = 2;
  EXPECT_FALSE(r.fUnsubscribe());
  EXPECT_TRUE(r.fUnsubscribe());
  EXPECT_TRUE(r.fUnsubscribe());
  EXPECT_EQ(r.fGetSubscribers(), -1);
}

// Registered releases record what they were given.
std::vector<void*> g_released;
void recordRelease(void* data) { g_released.push_back(data); }

class ReleaseTest : public ::testing::Test {
 protected:
  void SetUp() override { g_released.clear(); }
  void TearDown() override {
    QS_RESOURCE::fSetKindRelease(QE_RES_TEXTURE, nullptr);
    QS_RESOURCE::fSetKindRelease(QE_RES_CONTENT, nullptr);
    QS_RESOURCE::fSetKindRelease(3, nullptr);
  }

  static QS_RESOURCE holding(std::int32_t kind, void* data) {
    QS_RESOURCE r("tile.png");
    r._kind = kind;
    r._data = data;
    r._size = 42;
    r._ready = true;
    return r;
  }

  static void expectEmpty(const QS_RESOURCE& r) {
    EXPECT_EQ(r._kind, QE_RES_NONE);
    EXPECT_EQ(r._data, nullptr);
    EXPECT_EQ(r._size, 0u);
    EXPECT_EQ(r._subscribers, 0);
    EXPECT_FALSE(r._ready);
  }
};

TEST_F(ReleaseTest, SubscribedOrUnreadyRecordsKeepWhatTheyHold) {
  int object = 0;
  QS_RESOURCE held = holding(QE_RES_TEXTURE, &object);
  held._subscribers = 1;
  qor_test::LogCapture log;
  EXPECT_FALSE(held.fRelease());
  EXPECT_EQ(held._data, &object);
  EXPECT_TRUE(held._ready);
  EXPECT_TRUE(log.lines().empty());

  QS_RESOURCE unready = holding(QE_RES_TEXTURE, &object);
  unready._ready = false;
  EXPECT_FALSE(unready.fRelease());
  EXPECT_TRUE(log.hasLine("resource not ready tile.png"));
  EXPECT_EQ(unready._data, &object);
  EXPECT_TRUE(g_released.empty());
}

TEST_F(ReleaseTest, TexturesAndContentGoToTheirRegisteredRelease) {
  QS_RESOURCE::fSetKindRelease(QE_RES_TEXTURE, &recordRelease);
  QS_RESOURCE::fSetKindRelease(QE_RES_CONTENT, &recordRelease);
  int texture = 0;
  int video = 0;
  QS_RESOURCE t = holding(QE_RES_TEXTURE, &texture);
  QS_RESOURCE v = holding(QE_RES_CONTENT, &video);
  qor_test::LogCapture log;
  EXPECT_FALSE(t.fRelease());
  EXPECT_FALSE(v.fRelease());
  EXPECT_TRUE(log.hasLine("release tex tile.png"));
  EXPECT_TRUE(log.hasLine("fclose res"));
  EXPECT_EQ(g_released, (std::vector<void*>{&texture, &video}));
  expectEmpty(t);
  expectEmpty(v);
}

TEST_F(ReleaseTest, UnregisteredObjectsAreNeverFreedAsBytes) {
  // The objects live on the stack: freeing them would crash under the sanitizers.
  int texture = 0;
  int video = 0;
  int unknown = 0;
  QS_RESOURCE t = holding(QE_RES_TEXTURE, &texture);
  QS_RESOURCE v = holding(QE_RES_CONTENT, &video);
  QS_RESOURCE u = holding(3, &unknown);
  qor_test::LogCapture log;
  t.fRelease();
  v.fRelease();
  u.fRelease();
  EXPECT_TRUE(log.hasLine("resource default release, type = 3"));
  expectEmpty(t);
  expectEmpty(v);
  expectEmpty(u);
  QS_RESOURCE::fSetKindRelease(3, &recordRelease);
  QS_RESOURCE registered = holding(3, &unknown);
  registered.fRelease();
  EXPECT_EQ(g_released, (std::vector<void*>{&unknown}));
}

TEST_F(ReleaseTest, BytesBuffersAndDocumentsAreFreed) {
  QS_RESOURCE bytes = holding(QE_RES_BYTES, std::malloc(16));
  QS_RESOURCE buffer = holding(QE_RES_BUFFER, std::malloc(16));
  auto* document = new pugi::xml_document();
  document->load_string("<root><a/></root>");
  QS_RESOURCE xml = holding(QE_RES_XML, document);
  qor_test::LogCapture log;
  bytes.fRelease();
  buffer.fRelease();
  xml.fRelease();
  EXPECT_TRUE(log.hasLine("resource default release, type = 1"));
  EXPECT_TRUE(log.hasLine("resource default release, type = 5"));
  expectEmpty(bytes);
  expectEmpty(buffer);
  expectEmpty(xml);
}

TEST_F(ReleaseTest, ReleasedStreamIsClosedNotFreed) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  QS_RESOURCE stream = holding(QE_RES_BYTES, file);
  stream._stream = true;
  stream.fRelease();
  expectEmpty(stream);
  EXPECT_FALSE(stream._stream);
}

TEST_F(ReleaseTest, ReleasedRecordLoadsAgain) {
  std::string pattern = (std::filesystem::temp_directory_path() / "qor_release_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const auto start = std::filesystem::current_path();
  {
    QC_FILE_SYSTEM files(pattern);
    qor_test::fWriteBytes(pattern + "/Resources/a.txt", std::string("abc"));
    QS_RESOURCE r("a.txt");
    ASSERT_EQ(files.fLoadResource(&r), 1);
    r._kind = QE_RES_BUFFER;
    r._ready = true;
    r.fRelease();
    expectEmpty(r);
    ASSERT_EQ(files.fLoadResource(&r), 1);
    EXPECT_EQ(std::string(static_cast<const char*>(r._data)), "abc");
    files.fFreeResource(&r);
  }
  std::filesystem::current_path(start);
  std::filesystem::remove_all(pattern);
}

}  // namespace
