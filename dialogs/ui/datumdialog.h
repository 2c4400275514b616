// "Gehe zu Datum": asks for the date whose week the timetable shows.
#pragma once

#include <QDialog>

class QLineEdit;
class c_Schulverwaltung;

class TDatumDialog : public QDialog {
    Q_OBJECT
public:
    // The three ints are preset into the edits and receive the date on OK.
    TDatumDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, int* tag, int* monat, int* jahr);

    void CmOk();

private:
    c_Schulverwaltung* k_schulverwaltung;
    QLineEdit* k_tag;
    QLineEdit* k_monat;
    QLineEdit* k_jahr;
    int* k_pTag;
    int* k_pMonat;
    int* k_pJahr;
};
