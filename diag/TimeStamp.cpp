#include "diag/EventLog.h"

#include <cstdio>

namespace {
const char* const dayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const monthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
}  // namespace

std::string formatTimeStamp(const std::tm& time) {
    int hour12 = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
    const char* day = time.tm_wday >= 0 && time.tm_wday < 7 ? dayNames[time.tm_wday] : "?";
    const char* month = time.tm_mon >= 0 && time.tm_mon < 12 ? monthNames[time.tm_mon] : "?";
    char text[96];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %s, %s, %s %02d, %d", hour12, time.tm_min, time.tm_sec,
                  time.tm_hour < 12 ? "AM" : "PM", day, month, time.tm_mday, time.tm_year + 1900);
    return text;
}
