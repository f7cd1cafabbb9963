#include "searchprovider/service.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvane-search-provider"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVANE_VERSION));
    return searchprovider::run(QCoreApplication::arguments());
}
