// XML documents through the loader: parsing from loose files and pack entries, subscriptions, the
// shared empty document for whatever is missing, preloads and releases.
#include "tests/engine/loader/loader_fixture.h"
#include "tests/kit/log_capture.h"

#include <pugixml.hpp>

using namespace QOR;
using loader_test::LoaderTest;

namespace {

class Documents : public LoaderTest {
 protected:
  void SetUp() override {
    LoaderTest::SetUp();
    write("xml/consts.xml", "<?xml version=\"1.0\"?>\n<mahjong_consts><speed value=\"2.5\"/></mahjong_consts>");
    write("xml/broken.xml", "<root><open><child a=\"1\"/>");
    writePack("XML/config", "cfgpass", {{"balance.xml", "<balance money=\"12\"/>"}});
    ASSERT_EQ(loader().fAddPack("xml"), 1);
    ASSERT_EQ(loader().fAddPack("XML/config", "cfgpass"), 1);
  }
};

TEST_F(Documents, LooseAndPackDocumentsParseAndAreSharedBySubscription) {
  pugi::xml_document* consts = loader().fGetXmlDoc("consts.xml");
  EXPECT_FLOAT_EQ(consts->child("mahjong_consts").child("speed").attribute("value").as_float(), 2.5f);
  pugi::xml_document* balance = loader().fGetXmlDoc("XML/config balance.xml");
  EXPECT_EQ(balance->child("balance").attribute("money").as_int(), 12);

  EXPECT_EQ(loader().fGetXmlDoc("xml consts.xml"), consts);
  QS_RESOURCE* record = loader().fFindResource("consts.xml");
  EXPECT_EQ(record->fGetSubscribers(), 2);
  EXPECT_EQ(record->fGetType(), QE_RES_XML);
  EXPECT_TRUE(record->isReady());
  EXPECT_EQ(loader().fFindByData(consts), record);
  EXPECT_EQ(loader().fGetLoadedXmlDoc("consts.xml"), consts);
}

TEST_F(Documents, MissingDocumentsReadAsTheSharedEmptyDocument) {
  qor_test::LogCapture log;
  pugi::xml_document* missing = loader().fGetXmlDoc("nothing.xml");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing, QC_RESOURCE_LOADER::fGetEmptyDocument());
  EXPECT_TRUE(log.hasLine("Resource not found nothing.xml"));
  EXPECT_TRUE(log.hasLine("MessageBox [Resource not found ] nothing.xml"));
  // Lookups on it give null nodes, so readers fall back to their defaults.
  EXPECT_FALSE(missing->child("mahjong_consts"));
  EXPECT_EQ(missing->child("a").attribute("b").as_int(7), 7);

  EXPECT_EQ(loader().fGetXmlDoc("nopack x.xml"), missing);
  EXPECT_EQ(loader().fGetXmlDoc("a b c"), missing);
  // No record holds it, so it can never be released.
  EXPECT_EQ(loader().fXmlDocFree(missing), 0);
  EXPECT_EQ(loader().fGetLoadedXmlDoc("nothing.xml"), nullptr);
}

TEST_F(Documents, ADocumentThatCannotBeReadAlsoGivesTheEmptyDocument) {
  // A record whose file vanished after registration.
  std::filesystem::remove(_resources + "xml/consts.xml");
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fGetXmlDoc("consts.xml"), QC_RESOURCE_LOADER::fGetEmptyDocument());
  EXPECT_TRUE(log.hasLine("Cant load content consts.xml"));
  // The file's failure is told once, naming the file and the cause; the loader's own box would
  // only repeat it.
  EXPECT_TRUE(log.contains("MessageBox [Damaged game data] The game's data cannot be read.\nPack: xml\n"
                           "Entry: consts.xml\nCause: missing"));
  EXPECT_FALSE(log.contains("MessageBox [Cant load content ]"));
  EXPECT_FALSE(loader().fFindResource("consts.xml")->isReady());
  EXPECT_EQ(loader().fPreloadXmlDoc("consts.xml"), -1);
}

TEST_F(Documents, BrokenXmlStillGivesADocument) {
  pugi::xml_document* broken = loader().fGetXmlDoc("broken.xml");
  ASSERT_NE(broken, nullptr);
  EXPECT_NE(broken, QC_RESOURCE_LOADER::fGetEmptyDocument());
  EXPECT_TRUE(loader().fFindResource("broken.xml")->isReady());
}

TEST_F(Documents, EncodingsAreDetectedAndTextComesOutAsUtf8) {
  // "Привет" in UTF-16 little-endian with a byte-order mark.
  const std::u16string text = u"<t v=\"\u041f\u0440\u0438\u0432\u0435\u0442\"/>";
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  write("xml/wide.xml", bytes);
  write("xml/bom8.xml", "\xEF\xBB\xBF<t v=\"\xC3\xA9t\xC3\xA9\"/>");
  ASSERT_EQ(loader().fGetPack("xml")->fGetCount(), 2);  // registered before these were written
  write("wide/wide.xml", bytes);
  write("wide/bom8.xml", "\xEF\xBB\xBF<t v=\"\xC3\xA9t\xC3\xA9\"/>");
  ASSERT_EQ(loader().fAddPack("wide"), 1);
  EXPECT_STREQ(loader().fGetXmlDoc("wide wide.xml")->child("t").attribute("v").value(),
               "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
  EXPECT_STREQ(loader().fGetXmlDoc("wide bom8.xml")->child("t").attribute("v").value(), "\xC3\xA9t\xC3\xA9");
}

TEST_F(Documents, PreloadsAndReleases) {
  qor_test::LogCapture log;
  EXPECT_EQ(loader().fXmlDocFree(nullptr), -1);
  EXPECT_TRUE(log.hasLine("MessageBox [framework\\SERVICE\\QC_RESOURCE_LOADER] QC_RESOURCE_LOADER::fXmlDocFree"));

  EXPECT_EQ(loader().fPreloadXmlDoc("nothing.xml"), -1);
  EXPECT_EQ(loader().fPreloadXmlDoc("XML/config balance.xml"), 1);
  EXPECT_EQ(loader().fPreloadXmlDoc("XML/config balance.xml"), 0);
  pugi::xml_document* balance = loader().fGetLoadedXmlDoc("XML/config balance.xml");
  ASSERT_NE(balance, nullptr);
  EXPECT_EQ(loader().fFindResource("balance.xml")->fGetSubscribers(), 0);
  EXPECT_EQ(loader().fXmlDocFree(balance), 1);
  EXPECT_FALSE(loader().fFindResource("balance.xml")->isReady());
  EXPECT_EQ(loader().fGetLoadedXmlDoc("XML/config balance.xml"), nullptr);

  // A subscribed document stays.
  pugi::xml_document* consts = loader().fGetXmlDoc("consts.xml");
  EXPECT_EQ(loader().fXmlDocFree(consts), 0);
  EXPECT_EQ(loader().fFreeUnused(), 0);
  EXPECT_TRUE(loader().fFindResource("consts.xml")->isReady());
  // A buffer under that name is another kind.
  EXPECT_EQ(loader().fLoadByteBuffer("broken.xml"), 1);
  EXPECT_EQ(loader().fPreloadXmlDoc("broken.xml"), -118);
  EXPECT_EQ(loader().fGetXmlDoc("broken.xml"), QC_RESOURCE_LOADER::fGetEmptyDocument());
  EXPECT_EQ(loader().fFindResource("broken.xml")->fGetType(), QE_RES_BUFFER);
}

}  // namespace
