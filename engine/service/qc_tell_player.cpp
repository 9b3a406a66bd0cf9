#include "engine/service/qc_tell_player.h"

#include "host/win_window.h"

#include <set>

namespace QOR {

namespace {

std::set<std::string>& toldSubjects() {
  static std::set<std::string> subjects;
  return subjects;
}

}  // namespace

bool fTellPlayerOnce(const std::string& subject, const std::string& caption, const std::string& text) {
  if (!toldSubjects().insert(subject).second) return false;
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
  return true;
}

bool isToldToPlayer(const std::string& subject) { return toldSubjects().count(subject) != 0; }

void fForgetToldSubjects() { toldSubjects().clear(); }

}  // namespace QOR
