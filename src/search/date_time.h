// Date-times as the filters take them (days since 1899-12-30, local time) and their conversion
// to the file times that listed entries carry.
#pragma once

#include "platform/file_attributes.h"
#include "platform/result.h"

namespace zendrift::search {

// Days since 1899-12-30 as a double; the fraction is the time of day.
using DateTime = double;

// 1980-01-01 00:00, the earliest date a DOS date can hold.
inline constexpr DateTime kDosEpochDateTime = 29221.0;

// The local date-time as a UTC file time at DOS resolution (two seconds, rounded down).
// invalid_argument when the date lies outside the years 1980 to 2107 or the local time cannot be
// converted.
platform::Result<platform::FileTime> dosFileTimeFromLocal(DateTime value);

}  // namespace zendrift::search
