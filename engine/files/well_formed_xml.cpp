#include "engine/files/well_formed_xml.h"

#include <cstring>

namespace QOR {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

class STRING_WRITER : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
  std::string text;
};

// Every name, value and text below node, made well-formed where it is not.
void mendTree(pugi::xml_node node) {
  const auto mend = [](const char* text, auto set) {
    const std::string clean = fWellFormedText(text);
    if (clean != text) set(clean.c_str());
  };
  for (pugi::xml_node child : node.children()) {
    mend(child.name(), [&](const char* clean) { child.set_name(clean); });
    mend(child.value(), [&](const char* clean) { child.set_value(clean); });
    for (pugi::xml_attribute attribute : child.attributes()) {
      mend(attribute.name(), [&](const char* clean) { attribute.set_name(clean); });
      mend(attribute.value(), [&](const char* clean) { attribute.set_value(clean); });
    }
    mendTree(child);
  }
}

}  // namespace

bool isXmlChar(std::uint32_t code) {
  if (code < 0x20) return code == 0x09 || code == 0x0A || code == 0x0D;
  return code <= 0xD7FF || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

std::string fWellFormedText(const char* text) {
  std::string clean;
  const auto* at = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
  while (*at != 0) {
    const unsigned char* start = at;
    const unsigned lead = *at++;
    // How many bytes follow the lead, and the range of the first of them (which shuts out
    // overlong forms, surrogates and code points beyond U+10FFFF).
    int follow = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      follow = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      follow = 2;
      low = lead == 0xE0 ? 0xA0 : low;
      high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      follow = 3;
      low = lead == 0xF0 ? 0x90 : low;
      high = lead == 0xF4 ? 0x8F : high;
    } else if (lead >= 0x80) {
      follow = -1;
    }
    std::uint32_t code = follow > 0 ? lead & (0x3Fu >> follow) : lead;
    int taken = 0;
    // The end of the text is below every range, so a cut-off sequence stops there.
    for (; taken < follow && *at >= low && *at <= high; ++taken) {
      code = (code << 6) | (*at++ & 0x3Fu);
      low = 0x80;
      high = 0xBF;
    }
    if (follow >= 0 && taken == follow && isXmlChar(code)) {
      clean.append(reinterpret_cast<const char*>(start), static_cast<std::size_t>(at - start));
    } else {
      clean += kReplacement;
    }
  }
  return clean;
}

std::string fSaveWellFormedXml(const pugi::xml_document& document, const char* indent, unsigned int flags) {
  pugi::xml_document copy;
  copy.reset(document);
  mendTree(copy);
  STRING_WRITER writer;
  copy.save(writer, indent, flags, pugi::encoding_utf8);
  return writer.text;
}

}  // namespace QOR
