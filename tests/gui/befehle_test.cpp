// Every menu item, tool-bar button, accelerator and control of the main
// window reaches its handler: each row triggers one of them the way the user
// would and checks the handler's first message, dialog or plug-in call, the
// views it refreshes (exactly those whose lists it changed) and whether the
// change notification ran.
#include "app/stundenplanmatrix.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/qtext.h"
#include "pluginhilfe.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

namespace {

class BefehlTest : public PluginTest {
protected:
    // Triggers `quelle`: "befehl<id>" a menu item, "knopf<id>" a tool-bar
    // button, "Einfg"/"Entf" the accelerators, "id<n>" a control.
    void ausloesen(THauptrahmen* r, const std::string& quelle) {
        const QString name = qs(quelle);
        if (quelle == "Einfg" || quelle == "Entf") {
            const QKeySequence taste(quelle == "Einfg" ? Qt::Key_Insert : Qt::Key_Delete);
            for (QShortcut* k : r->findChildren<QShortcut*>())
                if (k->key() == taste) QMetaObject::invokeMethod(k, "activated");
        } else if (auto* a = r->findChild<QAction*>(name)) {
            a->trigger();
        } else if (auto* k = r->findChild<QPushButton*>(name)) {
            k->click();
        } else if (auto* c = r->findChild<QComboBox*>(name)) {
            QMetaObject::invokeMethod(c, "activated", Q_ARG(int, c->currentIndex()));
        } else if (auto* t = r->findChild<QTabWidget*>(name)) {
            t->setCurrentIndex(REITER_PLUGINS);
        } else {
            ADD_FAILURE() << "nicht gefunden: " << quelle;
        }
    }

