#include "tests/data/data_fixture.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace qor_test {

std::filesystem::path fResourcesDir() { return QOR_TEST_RESOURCES_DIR; }
std::filesystem::path fStagingDir() { return QOR_TEST_STAGING_DIR; }
std::filesystem::path fDataSourceDir() { return QOR_TEST_DATA_SOURCE_DIR; }
std::filesystem::path fBuilderProgram() { return QOR_TEST_DATA_BUILDER; }

const std::vector<std::string>& fUnregisteredFolders() {
  static const std::vector<std::string> kFolders = {"data/buttons/", "data/buttons/labels/"};
  return kFolders;
}

GAME_LOOKUP& fLookup() {
  static QOR::QC_FILE_SYSTEM files(fResourcesDir().parent_path().string());
  static GAME_LOOKUP lookup(files, fUnregisteredFolders());
  return lookup;
}

std::string fResourceBytes(const std::string& lookup, bool loose) {
  std::string bytes;
  std::string why;
  const bool found = loose ? fLookup().fLoadLoose(lookup, bytes, why) : fLookup().fLoad(lookup, bytes, why);
  EXPECT_TRUE(found) << lookup << ": " << why;
  return bytes;
}

bool fDecodePicture(const std::string& bytes, QS_PICTURE_INFO& info, std::string& why) {
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                          static_cast<int>(bytes.size()), &info.width, &info.height, &channels, 4);
  if (pixels == nullptr) {
    why = std::string("does not decode: ") + stbi_failure_reason();
    return false;
  }
  stbi_image_free(pixels);
  return true;
}

namespace {

struct MEMORY {
  const std::string* bytes;
  std::size_t position;
};

std::size_t readMemory(void* out, std::size_t size, std::size_t count, void* source) {
  auto* memory = static_cast<MEMORY*>(source);
  if (size == 0) return 0;
  const std::size_t left = memory->bytes->size() - memory->position;
  const std::size_t items = std::min(count, left / size);
  std::memcpy(out, memory->bytes->data() + memory->position, items * size);
  memory->position += items * size;
  return items;
}

int seekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* memory = static_cast<MEMORY*>(source);
  const ogg_int64_t base = whence == SEEK_SET ? 0
                           : whence == SEEK_CUR ? static_cast<ogg_int64_t>(memory->position)
                                                : static_cast<ogg_int64_t>(memory->bytes->size());
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(memory->bytes->size())) return -1;
  memory->position = static_cast<std::size_t>(target);
  return 0;
}

long tellMemory(void* source) { return static_cast<long>(static_cast<MEMORY*>(source)->position); }

}  // namespace

bool fDecodeOgg(const std::string& bytes, QS_SOUND_INFO& info, std::string& why) {
  MEMORY memory{&bytes, 0};
  const ov_callbacks callbacks{readMemory, seekMemory, nullptr, tellMemory};
  OggVorbis_File file;
  if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) < 0) {
    why = "not an Ogg Vorbis stream";
    return false;
  }
  const vorbis_info* vi = ov_info(&file, -1);
  info.channels = vi->channels;
  info.rate = vi->rate;
  long frames = 0;
  char buffer[8192];
  int section = 0;
  bool ok = true;
  for (;;) {
    const long got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section);
    if (got == 0) break;
    if (got < 0) {
      why = "a hole or corrupt data in the stream";
      ok = false;
      break;
    }
    const auto* samples = reinterpret_cast<const short*>(buffer);
    for (long i = 0; i < got / 2; ++i)
      info.peak = std::max(info.peak, std::abs(static_cast<float>(samples[i])) / 32768.0f);
    frames += got / (2 * info.channels);
  }
  ov_clear(&file);
  info.seconds = info.rate > 0 ? static_cast<double>(frames) / static_cast<double>(info.rate) : 0.0;
  return ok;
}

}  // namespace qor_test
