// The yardstick for start-up: a bare Qt Widgets program with the main window's
// shape and nothing else. A QMainWindow with the same title and window flags, a
// four-menu bar, a fixed 272 x 6 client and a tray icon with the same picture;
// no catalogue, no other windows, no accelerator pass.
#include <QApplication>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QSystemTrayIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QIcon icon;
    for (const int size : {16, 22, 32, 48})
        icon.addFile(QStringLiteral(":/icons/kelvane-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("KelvaneV1.0"));
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto *client = new QWidget(&window);
    client->setFixedSize(272, 6);
    window.setCentralWidget(client);
    for (const QString &title : {QStringLiteral("国内报纸"), QStringLiteral("国外报纸"),
                                 QStringLiteral("工具"), QStringLiteral("帮助")})
        window.menuBar()->addMenu(title);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    QSystemTrayIcon tray(icon);
    tray.setToolTip(QStringLiteral("Kelvane"));
    tray.show();
    window.show();
    return QApplication::exec();
}
