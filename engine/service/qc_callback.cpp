#include "engine/service/qc_callback.h"

namespace QOR {

// Constant-initialised, so the game's registrar may fill qcMAIN during static initialisation
// whatever the order of translation units.
QC_CALLBACK* qcMAIN = nullptr;
QC_CALLBACK* qcOnInit = nullptr;
QC_CALLBACK* qcOnStart = nullptr;
QC_CALLBACK* qcOnUpdate = nullptr;
QC_CALLBACK* qcOnRender = nullptr;
QC_CALLBACK* qcOnActivate = nullptr;
QC_CALLBACK* qcOnDeactivate = nullptr;
QC_CALLBACK* qcOnQuit = nullptr;
QC_CALLBACK* qcOnKeyDown = nullptr;
QC_CALLBACK* qcOnKeyUp = nullptr;
QC_CALLBACK* qcOnMouseMove = nullptr;
QC_CALLBACK* qcOnResourceError = nullptr;
QC_CALLBACK* qcOnUnscribeTexture = nullptr;

QC_CALLBACK* fCreateCallback(QC_CALLBACK_FUNC function, const char* name, std::uintptr_t defaultArgument) {
  return new QC_CALLBACK(function, name, defaultArgument);
}

int fInvokeCallback(QC_CALLBACK* callback, std::uintptr_t argument) {
  if (callback == nullptr) return -108;
  if (callback->_function == nullptr) return 0;
  callback->_function(argument != 0 ? argument : callback->_defaultArgument);
  return 0;
}

QC_MAIN_REGISTRAR::QC_MAIN_REGISTRAR(QC_CALLBACK_FUNC entry) { qcMAIN = fCreateCallback(entry, nullptr, 0); }

}  // namespace QOR
