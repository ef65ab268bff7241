// The status bar's figures.
#include "app/forms/StatusInfo.h"

#include <windows.h>

#include "base/StrUtils.h"

namespace ad {

std::string FormatUptime(uint64_t ms) {
    uint64_t days = ms / 86400000, hours = ms % 86400000 / 3600000, minutes = ms % 3600000 / 60000,
             seconds = ms % 60000 / 1000;
    return std::to_string(days) + " Day(s) " + std::to_string(hours) + " Hour(s) " + std::to_string(minutes) +
           " Minute(s) " + std::to_string(seconds) + " Second(s)";
}

std::string GetUptimeText() { return FormatUptime(::GetTickCount64()); }

std::string MemoryUsageText() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ::GlobalMemoryStatusEx(&status);
    return "Memory Usage : " + IntToStr(status.dwMemoryLoad) + "%";
}

std::string PowerText() {
    SYSTEM_POWER_STATUS power{};
    int percent = ::GetSystemPowerStatus(&power) ? power.BatteryLifePercent : 255;
    return "Power : " + IntToStr(percent > 100 ? 100 : percent) + "%";
}

}  // namespace ad
