#include "dialogs/ui/raumdialog.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/qtext.h"
#include "platform/ui/tabfolge.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {
// A label of the left column, wrapped to its width.
QLabel* spaltenLabel(QWidget* dialog, const char* text) {
    auto* l = new QLabel(qs(text), dialog);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}

// The column of the resource controls as designed; it grows to what the longest class or subject needs.
const int SPALTE = 172;
int fachSpalte(c_Schulverwaltung* sv) { return spaltenBreite(sv, "[kein Fachraum / Klassenraum]", SPALTE); }
}  // namespace

TRaumDialog::TRaumDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Raum* raum)
    : TFormularDialog(parent, resId, sv, sv->getRaumStruktur(), SPALTE + 18), k_formular(sv, raum) {
    setWindowTitle("Raum");
    // The controls of the resource, left of the fields.
    k_fachLabel = spaltenLabel(this, "Fächer, die in diesem Raum unterrichtet werden können:");
    k_fachwahl = mehrfachListe(231, SPALTE, 120);
    k_klassenLabel = spaltenLabel(this, "Dieser Raum ist Klassenraum der Klasse:");
    k_klassenwahl = auswahl(232, SPALTE);
    k_klassenwahl->setMaxVisibleItems(15);
    k_ok = knopf(1, "&OK", 80, 23);
    k_ok->setDefault(true);
    k_abbruch = knopf(2, "&Abbruch", 80, 23);
    ordneSpalteAn(SPALTE);
    connect(k_ok, &QPushButton::clicked, this, &TRaumDialog::CmOk);
    connect(k_abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

void TRaumDialog::ordneSpalteAn(int spalte) {
    k_fachLabel->setGeometry(8, 8, spalte, k_fachLabel->heightForWidth(spalte));
    k_fachwahl->setGeometry(8, k_fachLabel->y() + k_fachLabel->height() + 2, spalte, k_fachwahl->height());
    k_klassenLabel->setGeometry(8, k_fachwahl->y() + k_fachwahl->height() + 8, spalte,
                                k_klassenLabel->heightForWidth(spalte));
    k_klassenwahl->setGeometry(8, k_klassenLabel->y() + k_klassenLabel->height() + 2, spalte, k_klassenwahl->height());
    k_ok->move(8, k_klassenwahl->y() + k_klassenwahl->height() + 14);
    k_abbruch->move(std::max(100, k_ok->x() + k_ok->width() + 6), k_ok->y());
}

void TRaumDialog::setupFenster() {
    layoutFelder(100, 300);
    // Tab goes by this layout. The column then grows to the longest class or subject, and the
    // fields move right with it.
    merkeEntwurf(this);
    const int spalte = fachSpalte(k_schulverwaltung);
    ordneSpalteAn(spalte);
    setzeFeldVersatz(spalte + 18);
    k_dialogHoehe = std::max(layoutFelder(100, 300), k_ok->y() + k_ok->height() + 12);
    fuelleAuswahl(k_klassenwahl, k_formular.klassenEintraege(), 0);
    fuelleListe(k_fachwahl, k_formular.fachEintraege());
    waehleEintraege(k_fachwahl, {0});
    if (c_Raum* r = k_formular.datensatz()) {
        if (r->getFelder()) fuelleFelder(*r->getFelder());
        k_klassenwahl->setCurrentIndex(k_formular.klassenAuswahl());
        waehleEintraege(k_fachwahl, k_formular.fachAuswahl());
    }
    setzeGroesse();
}

void TRaumDialog::CmOk() {
    MeldungsSammler m = RaumFormular::meldungen();
    const bool fertig = k_formular.ok(werte(), k_klassenwahl->currentIndex(), gewaehlteEintraege(k_fachwahl), m);
    zeige(m);
    if (fertig) schliesse(0);
}
