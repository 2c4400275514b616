// The main window built from a known year: tabs, columns, cell texts, the
// delete commands, the class tab, the timetable grid and closing.
#include "app/anwendung.h"
#include "app/hauptfenster.h"
#include "app/stundenplanmatrix.h"
#include "fensterhilfe.h"
#include "model/datum.h"
#include "platform/text.h"
#include "platform/ui/dateidialog.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/meldung.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QAbstractItemView>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace {

class HauptfensterTest : public FensterTest {};

TEST_F(HauptfensterTest, TabsColumnsAndCellTexts) {
    auto w = fenster();
    for (const auto& m : m_meldungen.meldungen()) ADD_FAILURE() << m.caption << ": " << m.text;
    auto* reg = kind<QTabWidget>(w.get(), 101);
    ASSERT_NE(reg, nullptr);
    QStringList titel;
    for (int i = 0; i < reg->count(); ++i) titel << reg->tabText(i);
    EXPECT_EQ(titel, QStringList({"Schüler", "Lehrer", "Räume", "Einzeltermine", "Vertretungen", "Klassen", "Stundenplan"}));

    auto* schueler = kind<TListenAnsicht>(w.get(), 103);
    ASSERT_EQ(schueler->anzahlSpalten(), 10);
    EXPECT_EQ(schueler->spaltenTitel(0), "Vorname:");
    EXPECT_EQ(schueler->spaltenTitel(6), "Geburtstag: Tag");
    EXPECT_EQ(schueler->spaltenTitel(9), "Klasse");
    ASSERT_EQ(schueler->anzahlZeilen(), 2);
    EXPECT_EQ(schueler->text(0, 1), "Adler");  // rows follow the sorted list
    EXPECT_EQ(schueler->text(1, 1), "Zander");
    EXPECT_EQ(schueler->text(0, 3), "0");
    EXPECT_EQ(schueler->text(0, 9), "5a Sonnen");

    auto* lehrer = kind<TListenAnsicht>(w.get(), 104);
    ASSERT_EQ(lehrer->anzahlSpalten(), 14);
    EXPECT_EQ(lehrer->spaltenTitel(11), "Klasse");
    EXPECT_EQ(lehrer->spaltenTitel(12), "Fächer");
    EXPECT_EQ(lehrer->spaltenTitel(13), "akt. Std.");
    EXPECT_EQ(lehrer->text(0, 1), "Müller");
    EXPECT_EQ(lehrer->text(0, 9), "");  // URLAUB false
    EXPECT_EQ(lehrer->text(0, 11), "5a Sonnen");
    EXPECT_EQ(lehrer->text(0, 12), "Mathematik, ");
    EXPECT_EQ(lehrer->text(1, 11), "[keine]");

    auto* raeume = kind<TListenAnsicht>(w.get(), 102);
    EXPECT_EQ(raeume->spaltenTitel(0), "Raumbezeichnung:");
    EXPECT_EQ(raeume->spaltenTitel(2), "Klassenraum");
    EXPECT_EQ(raeume->text(0, 0), "A001");
    EXPECT_EQ(raeume->text(0, 1), "");
    EXPECT_EQ(raeume->text(1, 1), "X");
    EXPECT_EQ(raeume->text(1, 2), "5a Sonnen");
    EXPECT_EQ(raeume->text(1, 3), "[kein Fachraum / Klassenraum]");

    auto* einzel = kind<TListenAnsicht>(w.get(), 105);
    EXPECT_EQ(einzel->spaltenTitel(6), "Fach");
    EXPECT_EQ(einzel->text(0, 5), "Ausflug");
    EXPECT_EQ(einzel->text(0, 6), "[kein]");
    EXPECT_EQ(einzel->text(0, 7), "5a Sonnen");
    EXPECT_EQ(einzel->text(0, 8), "Müller, Anna");
    EXPECT_EQ(einzel->text(0, 9), "");

    auto* vertretungen = kind<TListenAnsicht>(w.get(), 117);
    EXPECT_EQ(vertretungen->spaltenTitel(0), "Lehrer");
    EXPECT_EQ(vertretungen->spaltenTitel(1), "vertreten von:");
    EXPECT_EQ(vertretungen->text(0, 0), "Schmidt, Bernd");
    EXPECT_EQ(vertretungen->text(0, 1), "Müller, Anna");
    EXPECT_EQ(vertretungen->text(0, 10), "R101");

    w->waehleReiter(REITER_KLASSEN);
    auto* klasse = kind<QComboBox>(w.get(), 107);
    EXPECT_EQ(klasse->itemText(0), "[keine]");
    EXPECT_EQ(klasse->itemText(1), "5a Sonnen");
    EXPECT_TRUE(kind<TListenAnsicht>(w.get(), 116)->isVisibleTo(w.get()));

    for (int r = 0; r < 7; ++r) {
        w->waehleReiter(r);
        static const char* const namen[7] = {"schueler", "lehrer", "raeume", "einzeltermine", "vertretungen",
                                             "klassen", "stundenplan"};
        bild(w.get(), namen[r]);
    }
}

TEST_F(HauptfensterTest, DeleteTakesTheRecordOfTheFocusedRowAfterTheQuestion) {
    auto w = fenster();
    auto* schueler = kind<TListenAnsicht>(w.get(), 103);
    c_Schulverwaltung* sv = w->schulverwaltung();

    w->befehl(CM_LOESCHEN);
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn löschen können.");
    EXPECT_EQ(m_meldungen.letzte().flags, 48);
    EXPECT_EQ(sv->getSchuelerliste()->size(), 2u);

    schueler->setFokusZeile(1);
    m_meldungen.antworte(IDNO);
    w->befehl(CM_LOESCHEN);
    EXPECT_EQ(m_meldungen.letzte().text, "Wollen Sie den markierten Schüler\nwirklich entfernen?");
    EXPECT_EQ(m_meldungen.letzte().caption, "Schüler löschen");
    EXPECT_EQ(sv->getSchuelerliste()->size(), 2u);

    schueler->setFokusZeile(1);
    m_meldungen.antworte(IDYES);
    w->befehl(CM_LOESCHEN);
    ASSERT_EQ(sv->getSchuelerliste()->size(), 1u);
    EXPECT_EQ(sv->getSchuelerliste()->getSchueler(1)->getName(), "Adler");
    EXPECT_EQ(schueler->anzahlZeilen(), 1);
    EXPECT_EQ(schueler->fokusZeile(), -1);

    // A teacher who leads a class cannot go.
    w->waehleReiter(REITER_LEHRER);
    kind<TListenAnsicht>(w.get(), 104)->setFokusZeile(0);
    m_meldungen.antworte(IDYES);
    w->befehl(CM_LOESCHEN);
    EXPECT_EQ(m_meldungen.letzte().text, "Der Lehrer konnte nicht gelöscht werden!");
    EXPECT_EQ(sv->getLehrerliste()->size(), 2u);
}

