// The help overlay: a four-page panel that slides down over the current screen. Page 1 shows real
// sample tiles of the player's tile set (two equal pairs, the seasons, the flowers), page 2 the
// multiplier and the bonus tiles, page 3 the level tasks, page 4 the skill and bonus slots, each
// with a header and lines from strings.xml.
#include "engine/math/float_to_int.h"
#include "engine/platform/qc_input.h"
#include "engine/render/qc_font.h"
#include "engine/render/qc_render.h"
#include "engine/render/qc_sprite.h"
#include "engine/service/qc_game.h"
#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "game/board/effect_times.h"
#include "game/board/mahjong_chip.h"
#include "game/board/mahjong_consts.h"
#include "game/board/mahjong_player.h"
#include "game/board/tile_faces.h"
#include "game/board/tile_metrics.h"
#include "game/flow/mahjong_game_manager.h"
#include "game/flow/menu_objects.h"
#include "game/flow/print_text.h"
#include "gui/base/qc_hit_area.h"
#include "gui/widgets/qc_image_button.h"

#include <pugixml.hpp>

#include <string>

using namespace MENU_OBJECTS;

namespace {

constexpr const char kClickSound[] = "button_click.ogg";
constexpr int kPages = 4;
constexpr int kSampleTiles = 12;
constexpr int kTilesPerRow = 4;
// The sample tiles' faces, row by row: two equal pairs, the four seasons, the four flowers.
constexpr int kSampleFaces[kSampleTiles] = {4, 14, 14, 4, 41, 40, 39, 38, 37, 36, 35, 34};
// Indices of the sample sprites.
enum HELP_SPRITE : int {
  kMultiplier = 0, kNormalBody = 1, kBonusBody = 2, kSpecialBody = 3, kFace = 4, kTimeIcon = 5,
  kSkillSlot = 9, kBonusSlot = 10, kSkillIcon = 11, kBonusIcon = 12, kSampleSprites = 13,
};
constexpr int kFirstTask = kTimeIcon;
constexpr int kTasks = 4;

// The header and the lines of each page.
struct HELP_PAGE {
  const char* header;
  const char* lines[4];
};
constexpr HELP_PAGE kHelpPages[kPages] = {
    {"help_header_1", {"help_text_1", "help_text_2", "help_text_3", nullptr}},
    {"help_header_1", {"help_text_4", "help_text_5", "help_text_6", nullptr}},
    {"help_header_2", {"help_text_7", "help_text_8", "help_text_9", "help_text_10"}},
    {"help_header_3", {"help_text_11", "help_text_12", nullptr, nullptr}},
};

void print(QOR::QC_FONT* font, float x, float y, const std::wstring& text) {
  PrintText(font, QOR::fTruncateToInt(x), QOR::fTruncateToInt(y), text);
}

// A sprite of the picture, sized when a size is given, showing one frame of a grid when given.
QOR::QC_SPRITE* sampleSprite(QOR::QC_TEXTURE_INFO* image, int width = 0, int height = 0, int columns = 0,
                             int rows = 0, int frame = 0) {
  auto* sprite = new QOR::QC_SPRITE(image);
  if (width > 0 && height > 0) sprite->fSetSize(width, height);
  if (columns > 0 && rows > 0) sprite->fSetFrame(columns, rows, frame);
  sprite->fSetAnchor(QOR::QC_SPRITE::kAnchorCentre, 0.0f, 0.0f);
  return sprite;
}

}  // namespace

void HELP_PARTS::Free() {
  for (MAHJONG_CHIP* tile : tiles) delete tile;
  tiles.clear();
  for (QOR::QC_SPRITE*& sprite : sprites) DeleteSprite(sprite);
  sprites.clear();
  DeleteSprite(panel);
  for (QOR::QC_IMAGE_BUTTON** button : {&rightArrow, &leftArrow, &okButton}) DeleteButton(*button);
}

