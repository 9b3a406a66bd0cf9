// Registering packs and the main repository, and finding records by one-word and "pack entry"
// names.
#include "engine/service/qc_callback.h"
#include "tests/engine/loader/loader_fixture.h"
#include "tests/kit/log_capture.h"

#include <pugixml.hpp>

#include <optional>

using namespace QOR;
using loader_test::LoaderTest;

namespace {

class Registration : public LoaderTest {
 protected:
  void SetUp() override {
    LoaderTest::SetUp();
    _errors.emplace();
  }
  void TearDown() override {
    _errors.reset();
    LoaderTest::TearDown();
  }
  std::optional<loader_test::ErrorHookCounter> _errors;
};

TEST_F(Registration, MainRepositoryListsTheLooseFilesOfTheResourcesFolder) {
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fAddPack(""), -1);
  EXPECT_TRUE(log.hasLine("Main repository is empty"));
  EXPECT_EQ(_errors->count(), 0);

  write("a.xml", "<a/>");
  write("b.png", "x");
  write("data/inner.xml", "<i/>");  // sub-folders are not part of the main repository
  EXPECT_EQ(loader().fAddPack(""), 1);
  EXPECT_EQ(_errors->count(), 1);
  ASSERT_EQ(loader().fGetMainRepository().size(), 2u);
  QS_RESOURCE* record = loader().fFindInMain("a.xml");
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->_sgResName, "a.xml");
  EXPECT_EQ(record->_folder, "");
  EXPECT_FALSE(record->isReady());
  EXPECT_EQ(record->fGetType(), QE_RES_NONE);
}

TEST_F(Registration, FolderAndPasswordPacksMakeOneUnloadedRecordPerItem) {
  write("data/fonts/font.png", "png");
  write("data/fonts/font.xml", "<font/>");
  write("data/fonts/sub/deeper.png", "no");
  writePack("XML/config", "secret", {{"consts.xml", "<c/>"}, {"levels/pk1lv1.xml", "<l/>"}});

  qor_test::LogCapture log;
  EXPECT_EQ(loader().fAddPack("data/fonts"), 1);
  EXPECT_TRUE(log.hasLine("Pack data/fonts has 2 elems. "));
  EXPECT_EQ(loader().fAddPack("XML/config", "secret"), 1);
  EXPECT_TRUE(log.hasLine("Pack XML/config has 2 elems. "));

  ASSERT_EQ(loader().fGetPacks().size(), 2u);
  EXPECT_EQ(loader().fGetPacks()[0]->fGetName(), "data/fonts");
  EXPECT_EQ(loader().fGetPacks()[0]->fGetPassword(), "");
  EXPECT_EQ(loader().fGetPacks()[1]->fGetPassword(), "secret");

  QS_RESOURCE* font = loader().fGetPack("data/fonts")->fFind("font.xml");
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->_folder, "data/fonts");
  EXPECT_EQ(font->_sgPass, "");
  QS_RESOURCE* level = loader().fGetPack("XML/config")->fFind("levels/pk1lv1.xml");
  ASSERT_NE(level, nullptr);
  EXPECT_EQ(level->_sgResName, "levels/pk1lv1.xml");
  EXPECT_EQ(level->_folder, "XML/config");
  EXPECT_EQ(level->_sgPass, "secret");
  EXPECT_FALSE(level->isReady());
}

TEST_F(Registration, SecondRegistrationOfANameIsRefusedAndKeepsTheFirstPack) {
  write("data/one.png", "1");
  ASSERT_EQ(loader().fAddPack("data"), 1);
  write("data/two.png", "2");
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fAddPack("data"), -110);
  EXPECT_TRUE(log.hasLine("Pack exist"));
  ASSERT_EQ(loader().fGetPacks().size(), 1u);
  EXPECT_EQ(loader().fGetPack("data")->fGetCount(), 1);
  // The same pack written with the other separator is the same pack.
  write("data/fonts/f.png", "f");
  ASSERT_EQ(loader().fAddPack("data/fonts"), 1);
  EXPECT_EQ(loader().fAddPack("data\\fonts"), -110);
  EXPECT_EQ(loader().fGetPacks().size(), 2u);
}

