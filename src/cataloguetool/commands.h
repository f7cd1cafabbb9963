#pragma once

#include <QStringList>

// The kelvane-catalogue command line: the global options, then one command
// with its own options. Returns the exit code (exitcodes.h). Needs a
// QCoreApplication (the check runs its event loop).
namespace cataloguetool {

int run(const QStringList &arguments);

} // namespace cataloguetool
