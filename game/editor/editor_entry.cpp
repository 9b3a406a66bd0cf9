// The level editor's entry registrar: a static object that hands EditorMain to the engine's main
// slot before main runs. Compiled straight into the program so the linker cannot drop it.
#include "engine/service/qc_callback.h"
#include "game/editor/editor_hooks.h"

namespace {

const QOR::QC_MAIN_REGISTRAR registrar(&EditorMain);

}  // namespace
