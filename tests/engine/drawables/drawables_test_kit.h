// Shared pieces of the drawables tests: a renderer on the recording device installed as the
// engine's renderer, the vertices its draws carried, and a small bitmap font made at test time
// (a BMFont-style description and a PNG page image).
#pragma once

#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_globals.h"
#include "host/recording_device.h"
#include "tests/kit/engine_fixture.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace drawables_test {

using QOR::QS_VERTEX;

// A renderer on the recording device, inside a frame, reachable as qcRENDER.
class RecordingRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    qor_test::fUseTestDoors();
    render = std::make_unique<QOR::QC_RENDER>();
    ASSERT_EQ(render->fInit(nullptr, 0.1f, 0.0f), 1);
    QOR::qcRENDER = render.get();
    texture = render->fCreateTexture(64, 32);
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(render->BeginScene(), 1);
    host_test::fRecordedCalls().clear();
  }
  void TearDown() override {
    QOR::qcRENDER = nullptr;
    render.reset();
  }

  // Draws what is pending and returns every vertex drawn since the record was last cleared, in
  // game pixels (the batch's world transform applied); then clears the record.
  std::vector<QS_VERTEX> drawn() {
    render->fFlush();
    std::vector<QS_VERTEX> vertices;
    for (const auto& call : host_test::fRecordedCalls()) {
      if (call.name != "DrawIndexedPrimitive" && call.name != "DrawPrimitive") continue;
      for (std::size_t i = 0; i * call.stride < call.vertices.size(); ++i) {
        QS_VERTEX v;
        std::memcpy(&v, call.vertices.data() + i * call.stride, sizeof(QS_VERTEX));
        vertices.push_back(v);
      }
    }
    host_test::fRecordedCalls().clear();
    return vertices;
  }

  std::unique_ptr<QOR::QC_RENDER> render;
  QOR::QC_TEXTURE_INFO* texture = nullptr;  // 64 x 32
};

// The test font's page: 64 x 32 pixels, transparent, with each glyph's cell opaque white.
// Glyph cells: ' ' (32) at (0, 0) 4 x 10; 'A' (65) at (4, 0) 6 x 10, yoffset 1; 'B' (66) at
// (10, 0) 8 x 10, yoffset 2; U+0416 at (20, 0) 10 x 12, yoffset 0; '%' (37) at (32, 0) 5 x 10.
constexpr int kPageWidth = 64;
constexpr int kPageHeight = 32;

inline std::string fFontXml(const std::string& common = "<common lineHeight=\"10\" base=\"8\" scaleW=\"64\" "
                                                        "scaleH=\"32\" pages=\"1\"/>",
                            const std::string& countAttribute = "count=\"5\"") {
  return "<?xml version=\"1.0\"?>\n<font>\n  <info face=\"Test\" size=\"10\"/>\n  " + common +
         "\n  <pages><page id=\"0\" file=\"test_0.png\"/></pages>\n  <chars " + countAttribute +
         ">\n"
         "    <char id=\"65\" x=\"4\" y=\"0\" width=\"6\" height=\"10\" xoffset=\"0\" yoffset=\"1\" xadvance=\"7\" "
         "page=\"0\"/>\n"
         "    <char id=\"32\" x=\"0\" y=\"0\" width=\"4\" height=\"10\" xoffset=\"0\" yoffset=\"0\" xadvance=\"4\" "
         "page=\"0\"/>\n"
         "    <char id=\"66\" x=\"10\" y=\"0\" width=\"8\" height=\"10\" xoffset=\"0\" yoffset=\"2\" xadvance=\"9\" "
         "page=\"0\"/>\n"
         "    <char id=\"1046\" x=\"20\" y=\"0\" width=\"10\" height=\"12\" xoffset=\"0\" yoffset=\"0\" "
         "xadvance=\"11\" page=\"0\"/>\n"
         "    <char id=\"37\" x=\"32\" y=\"0\" width=\"5\" height=\"10\" xoffset=\"0\" yoffset=\"0\" xadvance=\"6\" "
         "page=\"0\"/>\n"
         "  </chars>\n</font>\n";
}

inline void fAppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// The page image as PNG bytes.
inline std::vector<std::uint8_t> fPagePng() {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kPageWidth) * kPageHeight * 4, 0);
  const int cells[5][4] = {{0, 0, 4, 10}, {4, 0, 6, 10}, {10, 0, 8, 10}, {20, 0, 10, 12}, {32, 0, 5, 10}};
  for (const auto& cell : cells) {
    for (int y = cell[1]; y < cell[1] + cell[3]; ++y) {
      for (int x = cell[0]; x < cell[0] + cell[2]; ++x) {
        std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * kPageWidth + x) * 4;
        p[0] = p[1] = p[2] = p[3] = 255;
      }
    }
  }
  std::vector<std::uint8_t> png;
  stbi_write_png_to_func(&fAppendBytes, &png, kPageWidth, kPageHeight, 4, rgba.data(), kPageWidth * 4);
  return png;
}

// The page texture loaded the way the game loads its images: from the bytes of a PNG.
inline QOR::QC_TEXTURE_INFO* fLoadPage(QOR::QC_RENDER& render) {
  const std::vector<std::uint8_t> png = fPagePng();
  return render.fLoadTextureFromMemory(png.data(), png.size(), "test_0.png");
}

// A parsed description; the document must outlive the font's construction only.
struct FontDocument {
  pugi::xml_document document;
  explicit FontDocument(const std::string& xml) { document.load_string(xml.c_str()); }
  pugi::xml_node font() const { return document.child("font"); }
};

}  // namespace drawables_test