    // The views the refreshers fill, by letter: S students 103, L teachers 104, R rooms 102,
    // E single appointments 105, V substitutions 117, K the class tab (combo 107), P the
    // timetable (week text 114). leereAnsichten empties them; aufgefrischteAnsichten names
    // those filled again since.
    static constexpr std::pair<char, int> LISTEN[] = {{'S', 103}, {'L', 104}, {'R', 102}, {'E', 105}, {'V', 117}};
    static void leereAnsichten(TMainWindow* w) {
        for (const auto& [buchstabe, id] : LISTEN) kind<TListenAnsicht>(w, id)->clearZeilen();
        kind<QComboBox>(w, 107)->clear();
        kind<QLabel>(w, 114)->clear();
    }
    static std::string aufgefrischteAnsichten(TMainWindow* w) {
        std::string s;
        for (const auto& [buchstabe, id] : LISTEN)
            if (kind<TListenAnsicht>(w, id)->anzahlZeilen() > 0) s += buchstabe;
        if (kind<QComboBox>(w, 107)->count() > 0) s += 'K';
        if (!kind<QLabel>(w, 114)->text().isEmpty()) s += 'P';
        return s;
    }
};

TEST_F(BefehlTest, EveryMenuItemButtonAcceleratorAndControlReachesItsHandler) {
    plugin("fenster", "a_fenster.so");
    plugin("ohnefenster", "b_ohne.so");
    auto r = rahmen();
    TMainWindow* w = r->client();
    auto* kategorie = kind<QComboBox>(w, 110);
    auto* besitzer = kind<QComboBox>(w, 111);
    auto* klasse = kind<QComboBox>(w, 107);

    // The views (letters of the fixture) are emptied while the command's dialog is open (or
    // before a command without one); those filled again afterwards were refreshed. A row names
    // the views the command must refresh; with a leading "=" no others may be. A dialog closed
    // without storing anything changes no list, and no view is filled again.
    auto leeren = [&] { leereAnsichten(w); };
    auto aufgefrischt = [&] { return aufgefrischteAnsichten(w); };

    std::string dialog;  // object name or caption of the modal dialog that opened
    std::string felder;  // the texts of its edit fields, each followed by "|"
    auto schliesseDialog = [&] {
        imDialog([&](QWidget* d) {
            dialog = ss(d->objectName().isEmpty() ? d->windowTitle() : d->objectName());
            for (const QLineEdit* e : d->findChildren<QLineEdit*>()) felder += ss(e->text()) + "|";
            leeren();
        });
    };
    // The list row `zeile` focused, then the dialog closed once it opens.
    auto markiere = [&](int liste, int zeile) {
        return [&, liste, zeile] {
            kind<TListenAnsicht>(w, liste)->setFokusZeile(zeile);
            schliesseDialog();
        };
    };
    // The timetable of the class 5a.
    auto klassenplan = [&] {
        kategorie->setCurrentIndex(2);
        w->changeKategorie();
    };
    // Its grid cell marked, then the dialog closed once it opens.
    auto markiereZelle = [&](int tag, int stunde) {
        return [&, tag, stunde] {
            klassenplan();
            w->stundenplan()->zelle(tag, stunde)->click();
            schliesseDialog();
        };
    };
    auto mitKlasse = [&] {
        klasse->setCurrentIndex(1);
        schliesseDialog();
    };
    auto nein = [&] { m_meldungen.antworte(IDNO); };
    auto ja = [&] { m_meldungen.antworte(IDYES); };
    auto meldet = [&](const std::string& text, const std::string& titel) {
        return [&, text, titel] {
            ASSERT_GE(m_meldungen.anzahl(), 1u);
            EXPECT_EQ(m_meldungen.meldungen()[0].text, text);
            EXPECT_EQ(m_meldungen.meldungen()[0].caption, titel);
        };
    };
    auto oeffnet = [&](const char* name, const char* feld = nullptr) {
        return [&, name, feld] {
            EXPECT_EQ(dialog, name);
            if (feld) {
                EXPECT_NE(felder.find(std::string(feld) + "|"), std::string::npos) << felder;
            }
        };
    };
    Zeilen zeilen;  // what the plug-ins recorded during the command
    auto ruft = [&](std::string aufruf) {
        return [&, aufruf] {
            ASSERT_FALSE(zeilen.empty());
            EXPECT_EQ(zeilen.front(), aufruf);
        };
    };
    auto dateiDialog = [&](AufzeichnenderDateiDialog::Art art) {
        return [&, art] {
            ASSERT_EQ(m_dateien.anzahl(), 1u);
            EXPECT_EQ(m_dateien.anfragen()[0].art, art);
            EXPECT_EQ(m_dateien.anfragen()[0].auswahl.filter, "Jahrgangs Dateien (*.sdb)|*.sdb|");
        };
    };
    auto zeigtWoche = [&](const char* text) {
        return [&, text] { EXPECT_EQ(kind<QLabel>(w, 114)->text(), text); };
    };
    const auto nichts = [] {};

    const std::string markieren = "markieren,\nbevor Sie ihn ";
    const std::string beenden = "Wollen Sie die Schulverwaltung\nwirklich beenden?";
    const std::string curriculum =
        "Sie müssen das Curriculum festlegen\nbevor Sie einen Stundenplan generieren\nkönnen.";
    const std::string vertretungsplan =
        "Wollen Sie wirklich den Vertretungsplan\nautomatisch erstellen lassen?\n(Anmerkung: es werden nur Termine "
        "ab dem heutigen Datum berücksichtigt)";
    const std::string archivieren =
        "Wollen Sie den aktuellen Jahrgang\nvorher archivieren?\n\n(Alle nicht gespeicherten Daten\ngehen verloren)";
    const std::string halbjahr =
        "Wollen Sie wirklich einen Halbjahreswechsel\ndurchführen und damit alle Dauertermine\nlöschen?";
    const std::string hilfe = "Die Hilfedatei orvask.hlp konnte nicht geöffnet werden.";
    const std::string keineKlasse =
        "Sie müssen erst eine Klasse auswählen.\n\n(Falls noch keine existiert, müssen\nSie eine neue Klasse "
        "eingeben.)";

    const std::string keinTermin = "Sie müssen einen vorhandenen Termin markieren,\nbevor Sie ihn ändern können.";
    const std::string zensurenOhneKlasse =
        "Sie müssen erst eine Klasse auswählen,\nbevor Sie die Zensuren bearbeiten können.";
    const std::string schuljahrOhneKlasse =
        "Es muß mindestens eine Klasse existieren,\nbevor Sie einen Schuljahreswechsel\ndurchführen können";

    // Whether the change notification ran shows in the windowed plug-in's update.
    const bool MIT = true, OHNE = false;
    const struct {
        const char* quelle;
        int reiter;
        std::function<void()> vorher;
        std::function<void()> pruefe;
        bool benachrichtigt;
        const char* aufgefrischt = nullptr;  // the views refreshed (letters above); null: not looked at
    } faelle[] = {
        // Neu on every fixed tab: the dialog for a new record, then the tab's refreshers.
        {"befehl3", REITER_SCHUELER, schliesseDialog, oeffnet("id510"), MIT, "="},
        {"knopf3", REITER_LEHRER, schliesseDialog, oeffnet("id241"), MIT, "="},
        {"Einfg", REITER_RAEUME, schliesseDialog, oeffnet("id230"), MIT, "="},
        {"befehl3", REITER_EINZELTERMINE, schliesseDialog, oeffnet("id260"), MIT, "="},
        {"befehl3", REITER_VERTRETUNGEN, schliesseDialog, oeffnet("id275"), MIT, "="},
        {"befehl3", REITER_KLASSEN, schliesseDialog, oeffnet("id220"), MIT, "="},
        {"befehl3", REITER_STUNDENPLAN, schliesseDialog, oeffnet("id267"), MIT, "="},
        // Ändern: the record of the focused row r is the one at position r + 1.
        {"befehl4", REITER_SCHUELER, markiere(103, 1), oeffnet("id510", "Zander"), MIT, "="},
        {"knopf4", REITER_LEHRER, markiere(104, 1), oeffnet("id241", "Schmidt"), MIT, "="},
        {"befehl4", REITER_RAEUME, markiere(102, 1), oeffnet("id230", "R101"), MIT, "="},
        {"befehl4", REITER_EINZELTERMINE, markiere(105, 0), oeffnet("id260", "Ausflug"), MIT, "="},
        {"befehl4", REITER_VERTRETUNGEN, markiere(117, 0), oeffnet("id275", "Vertretung"), MIT, "="},
        {"befehl4", REITER_KLASSEN, schliesseDialog, [&] { EXPECT_EQ(dialog, "id220"); EXPECT_EQ(felder, "|||"); },
         MIT, "="},
        {"befehl4", REITER_KLASSEN, mitKlasse, oeffnet("id220", "Sonnen"), MIT, "="},
        // On the timetable a substitution goes before the weekly appointment of its cell.
        {"befehl4", REITER_STUNDENPLAN, markiereZelle(2, 3), oeffnet("id275", "Vertretung"), MIT, "="},
        {"befehl4", REITER_STUNDENPLAN, markiereZelle(3, 4), oeffnet("id260", "Ausflug"), MIT, "="},
        {"befehl4", REITER_STUNDENPLAN, markiereZelle(2, 2), oeffnet("id267"), MIT, "="},
        {"befehl4", REITER_STUNDENPLAN, [&] { klassenplan(); leeren(); }, meldet(keinTermin, "Fehler"), MIT,
         "="},
        {"befehl6", 0, schliesseDialog, oeffnet("id280"), MIT, "="},
        {"befehl8", 0, schliesseDialog, oeffnet("id201"), MIT, "="},
        {"befehl14", REITER_STUNDENPLAN, schliesseDialog, oeffnet("id400"), OHNE, "="},
        {"knopf14", 0, schliesseDialog, oeffnet("id400"), OHNE, "="},
        {"befehl15", 0, schliesseDialog, oeffnet("id290"), MIT},
        {"befehl18", REITER_STUNDENPLAN, schliesseDialog, oeffnet("id413"), OHNE, "="},
        {"id115", REITER_KLASSEN, mitKlasse, oeffnet("id600"), MIT},
        {"id115", REITER_KLASSEN, leeren, meldet(zensurenOhneKlasse, "Fehler"), OHNE, "="},
        {"befehl16", 0, nein, meldet("Wollen Sie wirklich alle Daten\nlöschen und neu beginnen?", "Alles löschen"), OHNE},
        {"befehl11", 0, nichts, dateiDialog(AufzeichnenderDateiDialog::Art::Speichern), OHNE},
        {"knopf11", 0, nichts, dateiDialog(AufzeichnenderDateiDialog::Art::Speichern), OHNE},
        {"befehl10", 0, nein, meldet(archivieren, "Jahrgang wiederherstellen"), OHNE},
        {"knopf10", 0, nein, dateiDialog(AufzeichnenderDateiDialog::Art::Oeffnen), OHNE},
        // Archiving first, cancelled: the restore goes on to its own file dialog.
        {"befehl10", 0, ja,
         [&] {
             ASSERT_EQ(m_dateien.anzahl(), 2u);
             EXPECT_EQ(m_dateien.anfragen()[0].art, AufzeichnenderDateiDialog::Art::Speichern);
             EXPECT_EQ(m_dateien.anfragen()[1].art, AufzeichnenderDateiDialog::Art::Oeffnen);
         },
         OHNE},
        {"befehl19", 0, schliesseDialog, oeffnet("Drucker einrichten"), OHNE},
        {"befehl2", 0, nein, meldet(beenden, "Beenden"), OHNE},
        {"knopf2", 0, nein, meldet(beenden, "Beenden"), OHNE},
        {"befehl3", REITER_PLUGINS, nichts, ruft("fenster:neu"), MIT},
        {"knopf3", REITER_PLUGINS, nichts, ruft("fenster:neu"), MIT},
        {"Einfg", REITER_PLUGINS, nichts, ruft("fenster:neu"), MIT},
        {"befehl4", 0, nichts, meldet("Sie müssen erst einen Schüler " + markieren + "ändern können.", "Fehler"), OHNE},
        {"knopf4", 1, nichts, meldet("Sie müssen erst einen Lehrer " + markieren + "ändern können.", "Fehler"), OHNE},
        {"befehl4", REITER_PLUGINS, nichts, ruft("fenster:aendern"), MIT},
        {"befehl5", 2, nichts, meldet("Sie müssen erst einen Raum " + markieren + "löschen können.", "Fehler"), OHNE},
        {"knopf5", 3, nichts, meldet("Sie müssen erst einen Termin " + markieren + "löschen können.", "Fehler"), OHNE},
        {"Entf", 4, nichts,
         meldet("Sie müssen erst einen Vertretungstermin " + markieren + "löschen können.", "Fehler"), OHNE},
        {"Entf", REITER_PLUGINS, nichts, ruft("fenster:loeschen"), MIT},
        {"befehl7", 0, nein, meldet(halbjahr, "Halbjahreswechsel"), OHNE},
        {"befehl12", 0, nichts, meldet(curriculum, "Fehler"), MIT},
        {"knopf12", 0, nichts, meldet(curriculum, "Fehler"), MIT},
        {"befehl13", 0, nein, meldet(vertretungsplan, "Vertretungsplan erstellen"), OHNE},
        {"knopf13", 0, ja, meldet(vertretungsplan, "Vertretungsplan erstellen"), MIT},
        {"befehl60", 0, schliesseDialog, oeffnet("id770"), MIT},
        {"befehl9", 0, nichts, meldet(hilfe, "Fehler"), OHNE},
        {"knopf9", 0, nichts, meldet(hilfe, "Fehler"), OHNE},
        {"befehl17", 0, schliesseDialog, oeffnet("id412"), OHNE},
        {"befehl2001", 0, nichts, ruft(start("ohnefenster", w)), MIT},
        {"id101", 0, nichts, [&] { EXPECT_EQ(zeilen, Zeilen({"fenster:hide", "fenster:show"})); }, OHNE},
        {"id112", REITER_STUNDENPLAN, nichts, zeigtWoche("11.3.2024 - 15.3.2024"), OHNE},
        {"id113", REITER_STUNDENPLAN, nichts, zeigtWoche("26.2.2024 - 1.3.2024"), OHNE},
        {"id118", REITER_STUNDENPLAN, schliesseDialog, oeffnet("id760"), OHNE},
        {"id107", REITER_KLASSEN, [&] { klasse->setCurrentIndex(1); },
         [&] { EXPECT_EQ(kind<TListenAnsicht>(w, 106)->anzahlZeilen(), 2); }, OHNE},
        {"id108", REITER_KLASSEN, nichts, meldet(keineKlasse, "Fehler"), MIT},
        {"id109", REITER_KLASSEN, nichts, meldet(keineKlasse, "Fehler"), MIT},
        {"id110", REITER_STUNDENPLAN, [&] { kategorie->setCurrentIndex(1); },
         [&] { EXPECT_EQ(besitzer->currentText(), "R101"); }, OHNE},
        {"id111", REITER_STUNDENPLAN, [&] { besitzer->setCurrentIndex(1); },
         [&] { EXPECT_EQ(w->stundenplan()->getZelltext(2, 2), "Deutsch\nR101\n5a Sonnen\n"); }, OHNE},
        // These change the year, so they come last.
        {"befehl7", 0, [&] { ja(); nein(); leeren(); }, meldet(halbjahr, "Halbjahreswechsel"), MIT, "=LP"},
        {"knopf10", 0, [&] { nein(); m_dateien.antworte(std::string("jahr_a.sdb")); leeren(); },
         dateiDialog(AufzeichnenderDateiDialog::Art::Oeffnen), MIT, "=SLREVKP"},
        {"befehl16", 0, ja, [&] { EXPECT_EQ(w->schulverwaltung()->getSchuelerliste()->size(), 0u); }, MIT},
        {"befehl6", 0, leeren, meldet(schuljahrOhneKlasse, "Fehler"), OHNE, "="},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.quelle) + " auf Reiter " + std::to_string(f.reiter));
        w->setWoche(4, 3, 2024);
        w->updateRaum();
        w->updateSchueler();
        w->updateLehrer();
        w->updateEinzeltermine();
        w->updateVertretungen();
        w->updateStundenplan();
        kategorie->setCurrentIndex(0);
        w->changeKategorie();
        klasse->setCurrentIndex(0);
        w->changeKlasse();
        w->waehleReiter(f.reiter);
        m_meldungen.leeren();
        m_dateien = AufzeichnenderDateiDialog();
        dialog.clear();
        felder.clear();
        protokoll();
        f.vorher();
        ausloesen(r.get(), f.quelle);
        zeilen = protokoll();
        f.pruefe();
        EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), "fenster:update"), f.benachrichtigt ? 1 : 0);
        if (f.aufgefrischt && *f.aufgefrischt == '=') {
            EXPECT_EQ(aufgefrischt(), f.aufgefrischt + 1);
        } else if (f.aufgefrischt) {
            const std::string ist = aufgefrischt();
            for (const char* c = f.aufgefrischt; *c; ++c)
                EXPECT_NE(ist.find(*c), std::string::npos) << *c << " in " << ist;
        }
        EXPECT_EQ(m_meldungen.offeneAntworten(), 0u);
        // Whatever the command did: no view shows a list that changed since it was filled.
        for (int a = 0; a < TMainWindow::ANSICHTEN; ++a)
            EXPECT_TRUE(w->istAktuell(static_cast<TMainWindow::Ansicht>(a))) << "Ansicht " << a;
    }
}

