// Which row of a list counts as marked, driven through real focus, mouse and key events: only a
// row the user clicked or reached with the keys; never one that Qt makes current on its own when
// the list gets the focus (Tab, the window becoming active again) or after a click on the empty
// area, and none after a refill. A marked row looks marked, an unmarked one never does.
#include "app/anwendung.h"
#include "app/plugindialog.h"
#include "dialogs/ui/curriculumdialog.h"
#include "dialogs/ui/fehlzeitendialog.h"
#include "dialogs/ui/optionendialog.h"
#include "dialogs/ui/schuljahrwechseldialog.h"
#include "dialogs/ui/zensurendialog.h"
#include "fensterhilfe.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/qtext.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

class MarkierungTest : public FensterTest {
protected:
    // The marked row of any list (the first selected), or -1.
    static int markiert(const QAbstractItemView* v) {
        int zeile = -1;
        for (const QModelIndex& i : v->selectionModel()->selectedIndexes())
            if (zeile < 0 || i.row() < zeile) zeile = i.row();
        return zeile;
    }
    // Whether some row is drawn as marked: selected, or carrying the focus frame of the current row.
    static bool siehtMarkiertAus(const QAbstractItemView* v) {
        return v->selectionModel()->hasSelection() || v->currentIndex().isValid();
    }
    static void aktiviere(QWidget* fenster) {
        fenster->show();
        fenster->activateWindow();
        // Activation is an event of the window system; a minute leaves any machine time enough.
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster, 60000));
    }
    // Another window becomes active, then `fenster` again: its focus widget gets the focus back.
    static void wegUndZurueck(QWidget* fenster) {
        QWidget anderes;
        anderes.resize(100, 100);
        aktiviere(&anderes);
        aktiviere(fenster);
    }
    // Tab presses until `ziel` has the focus, as a user would reach it.
    static void tabBis(QWidget* fenster, QWidget* ziel) {
        for (int i = 0; i < 60 && !ziel->hasFocus(); ++i) QTest::keyClick(fenster->windowHandle(), Qt::Key_Tab);
        ASSERT_TRUE(ziel->hasFocus());
    }
    static QPoint mitteDerZeile(QAbstractItemView* v, int zeile) {
        return v->visualRect(v->model()->index(zeile, 0)).center();
    }
};