TEST_F(HauptfensterTest, ARowOfAListThatChangedSinceItWasFilledNamesNoRecord) {
    auto w = fenster();
    auto* schueler = kind<TListenAnsicht>(w.get(), 103);
    c_Schulverwaltung* sv = w->schulverwaltung();
    // The store loses a student behind the view's back: the marked row would name another
    // one, or none. The view is filled again first, and then nothing is marked.
    for (int zeile : {0, 1}) {
        for (int befehl : {CM_AENDERN, CM_LOESCHEN}) {
            SCOPED_TRACE(std::to_string(zeile) + " " + std::to_string(befehl));
            w->updateSchueler();
            schueler->setFokusZeile(zeile);
            auto s = std::make_unique<c_Schueler>();
            s->setFelder(std::make_unique<c_Datenliste>(*sv->getSchuelerStruktur()));
            s->getFelder()->setString("NAME", "Aaron");
            ASSERT_TRUE(sv->addSchueler(s));  // goes first: every row now names the student above
            m_meldungen.antworte(IDYES);
            w->befehl(befehl);
            ASSERT_EQ(m_meldungen.anzahl(), 1u);
            EXPECT_EQ(m_meldungen.letzte().text, std::string("Sie müssen erst einen Schüler markieren,\nbevor Sie ihn ") +
                                                     (befehl == CM_AENDERN ? "ändern" : "löschen") + " können.");
            EXPECT_EQ(schueler->anzahlZeilen(), static_cast<int>(sv->getSchuelerliste()->size()));
            EXPECT_EQ(schueler->fokusZeile(), -1);
            m_meldungen.leeren();
            ASSERT_TRUE(sv->deleteSchueler(sv->getSchuelerliste()->getSchueler(1)));
        }
    }
    EXPECT_EQ(sv->getSchuelerliste()->size(), 2u);
}

TEST_F(HauptfensterTest, ClassTabRefusesATeacherWhoAlreadyLeadsAClass) {
    auto w = fenster();
    w->waehleReiter(REITER_KLASSEN);
    auto* klasse = kind<QComboBox>(w.get(), 107);
    auto* lehrer = kind<QComboBox>(w.get(), 108);
    auto* raum = kind<QComboBox>(w.get(), 109);

    // Without a class chosen there is nothing to change.
    lehrer->setCurrentIndex(2);
    w->changeKlassenlehrer();
    EXPECT_EQ(m_meldungen.letzte().text,
              "Sie müssen erst eine Klasse auswählen.\n\n(Falls noch keine existiert, müssen\nSie eine neue Klasse "
              "eingeben.)");

    klasse->setCurrentIndex(1);
    w->changeKlasse();
    EXPECT_EQ(lehrer->currentText(), "Müller, Anna");
    EXPECT_EQ(raum->currentText(), "R101");  // only active rooms are offered
    EXPECT_EQ(raum->count(), 2);
    EXPECT_EQ(kind<TListenAnsicht>(w.get(), 106)->anzahlZeilen(), 2);

    lehrer->setCurrentIndex(1);  // the class's own teacher again
    w->changeKlassenlehrer();
    EXPECT_EQ(m_meldungen.letzte().text,
              "Dieser Lehrer kann dieser Klasse nicht\nzugeordnet werden, da er bereits Klassenlehrer ist.");

    lehrer->setCurrentIndex(2);
    w->changeKlassenlehrer();
    c_Klasse* k = w->schulverwaltung()->getKlassenliste()->getKlasse(1);
    EXPECT_EQ(k->getKlassenlehrer()->getName(), "Schmidt");
    EXPECT_EQ(lehrer->currentText(), "Schmidt, Bernd");

    m_meldungen.antworte(IDNO);
    lehrer->setCurrentIndex(0);
    w->changeKlassenlehrer();
    EXPECT_EQ(k->getKlassenlehrer()->getName(), "Schmidt");
}

