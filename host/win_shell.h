// Shell folder calls of the stand-in: where the user's documents folder is.
#pragma once

#include "host/win_types.h"

inline constexpr int CSIDL_PERSONAL = 5;

// An item list names one shell folder; the stand-in's holds the folder's path.
struct ITEMIDLIST;

// For CSIDL_PERSONAL: the user's documents folder, by the first rule that names a usable one:
// $XDG_DOCUMENTS_DIR, else each XDG_DOCUMENTS_DIR entry of ~/.config/user-dirs.dirs ($HOME
// expanded), else ~/Documents when that folder exists, else the home folder ($HOME when it is an
// absolute path, else the password database's, else /tmp). A rule's folder must be an absolute
// path and, when something is there, a folder; a missing one is fine. Other folder numbers give
// E_FAIL and no list. The caller frees the list with ILFree.
HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, ITEMIDLIST** list);

// Writes the list's folder (no trailing separator) and a NUL into path, which holds length
// characters: the first rule's folder that is usable and fits. Each rule passed over (not
// absolute, not a folder, too long) is logged with why, and the folder then taken; the lines are
// logged again only when a lookup's outcome changes. FALSE, with an empty text, when the list is
// null or no rule's folder is usable ("No documents folder" is logged). flags is unused.
BOOL SHGetPathFromIDListEx(const ITEMIDLIST* list, char* path, DWORD length, DWORD flags);
// The same for a path of MAX_PATH characters.
BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path);

void ILFree(ITEMIDLIST* list);
