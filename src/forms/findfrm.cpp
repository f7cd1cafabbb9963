#include "forms/findfrm.h"

#include "ui_findfrm.h"

namespace {

TFindForm *s_findForm = nullptr;

} // namespace

TFindForm::TFindForm(QWidget *parent) : QWidget(parent, Qt::Window), m_ui(new Ui::TFindForm)
{
    m_ui->setupUi(this);
}

TFindForm::~TFindForm()
{
    delete m_ui;
}

void TFindForm::showFind(const QString &text)
{
    m_ui->findEdit->setText(text);
    m_ui->findEdit->selectAll();
    show();
    raise();
    activateWindow();
    m_ui->findEdit->setFocus();
}

void showFindWindow(const QString &text)
{
    if (!s_findForm)
        s_findForm = new TFindForm;
    s_findForm->showFind(text);
}

TFindForm *findWindow()
{
    return s_findForm;
}

void destroyFindWindow()
{
    delete s_findForm;
    s_findForm = nullptr;
}
