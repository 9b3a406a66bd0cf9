// Coverage feedback from the XML parser. The system's pugixml is built without the fuzzing
// instrumentation, so on its own libFuzzer cannot tell one document from another and keeps hardly
// any of them: well-formed or not, every input takes the same edges through our code. libFuzzer
// also reads the bytes of the section "__libfuzzer_extra_counters" as counters (clearing them
// before each input), so here the parse status, the detected encoding and each (node kind, depth)
// pair of the tree count into counters of their own, and a new kind of error or document shape
// becomes a new feature that keeps its input in the corpus.
#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>

namespace qor_fuzz {

namespace xml_feedback {

constexpr std::size_t kStatuses = 32;   // pugi::xml_parse_status values
constexpr std::size_t kEncodings = 16;  // pugi::xml_encoding values
constexpr std::size_t kKinds = 16;      // pugi::xml_node_type values
constexpr std::size_t kDepths = 16;     // deeper nodes count as the deepest
constexpr std::size_t kCount = kStatuses + kEncodings + kKinds * kDepths + kDepths;

// One block per program that includes this header (each target is one source file); a multiple of
// 8 bytes, as libFuzzer clears the section a word at a time.
alignas(8) __attribute__((section("__libfuzzer_extra_counters"), used)) static std::uint8_t gCounters[kCount];

inline void bump(std::size_t index) {
  if (index < kCount && gCounters[index] < 0xFF) ++gCounters[index];
}

inline std::size_t clamp(std::size_t value, std::size_t size) { return value < size ? value : size - 1; }

// pugixml walks the tree without recursion, so a deeply nested input cannot exhaust the stack.
class WALKER : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node& node) override {
    const std::size_t row = clamp(static_cast<std::size_t>(depth()), kDepths);
    bump(kStatuses + kEncodings + clamp(static_cast<std::size_t>(node.type()), kKinds) * kDepths + row);
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
      bump(kStatuses + kEncodings + kKinds * kDepths + row);
    }
    return true;
  }
};

}  // namespace xml_feedback

// Counts what the parser made of one input: its result and the document it built.
inline void fXmlFeedback(const pugi::xml_parse_result& result, pugi::xml_node document) {
  using namespace xml_feedback;
  bump(clamp(static_cast<std::size_t>(result.status), kStatuses));
  bump(kStatuses + clamp(static_cast<std::size_t>(result.encoding), kEncodings));
  WALKER walker;
  document.traverse(walker);
}

}  // namespace qor_fuzz
