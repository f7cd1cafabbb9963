#include "platform/messagebox.h"

#include "core/messagerules.h"
#include "platform/apptitle.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace messagebox {

namespace {

Interceptor &interceptor()
{
    static Interceptor current;
    return current;
}

void show(Kind kind, QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    if (interceptor()) {
        interceptor()(kind, caption, text);
        return;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

} // namespace

void setInterceptor(Interceptor next)
{
    interceptor() = std::move(next);
}

void showInformation(const QString &text)
{
    show(Kind::Information, QMessageBox::NoIcon, apptitle::title(), text);
}

void showError(const QString &text)
{
    show(Kind::Error, QMessageBox::Critical, apptitle::title(), messagerules::withFullStop(text));
}

void showLastChance(const QString &text)
{
    show(Kind::LastChance, QMessageBox::Critical, QStringLiteral("Application Error"), text);
}

} // namespace messagebox
