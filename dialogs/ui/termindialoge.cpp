#include "dialogs/ui/termindialoge.h"

#include "dialogs/auswahl.h"
#include "dialogs/ui/dialogmeldungen.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/qtext.h"
#include "platform/ui/tabfolge.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

QRect inPixeln(const Ressource& r) {
    auto x = [](int v) { return v * 3 / 2; };
    auto y = [](int v) { return v * 13 / 8; };
    return QRect(x(r.x), y(r.y), x(r.breite), y(r.hoehe));
}

namespace {
// The closed height of a drop-down list in dialog units; the resource height is the opened one.
const int LISTEN_HOEHE = 12;
// The widest a list grows for its entries, in pixels.
const int MAX_LISTEN_BREITE = 260;
}  // namespace

// ---------------------------------------------------------------- shared part

TTerminDialog::TTerminDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, const c_Datenliste* vorlage, int dx,
                             const char* titel, const Anordnung& a)
    : TFormularDialog(parent, resId, sv, vorlage, dx), k_startHoehe(a.hoehe) {
    setWindowTitle(titel);
    QPushButton* ok = knopf(1, "&OK", inPixeln(a.ok).width(), inPixeln(a.ok).height());
    setzeNach(ok, inPixeln(a.ok).x(), inPixeln(a.ok).y());
    ok->setDefault(true);
    QPushButton* abbruch = knopf(2, "&Abbruch", inPixeln(a.abbruch).width(), inPixeln(a.abbruch).height());
    setzeNach(abbruch, inPixeln(a.abbruch).x(), inPixeln(a.abbruch).y());
    beschriftung("Fach:", a.fachLabel);
    beschriftung("Lehrer:", a.lehrerLabel);
    beschriftung("Klasse:", a.klasseLabel);
    beschriftung("Raum:", a.raumLabel);
    k_fach = liste(264, a.fach);
    k_lehrer = liste(266, a.lehrer);
    k_klasse = liste(265, a.klasse);
    k_raum = liste(273, a.raum);
    connect(ok, &QPushButton::clicked, this, [this] { CmOk(); });
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

QComboBox* TTerminDialog::liste(int id, const Ressource& r) {
    const QRect p = inPixeln({r.x, r.y, r.breite, LISTEN_HOEHE});
    QComboBox* box = auswahl(id, p.width());
    setzeNach(box, p.x(), p.y());
    return box;
}

QLabel* TTerminDialog::beschriftung(const char* text, const Ressource& r) {
    const QRect p = inPixeln(r);
    QLabel* l = label(-1, text, p.width(), p.height());
    setzeNach(l, p.x(), p.y());
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

void TTerminDialog::fuelleListe(QComboBox* box, const std::vector<std::string>& eintraege) {
    fuelleAuswahl(box, eintraege, 0);
    // Names longer than the resource allows widen the list, up to the field
    // controls beside it; the opened list always shows them whole.
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int noetig = box->sizeHint().width();
    box->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    int grenze = box->x() + MAX_LISTEN_BREITE;
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect g = w->geometry();
        if (w != box && g.x() > box->x() && g.top() <= box->geometry().bottom() && g.bottom() >= box->y())
            grenze = std::min(grenze, g.x() - 8);
    }
    box->resize(std::max(box->width(), std::min(noetig, grenze - box->x())), box->height());
    box->view()->setMinimumWidth(noetig);
    box->setToolTip(box->currentText());
    connect(box, &QComboBox::currentTextChanged, box, &QComboBox::setToolTip, Qt::UniqueConnection);
}

void TTerminDialog::passeGroesseAn() {
    // Fixed controls whose text needs more room than the resource gives still fit.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        k_dialogBreite = std::max(k_dialogBreite, w->geometry().right() + 12);
        k_dialogHoehe = std::max(k_dialogHoehe, w->geometry().bottom() + 12);
    }
    setzeGroesse();
}

void TTerminDialog::setupFenster() {
    // The fields grow the height from its start to their lowest edge.
    k_dialogHoehe = layoutFelder(200, k_startHoehe);
    // Tab goes by this layout, not by the lists widened for long names below (a class list widened
    // under the fields beside it would take them into its column).
    merkeEntwurf(this);
    c_Schulverwaltung& sv = *k_schulverwaltung;
    fuelleListe(k_klasse, klassenEintraege(&sv, "[keine]"));
    fuelleListe(k_lehrer, lehrerEintraege(sv));
    fuelleListe(k_fach, fachEintraege(&sv, "[kein]"));
    fuelleListe(k_raum, raumEintraege(sv));
    fuelleZusatzliste();
    if (k_raum->count() == 0) {
        brichAb(TEXT_KEIN_AKTIVER_RAUM);
        return;
    }
    zeigeDatensatz();
    passeGroesseAn();
}

void TTerminDialog::zeigeTermin(const c_Termin& t, const TerminAuswahl& a) {
    if (t.getFelder()) fuelleFelder(*t.getFelder());
    if (a.raum >= 0) k_raum->setCurrentIndex(a.raum);
    // Entry 0 first, then the link's entry when it is found.
    k_fach->setCurrentIndex(a.fach);
    k_lehrer->setCurrentIndex(a.lehrer);
    k_klasse->setCurrentIndex(a.klasse);
}

