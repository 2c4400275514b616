#include "dialogs/ui/datumdialog.h"

#include "dialogs/datumpruefung.h"
#include "dialogs/ui/formulardialog.h"
#include "dialogs/ui/zeichenschutz.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TDatumDialog::TDatumDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, int* tag, int* monat, int* jahr)
    : QDialog(parent), k_schulverwaltung(sv), k_pTag(tag), k_pMonat(monat), k_pJahr(jahr) {
    setObjectName(QString("id%1").arg(resId));
    richteTastenEin(this);
    setWindowTitle("Gehe zu Datum");
    setFixedSize(330, 150);
    auto* hinweis = new QLabel("Bitte geben Sie das Datum an, zu dem gesprungen werden soll:", this);
    hinweis->setWordWrap(true);
    hinweis->setGeometry(10, 6, 310, 36);
    auto feld = [this](int id, const char* titel, int x, int laenge, int wert) {
        auto* label = new QLabel(titel, this);
        label->setGeometry(x, 52, 60, 18);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("id%1").arg(id));
        edit->setMaxLength(laenge);
        fuelleEdit(edit, QString::number(wert));
        edit->setGeometry(x, 72, laenge == 4 ? 60 : 40, 24);
        schuetzeEdit(edit);
        return edit;
    };
    k_tag = feld(761, "Tag", 10, 2, *tag);
    k_monat = feld(762, "Monat", 70, 2, *monat);
    k_jahr = feld(763, "Jahr", 130, 4, *jahr);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("id1");
    ok->setGeometry(150, 112, 80, 26);
    ok->setDefault(true);
    auto* abbruch = new QPushButton("&Abbruch", this);
    abbruch->setObjectName("id2");
    abbruch->setGeometry(240, 112, 80, 26);
    connect(ok, &QPushButton::clicked, this, &TDatumDialog::CmOk);
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

void TDatumDialog::CmOk() {
    std::vector<std::string> meldungen;
    int t = 0, m = 0, j = 0;
    const bool ok = pruefeDatum(ss(k_tag->text()), ss(k_monat->text()), ss(k_jahr->text()), meldungen, &t, &m, &j);
    for (const std::string& text : meldungen) meldung(text, "Fehler", MB_OK, this);
    if (!ok) return;
    *k_pTag = t;
    *k_pMonat = m;
    *k_pJahr = j;
    accept();
}
