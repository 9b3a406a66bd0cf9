// The kit's resource loader over a scratch Resources folder, here holding the form fixtures' images
// and font (folder pack "ui") and installed as qcRESOURCE_LOADER with the game's texture give-back
// behind qcOnUnscribeTexture; the renderer on the recording device; the form fixtures parsed from
// tests/gui/forms/fixtures.
#pragma once

#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "tests/gui/gui_test_kit.h"
#include "tests/host/image_bytes.h"
#include "tests/kit/resource_fixture.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>
#include <memory>
#include <string>

namespace forms_test {

// The images of the fixtures: name and size.
inline const std::map<std::string, std::pair<int, int>>& fFixtureImages() {
  static const std::map<std::string, std::pair<int, int>> images = {
      {"image.png", {64, 32}},    {"panel.png", {200, 100}},    {"strip5.png", {100, 20}},
      {"strip2.png", {80, 40}},   {"line.png", {200, 30}},      {"list.png", {150, 90}},
      {"bar.png", {150, 20}},     {"slider13.png", {208, 16}},  {"slider12.png", {192, 16}},
      {"progress.png", {200, 20}}, {"anim.png", {100, 70}},     {"page.png", {gui_test::kPageWidth, gui_test::kPageHeight}},
  };
  return images;
}

class FactoryTest : public qor_test::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    _savedLoader = QOR::qcRESOURCE_LOADER;
    _savedHook = QOR::qcOnUnscribeTexture;
    for (const auto& [name, size] : fFixtureImages()) {
      const auto png = image_bytes::fPng(size.first, size.second,
                                         image_bytes::fMarkedRgba(size.first, size.second, 0xFFFFFFFFu, 0xFFFFFFFFu));
      write("ui/" + name, std::string(png.begin(), png.end()));
    }
    write("ui/font.xml", gui_test::fFontXml());
    ASSERT_EQ(_loader->fAddPack("ui"), 1);
    QOR::qcRESOURCE_LOADER = _loader.get();
    _hook = std::make_unique<QOR::QC_CALLBACK>(&QOR::fOnUnscribeTexture);
    QOR::qcOnUnscribeTexture = _hook.get();
    ASSERT_TRUE(_forms.load_file((std::string(QOR_FORMS_FIXTURES) + "/forms.xml").c_str()));
  }

  void TearDown() override {
    QOR::qcOnUnscribeTexture = _savedHook;
    QOR::qcRESOURCE_LOADER = _savedLoader;
    ResourceTest::TearDown();
  }

  // The subscriptions an image of the "ui" pack holds now.
  int subscribers(const std::string& name) {
    const QOR::QS_RESOURCE* record = _loader->fGetPack("ui")->fFind(name);
    return record != nullptr ? record->fGetSubscribers() : -1;
  }
  // The sum over every fixture image.
  int allSubscribers() {
    int sum = 0;
    for (const auto& entry : fFixtureImages()) sum += subscribers(entry.first);
    return sum;
  }
  QOR::QC_TEXTURE_INFO* loaded(const std::string& name) { return _loader->fGetLoadedImage(name); }

  pugi::xml_node forms() { return _forms.child("FORMS"); }

  pugi::xml_document _forms;
  std::unique_ptr<QOR::QC_CALLBACK> _hook;
  gui_test::Script script;
  QOR::QC_RESOURCE_LOADER* _savedLoader = nullptr;
  QOR::QC_CALLBACK* _savedHook = nullptr;
};

}  // namespace forms_test
