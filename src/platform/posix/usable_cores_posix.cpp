// Counting the usable cores on Linux.
#include <sched.h>

#include <algorithm>
#include <thread>

#include "platform/usable_cores.h"

namespace zendrift::platform {

unsigned usableCores() noexcept {
  cpu_set_t cores;
  CPU_ZERO(&cores);
  // A machine with more cores than a cpu_set_t holds fails here and counts them all.
  if (::sched_getaffinity(0, sizeof(cores), &cores) == 0) {
    const int count = CPU_COUNT(&cores);
    if (count > 0) return static_cast<unsigned>(count);
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace zendrift::platform
