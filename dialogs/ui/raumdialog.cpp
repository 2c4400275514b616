#include "dialogs/ui/raumdialog.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/qtext.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {
// A label of the left column, wrapped to its width.
QLabel* spaltenLabel(QWidget* dialog, const char* text, int x, int y, int breite) {
    auto* l = new QLabel(qs(text), dialog);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setGeometry(x, y, breite, l->heightForWidth(breite));
    return l;
}

// The column of the resource controls: 172 wide, or what the longest class or subject needs.
int fachSpalte(c_Schulverwaltung* sv) { return spaltenBreite(sv, "[kein Fachraum / Klassenraum]", 172); }
}  // namespace

TRaumDialog::TRaumDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Raum* raum)
    : TFormularDialog(parent, resId, sv, sv->getRaumStruktur(), fachSpalte(sv) + 18), k_formular(sv, raum) {
    setWindowTitle("Raum");
    const int spalte = fachSpalte(sv);
    // The controls of the resource, left of the fields.
    QLabel* fachLabel = spaltenLabel(this, "Fächer, die in diesem Raum unterrichtet werden können:", 8, 8, spalte);
    k_fachwahl = mehrfachListe(231, spalte, 120);
    k_fachwahl->move(8, fachLabel->y() + fachLabel->height() + 2);
    QLabel* klassenLabel = spaltenLabel(this, "Dieser Raum ist Klassenraum der Klasse:", 8,
                                        k_fachwahl->y() + k_fachwahl->height() + 8, spalte);
    k_klassenwahl = auswahl(232, spalte);
    k_klassenwahl->move(8, klassenLabel->y() + klassenLabel->height() + 2);
    k_klassenwahl->setMaxVisibleItems(15);
    k_ok = knopf(1, "&OK", 80, 23);
    k_ok->move(8, k_klassenwahl->y() + k_klassenwahl->height() + 14);
    k_ok->setDefault(true);
    QPushButton* abbruch = knopf(2, "&Abbruch", 80, 23);
    abbruch->move(std::max(100, k_ok->x() + k_ok->width() + 6), k_ok->y());
    connect(k_ok, &QPushButton::clicked, this, &TRaumDialog::CmOk);
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

void TRaumDialog::setupFenster() {
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
