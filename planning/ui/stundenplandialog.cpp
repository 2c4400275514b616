#include "planning/ui/stundenplandialog.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "planning/backtracking.h"
#include "planning/brettspiel.h"
#include "planning/tetris.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const TITEL = "Stundenplanerstellung";
const char* const INFO =
    "Für eine Beschreibung der Algorithmen, lesen Sie bitte die Dokumentation, die diesem Programm beiliegt.";
const char* const FRAGE_LOESCHEN =
    "Sollen vor Beginn der Stundenplanerstellung\nalle Dauertermine gelöscht werden?\n\n(Sonst werden alle "
    "vorhandenen Termine\nin die Erstellung miteinbezogen.)";
const char* const WARNUNG_BRETTSPIEL =
    "WARNUNG: Dieser Algorithmus kann bereits bestehende\nStunden nicht in seine Berechnungen mit einbeziehen!\n\n"
    "Vor der Ausführung werden deshalb alle bestehenden Dauertermine\ngelöscht!\n\nMöchten Sie den Algorithmus nun "
    "starten?";

QPushButton* knopf(QWidget* eltern, int id, const char* text) {
    auto* k = new QPushButton(qs(text), eltern);
    k->setObjectName(QStringLiteral("id%1").arg(id));
    return k;
}

}  // namespace

TStundenplanDialog::TStundenplanDialog(QWidget* parent, c_Schulverwaltung* schulverwaltung)
    : QDialog(parent), k_schulverwaltung(schulverwaltung), k_fehlertext(std::make_unique<std::string>()) {
    setObjectName(QStringLiteral("id700"));
    richteTastenEin(this);
    setWindowTitle(qs(TITEL));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* wahl = new QGroupBox(qs("Bitte wählen Sie einen Algorithmus:"), this);
    auto* wahlLayout = new QVBoxLayout(wahl);
    k_backtracking = knopf(wahl, 701, "Back&tracking - Algorithmus");
    k_tetris = knopf(wahl, 702, "&Randomisierter Tetris - Algorithmus");
    k_brettOhne = knopf(wahl, 703, "&Brettspiel - Algorithmus (Freistunden erlaubt)");
    k_brettMit = knopf(wahl, 704, "Brettspiel - Algorithmus (&ohne Freistunden)");
    k_brettAlle = knopf(wahl, 753, "Brettspiel - Algorithmus (a&lle Bedingungen)");
    for (QPushButton* k : {k_backtracking, k_tetris, k_brettOhne, k_brettMit, k_brettAlle}) wahlLayout->addWidget(k);
    layout->addWidget(wahl);

    auto* info = new QGroupBox(qs("Informationen:"), this);
    auto* infoLayout = new QVBoxLayout(info);
    k_statusFeld = new QLabel(qs(INFO), info);
    k_statusFeld->setObjectName(QStringLiteral("id751"));
    k_statusFeld->setWordWrap(true);
    k_statusFeld->setMinimumSize(360, 90);
    k_statusFeld->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    infoLayout->addWidget(k_statusFeld);
    layout->addWidget(info);

    k_abbruch = knopf(this, 752, "&Abbruch");
    layout->addWidget(k_abbruch, 0, Qt::AlignRight);

    connect(k_backtracking, &QPushButton::clicked, this, &TStundenplanDialog::CmBacktracking);
    connect(k_tetris, &QPushButton::clicked, this, &TStundenplanDialog::CmTetris);
    connect(k_brettOhne, &QPushButton::clicked, this, &TStundenplanDialog::CmBrettOhne);
    connect(k_brettMit, &QPushButton::clicked, this, &TStundenplanDialog::CmBrettMit);
    connect(k_brettAlle, &QPushButton::clicked, this, &TStundenplanDialog::CmBrettAlle);
    connect(k_abbruch, &QPushButton::clicked, this, &TStundenplanDialog::CmAbbruch);

    k_timer.setInterval(100);
    connect(&k_timer, &QTimer::timeout, this, &TStundenplanDialog::EvTimer);
    k_timer.start();
}

