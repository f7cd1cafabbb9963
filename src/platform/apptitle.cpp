#include "platform/apptitle.h"

#include <QCoreApplication>

namespace apptitle {

namespace {
QString &current()
{
    static QString title;
    return title;
}
} // namespace

void setTitle(const QString &title)
{
    current() = title;
}

QString title()
{
    // Before the main window names it, the title is the executable's name.
    return current().isEmpty() ? QCoreApplication::applicationName() : current();
}

} // namespace apptitle
