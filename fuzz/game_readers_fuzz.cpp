// Fuzz target of the game's readers of files that a damaged disk or a player can reach. The first
// byte of an input picks the reader (its value modulo 8: seeds start with the digit '0'..'7'), the
// next three bytes are that reader's parameters (counted from the digit '0') and the rest is the
// file. Every reader runs through the game's own classes on the recording device, over a scratch
// Resources folder and a scratch documents folder; besides no crash, no hang and no leak, each one
// checks what must hold:
//   0 bitmap font: one glyph per char element, finite texture coordinates, exact line widths,
//     formatted texts within the buffer, every drawn vertex finite, page and description given back;
//   1 tiles.xml: bounded metrics, the named set's picture (else the default set's) as the atlas
//     with one subscription, a level on those metrics placed and drawn at finite points;
//   2 trophies.xml: every id, concealed or not, at its shelf place with the title of the first
//     matching entry, drawn finite, its picture given back;
//   3 balance.xml: the first pack child of the board's pack number, the multiplier tenfold and
//     saturated;
//   4 strings.xml (the texts): the manager's texts and credits (one row each at most), its fonts
//     made from the names the table gives, every text printed as the game prints it within the
//     buffer and drawn finite, every picture but the fonts' pages given back;
//   5 store_settings.xml: the item's level from the profile, its price finite, every level change
//     from 0 to 6 (only 1..5 taken), drawn finite, its pictures given back;
//   6 the documents folder's level lookup: a designer's copy is read only when it is a regular file
//     that parses, otherwise the shipped level (for editing: none when a regular copy is damaged);
//   7 player.xml: opened (a damaged file made again, its bytes kept beside it), a profile loaded
//     and saved; neither the repair nor the save makes the file more than kGrowthFactor times what
//     was read plus kGrowthAllowance, and a second save of the same profile changes no byte.
#include "engine/files/qc_file_system.h"
#include "engine/loc/qc_locman.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/render/qs_vertex.h"
#include "engine/service/qc_callback.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_resource_loader.h"
#include "fuzz/fuzz_scratch.h"
#include "fuzz/xml_feedback.h"
#include "game/board/level_lookup.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_layout.h"
#include "game/board/mahjong_player.h"
#include "game/board/mahjong_player_file.h"
#include "game/board/tile_metrics.h"
#include "game/board/xml_numbers.h"
#include "game/flow/game_font.h"
#include "game/flow/game_globals.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/store_item.h"
#include "game/flow/trophy_item.h"
#include "host/recording_device.h"
#include "host/test_doors.h"

#include <pugixml.hpp>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A save or a repair may write at most this many times the bytes it read, plus the allowance (the
// defaults and one profile). Escaping alone multiplies a byte by up to six ('"' as "&quot;"), and
// a profile's name is written twice; indentation that grows with the depth of the input is what
// the bound catches.
constexpr std::size_t kGrowthFactor = 16;
constexpr std::size_t kGrowthAllowance = 64 * 1024;

void require(bool holds) {
  if (!holds) __builtin_trap();
}

// Parameters are read from the digit '0' up, so a seed's header stays readable: one of n choices,
// or a small signed number.
int choice(std::uint8_t parameter, int n) { return ((parameter - '0') % n + n) % n; }
int number(std::uint8_t parameter) { return parameter - '0'; }

struct INPUT {
  std::uint8_t parameter[3] = {0, 0, 0};
  std::string file;
};

struct IMAGE {
  const char* name;
  int width;
  int height;
};
// The pictures of the scratch Resources folder; any other name reads as the renderer's stand-in.
constexpr IMAGE kImages[] = {{"page.png", 256, 32}, {"thin.png", 1, 1},     {"odd.png", 7, 5},
                             {"atlas.png", 90, 60}, {"atlas_b.png", 9, 6}, {"concealed.png", 20, 30},
                             {"trophy_01.png", 16, 16}};

// The files the readers start from.
constexpr char kFont[] =
    "<font><common lineHeight='20'/><pages><page id='0' file='page.png'/></pages><chars count='3'>"
    "<char id='32' x='0' y='0' width='6' height='16'/><char id='37' x='8' y='0' width='8' height='16'/>"
    "<char id='97' x='16' y='0' width='8' height='16' yoffset='2'/></chars></font>";
constexpr char kTiles[] =
    "<tiles layer_offsetX='6' layer_offsetY='6' shadow_offsetX='5' shadow_offsetY='-5' sizeX='60' sizeY='76'>"
    "<set name='2' pic='atlas.png'/></tiles><layout rows='8' columns='16'/>";
