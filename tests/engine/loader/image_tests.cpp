// Images through the loader on the recording device: subscriptions and their counts, the default
// texture for whatever cannot be found or read, sweeps, preloads, and the widgets' give-back hook.
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "tests/engine/loader/loader_fixture.h"
#include "tests/kit/log_capture.h"

#include <pugixml.hpp>

#include <algorithm>

using namespace QOR;
using loader_test::fPngBytes;
using loader_test::LoaderTest;

namespace {

class Images : public LoaderTest {
 protected:
  void SetUp() override {
    LoaderTest::SetUp();
    write("pics/tile.png", fPngBytes(8, 4));
    write("pics/other.png", fPngBytes(2, 2));
    write("pics/broken.png", "not an image at all");
    write("pics/doc.xml", "<doc/>");
    ASSERT_EQ(loader().fAddPack("pics"), 1);
  }

  static bool alive(QC_TEXTURE_INFO* texture) {
    return texture->_texture != nullptr && host_test::fIsAlive(host_test::fSerialOf(texture->_texture));
  }

  QS_RESOURCE* record(const std::string& name) { return loader().fGetPack("pics")->fFind(name); }
};

TEST_F(Images, SubscribingTwiceMakesOneTextureAndCountsTwoSubscribers) {
  QC_TEXTURE_INFO* first = loader().fSubscribeImage("pics tile.png");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first, defaultTexture());
  EXPECT_EQ(first->fGetWidth(), 8);
  EXPECT_EQ(first->fGetHeight(), 4);
  EXPECT_EQ(loader().fSubscribeImage("tile.png"), first);  // the one-word form finds the same record
  EXPECT_EQ(loader().fGetSubscribedCount(), 1);
  EXPECT_EQ(record("tile.png")->fGetSubscribers(), 2);
  EXPECT_EQ(record("tile.png")->fGetType(), QE_RES_TEXTURE);
  EXPECT_TRUE(record("tile.png")->isReady());
  EXPECT_EQ(loader().fFindByData(first), record("tile.png"));

  qor_test::LogCapture log;
  EXPECT_TRUE(loader().fUnscribeImage(first));
  EXPECT_FALSE(log.contains("Fully unscribe"));
  EXPECT_TRUE(loader().fUnscribeImage(first));
  EXPECT_TRUE(log.hasLine("Fully unscribe tile.png"));
  EXPECT_EQ(loader().fGetUnscribedCount(), 1);
  // The texture stays until a sweep.
  EXPECT_TRUE(alive(first));
}

TEST_F(Images, ExtraGiveBacksNeverDriveTheCountBelowZero) {
  QC_TEXTURE_INFO* texture = loader().fSubscribeImage("pics tile.png");
  ASSERT_TRUE(loader().fUnscribeImage(texture));
  qor_test::LogCapture log;
  EXPECT_TRUE(loader().fUnscribeImage(texture));
  EXPECT_TRUE(loader().fUnscribeImage(texture));
  EXPECT_TRUE(log.hasLine("Extra unscribe tile.png"));
  EXPECT_FALSE(log.contains("Fully unscribe"));
  EXPECT_EQ(record("tile.png")->fGetSubscribers(), 0);
  EXPECT_EQ(loader().fGetUnscribedCount(), 1);

  // The next user counts from 0, so a sweep leaves the texture it holds alone.
  EXPECT_EQ(loader().fSubscribeImage("pics tile.png"), texture);
  EXPECT_EQ(record("tile.png")->fGetSubscribers(), 1);
  EXPECT_EQ(loader().fFreeUnused(), 0);
  EXPECT_TRUE(alive(texture));
  EXPECT_FALSE(loader().fUnscribeByData(texture));
  EXPECT_FALSE(loader().fUnscribeByData(texture));
  EXPECT_EQ(record("tile.png")->fGetSubscribers(), 0);
}

