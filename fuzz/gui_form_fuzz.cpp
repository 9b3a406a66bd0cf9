// Fuzz target of the XML GUI form factory: each input is parsed as a document and built as a form
// into a holder over a resource loader that knows a few images and a font, driven for a few ticks
// of scripted mouse and arrow-key input, drawn on the recording device, and destroyed. Building
// must never touch memory it does not own, and every image subscription the form took must be
// given back when its widgets are gone.
#include "engine/files/qc_file_system.h"
#include "fuzz/fuzz_scratch.h"
#include "fuzz/xml_feedback.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_render.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "gui/base/qc_gui_root.h"
#include "gui/factory/qc_gui_factory.h"
#include "host/recording_device.h"
#include "host/test_doors.h"

#include <pugixml.hpp>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// The images a form may name, with their sizes; "font.xml" is the font description.
struct Image {
  const char* name;
  int width;
  int height;
};
constexpr Image kImages[] = {{"a.png", 64, 32},     {"strip.png", 100, 20}, {"panel.png", 150, 90},
                             {"s12.png", 192, 16},  {"s13.png", 208, 16},   {"page.png", 256, 32},
                             {"thin.png", 1, 1}};

void appendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::string*>(context);
  out->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::string fontXml() {
  std::string chars;
  for (int i = 0; i < 26; ++i) {
    chars += "<char id=\"" + std::to_string('a' + i) + "\" x=\"" + std::to_string(8 * i) +
             "\" y=\"0\" width=\"8\" height=\"16\" xoffset=\"0\" yoffset=\"0\"/>";
  }
  chars += "<char id=\"37\" x=\"234\" y=\"0\" width=\"6\" height=\"16\" xoffset=\"0\" yoffset=\"0\"/>";
  return "<font><common lineHeight=\"20\"/><pages><page id=\"0\" file=\"page.png\"/></pages><chars count=\"27\">" +
         chars + "</chars></font>";
}

// The texture-release hook as the game fills it: one subscription less for the texture's image.
int releaseTexture(std::uintptr_t texture) {
  if (QOR::qcRESOURCE_LOADER != nullptr) QOR::qcRESOURCE_LOADER->fUnscribeByData(reinterpret_cast<const void*>(texture));
  return 0;
}

QOR::QC_RESOURCE_LOADER* g_loader = nullptr;
QOR::QC_RENDER* g_render = nullptr;
QOR::QC_INPUT* g_input = nullptr;

int subscriptions() {
  int sum = 0;
  for (const Image& image : kImages) {
    // A form may also name an image as its font description: such a record holds a document,
    // whose subscriptions no widget gives back.
    const QOR::QS_RESOURCE* record = g_loader->fGetPack("ui")->fFind(image.name);
    if (record != nullptr && record->fGetType() == QOR::QE_RES_TEXTURE) sum += record->fGetSubscribers();
  }
  return sum;
}

// One game tick: the form's update, then the ageing of the key states.
void tick(QOR::QC_GUI_ROOT& root) {
  root.fUpdate();
  g_input->fUpdate();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  if (!qor_fuzz::fStartScratch("qor_fuzz_form_")) return 1;
  host_test::fUseRecordingDevice(true);
  host_test::fSetNonInteractive(true);

  std::error_code error;
  QOR::QC_FILE_SYSTEM& files = qor_fuzz::fScratchFileSystem();
  const std::string folder = files.fGetResourceDirectory() + "ui/";
  std::filesystem::create_directories(folder, error);
  for (const Image& image : kImages) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(image.width) * image.height * 4, 0xFF);
    std::string png;
    stbi_write_png_to_func(&appendBytes, &png, image.width, image.height, 4, rgba.data(), image.width * 4);
    if (!writeFile(folder + image.name, png)) return 1;
  }
  if (!writeFile(folder + "font.xml", fontXml())) return 1;

  // Renderer and loader live as long as the process, like the game's: destroying them among the
  // static objects at exit would reach registries that may already be gone.
  g_render = new QOR::QC_RENDER();
  if (g_render->fInit(nullptr, 0.1f, 0.0f) != 1) return 1;
  QOR::qcRENDER = g_render;
  g_loader = new QOR::QC_RESOURCE_LOADER();
  if (g_loader->fAddPack("ui") != 1) return 1;
  QOR::qcRESOURCE_LOADER = g_loader;
  static QOR::QC_CALLBACK hook(&releaseTexture);
  QOR::qcOnUnscribeTexture = &hook;
  static QOR::QC_INPUT input;
  g_input = &input;
  QOR::qcFrameTime = 0.02f;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(data, size);
  qor_fuzz::fXmlFeedback(parsed, document);
  if (!parsed) return 0;
  {
    QOR::QC_GUI_ROOT root;
    QOR::fLoadForm(&root, document.document_element(), "MAIN");
    // Pointer tours over the usual places of a form with presses, drags and the arrow keys.
    const int points[][2] = {{0, 0}, {100, 100}, {400, 300}, {405, 310}, {200, 600}, {600, 250}, {-5000, 9000}};
    int step = 0;
    for (const auto& point : points) {
      g_input->fSetMousePosition(point[0], point[1]);
      tick(root);
      g_input->fKeyDown(1);
      tick(root);
      g_input->fSetMousePosition(point[0] + 37, point[1] - 23);
      tick(root);
      g_input->fKeyDown((step & 1) != 0 ? 38 : 40);
      g_input->fKeyUp(1);
      tick(root);
      g_input->fKeyUp((step & 1) != 0 ? 38 : 40);
      tick(root);
      ++step;
    }
    if (g_render->BeginScene() == 1) {
      root.fRender();
      g_render->EndScene();
    }
    host_test::fRecordedCalls().clear();
    // A second load replaces the first tree whole.
    QOR::fLoadForm(&root, document, nullptr);
    tick(root);
  }
  if (subscriptions() != 0) __builtin_trap();
  return 0;
}