constexpr char kShippedLevel[] =
    "<tiles specsTotal='2'><tile posx='0' posy='0' level='0' isspecial='true'/>"
    "<tile posx='2' posy='0' level='0' isspecial='true'/><tile posx='1' posy='0' level='1'/>"
    "<tile posx='4' posy='2' level='0'/></tiles><extratask1 val='1.5' type='time'/>";
constexpr char kDefaultPlayer[] =
    "<lastplayer lpname=''/><packs><pack id='1' name='Flourishing Lotus' rank='Candidate' price='0'/></packs>"
    "<ranks><rank xp='0' title='Candidate'/><rank xp='15' title='Novice'/></ranks>";
constexpr char kStrings[] =
    "<Workbook><Worksheet><Table>"
    "<Row><Cell><Data>tt1</Data></Cell><Cell><Data>Title %i</Data></Cell></Row>"
    "<Row><Cell><Data>tr1</Data></Cell><Cell><Data>A line\nand 100%%</Data></Cell></Row>"
    "<Row><Cell><Data>st_bonus2</Data></Cell><Cell><Data>Shuffle %s</Data></Cell></Row>"
    "<Row><Cell><Data>bn22</Data></Cell><Cell><Data>%05i%%%</Data></Cell></Row>"
    "<Row><Cell><Data>regular_font_fnt</Data></Cell><Cell><Data>font.fnt</Data></Cell></Row>"
    "<Row><Cell><Data>regular_font_png</Data></Cell><Cell><Data>page.png</Data></Cell></Row>"
    "</Table></Worksheet></Workbook>";

// ---- the scratch world: files, pictures, the renderer and the loader ----

QOR::QC_RENDER* g_render = nullptr;
QOR::QC_RESOURCE_LOADER* g_loader = nullptr;
QOR::QC_LOCMAN* g_strings = nullptr;
MAHJONG_PLAYER* g_boardPlayer = nullptr;
MAHJONG_LAYOUT* g_board = nullptr;
QOR::QC_FONT* g_font = nullptr;
std::string g_resources;  // with a trailing '/'
std::string g_documents;  // the documents folder

bool writeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool readFile(const std::string& path, std::string& bytes) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream) return false;
  bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  return true;
}

void appendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

// The loader reads the file again at its next load: the document it kept is dropped.
void forget(const char* name) {
  QOR::QS_RESOURCE* record = g_loader->fFindResource(name, true);
  if (record == nullptr || !record->isReady() || record->fGetType() != QOR::QE_RES_XML) return;
  record->_subscribers = 0;
  record->fRelease();
}

// A loose file of the Resources folder, read anew at its next load.
void putResource(const char* name, const std::string& bytes) {
  require(writeFile(g_resources + name, bytes));
  forget(name);
}

// Subscriptions held on pictures (documents are the loader's own to keep).
int imageSubscriptions() {
  int sum = 0;
  const auto count = [&sum](const QOR::QS_RESOURCE* record) {
    if (record->isReady() && record->fGetType() == QOR::QE_RES_TEXTURE) sum += record->fGetSubscribers();
  };
  for (const auto& entry : g_loader->fGetMainRepository()) count(entry.second);
  for (const QOR::QC_RESOURCE_PACK* pack : g_loader->fGetPacks()) {
    for (const auto& entry : pack->fGetEntries()) count(entry.second);
  }
  return sum;
}

int subscribersOf(const char* name) {
  const QOR::QS_RESOURCE* record = g_loader->fFindResource(name, true);
  return record != nullptr ? record->fGetSubscribers() : 0;
}

bool finite(float value) { return std::isfinite(value); }

// Every vertex drawn since the last call lies at a finite point with finite texture coordinates.
void requireFiniteDraws() {
  for (const host_test::RecordedCall& call : host_test::fRecordedCalls()) {
    if (call.stride != sizeof(QOR::QS_VERTEX)) continue;
    for (std::size_t at = 0; at + sizeof(QOR::QS_VERTEX) <= call.vertices.size(); at += sizeof(QOR::QS_VERTEX)) {
      QOR::QS_VERTEX vertex;
      std::memcpy(&vertex, call.vertices.data() + at, sizeof(vertex));
      require(finite(vertex.x) && finite(vertex.y) && finite(vertex.z) && finite(vertex.u) && finite(vertex.v));
    }
  }
  host_test::fRecordedCalls().clear();
}