TerminEingabe TTerminDialog::eingabe() const {
    TerminEingabe e;
    e.werte = werte();
    e.fach = k_fach->currentIndex();
    e.lehrer = k_lehrer->currentIndex();
    e.klasse = k_klasse->currentIndex();
    e.raum = k_raum->currentIndex();
    return e;
}

// ---------------------------------------------------------------- single appointments

namespace {
const TTerminDialog::Anordnung* einzelAnordnung() {
    static const TTerminDialog::Anordnung a = {
        {12, 129, 50, 14}, {69, 129, 50, 14}, {12, 18, 68, 67}, {12, 45, 67, 68}, {12, 74, 68, 64},
        {12, 101, 68, 61}, {12, 8, 40, 8},    {12, 34, 48, 8},  {12, 63, 28, 8},  {12, 90, 28, 8}, 270,
    };
    return &a;
}
}  // namespace

TEinzelterminDialog::TEinzelterminDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Einzeltermin* termin)
    : TTerminDialog(parent, resId, sv, sv->getEinzelterminStruktur(), 200, "Einzeltermin", *einzelAnordnung()),
      k_datensatz(termin) {}

void TEinzelterminDialog::fillTermin(const c_Einzeltermin* termin) {
    if (termin) zeigeTermin(*termin, terminAuswahl(*k_schulverwaltung, *termin));
}

void TEinzelterminDialog::CmOk() {
    TDialogMeldungen m(this);
    const TerminOk<c_Einzeltermin> r = einzelterminOk(*k_schulverwaltung, k_datensatz, eingabe(), m);
    if (r.vorschlag) fillTermin(r.vorschlag.get());
    if (r.gespeichert) schliesse(0);
}

// ---------------------------------------------------------------- weekly appointments

namespace {
const TTerminDialog::Anordnung* dauerAnordnung() {
    static const TTerminDialog::Anordnung a = {
        {13, 160, 50, 14}, {70, 160, 50, 14}, {13, 51, 79, 67}, {13, 78, 79, 68}, {13, 107, 79, 64},
        {13, 134, 79, 61}, {13, 41, 40, 8},   {13, 67, 48, 8},  {13, 96, 28, 8},  {13, 123, 28, 8}, 320,
    };
    return &a;
}
}  // namespace

TDauerterminDialog::TDauerterminDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, c_Dauertermin* termin)
    : TTerminDialog(parent, resId, sv, sv->getDauerterminStruktur(), 150, "Dauertermin", *dauerAnordnung()),
      k_datensatz(termin) {
    beschriftung("Wochentag:", {14, 5, 60, 8});
    k_wochentag = liste(272, {13, 15, 77, 54});
}

void TDauerterminDialog::fuelleZusatzliste() {
    fuelleListe(k_wochentag, wochentagEintraege(k_schulverwaltung->getSamstag()));
}
void TDauerterminDialog::fillTermin(const c_Dauertermin* termin) {
    if (!termin) return;
    const TerminAuswahl a = terminAuswahl(*k_schulverwaltung, *termin);
    zeigeTermin(*termin, a);
    // Saturday in a list of five days leaves no day chosen.
    if (a.wochentag >= 0) k_wochentag->setCurrentIndex(a.wochentag < k_wochentag->count() ? a.wochentag : -1);
}

void TDauerterminDialog::CmOk() {
    TDialogMeldungen m(this);
    TerminEingabe e = eingabe();
    e.wochentag = k_wochentag->currentIndex();
    const TerminOk<c_Dauertermin> r = dauerterminOk(*k_schulverwaltung, k_datensatz, e, m);
    if (r.vorschlag) fillTermin(r.vorschlag.get());
    if (r.gespeichert) schliesse(0);
}

// ---------------------------------------------------------------- substitutions

namespace {
const TTerminDialog::Anordnung* vertretungAnordnung() {
    static const TTerminDialog::Anordnung a = {
        {12, 164, 50, 14}, {69, 164, 50, 14}, {12, 18, 68, 67}, {12, 45, 67, 68}, {12, 74, 68, 64},
        {12, 101, 68, 61}, {12, 8, 40, 8},    {12, 34, 48, 8},  {12, 63, 28, 8},  {12, 90, 28, 8}, 330,
    };
    return &a;
}
}  // namespace

TVertretungsterminDialog::TVertretungsterminDialog(QWidget* parent, int resId, c_Schulverwaltung* sv,
                                                   c_Vertretungstermin* termin)
    : TTerminDialog(parent, resId, sv, sv->getVertretungsterminStruktur(), 200, "Vertretungstermin",
                    *vertretungAnordnung()),
      k_datensatz(termin) {
    beschriftung("Vertretungslehrer:", {12, 121, 104, 19});
    k_vertretung = liste(274, {12, 140, 69, 48});
}

void TVertretungsterminDialog::fuelleZusatzliste() {
    fuelleListe(k_vertretung, vertretungEintraege(*k_schulverwaltung));
}
void TVertretungsterminDialog::fillTermin(const c_Vertretungstermin* termin) {
    if (!termin) return;
    const TerminAuswahl a = terminAuswahl(*k_schulverwaltung, *termin);
    zeigeTermin(*termin, a);
    if (a.vertretung >= 0) k_vertretung->setCurrentIndex(a.vertretung);
}

void TVertretungsterminDialog::CmOk() {
    TDialogMeldungen m(this);
    TerminEingabe e = eingabe();
    e.vertretung = k_vertretung->currentIndex();
    if (vertretungsterminOk(*k_schulverwaltung, k_datensatz, e, m)) schliesse(0);
}
