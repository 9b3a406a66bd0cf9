// The sound mixer: one OpenAL device and context and every sound made on it.
#pragma once

namespace QOR {

class QC_MIXER {
 public:
  QC_MIXER();

  // Opens the audio device; 1 on success, -113 when there is no audio context.
  int fInit();
  // Refills every streaming sound; the sound thread calls it under engine lock 1.
  void fUpdate();

 private:
  bool _open = false;
};

}  // namespace QOR
