// One element of a GUI form as the factory reads it: presence checks and values of its
// attributes, with a log line naming the element for each one that makes it unusable, and the
// images and font descriptions it names, taken from the resource loader.
#pragma once

#include "engine/render/qc_texture_info.h"

#include <pugixml.hpp>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace QOR {

class QC_FORM_ELEMENT {
 public:
  // Nesting deeper than this many CONTEXT levels is refused: every walk of a widget tree recurses.
  static constexpr int kMaxDepth = 64;

  QC_FORM_ELEMENT(pugi::xml_node node, int depth) : _node(node), _depth(depth) {}

  pugi::xml_node fGetNode() const { return _node; }
  int fGetDepth() const { return _depth; }
  const char* fGetName() const { return _node.name(); }

  bool has(const char* attribute) const { return !_node.attribute(attribute).empty(); }
  // True when every attribute is there; otherwise logs the first one missing.
  bool isComplete(std::initializer_list<const char*> attributes) const;
  // The attribute's text, "" when absent.
  const char* fText(const char* attribute) const { return _node.attribute(attribute).value(); }
  int fInt(const char* attribute) const;
  unsigned fUnsigned(const char* attribute) const;
  bool fBool(const char* attribute) const { return _node.attribute(attribute).as_bool(); }
  // An integer measure (margin, distance); false with a log line when beyond kFormValueLimit.
  bool fMeasure(const char* attribute, int& value) const;
  // The float of an optional attribute (fallback when absent); false with a log line when it is
  // present and not a finite number.
  bool fFloat(const char* attribute, float fallback, float& value) const;
  // `count` numbers of an attribute; false with a log line when fewer are given or one is not
  // finite.
  bool fFloats(const char* attribute, int count, float* values) const;
  // The same for the text of a child element.
  bool fChildFloats(const char* child, int count, float* values) const;
  bool fChildInts(const char* child, int count, int* values) const;
  // An optional colour attribute: true and set when present and complete; a short one is logged.
  bool fColor(const char* attribute, std::uint32_t& argb) const;

  // Subscribes the named image (one subscription, given back by the widget that shows it); null
  // without a resource loader.
  QC_TEXTURE_INFO* fImage(const char* attribute) const;
  // The "font" element of the named description document; empty without a resource loader.
  pugi::xml_node fFont(const char* attribute) const;

  // Logs "GUI form: <element> <problem>".
  void fReport(const std::string& problem) const;

 private:
  pugi::xml_node _node;
  int _depth;
};

}  // namespace QOR