template <typename DRAW>
void drawFrame(DRAW draw) {
  host_test::fRecordedCalls().clear();
  if (g_render->BeginScene() == 1) {
    draw();
    g_render->EndScene();
  }
  requireFiniteDraws();
}

// The document the loader makes of the bytes, parsed the same way.
pugi::xml_parse_result parseLikeTheLoader(const std::string& bytes, pugi::xml_document& document) {
  const pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size());
  qor_fuzz::fXmlFeedback(result, document);
  return result;
}

// A printed text fits its buffer: the wide one below its size, the narrow one below its size - 4.
void requireWithinBuffers(const QOR::QC_FONT& font) {
  require(std::wcslen(font.fGetTextW()) < static_cast<std::size_t>(font.fGetBufferSize()));
  require(std::strlen(font.fGetText()) < static_cast<std::size_t>(std::max(font.fGetBufferSize() - 4, 1)));
}

// The ways the game prints a text: as a format without arguments and with the arguments it passes.
void printAsTheGame(QOR::QC_FONT& font, const std::wstring& text) {
  font.fPrintW(512, 384, text.c_str());
  requireWithinBuffers(font);
  font.fPrintW(100, 700, text.c_str(), 42);
  requireWithinBuffers(font);
  font.fPrintW(-30, 20, text.c_str(), 7, 120);
  requireWithinBuffers(font);
  font.fPrintW(900, 40, text.c_str(), L"name");
  requireWithinBuffers(font);
}

// The first child element of that name whose (first) attribute of that name has the value.
pugi::xml_node firstWith(const pugi::xml_node& parent, const char* element, const char* attribute, const char* value) {
  for (const pugi::xml_node& child : parent.children(element)) {
    if (std::strcmp(child.attribute(attribute).value(), value) == 0) return child;
  }
  return pugi::xml_node();
}

// ---- 0: the bitmap font ----

void checkFont(const INPUT& input) {
  static const char* const kPages[] = {"page.png", "thin.png", "odd.png", "missing.png"};
  const char* page = kPages[choice(input.parameter[0], 4)];
  pugi::xml_document expected;
  parseLikeTheLoader(input.file, expected);
  const pugi::xml_node description = expected.child("font");
  const auto charElements = description.child("chars").children("char");
  const auto chars = static_cast<std::size_t>(std::distance(charElements.begin(), charElements.end()));

  const int before = imageSubscriptions();
  putResource("font.fnt", input.file);
  QOR::QC_TEXTURE_INFO* pageImage = nullptr;
  QOR::QC_FONT* font = LoadGameFont("font.fnt", page, &pageImage);
  // The description is given back once the font holds its glyphs.
  require(subscribersOf("font.fnt") == 0);
  require((font == nullptr) == !description);
  if (font != nullptr) {
    const bool sized = font->fGetPageWidth() > 0 && font->fGetPageHeight() > 0;
    require(font->fGetGlyphCount() == (sized ? static_cast<int>(chars) : 0));
    require(font->fGetDefaultAdvance() == (sized && chars > 0 ? QOR::QC_FONT::kDefaultAdvance : 0));
    std::wstring every;
    for (int code = -2; code < 300; ++code) {
      const QOR::QC_GLYPH* glyph = font->fFindGlyph(code);
      if (glyph == nullptr) continue;
      require(finite(glyph->_leftU) && finite(glyph->_topV) && finite(glyph->_rightU) && finite(glyph->_bottomV));
      require(glyph->_width >= 0 && glyph->_height >= 0);
      if (code > 0) every += static_cast<wchar_t>(code);
    }
    font->_spacing = number(input.parameter[1]);
    font->fSetAlign(choice(input.parameter[2], 10));
    static const float kScales[] = {1.0f, 2.0f, 0.5f, 0.0f};
    const float scale = kScales[choice(input.parameter[2], 40) / 10];
    font->fSetScale(scale);
    const std::wstring texts[] = {every, every + L"\n" + every + L"\n", L"%i%%\n%05i %s %", L""};
    for (const std::wstring& text : texts) {
      // At scale 1 a wide line measures the widths plus spacing of its characters that have a
      // glyph, exactly while the sum is a whole float.
      std::int64_t width = 0;
      bool whole = true;
      for (std::size_t i = 0; i < text.size() && text[i] != L'\n'; ++i) {
        const std::int64_t glyph = font->fGetCharWidth(static_cast<int>(text[i]));
        if (glyph <= 0) continue;
        width += glyph + font->_spacing;
        whole = whole && glyph < (1 << 23) && std::llabs(width) < (1 << 23);
      }
      if (scale == 1.0f && whole && font->fGetGlyphCount() > 0) {
        require(font->fGetLineWidthW(text.c_str()) == width);
      }
      require(font->fCountLinesW(text.c_str()) ==
              1 + static_cast<int>(std::count(text.begin(), text.end(), L'\n')));
      drawFrame([&] {
        printAsTheGame(*font, text);
        const std::string narrow(text.begin(), text.end());
        font->fPrint(10, 10, "%s", narrow.c_str());
        requireWithinBuffers(*font);
        font->fDrawText(3, 4, narrow.c_str());
      });
    }
    delete font;
  }
  if (pageImage != nullptr) QOR::QC_GAME::fUnscribeImage(pageImage);
  require(imageSubscriptions() == before);
}