// Every closed choice of the class and timetable tabs is as wide as its entry needs where it has
// room (up to the next control, the window's edge or the grid); where it has not, it shows the entry
// shortened with "…" and the whole entry as its tool tip. Its open list shows every entry whole.
TEST_F(HauptfensterTest, ClosedChoicesShowTheirEntryWholeOrShortened) {
    for (const bool lang : {false, true}) {
        const std::string fall = lang ? "lang" : "abschluss";
        SCOPED_TRACE(fall);
        schreibeJahrgang(AKTUELLE_DATEI);
        {
            c_Schulverwaltung sv;
            std::string fehler;
            ASSERT_TRUE(sv.load(AKTUELLE_DATEI, &fehler)) << fehler;
            c_Klasse* k = sv.getKlassenliste()->getKlasse(1);
            k->setJahrgangBez(10, 'a');
            k->setName(lang ? "Abschlussklasse der Berufsfachschule für Sozialassistenz 2027" : "10a Abschluss 2027");
            if (lang) {  // and a class teacher and class room whose names fit nowhere
                k->getKlassenlehrer()->getFelder()->setString("NAME", "Müller-Lüdenscheidt-Hohenzollern");
                k->getKlassenlehrer()->getFelder()->setString("VORNAME", "Anna-Katharina Maria");
                k->getKlassenraum()->getFelder()->setString(
                    "NAME", "Naturwissenschaftlicher Fachraum für Chemie, Physik und Biologie im Neubau, Erdgeschoss links");
            }
            ASSERT_EQ(sv.save(AKTUELLE_DATEI), 1);
        }
        auto* w = new TMainWindow;
        THauptrahmen rahmen(w);
        w->setupFenster();
        rahmen.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&rahmen));
        auto auswahl = [w](int id) { return kind<QComboBox>(w, id); };
        auto waehle = [&](int id, int i) { auswahl(id)->setCurrentIndex(i); emit auswahl(id)->activated(i); };
        // `box` ends before `rechts`; where that leaves it room for its entry it shows it whole, else it
        // reaches `rechts` and draws, pixel for pixel, what a plain box draws for the entry shortened.
        auto pruefe = [&](QComboBox* box, int rechts) {
            const QString ganz = box->currentText();
            SCOPED_TRACE(box->objectName().toStdString() + " " + ganz.toStdString());
            kind<QTabWidget>(w, 101)->setFocus();  // drawn without the focus, as the box it is compared with
            const QFontMetrics fm(box->font());
            QStyleOptionComboBox o;
            o.initFrom(box);
            const QSize inhalt(fm.horizontalAdvance(ganz), fm.height());
            const int noetig = box->style()->sizeFromContents(QStyle::CT_ComboBox, &o, inhalt, box).width();
            const bool passt = noetig <= rechts - box->x();
            EXPECT_TRUE(passt || lang);  // a usual name always shows whole
            const int ende = box->x() + box->width();
            EXPECT_TRUE(passt ? ende <= rechts : ende == rechts) << ende << " " << rechts;
            const QString gezeigt = fm.elidedText(ganz, Qt::ElideRight, platzFuerText(box));
            EXPECT_EQ(gezeigt == ganz, passt) << gezeigt.toStdString();
            EXPECT_EQ(box->toolTip().toStdString(), passt ? "" : ganz.toStdString());
            QComboBox vergleich(box->parentWidget());
            vergleich.addItem(gezeigt);
            vergleich.setGeometry(box->geometry());
            EXPECT_TRUE(box->grab().toImage() == vergleich.grab().toImage()) << gezeigt.toStdString();
            EXPECT_GE(box->view()->minimumWidth(), noetig);  // the open list shows it whole
        };
        // As the frame starts, large, and small again.
        const QSize groessen[] = {rahmen.size(), QSize(1200, 900), rahmen.size()};
        for (int i = 0; i < 3; ++i) {
            rahmen.resize(groessen[i]);
            QApplication::processEvents();
            const std::string foto = "auswahl-" + fall + (i ? "-1200x900" : "-standard");
            w->waehleReiter(REITER_KLASSEN);
            waehle(107, 1);
            pruefe(auswahl(107), auswahl(108)->x() - 10);
            pruefe(auswahl(108), auswahl(109)->x() - 10);
            pruefe(auswahl(109), w->width() - 13);
            if (i < 2) bild(&rahmen, (foto + "-klassen").c_str());
            w->waehleReiter(REITER_STUNDENPLAN);
            // Every teacher, room and class (the last one) as the owner in turn: the tool tip follows.
            for (int k = 0; k < 3; ++k) {
                waehle(110, k);
                for (int b = 0; b < auswahl(111)->count(); ++b) {
                    waehle(111, b);
                    pruefe(auswahl(110), w->stundenplan()->x() - 5);
                    pruefe(auswahl(111), w->stundenplan()->x() - 5);
                }
            }
            if (i < 2) bild(&rahmen, (foto + "-stundenplan").c_str());
        }
        EXPECT_EQ(m_meldungen.anzahl(), 0u) << (m_meldungen.anzahl() ? m_meldungen.letzte().text : "");
    }
}

TEST_F(HauptfensterTest, GridShowsWeeklySingleAndSubstitutionTexts) {
    auto w = fenster();
    w->waehleReiter(REITER_STUNDENPLAN);
    int t, m, j;
    w->getWoche(&t, &m, &j);
    EXPECT_EQ(t * 10000 + m * 100 + j % 100, 40324);  // Monday 4.3.2024
    EXPECT_EQ(kind<QLabel>(w.get(), 114)->text(), "4.3.2024 - 8.3.2024");
    TStundenplanMatrix* g = w->stundenplan();
    auto* kategorie = kind<QComboBox>(w.get(), 110);
    auto* besitzer = kind<QComboBox>(w.get(), 111);

    // Teacher Müller: the single appointment on Wednesday and the substitution he gives on Tuesday.
    EXPECT_EQ(besitzer->currentText(), "Müller");
    EXPECT_EQ(g->getZelltext(3, 4), "Ausflug\n");
    EXPECT_NE(g->getEinzeltermin(3, 4), nullptr);
    EXPECT_EQ(g->getZelltext(2, 3), "Vertretung\n");
    EXPECT_NE(g->getVertretungstermin(2, 3), nullptr);
    EXPECT_EQ(g->getZelltext(2, 2), "");

    // Teacher Schmidt: his weekly lesson.
    besitzer->setCurrentIndex(1);
    w->changeBesitzer();
    EXPECT_EQ(g->getZelltext(2, 2), "Deutsch\nR101\n5a Sonnen\n");
    EXPECT_EQ(g->getZelltext(2, 3), "Deutsch\nR101\n5a Sonnen\n");
    EXPECT_EQ(g->getVertretungstermin(2, 3), nullptr);  // the substitute is Müller, not him

    // Room R101 (the only active room): weekly lesson, then the substitution on top.
    kategorie->setCurrentIndex(1);
    w->changeKategorie();
    EXPECT_EQ(besitzer->currentText(), "R101");
    EXPECT_EQ(g->getZelltext(2, 2), "Deutsch\nSchmidt\n5a Sonnen\n");
    EXPECT_EQ(g->getZelltext(2, 3), "Vertretung\n");
    EXPECT_NE(g->getDauertermin(2, 3), nullptr);
    EXPECT_NE(g->getVertretungstermin(2, 3), nullptr);

    // Class 5a: all three.
    kategorie->setCurrentIndex(2);
    w->changeKategorie();
    EXPECT_EQ(g->getZelltext(2, 2), "Deutsch\nR101\nSchmidt\n");
    EXPECT_EQ(g->getZelltext(3, 4), "Ausflug\n");

    // Marked cell with weekly lesson and substitution: Löschen acts on the substitution.
    g->zelle(2, 3)->click();
    m_meldungen.antworte(IDNO);
    w->befehl(CM_LOESCHEN);
    EXPECT_EQ(m_meldungen.letzte().caption, "Vertretungstermin löschen");

    // Nothing changed: the cell stays marked. Next week is empty; a refresh keeps the
    // category and owner.
    m_meldungen.antworte(IDNO);
    w->befehl(CM_LOESCHEN);
    EXPECT_EQ(m_meldungen.letzte().caption, "Vertretungstermin löschen");
    w->CmWocheVor();
    EXPECT_EQ(kind<QLabel>(w.get(), 114)->text(), "11.3.2024 - 15.3.2024");
    EXPECT_EQ(kategorie->currentIndex(), 2);
    EXPECT_EQ(g->getZelltext(3, 4), "");
    EXPECT_EQ(g->getZelltext(2, 2), "Deutsch\nR101\nSchmidt\n");
    w->CmWocheZurueck();
    w->CmWocheZurueck();
    EXPECT_EQ(kind<QLabel>(w.get(), 114)->text(), "26.2.2024 - 1.3.2024");
}

