#include "game/board/mahjong_player_file.h"

#include "engine/files/qc_file_system.h"
#include "engine/files/replace_file.h"
#include "engine/files/well_formed_xml.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_tell_player.h"

#include <pugixml.hpp>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The top-level elements of a player file that are not profiles, in the order a new file has them.
constexpr const char* kFileElements[3] = {"lastplayer", "packs", "ranks"};

// The documents the session saved where their file could not be written, by path (the text a
// write would have put in the file).
std::map<std::string, std::string>& held() {
  static std::map<std::string, std::string> documents;
  return documents;
}

enum class READ_RESULT { READ, MISSING, UNREADABLE };

// The file's bytes; a folder, a pipe or a device, or a file that cannot be opened or read, is
// unreadable (cause says why), and none of them is ever waited on.
READ_RESULT readFile(const std::string& path, std::string& bytes, std::string& cause) {
  switch (MAHJONG_PLAYER_FILE::Read(path, bytes, &cause)) {
    case 1:
      return READ_RESULT::READ;
    case 0:
      return READ_RESULT::MISSING;
    default:
      return READ_RESULT::UNREADABLE;
  }
}

constexpr int kMaxDepth = MAHJONG_PLAYER_FILE::kMaxDepth;

// True when an element of the node's subtree lies deeper than kMaxDepth (the node at depth).
// The walk stops at the first level too deep, so it never recurses deeper than that.
bool nestsTooDeep(const pugi::xml_node& node, int depth) {
  for (const pugi::xml_node& child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    if (depth + 1 > kMaxDepth || nestsTooDeep(child, depth + 1)) return true;
  }
  return false;
}

// Appends to parent a copy of node (at depth), leaving out every element deeper than kMaxDepth.
void appendWithin(pugi::xml_node parent, const pugi::xml_node& node, int depth) {
  if (node.type() != pugi::node_element) {
    parent.append_copy(node);
    return;
  }
  if (depth > kMaxDepth) return;
  pugi::xml_node copy = parent.append_child(node.name());
  for (const pugi::xml_attribute& attribute : node.attributes()) copy.append_copy(attribute);
  for (const pugi::xml_node& child : node.children()) appendWithin(copy, child, depth + 1);
}

// True when the element's text ends before `end` in source: its start tag closes itself, or its
// end tag follows. Profiles hold no text and no element of their own name, so the first end tag
// of the name closes it.
bool closedBefore(const std::string& source, const pugi::xml_node& element, std::size_t end) {
  const std::ptrdiff_t offset = element.offset_debug();
  const std::string name = element.name();
  if (offset < 1 || static_cast<std::size_t>(offset) + name.size() > end) return false;
  const auto at = static_cast<std::size_t>(offset);
  if (source[at - 1] != '<' || source.compare(at, name.size(), name) != 0) return false;
  char quote = 0;
  std::size_t i = at + name.size();
  for (; i < end; ++i) {
    const char c = source[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      break;
    }
  }
  if (i >= end) return false;
  if (source[i - 1] == '/') return true;
  const std::string close = "</" + name;
  for (std::size_t found = source.find(close, i); found != std::string::npos && found + close.size() <= end;
       found = source.find(close, found + 1)) {
    std::size_t j = found + close.size();
    while (j < end && std::isspace(static_cast<unsigned char>(source[j])) != 0) ++j;
    if (j < end && source[j] == '>') return true;
  }
  return false;
}

// A top-level node of a parsed file is whole unless the parse broke off inside it: only the
// last one can be cut.
bool isWhole(const pugi::xml_document& document, const std::string& source, const pugi::xml_parse_result& parsed,
             const pugi::xml_node& node) {
  if (parsed) return true;
  if (node != document.last_child()) return true;
  const std::size_t end = parsed.offset > 0 ? static_cast<std::size_t>(parsed.offset) : 0;
  return closedBefore(source, node, std::min(end, source.size()));
}

