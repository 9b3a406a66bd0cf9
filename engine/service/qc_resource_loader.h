// The resource loader: records of every registered resource and their subscriptions.
#pragma once

#include "engine/files/qs_resource.h"

namespace QOR {

class QC_RESOURCE_LOADER {
 public:
  QC_RESOURCE_LOADER() = default;

  // The record whose data is this pointer, or null.
  QS_RESOURCE* fFindByData(const void* data);
  // Drops one subscription of the image holding this texture; false when no record holds it.
  bool fUnscribeImage(const void* texture);
};

}  // namespace QOR
