#include "dialogs/ui/curriculumdialog.h"

#include "dialogs/auswahl.h"
#include "dialogs/curriculum.h"
#include "dialogs/ui/dialogmeldungen.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/listenmarkierung.h"
#include "platform/ui/qtext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {
const int RAND = 12;
const int ABSTAND = 8;
}  // namespace

TCurriculumDialog::TCurriculumDialog(QWidget* parent, int resId, c_Schulverwaltung* sv)
    : TFormularDialog(parent, resId, sv, nullptr, 0), k_maxStunden(maxWochenstunden(*sv)) {
    setWindowTitle("Curriculum");
    const QFontMetrics fm(font());
    const int breite = std::max(420, fm.horizontalAdvance("[Jahrgang:10] [Stunden:10] ") + 30 * fm.averageCharWidth());

    QLabel* titel = label(-1, "aktuelles Curriculum:", 0, 0);
    setzeNach(titel, RAND, RAND);
    k_curriculum = new TListenfeld(this);
    k_curriculum->setObjectName("id291");
    k_curriculum->setGeometry(RAND, titel->geometry().bottom() + 4, breite, 14 * fm.height());
    int y = k_curriculum->geometry().bottom() + 1 + ABSTAND;

    QLabel* fach = label(-1, "Fach:", 0, 0);
    k_fach = auswahl(294, std::max(180, 20 * fm.averageCharWidth()));
    QLabel* jahrgang = label(-1, "Jahrgang:", 0, 0);
    k_jahrgang = auswahl(295, fm.horizontalAdvance("000") + 50);
    const int mitte = (k_fach->height() - fach->height()) / 2;
    setzeNach(fach, RAND, y + mitte);
    setzeNach(k_fach, fach->geometry().right() + 1 + ABSTAND, y);
    setzeNach(jahrgang, k_fach->geometry().right() + 1 + 3 * ABSTAND, y + mitte);
    setzeNach(k_jahrgang, jahrgang->geometry().right() + 1 + ABSTAND, y);
    y += k_fach->height() + ABSTAND;

    QLabel* stunden = label(-1, "Anzahl der Stunden pro Woche (max.10):", 0, 0);
    k_stunden = eingabefeld(296, fm.horizontalAdvance("00") + 20);
    k_stunden->setMaxLength(2);
    setzeNach(stunden, RAND, y + (k_stunden->height() - stunden->height()) / 2);
    setzeNach(k_stunden, stunden->geometry().right() + 1 + ABSTAND, y);
    y += k_stunden->height() + 2 * ABSTAND;

    QPushButton* hinzufuegen = knopf(292, "&hinzufügen", 90, 26);
    QPushButton* loeschen = knopf(293, "&löschen", 90, 26);
    QPushButton* schliessen = knopf(1, "&Schließen", 90, 26);
    setzeNach(hinzufuegen, RAND, y);
    setzeNach(loeschen, hinzufuegen->geometry().right() + 1 + ABSTAND, y);
    k_dialogBreite = std::max(RAND + breite, k_jahrgang->geometry().right() + 1) + RAND;
    setzeNach(schliessen, k_dialogBreite - RAND - schliessen->width(), y);
    k_dialogHoehe = y + hinzufuegen->height() + RAND;

    enterDrueckt(k_stunden, hinzufuegen);
    connect(hinzufuegen, &QPushButton::clicked, this, &TCurriculumDialog::CmHinzufuegen);
    connect(loeschen, &QPushButton::clicked, this, &TCurriculumDialog::CmLoeschen);
    connect(schliessen, &QPushButton::clicked, this, [this] { schliesse(QDialog::Accepted); });
}

void TCurriculumDialog::setupFenster() {
    c_Schulverwaltung& sv = *k_schulverwaltung;
    fuelleAuswahl(k_fach, fachEintraege(&sv, nullptr), 0);
    fuelleAuswahl(k_jahrgang, jahrgangEintraege(sv), 0);
    updateCurriculum();
    setzeGroesse();
}

void TCurriculumDialog::updateCurriculum() { fuelleListe(k_curriculum, curriculumZeilen(*k_schulverwaltung)); }

void TCurriculumDialog::CmHinzufuegen() {
    TDialogMeldungen m(this);
    WunschEingabe e;
    e.stunden = ss(k_stunden->text());
    e.fach = k_fach->currentIndex();
    e.jahrgang = k_jahrgang->currentIndex();
    wunschHinzufuegen(*k_schulverwaltung, k_maxStunden, e, m);
    updateCurriculum();
}

void TCurriculumDialog::CmLoeschen() {
    TDialogMeldungen m(this);
    wunschLoeschen(*k_schulverwaltung, ersteWahl(k_curriculum), m);
    updateCurriculum();
}