TEST_F(HauptfensterTest, WithoutAChosenOwnerTheGridShowsTheAppointmentsWithoutOne) {
    auto w = fenster();
    c_Schulverwaltung* sv = w->schulverwaltung();
    // A Monday lesson in R101 with neither teacher nor class, and a Thursday meeting without teacher.
    auto d = std::make_unique<c_Dauertermin>();
    d->setFelder(std::make_unique<c_Datenliste>(*sv->getDauerterminStruktur()));
    d->setWochentag("Montag");
    d->setAStd(1);
    d->setEStd(1);
    d->setRaum(sv->getRaumliste()->getRaum(2));
    d->setFach(sv->getFachliste()->getFach(2));  // Mathematik
    c_Dauertermin* montag = d.get();
    ASSERT_EQ(sv->addDauertermin(d), nullptr);
    auto e = std::make_unique<c_Einzeltermin>();
    e->setFelder(std::make_unique<c_Datenliste>(*sv->getEinzelterminStruktur()));
    e->setDatum(7, 3, 2024);
    e->setAStd(5);
    e->setEStd(5);
    e->setName("Konferenz");
    ASSERT_EQ(sv->addEinzeltermin(e), nullptr);

    w->waehleReiter(REITER_STUNDENPLAN);
    auto* kategorie = kind<QComboBox>(w.get(), 110);
    auto* besitzer = kind<QComboBox>(w.get(), 111);
    TStundenplanMatrix* g = w->stundenplan();
    kategorie->setCurrentIndex(2);
    w->changeKategorie();
    ASSERT_EQ(besitzer->currentText(), "5a Sonnen");
    EXPECT_EQ(g->getZelltext(1, 1), "");
    EXPECT_EQ(g->getZelltext(2, 2), "Deutsch\nR101\nSchmidt\n");

    // The shown class goes; after the refresh no owner is chosen, and the grid
    // shows the appointments that have no class.
    w->waehleReiter(REITER_KLASSEN);
    kind<QComboBox>(w.get(), 107)->setCurrentIndex(1);
    w->changeKlasse();
    m_meldungen.antworte(IDYES);
    w->befehl(CM_LOESCHEN);
    ASSERT_TRUE(sv->getKlassenliste()->empty());
    // The class took its students' class, its appointment and its substitution along: no view
    // shows rows of them any more.
    EXPECT_EQ(kind<TListenAnsicht>(w.get(), 117)->anzahlZeilen(), 0);
    EXPECT_EQ(kind<TListenAnsicht>(w.get(), 105)->anzahlZeilen(), 1);  // the meeting without a class
    EXPECT_EQ(kind<TListenAnsicht>(w.get(), 103)->text(0, 9), "[keine]");
    for (int a = 0; a < TMainWindow::ANSICHTEN; ++a)
        EXPECT_TRUE(w->istAktuell(static_cast<TMainWindow::Ansicht>(a))) << a;
    w->waehleReiter(REITER_STUNDENPLAN);
    EXPECT_EQ(kategorie->currentIndex(), 2);
    EXPECT_EQ(besitzer->currentIndex(), -1);
    EXPECT_EQ(g->getZelltext(1, 1), "Mathematik\nR101\n");
    EXPECT_EQ(g->getDauertermin(1, 1), montag);
    EXPECT_EQ(g->getZelltext(2, 2), "");
    EXPECT_EQ(g->getZelltext(4, 5), "Konferenz\n");
    EXPECT_NE(g->getEinzeltermin(4, 5), nullptr);

    // Teachers: with none chosen, the lessons without a teacher.
    kategorie->setCurrentIndex(0);
    w->changeKategorie();
    EXPECT_EQ(g->getZelltext(1, 1), "");  // Müller is chosen
    besitzer->setCurrentIndex(-1);
    w->changeBesitzer();
    EXPECT_EQ(g->getZelltext(1, 1), "Mathematik\nR101\n");
    EXPECT_EQ(g->getZelltext(4, 5), "Konferenz\n");
    EXPECT_EQ(g->getZelltext(2, 3), "");  // Müller's substitution is not shown
}

TEST_F(HauptfensterTest, GoToDateLandsOnTheMondayAndRefusesImpossibleDates) {
    auto w = fenster();
    auto fuelleDialog = [](const char* tag, const char* monat, const char* jahr) {
        QTimer::singleShot(0, [=] {
            QWidget* d = QApplication::activeModalWidget();
            ASSERT_NE(d, nullptr);
            d->findChild<QLineEdit*>("id761")->setText(tag);
            d->findChild<QLineEdit*>("id762")->setText(monat);
            d->findChild<QLineEdit*>("id763")->setText(jahr);
            d->findChild<QPushButton*>("id1")->click();
            if (QApplication::activeModalWidget() == d) d->findChild<QPushButton*>("id2")->click();
        });
    };
    fuelleDialog("10", "3", "24");  // a Sunday
    w->CmGeheZu();
    int t, m, j;
    w->getWoche(&t, &m, &j);
    EXPECT_EQ(std::vector<int>({t, m, j}), std::vector<int>({4, 3, 2024}));

    fuelleDialog("31", "2", "2024");
    w->CmGeheZu();
    EXPECT_EQ(m_meldungen.letzte().text, "Das eingegebene Datum ist nicht korrekt.");
    w->getWoche(&t, &m, &j);
    EXPECT_EQ(std::vector<int>({t, m, j}), std::vector<int>({4, 3, 2024}));

    fuelleDialog("1", "1", "2025");  // a Wednesday
    w->CmGeheZu();
    w->getWoche(&t, &m, &j);
    EXPECT_EQ(std::vector<int>({t, m, j}), std::vector<int>({30, 12, 2024}));
    EXPECT_EQ(getWochentag(t, m, j), 1);
}

