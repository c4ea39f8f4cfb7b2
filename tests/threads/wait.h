// Waiting for what another thread does, without betting on how long it takes.
#pragma once

#include <chrono>
#include <thread>

// Waits until condition holds, for at most a generous ten seconds; says
// whether it came.
template <class Condition>
bool WaitUntil(Condition condition) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::yield();
  }
  return true;
}
