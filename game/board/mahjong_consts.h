// The game's tunable constants: read once, on first use, from consts.xml and fx_params.xml in the
// pack "XML/config", and read (never written) by every part of the game through GetInstance.
#pragma once

#include "engine/render/qc_color.h"

#include <string>

namespace pugi {
class xml_node;
}

class MAHJONG_CONSTS {
 public:
  // The one record, built on the first call (after the engine's services exist: it registers the
  // pack and loads the documents through the resource loader).
  static MAHJONG_CONSTS* GetInstance();

  // A record with every value at its default (what a missing file or attribute gives).
  MAHJONG_CONSTS();
  // Reads the attributes of consts.xml's root "mahjong_consts" over the defaults; a missing root or
  // attribute leaves the default. root: the document or that element.
  void ReadConsts(const pugi::xml_node& root);
  // Reads the three values the constants take from fx_params.xml's root "effects" (the document or
  // that element).
  void ReadFxParams(const pugi::xml_node& root);
  // True when the working folder (as the file system reports it) holds a file, not a folder, named
  // "cheating.txt"; this decides the cheat flag when the record is built.
  static bool HasCheatFile();

  // consts.xml, in the file's order.
  std::string window_header;
  bool blend_multiply = false;
  bool MUSIC = false;
  bool SOUND = false;
  int lang = 0;
  float trophies_store_header_text_space = 0.0f;
  std::string save_folder_studio;
  std::string save_folder_game;
  float ability_tip_lvl1 = 0.0f;
  float ability_tip_lvl2 = 0.0f;
  float ability_tip_lvl3 = 0.0f;
  float ability_tip_lvl4 = 0.0f;
  float multiplier_sound_delay = 0.0f;
  int FPS_LIMIT = 0;
  int UPS_LIMIT = 0;
  float pack_level_highlight = 0.0f;
  QOR::QC_COLOR32 money_color = QOR::QC_COLOR32(0u);
  QOR::QC_COLOR32 golden_color = QOR::QC_COLOR32(0u);
  float tutorial_flickering = 0.0f;
  float storebtn_flickering = 0.0f;
  float comics_fadein_speed = 0.0f;
  float pause_fade_in_out = 0.0f;
  float ability_show_tip_flickering = 0.0f;

  // fx_params.xml.
  float remove_chip_bezier_durration = 0.0f;
  float chip_trail_frequency = 0.0f;
  float chip_trail_length = 0.0f;

  // Set when a file "cheating.txt" (not a folder) lies in the working folder.
  bool cheats = false;
  // What the screens add to a panel's y to get the place it slides to or from.
  int panel_slide_distance = -300;
};
