#pragma once

#include "forms/secondaryform.h"

namespace Ui {
class TAboutContent;
}

// The About window: the product's name, its picture and its credits. Created at start-up with
// the other windows; its picture and text lines are made, loaded and sized only when it first
// shows.
class TAboutForm final : public TSecondaryForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAboutForm)

public:
    explicit TAboutForm(QWidget *parent = nullptr);
    ~TAboutForm() override;

    // The picture among the program's resources, a 120 x 150 baseline JPEG.
    static const QString picturePath;

protected:
    void prepareFirstShowing() override;

private:
    Ui::TAboutContent *m_ui = nullptr;
};

extern TAboutForm *AboutForm;
