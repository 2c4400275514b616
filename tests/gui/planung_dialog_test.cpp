// The algorithm dialog 700, the progress dialog 411 and the two commands of
// the main window that use them.

#include "model/datum.h"
#include "planning/backtracking.h"
#include "planning/brettspiel.h"
#include "planning/tetris.h"
#include "planning/ui/stundenplandialog.h"
#include "planning/ui/vertretungsplandialog.h"
#include "planning/vertretungsplanerstellung.h"
#include "platform/text.h"
#include "platform/ui/meldung.h"
#include "platform/zufall.h"
#include "tests/core/planung_schule.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace planung_schule;

namespace {

const char* const FRAGE =
    "Sollen vor Beginn der Stundenplanerstellung\nalle Dauertermine gelöscht werden?\n\n(Sonst werden alle "
    "vorhandenen Termine\nin die Erstellung miteinbezogen.)";
const char* const WARNUNG =
    "WARNUNG: Dieser Algorithmus kann bereits bestehende\nStunden nicht in seine Berechnungen mit einbeziehen!\n\nVor "
    "der Ausführung werden deshalb alle bestehenden Dauertermine\ngelöscht!\n\nMöchten Sie den Algorithmus nun starten?";

class PlanungDialog : public ::testing::Test {
protected:
    void SetUp() override {
        text::setIgnoreCase(false);
        zufall::zuruecksetzen();
        setHeute(2, 3, 2026);
        k_ordner = std::make_unique<Arbeitsordner>();
        k_schule = std::make_unique<Schule>();
        k_tausch = std::make_unique<MeldungsDienstTausch>(k_meldungen);
    }
    void TearDown() override {
        k_tausch.reset();
        k_schule.reset();
        k_ordner.reset();
        setHeute(0, 0, 0);
    }

    Schule& s() { return *k_schule; }
    c_Schulverwaltung* sv() { return k_schule->get(); }

    // A school on which every generator finishes at once.
    void kleineSchule() {
        sv()->setStundenProTag(3);
        c_Fach* de = s().fach("Deutsch");
        s().lehrer("Adam", 10, {de});
        s().klasse(5, 'a', s().raum("KR"));
        s().wunsch(5, de, 2);
    }
    // A school on which the board games never finish (see the core tests).
    void endloseSchule() {
        sv()->setStundenProTag(3);
        c_Fach* de = s().fach("Deutsch");
        c_Fach* ma = s().fach("Mathe");
        s().lehrer("Adam", 4, {de, ma});
        s().klasse(5, 'a', s().raum("KR"));
        s().wunsch(5, de, 4);
        s().wunsch(5, ma, 1);
    }

    template <class T = QPushButton>
    static T* control(QWidget& w, int id) {
        return w.findChild<T*>(QStringLiteral("id%1").arg(id));
    }
    // Waits for the generator's thread, then lets the timer tick close the dialog.
    static void warteUndTick(TStundenplanDialog& d) {
        ASSERT_NE(d.getErstellung(), nullptr);
        d.getErstellung()->warte();
        d.EvTimer();
    }

    AufzeichnenderMeldungsDienst k_meldungen;
    std::unique_ptr<Arbeitsordner> k_ordner;
    std::unique_ptr<Schule> k_schule;
    std::unique_ptr<MeldungsDienstTausch> k_tausch;
};

TEST_F(PlanungDialog, SteuerelementeMitIdUndText) {
    TStundenplanDialog d(nullptr, sv());
    EXPECT_EQ(d.objectName(), "id700");
    EXPECT_EQ(d.windowTitle(), "Stundenplanerstellung");
    const std::pair<int, const char*> knoepfe[] = {
        {701, "Back&tracking - Algorithmus"},
        {702, "&Randomisierter Tetris - Algorithmus"},
        {703, "&Brettspiel - Algorithmus (Freistunden erlaubt)"},
        {704, "Brettspiel - Algorithmus (&ohne Freistunden)"},
        {753, "Brettspiel - Algorithmus (a&lle Bedingungen)"},
        {752, "&Abbruch"}};
    for (const auto& [id, text] : knoepfe) {
        QPushButton* k = control(d, id);
        ASSERT_NE(k, nullptr) << id;
        EXPECT_EQ(k->text(), QString::fromUtf8(text)) << id;
        EXPECT_TRUE(k->isEnabled());
    }
    QLabel* status = control<QLabel>(d, 751);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QString::fromUtf8("Für eine Beschreibung der Algorithmen, lesen Sie bitte die "
                                                "Dokumentation, die diesem Programm beiliegt."));
}

