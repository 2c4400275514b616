#include "dialogs/ui/schuelerdialog.h"

#include "dialogs/ui/fehlzeitendialog.h"
#include "dialogs/ui/zensurendialog.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/tabfolge.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

TSchuelerDialog::TSchuelerDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Schueler* schueler)
    : TFormularDialog(parent, resId, sv, sv->getSchuelerStruktur(), 0), k_formular(sv, schueler) {
    setWindowTitle("Schüler");
    k_ok = knopf(1, "&OK", 75, 21);
    k_ok->setDefault(true);
    k_abbruch = knopf(2, "&Abbruch", 75, 21);
    k_zensuren = knopf(511, "&Zensuren", 75, 21);
    k_fehlzeiten = knopf(512, "&Fehlzeiten", 75, 21);
    k_klassenLabel = label(-1, "Klasse:", 35, 20);
    k_klassenwahl = auswahl(251, 75);
    k_klassenwahl->setMaxVisibleItems(15);
    connect(k_ok, &QPushButton::clicked, this, &TSchuelerDialog::CmOk);
    connect(k_abbruch, &QPushButton::clicked, this, &QDialog::reject);
    connect(k_zensuren, &QPushButton::clicked, this, &TSchuelerDialog::CmZensuren);
    connect(k_fehlzeiten, &QPushButton::clicked, this, &TSchuelerDialog::CmFehlzeiten);
}

void TSchuelerDialog::setupFenster() {
    const int l = layoutFelder(300, 0) + 15;
    ordneUntenAn(l);
    // Tab goes by this layout. A class choice wider than 75 for its longest entry then pushes the
    // buttons right.
    merkeEntwurf(this);
    const std::vector<std::string> klassen = k_formular.klassenEintraege();
    k_klassenwahl->resize(listenBreite(klassen, 75, 36), k_klassenwahl->height());
    ordneUntenAn(l);
    fuelleAuswahl(k_klassenwahl, klassen, 0);
    if (c_Schueler* s = k_formular.datensatz()) {
        if (s->getFelder()) fuelleFelder(*s->getFelder());
        k_klassenwahl->setCurrentIndex(k_formular.klassenAuswahl());
    }
    setzeGroesse();
}

void TSchuelerDialog::ordneUntenAn(int l) {
    // Two rows of buttons; the class label and choice stand left of them in the same band.
    const int mitte = std::max(95, 8 + k_klassenwahl->width() + 12);
    const int rechts = std::max(200, mitte + std::max(k_zensuren->width(), k_fehlzeiten->width()) + 30);
    const int zeile2 = l + std::max(29, k_ok->height() + 6);
    setzeNach(k_ok, rechts, l);
    setzeNach(k_abbruch, rechts, zeile2);
    setzeNach(k_zensuren, mitte, l);
    setzeNach(k_fehlzeiten, mitte, zeile2);
    setzeNach(k_klassenLabel, 8, l);
    setzeNach(k_klassenwahl, 8, l + k_klassenLabel->height() + 2);
    k_dialogHoehe = std::max(l + 85, zeile2 + k_abbruch->height() + 15);
    k_dialogBreite = std::max(k_dialogBreite, k_ok->x() + k_ok->width() + 15);
}

void TSchuelerDialog::CmOk() {
    MeldungsSammler m = SchuelerFormular::meldungen();
    const bool fertig = k_formular.ok(werte(), k_klassenwahl->currentIndex(), m);
    zeige(m);
    if (fertig) schliesse(0);
}

void TSchuelerDialog::CmZensuren() {
    MeldungsSammler m = MeldungsSammler::sofort();
    unterdialog<TZensurenDialog>(k_formular.unterdialogErlaubt(m), m, 600, k_schulverwaltung, k_formular.datensatz(),
                                 static_cast<c_Klasse*>(nullptr));
}

void TSchuelerDialog::CmFehlzeiten() {
    MeldungsSammler m = MeldungsSammler::sofort();
    unterdialog<TFehlzeitenDialog>(k_formular.unterdialogErlaubt(m), m, 650, k_schulverwaltung, k_formular.datensatz(),
                                   static_cast<c_Lehrer*>(nullptr));
}
