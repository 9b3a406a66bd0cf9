// The game manager's own data files: the texts of strings.xml, the three shared fonts, the dark
// full-screen sprites with the global fade durations, and its timings of fx_params.xml; and
// whether the data the title needs has loaded.
#include "engine/loc/qc_locman.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_player_file.h"
#include "game/flow/game_font.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The keys of the 39 texts, in the order of their fields.
constexpr const char* kTextKeys[MAHJONG_GAME_MANAGER::kTexts] = {
    "page", "welcome", "players", "quit", "changeplscr", "want2quit", "deleteplayer", "typenewplname", "plexists",
    "restartlevel", "options", "store", "trophies", "career", "sound", "music", "fullscr", "customcursor", "fronts",
    "credits", "rank2low", "notmoney", "buypack", "help", "level_start", "level_end", "pleaseclickanywhere",
    "start_comics_text", "end_comics_text", "end_comics_player_name", "level_fail", "no_moves_but_bonus",
    "store_name", "trophies_name", "lastlevelpack", "task_money", "task_moves", "task_time", "task_special"};
constexpr const char* kRanks[] = {"Candidate", "Novice", "Experienced", "Expert", "Master", "Grand Master"};
constexpr const char* kPacks[] = {"Flourishing Lotus", "Golden Shadoof", "Bamboo Coppice",
                                  "Red Phoenix",       "Branch of Sakura", "Azure Dragon"};
constexpr const char kNotFound[] = "not found";

std::wstring widen(const char* text) { return pugi::as_wide(text != nullptr ? text : ""); }

// A float in the C locale; 0 when missing, unparsable or not finite (it feeds durations).
float readFloat(const pugi::xml_node& node, const char* key) {
  const char* text = node.attribute(key).value();
  while (*text == ' ') ++text;
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text, text + std::strlen(text), value, std::chars_format::general);
  return error == std::errc() && std::isfinite(value) ? value : 0.0f;
}

int readInt(const pugi::xml_node& node, const char* key) {
  const float value = readFloat(node, key);
  return std::fabs(value) < 2.0e9f ? static_cast<int>(value) : 0;
}

// "0xAARRGGBB" (or without the prefix), kept to 32 bits.
std::uint32_t readColor(const pugi::xml_node& node, const char* key) {
  return static_cast<std::uint32_t>(std::strtoul(node.attribute(key).value(), nullptr, 16) & 0xFFFFFFFFul);
}

}  // namespace

std::wstring MAHJONG_GAME_MANAGER::trimLR(std::wstring text) {
  std::wstring out;
  out.reserve(text.size());
  for (const wchar_t c : text) {
    if (c != L' ') out += c;
  }
  return out;
}

std::wstring MAHJONG_GAME_MANAGER::GetText(const char* key) const {
  return widen(locman != nullptr ? locman->fGetValue(key) : kNotFound);
}

void MAHJONG_GAME_MANAGER::LoadStrings() {
  // A missing strings.xml reads as an empty document: every text is then "not found".
  delete locman;
  locman = new QOR::QC_LOCMAN();
  const pugi::xml_document* document = QOR::QC_GAME::fLoadXml("strings.xml");
  if (document != nullptr) locman->fInit(*document, 0, 0);

  for (int i = 0; i < kTexts; ++i) texts[i] = GetText(kTextKeys[i]);
  rankTitles.clear();
  for (const char* rank : kRanks) rankTitles[widen(rank)] = GetText(rank);
  packNames.clear();
  for (const char* pack : kPacks) packNames[widen(pack)] = GetText(pack);

  // Credits n = 1, 2, ...: the first of the plain, bold and company keys that exists; the list ends
  // at the first n with none of them.
  credits.clear();
  for (int n = 1;; ++n) {
    const std::string base = "credits_" + std::to_string(n);
    const std::string keys[3] = {base, base + "_b", base + "_company"};
    int style = -1;
    for (int s = 0; s < 3 && style < 0; ++s) {
      if (std::strcmp(locman->fGetValue(keys[s]), kNotFound) != 0) style = s;
    }
    if (style < 0) break;
    credits.emplace_back(style, widen(locman->fGetValue(keys[style])));
  }
}

void MAHJONG_GAME_MANAGER::CreateLabels() {
  const std::uint32_t golden = MENU_OBJECTS::GoldenColor();
  const std::string boldDescription = locman != nullptr ? locman->fGetValue("bold_font_fnt") : kNotFound;

  const std::wstring& quit = texts[TXT_QUIT];
  const std::wstring trimmed = trimLR(quit);
  QOR::fLog() << "quit.size()" << "= " << static_cast<int>(quit.size());
  QOR::fLog() << "trimLR( quit ).size()" << "= " << static_cast<int>(trimmed.size());
  const int boldSpacing = (trimmed == L"\u0412\u044B\u0445\u043E\u0434" || trimmed == L"Exit") ? -3 : -6;

  struct FONT_SPEC {
    QOR::QC_FONT** font;
    std::string description;
    const char* pageKey;
    int spacing;
    float divisor;
  };
  const FONT_SPEC specs[3] = {
      {&regularFont, locman != nullptr ? locman->fGetValue("regular_font_fnt") : kNotFound, "regular_font_png", -8, 3.0f},
      {&boldFont, boldDescription, "bold_font_png", boldSpacing, 2.0f},
      {&boldStrokeFont, boldDescription, "bold_font_stroke_png", -3, 2.0f},
  };
  for (const FONT_SPEC& spec : specs) {
    if (*spec.font != nullptr) continue;
    QOR::QC_FONT* font = LoadGameFont(spec.description, locman != nullptr ? locman->fGetValue(spec.pageKey) : kNotFound);
    if (font == nullptr) continue;  // a missing font stays null; every print checks it
    font->_spacing = spec.spacing;
    font->_verticalDivisor = spec.divisor;
    font->fSetColor(golden);
    font->fSetAlign(0);
    *spec.font = font;
  }
}