TEST_F(PlanungDialog, AbbruchVorDerWahlSchliesstOhneAenderung) {
    kleineSchule();
    auto d = std::make_unique<TStundenplanDialog>(nullptr, sv());
    d->show();
    control(*d, 752)->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(d->getErstellung(), nullptr);
    d.reset();
    EXPECT_EQ(k_meldungen.anzahl(), 0u);
    EXPECT_TRUE(sv()->getDauerterminliste()->empty());
}

TEST_F(PlanungDialog, BacktrackingNeinPlantAufDieVorhandenenTermine) {
    kleineSchule();
    c_Fach* ma = s().fach("Mathe");
    c_Lehrer* berg = s().lehrer("Berg", 10, {ma});
    s().dauertermin("Freitag", 1, 1, s().klasse(6, 'a'), ma, berg, nullptr);
    k_meldungen.antworte(IDNO);
    {
        TStundenplanDialog d(nullptr, sv());
        d.show();
        control(d, 701)->click();
        ASSERT_EQ(k_meldungen.anzahl(), 1u);
        EXPECT_EQ(k_meldungen.letzte().text, FRAGE);
        EXPECT_EQ(k_meldungen.letzte().caption, "Stundenplanerstellung");
        EXPECT_EQ(k_meldungen.letzte().flags, 36);
        ASSERT_NE(dynamic_cast<c_Backtracking*>(d.getErstellung()), nullptr);
        for (int id : {701, 702, 703, 704, 753}) EXPECT_FALSE(control(d, id)->isEnabled()) << id;
        EXPECT_TRUE(control(d, 752)->isEnabled());
        // A second choice while one runs starts nothing.
        d.CmTetris();
        EXPECT_EQ(k_meldungen.anzahl(), 1u);
        warteUndTick(d);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Rejected);
    }
    EXPECT_EQ(k_meldungen.anzahl(), 1u);  // no failure box
    EXPECT_EQ(sv()->getDauerterminliste()->size(), 3u);
    EXPECT_EQ(sv()->getDauerterminliste()->front()->getLehrer(), berg);
}

TEST_F(PlanungDialog, TetrisJaLoeschtVorher) {
    kleineSchule();
    c_Fach* ma = s().fach("Mathe");
    c_Lehrer* berg = s().lehrer("Berg", 10, {ma});
    s().dauertermin("Freitag", 1, 1, s().klasse(6, 'a'), ma, berg, nullptr);
    k_meldungen.antworte(IDYES);
    {
        TStundenplanDialog d(nullptr, sv());
        control(d, 702)->click();
        ASSERT_NE(dynamic_cast<c_Tetris*>(d.getErstellung()), nullptr);
        warteUndTick(d);
    }
    EXPECT_EQ(sv()->getDauerterminliste()->size(), 2u);
    EXPECT_EQ(berg->getVergebeneStunden(), 0);
    EXPECT_EQ(k_meldungen.anzahl(), 1u);
}

TEST_F(PlanungDialog, BrettspielNeinStartetNichts) {
    kleineSchule();
    k_meldungen.antworte(IDNO);
    TStundenplanDialog d(nullptr, sv());
    d.show();
    control(d, 703)->click();
    ASSERT_EQ(k_meldungen.anzahl(), 1u);
    EXPECT_EQ(k_meldungen.letzte().text, WARNUNG);
    EXPECT_EQ(k_meldungen.letzte().caption, "Stundenplanerstellung");
    EXPECT_EQ(k_meldungen.letzte().flags, 36);
    EXPECT_EQ(d.getErstellung(), nullptr);
    EXPECT_TRUE(d.isVisible());
    for (int id : {701, 702, 703, 704, 753}) EXPECT_TRUE(control(d, id)->isEnabled()) << id;
}

TEST_F(PlanungDialog, BrettspielKnoepfeStartenIhreKlasse) {
    kleineSchule();
    for (int id : {703, 704, 753}) {
        k_meldungen.antworte(IDYES);
        TStundenplanDialog d(nullptr, sv());
        control(d, id)->click();
        Stundenplanerstellung* g = d.getErstellung();
        ASSERT_NE(g, nullptr);
        auto* brett = dynamic_cast<c_Brettspiel*>(g);
        ASSERT_NE(brett, nullptr);
        const c_Brettspiel::Variante erwartet = id == 703   ? c_Brettspiel::Variante::Ohne
                                                : id == 704 ? c_Brettspiel::Variante::Mit
                                                            : c_Brettspiel::Variante::Alle;
        EXPECT_EQ(brett->getVariante(), erwartet) << id;
        const bool klasse = id == 703   ? dynamic_cast<c_BrettOhne*>(g) != nullptr
                            : id == 704 ? dynamic_cast<c_BrettMit*>(g) != nullptr
                                        : dynamic_cast<c_BrettAlle*>(g) != nullptr;
        EXPECT_TRUE(klasse) << id;
        warteUndTick(d);
        EXPECT_EQ(sv()->getDauerterminliste()->size(), 2u) << id;  // cleared before every run
    }
}

