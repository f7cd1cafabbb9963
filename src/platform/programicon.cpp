#include "platform/programicon.h"

// The resources live in a static library: nothing would pull them into the
// program unless they are initialised by name.
static void initResources()
{
    Q_INIT_RESOURCE(programicon);
}

namespace programicon {

QIcon icon()
{
    initResources();
    QIcon result;
    for (const int size : {16, 22, 32, 48})
        result.addFile(QStringLiteral(":/icons/kelvane-%1.png").arg(size), QSize(size, size));
    return result;
}

} // namespace programicon
