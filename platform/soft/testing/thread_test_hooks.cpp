// The system's thread creation, as the platform's CreateThread sees it in
// test programs: they link with --wrap=pthread_create, so the platform's call
// comes here and goes on to the real one unless a test wants it to fail.
#include <pthread.h>

#include <atomic>
#include <cerrno>

#include "tests/support/platform_probe.h"

namespace {

std::atomic<bool> creation_fails{false};

}  // namespace

extern "C" int __real_pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                                     void* (*start)(void*), void* argument);

extern "C" int __wrap_pthread_create(pthread_t* thread, const pthread_attr_t* attributes,
                                     void* (*start)(void*), void* argument) {
  if (creation_fails.load()) return EAGAIN;
  return __real_pthread_create(thread, attributes, start, argument);
}

void probe::SetThreadCreationFails(bool fails) { creation_fails.store(fails); }
