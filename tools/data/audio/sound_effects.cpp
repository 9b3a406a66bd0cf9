// The 16 sound effects: short, distinct and soft, built from the synthesiser's instruments on a
// pentatonic palette (so that effects heard together never clash).
#include "tools/data/audio/audio_parts.h"

#include <string>

namespace QOR::AUDIO {

std::unique_ptr<QC_MIX> fMakeEffect(const std::string& name) {
  std::unique_ptr<QC_MIX> mix;
  if (name == "button_click.ogg") {  // a light temple-block tick
    mix = std::make_unique<QC_MIX>(0.2, false);
    QS_NOTE n = fNote(0, 0.05, 0, 0.6);
    n.frequency = 1250;
    fPlay(*mix, INSTRUMENT::WOODBLOCK, n, 3);
  } else if (name == "button_play_click.ogg") {  // a rising pair of bells
    mix = std::make_unique<QC_MIX>(1.1, false);
    fPlay(*mix, INSTRUMENT::MARIMBA, fNote(0.0, 0.1, 74, 0.5, -0.2));
    fPlay(*mix, INSTRUMENT::BELL, fNote(0.09, 0.2, 81, 0.35, 0.2));
    fPlay(*mix, INSTRUMENT::BELL, fNote(0.09, 0.2, 86, 0.2, 0.2));
  } else if (name == "button_level_click.ogg") {  // a plucked string and a tine
    mix = std::make_unique<QC_MIX>(0.9, false);
    fPlay(*mix, INSTRUMENT::PLUCK, fNote(0.0, 0.2, 69, 0.55), 11);
    fPlay(*mix, INSTRUMENT::MUSIC_BOX, fNote(0.06, 0.2, 81, 0.3));
  } else if (name == "button_pack_click.ogg") {  // a soft gong with a chime
    mix = std::make_unique<QC_MIX>(1.4, false);
    fPlay(*mix, INSTRUMENT::GONG, fNote(0.0, 0.5, 50, 0.45));
    fPlay(*mix, INSTRUMENT::BELL, fNote(0.02, 0.3, 74, 0.25));
  } else if (name == "error.ogg") {  // two low descending wooden notes
    mix = std::make_unique<QC_MIX>(0.55, false);
    fPlay(*mix, INSTRUMENT::MARIMBA, fNote(0.0, 0.1, 52, 0.6));
    fPlay(*mix, INSTRUMENT::MARIMBA, fNote(0.14, 0.1, 49, 0.6));
    fPlay(*mix, INSTRUMENT::BASS, fNote(0.0, 0.22, 40, 0.35));
  } else if (name == "trophie.ogg") {  // a bright fanfare of bells
    mix = std::make_unique<QC_MIX>(2.4, false);
    const double notes[] = {67, 71, 74, 79, 83};
    for (int i = 0; i < 5; ++i) {
      fPlay(*mix, INSTRUMENT::BELL, fNote(i * 0.11, 0.2, notes[i], 0.35, -0.4 + i * 0.2));
    }
    fPlay(*mix, INSTRUMENT::BRASS, fNote(0.0, 0.5, 55, 0.25));
    fPlay(*mix, INSTRUMENT::BRASS, fNote(0.0, 0.5, 62, 0.2));
    fPlay(*mix, INSTRUMENT::GONG, fNote(0.5, 0.5, 43, 0.3));
    mix->fReverb(0.3, 1.0);
  } else if (name == "inc_multiplier.ogg") {  // a quick rising sparkle
    mix = std::make_unique<QC_MIX>(0.9, false);
    const double notes[] = {76, 79, 81, 84, 88};
    for (int i = 0; i < 5; ++i) {
      fPlay(*mix, INSTRUMENT::MUSIC_BOX, fNote(i * 0.045, 0.1, notes[i], 0.3, -0.5 + i * 0.25));
    }
  } else if (name == "bonus_ready.ogg") {  // a shimmering chord
    mix = std::make_unique<QC_MIX>(1.6, false);
    for (int i = 0; i < 4; ++i) {
      const double notes[] = {72, 76, 79, 84};
      fPlay(*mix, INSTRUMENT::BELL, fNote(i * 0.03, 0.3, notes[i], 0.22, -0.3 + i * 0.2));
    }
    fPlay(*mix, INSTRUMENT::PAD, fNote(0.0, 0.3, 60, 0.4));
    mix->fReverb(0.35, 1.0);
  } else if (name == "use_bonus_shuffle.ogg") {  // a whoosh with tiles rattling
    mix = std::make_unique<QC_MIX>(1.0, false);
    fSweep(*mix, 0.0, 0.6, 300, 4000, 0.5, 7);
    for (int i = 0; i < 6; ++i) {
      QS_NOTE n = fNote(0.08 + i * 0.08, 0.05, 0, 0.35, (i % 2 == 0) ? -0.5 : 0.5);
      n.frequency = 900 + 90 * i;
      fPlay(*mix, INSTRUMENT::CLACK, n, 20 + static_cast<std::uint32_t>(i));
    }
  } else if (name == "tile_collapse.ogg") {  // two tiles knocking and a soft chime
    mix = std::make_unique<QC_MIX>(0.9, false);
    QS_NOTE n = fNote(0.0, 0.05, 0, 0.55);
    n.frequency = 1100;
    fPlay(*mix, INSTRUMENT::CLACK, n, 5);
    fPlay(*mix, INSTRUMENT::MUSIC_BOX, fNote(0.05, 0.1, 86, 0.18, 0.2));
  } else if (name == "tile_select.ogg") {  // a single light tile tap
    mix = std::make_unique<QC_MIX>(0.2, false);
    QS_NOTE n = fNote(0.0, 0.04, 0, 0.45);
    n.frequency = 1700;
    fPlay(*mix, INSTRUMENT::WOODBLOCK, n, 9);
  } else if (name == "level_normal.ogg" || name == "level_good.ogg" ||
             name == "level_excellent.ogg") {  // a closing phrase, longer for better results
    const int grade = name == "level_normal.ogg" ? 0 : (name == "level_good.ogg" ? 1 : 2);
    mix = std::make_unique<QC_MIX>(2.0 + grade * 0.6, false);
    const double phrase[] = {67, 69, 71, 74, 76, 79, 81, 86};
    const int count = 4 + grade * 2;
    for (int i = 0; i < count; ++i) {
      fPlay(*mix, INSTRUMENT::PLUCK, fNote(i * 0.14, 0.2, phrase[i], 0.4, -0.3 + 0.1 * i), 40 + static_cast<std::uint32_t>(i));
    }
    const double end = count * 0.14;
    fPlay(*mix, INSTRUMENT::PAD, fNote(0.0, end + 0.3, 55, 0.35));
    fPlay(*mix, INSTRUMENT::BELL, fNote(end, 0.4, phrase[count - 1] - 12, 0.3));
    if (grade >= 1) fPlay(*mix, INSTRUMENT::BELL, fNote(end, 0.4, phrase[count - 1] - 5, 0.22));
    if (grade >= 2) {
      fPlay(*mix, INSTRUMENT::GONG, fNote(end, 0.6, 43, 0.3));
      for (int i = 0; i < 5; ++i) {
        fPlay(*mix, INSTRUMENT::MUSIC_BOX, fNote(end + 0.1 + i * 0.06, 0.1, 88 + (i % 2) * 3, 0.15, -0.6 + i * 0.3));
      }
    }
    mix->fReverb(0.3, 1.0);
  } else if (name == "pack_lock_broken.ogg") {  // a crack at once, then a bright chime
    mix = std::make_unique<QC_MIX>(1.5, false);
    QS_NOTE crack = fNote(0.0, 0.05, 0, 0.7);
    crack.frequency = 700;
    fPlay(*mix, INSTRUMENT::CLACK, crack, 31);
    fSweep(*mix, 0.0, 0.25, 5000, 800, 0.35, 32);
    fPlay(*mix, INSTRUMENT::BELL, fNote(0.08, 0.3, 84, 0.3));
    fPlay(*mix, INSTRUMENT::BELL, fNote(0.16, 0.3, 91, 0.2));
  } else if (name == "money.ogg") {  // a coin clink
    mix = std::make_unique<QC_MIX>(0.5, false);
    fPlay(*mix, INSTRUMENT::MUSIC_BOX, fNote(0.0, 0.05, 95, 0.3, 0.2));
    fPlay(*mix, INSTRUMENT::MUSIC_BOX, fNote(0.05, 0.05, 100, 0.22, -0.2));
  }
  if (!mix) return nullptr;
  mix->fFadeOut(0.05);
  mix->fNormalize(0.7);
  return mix;
}

}  // namespace QOR::AUDIO
