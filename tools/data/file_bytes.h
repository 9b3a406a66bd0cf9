// Whole-file reads and writes for the builder's steps.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace QOR {

bool fReadFileText(const std::filesystem::path& path, std::string& text);
// Writes the bytes, making the file's folders first; false when it cannot.
bool fWriteFileBytes(const std::filesystem::path& path, std::string_view bytes);
// Empties a folder (making it when missing); false when it cannot.
bool fResetFolder(const std::filesystem::path& folder);

}  // namespace QOR
