// The root of every message-driven object: its names, id, update and render levels and Z, and the
// accessors the object manager uses. Behaviours derive from it and answer messages.
#pragma once

#include "engine/objects/qc_id.h"

#include <cstdint>
#include <string>

namespace QOR {

class QC_BASE {
 public:
  // Message ids.
  static constexpr int kMessageUpdate = 1;
  static constexpr int kMessageRender = 4;
  // Message results.
  static constexpr int kGoOn = 0;
  static constexpr int kStopPass = -109;
  static constexpr int kDeleteMe = -113;

  // Named "nonamed", last name "nolastname", id "noid", both levels 1, Z 0.
  QC_BASE();
  virtual ~QC_BASE();

  // Handles one message; 0 to go on, -113 to be deleted by the caller, -109 to stop the pass.
  virtual int fMessage(int id, int a, int b, int c, int d) = 0;

  bool isName(const std::string& name) const { return _name == name; }
  bool isLastName(const std::string& name) const { return _lastName == name; }
  // Valid while the object lives and the name is unchanged.
  const char* fGetName() const { return _name.c_str(); }
  const char* fGetLastName() const { return _lastName.c_str(); }
  bool isId(const QC_ID& id) const { return _id.fGet() == id.fGet(); }
  std::uint8_t fGetUpdateLevel() const { return _updateLevel; }
  std::uint8_t fGetRenderLevel() const { return _renderLevel; }
  float fGetZ() const { return _z; }
  // The object's own update step and render request.
  int fUpdate() { return fMessage(kMessageUpdate, 0, 0, 0, 0); }
  int fRender() { return fMessage(kMessageRender, 0, 0, 0, 0); }

  std::string _name;
  std::string _lastName;
  QC_ID _id;
  std::uint8_t _updateLevel;
  std::uint8_t _renderLevel;
  float _z;
};

}  // namespace QOR
