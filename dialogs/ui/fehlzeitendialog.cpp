#include "dialogs/ui/fehlzeitendialog.h"

#include "dialogs/ui/dialogmeldungen.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/qtext.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

TFehlzeitenDialog::TFehlzeitenDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Schueler* schueler,
                                     c_Lehrer* lehrer)
    : TFormularDialog(parent, resId, sv, sv->getFehlzeitStruktur(), 0), k_formular(sv, schueler, lehrer) {
    setWindowTitle(qs(k_formular.caption()));
    k_schliessen = knopf(1, "&Schließen", 87, 21);
    k_liste = listenAnsicht(653, k_formular.vorlage(), 309, 122);
    k_hinzufuegen = knopf(651, "&Hinzufügen", 87, 21);
    k_loeschen = knopf(652, "Fehlzeit &löschen", 87, 21);
    // The fields are the form of a new absence: Enter in them adds it.
    for (QLineEdit* e : k_edits) enterDrueckt(e, k_hinzufuegen);
    connect(k_hinzufuegen, &QPushButton::clicked, this, &TFehlzeitenDialog::CmHinzufuegen);
    connect(k_loeschen, &QPushButton::clicked, this, &TFehlzeitenDialog::CmLoeschen);
    connect(k_schliessen, &QPushButton::clicked, this, [this] { done(0); });
}

void TFehlzeitenDialog::setupFenster() {
    const int y0 = layoutFelder(329, 0) + 15;
    setzeNach(k_loeschen, 7, y0);
    // A wider font widens the delete button; the add button keeps clear of it.
    setzeNach(k_hinzufuegen, std::max(100, k_loeschen->x() + k_loeschen->width() + 6), y0);
    const int y1 = y0 + k_loeschen->height() + 5;
    // Every column of an absence in sight without scrolling sideways, also beside a vertical scroll bar.
    const int spalten = k_liste->header()->length() + 2 * k_liste->frameWidth() +
                        k_liste->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, k_liste);
    k_liste->resize(std::max(309, spalten), k_liste->height());
    setzeNach(k_liste, 7, y1);
    const int y2 = y1 + k_liste->height() + 5;
    setzeNach(k_schliessen, 7, y2);
    k_dialogHoehe = y2 + 60;
    k_dialogBreite = std::max(k_dialogBreite, k_liste->x() + k_liste->width() + 13);
    const std::string fehler = k_formular.startFehler();
    if (!fehler.empty()) brichAb(fehler);
    updateFehlzeiten();
    setzeGroesse();
}

void TFehlzeitenDialog::updateFehlzeiten() { fuelleListenAnsicht(k_liste, k_formular.zeilen()); }

void TFehlzeitenDialog::CmHinzufuegen() {
    MeldungsSammler m = MeldungsSammler::sofort();
    k_formular.hinzufuegen(werte(), m);
    zeige(m);
    updateFehlzeiten();
}

void TFehlzeitenDialog::CmLoeschen() {
    const int zeile = k_liste->fokusZeile();
    bool vertretungen = false;
    if (k_formular.fragtVorLoeschen(zeile))
        vertretungen = TDialogMeldungen(this).frage("Sollen die Vertretungsstunden für den gewählten\nZeitraum "
                                                    "gelöscht werden?\n(Anmerkung: dies gilt nur für Termine ab dem "
                                                    "heutigen Datum!)",
                                                    "Fehlzeit löschen");
    MeldungsSammler m = MeldungsSammler::sofort();
    k_formular.loeschen(zeile, vertretungen, m);
    zeige(m);
    updateFehlzeiten();
}