// A new document from the defaults' lastplayer, packs and ranks (the damaged file's own whole
// lastplayer when it has one), then every whole profile of the damaged file.
void rebuild(pugi::xml_document& rebuilt, const pugi::xml_document* defaults, const pugi::xml_document& damaged,
             const std::string& source, const pugi::xml_parse_result& parsed, const std::string& path) {
  for (const char* name : kFileElements) {
    const pugi::xml_node old = damaged.child(name);
    if (std::strcmp(name, "lastplayer") == 0 && old && isWhole(damaged, source, parsed, old)) {
      appendWithin(rebuilt, old, 1);
    } else if (defaults != nullptr && defaults->child(name)) {
      rebuilt.append_copy(defaults->child(name));
    }
  }
  if (!rebuilt.child("lastplayer")) QOR::fLog("default_player.xml gives no lastplayer for " + path);
  for (const pugi::xml_node& profile : MAHJONG_PLAYER_FILE::WholeProfiles(damaged, source, parsed)) {
    appendWithin(rebuilt, profile, 1);
  }
}

// The first free name of player.xml.bak, player.xml.bak1, ... (the last one is reused).
std::string backupPath(const std::string& path) {
  std::string candidate = path + ".bak";
  for (int n = 1; n < 100; ++n) {
    std::error_code error;
    if (!fs::exists(candidate, error) && !error) return candidate;
    candidate = path + ".bak" + std::to_string(n);
  }
  return candidate;
}

bool onDisk(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}

void removeByName(pugi::xml_document& document, const std::wstring& name) {
  for (pugi::xml_node player = document.child("player"); player;) {
    const pugi::xml_node next = player.next_sibling("player");
    if (MAHJONG_PLAYER::SameName(player.attribute("name").value(), name)) document.remove_child(player);
    player = next;
  }
}

void (*gRepairPause)(const char* step) = nullptr;

void repairStep(const char* step) {
  if (gRepairPause != nullptr) gRepairPause(step);
}

}  // namespace

MAHJONG_PLAYER_FILE::MAHJONG_PLAYER_FILE(std::string path, DEFAULTS_SOURCE defaults)
    : _path(std::move(path)), _defaults(defaults) {}

std::string MAHJONG_PLAYER_FILE::Folder() const {
  const std::string folder = fs::path(_path).parent_path().string();
  return folder.empty() ? std::string(".") : folder;
}

void MAHJONG_PLAYER_FILE::SetRepairPause(void (*pause)(const char* step)) { gRepairPause = pause; }

std::string MAHJONG_PLAYER_FILE::GameFolder() {
  const char* documents = QOR::QC_FILE_SYSTEM::fGetInstance()->fGetDocumentsPath();
  if (documents == nullptr || documents[0] == '\0') return std::string();
  return std::string(documents) + "/Greyfern/Lantern Tiles/";
}

int MAHJONG_PLAYER_FILE::Read(const std::string& path, std::string& bytes, std::string* cause) {
  if (const auto found = held().find(path); found != held().end()) {
    bytes = found->second;
    return 1;
  }
  // No path (no documents folder): nothing on disk, and never a look at the working folder. A
  // folder that is not the player's alone holds nothing of theirs.
  const int read = path.empty() ? 0 : QOR::QC_FILE_SYSTEM::fReadPrivateFile(path, bytes, cause);
  if (read == QOR::QC_FILE_SYSTEM::kNotPrivate) bytes.clear();
  return read == QOR::QC_FILE_SYSTEM::kNotPrivate ? 0 : read;
}

bool MAHJONG_PLAYER_FILE::HasFileElements(const pugi::xml_node& document) {
  for (const char* name : kFileElements) {
    if (!document.child(name)) return false;
  }
  return true;
}

std::vector<pugi::xml_node> MAHJONG_PLAYER_FILE::WholeProfiles(const pugi::xml_document& document,
                                                               const std::string& source,
                                                               const pugi::xml_parse_result& parsed) {
  std::vector<pugi::xml_node> profiles;
  for (const pugi::xml_node& profile : document.children("player")) {
    if (isWhole(document, source, parsed, profile)) profiles.push_back(profile);
  }
  return profiles;
}

void MAHJONG_PLAYER_FILE::Open() {
  const int removed = QOR::fRemoveReplaceLeftovers(_path);
  if (removed > 0) QOR::fLog() << "Removed " << removed << " unfinished save(s) of " << _path;
  // A folder another user owns or can write to holds nothing of the player's: the session plays
  // from the defaults, in memory.
  const bool refused =
      !_path.empty() && QOR::QC_FILE_SYSTEM::fMakePrivateFolder(Folder()) == QOR::QC_FILE_SYSTEM::kNotPrivate;
  if (held().count(_path) != 0 || (!refused && onDisk(_path))) {
    Repair();
    QOR::fLog("File exists");
  } else {
    Create();
  }
}

