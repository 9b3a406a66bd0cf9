#include "game/board/mahjong_sounds.h"

#include "engine/service/qc_game.h"
#include "engine/sound/qc_sound.h"
#include "game/board/pack_passwords.h"

MAHJONG_SOUNDS* gameSounds = nullptr;

namespace {

// The game's effects, in the order they are loaded.
constexpr const char* kEffectFiles[] = {
    "button_click.ogg",      "button_play_click.ogg", "button_level_click.ogg", "button_pack_click.ogg",
    "error.ogg",             "trophie.ogg",           "inc_multiplier.ogg",     "bonus_ready.ogg",
    "use_bonus_shuffle.ogg", "tile_collapse.ogg",     "tile_select.ogg",        "level_normal.ogg",
    "level_good.ogg",        "level_excellent.ogg",   "pack_lock_broken.ogg",   "money.ogg",
};

}  // namespace

MAHJONG_SOUNDS::MAHJONG_SOUNDS(bool load) {
  if (!load) return;
  QOR::QC_GAME::fAddPack("data/audio", MAHJONG_PACKS::kAudio);
  for (const char* file : kEffectFiles) AddEffect(file);
}

void MAHJONG_SOUNDS::AddEffect(const std::string& fileName) {
  // A sound is made only over bytes the loader already holds: load them first.
  QOR::QC_GAME::fGetResource(fileName);
  _effects[fileName] = QOR::QC_GAME::fCreateSound(fileName, 2, 0);
}

void MAHJONG_SOUNDS::Play(const std::string& fileName) {
  const auto found = _effects.find(fileName);
  if (found != _effects.end() && found->second != nullptr) found->second->fRestart();
}

void MAHJONG_SOUNDS::SetVolume(float volume) {
  // Written so that NaN lands on 0 too.
  if (!(volume > 0.0f)) volume = 0.0f;
  if (volume > 1.0f) volume = 1.0f;
  for (const auto& effect : _effects) {
    if (effect.second != nullptr) effect.second->fSetVolume(volume);
  }
}
