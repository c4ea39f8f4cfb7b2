// The caches of platform pens, brushes and fonts. Equal descriptions share one
// entry and so one platform object, which is made when first needed and
// deleted when the last user lets go.
#pragma once

#include <atomic>
#include <cstdint>
#include <list>
#include <span>

#include "platform/win32.h"
#include "raster/critical_section.h"
#include "raster/descriptions.h"

class TGraphicsObject;

struct TResourceEntry {
  int count = 0;
  // Read without the lock by Realise's fast path, hence atomic.
  std::atomic<HGDIOBJ> handle{nullptr};
  std::uint16_t hash = 0;
  TDescriptionBytes description;
  bool made_here = false;  // made by Realise rather than adopted from a description
};

class TResourceManager {
 public:
  // Every description this cache keys on has description_size bytes and
  // begins with its handle field.
  explicit TResourceManager(std::size_t description_size);
  TResourceManager(const TResourceManager&) = delete;
  TResourceManager& operator=(const TResourceManager&) = delete;

  static std::uint16_t Hash(std::span<const std::uint8_t> description);

  TResourceEntry* Acquire(const TDescriptionBytes& description);
  void Release(TResourceEntry* entry);
  // Gives object the entry of description. The object is notified before its
  // old entry goes, so a platform object is never deleted while selected.
  void Replace(TGraphicsObject& object, const TDescriptionBytes& description);

  // The entry's platform object, made by make() at most once per entry.
  template <class Make>
  HGDIOBJ Realise(TResourceEntry& entry, Make make) {
    if (HGDIOBJ handle = entry.handle.load(std::memory_order_acquire)) return handle;
    TLockScope scope(lock_);
    if (entry.handle.load(std::memory_order_relaxed) == nullptr) {
      entry.handle.store(make(), std::memory_order_release);
      entry.made_here = true;
    }
    return entry.handle.load(std::memory_order_relaxed);
  }

  // Whether one of this cache's entries made the platform object handle
  // itself (and so will delete it).
  bool MadeHandle(HGDIOBJ handle);
  std::size_t EntryCount();

 private:
  const std::size_t description_size_;
  TCriticalSection lock_;
  std::list<TResourceEntry> entries_;  // newest first
};
