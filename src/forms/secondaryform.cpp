#include "forms/secondaryform.h"

#include "forms/windowplacement.h"

#include <QCloseEvent>

TSecondaryForm::TSecondaryForm(QWidget *parent, Qt::WindowFlags borderIcons)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | borderIcons)
{
}

void TSecondaryForm::fixSize()
{
    setFixedSize(size());
}

void TSecondaryForm::openFromMainWindow()
{
    show();
    raise();
    activateWindow();
    emit opened();
}

void TSecondaryForm::setVisible(bool visible)
{
    if (visible && !m_prepared) {
        m_prepared = true;
        prepareFirstShowing();
    }
    QWidget::setVisible(visible);
}

void TSecondaryForm::showEvent(QShowEvent *event)
{
    windowplacement::centreFirstTime(this, m_centred);
    QWidget::showEvent(event);
}

void TSecondaryForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TSecondaryForm::FormClose()
{
    emit closed();
}
