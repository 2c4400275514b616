#include "dialogs/ui/lehrerdialog.h"

#include "dialogs/ui/fehlzeitendialog.h"
#include "model/schulverwaltung/schulverwaltung.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {
// The column of the resource controls: 180 wide, or what the longest class or subject needs.
int fachSpalte(c_Schulverwaltung* sv) { return spaltenBreite(sv, "[kein Fach]", 180); }
}  // namespace

TLehrerDialog::TLehrerDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Lehrer* lehrer)
    : TFormularDialog(parent, resId, sv, sv->getLehrerStruktur(), fachSpalte(sv) + 20), k_formular(sv, lehrer) {
    setWindowTitle("Lehrer");
    // The controls of the resource, left of the fields.
    const int spalte = fachSpalte(sv);
    label(-1, "Klasse:", spalte, 16)->move(10, 8);
    k_klassenwahl = auswahl(251, spalte);
    k_klassenwahl->move(10, 26);
    k_klassenwahl->setMaxVisibleItems(15);
    QLabel* fachLabel = label(255, "Lehrer lehrt folgende Fächer:", spalte, 16);
    fachLabel->move(10, 62);
    k_fachwahl = mehrfachListe(252, spalte, 120);
    k_fachwahl->move(10, 62 + fachLabel->height() + 2);
    QPushButton* fehlzeiten = knopf(256, "&Fehlzeiten", 87, 23);
    fehlzeiten->move(10, k_fachwahl->y() + k_fachwahl->height() + 8);
    QPushButton* ok = knopf(1, "&OK", 87, 23);
    ok->move(10, fehlzeiten->y() + fehlzeiten->height() + 16);
    ok->setDefault(true);
    QPushButton* abbruch = knopf(2, "&Abbruch", 87, 23);
    abbruch->move(std::max(103, ok->x() + ok->width() + 6), ok->y());
    connect(ok, &QPushButton::clicked, this, &TLehrerDialog::CmOk);
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
    connect(fehlzeiten, &QPushButton::clicked, this, &TLehrerDialog::CmFehlzeiten);
}

void TLehrerDialog::setupFenster() {
    k_dialogHoehe = layoutFelder(200, 300);
    fuelleAuswahl(k_klassenwahl, k_formular.klassenEintraege(), 0);
    fuelleListe(k_fachwahl, k_formular.fachEintraege());
    if (c_Lehrer* l = k_formular.datensatz()) {
        if (l->getFelder()) fuelleFelder(*l->getFelder());
        k_klassenwahl->setCurrentIndex(k_formular.klassenAuswahl());
        waehleEintraege(k_fachwahl, k_formular.fachAuswahl());
    }
    setzeGroesse();
}

void TLehrerDialog::CmOk() {
    MeldungsSammler m = LehrerFormular::meldungen();
    const bool fertig = k_formular.ok(werte(), k_klassenwahl->currentIndex(), gewaehlteEintraege(k_fachwahl), m);
    zeige(m);
    if (fertig) schliesse(0);
}

void TLehrerDialog::CmFehlzeiten() {
    MeldungsSammler m = MeldungsSammler::sofort();
    unterdialog<TFehlzeitenDialog>(k_formular.unterdialogErlaubt(m), m, 650, k_schulverwaltung,
                                   static_cast<c_Schueler*>(nullptr), k_formular.datensatz());
}
