#pragma once

#include "forms/maintenancechecks.h"
#include "forms/setfrm.h"
#include "testcatalogue.h"
#include "useractions.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

// What the maintenance window says.
inline const QString added = QStringLiteral("恭喜，增加新报纸成功！");
inline const QString deleted = QStringLiteral("删除报纸数据成功！");

inline QStringList entries(const QComboBox *box)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result.append(box->itemText(i));
    return result;
}

// The open maintenance window (see Shown::MaintenanceWindow), driven through
// its controls as a user would.
class MaintenanceWindow
{
public:
    template <typename T = QWidget> T *get(const QString &name) const
    {
        return SetForm->findChild<T *>(name);
    }
    QLineEdit *edit(int n) const { return get<QLineEdit>(u"Edit%1"_qs.arg(n)); }
    QComboBox *combo(int n) const { return get<QComboBox>(u"ComboBox%1"_qs.arg(n)); }
    QTabWidget *pages() const { return get<QTabWidget>(u"PageControl1"_qs); }
    bool activate() const { return QTest::qWaitForWindowActive(SetForm); }

    void type(QLineEdit *edit, const QString &text) const { typeInto(edit, text); }
    void type(int n, const QString &text) const { type(edit(n), text); }
    void paste(int n, const QString &text) const
    {
        QGuiApplication::clipboard()->setText(text);
        edit(n)->clear();
        QTest::keySequence(edit(n), QKeySequence::Paste);
    }
    void choose(int n, const QString &entry) const
    {
        const int index = combo(n)->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry));
        combo(n)->setCurrentIndex(index);
        emit combo(n)->activated(index);
    }
    void press(int n) const
    {
        QPushButton *button = get<QPushButton>(u"Button%1"_qs.arg(n));
        pages()->setCurrentIndex(n <= 2 ? 0 : 1); // the page that holds it
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Fills the Add page; an empty kind or province is left unchosen.
    void fillNewPaper(const maintenancechecks::NewPaper &typed) const
    {
        type(1, typed.name);
        type(2, typed.address);
        if (!typed.kind.isEmpty())
            choose(1, typed.kind);
        if (!typed.province.isEmpty())
            choose(2, typed.province);
        type(3, typed.newProvince);
    }
    void find(const QString &name, const QString &kind) const
    {
        type(4, name);
        type(combo(3)->lineEdit(), kind);
        press(3);
    }
    QStringList result() const
    {
        return {edit(5)->text(), edit(6)->text(), edit(7)->text(), edit(8)->text()};
    }
    // Every text the window holds, to tell that nothing was cleared.
    QStringList contents() const
    {
        QStringList all;
        for (int n = 1; n <= 8; ++n)
            all.append(edit(n)->text());
        for (int n = 1; n <= 3; ++n)
            all.append(combo(n)->currentText());
        return all + entries(combo(2));
    }
};
