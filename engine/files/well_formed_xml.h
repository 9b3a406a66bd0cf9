// What the engine and the game write as XML is well-formed UTF-8 for every reader: a hand-edited
// file may hold bytes that are not UTF-8 or characters XML 1.0 cannot hold (a control character
// or a surrogate given as a character reference), and such text is never written back as it came.
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <string>

namespace QOR {

// The characters an XML 1.0 document may hold: tab, line feed, carriage return, U+0020..U+D7FF,
// U+E000..U+FFFD and U+10000..U+10FFFF.
bool isXmlChar(std::uint32_t code);

// The text as well-formed UTF-8 of such characters only: the longest start of a well-formed
// sequence that is cut off or ill-formed (a stray byte, an overlong form, a surrogate, beyond
// U+10FFFF), and each character XML cannot hold, becomes one U+FFFD; the rest is kept as it is.
std::string fWellFormedText(const char* text);

// The document as pugixml saves it with that indent and those flags (UTF-8), every element and
// attribute name, attribute value and text in it made well-formed first.
std::string fSaveWellFormedXml(const pugi::xml_document& document, const char* indent, unsigned int flags);

}  // namespace QOR
