// The common part of the export and the print dialog: the seven report areas as radio buttons
// 401 to 407, the class combo box 408 and the grades check box 409, with the owner and the week
// of the timetable the main window shows.
#pragma once

#include "output/berichte.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;

// The texts that tell the two dialogs apart.
struct GebietDialogTexte {
    const char* titel;
    const char* hinweis;
    const char* gebiete[7];  // 401 .. 407
    const char* zensuren;    // 409
    const char* ok;          // button 1
};

class TGebietDialog : public QDialog {
    Q_OBJECT
public:
    // The chosen area (401 .. 407), or 0 when no radio button is checked.
    int gewaehltesGebiet() const;
    // The context the builders get: the owner, the week, the chosen class and the check box.
    c_Berichtskontext kontext() const;

    virtual void CmOk() = 0;

protected:
    TGebietDialog(QWidget* parent, int resId, const GebietDialogTexte& texte, c_Schulverwaltung* sv,
                  c_Lehrer* lehrer, c_Raum* raum, c_Klasse* klasse, int tag, int monat, int jahr);
    // Checks 402 and fills the class combo box, its first entry selected.
    void setupFenster();
    // The chosen area when it has anything to write; else shows the refusal and gives 0.
    int gebietMitDaten(Ausgabeart art);

    c_Berichtskontext k_kontext;  // the year, the owner and the week; the choices are read by kontext()
    QRadioButton* k_gebiete[7];
    QComboBox* k_klassen;
    QCheckBox* k_zensuren;
};
