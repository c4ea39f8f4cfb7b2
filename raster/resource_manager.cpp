#include "raster/resource_manager.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "raster/graphics_object.h"

TResourceManager::TResourceManager(std::size_t description_size)
    : description_size_(description_size) {}

std::uint16_t TResourceManager::Hash(std::span<const std::uint8_t> description) {
  std::uint16_t hash = 0;
  for (std::uint8_t byte : description) {
    hash = static_cast<std::uint16_t>((hash << 5) | (hash >> 11));
    hash ^= byte;
  }
  return hash;
}

TResourceEntry* TResourceManager::Acquire(const TDescriptionBytes& description) {
  assert(description.size() == description_size_);
  const std::uint16_t hash = Hash(description);
  TLockScope scope(lock_);
  auto found = std::find_if(entries_.begin(), entries_.end(), [&](const TResourceEntry& entry) {
    return entry.hash == hash && entry.description == description;
  });
  if (found == entries_.end()) {
    TResourceEntry& entry = entries_.emplace_front();
    entry.hash = hash;
    entry.description = description;
    HGDIOBJ described = nullptr;
    std::memcpy(&described, description.data(), sizeof(described));
    entry.handle.store(described, std::memory_order_relaxed);
    found = entries_.begin();
  }
  ++found->count;
  return &*found;
}

void TResourceManager::Release(TResourceEntry* entry) {
  HGDIOBJ orphan = nullptr;
  bool last = false;
  {
    TLockScope scope(lock_);
    if (--entry->count == 0) {
      last = true;
      orphan = entry->handle.load(std::memory_order_relaxed);
      entries_.remove_if([entry](const TResourceEntry& candidate) { return &candidate == entry; });
    }
  }
  if (last && orphan != nullptr) DeleteObject(orphan);
}

void TResourceManager::Replace(TGraphicsObject& object, const TDescriptionBytes& description) {
  TLockScope scope(lock_);
  TResourceEntry* old_entry = object.entry_;
  TResourceEntry* new_entry = Acquire(description);
  object.entry_ = new_entry;
  if (new_entry != old_entry) object.Changed();
  Release(old_entry);
}

bool TResourceManager::MadeHandle(HGDIOBJ handle) {
  TLockScope scope(lock_);
  return std::any_of(entries_.begin(), entries_.end(), [handle](const TResourceEntry& entry) {
    return entry.made_here && entry.handle.load(std::memory_order_relaxed) == handle;
  });
}

std::size_t TResourceManager::EntryCount() {
  TLockScope scope(lock_);
  return entries_.size();
}
