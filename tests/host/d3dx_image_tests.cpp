// The D3DX image calls: information and pixels of PNG and JPEG images, conversion to the asked
// format, the colour key, and data that is not an image.
#include "host/d3dx9.h"
#include "host/recording_device.h"
#include "tests/host/image_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <sstream>

namespace {

class D3dxImages : public ::testing::Test {
 protected:
  void SetUp() override {
    host_test::fUseRecordingDevice(true);
    host_test::fResetRecording();
    d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS p{};
    p.BackBufferWidth = 64;
    p.BackBufferHeight = 64;
    ASSERT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &p, &device), D3D_OK);
  }
  void TearDown() override {
    if (device != nullptr) device->Release();
    d3d->Release();
  }

  std::uint32_t word(IDirect3DTexture9* texture, int x, int y) {
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    std::uint32_t value = 0;
    std::memcpy(&value, static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch + x * 4, 4);
    texture->UnlockRect(0);
    return value;
  }

  IDirect3D9* d3d = nullptr;
  IDirect3DDevice9* device = nullptr;
};

TEST_F(D3dxImages, PngInformationAndPixelsInTheAskedFormats) {
  const auto png = image_bytes::fPng(5, 3, image_bytes::fMarkedRgba(5, 3, 0x11223344u, 0xAABBCCDDu));
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(D3DXGetImageInfoFromFileInMemory(png.data(), static_cast<UINT>(png.size()), &info), D3D_OK);
  EXPECT_EQ(info.Width, 5u);
  EXPECT_EQ(info.Height, 3u);
  EXPECT_EQ(info.MipLevels, 1u);
  EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8);
  EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);

  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, png.data(), static_cast<UINT>(png.size()), D3DX_DEFAULT,
                                                D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                                D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &texture),
            D3D_OK);
  EXPECT_EQ(word(texture, 0, 0), 0xDDAABBCCu);  // ARGB word
  EXPECT_EQ(word(texture, 4, 2), 0x44112233u);
  texture->Release();
  ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, png.data(), static_cast<UINT>(png.size()), 5, 3, 1, 0,
                                                D3DFMT_A8B8G8R8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                                nullptr, nullptr, &texture),
            D3D_OK);
  EXPECT_EQ(word(texture, 0, 0), 0xDDCCBBAAu);  // bytes R, G, B, A
  texture->Release();
}

TEST_F(D3dxImages, ColourKeyBecomesTransparentBlackAndSizesResample) {
  const auto png = image_bytes::fPng(2, 2, image_bytes::fMarkedRgba(2, 2, 0x00FF00FFu, 0xFF0000FFu));
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, png.data(), static_cast<UINT>(png.size()), 4, 4, 1, 0,
                                                D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
                                                0xFF00FF00u, nullptr, nullptr, &texture),
            D3D_OK);
  D3DSURFACE_DESC desc{};
  texture->GetLevelDesc(0, &desc);
  EXPECT_EQ(desc.Width, 4u);
  EXPECT_EQ(word(texture, 1, 1), 0xFFFF0000u);
  EXPECT_EQ(word(texture, 3, 3), 0u);
  texture->Release();
}

// At the image's own size every pixel of a random picture lands in each format's byte order:
// RGBA bytes, BGRA bytes, BGRA with the alpha made opaque; the colour key clears its pixels.
TEST_F(D3dxImages, EveryPixelAtTheImagesOwnSizeInEachFormat) {
  const int w = 7;
  const int h = 5;
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(w) * h * 4);
  std::uint32_t seed = 12345;
  for (std::uint8_t& byte : rgba) {
    seed = seed * 1103515245u + 12345u;
    byte = static_cast<std::uint8_t>(seed >> 16);
  }
  // Pixel (3, 2) carries the colour key.
  const std::size_t keyed = (2 * w + 3) * 4;
  rgba[keyed] = 0x12;
  rgba[keyed + 1] = 0x34;
  rgba[keyed + 2] = 0x56;
  rgba[keyed + 3] = 0xFF;
  const auto png = image_bytes::fPng(w, h, rgba);
  for (const D3DFORMAT format : {D3DFMT_A8B8G8R8, D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8}) {
    for (const D3DCOLOR key : {D3DCOLOR{0}, D3DCOLOR{0xFF123456u}}) {
      IDirect3DTexture9* texture = nullptr;
      ASSERT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, png.data(), static_cast<UINT>(png.size()), D3DX_DEFAULT,
                                                    D3DX_DEFAULT, 1, 0, format, D3DPOOL_MANAGED, D3DX_DEFAULT,
                                                    D3DX_DEFAULT, key, nullptr, nullptr, &texture),
                D3D_OK);
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * w + x) * 4;
          const bool cleared = key != 0 && x == 3 && y == 2;
          const std::uint32_t r = cleared ? 0 : p[0];
          const std::uint32_t g = cleared ? 0 : p[1];
          const std::uint32_t b = cleared ? 0 : p[2];
          const std::uint32_t a = format == D3DFMT_X8R8G8B8 ? 255u : (cleared ? 0u : p[3]);
          // Words read little-endian: RGBA bytes give ABGR, BGRA bytes give ARGB.
          const std::uint32_t expected = format == D3DFMT_A8B8G8R8 ? (a << 24) | (b << 16) | (g << 8) | r
                                                                   : (a << 24) | (r << 16) | (g << 8) | b;
          ASSERT_EQ(word(texture, x, y), expected) << "format " << format << " key " << key << " at " << x << ", " << y;
        }
      }
      texture->Release();
    }
  }
}

