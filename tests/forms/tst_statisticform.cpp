#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "catalogue/connectionsettings.h"
#include "forms/aboutfrm.h"
#include "forms/mainfrm.h"
#include "forms/statisticfrm.h"
#include "useractions.h"
#include "windowset.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace {

const QString null = QStringLiteral("<NULL>"); // a pname of NULL in the test tables

QLineEdit *edit(const char *name)
{
    return StatisticForm->findChild<QLineEdit *>(QString::fromLatin1(name));
}
QStringList counts()
{
    return {edit("Edit1")->text(), edit("Edit2")->text()};
}

// Lets pending activations and the counts they start run to the end.
void settle()
{
    QTest::qWait(20);
}

// The Newspaper statistics command, as the menu gives it.
void showStatistics()
{
    triggerAction(u"N8"_qs);
    settle();
}

// Papers added and deleted the way the maintenance window does it.
void addPaper(const QString &table, const QString &name)
{
    CatalogueConnection connection(connectionsettings::longForm);
    CatalogueQuery query(u"ADOQuery1"_qs, connection);
    query.execute(statements::insertPaper(table, u"某地"_qs, name, u"http://example.com/"_qs));
}

void deletePaper(const QString &table, const QString &name)
{
    CatalogueConnection connection(connectionsettings::longForm);
    CatalogueQuery query(u"ADOQuery1"_qs, connection);
    query.execute(statements::deletePaper(table, name));
}

// Swallows every activation event while it lives, as if no window were ever
// given the focus.
class ActivationBlock : public QObject
{
public:
    ActivationBlock() { qApp->installEventFilter(this); }
    ~ActivationBlock() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
    }
};

void fill(TestCatalogue &catalogue, const QString &table, const QStringList &names)
{
    for (const QString &name : names)
        catalogue.add(table, u"某地"_qs, name == null ? std::nullopt : TestCatalogue::Field(name),
                      u"http://example.com/"_qs);
}

} // namespace

class TestStatisticForm : public WindowSetTest
{
    Q_OBJECT

private slots:
    void countsEveryRowOfEachTable_data()
    {
        QTest::addColumn<QStringList>("domesticNames");
        QTest::addColumn<QStringList>("foreignNames");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("empty tables")
            << QStringList() << QStringList() << QStringList{u"0"_qs, u"0"_qs};
        QTest::newRow("a paper in both tables")
            << QStringList{u"参考消息"_qs} << QStringList{u"参考消息"_qs}
            << QStringList{u"1"_qs, u"1"_qs};
        QTest::newRow("empty, NULL and repeated names")
            << QStringList{u""_qs, null, u"人民日报"_qs, u"人民日报"_qs} << QStringList{null}
            << QStringList{u"4"_qs, u"1"_qs};
        QStringList many;
        for (int i = 0; i < 300; ++i)
            many.append(u"报%1"_qs.arg(i));
        QTest::newRow("more than a screenful")
            << many << QStringList() << QStringList{u"300"_qs, u"0"_qs};
    }

    void countsEveryRowOfEachTable()
    {
        QFETCH(QStringList, domesticNames);
        QFETCH(QStringList, foreignNames);
        QFETCH(QStringList, shown);
        fill(catalogue(), domestic, domesticNames);
        fill(catalogue(), foreign, foreignNames);
        openWindows(Shown::MainWindow);
        messages().clear(); // the main window's menus stop at a NULL name
        QCOMPARE(counts(), (QStringList{u""_qs, u""_qs})); // nothing before the first showing

        showStatistics();
        QCOMPARE(counts(), shown);
        QVERIFY(messages().messages.isEmpty());
        QVERIFY(!MainForm->isEnabled());
    }

    // A window manager that does not focus new windows: the window is shown
    // but never activated, and still shows the counts.
    void countsWhenShownWithoutActivation()
    {
        fill(catalogue(), domestic, {u"人民日报"_qs});
        openWindows(Shown::MainWindow);
        ActivationBlock noActivation;
        triggerAction(u"N8"_qs);
        QTRY_COMPARE(counts(), (QStringList{u"1"_qs, u"0"_qs}));
        QVERIFY(messages().messages.isEmpty());
    }

    void showingAgainShowsTheNewCounts()
    {
        fill(catalogue(), domestic, {u"人民日报"_qs, u"北京日报"_qs});
        openWindows(Shown::MainWindow);
        showStatistics();
        QCOMPARE(counts(), (QStringList{u"2"_qs, u"0"_qs}));

        StatisticForm->close();
        QVERIFY(MainForm->isEnabled());
        addPaper(foreign, u"Le Monde"_qs);
        addPaper(foreign, u"The Times"_qs);
        deletePaper(domestic, u"北京日报"_qs);
        QCOMPARE(counts(),
                 (QStringList{u"2"_qs, u"0"_qs})); // a hidden window keeps its last counts

        showStatistics();
        QCOMPARE(counts(), (QStringList{u"1"_qs, u"2"_qs}));
        QVERIFY(messages().messages.isEmpty());
    }

    void missingFileLeavesBothFieldsEmpty()
    {
        catalogue().removeFile();
        openWindows(Shown::MainWindow);
        messages().clear(); // the main window's menus met the missing file first

        showStatistics();
        QCOMPARE(counts(), (QStringList{u""_qs, u""_qs}));
        QCOMPARE(messages().texts(),
                 QStringList{u"Could not find file '%1'"_qs.arg(catalogue().path())});
        QVERIFY(StatisticForm->isVisible());
        QVERIFY(!QFile::exists(catalogue().path()));
    }

