// The root of every message-driven object: its names, id, update and render levels and Z, its
// list of further objects, and the walks that step and draw such lists. Subclasses answer numbered
// messages; their owner reads the answer to go on, delete the object or stop the pass.
#pragma once

#include "engine/objects/qc_id.h"
#include "engine/objects/qc_message_arg.h"

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {

class QC_BASE {
 public:
  // Message ids.
  static constexpr int kMessageUpdate = 1;        // one step on the frame delta
  static constexpr int kMessageRenderPass = 2;    // the object manager's render pass
  static constexpr int kMessageRender = 4;        // render request of a list walk
  static constexpr int kMessageMoveDisplay = 12;  // a and b carry the float bits of x and y
  static constexpr int kMessageEndCallback = 38;  // d carries a QC_CALLBACK pointer
  // Message results.
  static constexpr int kGoOn = 0;
  static constexpr int kStopPass = -109;
  static constexpr int kDeleteMe = -113;

  // Named "nonamed", last name "nolastname", id "noid", both levels 1, Z 0, no children.
  QC_BASE();
  // Frees the children list's storage, never the children themselves.
  virtual ~QC_BASE();

  // Handles one message; 0 to go on, -113 to be deleted by the caller, -109 to stop the pass.
  // The arguments are pointer-wide (see qc_message_arg.h); updates and renders pass 0.
  virtual int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) = 0;

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

  // Steps every object of the list front to back. Null entries are erased where they stand and
  // the walk goes on with the entry that followed; an object answering -113 is deleted and its
  // entry left null for the next walk. Other answers, -109 included, do not stop the walk.
  static void fUpdateList(std::vector<QC_BASE*>& list);
  // The same walk with the render request; answers are ignored and nothing is deleted.
  static void fRenderList(std::vector<QC_BASE*>& list);

  std::string _name;
  std::string _lastName;
  QC_ID _id;
  std::uint32_t _userWord;     // free for the owner; the engine never reads it
  std::uint8_t _updateLevel;   // compared with the manager's update filter
  std::uint8_t _renderLevel;   // compared with the manager's render filter
  float _z;                    // the manager keeps its list in descending Z
  std::uint32_t _managerMark;  // cleared when the manager detaches the object
  std::vector<QC_BASE*> _children;  // driven by the owner through the list walks; not owned
};

}  // namespace QOR
