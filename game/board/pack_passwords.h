// The passwords of the game's resource packs, shared by the game (which registers the packs) and
// the data builder (which writes them). Each is printable ASCII of the length the pack format
// fixes for it; changing one means rebuilding the data.
#pragma once

namespace MAHJONG_PACKS {

inline constexpr const char kConfig[] = "sOE7RSN%A|Jr3*XQJ}s.;3&=";                  // "XML/config", 24
inline constexpr const char kLevels[] = "M!BJJYW>au}zSXC+oESGTA?j7Z}+{T&N";          // "XML/levels", 32
inline constexpr const char kTiles[] = "hWR0{Y]N+2ns;}+z{IM>h#Nk%BCRSiZ)l6-D";       // "data/tiles", 36
inline constexpr const char kTrophies[] =
    "E#u_Euu5/BLP]aT*-H@8et~X;;Hu+m*^N|~-TSY0H!R<9?M6Xr-PrLZG.u)Xobkw";              // "data/trophies", 64
inline constexpr const char kFonts[] = "JJCYk8/JJg@:[US}<Z{a&C!1Ro5LrPBi_Zi%u+tl1];t&(hG*";  // "data/fonts", 49
inline constexpr const char kButtons[] = "YyH=!|^H;;DT)v9u0!N7H1mMeSPDS?5VoP}8tF#c";   // "data/btns", 40
inline constexpr const char kSurfaces[] =
    "LW,}CxW[EIH9ajcapQMlwtK#xn3-!9!~lY}#JWt:jFJ/9&~3^*-Q5ArbLr6x";                  // "data/surfaces", 60
inline constexpr const char kAudio[] = "qeI}1W^hjOgd-ebRem0oqap!P=aKzOPikL7v9a";     // "data/audio", 38

static_assert(sizeof(kConfig) - 1 == 24 && sizeof(kLevels) - 1 == 32 && sizeof(kTiles) - 1 == 36 &&
              sizeof(kTrophies) - 1 == 64 && sizeof(kFonts) - 1 == 49 && sizeof(kButtons) - 1 == 40 &&
              sizeof(kSurfaces) - 1 == 60 && sizeof(kAudio) - 1 == 38);

}  // namespace MAHJONG_PACKS
