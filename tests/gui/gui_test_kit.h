// Shared pieces of the widget tests: a renderer on the recording device installed as the engine's
// renderer, textures made from pixels at test time, a small bitmap font, scripted input through
// the real input object, a set frame time, and a recorder on the texture-release hook.
#pragma once

#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "host/recording_device.h"
#include "tests/kit/engine_fixture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace gui_test {

// Addresses the texture-release hook was invoked with, in order.
inline std::vector<std::uintptr_t>& fReleased() {
  static std::vector<std::uintptr_t> released;
  return released;
}

inline int fRecordRelease(std::uintptr_t texture) {
  fReleased().push_back(texture);
  return 0;
}

// How often the hook was invoked with this texture.
inline int fReleaseCount(const QOR::QC_TEXTURE_INFO* texture) {
  int count = 0;
  for (std::uintptr_t a : fReleased()) count += a == reinterpret_cast<std::uintptr_t>(texture) ? 1 : 0;
  return count;
}

// Input driven as the message pump and the game loop drive it: messages arrive, the widgets
// update, then the key states age.
class Script {
 public:
  Script() : input_(std::make_unique<QOR::QC_INPUT>()) {}
  ~Script() {
    if (QOR::qcCurrentInput == input_.get()) QOR::qcCurrentInput = nullptr;
  }
  void move(int x, int y) { input_->fSetMousePosition(x, y); }
  void down(int key) { input_->fKeyDown(static_cast<std::uint32_t>(key)); }
  void up(int key) { input_->fKeyUp(static_cast<std::uint32_t>(key)); }
  // The ageing after the game's update hook.
  void age() { input_->fUpdate(); }
  QOR::QC_INPUT& input() { return *input_; }

 private:
  std::unique_ptr<QOR::QC_INPUT> input_;
};

// The test font's page is 256 x 32. Glyphs: 'a'..'z' 8 wide at x = 8 * i; 'W' 20 wide at 208;
// '|' 2 wide at 228; ' ' 4 wide at 230; '%' 6 wide at 234; all 16 high; line height 20 (the text
// box's cell width).
constexpr int kPageWidth = 256;
constexpr int kPageHeight = 32;
constexpr int kLetterWidth = 8;
constexpr int kWideWidth = 20;

// Extra codes get 8-wide glyphs too (drawn from 'a''s cell).
inline std::string fFontXml(int lineHeight = 20, const std::vector<int>& extra = {}) {
  std::string chars;
  int count = 0;
  auto add = [&](int id, int x, int width) {
    chars += "<char id=\"" + std::to_string(id) + "\" x=\"" + std::to_string(x) + "\" y=\"0\" width=\"" +
             std::to_string(width) + "\" height=\"16\" xoffset=\"0\" yoffset=\"0\"/>";
    ++count;
  };
  for (int i = 0; i < 26; ++i) add('a' + i, kLetterWidth * i, kLetterWidth);
  add('W', 208, kWideWidth);
  add('|', 228, 2);
  add(' ', 230, 4);
  add('%', 234, 6);
  for (int code : extra) add(code, 0, kLetterWidth);
  return "<font><common lineHeight=\"" + std::to_string(lineHeight) +
         "\"/><pages><page id=\"0\" file=\"page.png\"/></pages><chars count=\"" + std::to_string(count) + "\">" +
         chars + "</chars></font>";
}

// A renderer on the recording device inside a frame, reachable as qcRENDER; the frame time is set
// and the texture-release hook records into fReleased.
class WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    render = std::make_unique<QOR::QC_RENDER>();
    ASSERT_EQ(render->fInit(nullptr, 0.1f, 0.0f), 1);
    QOR::qcRENDER = render.get();
    ASSERT_EQ(render->BeginScene(), 1);
    host_test::fRecordedCalls().clear();
    savedHook = QOR::qcOnUnscribeTexture;
    hook = std::make_unique<QOR::QC_CALLBACK>(&fRecordRelease, "release recorder", 0);
    QOR::qcOnUnscribeTexture = hook.get();
    fReleased().clear();
    savedFrameTime = QOR::qcFrameTime;
    QOR::qcFrameTime = 0.1f;
  }
  void TearDown() override {
    QOR::qcOnUnscribeTexture = savedHook;
    QOR::qcFrameTime = savedFrameTime;
    QOR::qcRENDER = nullptr;
    render.reset();
  }

  // A texture of w x h ARGB words, all of one colour unless pixels are given.
  QOR::QC_TEXTURE_INFO* texture(int w, int h, std::uint32_t argb = 0xFFFFFFFFu,
                                const std::vector<std::uint32_t>& pixels = {}) {
    QOR::QC_TEXTURE_INFO* t = render->fCreateTexture(w, h);
    EXPECT_NE(t, nullptr);
    if (t == nullptr) return nullptr;
    const std::vector<std::uint32_t> fill =
        pixels.empty() ? std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, argb) : pixels;
    EXPECT_TRUE(t->fFill(fill.data()));
    return t;
  }

  // The font description document; keep it alive while a widget builds its own font from it.
  pugi::xml_node fontNode(int lineHeight = 20, const std::vector<int>& extra = {}) {
    fontDocs.push_back(std::make_unique<pugi::xml_document>());
    EXPECT_TRUE(fontDocs.back()->load_string(fFontXml(lineHeight, extra).c_str()));
    return fontDocs.back()->child("font");
  }
  QOR::QC_TEXTURE_INFO* fontPage() {
    if (page == nullptr) page = texture(kPageWidth, kPageHeight);
    return page;
  }
  std::unique_ptr<QOR::QC_FONT> font(int lineHeight = 20, const std::vector<int>& extra = {}) {
    return std::make_unique<QOR::QC_FONT>(fontNode(lineHeight, extra), fontPage(), 600);
  }

  // The draws recorded since the record was last cleared; then clears the record.
  std::vector<host_test::RecordedCall> draws() {
    render->fFlush();
    std::vector<host_test::RecordedCall> found;
    for (const auto& call : host_test::fRecordedCalls()) {
      if (call.name == "DrawIndexedPrimitive" || call.name == "DrawPrimitive") found.push_back(call);
    }
    host_test::fRecordedCalls().clear();
    return found;
  }

  std::unique_ptr<QOR::QC_RENDER> render;
  std::vector<std::unique_ptr<pugi::xml_document>> fontDocs;
  QOR::QC_TEXTURE_INFO* page = nullptr;
  Script script;

 private:
  QOR::QC_CALLBACK* savedHook = nullptr;
  std::unique_ptr<QOR::QC_CALLBACK> hook;
  float savedFrameTime = 0.0f;
};

}  // namespace gui_test