bool MAHJONG_PLAYER_FILE::Create() {
  // Without the defaults' lastplayer, packs and ranks the file would read as damaged: none is
  // made, and the next start with its data makes it.
  const pugi::xml_document* defaults = _defaults != nullptr ? _defaults() : nullptr;
  if (defaults == nullptr || !HasFileElements(*defaults)) {
    QOR::fLog("FILESYS FAILED TO CREATE file at path " + _path + ": default_player.xml did not load");
    return false;
  }
  if (Write(*defaults)) {
    QOR::fLog("FILESYS CREATED FILE AT PATH " + _path);
    QOR::fLog("PUGII -- SAVED file at path " + _path);
    return true;
  }
  QOR::fLog("FILESYS FAILED TO CREATE file at path " + _path);
  QOR::fLog("PUGII -- FAILED to SAVE file at path " + _path);
  return false;
}

bool MAHJONG_PLAYER_FILE::Repair() {
  std::string bytes;
  std::string cause;
  switch (readFile(_path, bytes, cause)) {
    case READ_RESULT::MISSING:
      return true;
    case READ_RESULT::UNREADABLE:
      QOR::fLog("player.xml cannot be read: " + _path + ": " + cause);
      return false;
    case READ_RESULT::READ:
      break;
  }
  pugi::xml_document file;
  const pugi::xml_parse_result parsed = file.load_buffer(bytes.data(), bytes.size());
  const bool tooDeep = parsed && nestsTooDeep(file, 0);
  if (parsed && HasFileElements(file) && !tooDeep) return true;
  const pugi::xml_document* defaults = _defaults != nullptr ? _defaults() : nullptr;
  if (defaults == nullptr || !HasFileElements(*defaults)) {
    QOR::fLog("player.xml is damaged and default_player.xml cannot replace it: " + _path);
    return false;
  }
  pugi::xml_document rebuilt;
  rebuild(rebuilt, defaults, file, bytes, parsed, _path);

  // The damaged bytes stay beside the file: a second name for them is made before the file is
  // replaced (a link, so player.xml is never missing), or a copy is written after it.
  const std::string backup = backupPath(_path);
  const bool linked = QOR::QC_FILE_SYSTEM::fLinkPrivateFile(_path, fs::path(backup).filename().string());
  repairStep("backup kept");
  if (!Write(rebuilt)) {
    if (linked) ::unlink(backup.c_str());
    QOR::fLog("player.xml is damaged and could not be made again; it stays as it is: " + _path);
    return false;
  }
  repairStep("file rebuilt");
  if (!linked) {
    std::string error;
    // Never more readable than the file it copies.
    if (QOR::fReplaceFile(backup, bytes.data(), bytes.size(), error, fs::path(_path).filename().string()) != 1) {
      QOR::fLog("the damaged player.xml could not be kept as " + backup + ": " + error);
    }
  }
  QOR::fLog() << "player.xml "
              << (tooDeep ? "nests deeper than a player file does" : parsed ? "lacks lastplayer, packs or ranks"
                                                                           : "does not parse")
              << " (" << parsed.description() << "): made again from default_player.xml with its "
              << std::distance(rebuilt.children("player").begin(), rebuilt.children("player").end())
              << " whole profile(s), the damaged file kept as " << backup;
  return true;
}

bool MAHJONG_PLAYER_FILE::LoadForChange(pugi::xml_document& document) const {
  std::string bytes;
  std::string cause;
  const READ_RESULT read = readFile(_path, bytes, cause);
  if (read == READ_RESULT::UNREADABLE) {
    TellNotSaved("it cannot be read: " + cause, true);
    return false;
  }
  pugi::xml_document file;
  pugi::xml_parse_result parsed;
  if (read == READ_RESULT::READ) {
    parsed = file.load_buffer(bytes.data(), bytes.size());
    const bool tooDeep = parsed && nestsTooDeep(file, 0);
    if (parsed && !tooDeep) {
      document.reset(file);
      return true;
    }
    QOR::fLog() << "player.xml " << (tooDeep ? "nests deeper than a player file does" : "does not parse") << " ("
                << parsed.description() << "), rebuilt from default_player.xml and its whole profiles: " << _path;
  }
  rebuild(document, _defaults != nullptr ? _defaults() : nullptr, file, bytes, parsed, _path);
  return true;
}

