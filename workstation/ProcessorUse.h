#pragma once
// A process's processor use as "ps -o pcpu" gives it, read from /proc on
// Linux without a shell: its processor time over the time since it started,
// in percent. A process that is not running, or cannot be read, gives 0.0.

#include <cstdint>

namespace rw {

float processorUseOfProcess(std::int32_t processIdentifier);

}  // namespace rw