TEST_F(HauptfensterTest, ClosingSavesBeforeTheQuestion) {
    auto w = fenster();
    const std::string vorher = dateiInhalt(AKTUELLE_DATEI);
    auto f = std::make_unique<c_Fach>("Zeichnen");
    w->schulverwaltung()->addFach(f);
    m_meldungen.antworte(IDNO);
    EXPECT_FALSE(w->queryClose());
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, "Wollen Sie die Schulverwaltung\nwirklich beenden?");
    EXPECT_EQ(m_meldungen.letzte().caption, "Beenden");
    EXPECT_EQ(m_meldungen.letzte().flags, 36);
    const std::string nachher = dateiInhalt(AKTUELLE_DATEI);
    EXPECT_NE(nachher, vorher);
    EXPECT_NE(nachher.find("string,Zeichnen\r\n"), std::string::npos);
    EXPECT_EQ(w->schulverwaltung()->getFachliste()->size(), 3u);
    EXPECT_TRUE(w->queryClose());
    EXPECT_EQ(w->schulverwaltung()->getFachliste()->size(), 0u);
}

TEST_F(HauptfensterTest, FailedStartLoadKeepsTheOldFileAsBackupAndAYearWithoutStructureIsNeverWritten) {
    // A data section cut short: what loaded is written, after the old file was kept. A cut
    // structure section: the templates are incomplete, and the year is not written at all.
    schreibeJahrgang("ganz.sdb");
    const std::string ganz = dateiInhalt("ganz.sdb");
    const std::string datenGekuerzt = ganz.substr(0, ganz.rfind("/Schueler\r\n"));
    const std::string strukturGekuerzt = "# kaputt\r\n/STRUCTBEGIN\r\n/Schueler\r\nstring,VORNAME,'Vorname:',1,1,1,1,1,1\r\n";
    for (const bool struktur : {true, false}) {
        SCOPED_TRACE(struktur ? "Daten gekürzt" : "Struktur gekürzt");
        fs::remove(std::string(AKTUELLE_DATEI) + ".bak");
        const std::string original = struktur ? datenGekuerzt : strukturGekuerzt;
        {
            std::ofstream out(AKTUELLE_DATEI, std::ios::binary);
            out << original;
        }
        m_meldungen.leeren();
        auto w = fenster(false);
        ASSERT_EQ(m_meldungen.anzahl(), 1u);
        EXPECT_EQ(m_meldungen.letzte().caption, "Fehler beim Laden des aktuellen Datenbestandes");
        EXPECT_NE(m_meldungen.letzte().text.find("Die Datei endet unerwartet."), std::string::npos);
        m_meldungen.antworte(IDNO);
        w->queryClose();
        if (struktur) {
            EXPECT_EQ(dateiInhalt(std::string(AKTUELLE_DATEI) + ".bak"), original);
            EXPECT_NE(dateiInhalt(AKTUELLE_DATEI), original);
            EXPECT_EQ(m_meldungen.letzte().caption, "Beenden");
        } else {
            EXPECT_FALSE(fs::exists(std::string(AKTUELLE_DATEI) + ".bak"));
            EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), original);
            ASSERT_EQ(m_meldungen.anzahl(), 3u);
            EXPECT_NE(m_meldungen.meldungen()[1].text.find("weil seine Struktur nicht geladen werden konnte"),
                      std::string::npos);
            // Nothing was changed, so quitting loses nothing: the plain question.
            EXPECT_EQ(m_meldungen.letzte().text, "Wollen Sie die Schulverwaltung\nwirklich beenden?");
        }
    }
}

TEST_F(HauptfensterTest, ExtensionsDialogStaysClosedWhenTheFailedStartFileCannotBeKept) {
    {
        std::ofstream out(AKTUELLE_DATEI, std::ios::binary);
        out << "# kaputt\r\n/STRUCTBEGIN\r\n";
    }
    const std::string original = dateiInhalt(AKTUELLE_DATEI);
    // A folder (not empty) where the copy should go: the copy fails.
    fs::create_directories(std::string(AKTUELLE_DATEI) + ".bak/belegt");
    auto w = fenster(false);
    m_meldungen.leeren();
    // Should a dialog open after all, close it so that the test ends.
    QTimer::singleShot(200, [] {
        if (QWidget* m = QApplication::activeModalWidget()) m->close();
    });
    w->befehl(CM_ERWEITERUNGEN);
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, "Die Datei aktuell.sdb konnte nicht als aktuell.sdb.bak gesichert werden.");
    EXPECT_EQ(m_meldungen.letzte().flags, 48);
    EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), original);
}

TEST_F(HauptfensterTest, ArchiveAndRestore) {
    auto w = fenster();
    // A failed archive is reported.
    m_dateien.antworte(std::string("fehlt/archiv.sdb"));
    w->befehl(CM_JAHRGANG_ARCHIVIEREN);
    EXPECT_EQ(m_meldungen.letzte().text, "Der Jahrgang konnte nicht archiviert werden.");
    EXPECT_EQ(m_meldungen.letzte().flags, 48);
    // ... and a restore that asked for it stops there.
    m_dateien.antworte(std::string("fehlt/archiv.sdb"));
    m_meldungen.antworte(IDYES);
    w->befehl(CM_JAHRGANG_WIEDERHERSTELLEN);
    EXPECT_EQ(m_dateien.anzahl(), 2u);
    EXPECT_EQ(w->schulverwaltung()->getSchuelerliste()->size(), 2u);

    m_dateien.antworte(std::string("archiv.sdb"));
    w->befehl(CM_JAHRGANG_ARCHIVIEREN);
    EXPECT_EQ(m_dateien.anfragen().back().auswahl.filter, "Jahrgangs Dateien (*.sdb)|*.sdb|");
    ASSERT_TRUE(fs::exists("archiv.sdb"));

    m_meldungen.antworte(IDYES);
    w->befehl(CM_ZURUECKSETZEN);
    EXPECT_EQ(w->schulverwaltung()->getSchuelerliste()->size(), 0u);
    EXPECT_EQ(kind<TListenAnsicht>(w.get(), 103)->anzahlZeilen(), 0);

    m_meldungen.antworte(IDNO);
    m_dateien.antworte(std::string("archiv.sdb"));
    w->befehl(CM_JAHRGANG_WIEDERHERSTELLEN);
    EXPECT_EQ(w->schulverwaltung()->getSchuelerliste()->size(), 2u);
    EXPECT_EQ(kind<TListenAnsicht>(w.get(), 103)->anzahlZeilen(), 2);
}