// The box of a command that runs `beimZeigen` while it is open, then answers as scripted.
class LesenderMeldungsDienst : public AufzeichnenderMeldungsDienst {
public:
    int zeige(QWidget* parent, const std::string& text, const std::string& caption, int flags) override {
        if (beimZeigen) beimZeigen();
        return AufzeichnenderMeldungsDienst::zeige(parent, text, caption, flags);
    }
    std::function<void()> beimZeigen;
};

TEST_F(BefehlTest, DeleteOnAListTabRefreshesTheViewsOfTheListsItChangedAndActsOnlyOnAMarkedRow) {
    plugin("fenster", "a_fenster.so");
    auto w = fenster(false);
    LesenderMeldungsDienst meldungen;
    MeldungsDienstTausch tausch(meldungen);
    meldungen.beimZeigen = [&] { leereAnsichten(w.get()); };
    const struct {
        int reiter;
        int liste;
        int zeile;           // the focused row
        int antwort;         // to the question
        const char* titel;   // of the question; null: the store lost the row's record behind the
                             // view's back: no question, the view is refilled and nothing is marked
        const char* aufgefrischt;
        std::size_t anzahl;  // records of the tab afterwards
    } faelle[] = {
        {REITER_SCHUELER, 103, 0, IDNO, "Schüler löschen", "", 2},
        {REITER_LEHRER, 104, 0, IDNO, "Lehrer löschen", "", 2},
        {REITER_RAEUME, 102, 0, IDNO, "Raum löschen", "", 2},
        {REITER_EINZELTERMINE, 105, 0, IDNO, "Termin löschen", "", 1},
        {REITER_VERTRETUNGEN, 117, 0, IDNO, "Vertretungstermin löschen", "", 1},
        {REITER_SCHUELER, 103, 1, IDYES, "Schüler löschen", "SK", 1},
        {REITER_SCHUELER, 103, 0, IDYES, nullptr, "", 1},
    };
    c_Schulverwaltung* sv = w->schulverwaltung();
    auto anzahl = [&](int reiter) {
        switch (reiter) {
        case REITER_SCHUELER: return sv->getSchuelerliste()->size();
        case REITER_LEHRER: return sv->getLehrerliste()->size();
        case REITER_RAEUME: return sv->getRaumliste()->size();
        case REITER_EINZELTERMINE: return sv->getEinzelterminliste()->size();
        default: return sv->getVertretungsterminliste()->size();
        }
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.reiter) + " Zeile " + std::to_string(f.zeile));
        for (auto aktualisiere : {&TMainWindow::updateRaum, &TMainWindow::updateSchueler, &TMainWindow::updateLehrer,
                                  &TMainWindow::updateEinzeltermine, &TMainWindow::updateVertretungen,
                                  &TMainWindow::updateKlasse, &TMainWindow::updateStundenplan})
            (w.get()->*aktualisiere)();
        w->waehleReiter(f.reiter);
        kind<TListenAnsicht>(w.get(), f.liste)->setFokusZeile(f.zeile);
        if (!f.titel) {
            auto s = std::make_unique<c_Schueler>();
            s->setFelder(std::make_unique<c_Datenliste>(*sv->getSchuelerStruktur()));
            ASSERT_TRUE(sv->addSchueler(s));  // an empty name: first in the list
            ASSERT_TRUE(sv->deleteSchueler(sv->getSchuelerliste()->getSchueler(2)));
        }
        meldungen.leeren();
        meldungen.antworte(f.antwort);
        protokoll();
        w->befehl(CM_LOESCHEN);
        ASSERT_EQ(meldungen.anzahl(), 1u);
        EXPECT_EQ(aufgefrischteAnsichten(w.get()), f.aufgefrischt);
        if (f.titel) {
            EXPECT_EQ(meldungen.letzte().caption, f.titel);
            EXPECT_EQ(protokoll(), Zeilen({"fenster:update"}));
        } else {
            EXPECT_EQ(meldungen.letzte().text, "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn löschen können.");
            EXPECT_EQ(protokoll(), Zeilen());
            EXPECT_EQ(kind<TListenAnsicht>(w.get(), f.liste)->fokusZeile(), -1);
            EXPECT_TRUE(w->istAktuell(TMainWindow::ANSICHT_SCHUELER));  // refilled before the message
        }
        EXPECT_EQ(anzahl(f.reiter), f.anzahl);
    }
}

}  // namespace
