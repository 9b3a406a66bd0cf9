// The resource loader: the registry of every asset the game can name. Packs (plain folders and
// password zip archives) and the loose files of the Resources folder are listed once into records;
// a record becomes a texture, an XML document, a byte buffer or a content (video) object on first
// use, and textures are counted by subscription so that unused ones can be released later.
//
// Resource names: one word is searched in the main repository, then in every pack in registration
// order; "pack entry" (exactly one blank) names an entry of one pack; more blanks name nothing.
// Names are case-sensitive; pack names accept '\' and '/' alike.
#pragma once

#include "engine/files/qs_resource.h"
#include "engine/service/qc_resource_pack.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pugi {
class xml_document;
}

namespace QOR {

class QC_TEXTURE_INFO;
class QC_VIDEO;

class QC_RESOURCE_LOADER {
 public:
  QC_RESOURCE_LOADER();
  // Frees the packs and records and whatever objects they still hold (the game never destroys its
  // loader; tools and tests do).
  ~QC_RESOURCE_LOADER();
  QC_RESOURCE_LOADER(const QC_RESOURCE_LOADER&) = delete;
  QC_RESOURCE_LOADER& operator=(const QC_RESOURCE_LOADER&) = delete;

  // Registration. An empty name lists the Resources folder's own files into the main repository;
  // another name opens a pack: a zip archive when a password is given, else a folder. 1 done;
  // -1 null name or nothing listed; -110 a pack of that name is already open ("Pack exist").
  int fAddPack(const char* name, const char* password = nullptr);
  QC_RESOURCE_PACK* fGetPack(const std::string& name) const;

  // Lookups; null when nothing is found (with the log lines and message boxes of the rules above).
  // quiet: a failed lookup shows no message box and writes no log line (the caller reports it).
  QS_RESOURCE* fFindResource(const std::string& name, bool quiet = false);
  QS_RESOURCE* fFindInMain(const std::string& name, bool quiet = false);
  // The record whose data is this pointer: the main repository first, then each pack in order.
  QS_RESOURCE* fFindByData(const void* data);

  // Images. The texture of the named image, made on first use; one more subscription. Never null
  // while a renderer exists: a missing or unreadable image gives the renderer's default texture,
  // which counts no subscription.
  QC_TEXTURE_INFO* fSubscribeImage(const std::string& name);
  // One subscription less for the image holding this texture; false for a texture no record holds.
  bool fUnscribeImage(const void* texture);
  // The same without any log line; false.
  bool fUnscribeByData(const void* data);
  // Loads the image without subscribing: 1 made now, 0 already loaded, -1 no such resource,
  // -112 it came out as the default texture, -118 the record holds another kind.
  int fPreloadImage(const char* name);
  // The texture of a loaded image, else the renderer's default texture.
  QC_TEXTURE_INFO* fGetLoadedImage(const std::string& name);
  // Makes the record's texture from its bytes; the default texture when that fails.
  QC_TEXTURE_INFO* fCreateTexture(QS_RESOURCE* record);

  // XML documents. The parsed document with one more subscription. Never null: a resource that is
  // missing or cannot be loaded gives the shared empty document, which is never released.
  pugi::xml_document* fGetXmlDoc(const std::string& name);
  // 1 loaded now, 0 already loaded, -1 missing or not loadable, -118 another kind is loaded.
  int fPreloadXmlDoc(const std::string& name);
  // The document of a loaded record, or null; nothing is logged or shown.
  pugi::xml_document* fGetLoadedXmlDoc(const std::string& name);
  // The one empty document handed out for missing documents.
  static pugi::xml_document* fGetEmptyDocument();

  // Byte buffers (sound data). 1 loaded, -1 missing or not loadable, -117 already loaded, -118
  // the record holds another kind.
  int fLoadByteBuffer(const std::string& name);
  // The bytes of a loaded buffer (its record's size tells how many), or null.
  void* fGetByteBuffer(const std::string& name);
  // Gives back the subscription of the load and frees the bytes once nobody holds them; 1. While a
  // sound of the mixer was made over the bytes nothing is released (logged "Buffer is in use by a
  // sound, not released " + name): the sound still reads them (see fSetBytesInUseTest).
  int fReleaseByteBuffer(const std::string& name);
  // Whether something (a sound) still reads the bytes at data. The mixer registers its test, so
  // the loader needs no sound code; null: nothing reads them.
  using QF_BYTES_IN_USE = bool (*)(const void* data);
  static void fSetBytesInUseTest(QF_BYTES_IN_USE test);
  // Reads the record's file or pack entry again, whatever the record holds now, without touching
  // the record: for objects that let their data go while unused and read it again on return.
  static std::function<bool(std::vector<std::uint8_t>& bytes)> fRereader(const QS_RESOURCE* record);

  // Content: a video over the resource's open file (a loose file); null when it cannot be made.
  QC_VIDEO* fGetContent(const std::string& name);

  // Releasing. 1 released, 0 kept (unknown, not loaded or still subscribed), -1 null argument.
  int fFreeImage(QC_TEXTURE_INFO* texture);
  int fXmlDocFree(pugi::xml_document* document);
  // Releases every pack record nobody holds and counts the main repository's (which stay
  // loaded); the sum of both.
  int fFreeUnused();

  // Moves the source pack's records into the target pack, or into the main repository when the
  // target is empty; a name the target already holds stays in the source. 1, or -1 when a pack
  // is not open.
  int fReplacePack(const std::string& target, const std::string& source);

  // Log only.
  void fDumpMainRepository();
  void fDumpPack(const std::string& name);
  void fDumpStatistics();

  const std::map<std::string, QS_RESOURCE*>& fGetMainRepository() const { return _main; }
  const std::vector<QC_RESOURCE_PACK*>& fGetPacks() const { return _packs; }
  int fGetSubscribedCount() const { return _subscribed; }
  int fGetUnscribedCount() const { return _unscribed; }
  int fGetTotalSpace() const { return _totalSpace; }

 private:
  int fLoadMainRepository();
  int fOpenPack(const std::string& name, const char* password);
  // Splits "pack entry" into its two words; false unless both are non-empty.
  static bool fSplitName(const std::string& name, std::string& pack, std::string& entry);
  pugi::xml_document* fLoadXmlDoc(QS_RESOURCE* record);
  QS_RESOURCE* fFindContentRecord(const std::string& name);
  QC_VIDEO* fLoadContent(QS_RESOURCE* record);
  void fContentError(const std::string& name);
  int fCountUnusedInMain() const;
  int fReplaceInMain(QC_RESOURCE_PACK* source);
  void fDumpRecord(const QS_RESOURCE* record);

  std::map<std::string, QS_RESOURCE*> _main;
  std::vector<QC_RESOURCE_PACK*> _packs;
  int _subscribed = 0;
  int _totalSpace = 0;
  int _unscribed = 0;
};

// The file system the loader reads through: the game's, else the process's.
class QC_FILE_SYSTEM;
QC_FILE_SYSTEM* fLoaderFileSystem();

}  // namespace QOR
