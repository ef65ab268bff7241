// The status bar's figures: memory load, battery charge and uptime as text.
#pragma once

#include <cstdint>
#include <string>

namespace ad {

// "<d> Day(s) <h> Hour(s) <m> Minute(s) <s> Second(s)".
std::string FormatUptime(uint64_t milliseconds);
// FormatUptime of the time since the system started (64-bit: no wrap after 49.7 days).
std::string GetUptimeText();
// "Memory Usage : <load>%".
std::string MemoryUsageText();
// "Power : <percent>%"; an unknown charge (no battery) shows 100.
std::string PowerText();

}  // namespace ad
