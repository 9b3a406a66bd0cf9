// The two Direct3D implementations behind Direct3DCreate9.
#pragma once

#include "host/d3d9.h"

IDirect3D9* fCreateRecordingDirect3D();
IDirect3D9* fCreateGlDirect3D();
