#pragma once

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "forms/secondaryform.h"

namespace Ui {
class TSetForm;
}

// The maintenance window: adds papers, finds and deletes them.
class TSetForm final : public TSecondaryForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSetForm)

public:
    explicit TSetForm(QWidget *parent = nullptr);
    ~TSetForm() override;

private:
    Ui::TSetForm *m_ui;
    CatalogueConnection ADOConnection1;
    CatalogueQuery ADOQuery1;
};

extern TSetForm *SetForm;