TEST_F(MarkierungTest, OnlyARowTheUserChoseIsMarkedInEveryList) {
    auto w = fenster();
    c_Schulverwaltung* sv = w->schulverwaltung();
    c_Schueler* adler = sv->getSchuelerliste()->getSchueler(1);
    c_Lehrer* mueller = sv->getLehrerliste()->getLehrer(1);
    auto zweiMal = [&](auto neu) {
        for (const char* name : {"Bach", "Weber"}) neu(name);
    };
    zweiMal([&](const char* name) {
        auto f = std::make_unique<c_Fach>(name);
        ASSERT_TRUE(sv->addFach(f));
    });
    for (const char* note : {"1", "2", "3"}) {
        auto z = std::make_unique<c_Zensur>();
        z->setFelder(std::make_unique<c_Datenliste>(*sv->getZensurStruktur()));
        z->getFelder()->setString("ZENSUR", note);
        z->setFach(sv->getFachliste()->getFach(1));
        adler->getZensurliste()->push_back(z.release());
    }
    for (int tag : {4, 11, 18}) {
        auto f = std::make_unique<c_Fehlzeit>();
        f->setFelder(std::make_unique<c_Datenliste>(*sv->getFehlzeitStruktur()));
        f->getFelder()->setInt("ATAG", tag);
        f->getFelder()->setInt("ETAG", tag);
        mueller->getFehlzeitliste()->push_back(f.release());
    }
    sv->setMinKlasse(5);
    sv->setMaxKlasse(10);
    for (int jahrgang : {0, 1, 2}) {
        auto wunsch = std::make_unique<c_Wunsch>();
        wunsch->setJahrgang(5 + jahrgang);
        wunsch->setStunden(2);
        wunsch->setFach(sv->getFachliste()->getFach(1));
        ASSERT_TRUE(sv->addWunsch(wunsch));
    }
    zweiMal([&](const char* name) {
        auto s = std::make_unique<c_Schueler>();
        s->setFelder(std::make_unique<c_Datenliste>(*sv->getSchuelerStruktur()));
        s->getFelder()->setString("NAME", name);
        s->setKlasse(sv->getKlassenliste()->getKlasse(1));
        ASSERT_TRUE(sv->addSchueler(s));
    });
    for (int tag : {12, 13}) {
        auto e = std::make_unique<c_Einzeltermin>();
        e->setFelder(std::make_unique<c_Datenliste>(*sv->getEinzelterminStruktur()));
        e->setDatum(tag, 3, 2024);
        e->setAStd(1);
        e->setEStd(1);
        ASSERT_EQ(sv->addEinzeltermin(e), nullptr);
        auto v = std::make_unique<c_Vertretungstermin>();
        v->setFelder(std::make_unique<c_Datenliste>(*sv->getVertretungsterminStruktur()));
        v->setDatum(tag, 3, 2024);
        ASSERT_TRUE(sv->addVertretungstermin(v));
    }
    w->aktualisiereAnsichten();

    fs::create_directories(PLUGIN_ORDNER);
    fs::copy_file(std::string(ORVASK_TESTPLUGINS) + "/ohnefenster.so", fs::path(PLUGIN_ORDNER) / "b_ohne.so");
    fs::copy_file(std::string(ORVASK_TESTPLUGINS) + "/leer.so", fs::path(PLUGIN_ORDNER) / "c_leer.so");
    c_Pluginliste plugins;
    std::string pluginFehler;
    plugins.scan(PLUGIN_ORDNER, &pluginFehler);

    // Each list: the window that holds it, the list, and how it is filled again.
    struct Fall {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> fenster;  // null: the main window on tab `reiter`
        int reiter;
        int id;
        std::function<void(QWidget*)> neuFuellen;
    };
    TMainWindow* haupt = w.get();
    // A dialog after its set-up (the school-year change then lists the first class's students).
    auto eingerichtet = [](auto dialog) {
        dialog->setupFenster();
        return std::unique_ptr<QWidget>(dialog.release());
    };
    auto liste = [](QWidget* f, int id) { return f->findChild<QAbstractItemView*>(QString("id%1").arg(id)); };
    const Fall faelle[] = {
        {"Schüler", nullptr, REITER_SCHUELER, 103, [haupt](QWidget*) { haupt->updateSchueler(); }},
        {"Lehrer", nullptr, REITER_LEHRER, 104, [haupt](QWidget*) { haupt->updateLehrer(); }},
        {"Räume", nullptr, REITER_RAEUME, 102, [haupt](QWidget*) { haupt->updateRaum(); }},
        {"Einzeltermine", nullptr, REITER_EINZELTERMINE, 105, [haupt](QWidget*) { haupt->updateEinzeltermine(); }},
        {"Vertretungen", nullptr, REITER_VERTRETUNGEN, 117, [haupt](QWidget*) { haupt->updateVertretungen(); }},
        {"Zensuren",
         [&] { return eingerichtet(std::make_unique<TZensurenDialog>(nullptr, 600, sv, adler, nullptr)); },
         0, 605, [](QWidget* d) { static_cast<TZensurenDialog*>(d)->changeselection(); }},
        {"Fehlzeiten",
         [&] { return eingerichtet(std::make_unique<TFehlzeitenDialog>(nullptr, 650, sv, nullptr, mueller)); },
         0, 653, [](QWidget* d) { static_cast<TFehlzeitenDialog*>(d)->updateFehlzeiten(); }},
        {"Schuljahreswechsel",
         [&] { return eingerichtet(std::make_unique<TSchuljahrwechselDialog>(nullptr, 280, sv)); },
         0, 282, [](QWidget* d) { static_cast<TSchuljahrwechselDialog*>(d)->changeKlasse(); }},
        {"Fächer",
         [&] { return eingerichtet(std::make_unique<TOptionenDialog>(nullptr, 201, sv)); },
         0, 202,
         [](QWidget* d) {
             // A new subject fills the list again.
             d->findChild<QLineEdit*>("id205")->setText("Chemie");
             static_cast<TOptionenDialog*>(d)->CmHinzufuegen();
         }},
        {"Curriculum",
         [&] { return eingerichtet(std::make_unique<TCurriculumDialog>(nullptr, 290, sv)); },
         0, 291, [](QWidget* d) { static_cast<TCurriculumDialog*>(d)->updateCurriculum(); }},
        {"Erweiterungen",
         [&] { return std::make_unique<TPluginDialog>(nullptr, 770, sv, &plugins, nullptr); }, 0, 771,
         [&](QWidget* d) {
             auto* l = liste(d, 771);
             auto* lw = static_cast<QListWidget*>(l);
             lw->clear();
             const std::unique_ptr<c_Pluginliste> ohneGui = plugins.getPluginsOhneGui();
             for (const c_Plugin* p : *ohneGui) lw->addItem(qs(p->getName()));
         }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        std::unique_ptr<QWidget> eigenes = f.fenster ? f.fenster() : nullptr;
        QWidget* fenster = eigenes ? eigenes.get() : static_cast<QWidget*>(haupt);
        if (!eigenes) haupt->waehleReiter(f.reiter);
        QAbstractItemView* v = liste(fenster, f.id);
        ASSERT_NE(v, nullptr);
        ASSERT_GE(v->model()->rowCount(), 2);
        aktiviere(fenster);

        // Tab onto the list: no row is marked, and none looks marked.
        tabBis(fenster, v);
        EXPECT_EQ(markiert(v), -1);
        EXPECT_FALSE(siehtMarkiertAus(v));
        // The window becoming active again gives the list the focus once more.
        wegUndZurueck(fenster);
        ASSERT_TRUE(v->hasFocus());
        EXPECT_EQ(markiert(v), -1);
        EXPECT_FALSE(siehtMarkiertAus(v));
        // A click below the rows marks nothing.
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, QPoint(4, v->viewport()->height() - 4));
        EXPECT_EQ(markiert(v), -1);
        EXPECT_FALSE(siehtMarkiertAus(v));

        // A click marks its row, the arrow keys move the marking, and it stays through focus changes.
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, mitteDerZeile(v, 1));
        EXPECT_EQ(markiert(v), 1);
        QTest::keyClick(v, Qt::Key_Up);
        EXPECT_EQ(markiert(v), 0);
        wegUndZurueck(fenster);
        EXPECT_EQ(markiert(v), 0);
        EXPECT_TRUE(v->selectionModel()->isRowSelected(0, QModelIndex()));
        // ... and a click below the rows takes it away.
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, QPoint(4, v->viewport()->height() - 4));
        EXPECT_EQ(markiert(v), -1);
        EXPECT_FALSE(siehtMarkiertAus(v));

        // A refill leaves nothing marked, with the focus in the list as well.
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, mitteDerZeile(v, 1));
        ASSERT_EQ(markiert(v), 1);
        f.neuFuellen(fenster);
        EXPECT_EQ(markiert(v), -1);
        wegUndZurueck(fenster);
        EXPECT_EQ(markiert(v), -1);
        EXPECT_FALSE(siehtMarkiertAus(v));
        // With no row marked, the arrow keys mark the first.
        QTest::keyClick(v, Qt::Key_Down);
        EXPECT_EQ(markiert(v), 0);
        if (eigenes) eigenes->hide();
    }
}