TStundenplanDialog::~TStundenplanDialog() {
    k_timer.stop();
    if (k_erstellung) {
        // Destroyed while the generator still works (not through the dialog's
        // own close): ask it to stop and wait, so nothing outlives the thread.
        if (k_erstellung->getStatus() == c_Thread::Status::Running) k_erstellung->stopErstellung(true);
        k_erstellung->warte();
        meldeEnde();
        if (!k_fehlertext->empty())
            meldung(*k_fehlertext, "Stundenplanerstellung schlug fehl", MB_OK | MB_ICONEXCLAMATION, parentWidget());
    }
    k_erstellung.reset();
    k_fehlertext.reset();
}

void TStundenplanDialog::CmBacktracking() { frageUndStarte(Algorithmus::Backtracking); }
void TStundenplanDialog::CmTetris() { frageUndStarte(Algorithmus::Tetris); }
void TStundenplanDialog::CmBrettOhne() { frageUndStarte(Algorithmus::BrettOhne); }
void TStundenplanDialog::CmBrettMit() { frageUndStarte(Algorithmus::BrettMit); }
void TStundenplanDialog::CmBrettAlle() { frageUndStarte(Algorithmus::BrettAlle); }

void TStundenplanDialog::frageUndStarte(Algorithmus a) {
    if (k_erstellung) return;  // one generator per dialog
    const bool brettspiel = a != Algorithmus::Backtracking && a != Algorithmus::Tetris;
    const int antwort =
        meldung(brettspiel ? WARNUNG_BRETTSPIEL : FRAGE_LOESCHEN, TITEL, MB_YESNO | MB_ICONQUESTION, this);
    if (antwort == IDYES) {
        if (k_schulverwaltung) k_schulverwaltung->clearStundenplan(false);
        starte(a);
    } else if (!brettspiel) {
        starte(a);
    }
}

void TStundenplanDialog::starte(Algorithmus a) {
    for (QPushButton* k : {k_backtracking, k_tetris, k_brettOhne, k_brettMit, k_brettAlle}) k->setEnabled(false);
    std::string* fehler = k_fehlertext.get();
    switch (a) {
    case Algorithmus::Backtracking: k_erstellung = std::make_unique<c_Backtracking>(k_schulverwaltung, fehler); break;
    case Algorithmus::Tetris: k_erstellung = std::make_unique<c_Tetris>(k_schulverwaltung, fehler); break;
    case Algorithmus::BrettOhne: k_erstellung = std::make_unique<c_BrettOhne>(k_schulverwaltung, fehler); break;
    case Algorithmus::BrettMit: k_erstellung = std::make_unique<c_BrettMit>(k_schulverwaltung, fehler); break;
    case Algorithmus::BrettAlle: k_erstellung = std::make_unique<c_BrettAlle>(k_schulverwaltung, fehler); break;
    }
    k_laeuftGemeldet = true;
    emit generatorLaeuft(true);
    k_erstellung->start();
}

void TStundenplanDialog::meldeEnde() {
    if (!k_laeuftGemeldet) return;
    k_laeuftGemeldet = false;
    emit generatorLaeuft(false);
}

void TStundenplanDialog::CmAbbruch() {
    if (k_erstellung)
        k_erstellung->stopErstellung(true);
    else
        done(QDialog::Rejected);
}

void TStundenplanDialog::reject() {
    // Escape and the close box: as "&Abbruch"; a running generator is only
    // asked to stop, the dialog closes when its thread has finished.
    CmAbbruch();
}

void TStundenplanDialog::EvTimer() {
    if (!k_erstellung) return;
    switch (k_erstellung->getStatus()) {
    case c_Thread::Status::Running: {
        const QString status = qs(k_erstellung->getStatusAnzeige());
        if (!status.isEmpty() && k_statusFeld->text() != status) k_statusFeld->setText(status);
        break;
    }
    case c_Thread::Status::Finished:
        k_erstellung->warte();
        k_timer.stop();
        meldeEnde();
        k_statusFeld->setText(qs(k_erstellung->getStatusAnzeige()));
        done(QDialog::Rejected);
        break;
    case c_Thread::Status::Created: break;
    }
}
