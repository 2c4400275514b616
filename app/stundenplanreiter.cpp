// The timetable tab: category, owner, week navigation and the grid contents.
#include "app/hauptfenster.h"

#include "app/stundenplanmatrix.h"
#include "dialogs/ui/datumdialog.h"
#include "model/anzeige.h"
#include "model/datum.h"
#include "platform/text.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>
#include <limits>

enum : int { KATEGORIE_LEHRER = 0, KATEGORIE_RAUM = 1, KATEGORIE_KLASSE = 2 };

void TMainWindow::setWoche(int tag, int monat, int jahr) {
    k_tag = tag;
    k_monat = monat;
    k_jahr = jahr;
}

const void* TMainWindow::besitzerAn(int n) {
    if (n < 0) return nullptr;
    switch (k_kategorie->currentIndex()) {
    case KATEGORIE_LEHRER:
        if (c_Lehrerliste* lehrer = k_schulverwaltung.getLehrerliste()) return lehrer->getLehrer(n + 1);
        break;
    case KATEGORIE_RAUM: return k_schulverwaltung.getAktiveRaeume()->getRaum(n + 1);
    case KATEGORIE_KLASSE:
        if (c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste()) return klassen->getKlasse(n + 1);
        break;
    default: break;
    }
    return nullptr;
}

void TMainWindow::getBesitzer(c_Lehrer** l, c_Raum** r, c_Klasse** k) {
    if (!istAktuell(ANSICHT_STUNDENPLAN)) aktualisiereAnsichten();
    *l = nullptr;
    *r = nullptr;
    *k = nullptr;
    const int n = k_besitzer->currentIndex();
    if (n < 0) return;
    switch (k_kategorie->currentIndex()) {
    case KATEGORIE_LEHRER:
        if (c_Lehrerliste* lehrer = k_schulverwaltung.getLehrerliste()) *l = lehrer->getLehrer(n + 1);
        break;
    case KATEGORIE_RAUM: *r = k_schulverwaltung.getAktiveRaeume()->getRaum(n + 1); break;
    case KATEGORIE_KLASSE:
        if (c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste()) *k = klassen->getKlasse(n + 1);
        break;
    default: break;
    }
}

void TMainWindow::fuelleBesitzerCombo() {
    QStringList eintraege;
    switch (k_kategorie->currentIndex()) {
    case KATEGORIE_LEHRER:
        if (c_Lehrerliste* lehrer = k_schulverwaltung.getLehrerliste())
            for (const c_Lehrer* l : *lehrer) eintraege << qs(l->getName());
        break;
    case KATEGORIE_RAUM: {
        const std::unique_ptr<c_Raumliste> aktive = k_schulverwaltung.getAktiveRaeume();
        for (const c_Raum* r : *aktive) eintraege << qs(r->getName());
        break;
    }
    case KATEGORIE_KLASSE:
        if (c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste())
            for (const c_Klasse* k : *klassen) eintraege << qs(klassenText(k));
        break;
    default: break;
    }
    k_besitzer->clear();
    k_besitzer->addItems(eintraege);
    passeComboAn(k_besitzer, std::numeric_limits<int>::max());
    ordneStundenplanAn();
}

void TMainWindow::changeKategorie() {
    fuelleBesitzerCombo();
    k_besitzer->setCurrentIndex(k_besitzer->count() > 0 ? 0 : -1);
    if (k_ohneGitter) return;
    k_besitzerGewaehlt = besitzerAn(k_besitzer->currentIndex());
    changeBesitzer();
}

void TMainWindow::updateStundenplan() {
    passeGitterAn();  // days and lessons as the settings say
    const int kategorie = std::max(0, k_kategorie->currentIndex());
    // The owner shown before is shown again where it still is: the box's entry while the tab
    // shows the lists as they are, else the one remembered at the last fill.
    if (istAktuell(ANSICHT_STUNDENPLAN)) k_besitzerGewaehlt = besitzerAn(k_besitzer->currentIndex());

    // The grid is filled once, at the end, so every message appears once.
    k_ohneGitter = true;
    changeKategorie();
    k_ohneGitter = false;
    k_wochenText->setText(qs(getWochenText(k_tag, k_monat, k_jahr)));
    // 120 pixels wide, up to the grid where the text needs it; beyond that on two lines.
    passeLabelAn(k_wochenText, 120, 20, k_stundenplan->x() - k_wochenText->x() - 5);
    k_kategorie->setCurrentIndex(kategorie);

    int position = 0;
    // Compared by address only: the one remembered may be gone.
    if (k_besitzerGewaehlt) switch (kategorie) {
        case KATEGORIE_LEHRER:
            position = k_schulverwaltung.getLehrerliste()->positionOf(static_cast<const c_Lehrer*>(k_besitzerGewaehlt));
            break;
        case KATEGORIE_RAUM:
            position = k_schulverwaltung.getAktiveRaeume()->positionOf(static_cast<const c_Raum*>(k_besitzerGewaehlt));
            break;
        case KATEGORIE_KLASSE:
            position = k_schulverwaltung.getKlassenliste()->positionOf(static_cast<const c_Klasse*>(k_besitzerGewaehlt));
            break;
        default: break;
        }
    const int eintrag = position >= 1 ? position - 1 : -1;
    k_besitzer->setCurrentIndex(eintrag);
    k_besitzerGewaehlt = besitzerAn(eintrag);
    merkeStand(ANSICHT_STUNDENPLAN);
    changeBesitzer();
}

