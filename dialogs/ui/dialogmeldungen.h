// The message boxes of a dialog's checks, shown through the message service
// with the dialog as owner.
#pragma once

#include "dialogs/meldungsziel.h"

class QWidget;

class TDialogMeldungen : public Meldungsziel {
public:
    explicit TDialogMeldungen(QWidget* besitzer) : k_besitzer(besitzer) {}
    int zeige(const std::string& text, const std::string& caption, int flags) override;
    using Meldungsziel::zeige;

private:
    QWidget* k_besitzer;
};