TEST_F(Registration, AFormThatDoesNotMatchTheDiskGivesMinusOneAndNoPack) {
  write("loose/file.xml", "<x/>");
  writePack("zipped", "pw", {{"entry.xml", "<e/>"}});
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fAddPack("loose", "pw"), -1);
  EXPECT_EQ(loader().fAddPack("zipped"), -1);
  EXPECT_EQ(loader().fAddPack("missing"), -1);
  EXPECT_EQ(loader().fAddPack(nullptr), -1);
  EXPECT_TRUE(loader().fGetPacks().empty());
  EXPECT_FALSE(log.contains("Pack exist"));
  // The game registers some names both ways; only the form on disk yields a pack.
  EXPECT_EQ(loader().fAddPack("zipped", "pw"), 1);
  EXPECT_EQ(loader().fAddPack("loose"), 1);
}

TEST_F(Registration, OneWordNamesSearchTheMainRepositoryThenPacksInOrder) {
  write("shared.xml", "<main/>");
  write("first/shared.xml", "<first/>");
  write("first/only.xml", "<f/>");
  write("second/only.xml", "<s/>");
  write("second/late.xml", "<l/>");
  ASSERT_EQ(loader().fAddPack("first"), 1);
  ASSERT_EQ(loader().fAddPack("second"), 1);
  ASSERT_EQ(loader().fAddPack(""), 1);

  EXPECT_EQ(loader().fFindResource("shared.xml")->_folder, "");
  EXPECT_EQ(loader().fFindResource("only.xml")->_folder, "first");
  EXPECT_EQ(loader().fFindResource("late.xml")->_folder, "second");
  EXPECT_EQ(loader().fFindResource("second only.xml")->_folder, "second");
  EXPECT_EQ(loader().fFindResource("first shared.xml")->_folder, "first");
  // Pack names are paths: either separator names the pack.
  write("data/fonts/f.png", "f");
  ASSERT_EQ(loader().fAddPack("data/fonts"), 1);
  ASSERT_NE(loader().fFindResource("data\\fonts f.png"), nullptr);
}

TEST_F(Registration, NamesAreCaseSensitive) {
  write("pack/Tile.png", "t");
  ASSERT_EQ(loader().fAddPack("pack"), 1);
  qor_test::LogCapture log;
  EXPECT_NE(loader().fFindResource("Tile.png"), nullptr);
  EXPECT_EQ(loader().fFindResource("tile.png"), nullptr);
  EXPECT_EQ(loader().fFindResource("Pack Tile.png"), nullptr);
  EXPECT_TRUE(log.hasLine("MessageBox [No resource] tile.png"));
}

TEST_F(Registration, BlankRulesOfLookups) {
  write("pack/a b.png", "x");  // a loose file whose name has a blank cannot be named
  write("pack/a.png", "x");
  ASSERT_EQ(loader().fAddPack("pack"), 1);

  qor_test::LogCapture log;
  EXPECT_EQ(loader().fFindResource("nopack a.png"), nullptr);
  EXPECT_TRUE(log.hasLine("No pack named nopack!"));
  EXPECT_TRUE(log.hasLine("MessageBox [No resource] nopack a.png"));
  EXPECT_TRUE(log.hasLine("Resource error"));

  log.clear();
  EXPECT_EQ(loader().fFindResource("pack a b.png"), nullptr);
  EXPECT_TRUE(log.hasLine("WTF resource name pack a b.png"));
  EXPECT_FALSE(log.contains("MessageBox"));

  // One blank with an empty word on either side names nothing either.
  log.clear();
  EXPECT_EQ(loader().fFindResource(" a.png"), nullptr);
  EXPECT_EQ(loader().fFindResource("pack "), nullptr);
  EXPECT_TRUE(log.hasLine("WTF resource name  a.png"));
  EXPECT_TRUE(log.hasLine("WTF resource name pack "));

  log.clear();
  EXPECT_EQ(loader().fFindInMain("nothing.png"), nullptr);
  EXPECT_TRUE(log.hasLine("MessageBox [No resource] nothing.png"));
}

