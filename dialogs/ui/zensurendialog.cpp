#include "dialogs/ui/zensurendialog.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/tabfolge.h"

#include <QComboBox>
#include <QPushButton>

#include <algorithm>

TZensurenDialog::TZensurenDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Schueler* schueler,
                                 c_Klasse* klasse)
    : TFormularDialog(parent, resId, sv, sv->getZensurStruktur(), 0), k_formular(sv, schueler, klasse) {
    setWindowTitle("Zensuren");
    k_schliessen = knopf(1, "&Schließen", 87, 21);
    k_schuelerwahl = auswahl(603, 106);
    k_zensurenliste = listenAnsicht(605, k_formular.vorlage(), 209, 150);
    k_hinzufuegen = knopf(601, "&Hinzufügen", 87, 21);
    k_loeschen = knopf(602, "Zensur &löschen", 87, 21);
    k_zensurenfach = auswahl(604, 106);
    // The fields are the input line of a new grade: Enter in them adds it.
    for (QLineEdit* e : k_edits) enterDrueckt(e, k_hinzufuegen);
    connect(k_hinzufuegen, &QPushButton::clicked, this, &TZensurenDialog::CmHinzufuegen);
    connect(k_loeschen, &QPushButton::clicked, this, &TZensurenDialog::CmLoeschen);
    connect(k_schuelerwahl, &QComboBox::activated, this, &TZensurenDialog::changeselection);
    connect(k_zensurenfach, &QComboBox::activated, this, &TZensurenDialog::changeselection);
    connect(k_schliessen, &QPushButton::clicked, this, [this] { done(0); });
}

void TZensurenDialog::setupFenster() {
    int l = layoutFelder(349, 0) + 25;
    setzeNach(k_loeschen, 12, l);
    // A wider font widens the delete button; the add button keeps clear of it.
    setzeNach(k_hinzufuegen, std::max(105, k_loeschen->x() + k_loeschen->width() + 6), l);
    l += k_loeschen->height() + 15;
    ordneListeAn(l);
    // Tab goes by this layout. Both choices then grow as wide as their longest entry needs; the list
    // view keeps clear of the wider one.
    merkeEntwurf(this);
    const ZensurenFormular::Start start = k_formular.start();
    k_schuelerwahl->resize(listenBreite(start.schueler, 106, 36), k_schuelerwahl->height());
    k_zensurenfach->resize(listenBreite(start.faecher, 106, 36), k_zensurenfach->height());
    ordneListeAn(l);

    fuelleAuswahl(k_schuelerwahl, start.schueler, start.schuelerAuswahl);
    fuelleAuswahl(k_zensurenfach, start.faecher, start.fachAuswahl);
    if (!start.fehler.empty()) brichAb(start.fehler);
    changeselection();
    setzeGroesse();
}

void TZensurenDialog::ordneListeAn(int l) {
    setzeNach(k_schuelerwahl, 12, l);
    setzeNach(k_zensurenfach, 12, l + std::max(30, k_schuelerwahl->height() + 6));
    setzeNach(k_zensurenliste, std::max(127, 12 + std::max(k_schuelerwahl->width(), k_zensurenfach->width()) + 9), l);
    l += k_zensurenliste->height() + 15;
    setzeNach(k_schliessen, 12, l);
    k_dialogHoehe = l + 60;
    k_dialogBreite = std::max(k_dialogBreite, k_zensurenliste->x() + k_zensurenliste->width() + 13);
}

void TZensurenDialog::changeselection() {
    MeldungsSammler m = MeldungsSammler::sofort();
    fuelleListenAnsicht(k_zensurenliste,
                        k_formular.zeilen(k_schuelerwahl->currentIndex(), k_zensurenfach->currentIndex(), m));
    zeige(m);
}

void TZensurenDialog::CmHinzufuegen() {
    MeldungsSammler m = MeldungsSammler::sofort();
    k_formular.hinzufuegen(werte(), k_schuelerwahl->currentIndex(), k_zensurenfach->currentIndex(), m);
    zeige(m);
    changeselection();
}

void TZensurenDialog::CmLoeschen() {
    MeldungsSammler m = MeldungsSammler::sofort();
    k_formular.loeschen(k_zensurenliste->fokusZeile(), k_schuelerwahl->currentIndex(), k_zensurenfach->currentIndex(),
                        m);
    zeige(m);
    changeselection();
}
