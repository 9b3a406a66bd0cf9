// Shell folder calls of the stand-in: where the user's documents folder is.
#pragma once

#include "host/win_types.h"

inline constexpr int CSIDL_PERSONAL = 5;

// An item list names one shell folder; the stand-in's holds the folder's path.
struct ITEMIDLIST;

// For CSIDL_PERSONAL: the user's documents folder, which is never missing: $XDG_DOCUMENTS_DIR,
// else the XDG_DOCUMENTS_DIR entry of ~/.config/user-dirs.dirs ($HOME expanded), else ~/Documents
// when that folder exists, else the home folder. Other folder numbers give E_FAIL and no list.
// The caller frees the list with ILFree.
HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, ITEMIDLIST** list);

// Writes the list's path (no trailing separator) into path, which holds MAX_PATH characters.
// FALSE, with an empty text, when the list is null or the path does not fit.
BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path);

void ILFree(ITEMIDLIST* list);
