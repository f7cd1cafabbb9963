#pragma once

#include <QStringList>

// The kelvane-catalogue command line: the global options, then one command
// with its own options. Returns the exit code: 0 on success, 1 on a failure,
// 2 on bad usage. Needs a QCoreApplication (the check runs its event loop).
namespace cataloguetool {

inline constexpr int exitOk = 0;
inline constexpr int exitFailure = 1;
inline constexpr int exitUsage = 2;

int run(const QStringList &arguments);

} // namespace cataloguetool
