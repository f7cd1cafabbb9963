#include "forms/aboutfrm.h"

#include "ui_aboutfrm.h"

TAboutForm *AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget *parent) : TSecondaryForm(parent), m_ui(new Ui::TAboutForm)
{
    m_ui->setupUi(this);
    fixWindow(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
}

TAboutForm::~TAboutForm() { delete m_ui; }
