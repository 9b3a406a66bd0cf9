// One resource record: a loose file or a pack entry, with what it holds once loaded.
#pragma once

#include <cstdint>
#include <string>

namespace QOR {

// What a record's data pointer holds.
enum QE_RESOURCE_KIND : std::int32_t {
  QE_RES_NONE = 0,
  QE_RES_BYTES = 1,
  QE_RES_TEXTURE = 2,
  QE_RES_XML = 4,
  QE_RES_BUFFER = 5,
  QE_RES_CONTENT = 6,
};

struct QS_RESOURCE {
  // name := the text after the last '/', folder := the text up to and including it; a path that
  // ends in '/' is kept whole as the name.
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

  bool _ready = false;
  std::int32_t _kind = QE_RES_NONE;
  std::string _sgResName;
  std::string _folder;
  std::string _sgPass;
  std::uint32_t _size = 0;
  void* _data = nullptr;
  std::int32_t _subscribers = 0;
};

}  // namespace QOR
