#include "forms/aboutfrm.h"
#include "forms/mainfrm.h"
#include "platform/jpegimage.h"
#include "useractions.h"
#include "windowset.h"

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

namespace {

QByteArray committedPicture()
{
    QFile file(qEnvironmentVariable("KELVANE_SOURCE_DIR") + u"/src/forms/about/newspaper.jpg"_qs);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the About picture is missing");
    return file.readAll();
}

QLabel *control(const QString &name)
{
    return AboutForm->findChild<QLabel *>(name);
}

// Whether the font that is really used draws every character of the text.
bool drawsEveryCharacter(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    for (const QChar c : text)
        if (!c.isSpace() && !metrics.inFont(c))
            return false;
    return true;
}

// The size the label took when its style sheet listed 宋体, SimSun and WenQuanYi Micro Hei and
// left the choice to the font matching.
QSize sizeAsDesigned(const QLabel &label)
{
    QLabel designed(label.text());
    if (!label.styleSheet().isEmpty())
        designed.setStyleSheet(u"font-family: \"宋体\", \"SimSun\", \"WenQuanYi Micro Hei\"; "_qs +
                               label.styleSheet());
    designed.adjustSize();
    return designed.size();
}

} // namespace

class TestAboutForm : public WindowSetTest
{
    Q_OBJECT

private slots:
    void showsTheCommittedPicture()
    {
        openWindows();
        QVERIFY(!control(u"Image1"_qs)); // nothing is made until the window first shows
        AboutForm->show();
        QFile resource(TAboutForm::picturePath);
        QVERIFY(resource.open(QIODevice::ReadOnly));
        QCOMPARE(resource.readAll(), committedPicture());

        const QLabel *image = control(u"Image1"_qs);
        QCOMPARE(image->geometry(), QRect(8, 8, 120, 150));
        const QImage shown = image->pixmap().toImage().convertToFormat(QImage::Format_RGB888);
        QCOMPARE(shown.size(), QSize(120, 150));
        QCOMPARE(shown, jpegimage::decode(committedPicture()));
    }

    void textLinesAndFonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<int>("pixelSize"); // 0: the window's default font
        QTest::addColumn<bool>("bold");
        QTest::newRow("product") << u"Label3"_qs << QPoint(152, 8) << 14 << true;
        QTest::newRow("credit") << u"Label1"_qs << QPoint(168, 40) << 13 << false;
        QTest::newRow("thanks") << u"Label5"_qs << QPoint(168, 72) << 13 << false;
        QTest::newRow("notice") << u"Label4"_qs << QPoint(144, 120) << 0 << false;
    }

    void textLinesAndFonts()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, position);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        openWindows();
        AboutForm->show();

        const QLabel *label = control(name);
        QCOMPARE(label->pos(), position);
        QCOMPARE(label->size(), label->sizeHint()); // sized to its text
        QCOMPARE(label->size(), sizeAsDesigned(*label));
        QVERIFY(QRect(QPoint(0, 0), AboutForm->size()).contains(label->geometry()));
        QVERIFY(!label->text().isEmpty());
        QVERIFY(drawsEveryCharacter(label->font(), label->text())); // no boxes
        const QFontInfo used(label->font());
        QCOMPARE(used.bold(), bold);
        if (pixelSize == 0)
            return;
        QCOMPARE(used.pixelSize(), pixelSize);
        QVERIFY2(QStringList({u"宋体"_qs, u"SimSun"_qs, u"WenQuanYi Micro Hei"_qs})
                     .contains(used.family()),
                 qPrintable(used.family()));
    }

    void fixedWindowWithAMinimiseBox()
    {
        openWindows();
        AboutForm->show();
        QCOMPARE(AboutForm->minimumSize(), AboutForm->maximumSize());
        QVERIFY(AboutForm->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!AboutForm->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(control(u"Label3"_qs)->text(), u"KelvaneV1.0"_qs);
        QCOMPARE(control(u"Label1"_qs)->palette().color(QPalette::WindowText), QColor(Qt::black));
    }

    void closingEnablesTheMainWindow_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Help menu") << u"N5"_qs;
        QTest::newRow("pop-up menu") << u"N9"_qs;
    }

    void closingEnablesTheMainWindow()
    {
        QFETCH(QString, command);
        openWindows(Shown::MainWindow);

        triggerAction(command);
        QVERIFY(AboutForm->isVisible());
        QVERIFY(!MainForm->isEnabled());
        // Again, from the icon's menu (the window's own menus are disabled
        // with it): only brought forward.
        triggerAction(u"N9"_qs);
        QVERIFY(!MainForm->isEnabled());

        AboutForm->close();
        QVERIFY(!AboutForm->isVisible());
        QVERIFY(MainForm->isEnabled());
        QVERIFY(messages().messages.isEmpty());
    }
};

QTEST_MAIN(TestAboutForm)
#include "tst_aboutform.moc"