void MAHJONG_GAME_MANAGER::SetHelpPage(int page) {
  if (page < 1 || page > kPages) return;
  help.page = page;
  const HELP_PAGE& content = kHelpPages[page - 1];
  help.header = GetText(content.header);
  help.lines.clear();
  for (const char* key : content.lines) {
    if (key != nullptr) help.lines.push_back(GetText(key));
  }
}

void MAHJONG_GAME_MANAGER::BuildGameHud() {
  const QOR::QS_POINT size = ScreenSize();
  DeleteSprite(help.panel);
  help.panel = NewSprite("Credits_back.png");
  help.panel->fSetPositionXY(static_cast<float>(size.x / 2), PanelSlide());
  const QOR::QS_VEC2 panel = help.panel->fGetPosition();
  const float panelWidth = help.panel->fGetWidth();
  const float panelHeight = help.panel->fGetHeight();
  DeleteButton(help.rightArrow);
  DeleteButton(help.leftArrow);
  DeleteButton(help.okButton);
  help.rightArrow = NewButton("RightPoint_smoll.png", QOR::QC_HIT_AREA::kCircle);
  help.rightArrow->fSetPosition(panel.x + 85.0f, panel.y + panelHeight / 2.0f - 40.0f);
  help.leftArrow = NewButton("LeftPoint_smoll.png", QOR::QC_HIT_AREA::kCircle);
  help.leftArrow->fSetPosition(panel.x - 80.0f, panel.y + panelHeight / 2.0f - 40.0f);
  help.okButton = NewButton("Ok_middle.png", QOR::QC_HIT_AREA::kCircle);
  help.okButton->fSetPosition(panel.x - panelWidth / 2.0f + 80.0f, panel.y + panelHeight / 2.0f - 80.0f);

  // The sample tiles go first: they draw with the sprites that may be made again below.
  for (MAHJONG_CHIP* tile : help.tiles) delete tile;
  help.tiles.clear();
  const std::string setName = player != nullptr ? player->m_tileset : std::string();
  if (help.sprites.empty() || help.tileSet != setName) {
    // Made from the player's tile set, and made again once it is another (chosen in the options,
    // or another player's).
    for (QOR::QC_SPRITE*& sprite : help.sprites) DeleteSprite(sprite);
    help.sprites.clear();
    help.tileSet = setName;
    const std::string atlasName = tileMetrics.Read(*QOR::QC_GAME::fLoadXml("tiles.xml"), setName);
    if (atlasName.empty()) QOR::fLog() << "no tile set named " << setName;
    const auto atlas = [&atlasName]() {
      if (!atlasName.empty()) return QOR::QC_GAME::fSubscribeImage(atlasName);
      return QOR::qcRENDER != nullptr ? QOR::qcRENDER->fGetDefaultTexture() : nullptr;
    };
    const int bodyWidth = 2 * tileMetrics.layer_offsetX + tileMetrics.sizeX;
    const int bodyHeight = 2 * tileMetrics.layer_offsetY + tileMetrics.sizeY;
    const auto image = [](const char* name) { return QOR::QC_GAME::fSubscribeImage(name); };
    help.sprites.push_back(sampleSprite(image("mult_back.png"), 66, 66, 5, 7, 32));
    for (int frame : {MAHJONG_FACES::kNormalBackFrame, MAHJONG_FACES::kBonusBackFrame, MAHJONG_FACES::kSpecialBackFrame}) {
      help.sprites.push_back(
          sampleSprite(atlas(), bodyWidth, bodyHeight, MAHJONG_FACES::kAtlasColumns, MAHJONG_FACES::kAtlasRows, frame));
    }
    QOR::QC_TEXTURE_INFO* faces = atlas();
    const int cellWidth = faces != nullptr ? faces->fGetWidth() / MAHJONG_FACES::kAtlasColumns : 0;
    const int cellHeight = faces != nullptr ? faces->fGetHeight() / MAHJONG_FACES::kAtlasRows : 0;
    help.sprites.push_back(sampleSprite(faces, cellWidth, cellHeight));
    for (const char* icon : {"Time_icon.png", "Step_icon.png", "Special_icon.png", "Money_icon.png"}) {
      help.sprites.push_back(sampleSprite(image(icon)));
    }
    for (const char* slot : {"Skill_01_small.png", "Bonus_01_small.png"}) {
      QOR::QC_TEXTURE_INFO* strip = image(slot);
      const int width = strip != nullptr ? strip->fGetWidth() / 5 : 0;
      const int height = strip != nullptr ? strip->fGetHeight() : 0;
      help.sprites.push_back(sampleSprite(strip, width, height, 5, 1, 1));
    }
    help.sprites.push_back(sampleSprite(image("Skill3_s.png")));
    help.sprites.push_back(sampleSprite(image("Bonus1_2s.png")));
  }

  SetHelpPage(1);

  const float startX = static_cast<float>(size.x / 2) - panelWidth / 2.0f + 3.0f * static_cast<float>(tileMetrics.sizeX);
  float x = startX;
  float y = PanelSlide() - 2.0f * static_cast<float>(tileMetrics.sizeY);
  for (int i = 0; i < kSampleTiles; ++i) {
    if (i % kTilesPerRow == 0 && i >= 1) {
      y += 2.0f * static_cast<float>(tileMetrics.sizeY);
      x = startX;
    }
    auto* tile = new MAHJONG_CHIP(help.sprites[kFace], QOR::QS_VEC2(x, y), 0, false, false);
    tile->SetType(1);
    help.tiles.push_back(tile);
    x += static_cast<float>(tileMetrics.sizeX);
  }
  for (int i = 0; i < kSampleTiles; ++i) help.tiles[i]->SetType(kSampleFaces[i]);
}

