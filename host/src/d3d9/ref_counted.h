// The reference counting every device object shares: created with one reference, destroyed when
// Release drops the last one.
#pragma once

#include "host/d3d9.h"

namespace host_d3d {

template <class Interface>
class RefCounted : public Interface {
 public:
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    fOnRelease();
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  ULONG fRefCount() const { return refs_; }

 protected:
  ~RefCounted() override = default;
  // Called at the start of every Release (the recording device notes it).
  virtual void fOnRelease() {}

 private:
  ULONG refs_ = 1;
};

}  // namespace host_d3d
