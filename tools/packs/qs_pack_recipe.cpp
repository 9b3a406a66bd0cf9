#include "tools/packs/qs_pack_recipe.h"

#include <algorithm>

namespace QOR {

namespace {

constexpr std::size_t kMaxName = 0xFF;
constexpr std::size_t kMaxBytes = 0xFFFF;
constexpr std::size_t kMaxEntries = 0xFF;

// Reads from a byte range, answering zero and nothing once it is used up.
class READER {
 public:
  READER(const std::uint8_t* data, std::size_t size) : _data(data), _left(size) {}

  bool fEmpty() const { return _left == 0; }
  std::uint8_t fByte() {
    if (_left == 0) return 0;
    --_left;
    return *_data++;
  }
  std::uint16_t fWord() {
    const std::uint16_t low = fByte();
    return static_cast<std::uint16_t>(low | (fByte() << 8));
  }
  std::string fBytes(std::size_t count) {
    count = std::min(count, _left);
    std::string out(reinterpret_cast<const char*>(_data), count);
    _data += count;
    _left -= count;
    return out;
  }

 private:
  const std::uint8_t* _data;
  std::size_t _left;
};

void putWord(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

QS_PACK_RECIPE QS_PACK_RECIPE::fParse(const std::uint8_t* data, std::size_t size) {
  QS_PACK_RECIPE recipe;
  READER in(data, size);
  const std::uint8_t password = in.fByte() & 0x03u;
  recipe.password = password == 1 ? QE_PASSWORD::NONE : password == 2 ? QE_PASSWORD::OTHER : QE_PASSWORD::READER;
  const std::size_t count = in.fByte();
  for (std::size_t i = 0; i < count && !in.fEmpty(); ++i) {
    QS_ENTRY entry;
    entry.deflate = (in.fByte() & 0x01u) != 0;
    entry.name = in.fBytes(in.fByte());
    entry.bytes = in.fBytes(in.fWord());
    recipe.entries.push_back(std::move(entry));
  }
  recipe.cut = in.fWord();
  while (!in.fEmpty()) {
    QS_EDIT edit;
    edit.offset = in.fWord();
    edit.mask = in.fByte();
    recipe.edits.push_back(edit);
  }
  return recipe;
}

std::vector<std::uint8_t> QS_PACK_RECIPE::fEncode() const {
  std::vector<std::uint8_t> out;
  out.push_back(static_cast<std::uint8_t>(password));
  const std::size_t count = std::min(entries.size(), kMaxEntries);
  out.push_back(static_cast<std::uint8_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const QS_ENTRY& entry = entries[i];
    out.push_back(entry.deflate ? 1 : 0);
    const std::size_t nameSize = std::min(entry.name.size(), kMaxName);
    out.push_back(static_cast<std::uint8_t>(nameSize));
    out.insert(out.end(), entry.name.begin(), entry.name.begin() + static_cast<std::ptrdiff_t>(nameSize));
    const std::size_t byteCount = std::min(entry.bytes.size(), kMaxBytes);
    putWord(out, static_cast<std::uint16_t>(byteCount));
    out.insert(out.end(), entry.bytes.begin(), entry.bytes.begin() + static_cast<std::ptrdiff_t>(byteCount));
  }
  if (cut == 0 && edits.empty()) return out;
  putWord(out, cut);
  for (const QS_EDIT& edit : edits) {
    putWord(out, edit.offset);
    out.push_back(edit.mask);
  }
  return out;
}

std::string QS_PACK_RECIPE::fWriterPassword(const std::string& readerPassword) const {
  switch (password) {
    case QE_PASSWORD::NONE:
      return std::string();
    case QE_PASSWORD::OTHER:
      return readerPassword + "!";
    case QE_PASSWORD::READER:
      break;
  }
  return readerPassword;
}

void QS_PACK_RECIPE::fDamage(std::vector<std::uint8_t>& archive) const {
  if (cut != 0 && cut < archive.size()) archive.resize(cut);
  if (archive.empty()) return;
  for (const QS_EDIT& edit : edits) archive[edit.offset % archive.size()] ^= edit.mask;
}

}  // namespace QOR