bool MAHJONG_PLAYER_FILE::SavePlayer(const MAHJONG_PLAYER& player) {
  pugi::xml_document document;
  if (!LoadForChange(document)) return false;
  // Every element of this name goes (a file edited by hand may hold two), so the one written at
  // the end is the only one.
  const std::string name = MAHJONG_PLAYER::NameToFile(player.m_name);
  removeByName(document, player.m_name);
  pugi::xml_node element = document.append_child("player");
  if (pugi::xml_node last = document.child("lastplayer")) {
    pugi::xml_attribute lastName = last.attribute("lpname");
    if (!lastName) lastName = last.append_attribute("lpname");
    lastName.set_value(name.c_str());
  }
  player.WritePlayer(element);
  return Write(document);
}

bool MAHJONG_PLAYER_FILE::SetLastPlayer(const std::wstring& name) {
  pugi::xml_document document;
  if (!LoadForChange(document)) return false;
  pugi::xml_node last = document.child("lastplayer");
  if (!last) last = document.prepend_child("lastplayer");
  pugi::xml_attribute lastName = last.attribute("lpname");
  if (!lastName) lastName = last.append_attribute("lpname");
  lastName.set_value(MAHJONG_PLAYER::NameToFile(name).c_str());
  return Write(document);
}

bool MAHJONG_PLAYER_FILE::DeletePlayer(const std::wstring& name, const std::wstring& successor) {
  pugi::xml_document document;
  if (!LoadForChange(document)) return false;
  removeByName(document, name);
  pugi::xml_attribute lastName = document.child("lastplayer").attribute("lpname");
  if (lastName && MAHJONG_PLAYER::SameName(lastName.value(), name)) {
    lastName.set_value(MAHJONG_PLAYER::NameToFile(successor).c_str());
  }
  return Write(document);
}

bool MAHJONG_PLAYER_FILE::Write(const pugi::xml_document& document) const {
  // Well-formed for every reader, whatever a hand edit put in the file.
  std::string text = QOR::fSaveWellFormedXml(document, "\t", pugi::format_indent);
  // What could not be written is what the session reads from now on; nothing is lost before the
  // game ends, and the next write that succeeds puts it all in the file.
  const auto hold = [&] {
    if (held().count(_path) == 0) QOR::fLog("player.xml is held in memory until it can be written: " + _path);
    held()[_path] = std::move(text);
  };
  if (_path.empty()) {
    // No documents folder: there is nowhere to write, and never the working folder instead.
    TellNotSaved("there is no documents folder", false);
    hold();
    return false;
  }
  // Its folders are made writable by the player alone; one another user owns or can write to is
  // never written.
  std::string cause;
  const int folder = QOR::QC_FILE_SYSTEM::fMakePrivateFolder(Folder(), &cause);
  if (folder != 1) {
    TellNotSaved(folder == QOR::QC_FILE_SYSTEM::kNotPrivate ? cause : "its folder cannot be made: " + cause, false);
    hold();
    return false;
  }
  const bool hadFile = onDisk(_path);
  if (QOR::fReplaceFile(_path, text.data(), text.size(), cause) != 1) {
    TellNotSaved(cause, hadFile);
    hold();
    return false;
  }
  held().erase(_path);
  return true;
}

void MAHJONG_PLAYER_FILE::TellNotSaved(const std::string& cause, bool oldFileKept) const {
  QOR::fLog("player.xml not saved" + std::string(oldFileKept ? ", the old file is kept" : "") + ": " + _path + ": " +
            cause);
  QOR::fTellPlayerOnce("player.xml not saved", "Progress not saved",
                       "Your progress could not be saved" +
                           (_path.empty() ? std::string(" ") : " in the folder\n" + Folder() + "\n") + "(" +
                           cause + ").\nWhat you do from now on may be lost when the game ends.");
}
