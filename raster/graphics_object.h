// What pens, brushes and fonts share: a counted entry in their kind's cache,
// the hook through which the owning canvas hears of changes, and that
// canvas's lock, taken while a description changes.
#pragma once

#include <functional>
#include <memory>

#include "raster/critical_section.h"
#include "raster/raster_module.h"
#include "raster/resource_manager.h"

class TGraphicsObject {
 public:
  virtual ~TGraphicsObject();
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;

  // Set by the canvas that owns the object.
  void SetOnChange(std::function<void()> on_change) { on_change_ = std::move(on_change); }
  void SetOwnerLock(TCriticalSection* lock) { owner_lock_ = lock; }

 protected:
  // cache names module's cache of this kind.
  TGraphicsObject(std::shared_ptr<TRasterModule> module, TResourceManager TRasterModule::*cache,
                  const TDescriptionBytes& description);

  const TRasterModule& Module() const { return *module_; }
  TResourceManager& Cache() const { return cache_; }
  TResourceEntry& Entry() const { return *entry_; }
  TCriticalSection* OwnerLock() const { return owner_lock_; }
  void Changed();

  // Changes key, the object's description, under the owning canvas's lock:
  // edit works on a copy without the platform handle, and the cache moves
  // the object to the entry of the new description before key takes it.
  template <class Key, class Edit>
  void ChangeDescription(Key& key, Edit edit) {
    TLockScope scope(OwnerLock());
    Key changed = key;
    changed.Handle = nullptr;
    edit(changed);
    Cache().Replace(*this, DescriptionBytes(changed));
    key = changed;
  }

 private:
  friend class TResourceManager;  // Replace swaps the entry and notifies

  // Keeps the cache alive for as long as the object refers into it.
  const std::shared_ptr<TRasterModule> module_;
  TResourceManager& cache_;
  TResourceEntry* entry_;
  TCriticalSection* owner_lock_ = nullptr;
  std::function<void()> on_change_;
};
