#include "dialogs/ui/klassendialog.h"

#include "model/schulverwaltung/schulverwaltung.h"

#include <QPushButton>

#include <algorithm>

TKlassenDialog::TKlassenDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Klasse* klasse)
    : TFormularDialog(parent, resId, sv, sv->getKlasseStruktur(), 0), k_formular(sv, klasse) {
    setWindowTitle("Klasse");
    k_ok = knopf(1, "&OK", 50, 21);
    k_ok->setDefault(true);
    k_abbruch = knopf(2, "&Abbruch", 50, 21);
    connect(k_ok, &QPushButton::clicked, this, &TKlassenDialog::CmOk);
    connect(k_abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

void TKlassenDialog::setupFenster() {
    const int l = layoutFelder(0, 0) + 15;
    setzeNach(k_ok, 20, l);
    setzeNach(k_abbruch, std::max(85, k_ok->x() + k_ok->width() + 6), l);
    k_dialogHoehe = l + k_ok->height() + 40;
    k_dialogBreite = std::max(k_dialogBreite, k_abbruch->x() + k_abbruch->width() + 15);
    if (c_Klasse* k = k_formular.datensatz())
        if (k->getFelder()) fuelleFelder(*k->getFelder());
    setzeGroesse();
}

void TKlassenDialog::CmOk() {
    MeldungsSammler m = KlassenFormular::meldungen();
    const bool fertig = k_formular.ok(werte(), m);
    zeige(m);
    if (fertig) schliesse(0);
}
