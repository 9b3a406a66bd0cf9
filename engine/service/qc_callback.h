// Callback records and the engine's hook slots: the only way the engine calls the game.
#pragma once

#include <cstdint>
#include <string>

namespace QOR {

// Hook and widget functions take one pointer-wide argument, so an address passes unchanged.
using QC_CALLBACK_FUNC = int (*)(std::uintptr_t argument);

struct QC_CALLBACK {
  QC_CALLBACK(QC_CALLBACK_FUNC function = nullptr, const char* name = nullptr, std::uintptr_t defaultArgument = 0)
      : _defaultArgument(defaultArgument), _name(name != nullptr ? name : ""), _function(function) {}

  std::uintptr_t _defaultArgument;  // passed when an invocation's argument is 0
  std::string _name;                // a label; the form loader keeps a widget's script text here
  QC_CALLBACK_FUNC _function;       // may be null
};

QC_CALLBACK* fCreateCallback(QC_CALLBACK_FUNC function, const char* name = nullptr, std::uintptr_t defaultArgument = 0);

// Calls the record's function with argument, or with its default argument when argument is 0.
// Returns -108 for a missing record, else 0; the function's own result is dropped.
int fInvokeCallback(QC_CALLBACK* callback, std::uintptr_t argument);

// Fills qcMAIN from a static object of the game, before main runs.
class QC_MAIN_REGISTRAR {
 public:
  explicit QC_MAIN_REGISTRAR(QC_CALLBACK_FUNC entry);
};

// Hook slots, null until something fills them; their records live until the process ends.
extern QC_CALLBACK* qcMAIN;
extern QC_CALLBACK* qcOnInit;
extern QC_CALLBACK* qcOnStart;
extern QC_CALLBACK* qcOnUpdate;
extern QC_CALLBACK* qcOnRender;
extern QC_CALLBACK* qcOnActivate;
extern QC_CALLBACK* qcOnDeactivate;
extern QC_CALLBACK* qcOnQuit;
extern QC_CALLBACK* qcOnKeyDown;
extern QC_CALLBACK* qcOnKeyUp;
extern QC_CALLBACK* qcOnMouseMove;
extern QC_CALLBACK* qcOnResourceError;
extern QC_CALLBACK* qcOnUnscribeTexture;

}  // namespace QOR