TEST_F(PlanungDialog, AbbruchWaehrendDesLaufsWartetUndMeldet) {
    endloseSchule();
    k_meldungen.antworte(IDYES);
    {
        TStundenplanDialog d(nullptr, sv());
        d.show();
        control(d, 753)->click();
        auto* brett = dynamic_cast<c_Brettspiel*>(d.getErstellung());
        ASSERT_NE(brett, nullptr);
        // Waits for passes, not for time; a run that ended by itself leaves the loop as well.
        while (brett->getDurchlaeufe() < 50 && brett->getStatus() == c_Thread::Status::Running)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        d.EvTimer();  // shows the progress
        EXPECT_TRUE(control<QLabel>(d, 751)->text().startsWith("Algorithmus: Brettspiel (mit allen Bedingungen)\n"));
        control(d, 752)->click();
        EXPECT_TRUE(d.isVisible());  // stays open until the thread has finished
        brett->warte();
        EXPECT_EQ(brett->getStatus(), c_Thread::Status::Finished);
        d.EvTimer();
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(k_meldungen.anzahl(), 1u);
    }
    ASSERT_EQ(k_meldungen.anzahl(), 2u);
    EXPECT_EQ(k_meldungen.letzte().text, "Abbruch durch Benutzer.\n");
    EXPECT_EQ(k_meldungen.letzte().caption, "Stundenplanerstellung schlug fehl");
    EXPECT_EQ(k_meldungen.letzte().flags, 48);
    EXPECT_TRUE(invarianten(*sv(), true).empty());
}

TEST_F(PlanungDialog, EscapeWaehrendDesLaufsWirktWieAbbruch) {
    endloseSchule();
    k_meldungen.antworte(IDYES);
    {
        TStundenplanDialog d(nullptr, sv());
        d.show();
        control(d, 704)->click();
        d.reject();  // Escape or the close box
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.getErstellung()->isAbbruch());
        warteUndTick(d);
        EXPECT_FALSE(d.isVisible());
    }
    EXPECT_EQ(k_meldungen.letzte().text, "Abbruch durch Benutzer.\n");
}

TEST_F(PlanungDialog, ZerstoertWaehrendDesLaufsHaeltDenThreadAn) {
    endloseSchule();
    k_meldungen.antworte(IDYES);
    Stundenplanerstellung* g = nullptr;
    {
        TStundenplanDialog d(nullptr, sv());
        control(d, 703)->click();
        g = d.getErstellung();
        ASSERT_NE(g, nullptr);
    }  // destroyed with the thread still running: stopped and joined
    EXPECT_EQ(k_meldungen.letzte().text, "Abbruch durch Benutzer.\n");
    EXPECT_TRUE(invarianten(*sv(), true).empty());
}

TEST_F(PlanungDialog, FehlertextDesGeneratorsBeimSchliessen) {
    c_Fach* de = s().fach("Deutsch");
    s().klasse(5, 'a', s().raum("KR"));
    s().wunsch(5, de, 2);
    k_meldungen.antworte(IDYES);
    {
        TStundenplanDialog d(nullptr, sv());
        control(d, 701)->click();
        warteUndTick(d);
        EXPECT_EQ(d.getFehlertext(), "Es gibt nicht genug Lehrer für Deutsch");
    }
    ASSERT_EQ(k_meldungen.anzahl(), 2u);
    EXPECT_EQ(k_meldungen.letzte().text, "Es gibt nicht genug Lehrer für Deutsch");
    EXPECT_EQ(k_meldungen.letzte().caption, "Stundenplanerstellung schlug fehl");
    EXPECT_EQ(k_meldungen.letzte().flags, 48);
}