TEST_F(D3dxImages, JpegReportsItsSizeAndThreeChannels) {
  const std::vector<std::uint8_t> rgb(16 * 8 * 3, 128);
  const auto jpeg = image_bytes::fJpeg(16, 8, rgb);
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(D3DXGetImageInfoFromFileInMemory(jpeg.data(), static_cast<UINT>(jpeg.size()), &info), D3D_OK);
  EXPECT_EQ(info.Width, 16u);
  EXPECT_EQ(info.Height, 8u);
  EXPECT_EQ(info.Format, D3DFMT_R8G8B8);
  EXPECT_EQ(info.ImageFileFormat, D3DXIFF_JPG);
}

TEST_F(D3dxImages, DataThatIsNoImageIsRefused) {
  const std::vector<std::uint8_t> noise(64, 0x33);
  D3DXIMAGE_INFO info{};
  IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(&info);
  EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(noise.data(), 64, &info), D3DXERR_INVALIDDATA);
  EXPECT_EQ(D3DXCreateTextureFromFileInMemoryEx(device, noise.data(), 64, 0, 0, 0, 0, D3DFMT_UNKNOWN,
                                                D3DPOOL_MANAGED, 0, 0, 0, nullptr, nullptr, &texture),
            D3DXERR_INVALIDDATA);
  EXPECT_EQ(texture, nullptr);
  EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(nullptr, 10, &info), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXGetImageInfoFromFileA("/no/such/file.png", &info), D3DERR_NOTAVAILABLE);
  // A PNG header claiming a side beyond what a device makes is refused before decoding.
  auto png = image_bytes::fPng(4, 4, image_bytes::fMarkedRgba(4, 4, 0xFFFFFFFFu, 0xFFFFFFFFu));
  png[16] = 0x00;
  png[17] = 0x01;  // width 65540
  EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(png.data(), static_cast<UINT>(png.size()), &info), D3DXERR_INVALIDDATA);
}

// A texture checks only the image's header when it is made and decodes the body when its pixels
// are first wanted: a body that does not decode leaves it transparent black and is told once.
TEST_F(D3dxImages, AnImageWhoseBodyDoesNotDecodeShowsTransparentAndIsToldOnce) {
  auto png = image_bytes::fPng(8, 8, image_bytes::fMarkedRgba(8, 8, 0xFFFFFFFFu, 0xFFFFFFFFu));
  ASSERT_GT(png.size(), 60u);
  for (std::size_t at = 41; at + 12 < png.size(); ++at) png[at] = 0xFF;  // the compressed pixels
  std::ostringstream log;
  std::streambuf* const before = std::cout.rdbuf(log.rdbuf());
  IDirect3DTexture9* texture = nullptr;
  const HRESULT made = D3DXCreateTextureFromFileInMemoryEx(
      device, png.data(), static_cast<UINT>(png.size()), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
      D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &texture);
  std::uint32_t first = 1;
  std::uint32_t again = 1;
  if (made == D3D_OK) {
    first = word(texture, 3, 3);
    again = word(texture, 7, 7);
    texture->Release();
  }
  std::cout.rdbuf(before);
  ASSERT_EQ(made, D3D_OK);
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(again, 0u);
  const std::string text = log.str();
  const std::size_t told = text.find("could not be read or decoded");
  EXPECT_NE(told, std::string::npos) << text;
  EXPECT_EQ(text.find("could not be read or decoded", told + 1), std::string::npos) << "told twice:\n" << text;
}

TEST_F(D3dxImages, EmptyTexturesTakeTheirSizeAndRefuseNonsense) {
  IDirect3DTexture9* texture = nullptr;
  ASSERT_EQ(D3DXCreateTexture(device, 16, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  D3DSURFACE_DESC desc{};
  texture->GetLevelDesc(0, &desc);
  EXPECT_EQ(desc.Width, 16u);
  EXPECT_EQ(desc.Height, 8u);
  texture->Release();
  EXPECT_EQ(D3DXCreateTexture(nullptr, 16, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateTexture(device, 100000, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateTexture(device, 8, 8, 1, 0, D3DFMT_D24S8, D3DPOOL_MANAGED, &texture), D3DERR_INVALIDCALL);
}

}  // namespace
