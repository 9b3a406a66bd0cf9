// Localisation tables read from spreadsheet XML: columns by position, first match by key, last by
// id, and rows that carry no text.
#include "engine/loc/qc_locman.h"
#include "tests/kit/log_capture.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <string>

using namespace QOR;

namespace {

// A workbook whose first table holds the given rows (raw XML).
std::string workbook(const std::string& rows) {
  return "<?xml version=\"1.0\"?><Workbook><Worksheet><Table>" + rows + "</Table></Worksheet></Workbook>";
}

std::string row(const std::string& a, const std::string& b, const std::string& c = "") {
  std::string cells = "<Cell><Data>" + a + "</Data></Cell><Cell><Data>" + b + "</Data></Cell>";
  if (!c.empty()) cells += "<Cell><Data>" + c + "</Data></Cell>";
  return "<Row>" + cells + "</Row>";
}

class Locman : public ::testing::Test {
 protected:
  int load(const std::string& xml, int keyColumn = 0, int valueColumn = 0) {
    EXPECT_TRUE(_document.load_string(xml.c_str()));
    return _table.fInit(_document, keyColumn, valueColumn);
  }
  pugi::xml_document _document;
  QC_LOCMAN _table;
};

TEST_F(Locman, DefaultColumnsReadKeyThenTextAndTheHeaderIsAnEntry) {
  qor_test::LogCapture log;
  EXPECT_EQ(load(workbook(row("key", "english", "russian") + row("play", "Play", "Играть") + row("quit", "Quit"))), 3);
  EXPECT_TRUE(log.hasLine("Locman init"));
  EXPECT_EQ(_table.fGetKeyColumn(), 1);
  EXPECT_EQ(_table.fGetValueColumn(), 2);
  EXPECT_STREQ(_table.fGetValue("key"), "english");
  EXPECT_STREQ(_table.fGetValue("play"), "Play");
  EXPECT_STREQ(_table.fGetValue(std::string("quit")), "Quit");
  EXPECT_STREQ(_table.fGetValue("Play"), "not found");
  EXPECT_STREQ(_table.fGetValue("missing"), "not found");
  EXPECT_STREQ(_table.fGetValue(nullptr), "not found");
  EXPECT_EQ(_table.fGetEntries()[0]->_id, 1);
  EXPECT_EQ(_table.fGetEntries()[2]->_id, 3);
}

TEST_F(Locman, ChosenColumnsPickALanguageAndShortRowsKeepThePlaceholder) {
  EXPECT_EQ(load(workbook(row("play", "Play", "Играть") + row("quit", "Quit")), 1, 3), 2);
  EXPECT_STREQ(_table.fGetValue("play"), "\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0\xD1\x82\xD1\x8C");
  EXPECT_STREQ(_table.fGetValue("quit"), "Value not loaded");
  // Key and text from the same cell.
  QC_LOCMAN same;
  EXPECT_EQ(same.fInit(_document, 2, 2), 2);
  EXPECT_STREQ(same.fGetValue("Play"), "Play");
}

TEST_F(Locman, FirstKeyWinsAndLastIdWins) {
  EXPECT_EQ(load(workbook(row("dup", "first") + row("dup", "second"))), 2);
  EXPECT_STREQ(_table.fGetValue("dup"), "first");
  // A second run appends, its ids counting from 1 again.
  EXPECT_EQ(_table.fInit(_document, 1, 2), 4);
  EXPECT_STREQ(_table.fGetValueById(1), "first");
  EXPECT_STREQ(_table.fGetValueById(2), "second");
  EXPECT_EQ(_table.fGetEntries()[3]->_id, 2);
  EXPECT_STREQ(_table.fGetValueById(5), "not found");
  EXPECT_STREQ(_table.fGetValueById(0), "not found");
}

TEST_F(Locman, TheWalkStartsAtTheFirstRowAndTakesEverySiblingAfterIt) {
  const std::string xml = workbook("<Column/><Note><Cell><Data>skipped</Data></Cell></Note>" + row("a", "A") +
                                   "<Other><Cell><Data>b</Data></Cell><Cell><Data>B</Data></Cell></Other>");
  EXPECT_EQ(load(xml), 2);
  EXPECT_STREQ(_table.fGetValue("skipped"), "not found");
  EXPECT_STREQ(_table.fGetValue("b"), "B");
  EXPECT_EQ(_table.fGetEntries()[1]->_id, 2);
}

TEST_F(Locman, EmptyCellsAndRowsWithoutText) {
  const std::string xml = workbook(
      "<Row><Cell><Data></Data></Cell><Cell><Data>empty key</Data></Cell></Row>"  // 1: found by ""
      "<Row/>"                                                                     // 2: no cells
      "<Row><Cell/><Cell ss:StyleID=\"s1\"/></Row>"                                // 3: cells, no Data
      "<Row><Cell/><Cell><Data>no key</Data></Cell></Row>"                         // 4: key cell empty
      "<Row><Cell><Data>k</Data></Cell><Cell/></Row>"                              // 5: text cell empty
      "<Row><Cell><Data>rich</Data></Cell><Cell><Data><B>bold</B> tail</Data></Cell></Row>");
  EXPECT_EQ(load(xml), 4);
  EXPECT_STREQ(_table.fGetValue(""), "empty key");
  EXPECT_STREQ(_table.fGetValue("k"), "");
  EXPECT_STREQ(_table.fGetValue("rich"), "");
  EXPECT_STREQ(_table.fGetValueById(4), "no key");
  EXPECT_STREQ(_table.fGetValueById(2), "not found");
  EXPECT_STREQ(_table.fGetValueById(3), "not found");
  EXPECT_STREQ(_table.fGetValue("Value not loaded"), "not found");
}

TEST_F(Locman, MissingLevelsGiveAnEmptyTable) {
  qor_test::LogCapture log;
  EXPECT_EQ(load("<Workbook><Worksheet/></Workbook>"), 0);
  EXPECT_EQ(load("<Workbook><Worksheet><Table/></Worksheet></Workbook>"), 0);
  EXPECT_EQ(load("<ss:Workbook xmlns:ss=\"x\"><ss:Worksheet><ss:Table>" + row("a", "b") +
                 "</ss:Table></ss:Worksheet></ss:Workbook>"),
            0);
  EXPECT_EQ(_table.fInit(pugi::xml_node(), 0, 0), 0);
  EXPECT_EQ(log.lines(), std::vector<std::string>(4, "Locman init"));
  EXPECT_STREQ(_table.fGetValue("a"), "not found");
}

TEST_F(Locman, OnlyTheFirstWorksheetIsRead) {
  const std::string xml = "<Workbook><Worksheet><Table>" + row("one", "1") +
                          "</Table></Worksheet><Worksheet><Table>" + row("two", "2") + "</Table></Worksheet></Workbook>";
  EXPECT_EQ(load(xml), 1);
  EXPECT_STREQ(_table.fGetValue("two"), "not found");
}

TEST_F(Locman, Utf16WorkbooksComeOutAsUtf8) {
  const std::u16string text = u"<Workbook><Worksheet><Table><Row><Cell><Data>title</Data></Cell>"
                              u"<Cell><Data>\u041c\u0430\u0434\u0436\u043e\u043d\u0433</Data></Cell></Row>"
                              u"</Table></Worksheet></Workbook>";
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  ASSERT_TRUE(_document.load_buffer(bytes.data(), bytes.size()));
  EXPECT_EQ(_table.fInit(_document, 0, 0), 1);
  EXPECT_STREQ(_table.fGetValue("title"), "\xD0\x9C\xD0\xB0\xD0\xB4\xD0\xB6\xD0\xBE\xD0\xBD\xD0\xB3");
}

TEST_F(Locman, EntriesPrintThemselves) {
  load(workbook(row("greeting", "Hello there")));
  qor_test::LogCapture log;
  _table.fGetEntries()[0]->fPrint();
  EXPECT_TRUE(log.hasLine("id1 greeting Hello there"));
}

}  // namespace
