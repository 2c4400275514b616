// Enter in the program's dialogs, as users know it from dialogs: Enter on a
// focused push button presses that button; anywhere else it presses the
// dialog's default button (the one made default, else the button with id 1,
// else nothing). An entry field tied to a button with enterDrueckt() presses
// that button instead, so that what was typed there is taken, not thrown
// away by the default button. When the dialog is first shown, Tab is set to
// go through its controls in the order they are laid out (platform/ui/tabfolge.h).
#pragma once

class QAbstractButton;
class QDialog;
class QLineEdit;

// Gives `dialog` this behaviour. Call it once, in the constructor: the push
// buttons are set up when the dialog is shown, so buttons made later count too.
// Shown, the dialog is also made wide enough for its whole title (titelbreite.h).
void richteTastenEin(QDialog* dialog);

// Enter in `feld` presses `knopf` (when it is enabled) and goes no further.
void enterDrueckt(QLineEdit* feld, QAbstractButton* knopf);

// The button that Enter in `feld` presses (see enterDrueckt); null for none.
QAbstractButton* enterKnopf(const QLineEdit* feld);