void MAHJONG_GAME_MANAGER::OpenHelp() {
  if (help.panel == nullptr) return;
  // The samples show the tile set the player has now; the page stays.
  if (helpOpen == 0 && player != nullptr && player->m_tileset != help.tileSet) {
    const int page = help.page;
    BuildGameHud();
    SetHelpPage(page);
  }
  helpOpen = 1;
  sidePanelTween.Start(help.panel->fGetPosition().y, static_cast<float>(ScreenSize().y / 2), fadeInOutTime);
  if (darkBack1 != nullptr) screenFade.Start(darkBack1, fadeInOutTime, true);
}

void MAHJONG_GAME_MANAGER::UpdateHelp() {
  if (help.panel == nullptr) {
    helpOpen = 0;
    return;
  }
  if (sidePanelTween.active) {
    const float dy = sidePanelTween.Update(QOR::qcFrameTime) - help.panel->fGetPosition().y;
    AddY(help.panel, dy);
    AddY(help.rightArrow, dy);
    AddY(help.leftArrow, dy);
    AddY(help.okButton, dy);
    for (MAHJONG_CHIP* tile : help.tiles) {
      const QOR::QS_VEC2 at = tile->GetPosition();
      tile->SetPositionXY(at.x, at.y + dy);
    }
    return;
  }
  if (help.panel->fGetPosition().y <= 0.0f) {
    helpOpen = 0;
    return;
  }
  if (isClicked(help.okButton) || isKeyReleased(QOR::kKeyEnter) || isKeyReleased(QOR::kKeyEscape)) {
    PlaySound(kClickSound);
    sidePanelTween.Start(help.panel->fGetPosition().y, PanelSlide(), fadeInOutTime);
    if (darkBack1 != nullptr) screenFade.Start(darkBack1, fadeInOutTime, false);
    return;
  }
  // An arrow is neither drawn nor updated on the page where it has nowhere to go.
  const int page = help.page;
  if (help.page < kPages && isClicked(help.rightArrow)) {
    PlaySound(kClickSound);
    ++help.page;
  }
  if (help.page > 1 && isClicked(help.leftArrow)) {
    PlaySound(kClickSound);
    --help.page;
  }
  if (help.page != page) SetHelpPage(help.page);
}

