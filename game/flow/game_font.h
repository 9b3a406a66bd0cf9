// Making one of the game's bitmap fonts from its description resource and its page image.
#pragma once

#include <string>

namespace QOR {
class QC_FONT;
class QC_TEXTURE_INFO;
}  // namespace QOR

// The font described by the "font" element of the description resource over the page image
// (subscribed; the subscription is stored in *page when page is given), with a text buffer of 600
// characters; the description's document is given back once the font holds its glyphs. Null
// (with a log line) when either name is "not found" (the string table lacks it)
// or the description has no "font" element, so a missing or broken font file leaves the font out
// instead of failing later.
QOR::QC_FONT* LoadGameFont(const std::string& description, const std::string& pageImage,
                           QOR::QC_TEXTURE_INFO** page = nullptr);
