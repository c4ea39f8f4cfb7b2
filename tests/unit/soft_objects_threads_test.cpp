// One thread draws with a pen while another deletes it: the drawing thread
// finds the pen alive, or its handle stale, never freed memory
// (AddressSanitizer and ThreadSanitizer watch this), and nothing is left over.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/soft/soft.h"
#include "soft_section.h"

namespace {

TEST(ObjectThreads, DrawingWithAnObjectAnotherThreadDeletes) {
  const soft::LiveCounts before = soft::CountLive();
  std::atomic<HGDIOBJ> current{nullptr};
  std::atomic<bool> done{false};
  std::atomic<int> failed_deletions{0};
  std::thread deleter([&] {
    for (int i = 0; i < 100000; ++i) {
      const HPEN pen = MakePen(0x808080);
      current.store(pen);
      // Refused only while the drawing thread has the pen selected.
      while (!DeleteObject(pen)) failed_deletions += GetLastError() != ERROR_BUSY;
    }
    done.store(true);
  });
  {
    Section section(16, 16);
    while (!done.load()) {
      const HGDIOBJ pen = current.load();
      LOGPEN description;
      GetObjectA(pen, sizeof description, &description);
      const HGDIOBJ previous = SelectObject(section.dc(), pen);
      if (previous == nullptr) continue;  // deleted meanwhile: a stale handle
      LineTo(section.dc(), 15, 15);
      SelectObject(section.dc(), previous);
    }
  }
  deleter.join();
  EXPECT_EQ(failed_deletions.load(), 0);
  EXPECT_EQ(soft::CountLive(), before) << "an object outlived its handle";
}

}  // namespace
