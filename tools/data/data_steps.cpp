#include "tools/data/data_step.h"

#include "tools/data/file_bytes.h"
#include "tools/data/levels/levels_step.h"
#include "tools/data/xml/xml_step.h"

#ifdef QOR_DATA_ART
#include "tools/data/art/art_steps.h"
#endif
#ifdef QOR_DATA_FONTS
#include "tools/data/fonts/font_steps.h"
#endif
#ifdef QOR_DATA_AUDIO
#include "tools/data/audio/audio_steps.h"
#endif

#include <cstdio>

namespace QOR {

namespace {

std::filesystem::path& sourceDir() {
  static std::filesystem::path folder;
  return folder;
}

int makeXml(const std::filesystem::path& stagingDir) { return fMakeXml(sourceDir(), stagingDir); }
int makeLevels(const std::filesystem::path& stagingDir) { return fMakeLevels(sourceDir(), stagingDir); }

struct STEP {
  const char* name;
  DATA_STEP_FUNCTION run;
};

// Build order; each step depends only on its own code and sources.
const STEP kSteps[] = {
    {"xml", makeXml},
    {"levels", makeLevels},
#ifdef QOR_DATA_ART
    {"tiles", fMakeTiles},
    {"pictures", fMakePictures},
    {"backgrounds", fMakeLevelBackgrounds},
#endif
#ifdef QOR_DATA_FONTS
    {"fonts", fMakeFonts},
#endif
#ifdef QOR_DATA_AUDIO
    {"audio", fMakeAudio},
#endif
};

}  // namespace

void fSetDataSourceDir(const std::filesystem::path& folder) { sourceDir() = folder; }
const std::filesystem::path& fGetDataSourceDir() { return sourceDir(); }

std::vector<std::string> fStepNames() {
  std::vector<std::string> names;
  for (const STEP& step : kSteps) names.emplace_back(step.name);
  return names;
}

int fRunStep(const std::string& stepName, const std::filesystem::path& stagingDir) {
  for (const STEP& step : kSteps) {
    if (stepName != step.name) continue;
    if (!fResetFolder(stagingDir)) {
      std::fprintf(stderr, "%s: cannot empty %s\n", step.name, stagingDir.c_str());
      return 1;
    }
    return step.run(stagingDir);
  }
  std::fprintf(stderr, "unknown step \"%s\"\n", stepName.c_str());
  return 2;
}

}  // namespace QOR
