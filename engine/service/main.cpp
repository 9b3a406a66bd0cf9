// The process entry: hands control to the game's entry hook, registered before main runs.
#include "engine/service/qc_callback.h"

int main(int /*argc*/, char** /*argv*/) { return QOR::fInvokeCallback(QOR::qcMAIN, 0); }
