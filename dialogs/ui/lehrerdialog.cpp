#include "dialogs/ui/lehrerdialog.h"

#include "dialogs/ui/fehlzeitendialog.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/tabfolge.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <initializer_list>

namespace {
// The column of the resource controls as designed; it grows to what the longest class or subject needs.
const int SPALTE = 180;
int fachSpalte(c_Schulverwaltung* sv) { return spaltenBreite(sv, "[kein Fach]", SPALTE); }
}  // namespace

TLehrerDialog::TLehrerDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Lehrer* lehrer)
    : TFormularDialog(parent, resId, sv, sv->getLehrerStruktur(), SPALTE + 20), k_formular(sv, lehrer) {
    setWindowTitle("Lehrer");
    // The controls of the resource, left of the fields.
    k_klassenLabel = label(-1, "Klasse:", SPALTE, 16);
    k_klassenLabel->move(10, 8);
    k_klassenwahl = auswahl(251, SPALTE);
    k_klassenwahl->move(10, 26);
    k_klassenwahl->setMaxVisibleItems(15);
    k_fachLabel = label(255, "Lehrer lehrt folgende Fächer:", SPALTE, 16);
    k_fachLabel->move(10, 62);
    k_fachwahl = mehrfachListe(252, SPALTE, 120);
    k_fachwahl->move(10, 62 + k_fachLabel->height() + 2);
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
    layoutFelder(200, 300);
    // Tab goes by this layout. The column then grows to the longest class or subject, and the
    // fields move right with it.
    merkeEntwurf(this);
    const int spalte = fachSpalte(k_schulverwaltung);
    for (QWidget* w : std::initializer_list<QWidget*>{k_klassenLabel, k_klassenwahl, k_fachLabel, k_fachwahl})
        w->resize(std::max(w->width(), spalte), w->height());
    setzeFeldVersatz(spalte + 20);
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