namespace {

int tagDesWochentags(const std::string& wochentag) {
    for (int d = 1; d <= 6; ++d)
        if (text::equals(wochentag, WOCHENTAGE[d])) return d;
    return 0;
}

std::string teilzeile(const std::string& s) { return s + "\n"; }

// Lessons of an appointment that lie inside the grid.
template <class F>
void fuerStunden(const c_Termin* t, F f) {
    const int von = std::max(1, t->getAStd());
    const int bis = std::min(TStundenplanMatrix::MAX_STUNDEN, t->getEStd());
    for (int l = von; l <= bis; ++l) f(l);
}

}  // namespace

void TMainWindow::changeBesitzer() {
    if (istAktuell(ANSICHT_STUNDENPLAN)) k_besitzerGewaehlt = besitzerAn(k_besitzer->currentIndex());
    fuelleStundenplan();
}

void TMainWindow::fuelleStundenplan() {
    // Owner boxes that no longer show the lists as they are are filled again first; that
    // fills the grid as well.
    if (!istAktuell(ANSICHT_STUNDENPLAN)) {
        aktualisiereAnsichten();
        return;
    }
    k_stundenplan->clearZellen();
    k_stundenplan->clearMarkierung();
    const int kategorie = k_kategorie->currentIndex();
    if (kategorie != KATEGORIE_LEHRER && kategorie != KATEGORIE_RAUM && kategorie != KATEGORIE_KLASSE) return;
    // With no owner chosen the owner is none, and the queries take the
    // appointments that have no teacher, room or class respectively.
    c_Lehrer* lehrer;
    c_Raum* raum;
    c_Klasse* klasse;
    getBesitzer(&lehrer, &raum, &klasse);
    c_Schulverwaltung& sv = k_schulverwaltung;

    std::unique_ptr<c_Dauerterminliste> dauer = kategorie == KATEGORIE_LEHRER ? sv.getDauertermineLehrer(lehrer)
                                                : kategorie == KATEGORIE_RAUM ? sv.getDauertermineRaum(raum)
                                                                              : sv.getDauertermineKlasse(klasse);
    if (!dauer) return;
    for (c_Dauertermin* t : *dauer) {
        std::string zelle;
        if (kategorie == KATEGORIE_LEHRER) {
            if (t->getFach()) zelle += teilzeile(t->getFach()->getName());
            if (t->getRaum()) zelle += teilzeile(t->getRaum()->getName());
            if (t->getKlasse()) zelle += teilzeile(klassenText(t->getKlasse()));
        } else if (kategorie == KATEGORIE_RAUM) {
            if (t->getFach()) zelle += teilzeile(t->getFach()->getName());
            if (t->getLehrer()) zelle += teilzeile(t->getLehrer()->getName());
            if (t->getKlasse()) zelle += teilzeile(klassenText(t->getKlasse()));
            if (!t->getFach() && !t->getLehrer() && !t->getKlasse()) zelle += "[belegt]";
        } else {
            if (t->getFach()) zelle += teilzeile(t->getFach()->getName());
            if (t->getRaum()) zelle += teilzeile(t->getRaum()->getName());
            if (t->getLehrer()) zelle += teilzeile(t->getLehrer()->getName());
        }
        const int tag = tagDesWochentags(t->getWochentag());
        if (tag == 0) {
            meldung("Hauptfenster: Das Terminobjekt hat keinen Wochentag!", "Äußerst schwerer Fehler",
                    MB_OK | MB_ICONEXCLAMATION, this);
            continue;
        }
        const QString q = qs(zelle);
        fuerStunden(t, [&](int l) {
            k_stundenplan->setZelltext(q, tag, l);
            k_stundenplan->setDauertermin(t, tag, l);
        });
    }

    // Dated appointments of the shown week: their name, in the column of their weekday.
    auto datiert = [this](const auto& termine, auto setzen) {
        for (auto* t : *termine) {
            int d, m, y;
            t->getDatum(&d, &m, &y);
            const int tag = getWochentag(d, m, y);
            const QString q = qs(t->getName() + "\n");
            fuerStunden(t, [&](int l) {
                k_stundenplan->setZelltext(q, tag, l);
                (k_stundenplan->*setzen)(t, tag, l);
            });
        }
    };
    datiert(kategorie == KATEGORIE_LEHRER ? sv.getEinzeltermineLehrer(k_tag, k_monat, k_jahr, lehrer)
            : kategorie == KATEGORIE_RAUM ? sv.getEinzeltermineRaum(k_tag, k_monat, k_jahr, raum)
                                          : sv.getEinzeltermineKlasse(k_tag, k_monat, k_jahr, klasse),
            &TStundenplanMatrix::setEinzeltermin);
    datiert(kategorie == KATEGORIE_LEHRER ? sv.getVertretungstermineLehrer(k_tag, k_monat, k_jahr, lehrer)
            : kategorie == KATEGORIE_RAUM ? sv.getVertretungstermineRaum(k_tag, k_monat, k_jahr, raum)
                                          : sv.getVertretungstermineKlasse(k_tag, k_monat, k_jahr, klasse),
            &TStundenplanMatrix::setVertretungstermin);
}

void TMainWindow::CmWocheVor() {
    addTage(k_tag, k_monat, k_jahr, 7, &k_tag, &k_monat, &k_jahr);
    updateStundenplan();
}

void TMainWindow::CmWocheZurueck() {
    addTage(k_tag, k_monat, k_jahr, -7, &k_tag, &k_monat, &k_jahr);
    updateStundenplan();
}

void TMainWindow::CmGeheZu() {
    int t, m, j;
    getHeute(&t, &m, &j);
    TDatumDialog dialog(this, 760, &k_schulverwaltung, &t, &m, &j);
    if (dialog.exec() == QDialog::Accepted) addTage(t, m, j, 1 - getWochentag(t, m, j), &k_tag, &k_monat, &k_jahr);
    updateStundenplan();
}