TEST_F(HauptfensterTest, HalfYearChangeAndHelp) {
    auto w = fenster();
    c_Schulverwaltung* sv = w->schulverwaltung();
    m_meldungen.antworte(IDNO);
    w->befehl(CM_HALBJAHRESWECHSEL);
    EXPECT_EQ(sv->getDauerterminliste()->size(), 1u);
    m_meldungen.antworte(IDYES);
    m_meldungen.antworte(IDNO);
    w->befehl(CM_HALBJAHRESWECHSEL);
    EXPECT_EQ(m_meldungen.letzte().text, "Sollen auch die Zensuren aller Schueler\ngeloescht werden?");
    EXPECT_EQ(sv->getDauerterminliste()->size(), 0u);

    w->befehl(CM_HILFE);
    EXPECT_EQ(m_meldungen.letzte().text, "Die Hilfedatei orvask.hlp konnte nicht geöffnet werden.");
    EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
}

TEST_F(HauptfensterTest, FrameHasCaptionMenuAndToolBar) {
    schreibeJahrgang(AKTUELLE_DATEI);
    auto* client = new TMainWindow;
    THauptrahmen rahmen(client);
    client->setupFenster();
    EXPECT_EQ(rahmen.windowTitle(), "Tessaluna Schulverwaltung Version 1.2 BETA2");
    QStringList knoepfe;
    for (QAction* a : rahmen.findChild<QToolBar*>("werkzeugleiste")->actions())
        knoepfe << (a->isSeparator() ? "-" : a->objectName());
    EXPECT_EQ(knoepfe, QStringList({"knopf9", "knopf2", "-", "knopf10", "knopf11", "-", "knopf3", "knopf4", "knopf5",
                                    "-", "knopf12", "knopf13", "knopf14"}));

    // The menu with its popups and items in order, each item naming its command.
    QStringList menue;
    for (QAction* popup : rahmen.menuBar()->actions()) {
        menue << popup->text();
        for (QAction* a : popup->menu()->actions())
            menue << (a->isSeparator() ? QString("-") : a->text() + " " + a->objectName());
    }
    EXPECT_EQ(menue, QStringList({"&Programm",
                                  "Schulverwaltung &zurücksetzen... befehl16",
                                  "-",
                                  "Jahrgang &archivieren... befehl11",
                                  "Jahrgang &wiederherstellen... befehl10",
                                  "-",
                                  "Daten E&xportieren... befehl14",
                                  "-",
                                  "&Drucken... befehl18",
                                  "D&rucker einrichten... befehl19",
                                  "-",
                                  "&Beenden befehl2",
                                  "&Bearbeiten",
                                  "&Neu... befehl3",
                                  "Än&dern... befehl4",
                                  "&Löschen... befehl5",
                                  "&Spezial",
                                  "&Schuljahreswechsel befehl6",
                                  "&Halbjahreswechsel befehl7",
                                  "-",
                                  "Stundenplan &erstellen befehl12",
                                  "&Vertretungsplan erstellen befehl13",
                                  "-",
                                  "&Curriculum befehl15",
                                  "E&instellungen befehl8",
                                  "-",
                                  "Er&weiterungen... befehl60",
                                  "&Hilfe",
                                  "&Hilfe befehl9",
                                  "-",
                                  "&Info befehl17"}));
    // The menu item runs its command: Löschen without a marked student.
    rahmen.findChild<QAction*>("befehl5")->trigger();
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn löschen können.");

    // Insert and Delete are shortcuts of the whole frame; Delete reaches Löschen.
    QShortcut* einfg = nullptr;
    QShortcut* entf = nullptr;
    for (QShortcut* k : rahmen.findChildren<QShortcut*>()) {
        if (k->key() == QKeySequence(Qt::Key_Insert)) einfg = k;
        if (k->key() == QKeySequence(Qt::Key_Delete)) entf = k;
    }
    ASSERT_NE(einfg, nullptr);
    ASSERT_NE(entf, nullptr);
    EXPECT_EQ(einfg->context(), Qt::WindowShortcut);
    EXPECT_EQ(entf->context(), Qt::WindowShortcut);
    QMetaObject::invokeMethod(entf, "activated");
    ASSERT_EQ(m_meldungen.anzahl(), 2u);
    EXPECT_EQ(m_meldungen.letzte().text, "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn löschen können.");
    rahmen.show();
    bild(&rahmen, "rahmen");
}

TEST_F(HauptfensterTest, ThirtyTwoThousandStudentsFillQuickly) {
    {
        c_Schulverwaltung sv;
        std::string fehler;
        sv.reset(&fehler);
        for (int i = 0; i < 32000; ++i) {
            auto s = std::make_unique<c_Schueler>();
            s->setFelder(std::make_unique<c_Datenliste>(*sv.getSchuelerStruktur()));
            s->getFelder()->setString("NAME", "Name" + std::to_string(i));
            s->getFelder()->setString("VORNAME", "Vorname");
            s->getFelder()->setInt("PLZ", 10000 + i);
            sv.getDatabase()->getSchuelerliste()->push_back(s.release());
        }
        ASSERT_EQ(sv.save(AKTUELLE_DATEI), 1);
    }
    auto w = fenster(false);
    // Counted, not timed (bench_ui_listen measures it): the rows go in with one reset of the
    // model, never row by row, and the view need not measure each row.
    auto* liste = kind<TListenAnsicht>(w.get(), 103);
    int zuruecksetzungen = 0, einfuegungen = 0, aenderungen = 0;
    QObject::connect(liste->model(), &QAbstractItemModel::modelReset, [&] { ++zuruecksetzungen; });
    QObject::connect(liste->model(), &QAbstractItemModel::rowsInserted, [&] { ++einfuegungen; });
    QObject::connect(liste->model(), &QAbstractItemModel::dataChanged, [&] { ++aenderungen; });
    w->updateSchueler();
    EXPECT_EQ(liste->anzahlZeilen(), 32000);
    EXPECT_EQ(zuruecksetzungen, 1);
    EXPECT_EQ(einfuegungen, 0);
    EXPECT_EQ(aenderungen, 0);
    EXPECT_TRUE(liste->uniformRowHeights());
}

}  // namespace

