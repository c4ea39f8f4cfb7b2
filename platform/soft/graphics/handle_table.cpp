// The handle table behind every GDI and window handle, and the live-object
// count that tests read.
#include "platform/soft/graphics/handle_table.h"

#include <deque>
#include <mutex>
#include <vector>

#include "platform/soft/graphics/handle_visit.h"
#include "platform/soft/soft.h"

namespace soft {
namespace {

// A handle is tag | generation | slot index + 1. The tag sits in bits that no
// user-space pointer or small integer has set (on 64-bit builds), so foreign
// values are never mistaken for handles; the generation catches stale ones.
constexpr int kIndexBits = 20;
constexpr int kTagBits = sizeof(std::uintptr_t) == 8 ? 12 : 0;
constexpr int kGenerationBits = static_cast<int>(sizeof(std::uintptr_t) * 8) - kIndexBits - kTagBits;
constexpr std::uintptr_t kIndexMask = (std::uintptr_t{1} << kIndexBits) - 1;
constexpr std::uintptr_t kGenerationMask = (std::uintptr_t{1} << kGenerationBits) - 1;
constexpr std::uintptr_t kTag = static_cast<std::uintptr_t>(std::uint64_t{0x5D1} << 52);
constexpr std::uintptr_t kTagMask = static_cast<std::uintptr_t>(std::uint64_t{0xFFF} << 52);
constexpr std::size_t kMaxSlots = kIndexMask;  // index + 1 must fit the index bits

struct Slot {
  std::shared_ptr<Object> object;
  std::uintptr_t generation = 1;
};

class HandleTable {
 public:
  HANDLE Insert(std::shared_ptr<Object> object) {
    if (object == nullptr) return nullptr;
    std::lock_guard lock(mutex_);
    std::size_t index;
    if (!free_.empty()) {
      index = free_.front();
      free_.pop_front();
    } else if (slots_.size() < kMaxSlots) {
      index = slots_.size();
      slots_.emplace_back();
    } else {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    slots_[index].object = std::move(object);
    return Encode(index, slots_[index].generation);
  }

  std::shared_ptr<Object> Find(HANDLE handle) {
    std::lock_guard lock(mutex_);
    Slot* slot = SlotOf(handle);
    return slot != nullptr ? slot->object : nullptr;
  }

  // The caller drops the table's reference after the lock: an object is
  // never destroyed under it.
  std::shared_ptr<Object> Remove(HANDLE handle) {
    std::lock_guard lock(mutex_);
    Slot* slot = SlotOf(handle);
    if (slot == nullptr) return nullptr;
    slot->generation = (slot->generation + 1) & kGenerationMask;
    if (slot->generation == 0) slot->generation = 1;
    // First in, first out: a freed slot is reused as late as possible.
    free_.push_back(static_cast<std::size_t>(slot - slots_.data()));
    return std::move(slot->object);
  }

  bool Visit(HANDLE handle, const std::function<void(Object&)>& visit) {
    std::lock_guard lock(mutex_);
    Slot* slot = SlotOf(handle);
    if (slot == nullptr) return false;
    visit(*slot->object);
    return true;
  }

  LiveCounts Count() {
    std::lock_guard lock(mutex_);
    LiveCounts counts;
    for (const Slot& slot : slots_) {
      if (slot.object == nullptr || slot.object->stock) continue;
      switch (slot.object->kind) {
        case Kind::Pen: ++counts.pens; break;
        case Kind::Brush: ++counts.brushes; break;
        case Kind::Font: ++counts.fonts; break;
        case Kind::Bitmap: ++counts.bitmaps; break;
        case Kind::Dc: ++counts.dcs; break;
        case Kind::Window: ++counts.windows; break;
      }
    }
    return counts;
  }

 private:
  static HANDLE Encode(std::size_t index, std::uintptr_t generation) {
    const std::uintptr_t value = kTag | (generation << kIndexBits) | (index + 1);
    return reinterpret_cast<HANDLE>(value);
  }

  // The live slot that handle names, or nullptr. The mutex is held.
  Slot* SlotOf(HANDLE handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if ((value & kTagMask) != kTag) return nullptr;
    const std::uintptr_t index_plus_one = value & kIndexMask;
    if (index_plus_one == 0 || index_plus_one > slots_.size()) return nullptr;
    Slot& slot = slots_[index_plus_one - 1];
    const std::uintptr_t generation = (value >> kIndexBits) & kGenerationMask;
    if (slot.object == nullptr || slot.generation != generation) return nullptr;
    return &slot;
  }

  // Lock order: the window registry's lock, then this one, then, in a visit
  // only, the visited window's own lock (to take its client target). Nothing
  // else is locked, and no object destroyed, while this one is held; a
  // lookup's reference is what keeps an object alive after it.
  std::mutex mutex_;
  std::vector<Slot> slots_;
  std::deque<std::size_t> free_;
};

// The objects' state: the handle table (its own mutex guards it).
struct ObjectState {
  HandleTable table;
};

// Never destroyed: a thread that is still drawing while the process exits
// must not find the table gone.
ObjectState& State() {
  static ObjectState* const state = new ObjectState;
  return *state;
}

}  // namespace

HANDLE Insert(std::shared_ptr<Object> object) { return State().table.Insert(std::move(object)); }

std::shared_ptr<Object> Find(HANDLE handle) { return State().table.Find(handle); }

std::shared_ptr<Object> Remove(HANDLE handle) { return State().table.Remove(handle); }

bool VisitLocked(HANDLE handle, const std::function<void(Object&)>& visit) {
  return State().table.Visit(handle, visit);
}

LiveCounts CountLive() { return State().table.Count(); }

}  // namespace soft
