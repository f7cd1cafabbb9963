#include "platform/displaychoice.h"

#include <QtGlobal>
#include <cstdio>

namespace displaychoice {

Choice choose(const Environment &environment)
{
    if (!environment.qtPlatform.isEmpty())
        return {};
    if (environment.x11Display.isEmpty())
        return {{}, QStringLiteral("Kelvane needs a graphical desktop (X11): DISPLAY is not set")};
    if (!environment.waylandDisplay.isEmpty())
        return {QByteArrayLiteral("xcb"), {}};
    return {};
}

Environment current()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY")};
}

bool apply(const Choice &choice)
{
    if (!choice.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(choice.error));
        return false;
    }
    if (!choice.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.platform);
    return true;
}

} // namespace displaychoice
