#include "tools/data/audio/audio_steps.h"

#include "tools/data/art/art_list.h"
#include "tools/data/audio/audio_parts.h"
#include "tools/data/audio/qc_ogg_writer.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace QOR {

int fMakeAudio(const std::filesystem::path& stagingDir) {
  std::vector<const QS_DATA_ITEM*> items;
  for (const QS_DATA_ITEM& item : fArtList()) {
    if (item.step == kStepAudio) items.push_back(&item);
  }
  // The music tracks take longest: start them first.
  std::stable_sort(items.begin(), items.end(), [](const QS_DATA_ITEM* a, const QS_DATA_ITEM* b) {
    return a->kind == DATA_KIND::MUSIC && b->kind != DATA_KIND::MUSIC;
  });
  std::atomic<int> next{0};
  std::atomic<int> failures{0};
  auto worker = [&]() {
    for (int i = next.fetch_add(1); i < static_cast<int>(items.size()); i = next.fetch_add(1)) {
      const QS_DATA_ITEM& item = *items[static_cast<std::size_t>(i)];
      std::unique_ptr<AUDIO::QC_MIX> mix;
      float quality = 0.3f;
      if (item.kind == DATA_KIND::MUSIC) {
        int track = 0;
        std::sscanf(item.entry.c_str(), "track%d.ogg", &track);
        mix = AUDIO::fMakeTrack(track);
      } else {
        mix = AUDIO::fMakeEffect(item.entry);
        quality = 0.4f;
      }
      if (!mix) {
        std::fprintf(stderr, "audio: nothing makes %s\n", item.entry.c_str());
        failures.fetch_add(1);
        continue;
      }
      if (!AUDIO::fWriteVorbis(*mix, quality, stagingDir / item.file)) failures.fetch_add(1);
    }
  };
  const int threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
  return failures.load() == 0 ? 0 : 1;
}

}  // namespace QOR
