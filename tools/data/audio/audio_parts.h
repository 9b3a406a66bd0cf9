// The pieces the audio step is made of: the sound effects and the music tracks, each rendered as
// a stereo mix by the synthesiser.
#pragma once

#include "tools/data/audio/qc_synth.h"

#include <memory>
#include <string>

namespace QOR::AUDIO {

// The effect of that file name ("button_click.ogg" ...), or null for a name that is none.
std::unique_ptr<QC_MIX> fMakeEffect(const std::string& name);

// Music track 1..6 ("track01.ogg" ...): a seamless loop of a minute or more; null otherwise.
std::unique_ptr<QC_MIX> fMakeTrack(int track);

}  // namespace QOR::AUDIO