// ---- 1: tiles.xml ----

void checkTiles(const INPUT& input) {
  pugi::xml_document expected;
  parseLikeTheLoader(input.file, expected);
  const pugi::xml_node firstSet = expected.child("tiles").child("set");
  const std::string names[] = {"2", "1", "", firstSet.attribute("name").value(), "zzz"};
  const std::string& setName = names[choice(input.parameter[0], 5)];
  // The first set of that name, else of the default name: its picture becomes the atlas.
  pugi::xml_attribute picture;
  for (const char* wanted : {setName.c_str(), TILE_METRICS::kDefaultSet}) {
    if (!picture) picture = firstWith(expected.child("tiles"), "set", "name", wanted).attribute("pic");
  }

  const auto isImage = [](const QOR::QS_RESOURCE* record) {
    return record != nullptr && record->fGetType() == QOR::QE_RES_TEXTURE;
  };
  const int before = imageSubscriptions() - (isImage(g_loader->fFindByData(g_board->GetAtlasImage())) ? 1 : 0);
  putResource("tiles.xml", input.file);
  QOR::QC_TEXTURE_INFO* atlas = g_board->LoadTilesXml(setName);
  const TILE_METRICS& m = tileMetrics;
  for (const int value : {m.layer_offsetX, m.layer_offsetY, m.shadow_offsetX, m.shadow_offsetY, m.sizeX, m.sizeY,
                          m.rows, m.columns}) {
    require(value >= -10000 && value <= 10000);
  }
  // The set's picture is the atlas, with one subscription (the previous atlas's given back).
  const QOR::QS_RESOURCE* record =
      picture.value()[0] != '\0' ? g_loader->fFindResource(picture.value(), true) : nullptr;
  const bool image = isImage(record);
  if (image) require(atlas == record->fGetData());
  require(imageSubscriptions() == before + (image ? 1 : 0));

  // A level on these metrics stands at finite points and draws finite.
  g_board->SetTileMetrics(tileMetrics);
  g_board->ComputeOrigin();
  g_board->LoadLevel("pk1lv1.xml");
  for (const MAHJONG_CHIP* chip : g_board->GetChips()) {
    require(finite(chip->GetPosition().x) && finite(chip->GetPosition().y));
  }
  drawFrame([] { g_board->Render(true, g_font, nullptr); });
}

// ---- 2: trophies.xml ----

void checkTrophies(const INPUT& input) {
  pugi::xml_document expected;
  parseLikeTheLoader(input.file, expected);
  putResource("trophies.xml", input.file);
  const pugi::xml_document* trophies = QOR::QC_GAME::fLoadXml("trophies.xml");
  const int before = imageSubscriptions();
  const int ids[] = {0, 1, 2, 7, 26, 27, -1, -4, -26, INT_MAX, INT_MIN, number(input.parameter[0])};
  for (const int id : ids) {
    TROPHY_ITEM item(id, *trophies, choice(input.parameter[1], 2) != 0 ? g_strings : nullptr);
    require(item.fGetId() >= 0 && item.isConcealed() == (id < 0));
    // The first trophy of that id gives the texts.
    const std::string key = std::to_string(item.fGetId());
    const pugi::xml_node entry = firstWith(expected, "trophy", "id", key.c_str());
    const QOR::QC_LOCMAN* strings = choice(input.parameter[1], 2) != 0 ? g_strings : nullptr;
    const char* title = strings != nullptr ? strings->fGetValue(entry.attribute("title").value()) : "not found";
    require(item.fGetTitle() == pugi::as_wide(title));
    int x = 0;
    int y = 0;
    TROPHY_ITEM::fPlace(item.fGetId(), 1024, 768, x, y);
    float px = 0.0f;
    float py = 0.0f;
    item.fGetPosition(px, py);
    require(px == static_cast<float>(x) && py == static_cast<float>(y));
    drawFrame([&] { item.fRender(g_font, g_font); });
  }
  require(imageSubscriptions() == before);
}

