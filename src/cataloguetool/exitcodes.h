#pragma once

// kelvane-catalogue's exit codes: 0 on success, 1 on a failure, 2 on bad usage.
namespace cataloguetool {

inline constexpr int exitOk = 0;
inline constexpr int exitFailure = 1;
inline constexpr int exitUsage = 2;

} // namespace cataloguetool
