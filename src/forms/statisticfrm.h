#pragma once

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "forms/secondaryform.h"

namespace Ui {
class TStatisticForm;
}

// The statistics window: how many papers each half of the catalogue holds.
class TStatisticForm final : public TSecondaryForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStatisticForm)

public:
    explicit TStatisticForm(QWidget *parent = nullptr);
    ~TStatisticForm() override;

private:
    Ui::TStatisticForm *m_ui;
    CatalogueConnection ADOConnection1;
    CatalogueQuery ADOQuery1;
};

extern TStatisticForm *StatisticForm;
