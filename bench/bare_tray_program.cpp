// The yardstick for the idle wake-ups: a bare Qt Widgets program with a menu
// bar and a tray icon, nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("BareTrayProgram"));
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Quit"));
    window.menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));
    window.show();
    QPixmap picture(16, 16);
    picture.fill(Qt::darkRed);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.show();
    return QApplication::exec();
}
