// Counting the usable cores on Windows.
#include <windows.h>

#include <algorithm>
#include <bit>
#include <thread>

#include "platform/usable_cores.h"

namespace zendrift::platform {

unsigned usableCores() noexcept {
  DWORD_PTR process = 0;
  DWORD_PTR system = 0;
  // Both masks are 0 when the process runs in several processor groups; all cores count then.
  if (::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system) && process != 0) {
    return static_cast<unsigned>(std::popcount(static_cast<unsigned long long>(process)));
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace zendrift::platform