void MAHJONG_GAME_MANAGER::BuildDarkBack() {
  const pugi::xml_node effects = QOR::QC_GAME::fLoadXml("fx_params.xml")->child("effects");
  fadeInOutTime = readFloat(effects.child("fade_in_out_time"), "val");
  showLevelTime = readFloat(effects.child("show_level_time"), "val");
  hideLevelTime = readFloat(effects.child("hide_level_time"), "val");
  QOR::fLog("Init dark back");

  const QOR::QS_POINT size = MENU_OBJECTS::ScreenSize();
  const auto make = [&size](const char* image) {
    auto* sprite = new QOR::QC_SPRITE(QOR::QC_GAME::fSubscribeImage(image));
    sprite->fSetSize(size.x, size.y);
    sprite->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
    sprite->fSetPosition(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2), 0.0f);
    return sprite;
  };
  delete darkBack1;
  delete darkBack2;
  delete blackMask;
  darkBack1 = make("Dark_back.png");
  darkBack2 = make("Dark_back.png");
  blackMask = make("black_mask.png");
}

void MAHJONG_GAME_MANAGER::LoadFxParams() {
  const pugi::xml_node effects = QOR::QC_GAME::fLoadXml("fx_params.xml")->child("effects");
  MANAGER_FX_PARAMS& f = fx;
  f.startPanelBezierTime = readFloat(effects.child("start_panel_bezier_time"), "val");
  const pugi::xml_node mid = effects.child("strtpnl_bezier_mid_point");
  f.startPanelBezierMid = QOR::QS_VEC2(readFloat(mid, "val_x"), readFloat(mid, "val_y"));
  const pugi::xml_node countUp = effects.child("increment_money_and_xp");
  f.countUpEffectDelay = readFloat(countUp, "effect_delay");
  f.countUpIncrDelay = readFloat(countUp, "incr_delay");
  f.countUpColor = readColor(countUp, "color");
  // At least 1, so a count-up always reaches its targets.
  f.countUpIncrement = std::max(1, readInt(countUp, "increment"));
  const auto flash = [&effects](const char* name, float& scale, float& time, float& fade) {
    const pugi::xml_node node = effects.child(name);
    scale = readFloat(node, "incr_to_scale");
    time = readFloat(node, "incr_time");
    fade = readFloat(node, "fade_time");
  };
  flash("lvlbtn_unblock", f.levelUnblockScale, f.levelUnblockTime, f.levelUnblockFade);
  flash("flash_pack_lock", f.packLockScale, f.packLockTime, f.packLockFade);
  flash("flash_pack_btn", f.packButtonScale, f.packButtonTime, f.packButtonFade);
  const pugi::xml_node trail = effects.child("motion_trail");
  f.motionTrailFreq = readFloat(trail, "freq");
  f.motionTrailLength = readInt(trail, "length");
  const pugi::xml_node browse = effects.child("browse_screens_speed");
  f.browseTrophySpeed = readFloat(browse, "trophy");
  f.browseLevelsSpeed = readFloat(browse, "levels");
  const pugi::xml_node rank = effects.child("flashrank");
  f.flashRankDuration = readFloat(rank, "duration");
  f.flashRankScale = readFloat(rank, "scale");
  const pugi::xml_node blob = effects.child("stars_blob");
  f.starsBlobDuration = readFloat(blob, "duration");
  f.starsBlobAmplitude = readFloat(blob, "amplitude");
  f.starsBlobFrequency = readFloat(blob, "frequency");
  f.starsBlobDecay = readFloat(blob, "decay");
  f.starsBlobDelay = readFloat(blob, "delayTime");
}

bool MAHJONG_GAME_MANAGER::TitleDataLoaded() const {
  // Asked quietly: what did not load was told when it was read.
  const auto document = [](const char* name) {
    const pugi::xml_document* loaded =
        QOR::qcRESOURCE_LOADER != nullptr ? QOR::qcRESOURCE_LOADER->fGetLoadedXmlDoc(name) : nullptr;
    return loaded != nullptr && !loaded->document_element().empty();
  };
  const QOR::QC_TEXTURE_INFO* missing = QOR::qcRENDER != nullptr ? QOR::qcRENDER->fGetDefaultTexture() : nullptr;
  const auto font = [missing](const QOR::QC_FONT* made) {
    return made != nullptr && made->fGetPage() != nullptr && made->fGetPage()->fGetTexture() != missing;
  };
  // A first player file is made from the shipped default_player.xml, so it must give lastplayer,
  // packs and ranks, whatever the user's player.xml holds and wherever it lives (a folder that
  // cannot be written keeps it in memory). Read here when no first start has read it yet.
  const pugi::xml_document* defaults = MAHJONG_PLAYER::GameDefaultPlayerDocument();
  const std::pair<const char*, bool> data[] = {
      {"consts.xml", document("consts.xml")},
      {"fx_params.xml", document("fx_params.xml")},
      {"strings.xml", document("strings.xml")},
      {"default_player.xml", defaults != nullptr && MAHJONG_PLAYER_FILE::HasFileElements(*defaults)},
      {"the regular font", font(regularFont)},
      {"the bold font", font(boldFont)},
      {"the bold stroke font", font(boldStrokeFont)},
  };
  bool complete = true;
  for (const auto& [name, loaded] : data) {
    if (loaded) continue;
    QOR::fLog() << "The title cannot be shown: " << name << " did not load";
    complete = false;
  }
  return complete;
}