// The Delete key on the students tab, answered through real message boxes: after No, the window
// is active again and the list has the focus back; Delete then still means the student clicked.
TEST_F(MarkierungTest, DeleteAfterNoNeverReachesAnotherStudent) {
    auto w = fenster();
    THauptrahmen rahmen(w.release());
    TMainWindow* haupt = rahmen.client();
    c_Schulverwaltung* sv = haupt->schulverwaltung();
    setzeMeldungsDienst(nullptr);  // the real boxes
    aktiviere(&rahmen);
    auto* schueler = kind<TListenAnsicht>(haupt, 103);
    ASSERT_EQ(schueler->text(0, 1), "Adler");
    ASSERT_EQ(schueler->text(1, 1), "Zander");

    // Answers the next box with a key: Escape is No, Return the default Yes.
    std::string frage;
    auto antworte = [&frage](Qt::Key taste) {
        QTimer::singleShot(0, [&frage, taste] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            frage = ss(box->text());
            QTest::keyClick(box, taste);
        });
    };
    QTest::mouseClick(schueler->viewport(), Qt::LeftButton, {}, mitteDerZeile(schueler, 1));
    antworte(Qt::Key_Escape);
    QTest::keyClick(rahmen.windowHandle(), Qt::Key_Delete);
    EXPECT_EQ(frage, "Wollen Sie den markierten Schüler\nwirklich entfernen?");
    // The box is gone; the window manager makes the frame active again, and the list gets the
    // focus back.
    aktiviere(&rahmen);
    ASSERT_TRUE(schueler->hasFocus());
    EXPECT_EQ(sv->getSchuelerliste()->size(), 2u);
    // The window is active again; Zander is still the marked one.
    EXPECT_EQ(schueler->fokusZeile(), 1);
    frage.clear();
    antworte(Qt::Key_Return);
    QTest::keyClick(rahmen.windowHandle(), Qt::Key_Delete);
    EXPECT_EQ(frage, "Wollen Sie den markierten Schüler\nwirklich entfernen?");
    ASSERT_EQ(sv->getSchuelerliste()->size(), 1u);
    EXPECT_EQ(sv->getSchuelerliste()->getSchueler(1)->getName(), "Adler");

    // After the delete the list is filled again: Delete now asks nothing and deletes nothing.
    aktiviere(&rahmen);
    ASSERT_TRUE(schueler->hasFocus());
    frage.clear();
    antworte(Qt::Key_Return);
    QTest::keyClick(rahmen.windowHandle(), Qt::Key_Delete);
    EXPECT_EQ(frage, "Sie müssen erst einen Schüler markieren,\nbevor Sie ihn löschen können.");
    EXPECT_EQ(sv->getSchuelerliste()->size(), 1u);
    setzeMeldungsDienst(&m_meldungen);
}

// "Zensur löschen" with the focus tabbed into the grades list: nothing is marked, so nothing goes.
TEST_F(MarkierungTest, GradeDeleteAfterTabbingIntoTheListAsksForAMarking) {
    auto w = fenster();
    c_Schulverwaltung* sv = w->schulverwaltung();
    c_Schueler* adler = sv->getSchuelerliste()->getSchueler(1);
    auto z = std::make_unique<c_Zensur>();
    z->setFelder(std::make_unique<c_Datenliste>(*sv->getZensurStruktur()));
    z->getFelder()->setString("ZENSUR", "2");
    z->setFach(sv->getFachliste()->getFach(1));
    adler->getZensurliste()->push_back(z.release());
    TZensurenDialog d(nullptr, 600, sv, adler, nullptr);
    d.setupFenster();
    aktiviere(&d);
    auto* liste = kind<TListenAnsicht>(&d, 605);
    tabBis(&d, liste);
    QTest::mouseClick(kind<QPushButton>(&d, 602), Qt::LeftButton);
    EXPECT_EQ(m_meldungen.letzte().text, "Sie müssen eine Zensur markieren,\nbevor Sie sie entfernen können.");
    EXPECT_EQ(adler->getZensurliste()->size(), 1u);
}

}  // namespace