// ---- 3: balance.xml ----

void checkBalance(const INPUT& input) {
  const int pack = number(input.parameter[0]);
  pugi::xml_document expected;
  parseLikeTheLoader(input.file, expected);
  putResource("balance.xml", input.file);
  g_board->m_pack = pack;
  g_board->LoadBalance();
  const pugi::xml_node multiplier = expected.child("multiplier");
  const auto tenfold = [&multiplier](const char* name) {
    return MAHJONG_LAYOUT::SaturatePoints(static_cast<std::int64_t>(MAHJONG_XML::AttributeInt(multiplier, name)) * 10);
  };
  require(g_board->m_multiBonus == tenfold("multi_bonus") && g_board->m_multiPair == tenfold("multi_pair") &&
          g_board->m_multiIncrAp == tenfold("multi_incr_ap") &&
          g_board->m_multiTimeDecr == MAHJONG_XML::AttributeInt(multiplier, "multi_time_decr"));
  // The first child of packs, whatever its name, whose id is the pack number as text.
  pugi::xml_node chosen;
  for (const pugi::xml_node& child : expected.child("packs").children()) {
    if (!chosen && std::to_string(pack) == child.attribute("id").value()) chosen = child;
  }
  const struct {
    std::int32_t value;
    const char* name;
  } values[] = {{g_board->m_scoreOne, "score_one"},
                {g_board->m_scorePair, "score_pair"},
                {g_board->m_scoreOneSpec, "score_one_spec"},
                {g_board->m_scorePairSpec, "score_pair_spec"},
                {g_board->m_scoreAllClickable, "score_all_clickable"},
                {g_board->m_scoreEndLevel, "score_end_level"},
                {g_board->m_xp1, "xp1"},
                {g_board->m_xp2, "xp2"},
                {g_board->m_xp3, "xp3"}};
  for (const auto& value : values) require(value.value == MAHJONG_XML::AttributeInt(chosen, value.name));
}

// ---- 4: strings.xml ----

void checkTexts(const INPUT& input) {
  putResource("strings.xml", input.file);
  pugi::xml_document expected;
  parseLikeTheLoader(input.file, expected);
  QOR::QC_LOCMAN table;
  const int rows = table.fInit(expected, 0, 0);
  const int before = imageSubscriptions();
  // The manager's fonts keep their pages for the life of the game: given back here.
  std::vector<QOR::QC_TEXTURE_INFO*> pages;
  {
    MAHJONG_GAME_MANAGER manager;
    gameManager = &manager;
    require(manager.GetLocman() != nullptr && manager.GetLocman()->fGetCount() == rows);
    // The credits: for n = 1, 2, ... the first of the plain, bold and company keys the table has,
    // up to the first number with none.
    std::vector<std::pair<int, std::wstring>> credits;
    for (int n = 1;; ++n) {
      const std::string base = "credits_" + std::to_string(n);
      const std::string keys[3] = {base, base + "_b", base + "_company"};
      int style = 0;
      while (style < 3 && std::strcmp(table.fGetValue(keys[style]), "not found") == 0) ++style;
      if (style == 3) break;
      credits.emplace_back(style, pugi::as_wide(table.fGetValue(keys[style])));
    }
    require(manager.credits == credits);
    int progress = 10;
    manager.LoadStep(progress);
    for (QOR::QC_FONT* font : {manager.regularFont, manager.boldFont, manager.boldStrokeFont}) {
      if (font == nullptr) continue;
      pages.push_back(font->fGetPage()->fGetTexture());
      drawFrame([&] {
        for (const std::wstring& text : manager.texts) printAsTheGame(*font, text);
        for (const auto& credit : manager.credits) printAsTheGame(*font, credit.second);
      });
    }
    gameManager = nullptr;
  }
  for (QOR::QC_TEXTURE_INFO* page : pages) g_loader->fUnscribeByData(page);
  require(imageSubscriptions() == before);
}

// ---- 5: store_settings.xml ----

