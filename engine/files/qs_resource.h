// One resource record: a loose file or a pack entry, with what it holds once loaded.
#pragma once

#include <cstdint>
#include <string>

namespace QOR {

// What a record's data pointer holds.
enum QE_RESOURCE_KIND : std::int32_t {
  QE_RES_NONE = 0,
  QE_RES_BYTES = 1,    // bytes read from disk (malloc'd), or an open stdio FILE when _stream is set
  QE_RES_TEXTURE = 2,  // a QC_TEXTURE_INFO made by the renderer
  QE_RES_XML = 4,      // a pugi::xml_document made with new
  QE_RES_BUFFER = 5,   // bytes (malloc'd) handed to a caller
  QE_RES_CONTENT = 6,  // a content object (video) that owns the stream it was built over
};

struct QS_RESOURCE {
  // How the objects of one kind are released; it receives the record's (non-null) data pointer.
  using QF_RELEASE = void (*)(void* data);

  // name := the text after the last '/' or '\', folder := the text up to and including it; a path
  // that ends in a separator is kept whole as the name.
  explicit QS_RESOURCE(const std::string& path);
  static QS_RESOURCE* fCreate(const std::string& path) { return new QS_RESOURCE(path); }

  int fGetSubscribers() const { return _subscribers; }
  std::int32_t fGetType() const { return _kind; }
  void fSetReady(bool ready) { _ready = ready; }
  bool isReady() const { return _ready; }
  void* fGetData() const { return _data; }
  // One subscriber fewer; true when none is left.
  bool fUnsubscribe() {
    --_subscribers;
    return _subscribers < 1;
  }

  // Frees what a ready record nobody subscribes holds, by its kind: bytes are freed, a stream is
  // closed, an XML document is deleted, textures and content objects go to the release their
  // owner registered (an unregistered kind is left to its owner, never freed as bytes). The record
  // is then empty and unloaded. Changes nothing while subscribers are above 0; logs
  // "resource not ready " + name for a record that is not ready. Always false.
  bool fRelease();

  // Registers how objects of a kind are released (the loader registers textures and videos).
  // Kinds 1, 4 and 5 are released by the record itself; null unregisters.
  static void fSetKindRelease(std::int32_t kind, QF_RELEASE release);

  bool _ready = false;
  std::int32_t _kind = QE_RES_NONE;
  std::string _sgResName;
  std::string _folder;
  std::string _sgPass;
  std::uint32_t _size = 0;
  void* _data = nullptr;
  std::int32_t _subscribers = 0;
  // True while data is an open stdio stream (kind 1 from QC_FILE_SYSTEM::fOpenResourceStream);
  // cleared whenever the record takes bytes or is emptied.
  bool _stream = false;
};

}  // namespace QOR
