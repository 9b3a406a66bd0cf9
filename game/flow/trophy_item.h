// One trophy as the shelf and the award box show it: its picture (standing on its bottom centre),
// its title and its description. A negative id gives the concealed look of the trophy: the
// "concealed.png" picture with the trophy's own title and description.
#pragma once

#include <string>

namespace pugi {
class xml_node;
}

namespace QOR {
class QC_FONT;
class QC_LOCMAN;
class QC_SPRITE;
}  // namespace QOR

class TROPHY_ITEM {
 public:
  // The trophy |id| from the `trophy` children of trophies.xml (the document itself), its texts
  // from the string table (null: "not found"), its picture at its place on the shelf. An id
  // missing from the file gives an empty picture name and "not found" texts.
  TROPHY_ITEM(int id, const pugi::xml_node& trophies, const QOR::QC_LOCMAN* strings);
  // Deletes the picture and gives its image back.
  ~TROPHY_ITEM();
  TROPHY_ITEM(const TROPHY_ITEM&) = delete;
  TROPHY_ITEM& operator=(const TROPHY_ITEM&) = delete;

  // Page 2 of the shelf lies this far right of page 1.
  static constexpr int kPageOffset = 1425;

  // The shelf place of trophy id on a screen of width x height (page 2 lies kPageOffset further
  // right); (-1000, -1000) for an id that has no place.
  static void fPlace(int id, int width, int height, int& x, int& y);

  // The picture; then, unless both texts are empty, the title (titleFont) and under it the
  // description (textFont), top-left aligned right of the picture. Missing fonts draw nothing.
  void fRender(QOR::QC_FONT* titleFont, QOR::QC_FONT* textFont);
  // The picture's position (z 0).
  void fSetPosition(float x, float y);
  void fGetPosition(float& x, float& y) const;

  QOR::QC_SPRITE* fGetPicture() const { return _picture; }
  const std::wstring& fGetTitle() const { return _title; }
  const std::wstring& fGetDescription() const { return _description; }
  int fGetId() const { return _id; }
  bool isConcealed() const { return _concealed; }

 private:
  QOR::QC_SPRITE* _picture = nullptr;
  std::wstring _title;
  std::wstring _description;
  int _id = 0;  // never negative
  bool _concealed = false;
};
