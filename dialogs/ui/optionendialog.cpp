#include "dialogs/ui/optionendialog.h"

#include "dialogs/auswahl.h"
#include "dialogs/optionen.h"
#include "dialogs/ui/dialogmeldungen.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/listenmarkierung.h"
#include "platform/ui/qtext.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {
const int RAND = 12;
const int ABSTAND = 8;
}  // namespace

TOptionenDialog::TOptionenDialog(QWidget* parent, int resId, c_Schulverwaltung* sv)
    : TFormularDialog(parent, resId, sv, nullptr, 0) {
    setWindowTitle("Einstellungen");
    const QFontMetrics fm(font());
    const int zeile = fm.height() + 10;

    // Left: the grade levels and the new classes, each label with its edit; below, the size of the timetable.
    const char* const texte[] = {"Niedrigste Jahrgangsstufe Ihrer Schule:", "Höchste Jahrgangsstufe Ihrer Schule:",
                                 "Anzahl neu einzurichtender Klassen:"};
    int labelBreite = 0;
    for (const char* t : texte) labelBreite = std::max(labelBreite, fm.horizontalAdvance(qs(t)));
    const int editX = RAND + labelBreite + ABSTAND;
    const int zahlBreite = fm.horizontalAdvance("000") + 16;
    QLineEdit** ziele[] = {&k_minKlasse, &k_maxKlasse, &k_neuKlasse};
    const int ids[] = {207, 208, 209};
    int y = RAND;
    for (int i = 0; i < 3; ++i) {
        QLabel* l = label(-1, texte[i], labelBreite, zeile - 6);
        setzeNach(l, RAND, y + 3);
        *ziele[i] = eingabefeld(ids[i], zahlBreite);
        setzeNach(*ziele[i], editX, y);
        y += zeile + 4;
    }
    y += ABSTAND;
    QLabel* groesse = label(-1, "Größe des Stundenplanes:", 0, zeile - 6);
    setzeNach(groesse, RAND, y);
    y += zeile;
    QLabel* stunden = label(-1, "Stunden pro Tag:", 0, zeile - 6);
    setzeNach(stunden, RAND + 16, y + 3);
    k_stunden = eingabefeld(211, zahlBreite);
    setzeNach(k_stunden, RAND + 16 + stunden->width() + ABSTAND, y);
    y += zeile + 4;
    k_samstag = new QCheckBox("Samstags unterricht", this);
    k_samstag->setObjectName("id210");
    k_samstag->adjustSize();
    setzeNach(k_samstag, RAND + 16, y);
    const int linksUnten = y + k_samstag->height();
    const int linksRechts = std::max(editX + zahlBreite, k_samstag->geometry().right());

    // Right: the subjects with their hint, the name edit and the two buttons.
    const int x = linksRechts + 3 * RAND;
    const int spalte = std::max(300, fm.horizontalAdvance("Geben Sie hier die Fächer ein, die an Ihrer") + 8);
    QPushButton* hinzufuegen = knopf(203, "&Hinzufügen", 90, 26);
    QPushButton* loeschen = knopf(204, "&Löschen", hinzufuegen->width(), 26);
    const int listenBreite = spalte - hinzufuegen->width() - ABSTAND;
    auto* hinweis = new QLabel(this);
    hinweis->setTextFormat(Qt::PlainText);
    hinweis->setWordWrap(true);
    hinweis->setText("Geben Sie hier die Fächer ein, die an Ihrer Schule unterrichtet werden sollen, indem Sie ein "
                     "Fach in das Editierfeld eingeben und auf Hinzufügen klicken.");
    hinweis->setGeometry(x, RAND, spalte, hinweis->heightForWidth(spalte));
    int ry = hinweis->geometry().bottom() + 1 + ABSTAND;
    k_fach = eingabefeld(205, listenBreite);
    setzeNach(k_fach, x, ry);
    setzeNach(hinzufuegen, x + listenBreite + ABSTAND, ry - (hinzufuegen->height() - k_fach->height()) / 2);
    ry = std::max(k_fach->geometry().bottom(), hinzufuegen->geometry().bottom()) + 1 + ABSTAND;
    // The subjects in the store's order, so a row always names the subject it stands for.
    k_faecher = new TListenfeld(this);
    k_faecher->setObjectName("id202");
    k_faecher->setGeometry(x, ry, listenBreite, std::max(160, linksUnten - ry));
    setzeNach(loeschen, x + listenBreite + ABSTAND, ry);

    QPushButton* schliessen = knopf(1, "&Schließen", 90, 26);
    const int unten = std::max(linksUnten, k_faecher->geometry().bottom()) + 1 + 2 * ABSTAND;
    k_dialogBreite = x + spalte + RAND;
    setzeNach(schliessen, k_dialogBreite - RAND - schliessen->width(), unten);
    k_dialogHoehe = unten + schliessen->height() + RAND;
    schliessen->setDefault(true);

    // Enter in the name field adds the subject; it does not close the dialog.
    enterDrueckt(k_fach, hinzufuegen);
    connect(hinzufuegen, &QPushButton::clicked, this, &TOptionenDialog::CmHinzufuegen);
    connect(loeschen, &QPushButton::clicked, this, &TOptionenDialog::CmLoeschen);
    connect(schliessen, &QPushButton::clicked, this, &TOptionenDialog::CmOk);
}

void TOptionenDialog::setupFenster() {
    c_Schulverwaltung& sv = *k_schulverwaltung;
    fuelleEdit(k_neuKlasse, QString::number(sv.getNeuKlasse()));
    fuelleEdit(k_minKlasse, QString::number(sv.getMinKlasse()));
    fuelleEdit(k_maxKlasse, QString::number(sv.getMaxKlasse()));
    fuelleEdit(k_stunden, QString::number(sv.getStundenProTag()));
    k_samstag->setChecked(sv.getSamstag());
    updateFaecher();
    setzeGroesse();
}

void TOptionenDialog::updateFaecher() { fuelleListe(k_faecher, fachEintraege(k_schulverwaltung, nullptr)); }

void TOptionenDialog::CmHinzufuegen() {
    TDialogMeldungen m(this);
    if (fachHinzufuegen(*k_schulverwaltung, ss(k_fach->text()), m)) updateFaecher();
    k_fach->clear();
}

void TOptionenDialog::CmLoeschen() {
    TDialogMeldungen m(this);
    if (fachLoeschen(*k_schulverwaltung, ersteWahl(k_faecher), m)) updateFaecher();
}

void TOptionenDialog::CmOk() {
    TDialogMeldungen m(this);
    OptionenEingabe e;
    e.neuKlassen = ss(k_neuKlasse->text());
    e.minKlasse = ss(k_minKlasse->text());
    e.maxKlasse = ss(k_maxKlasse->text());
    e.stundenProTag = ss(k_stunden->text());
    e.samstag = k_samstag->isChecked();
    if (optionenOk(*k_schulverwaltung, e, m)) schliesse(0);
}