TEST_F(Images, SweepReleasesPackTexturesNobodyHoldsAndOnlyCountsTheMainRepository) {
  write("main.png", fPngBytes(3, 3));
  ASSERT_EQ(loader().fAddPack(""), 1);
  QC_TEXTURE_INFO* pack = loader().fSubscribeImage("pics tile.png");
  QC_TEXTURE_INFO* held = loader().fSubscribeImage("pics other.png");
  QC_TEXTURE_INFO* main = loader().fSubscribeImage("main.png");
  ASSERT_NE(main, defaultTexture());
  loader().fUnscribeImage(pack);
  loader().fUnscribeImage(main);

  qor_test::LogCapture log;
  EXPECT_EQ(loader().fFreeUnused(), 2);
  EXPECT_TRUE(log.hasLine("release tex tile.png"));
  EXPECT_FALSE(record("tile.png")->isReady());
  EXPECT_EQ(record("tile.png")->fGetData(), nullptr);
  EXPECT_TRUE(record("other.png")->isReady());
  EXPECT_TRUE(alive(held));
  EXPECT_TRUE(loader().fFindInMain("main.png")->isReady());
  EXPECT_TRUE(alive(main));

  // A released image loads again on its next subscription.
  QC_TEXTURE_INFO* again = loader().fSubscribeImage("pics tile.png");
  ASSERT_NE(again, defaultTexture());
  EXPECT_EQ(again->fGetWidth(), 8);
  EXPECT_EQ(loader().fGetSubscribedCount(), 4);
}

TEST_F(Images, WhatCannotBeFoundOrReadGivesTheDefaultTextureAndCountsNothing) {
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fSubscribeImage("pics broken.png"), defaultTexture());
  EXPECT_FALSE(record("broken.png")->isReady());
  EXPECT_EQ(record("broken.png")->fGetSubscribers(), 0);
  EXPECT_EQ(loader().fGetSubscribedCount(), 0);
  EXPECT_EQ(record("broken.png")->fGetData(), nullptr);

  log.clear();
  EXPECT_EQ(loader().fSubscribeImage("missing.png"), defaultTexture());
  const std::vector<std::string> lines = log.lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("MessageBox [No resource] missing.png")), 2);

  log.clear();
  EXPECT_EQ(loader().fSubscribeImage("pics missing.png"), defaultTexture());
  EXPECT_TRUE(log.hasLine("MessageBox [Not find] missing.png"));

  log.clear();
  EXPECT_EQ(loader().fSubscribeImage("nopack tile.png"), defaultTexture());
  EXPECT_EQ(loader().fSubscribeImage("pics tile .png"), defaultTexture());
  EXPECT_FALSE(log.contains("MessageBox"));
  EXPECT_EQ(loader().fSubscribeImage(" tile.png"), defaultTexture());
  EXPECT_TRUE(log.hasLine("image_ident=  tile.png"));

  // The default texture belongs to no record, and null names no object (unloaded records hold null).
  EXPECT_EQ(loader().fFindByData(nullptr), nullptr);
  EXPECT_FALSE(loader().fUnscribeImage(nullptr));
  log.clear();
  EXPECT_FALSE(loader().fUnscribeImage(defaultTexture()));
  EXPECT_TRUE(log.hasLine("Resource error in fUnscribeImage"));
}