// The improvement levels and slot counts a profile may hold (player.xml is the player's to edit).
int profileNumber(std::uint8_t parameter) {
  static const int kEdges[] = {0, 1, 2, 3, 4, 5, -1, INT_MAX, INT_MIN, 2147483646};
  return kEdges[choice(parameter, 10)];
}

// Parameters: the kind (0..3, 4 none), the id text, the profile's improvement and slot count.
void checkStore(const INPUT& input) {
  static const char* const kIds[] = {"0", "1", "2", "3", "4", "-1", "2147483648", " 3", "x", ""};
  const int kind = choice(input.parameter[0], 5);
  const char* id = kIds[choice(input.parameter[1], 10)];
  const int owned = profileNumber(input.parameter[2]);

  putResource("store_settings.xml", input.file);
  pugi::xml_document settings;
  parseLikeTheLoader(input.file, settings);
  MAHJONG_PLAYER player(g_documents + "/none.xml", L"shopper");
  player.m_bonuses.clear();
  player.m_abilities.clear();
  player.m_bonuses.emplace_back(MAHJONG_XML::ToInt(id), owned);
  player.m_abilities.emplace_back(MAHJONG_XML::ToInt(id), owned);
  player.m_bonusSlots = owned;
  player.m_abilitySlots = owned;

  const int before = imageSubscriptions();
  {
    STORE_ITEM item(kind, &player, &settings, 300.0f, 200.0f, 2, id, g_strings);
    require(finite(item.price));
    drawFrame([&] { item.fRender(g_font, g_font, 0.0f, 40.0f); });
    // The item reads the settings of a new level from the working folder.
    std::error_code error;
    const fs::path start = fs::current_path(error);
    fs::current_path(g_resources, error);
    for (int level = 0; level <= 6; ++level) {
      const int was = item.level;
      item.fSetImprovement(level);
      require(item.level == (level >= 1 && level <= STORE_ITEM::kFullyImproved ? level : was));
      require(finite(item.price));
      drawFrame([&] { item.fRender(g_font, g_font, 0.0f, 40.0f); });
    }
    fs::current_path(start, error);
  }
  require(imageSubscriptions() == before);
}

// ---- 6: the documents folder's level lookup ----

enum class PATH_KIND { kFile, kFolder, kLinkToFile, kLinkToFolder, kDanglingLink, kEmptyFile, kFifo, kDevice, kHuge };

// Kinds a level of the folder may be: a named pipe, a link to a device and a sparse file of
// 5 GiB among them.
PATH_KIND pathKind(std::uint8_t parameter) { return static_cast<PATH_KIND>(choice(parameter, 9)); }

void checkLevelLookup(const INPUT& input) {
  const PATH_KIND kind = pathKind(input.parameter[0]);
  const std::string folder = MAHJONG_LEVELS::Folder();
  const std::string path = folder + "pk1lv1.xml";
  const std::string aside = g_documents + "/aside";
  std::error_code error;
  fs::create_directories(folder, error);
  fs::remove_all(path, error);
  fs::remove_all(aside, error);
  switch (kind) {
    case PATH_KIND::kFile:
      require(writeFile(path, input.file));
      break;
    case PATH_KIND::kFolder:
      fs::create_directory(path, error);
      break;
    case PATH_KIND::kLinkToFile:
      require(writeFile(aside, input.file));
      fs::create_symlink(aside, path, error);
      break;
    case PATH_KIND::kLinkToFolder:
      fs::create_directory(aside, error);
      fs::create_symlink(aside, path, error);
      break;
    case PATH_KIND::kDanglingLink:
      fs::create_symlink(aside, path, error);
      break;
    case PATH_KIND::kEmptyFile:
      require(writeFile(path, ""));
      break;
    case PATH_KIND::kFifo:
      require(mkfifo(path.c_str(), 0600) == 0);
      break;
    case PATH_KIND::kDevice:
      fs::create_symlink("/dev/zero", path, error);
      break;
    case PATH_KIND::kHuge:
      require(writeFile(path, input.file));
      fs::resize_file(path, std::uintmax_t{5} << 30, error);
      break;
  }
  // The copy counts when it is a regular file (through links) that parses; one of 5 GiB is a
  // damaged copy, too large to read. For play it must also be playable on the shipped tile set's
  // board; the shipped level is.
  const fs::file_status status = fs::status(path, error);
  pugi::xml_document copy;
  const bool regular = !error && fs::is_regular_file(status);
  const bool exists = !error && status.type() != fs::file_type::not_found;
  const bool parses = regular && kind != PATH_KIND::kHuge && static_cast<bool>(copy.load_file(path.c_str()));
  pugi::xml_document tiles;
  tiles.load_string(kTiles);
  TILE_METRICS grid;
  grid.Read(tiles, TILE_METRICS::kDefaultSet);
  const BOARD_VIEW view(grid, QOR::QS_POINT(BOARD_VIEW::kPlayWidth, BOARD_VIEW::kPlayHeight), {});
  const bool playable = parses && MAHJONG_LEVELS::PlayProblem(copy, view).empty();

  const pugi::xml_document* shipped = QOR::QC_GAME::fLoadXml("XML/levels pk1lv1.xml");
  require(MAHJONG_LEVELS::PlayProblem(*shipped, view).empty());
  pugi::xml_document own;
  const pugi::xml_document* played = MAHJONG_LEVELS::ReadForPlay("pk1lv1.xml", own, view);
  require(played == (playable ? &own : shipped));
  pugi::xml_document ownForEditing;
  const pugi::xml_document* edited = MAHJONG_LEVELS::ReadForEditing("pk1lv1.xml", ownForEditing);
  require(edited == (parses ? &ownForEditing : exists ? nullptr : shipped));
  fs::remove_all(path, error);
  fs::remove_all(aside, error);
}