TEST_F(Registration, DuplicateEntriesOfAnArchiveResolveToTheFirst) {
  QC_PACK_WRITER writer("pw");
  ASSERT_TRUE(writer.fAdd("twice.xml", "<first/>"));
  ASSERT_TRUE(writer.fAdd("twice.xml", "<second/>"));
  ASSERT_TRUE(writer.fWrite(_resources + "dup"));
  ASSERT_EQ(loader().fAddPack("dup", "pw"), 1);
  EXPECT_EQ(loader().fGetPack("dup")->fGetCount(), 1);
  pugi::xml_document* document = loader().fGetXmlDoc("dup twice.xml");
  EXPECT_STREQ(document->document_element().name(), "first");
}

TEST_F(Registration, ReplacePackMovesRecordsTheTargetLacks) {
  write("a/one.xml", "<a1/>");
  write("a/two.xml", "<a2/>");
  write("b/two.xml", "<b2/>");
  write("b/three.xml", "<b3/>");
  write("two.xml", "<main/>");
  ASSERT_EQ(loader().fAddPack("a"), 1);
  ASSERT_EQ(loader().fAddPack("b"), 1);
  ASSERT_EQ(loader().fAddPack(""), 1);

  qor_test::LogCapture log;
  EXPECT_EQ(loader().fReplacePack("a", "zzz"), -1);
  EXPECT_TRUE(log.hasLine("Cant replace pack zzz does not exist"));
  EXPECT_EQ(loader().fReplacePack("zzz", "a"), -1);
  EXPECT_TRUE(log.hasLine("Cant replace existing packa to zzz does not exist"));

  EXPECT_EQ(loader().fReplacePack("a", "b"), 1);
  EXPECT_EQ(loader().fGetPack("a")->fGetCount(), 3);
  EXPECT_EQ(loader().fGetPack("b")->fGetCount(), 1);  // "two.xml" stays where it was
  EXPECT_EQ(loader().fFindResource("a three.xml")->_folder, "b");

  log.clear();
  EXPECT_EQ(loader().fReplacePack("", "a"), 1);
  EXPECT_TRUE(log.hasLine("Replase in main"));
  EXPECT_TRUE(log.hasLine("Main yes two.xml"));
  EXPECT_TRUE(log.hasLine("Main no one.xml"));
  EXPECT_EQ(loader().fGetPack("a")->fGetCount(), 1);
  EXPECT_NE(loader().fGetMainRepository().count("three.xml"), 0u);
  // A moved record still loads from where its bytes lie.
  EXPECT_STREQ(loader().fGetXmlDoc("three.xml")->document_element().name(), "b3");
}

TEST_F(Registration, DumpsListRecordsAndStatistics) {
  write("pics/p.png", loader_test::fPngBytes(4, 4));
  write("pics/q.png", loader_test::fPngBytes(2, 2));
  ASSERT_EQ(loader().fAddPack("pics"), 1);
  ASSERT_NE(loader().fSubscribeImage("pics p.png"), defaultTexture());

  qor_test::LogCapture log;
  loader().fDumpMainRepository();
  EXPECT_TRUE(log.hasLine("Main repository is empty"));
  loader().fDumpPack("pics");
  EXPECT_TRUE(log.hasLine("Pack pics"));
  EXPECT_TRUE(log.hasLine("q.png"));
  EXPECT_TRUE(log.hasLine("End of pack "));
  loader().fDumpPack("none");
  EXPECT_TRUE(log.hasLine("Pack none is not open"));

  log.clear();
  loader().fDumpStatistics();
  const std::string size = std::to_string(loader().fGetPack("pics")->fFind("p.png")->_size);
  EXPECT_TRUE(log.hasLine("Amount of subscribed resources1"));
  EXPECT_TRUE(log.hasLine("Amount of unscribed resources0"));
  EXPECT_TRUE(log.hasLine("Totaly using space" + size));
  EXPECT_TRUE(log.hasLine("p.png is an image sized of" + size + " has 1 subs"));
  EXPECT_FALSE(log.contains("q.png"));
}

}  // namespace