TEST_F(Images, WithoutARendererImageFailuresAreLogLinesAndNoBoxes) {
  // A renderer whose start failed (no device), then no renderer at all.
  host_test::fRecordingControls().failDirect3D = true;
  QC_RENDER failed;
  ASSERT_NE(failed.fInit(nullptr, 0.1f, 0.0f), 1);
  host_test::fRecordingControls().failDirect3D = false;
  // The fixture's renderer comes back however the test ends.
  struct Restore {
    QC_RENDER* saved;
    ~Restore() { qcRENDER = saved; }
  } restore{qcRENDER};
  for (QC_RENDER* renderer : {&failed, static_cast<QC_RENDER*>(nullptr)}) {
    SCOPED_TRACE(renderer != nullptr ? "failed renderer" : "no renderer");
    qcRENDER = renderer;
    host_test::fResetMessageBoxCount();
    qor_test::LogCapture log;
    EXPECT_EQ(loader().fSubscribeImage("pics tile.png"), nullptr);
    EXPECT_EQ(loader().fSubscribeImage("tile.png"), nullptr);
    EXPECT_EQ(loader().fSubscribeImage("missing.png"), nullptr);
    EXPECT_EQ(loader().fSubscribeImage("pics missing.png"), nullptr);
    EXPECT_EQ(loader().fSubscribeImage("pics broken.png"), nullptr);
    EXPECT_EQ(loader().fPreloadImage("gone.png"), -1);
    EXPECT_EQ(loader().fPreloadImage("pics other.png"), -112);
    EXPECT_EQ(host_test::fMessageBoxCount(), 0);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "Image pics tile.png not loaded: no renderer",
                               "Image pics tile.png not loaded: no renderer",
                               "Image missing.png not loaded: not found",
                               "Image pics missing.png not loaded: not found",
                               "Image pics broken.png not loaded: no renderer",
                               "Image gone.png not loaded: not found",
                               "Image pics other.png not loaded: no renderer",
                           }));
    EXPECT_FALSE(record("tile.png")->isReady());
    EXPECT_EQ(loader().fGetSubscribedCount(), 0);
  }

  // With the renderer back the boxes are as before, and images load.
  qcRENDER = &render();
  host_test::fResetMessageBoxCount();
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fSubscribeImage("missing.png"), defaultTexture());
  EXPECT_EQ(host_test::fMessageBoxCount(), 2);
  EXPECT_EQ(loader().fSubscribeImage("pics broken.png"), defaultTexture());
  EXPECT_TRUE(log.hasLine("MessageBox [unnamed] Texture load from memory failed"));
  EXPECT_EQ(host_test::fMessageBoxCount(), 3);
  QC_TEXTURE_INFO* tile = loader().fSubscribeImage("pics tile.png");
  ASSERT_NE(tile, defaultTexture());
  EXPECT_EQ(tile->fGetWidth(), 8);
}

TEST_F(Images, ARecordHoldingADocumentIsNotTurnedIntoATexture) {
  pugi::xml_document* document = loader().fGetXmlDoc("pics doc.xml");
  ASSERT_STREQ(document->document_element().name(), "doc");
  EXPECT_EQ(loader().fSubscribeImage("pics doc.xml"), defaultTexture());
  EXPECT_EQ(record("doc.xml")->fGetData(), document);
  EXPECT_EQ(loader().fPreloadImage("pics doc.xml"), -118);
  EXPECT_EQ(record("doc.xml")->fGetType(), QE_RES_XML);
}

TEST_F(Images, PasswordPackImagesLoadWithThePacksPassword) {
  writePack("data/tiles", "tilepass", {{"set1/face.png", fPngBytes(5, 7)}});
  ASSERT_EQ(loader().fAddPack("data/tiles", "tilepass"), 1);
  QC_TEXTURE_INFO* texture = loader().fSubscribeImage("data/tiles set1/face.png");
  ASSERT_NE(texture, defaultTexture());
  EXPECT_EQ(texture->fGetWidth(), 5);
  EXPECT_EQ(texture->fGetHeight(), 7);
}

