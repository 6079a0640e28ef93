// Change notification, update batches and locks of every map, and the size
// logic shared by all maps.
#include <algorithm>
#include <mutex>

#include "raster/bitmap32.h"
#include "raster/errors.h"

namespace gradoir {
namespace {

// Guards the LockCount of every object; held only for the count itself.
std::mutex& LockCountGuard() {
  static std::mutex guard;
  return guard;
}

}  // namespace

void TThreadPersistent::NotifyChanged() {
  if (update_count_ == 0 && OnChange) OnChange(this);
}

void TThreadPersistent::StartUpdate() { ++update_count_; }

void TThreadPersistent::EndUpdate() {
  if (update_count_ <= 0) throw EAssertionFailed("Unpaired TThreadPersistent.EndUpdate");
  --update_count_;
}

void TThreadPersistent::EnterLock() {
  {
    std::lock_guard<std::mutex> guard(LockCountGuard());
    ++lock_count_;
  }
  lock_.lock();
}

void TThreadPersistent::LeaveLock() {
  {
    std::lock_guard<std::mutex> guard(LockCountGuard());
    if (lock_count_ <= 0) throw EAssertionFailed("Unpaired TThreadPersistent.LeaveLock");
  }
  lock_.unlock();
  std::lock_guard<std::mutex> guard(LockCountGuard());
  --lock_count_;
}

std::int32_t TThreadPersistent::LockCount() const {
  std::lock_guard<std::mutex> guard(LockCountGuard());
  return lock_count_;
}

bool TCustomMap::SetBitmapSize(std::int32_t new_width, std::int32_t new_height) {
  new_width = std::max(new_width, 0);
  new_height = std::max(new_height, 0);
  if (new_width == width_ && new_height == height_) return false;
  ResizeStorage(new_width, new_height);
  NotifyChanged();
  NotifyResized();
  return true;
}

void TCustomMap::NotifyResized() {
  if (OnResize) OnResize(this);
}

}  // namespace gradoir