TEST_F(PlanungDialog, TimerSchliesstDenDialogNachDemLauf) {
    kleineSchule();
    k_meldungen.antworte(IDYES);
    TStundenplanDialog d(nullptr, sv());
    d.show();
    control(d, 702)->click();
    d.getErstellung()->warte();
    // The dialog's own 100 ms timer closes it: each pass waits for the next event, and the first
    // tick after the thread has finished must do it.
    for (int durchgang = 0; durchgang < 100 && d.isVisible(); ++durchgang)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.getErstellung()->getStatus(), c_Thread::Status::Finished);
    EXPECT_EQ(control<QLabel>(d, 751)->text(), "Algorithmus: randomisierte Tetrisvariante\n\nDurchlauf: 1 von 50");
}

// ---- the commands of the main window

TEST_F(PlanungDialog, StundenplanErstellenOhneCurriculumMeldetFehler) {
    stundenplanErstellen(nullptr, sv());
    ASSERT_EQ(k_meldungen.anzahl(), 1u);
    EXPECT_EQ(k_meldungen.letzte().text,
              "Sie müssen das Curriculum festlegen\nbevor Sie einen Stundenplan generieren\nkönnen.");
    EXPECT_EQ(k_meldungen.letzte().caption, "Fehler");
    EXPECT_EQ(k_meldungen.letzte().flags, 48);
}

TEST_F(PlanungDialog, StundenplanErstellenZeigtDenDialogModal) {
    kleineSchule();
    bool gefunden = false;
    // Runs inside the dialog's event loop: the dialog is there, or something else is modal.
    QTimer::singleShot(0, [&gefunden] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* d = qobject_cast<TStundenplanDialog*>(modal)) {
            gefunden = true;
            d->findChild<QPushButton*>("id752")->click();
        } else if (modal) {
            modal->close();
        }
    });
    stundenplanErstellen(nullptr, sv());
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(k_meldungen.anzahl(), 0u);
}

TEST_F(PlanungDialog, VertretungsplanFrageNeinTutNichts) {
    kleineSchule();
    c_Lehrer* a = sv()->getLehrerliste()->front();
    s().dauertermin("Montag", 2, 2, sv()->getKlassenliste()->front(), sv()->getFachliste()->front(), a, nullptr);
    s().fehlzeit(a, 2, 3, 2026, 2, 3, 2026);
    k_meldungen.antworte(IDNO);
    EXPECT_FALSE(vertretungsplanErstellen(nullptr, sv()));
    ASSERT_EQ(k_meldungen.anzahl(), 1u);
    EXPECT_EQ(k_meldungen.letzte().text,
              "Wollen Sie wirklich den Vertretungsplan\nautomatisch erstellen lassen?\n(Anmerkung: es werden nur "
              "Termine ab dem heutigen Datum berücksichtigt)");
    EXPECT_EQ(k_meldungen.letzte().caption, "Vertretungsplan erstellen");
    EXPECT_EQ(k_meldungen.letzte().flags, 36);
    EXPECT_TRUE(sv()->getVertretungsterminliste()->empty());

    k_meldungen.antworte(IDYES);
    EXPECT_TRUE(vertretungsplanErstellen(nullptr, sv()));
    EXPECT_EQ(k_meldungen.anzahl(), 2u);
    ASSERT_EQ(sv()->getVertretungsterminliste()->size(), 1u);
    EXPECT_EQ(sv()->getVertretungsterminliste()->front()->getName(), "Freistunde");
}

TEST_F(PlanungDialog, VolleVertretungslisteWirdGemeldet) {
    kleineSchule();
    c_Lehrer* a = sv()->getLehrerliste()->front();
    s().dauertermin("Montag", 2, 2, sv()->getKlassenliste()->front(), sv()->getFachliste()->front(), a, nullptr);
    s().fehlzeit(a, 2, 3, 2026, 31, 12, 9999);
    vertretungsplanMitFortschritt(nullptr, sv());
    ASSERT_EQ(k_meldungen.anzahl(), 1u);
    EXPECT_EQ(k_meldungen.letzte().text, VERTRETUNGSPLAN_VOLL);
    EXPECT_EQ(k_meldungen.letzte().caption, "Vertretungsplan erstellen");
    EXPECT_EQ(k_meldungen.letzte().flags, 48);
    EXPECT_EQ(sv()->getVertretungsterminliste()->size(), 32000u);
}

TEST_F(PlanungDialog, FortschrittsdialogIstNichtModalUndZeigtDenText) {
    TVertretungsplanFortschritt d(nullptr);
    EXPECT_EQ(d.objectName(), "id411");
    EXPECT_FALSE(d.isModal());
    const auto labels = d.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front()->text(), QString::fromUtf8("Der Vertretungsplan wird erstellt. Dies kann längere Zeit dauern."));
}

}  // namespace