TEST_F(Images, FreeImageReleasesOnlyWhatNobodySubscribes) {
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fFreeImage(nullptr), -1);
  EXPECT_TRUE(log.hasLine("MessageBox [framework\\SERVICE\\QC_RESOURCE_LOADER] QC_RESOURCE_LOADER::fFreeImage"));
  EXPECT_EQ(loader().fFreeImage(defaultTexture()), 0);

  QC_TEXTURE_INFO* texture = loader().fSubscribeImage("pics tile.png");
  EXPECT_EQ(loader().fFreeImage(texture), 0);
  EXPECT_TRUE(alive(texture));
  const int serial = host_test::fSerialOf(texture->_texture);
  loader().fUnscribeImage(texture);
  EXPECT_EQ(loader().fFreeImage(texture), 1);
  EXPECT_FALSE(host_test::fIsAlive(serial));
  EXPECT_FALSE(record("tile.png")->isReady());
}

TEST_F(Images, PreloadsMakeTexturesWithoutSubscribing) {
  EXPECT_EQ(loader().fPreloadImage(nullptr), -1);
  EXPECT_EQ(loader().fPreloadImage("pics nothing.png"), -1);
  EXPECT_EQ(loader().fGetLoadedImage("pics tile.png"), defaultTexture());
  EXPECT_EQ(loader().fPreloadImage("pics tile.png"), 1);
  EXPECT_EQ(loader().fPreloadImage("pics tile.png"), 0);
  EXPECT_EQ(loader().fPreloadImage("pics broken.png"), -112);
  QC_TEXTURE_INFO* texture = loader().fGetLoadedImage("pics tile.png");
  ASSERT_NE(texture, defaultTexture());
  EXPECT_EQ(record("tile.png")->fGetSubscribers(), 0);
  EXPECT_EQ(loader().fGetSubscribedCount(), 0);
  // Nobody holds a preloaded image, so a sweep takes it.
  EXPECT_EQ(loader().fFreeUnused(), 1);
  EXPECT_EQ(loader().fGetLoadedImage("pics tile.png"), defaultTexture());
}

TEST_F(Images, TheGiveBackHookFindsTheTexturesRecord) {
  QC_RESOURCE_LOADER* savedLoader = qcRESOURCE_LOADER;
  QC_CALLBACK* savedHook = qcOnUnscribeTexture;
  qcRESOURCE_LOADER = &loader();
  qcOnUnscribeTexture = fCreateCallback(&fOnUnscribeTexture);

  QC_TEXTURE_INFO* texture = loader().fSubscribeImage("pics tile.png");
  loader().fSubscribeImage("pics tile.png");
  qor_test::LogCapture log;
  fInvokeCallback(qcOnUnscribeTexture, reinterpret_cast<std::uintptr_t>(texture));
  EXPECT_EQ(record("tile.png")->fGetSubscribers(), 1);
  EXPECT_TRUE(log.hasLine("texture unscribed"));
  fInvokeCallback(qcOnUnscribeTexture, reinterpret_cast<std::uintptr_t>(texture));
  EXPECT_TRUE(log.hasLine("Fully unscribe tile.png"));
  EXPECT_EQ(record("tile.png")->fGetSubscribers(), 0);

  // The default texture and documents are not images the hook gives back.
  log.clear();
  fInvokeCallback(qcOnUnscribeTexture, reinterpret_cast<std::uintptr_t>(defaultTexture()));
  pugi::xml_document* document = loader().fGetXmlDoc("pics doc.xml");
  fInvokeCallback(qcOnUnscribeTexture, reinterpret_cast<std::uintptr_t>(document));
  EXPECT_FALSE(log.contains("texture unscribed"));
  EXPECT_EQ(record("doc.xml")->fGetSubscribers(), 1);

  delete qcOnUnscribeTexture;
  qcOnUnscribeTexture = savedHook;
  qcRESOURCE_LOADER = savedLoader;
}

TEST_F(Images, DestroyingTheLoaderGivesItsTexturesBack) {
  QC_TEXTURE_INFO* texture = loader().fSubscribeImage("pics tile.png");
  const int serial = host_test::fSerialOf(texture->_texture);
  ASSERT_TRUE(host_test::fIsAlive(serial));
  _loader.reset();
  EXPECT_FALSE(host_test::fIsAlive(serial));
}

}  // namespace
