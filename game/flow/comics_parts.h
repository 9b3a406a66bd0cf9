// What the start comic and the final screen own: the pictures, the lettered caption with its
// render target, the page shown, and the button they share with the level completion panel. The
// black mask is their dark back, faded by the screen fade. The manager holds one; it frees what it
// holds when the manager goes.
#pragma once

namespace QOR {
class QC_IMAGE_BUTTON;
class QC_SPRITE;
class QC_TEXTURE_INFO;
struct QC_RENDER_TARGET;
}  // namespace QOR

struct COMICS_PARTS {
  COMICS_PARTS() = default;
  ~COMICS_PARTS() { Free(); }
  COMICS_PARTS(const COMICS_PARTS&) = delete;
  COMICS_PARTS& operator=(const COMICS_PARTS&) = delete;

  // Deletes every object and gives its picture back (the render target to the renderer); all
  // null afterwards.
  void Free();
  // Gives the pictures back and deletes them (all null afterwards).
  void DeletePictures();

  QOR::QC_IMAGE_BUTTON* nextButton = nullptr;  // the comic's, the final screen's and the completion's, made once
  // Pictures 1, 2 and 3 of the comic's first page; picture 1 also shows page 2, and on the final
  // screen the closing picture.
  QOR::QC_SPRITE* pictures[3] = {};
  QOR::QC_SPRITE* caption = nullptr;            // the lettered caption, null when it has no text
  QOR::QC_RENDER_TARGET* target = nullptr;      // the caption's 1024 x 768 target, made once
  QOR::QC_TEXTURE_INFO* targetImage = nullptr;  // the target's texture as the caption's image
  int page = 1;                                 // 1 pictures, 2 full page, 3 leaving
};