namespace {

// A message service whose "box" stays open for a while: it runs a nested event loop,
// as a real box does while the user reads it, then answers OK. It stays at least `ms`, and
// then until `bis` holds (at most a minute), so that a busy machine cannot close it too early.
class HaltenderMeldungsDienst : public MeldungsDienst {
public:
    explicit HaltenderMeldungsDienst(int ms, std::function<bool()> bis = {}) : k_ms(ms), k_bis(std::move(bis)) {}
    int zeige(QWidget*, const std::string& text, const std::string& caption, int) override {
        k_meldungen.push_back(caption + ": " + text);
        QEventLoop schleife;
        QTimer::singleShot(k_ms, &schleife, &QEventLoop::quit);
        schleife.exec();
        if (k_bis) static_cast<void>(QTest::qWaitFor(k_bis, 60000));
        return IDOK;
    }
    std::vector<std::string> k_meldungen;

private:
    int k_ms;
    std::function<bool()> k_bis;
};

}  // namespace

TEST_F(HauptfensterTest, StartSurvivesABoxOpenLongerThanTheSplash) {
    // A year cut inside a record: its load box stays open past the splash's 3000 ms.
    schreibeJahrgang(AKTUELLE_DATEI);
    const std::string ganz = dateiInhalt(AKTUELLE_DATEI);
    const std::size_t schnitt = ganz.find("/Schueler", ganz.find("/DATABEGIN"));
    ASSERT_NE(schnitt, std::string::npos);
    {
        std::ofstream out(AKTUELLE_DATEI, std::ios::binary | std::ios::trunc);
        out << ganz.substr(0, schnitt + 40);
    }
    HaltenderMeldungsDienst halten(SPLASH_ZEIT, [] { return startbild() == nullptr; });
    MeldungsDienstTausch tausch(halten);
    std::unique_ptr<THauptrahmen> rahmen(starteHauptfenster(SPLASH_ZEIT));
    ASSERT_NE(rahmen, nullptr);
    ASSERT_EQ(halten.k_meldungen.size(), 1u);
    EXPECT_EQ(halten.k_meldungen[0].rfind("Fehler beim Laden des aktuellen Datenbestandes: ", 0), 0u);
    EXPECT_EQ(startbild(), nullptr);  // closed and deleted while the box was open
    EXPECT_TRUE(rahmen->isVisible());
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
}

TEST_F(HauptfensterTest, StartSurvivesABoxOfTheGridWhileTheSplashCloses) {
    // The first teacher's weekly lesson has no weekday: the grid's box comes during the set-up.
    schreibeJahrgang(AKTUELLE_DATEI);
    {
        c_Schulverwaltung sv;
        std::string fehler;
        ASSERT_TRUE(sv.load(AKTUELLE_DATEI, &fehler)) << fehler;
        c_Dauertermin* d = sv.getDauerterminliste()->getDauertermin(1);
        d->setLehrer(sv.getLehrerliste()->getLehrer(1));
        d->setWochentag("Feiertag");
        ASSERT_EQ(sv.save(AKTUELLE_DATEI), 1);
    }
    HaltenderMeldungsDienst halten(400);
    MeldungsDienstTausch tausch(halten);
    std::unique_ptr<THauptrahmen> rahmen(starteHauptfenster(100));
    ASSERT_NE(rahmen, nullptr);
    ASSERT_FALSE(halten.k_meldungen.empty());
    EXPECT_EQ(halten.k_meldungen[0], "Äußerst schwerer Fehler: Hauptfenster: Das Terminobjekt hat keinen Wochentag!");
    EXPECT_EQ(startbild(), nullptr);
    EXPECT_TRUE(rahmen->isVisible());
}

