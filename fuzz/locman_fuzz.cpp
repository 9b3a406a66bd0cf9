// Fuzz target of the localisation table: each input is parsed as an XML document, as the resource
// loader parses the game's strings.xml, and read into tables with several column choices: the
// defaults, the game's own (key in 1, text in 2), swapped, one column for both, and columns no row
// reaches. Whatever the document, a table counts what it holds, its ids rise with the rows, every
// key finds the text of the first entry with that key and every id its own entry's text, and
// reading the document again appends the same entries once more.
#include "engine/loc/qc_locman.h"
#include "fuzz/xml_feedback.h"

#include <pugixml.hpp>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

bool isNotFound(const char* text) { return text != nullptr && std::strcmp(text, "not found") == 0; }

// The checks every table must pass, for any document.
void checkTable(const QOR::QC_LOCMAN& table, int count) {
  const std::vector<QOR::QC_LOCMAN_ENTRY*>& entries = table.fGetEntries();
  if (count != table.fGetCount() || count != static_cast<int>(entries.size())) __builtin_trap();
  std::int32_t previousId = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const QOR::QC_LOCMAN_ENTRY* entry = entries[i];
    if (entry->_id <= previousId) __builtin_trap();
    previousId = entry->_id;
    // The first entry with this key answers for it, through either lookup.
    const QOR::QC_LOCMAN_ENTRY* first = entry;
    for (std::size_t j = 0; j < i; ++j) {
      if (entries[j]->_key == entry->_key) {
        first = entries[j];
        break;
      }
    }
    if (table.fGetValue(entry->_key) != first->_value.c_str()) __builtin_trap();
    if (table.fGetValue(entry->_key.c_str()) != first->_value.c_str()) __builtin_trap();
    if (table.fGetValueById(entry->_id) != entry->_value.c_str()) __builtin_trap();
  }
  if (!isNotFound(table.fGetValueById(0)) || !isNotFound(table.fGetValueById(previousId + 1))) __builtin_trap();
  if (!isNotFound(table.fGetValue(static_cast<const char*>(nullptr)))) __builtin_trap();
}

void readTable(const pugi::xml_document& document, int keyColumn, int valueColumn) {
  QOR::QC_LOCMAN table;
  const int count = table.fInit(document, keyColumn, valueColumn);
  if (table.fGetKeyColumn() != (keyColumn != 0 ? keyColumn : 1)) __builtin_trap();
  if (table.fGetValueColumn() != (valueColumn != 0 ? valueColumn : 2)) __builtin_trap();
  checkTable(table, count);
  if (count > 0) table.fGetEntries().front()->fPrint();

  // A second reading appends the same rows again; lookups still answer with the first ones.
  QOR::QC_LOCMAN twice;
  const int once = twice.fInit(document, keyColumn, valueColumn);
  if (twice.fInit(document, keyColumn, valueColumn) != 2 * once || once != count) __builtin_trap();
  const std::vector<QOR::QC_LOCMAN_ENTRY*>& entries = twice.fGetEntries();
  for (int i = 0; i < once; ++i) {
    const QOR::QC_LOCMAN_ENTRY* a = entries[static_cast<std::size_t>(i)];
    const QOR::QC_LOCMAN_ENTRY* b = entries[static_cast<std::size_t>(i + once)];
    if (a->_id != b->_id || a->_key != b->_key || a->_value != b->_value) __builtin_trap();
    if (std::strcmp(twice.fGetValue(a->_key), table.fGetValue(a->_key)) != 0) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // The engine log would drown the fuzzer's own output.
  std::cout.rdbuf(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pugi::xml_document document;
  // As the resource loader reads documents: a broken file still gives a document, maybe partial.
  qor_fuzz::fXmlFeedback(document.load_buffer(data, size, pugi::parse_default, pugi::encoding_auto), document);
  const int columns[][2] = {{0, 0}, {1, 2}, {2, 1}, {3, 3}, {-1, 40}, {2147483647, -2147483647 - 1}};
  for (const auto& pair : columns) readTable(document, pair[0], pair[1]);
  return 0;
}
