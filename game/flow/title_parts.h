// What the title screen owns: its picture, the panel at the bottom edge and the panel's three
// buttons. The manager holds one; it frees what it holds (pictures given back) when rebuilt or
// when the manager goes.
#pragma once

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_SPRITE;
}  // namespace QOR

struct TITLE_PARTS {
  TITLE_PARTS() = default;
  ~TITLE_PARTS() { Free(); }
  TITLE_PARTS(const TITLE_PARTS&) = delete;
  TITLE_PARTS& operator=(const TITLE_PARTS&) = delete;

  // Deletes every object and gives its picture back; all null afterwards.
  void Free();
  // Adds dy to the y of the panel and of its three buttons (they always move together).
  void Move(float dy);

  QOR::QC_SPRITE* back = nullptr;
  QOR::QC_SPRITE* panel = nullptr;  // the buttons always move with it
  QOR::QC_IMAGE_BUTTON* playButton = nullptr;
  QOR::QC_IMAGE_BUTTON* quitButton = nullptr;
  QOR::QC_IMAGE_BUTTON* playersButton = nullptr;
};
