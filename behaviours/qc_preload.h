// A message-driven object that works through a list of resource names, one per update step,
// moves a progress display along and fires its end callback when it reaches the last name. Its
// update level is its running flag: 1 running, 0 finished.
#pragma once

#include "engine/objects/qc_base.h"
#include "engine/service/qc_callback.h"

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {

class QC_BASEPROGRESS;
class QC_RESOURCE_LOADER;

class QC_PRELOAD : public QC_BASE {
 public:
  // Copies the names; the display (not owned, may be null) gets the range 0 .. number of names.
  // Makes a resource loader of its own.
  QC_PRELOAD(const std::vector<std::string>& names, QC_BASEPROGRESS* progress);
  // Frees its own loader; the display stays with its owner.
  ~QC_PRELOAD() override;
  QC_PRELOAD(const QC_PRELOAD&) = delete;
  QC_PRELOAD& operator=(const QC_PRELOAD&) = delete;

  // Always 1: message 1 runs fLoadNext, 2 draws the display, 12 moves it to (a, b) (float bits);
  // other messages do nothing.
  int fMessage(int id, std::intptr_t a, std::intptr_t b, std::intptr_t c, std::intptr_t d) override;
  // One name: looked up in the object's own loader, the index and the display advanced. The step
  // that reaches the last name (or the first step of an empty list) fires the end callback and
  // finishes the object; afterwards steps do nothing. 1.
  int fLoadNext();

  // The callback fired once at the end (not owned; null fires nothing).
  void fSetEndCallback(QC_CALLBACK* callback) { _endCallback = callback; }
  std::uint32_t fGetIndex() const { return _index; }
  bool isFinished() const { return _updateLevel == 0; }
  QC_RESOURCE_LOADER* fGetLoader() const { return _loader; }

 private:
  std::uint32_t _index;
  QC_CALLBACK* _endCallback;
  std::vector<std::string> _names;
  QC_BASEPROGRESS* _progress;
  QC_RESOURCE_LOADER* _loader;
};

}  // namespace QOR
