// Local date-time to UTC file time through the DOS date and time fields.
#include "search/date_time.h"

#include <cmath>
#include <cstdint>
#include <ctime>


namespace zendrift::search {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
constexpr std::int64_t kDaysFrom1899To1970 = 25569;

struct CivilDate {
  int year;
  int month;
  int day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
CivilDate civilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<int>(year), month, day};
}

}  // namespace

platform::Result<platform::FileTime> dosFileTimeFromLocal(DateTime value) {
  // Outside this window the year cannot be 1980..2107; also keeps llround in range.
  if (!std::isfinite(value) || value < 0 || value > 100000) return std::make_error_code(std::errc::invalid_argument);
  const std::int64_t total = std::llround(value * static_cast<double>(kMillisecondsPerDay));
  const std::int64_t days = total / kMillisecondsPerDay;
  const std::int64_t millisecondOfDay = total % kMillisecondsPerDay;
  const CivilDate date = civilFromDays(days - kDaysFrom1899To1970);
  if (date.year < 1980 || date.year > 2107) return std::make_error_code(std::errc::invalid_argument);

  const std::int64_t secondOfDay = millisecondOfDay / 1000;
  std::tm local{};
  local.tm_year = date.year - 1900;
  local.tm_mon = date.month - 1;
  local.tm_mday = date.day;
  local.tm_hour = static_cast<int>(secondOfDay / 3600);
  local.tm_min = static_cast<int>(secondOfDay / 60 % 60);
  local.tm_sec = static_cast<int>(secondOfDay % 60 / 2 * 2);
  local.tm_isdst = -1;
  const std::time_t utc = std::mktime(&local);
  if (utc == static_cast<std::time_t>(-1)) return std::make_error_code(std::errc::invalid_argument);
  return platform::fileTimeFromUnix(static_cast<std::int64_t>(utc), 0);
}

}  // namespace zendrift::search
