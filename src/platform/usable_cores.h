// How many processor cores this process may run on.
#pragma once

namespace zendrift::platform {

// The cores in the process's affinity mask (a program started with `taskset -c 0` gets 1), or
// all the machine's when the mask cannot be read; at least 1.
unsigned usableCores() noexcept;

}  // namespace zendrift::platform
