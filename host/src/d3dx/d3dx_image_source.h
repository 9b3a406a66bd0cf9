// The pixel source of a texture made from an image: its bytes (a copy, or a reader the caller
// gave), decoded and converted to the texture's size and byte order whenever they are wanted.
#pragma once

#include "host/image_source.h"
#include "host/src/d3d9/device_objects.h"
#include "host/src/d3dx/d3dx_image.h"

namespace host_d3dx {

class ImageSource final : public host_d3d::PixelSource {
 public:
  ImageSource(host_image::IMAGE_READER read, UINT width, UINT height, D3DFORMAT format, D3DCOLOR colorKey);
  bool fPixels(std::vector<std::uint8_t>& pixels) override;
  void fSetReader(host_image::IMAGE_READER read) { read_ = std::move(read); }

 private:
  host_image::IMAGE_READER read_;
  UINT width_;
  UINT height_;
  D3DFORMAT format_;
  D3DCOLOR colorKey_;
  bool told_ = false;  // a failed read or decode was logged
};

// Writes the decoded image into rows of width x height pixels, pitch bytes apart, in format,
// resampled to the nearest pixel when the sizes differ; the colour key (when not 0) becomes
// transparent black.
void fConvertImage(const DecodedImage& image, std::uint8_t* rows, std::size_t pitch, UINT width, UINT height,
                   D3DFORMAT format, D3DCOLOR colorKey);

}  // namespace host_d3dx
