#include "cataloguetool/commands.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvane-catalogue"));
    return cataloguetool::run(QCoreApplication::arguments());
}