void MAHJONG_GAME_MANAGER::RenderHelp() {
  if (helpOpen == 0 || help.panel == nullptr) return;
  if (darkBack1 != nullptr) darkBack1->fRender();
  help.panel->fRender();
  if (help.page < kPages) help.rightArrow->fRender();
  if (help.page > 1) help.leftArrow->fRender();
  help.okButton->fRender();

  const QOR::QS_VEC2 panel = help.panel->fGetPosition();
  const float panelWidth = help.panel->fGetWidth();
  const float panelHeight = help.panel->fGetHeight();
  const float sizeX = static_cast<float>(tileMetrics.sizeX);
  const float sizeY = static_cast<float>(tileMetrics.sizeY);
  if (boldFont != nullptr) {
    boldFont->fSetAlign(0);
    boldFont->fSetColor(GoldenColor());
  }
  print(boldFont, static_cast<float>(ScreenSize().x / 2), panel.y - panelHeight / 2.0f + 100.0f, help.header);
  if (regularFont != nullptr) {
    regularFont->fSetColor(GoldenColor());
    regularFont->fSetAlign(QOR::QC_SPRITE::kAnchorTopLeft);
  }
  const auto line = [this](std::size_t k, float x, float y) {
    if (k < help.lines.size()) print(regularFont, x, y, help.lines[k]);
  };
  const auto drawAt = [this](int sprite, float x, float y) { help.sprites[sprite]->fRenderAt(x, y, 0.0f, 1.0f, 1.0f); };
  const float columnX = panel.x - panelWidth / 4.0f;
  if (help.sprites.size() == kSampleSprites) {
    switch (help.page) {
      case 1:
        for (MAHJONG_CHIP* tile : help.tiles) tile->Render(help.sprites[kNormalBody], false, nullptr);
        for (std::size_t k = 0; k * kTilesPerRow + kTilesPerRow - 1 < help.tiles.size(); ++k) {
          const QOR::QS_VEC2 last = help.tiles[k * kTilesPerRow + kTilesPerRow - 1]->GetPosition();
          line(k, last.x + 2.0f * sizeX, last.y - sizeX / 2.0f);
        }
        break;
      case 2: {
        float y = panel.y - panelHeight / 4.0f + sizeY;
        const int samples[3] = {kMultiplier, kBonusBody, kSpecialBody};
        for (std::size_t k = 0; k < 3; ++k) {
          drawAt(samples[k], columnX, y);
          if (k == 0 && regularFont != nullptr) {
            regularFont->fSetColor(MAHJONG_CONSTS::GetInstance()->money_color.fGetARGB());
            regularFont->fSetAlign(0);
            print(regularFont, columnX, y, L"x3");
            regularFont->fSetColor(GoldenColor());
            regularFont->fSetAlign(QOR::QC_SPRITE::kAnchorTopLeft);
          }
          line(k, columnX + sizeY, y - sizeX / 2.0f);
          y += 2.0f * sizeY;
        }
        break;
      }
      case 3: {
        float y = panel.y - panelHeight / 4.0f + sizeY + sizeX;
        const float rise = help.sprites[kTimeIcon]->fGetHeight() / 4.0f;
        for (int k = 0; k < kTasks; ++k) {
          drawAt(kFirstTask + k, columnX, y);
          line(static_cast<std::size_t>(k), columnX + sizeY, y - rise);
          y += sizeY;
        }
        break;
      }
      default: {
        const float x0 = panel.x - panelWidth / 5.0f;
        const float y0 = panel.y - panelHeight / 5.0f;
        line(0, x0 + sizeY, y0 - sizeX / 2.0f);
        drawAt(kSkillSlot, x0, y0);
        drawAt(kSkillIcon, x0, y0);
        const float y1 = panel.y + 1.5f * help.sprites[kBonusSlot]->fGetHeight();
        drawAt(kBonusSlot, x0, y1);
        drawAt(kBonusIcon, x0, y1);
        line(1, x0 + sizeY, y1 - sizeX / 2.0f);
        break;
      }
    }
  }
  if (regularFont != nullptr) regularFont->fSetAlign(0);
  print(regularFont, panel.x, panel.y + panelHeight / 2.0f - 40.0f,
        texts[TXT_PAGE] + L" " + std::to_wstring(help.page) + L"/" + std::to_wstring(kPages));
}