TEST_F(HauptfensterTest, LongTextsShowWholeOnEveryTab) {
    // Texts as long as a real school has them: two-digit days and months in the week text,
    // three-line cells, long names; with 8 lessons a day, and with 12 and Saturday.
    struct Fall {
        int stunden;
        bool samstag;
        const char* name;
    };
    for (const Fall& f : {Fall{8, false, "lang-8"}, Fall{12, true, "lang-12"}}) {
        SCOPED_TRACE(f.name);
        setHeute(9, 12, 2026);  // a Wednesday
        schreibeJahrgang(AKTUELLE_DATEI);
        {
            c_Schulverwaltung sv;
            std::string fehler;
            ASSERT_TRUE(sv.load(AKTUELLE_DATEI, &fehler)) << fehler;
            sv.setStundenProTag(f.stunden);
            sv.setSamstag(f.samstag);
            c_Raum* raum = sv.getRaumliste()->getRaum(2);
            raum->getFelder()->setString("NAME", "Raum 101");
            c_Klasse* klasse = sv.getKlassenliste()->getKlasse(1);
            klasse->setName("Blau");
            c_Lehrer* mueller = sv.getLehrerliste()->getLehrer(1);
            mueller->getFelder()->setString("NAME", "Müller-Lüdenscheidt");
            for (int stunde : {1, f.stunden}) {
                auto d = std::make_unique<c_Dauertermin>();
                d->setFelder(std::make_unique<c_Datenliste>(*sv.getDauerterminStruktur()));
                d->setWochentag(f.samstag ? "Samstag" : "Montag");
                d->setAStd(stunde);
                d->setEStd(stunde);
                d->setKlasse(klasse);
                d->setLehrer(mueller);
                d->setRaum(raum);
                d->setFach(sv.getFachliste()->getFach(2));  // Mathematik
                ASSERT_EQ(sv.addDauertermin(d), nullptr);
            }
            // A parents' evening on the Wednesday of the shown week, in one line.
            auto e = std::make_unique<c_Einzeltermin>();
            e->setFelder(std::make_unique<c_Datenliste>(*sv.getEinzelterminStruktur()));
            e->setDatum(9, 12, 2026);
            e->setAStd(2);
            e->setEStd(2);
            e->setName("Elternabend Vorbereitung");
            e->setKlasse(klasse);
            e->setLehrer(mueller);
            e->setRaum(raum);
            ASSERT_EQ(sv.addEinzeltermin(e), nullptr);
            ASSERT_EQ(sv.save(AKTUELLE_DATEI), 1);
        }
        auto w = fenster(false);
        for (const auto& m : m_meldungen.meldungen()) ADD_FAILURE() << m.caption << ": " << m.text;

        // Each text fits its control (labels, buttons) at the control's font.
        auto passt = [](QWidget* w, const QString& text, int rand) {
            const QFontMetrics fm(w->font());
            EXPECT_LE(fm.horizontalAdvance(text) + rand, w->width()) << text.toStdString();
            EXPECT_LE(fm.height(), w->height()) << text.toStdString();
        };
        auto* woche = kind<QLabel>(w.get(), 114);
        EXPECT_EQ(woche->text(), "7.12.2026 - 11.12.2026");
        if (woche->wordWrap())
            EXPECT_LE(woche->heightForWidth(woche->width()), woche->height());
        else
            passt(woche, woche->text(), 0);
        EXPECT_LE(woche->geometry().right(), w->stundenplan()->x());  // and stays left of the grid
        auto* geheZu = kind<QPushButton>(w.get(), 118);
        passt(geheZu, "Gehe zu", 8);
        EXPECT_LE(kind<QPushButton>(w.get(), 113)->geometry().right(), geheZu->x());
        EXPECT_LE(geheZu->geometry().right(), kind<QPushButton>(w.get(), 112)->x());
        EXPECT_EQ(geheZu->pos(), QPoint(50, 170));
        for (QLabel* l : w->findChildren<QLabel*>())
            if (!l->text().isEmpty() && !l->wordWrap() && l != woche) passt(l, l->text(), 0);

        // Three lines of a cell, marked or not, fit its height; the owner combo shows its name.
        TStundenplanMatrix* g = w->stundenplan();
        const int tag = f.samstag ? 6 : 1;
        ASSERT_EQ(g->getZelltext(tag, f.stunden), "Mathematik\nRaum 101\n5a Blau\n");
        const QFontMetrics fm(g->zelle(tag, 1)->font());
        EXPECT_LE(3 * fm.lineSpacing() + 6, g->zellenHoehe());
        for (const char* zeile : {"Mathematik", "Raum 101", "5a Blau", "Donnerstag"})
            EXPECT_LE(fm.horizontalAdvance(zeile) + 6, g->zellenBreite(tag)) << zeile;
        auto* besitzer = kind<QComboBox>(w.get(), 111);
        EXPECT_EQ(besitzer->currentText(), "Müller-Lüdenscheidt");
        // Every list heading shows whole.
        for (TListenAnsicht* l : w->findChildren<TListenAnsicht*>())
            pruefeSpalten(l, l->objectName().toStdString(), false);
        EXPECT_LE(besitzer->geometry().right(), g->x());
        EXPECT_GE(besitzer->view()->minimumWidth(), QFontMetrics(besitzer->font()).horizontalAdvance("Müller-Lüdenscheidt"));

        static const char* const namen[7] = {"schueler", "lehrer", "raeume", "einzeltermine", "vertretungen",
                                             "klassen", "stundenplan"};
        w->waehleReiter(REITER_KLASSEN);
        kind<QComboBox>(w.get(), 107)->setCurrentIndex(1);
        w->changeKlasse();
        for (int r = 0; r < 7; ++r) {
            w->waehleReiter(r);
            if (r == REITER_STUNDENPLAN) {
                g->zelle(tag, f.stunden)->click();
                EXPECT_TRUE(g->isMarkiert(tag, f.stunden));
                // The marked cell is in sight.
                g->ensureWidgetVisible(g->zelle(tag, f.stunden));
            }
            bild(w.get(), (std::string(f.name) + "-" + namen[r]).c_str());
        }

        // In every category each line of a shown cell fits the cell inside its marked border and
        // padding; the days' columns stand side by side, 80 wide at least.
        static const char* const kategorien[3] = {"lehrer", "raum", "klasse"};
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE(kategorien[k]);
            kind<QComboBox>(w.get(), 110)->setCurrentIndex(k);
            w->changeKategorie();
            ASSERT_EQ(besitzer->currentIndex(), 0);
            int x = 0;
            for (int d = 1; d <= g->getTage(); ++d) {
                QPushButton* oben = g->zelle(d, 1);
                EXPECT_EQ(oben->x(), x) << d;
                EXPECT_GE(oben->width(), 80) << d;
                x += oben->width();
                for (int l = 1; l <= g->getStunden(); ++l) {
                    QPushButton* z = g->zelle(d, l);
                    EXPECT_EQ(z->geometry(), QRect(oben->x(), oben->y() + (l - 1) * g->zellenHoehe(), oben->width(),
                                                   g->zellenHoehe()));
                    for (const QString& zeile : z->text().split('\n'))
                        EXPECT_LE(z->fontMetrics().horizontalAdvance(zeile), z->width() - 6) << zeile.toStdString();
                }
            }
            EXPECT_EQ(g->widget()->width(), x);
            const QString lang = k == 0 ? "Elternabend Vorbereitung" : "Müller-Lüdenscheidt";
            EXPECT_TRUE(g->getZelltext(k == 0 ? 3 : tag, k == 0 ? 2 : f.stunden).contains(lang));
            bild(w.get(), (std::string(f.name) + "-stundenplan-" + kategorien[k]).c_str());
        }
        // The next week has no parents' evening: Wednesday narrows again.
        w->CmWocheVor();
        EXPECT_EQ(g->getZelltext(3, 2), "");
        EXPECT_LT(g->zellenBreite(3), fm.horizontalAdvance("Elternabend Vorbereitung"));
        w.reset();
        fs::remove(AKTUELLE_DATEI);
    }
}
