// Drives the program's windows from another process, as a user would, on the
// catalogue in the working directory. Each step is an argument:
//   menus          prints the domestic menu's provinces
//   add NAME       adds NAME as a domestic paper with a province of its own
//   delete NAME    finds the domestic paper NAME and deletes it
//   burst PREFIX N adds PREFIX0 .. PREFIX(N-1), deleting every second one
// Every message box the program shows is written to stdout at once, as
// "<step>\t<text>", so that a process killed mid-way has told what it saw.
#include "forms/mainfrm.h"
#include "maintenancewindow.h"
#include "platform/messagebox.h"
#include "useractions.h"
#include "windowset.h"

#include <QMenu>
#include <cstdio>

namespace {

QString currentStep;

void print(const QString &line)
{
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void add(const MaintenanceWindow &window, const QString &name)
{
    currentStep = u"add "_qs + name;
    window.fillNewPaper(
        {name, u"http://%1.example/"_qs.arg(name), u"国内"_qs, {}, u"c-"_qs + name});
    window.press(1);
}

void remove(const MaintenanceWindow &window, const QString &name)
{
    currentStep = u"delete "_qs + name;
    window.find(name, u"国内"_qs);
    if (window.edit(5)->text() == name)
        window.press(4);
}

void printMenus()
{
    print(u"menus\t"_qs + captions(MainForm->findChild<QMenu *>(u"N1"_qs)).join(u'|'));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    messagebox::setInterceptor([](messagebox::Kind, const QString &, const QString &text) {
        print(currentStep + u'\t' + text);
    });
    currentStep = u"start"_qs;
    const WindowSet windows(Shown::MaintenanceWindow);
    const MaintenanceWindow window;
    const QStringList steps = app.arguments().mid(1);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (steps[i] == u"menus") {
            printMenus();
        } else if (steps[i] == u"add" && i + 1 < steps.size()) {
            add(window, steps[++i]);
        } else if (steps[i] == u"delete" && i + 1 < steps.size()) {
            remove(window, steps[++i]);
        } else if (steps[i] == u"burst" && i + 2 < steps.size()) {
            const QString prefix = steps[++i];
            const int count = steps[++i].toInt();
            for (int n = 0; n < count; ++n) {
                add(window, prefix + QString::number(n));
                if (n % 2 == 1)
                    remove(window, prefix + QString::number(n - 1));
            }
        } else {
            print(u"unknown step\t"_qs + steps[i]);
            return 2;
        }
    }
    print(u"done"_qs);
    return 0;
}
