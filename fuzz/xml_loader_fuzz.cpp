// Fuzz target of the XML loader entry points: each input is written as a loose file of a folder pack
// in a scratch Resources folder, loaded as a document through the resource loader (subscribed and
// preloaded), read into a localisation table with several column choices, looked up, and
// released; the same bytes are also loaded and given back as a byte buffer. Loading must always
// give a document and never touch memory it does not own. What the parser made of the bytes is
// fed back to libFuzzer (fuzz/xml_feedback.h).
#include "engine/files/qc_file_system.h"
#include "fuzz/fuzz_scratch.h"
#include "fuzz/xml_feedback.h"
#include "engine/loc/qc_locman.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"

#include <pugixml.hpp>

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

QOR::QC_FILE_SYSTEM& fileSystem() { return qor_fuzz::fScratchFileSystem(); }

bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

void readTable(pugi::xml_node node, int keyColumn, int valueColumn) {
  QOR::QC_LOCMAN table;
  const int count = table.fInit(node, keyColumn, valueColumn);
  if (count != table.fGetCount() || count != static_cast<int>(table.fGetEntries().size())) __builtin_trap();
  for (const QOR::QC_LOCMAN_ENTRY* entry : table.fGetEntries()) {
    if (table.fGetValue(entry->_key) == nullptr) __builtin_trap();
    if (table.fGetValueById(entry->_id) == nullptr) __builtin_trap();
  }
  table.fGetValue("not a key");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  if (!qor_fuzz::fStartScratch("qor_fuzz_xml_")) return 1;
  std::error_code error;
  std::filesystem::create_directories(fileSystem().fGetResourceDirectory() + "strings", error);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string resources = fileSystem().fGetResourceDirectory();
  if (!writeFile(resources + "strings/strings.xml", data, size)) return 0;
  {
    // What the parser makes of the bytes, as feedback; the loader keeps no parse result.
    pugi::xml_document parsed;
    qor_fuzz::fXmlFeedback(parsed.load_buffer(data, size, pugi::parse_default, pugi::encoding_auto), parsed);
  }

  QOR::QC_RESOURCE_LOADER loader;
  if (loader.fAddPack("strings") != 1) return 0;

  pugi::xml_document* document = loader.fGetXmlDoc("strings strings.xml");
  if (document == nullptr) __builtin_trap();
  readTable(*document, 0, 0);
  readTable(*document, 2, 1);
  readTable(*document, 3, 3);
  // A second subscription shares the document; a buffer over it is another kind.
  if (loader.fGetXmlDoc("strings.xml") != document) __builtin_trap();
  if (loader.fLoadByteBuffer("strings.xml") != -118) __builtin_trap();
  loader.fXmlDocFree(document);
  loader.fFreeUnused();

  // The same bytes as a byte buffer, then given back.
  QOR::QC_RESOURCE_LOADER buffers;
  if (buffers.fAddPack("strings") != 1) return 0;
  if (buffers.fLoadByteBuffer("strings.xml") != 1) __builtin_trap();
  if (buffers.fGetByteBuffer("strings.xml") == nullptr) __builtin_trap();
  buffers.fReleaseByteBuffer("strings.xml");
  // Preloaded, read as a table and released by a sweep.
  if (buffers.fPreloadXmlDoc("strings.xml") != 1) __builtin_trap();
  if (pugi::xml_document* preloaded = buffers.fGetLoadedXmlDoc("strings.xml")) readTable(*preloaded, 1, 2);
  if (buffers.fFreeUnused() != 1) __builtin_trap();
  return 0;
}
