#pragma once

#include "catalogue/catalogueconnection.h"
#include "catalogue/cataloguequery.h"
#include "forms/secondaryform.h"
#include "platform/windowactivation.h"

namespace Ui {
class TStatisticForm;
}

// The statistics window: how many papers each half of the catalogue holds,
// counted again each time the window is shown and each time the user comes
// back to it from another of the program's windows.
class TStatisticForm final : public TSecondaryForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStatisticForm)

public:
    explicit TStatisticForm(QWidget *parent = nullptr);
    ~TStatisticForm() override;

    // Recounts both tables and shows the counts; a failure keeps the text of
    // each field not yet recounted and goes to the standard error box.
    void FormActivate();

protected:
    void prepareFirstShowing() override;
    void showEvent(QShowEvent *event) override;

private:
    void windowActivated(QWidget *window, QWidget *previous);

    Ui::TStatisticForm *m_ui;
    CatalogueConnection ADOConnection1;
    CatalogueQuery ADOQuery1;
    WindowActivationWatch m_activation;
    bool m_justShown = false;
};

extern TStatisticForm *StatisticForm;