// ---- 7: player.xml ----

const pugi::xml_document* defaultPlayerDocument() {
  static pugi::xml_document document;
  static const bool parsed = document.load_string(kDefaultPlayer);
  return parsed ? &document : nullptr;
}

bool withinGrowth(std::size_t written, std::size_t read) { return written <= kGrowthFactor * read + kGrowthAllowance; }

// True when an element lies deeper than a player file may nest (the document's own children at
// depth 1); walked without recursion, as the input may nest a hundred thousand deep.
bool nestsTooDeep(const pugi::xml_document& document) {
  struct DEPTH_WALKER : pugi::xml_tree_walker {
    bool tooDeep = false;
    bool for_each(pugi::xml_node& node) override {
      if (node.type() == pugi::node_element && depth() + 1 > MAHJONG_PLAYER_FILE::kMaxDepth) tooDeep = true;
      return !tooDeep;
    }
  } walker;
  const_cast<pugi::xml_document&>(document).traverse(walker);
  return walker.tooDeep;
}

void checkPlayerFile(const INPUT& input) {
  const std::string folder = g_documents + "/Greyfern/Lantern Tiles";
  const std::string path = folder + "/player.xml";
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder, error);
  require(writeFile(path, input.file));

  // Opening: a damaged file (one that nests too deep included) is made again, its bytes kept
  // beside it; a sound one stays as it is.
  pugi::xml_document before;
  const pugi::xml_parse_result parsed = before.load_buffer(input.file.data(), input.file.size());
  qor_fuzz::fXmlFeedback(parsed, before);
  const bool sound =
      parsed && before.child("lastplayer") && before.child("packs") && before.child("ranks") && !nestsTooDeep(before);
  MAHJONG_PLAYER_FILE file(path, &defaultPlayerDocument);
  file.Open();
  std::string opened;
  require(readFile(path, opened));
  if (sound) {
    require(opened == input.file);
  } else {
    std::string kept;
    require(readFile(path + ".bak", kept) && kept == input.file);
    pugi::xml_document rebuilt;
    require(rebuilt.load_buffer(opened.data(), opened.size()) && rebuilt.child("lastplayer"));
  }
  require(withinGrowth(opened.size(), input.file.size()));

  // A save of the last player (or, by the parameter, of another name) stays in proportion.
  const std::wstring name = choice(input.parameter[0], 2) != 0 ? L"other" : L"";
  MAHJONG_PLAYER player(path, name);
  require(player.SavePlayersWith(path, &defaultPlayerDocument));
  std::string saved;
  require(readFile(path, saved));
  require(withinGrowth(saved.size(), opened.size()));
  pugi::xml_document after;
  require(after.load_buffer(saved.data(), saved.size()));
  // Saving the same profile again changes nothing.
  require(player.SavePlayersWith(path, &defaultPlayerDocument));
  std::string again;
  require(readFile(path, again) && again == saved);
  fs::remove_all(folder, error);
}

// ---- set-up ----

bool writeImages() {
  for (const IMAGE& image : kImages) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(image.width) * image.height * 4, 0xFF);
    std::string png;
    stbi_write_png_to_func(&appendBytes, &png, image.width, image.height, 4, rgba.data(), image.width * 4);
    if (!writeFile(g_resources + image.name, png)) return false;
  }
  return true;
}

