// The data builder: makes every file of the game's Resources folder, deterministically.
//   qor_data_builder step <name> <staging root> <data folder>   one step into <staging root>/<name>
//   qor_data_builder packs <staging root> <Resources folder>     lays out Resources by the manifest
//   qor_data_builder steps                                       prints the step names
//   qor_data_builder contact-sheet <staging root> <png>          one picture of the main art
//   qor_data_builder shot-sheet <folder> <png>                   one picture of every PNG under folder
//   qor_data_builder preview-levels <data folder> [png]          the levels as text (and a picture)
#include "tools/data/contact_sheet.h"
#include "tools/data/data_step.h"
#include "tools/data/manifest.h"
#include "tools/data/pack_step.h"
#include "tools/data/level_sheet.h"

#include <cstdio>
#include <string>

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: qor_data_builder step <name> <staging root> <data folder>\n"
               "       qor_data_builder packs <staging root> <Resources folder>\n"
               "       qor_data_builder steps\n"
               "       qor_data_builder contact-sheet <staging root> <png>\n"
               "       qor_data_builder shot-sheet <folder> <png>\n"
               "       qor_data_builder preview-levels <data folder> [png]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string command = argv[1];
  if (command == "step" && argc == 5) {
    QOR::fSetDataSourceDir(argv[4]);
    return QOR::fRunStep(argv[2], std::filesystem::path(argv[3]) / argv[2]);
  }
  if (command == "packs" && argc == 4) return QOR::fAssembleResources(QOR::fManifest(), argv[2], argv[3]);
  if (command == "steps" && argc == 2) {
    for (const std::string& name : QOR::fStepNames()) std::printf("%s\n", name.c_str());
    return 0;
  }
  if (command == "contact-sheet" && argc == 4) return QOR::fWriteContactSheet(argv[2], argv[3]);
  if (command == "shot-sheet" && argc == 4) return QOR::fWriteShotSheet(argv[2], argv[3]);
  if (command == "preview-levels" && (argc == 3 || argc == 4))
    return QOR::fPreviewLevels(argv[2], argc == 4 ? argv[3] : "");
  return usage();
}