    void failedForeignCountKeepsItsOldText()
    {
        fill(catalogue(), domestic, {u"人民日报"_qs});
        fill(catalogue(), foreign, {u"Le Monde"_qs, u"The Times"_qs});
        openWindows(Shown::MainWindow);
        showStatistics();
        QCOMPARE(counts(), (QStringList{u"1"_qs, u"2"_qs}));

        StatisticForm->close();
        addPaper(domestic, u"解放日报"_qs);
        catalogue().exec(u"drop table poverseas"_qs);
        showStatistics();
        QCOMPARE(counts(), (QStringList{u"2"_qs, u"2"_qs}));
        QCOMPARE(messages().texts(), QStringList{u"no such table: poverseas."_qs});
    }

    void recountsOnReturnFromTheProgramsOwnWindowsOnly_data()
    {
        QTest::addColumn<QString>("away");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("the About window") << u"about"_qs << QStringList{u"1"_qs, u"0"_qs};
        QTest::newRow("another application") << u"application"_qs << QStringList{u"0"_qs, u"0"_qs};
        QTest::newRow("a message box") << u"message box"_qs << QStringList{u"0"_qs, u"0"_qs};
    }

    void recountsOnReturnFromTheProgramsOwnWindowsOnly()
    {
        QFETCH(QString, away);
        QFETCH(QStringList, shown);
        openWindows(Shown::MainWindow);
        showStatistics();
        QCOMPARE(counts(), (QStringList{u"0"_qs, u"0"_qs}));

        QMessageBox box;
        if (away == u"about") { // opened from the notification icon's menu
            triggerAction(u"N9"_qs);
            settle();
            QCOMPARE(QApplication::activeWindow(), AboutForm);
            AboutForm->close();
        } else if (away == u"message box") {
            box.show();
            QApplication::setActiveWindow(&box);
        } else {
            QApplication::setActiveWindow(nullptr); // no window of ours is active
        }
        settle();
        addPaper(domestic, u"人民日报"_qs);

        QApplication::setActiveWindow(StatisticForm); // the user clicks the window
        settle();
        QCOMPARE(counts(), shown);
        QVERIFY(messages().messages.isEmpty());
    }

    void errorBoxDoesNotStartAnotherCount()
    {
        openWindows(Shown::MainWindow);
        showStatistics();
        catalogue().exec(u"drop table poverseas"_qs);
        triggerAction(u"N9"_qs); // away to the About window and back: the count fails
        settle();
        QApplication::setActiveWindow(StatisticForm);
        settle();
        QCOMPARE(messages().messages.size(), 1);

        // The error box takes the focus and gives it back when dismissed.
        QMessageBox box;
        box.show();
        QApplication::setActiveWindow(&box);
        settle();
        box.close();
        QApplication::setActiveWindow(StatisticForm);
        settle();
        QCOMPARE(messages().messages.size(), 1);
        QCOMPARE(counts(), (QStringList{u"0"_qs, u"0"_qs}));
    }

    void windowDefinition()
    {
        openWindows(Shown::MainWindow);
        QCOMPARE(StatisticForm->minimumSize(), StatisticForm->maximumSize());
        const Qt::WindowFlags flags = StatisticForm->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

        // The captions size themselves as the window first shows, in the font
        // it shows with, and a showing still counts.
        QFont small = StatisticForm->font();
        small.setPointSize(6);
        for (QLabel *label : StatisticForm->findChildren<QLabel *>())
            label->setFont(small);
        fill(catalogue(), domestic, {u"人民日报"_qs});
        showStatistics();
        QTRY_COMPARE(counts(), (QStringList{u"1"_qs, u"0"_qs}));
        for (const auto &[name, text, top] : {std::tuple{"Label1", u"国内报纸总数：   "_qs, 24},
                                              std::tuple{"Label2", u"国外报纸总数：   "_qs, 64}}) {
            const QLabel *label = StatisticForm->findChild<QLabel *>(QString::fromLatin1(name));
            QCOMPARE(label->text(), text);
            QCOMPARE(label->pos(), QPoint(16, top));
            QCOMPARE(label->size(), label->sizeHint()); // fits its text
            QVERIFY(label->geometry().right() < 144);   // and ends before the field
        }
        for (const auto &[name, top] : {std::pair{"Edit1", 21}, std::pair{"Edit2", 61}}) {
            const QLineEdit *field = edit(name);
            QCOMPARE(field->geometry(), QRect(144, top, 121, 19));
            QVERIFY(field->isReadOnly());
            QCOMPARE(field->focusPolicy(), Qt::NoFocus);
        }
    }

    void displayFieldsAreFlatOnTheButtonFace()
    {
        openWindows(Shown::MainWindow);
        showStatistics();
        const QImage field = edit("Edit2")->grab().toImage();
        const QPalette palette = StatisticForm->palette();
        QCOMPARE(field.pixelColor(0, 9).rgb(),
                 palette.color(QPalette::Shadow).rgb()); // single line
        QCOMPARE(field.pixelColor(1, 9).rgb(),
                 palette.color(QPalette::Button).rgb()); // no 3-D edge
        QCOMPARE(field.pixelColor(100, 9).rgb(), palette.color(QPalette::Button).rgb()); // filled

        // Tab never lands on a display field.
        QTest::keyClick(StatisticForm, Qt::Key_Tab);
        QVERIFY(!edit("Edit1")->hasFocus() && !edit("Edit2")->hasFocus());
    }
};

QTEST_MAIN(TestStatisticForm)
#include "tst_statisticform.moc"