int releaseTexture(std::uintptr_t texture) {
  if (QOR::qcRESOURCE_LOADER != nullptr) {
    QOR::qcRESOURCE_LOADER->fUnscribeByData(reinterpret_cast<const void*>(texture));
  }
  return 0;
}

bool setUp() {
  if (!qor_fuzz::fStartScratch("qor_game_readers_fuzz_")) return false;
  host_test::fUseRecordingDevice(true);
  host_test::fSetNonInteractive(true);
  g_documents = qor_fuzz::fScratchBase() + "/documents";
  setenv("XDG_DOCUMENTS_DIR", g_documents.c_str(), 1);
  std::error_code error;
  fs::create_directories(g_documents + "/Greyfern/Lantern Tiles/levels", error);
  // The game's own file system (the level lookup asks it for the documents folder) enters the
  // Resources folder of the folder it starts in: the scratch one, and libFuzzer's is restored.
  const fs::path start = fs::current_path(error);
  fs::current_path(qor_fuzz::fScratchBase(), error);
  QOR::QC_FILE_SYSTEM::fGetInstance();
  fs::current_path(start, error);
  g_resources = qor_fuzz::fScratchFileSystem().fGetResourceDirectory();
  if (!g_resources.empty() && g_resources.back() != '/') g_resources += '/';
  fs::create_directories(g_resources + "XML/levels", error);
  fs::create_directories(g_resources + "XML/config", error);
  if (!writeImages() || !writeFile(g_resources + "font.fnt", kFont) || !writeFile(g_resources + "tiles.xml", kTiles) ||
      !writeFile(g_resources + "trophies.xml", "") || !writeFile(g_resources + "balance.xml", "") ||
      !writeFile(g_resources + "strings.xml", kStrings) || !writeFile(g_resources + "store_settings.xml", "") ||
      !writeFile(g_resources + "TrebuchetMSREGULAR.fnt", kFont) ||
      !writeFile(g_resources + "XML/levels/pk1lv1.xml", kShippedLevel) ||
      !writeFile(g_resources + "XML/config/default_player.xml", kDefaultPlayer)) {
    return false;
  }
  // Renderer, loader, board and fonts live as long as the process, like the game's.
  g_render = new QOR::QC_RENDER();
  if (g_render->fInit(nullptr, 0.1f, 0.0f) != 1) return false;
  QOR::qcRENDER = g_render;
  g_loader = new QOR::QC_RESOURCE_LOADER();
  QOR::qcRESOURCE_LOADER = g_loader;
  // The loose files of the Resources folder, and two folders where the game has packs.
  g_loader->fAddPack("");
  QOR::QC_GAME::fAddPack("XML/levels");
  QOR::QC_GAME::fAddPack("XML/config");
  static QOR::QC_CALLBACK hook(&releaseTexture);
  QOR::qcOnUnscribeTexture = &hook;
  QOR::qcFrameTime = 0.02f;

  pugi::xml_document strings;
  strings.load_string(kStrings);
  g_strings = new QOR::QC_LOCMAN();
  g_strings->fInit(strings, 0, 0);
  g_font = LoadGameFont("font.fnt", "page.png");
  g_boardPlayer = new MAHJONG_PLAYER(g_documents + "/board.xml", L"board");
  g_board = new MAHJONG_LAYOUT("2", g_boardPlayer, false, 0, nullptr);
  return g_font != nullptr && subscribersOf("atlas.png") == 1;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  if (!setUp()) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::error_code error;
  const fs::path start = fs::current_path(error);
  INPUT input;
  for (std::size_t i = 0; i < 3 && i + 1 < size; ++i) input.parameter[i] = data[i + 1];
  if (size > 4) input.file.assign(reinterpret_cast<const char*>(data) + 4, size - 4);
  switch (data[0] % 8) {
    case 0:
      checkFont(input);
      break;
    case 1:
      checkTiles(input);
      break;
    case 2:
      checkTrophies(input);
      break;
    case 3:
      checkBalance(input);
      break;
    case 4:
      checkTexts(input);
      break;
    case 5:
      checkStore(input);
      break;
    case 6:
      checkLevelLookup(input);
      break;
    default:
      checkPlayerFile(input);
      break;
  }
  // No reader leaves the working folder changed: libFuzzer reads its corpus by relative paths.
  require(fs::current_path(error) == start);
  return 0;
}
