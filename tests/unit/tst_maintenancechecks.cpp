#include "forms/maintenancechecks.h"

#include <QTest>

using maintenancechecks::NewPaper;
Q_DECLARE_METATYPE(NewPaper)

// The maintenance window's checks: the first failing one speaks.
class TestMaintenanceChecks : public QObject
{
    Q_OBJECT

private slots:
    void addChecksInOrder_data()
    {
        QTest::addColumn<NewPaper>("paper");
        QTest::addColumn<QString>("problem");
        const QString url = u"http://a.example/"_qs;
        QTest::newRow("all empty") << NewPaper{} << u"报纸名称不能为空"_qs;
        QTest::newRow("no address before no kind")
            << NewPaper{u"报"_qs, {}, {}, {}, {}} << u"报纸链接不能为空"_qs;
        QTest::newRow("no kind before no province")
            << NewPaper{u"报"_qs, url, {}, {}, {}} << u"所属国家不能为空"_qs;
        QTest::newRow("no province")
            << NewPaper{u"报"_qs, url, u"国内"_qs, {}, {}} << u"纸所属省市和新省市不能同时为空"_qs;
        QTest::newRow("both provinces")
            << NewPaper{u"报"_qs, url, u"国内"_qs, u"北京"_qs, u"天津"_qs}
            << u"纸所属省市和新省市不能同时不为空"_qs;
        QTest::newRow("existing province")
            << NewPaper{u"报"_qs, url, u"国外"_qs, u"美国"_qs, {}} << QString();
        QTest::newRow("new province")
            << NewPaper{u"报"_qs, url, u"国外"_qs, {}, u"冰岛"_qs} << QString();
    }

    void addChecksInOrder()
    {
        QFETCH(NewPaper, paper);
        QFETCH(QString, problem);
        QCOMPARE(maintenancechecks::addProblem(paper), problem);
    }

    void findChecksInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("problem");
        QTest::newRow("both empty") << QString() << QString() << u"报纸名称不能为空！"_qs;
        QTest::newRow("no kind") << u"报"_qs << QString() << u"报纸所属国家不能为空！"_qs;
        QTest::newRow("any kind passes") << u"报"_qs << u"中国"_qs << QString();
    }

    void findChecksInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, problem);
        QCOMPARE(maintenancechecks::findProblem(name, kind), problem);
    }
};

QTEST_MAIN(TestMaintenanceChecks)
#include "tst_maintenancechecks.moc"
