// Keys and focus in every dialog of the program, through real key events on the focused
// control of a shown dialog: Enter on a push button, Enter elsewhere, Enter in the entry
// field of a "Hinzufügen", mnemonics, line breaks pasted into an edit, and the way Tab goes.
#include "app/infodialog.h"
#include "app/plugindialog.h"
#include "dialogs/ui/curriculumdialog.h"
#include "dialogs/ui/datumdialog.h"
#include "dialogs/ui/fehlzeitendialog.h"
#include "dialogs/ui/klassendialog.h"
#include "dialogs/ui/lehrerdialog.h"
#include "dialogs/ui/optionendialog.h"
#include "dialogs/ui/raumdialog.h"
#include "dialogs/ui/schuelerdialog.h"
#include "dialogs/ui/schuljahrwechseldialog.h"
#include "dialogs/ui/termindialoge.h"
#include "dialogs/ui/zeichenschutz.h"
#include "dialogs/ui/zensurendialog.h"
#include "model/datum.h"
#include "output/ui/druckerdialog.h"
#include "output/ui/exportdialog.h"
#include "planning/ui/stundenplandialog.h"
#include "planning/ui/vertretungsplandialog.h"
#include "platform/text.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/meldung.h"
#include "tests/core/planung_schule.h"
#include "tests/gui/modal_hilfe.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

using namespace planung_schule;

namespace {

class Tastatur : public ::testing::Test {
protected:
    void SetUp() override {
        text::setIgnoreCase(false);
        setHeute(4, 3, 2024);
        k_ordner = std::make_unique<Arbeitsordner>();
        k_schule = std::make_unique<Schule>();
        k_tausch = std::make_unique<MeldungsDienstTausch>(k_meldungen);
        Schule& s = *k_schule;
        c_Fach* ma = s.fach("Mathematik");
        s.lehrer("Berg", 24, {ma});
        c_Klasse* k = s.klasse(5, 'a', s.raum("R101", {ma}));
        auto schueler = std::make_unique<c_Schueler>();
        schueler->setFelder(std::make_unique<c_Datenliste>(*sv()->getSchuelerStruktur()));
        schueler->getFelder()->setString("VORNAME", "Kim");
        schueler->getFelder()->setString("NAME", "Adler");
        schueler->setKlasse(k);
        k_schueler = schueler.get();
        sv()->addSchueler(schueler);
    }
    void TearDown() override {
        k_tausch.reset();
        k_schule.reset();
        k_ordner.reset();
        setHeute(0, 0, 0);
    }
    c_Schulverwaltung* sv() { return k_schule->get(); }
    // Names the class `klasse` and appends `zusatz` to the name of every subject, teacher, room and student.
    void benenne(const std::string& klasse, const std::string& zusatz) {
        for (c_Klasse* k : *sv()->getKlassenliste()) k->setName(klasse);
        for (c_Fach* f : *sv()->getFachliste()) f->setName("Mathematik" + zusatz);
        for (c_Lehrer* l : *sv()->getLehrerliste()) {
            l->getFelder()->setString("NAME", "Berg" + zusatz);
            l->getFelder()->setString("VORNAME", "V" + zusatz);
        }
        for (c_Raum* r : *sv()->getRaumliste()) r->getFelder()->setString("NAME", "R101" + zusatz);
        for (c_Schueler* s : *sv()->getSchuelerliste()) {
            s->getFelder()->setString("VORNAME", "Kim" + zusatz);
            s->getFelder()->setString("NAME", "Adler" + zusatz);
        }
    }

    AufzeichnenderMeldungsDienst k_meldungen;
    std::unique_ptr<Arbeitsordner> k_ordner;
    std::unique_ptr<Schule> k_schule;
    std::unique_ptr<MeldungsDienstTausch> k_tausch;
    c_Schueler* k_schueler = nullptr;
    int k_tag = 4, k_monat = 3, k_jahr = 2024;
};

template <class T = QWidget>
T* kind(QWidget* w, int id) {
    return w->findChild<T*>(QStringLiteral("id%1").arg(id));
}

// Shows the window of `w`, makes it the active one and gives `w` the keyboard focus.
void fokus(QWidget* w) {
    QWidget* fenster = w->window();
    if (!fenster->isVisible()) fenster->show();
    fenster->activateWindow();
    for (int i = 0; i < 20 && QApplication::activeWindow() != fenster; ++i) QApplication::processEvents();
    w->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::activeWindow(), fenster);
    ASSERT_EQ(QApplication::focusWidget(), w) << w->objectName().toStdString();
}

// A key pressed where the focus is.
void taste(int key, Qt::KeyboardModifiers mod = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), mod);
}

// The letter after the mnemonic mark of a caption, lower case; none for a caption without one.
QChar kuerzel(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

// The id of the control with the focus (the edit of a spin box counts as the spin box); 0 for none.
int fokusId() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("id"))) return w->objectName().mid(2).toInt();
    return 0;
}

// The controls that `anzahl` presses of Tab (of Shift+Tab with `zurueck`) reach, one per press.
std::vector<int> tabWeg(std::size_t anzahl, bool zurueck) {
    std::vector<int> ids;
    for (std::size_t i = 0; i < anzahl; ++i) {
        zurueck ? taste(Qt::Key_Backtab, Qt::ShiftModifier) : taste(Qt::Key_Tab);
        ids.push_back(fokusId());
    }
    return ids;
}

// Opens `d`: the focus is on `start` (0: the first control of `folge`), Tab goes through them in
// this order and round to the first again, Shift+Tab the reverse way.
void pruefeTabFolge(QDialog* d, const std::vector<int>& folge, int start = 0) {
    d->show();
    d->activateWindow();
    for (int i = 0; i < 20 && QApplication::activeWindow() != d; ++i) QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), d);
    if (folge.empty()) {
        EXPECT_EQ(QApplication::focusWidget(), nullptr);
        return;
    }
    EXPECT_EQ(fokusId(), start ? start : folge.front()) << "focus when opened";
    QWidget* erstes = kind(d, folge.front());
    ASSERT_NE(erstes, nullptr);
    fokus(erstes);
    std::vector<int> vor(folge.begin() + 1, folge.end());
    vor.push_back(folge.front());
    EXPECT_EQ(tabWeg(folge.size(), false), vor);
    EXPECT_EQ(tabWeg(folge.size(), true), std::vector<int>(folge.rbegin(), folge.rend()));
}

struct DialogFall {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> baue;  // built and set up, not yet shown
    int fokusId;                                     // a control that is no push button (0: none)
    int standardId;                                  // what Enter there presses (0: nothing)
};

template <class D>
std::unique_ptr<QDialog> eingerichtet(std::unique_ptr<D> d) {
    d->setupFenster();
    return d;
}

}  // namespace

class AlleDialoge : public Tastatur {
protected:
    std::vector<DialogFall> faelle() {
        c_Schulverwaltung* s = sv();
        c_Schueler* kim = k_schueler;
        return {
            {"Schüler", [=] { return eingerichtet(std::make_unique<TSchuelerDialog>(nullptr, 510, s, kim)); }, 1001, 1},
            {"Lehrer", [=] { return eingerichtet(std::make_unique<TLehrerDialog>(nullptr, 241, s, nullptr)); }, 252, 1},
            {"Raum", [=] { return eingerichtet(std::make_unique<TRaumDialog>(nullptr, 230, s, nullptr)); }, 232, 1},
            {"Klasse", [=] { return eingerichtet(std::make_unique<TKlassenDialog>(nullptr, 220, s, nullptr)); }, 1001, 1},
            {"Zensuren",
             [=] { return eingerichtet(std::make_unique<TZensurenDialog>(nullptr, 600, s, kim, nullptr)); }, 604, 1},
            {"Fehlzeiten",
             [=] { return eingerichtet(std::make_unique<TFehlzeitenDialog>(nullptr, 650, s, kim, nullptr)); }, 653, 1},
            {"Einstellungen", [=] { return eingerichtet(std::make_unique<TOptionenDialog>(nullptr, 201, s)); }, 207, 1},
            {"Curriculum", [=] { return eingerichtet(std::make_unique<TCurriculumDialog>(nullptr, 290, s)); }, 294, 1},
            {"Schuljahreswechsel",
             [=] { return eingerichtet(std::make_unique<TSchuljahrwechselDialog>(nullptr, 280, s)); }, 286, 1},
            {"Einzeltermin",
             [=] { return eingerichtet(std::make_unique<TEinzelterminDialog>(nullptr, 260, s, nullptr)); }, 1001, 1},
            {"Dauertermin",
             [=] { return eingerichtet(std::make_unique<TDauerterminDialog>(nullptr, 267, s, nullptr)); }, 272, 1},
            {"Vertretungstermin",
             [=] { return eingerichtet(std::make_unique<TVertretungsterminDialog>(nullptr, 275, s, nullptr)); }, 274,
             1},
            {"Gehe zu Datum",
             [=] {
                 return std::unique_ptr<QDialog>(
                     std::make_unique<TDatumDialog>(nullptr, 760, s, &k_tag, &k_monat, &k_jahr));
             },
             763, 1},
            {"Exportieren",
             [=] {
                 return std::unique_ptr<QDialog>(std::make_unique<TExportDialog>(nullptr, 400, s, nullptr, nullptr,
                                                                                 nullptr, 4, 3, 2024));
             },
             404, 1},
            {"Drucken",
             [=] {
                 return std::unique_ptr<QDialog>(std::make_unique<TDruckerDialog>(
                     nullptr, 413, nullptr, s, nullptr, nullptr, nullptr, 4, 3, 2024));
             },
             408, 1},
            {"Erweiterungen",
             [=] { return std::unique_ptr<QDialog>(std::make_unique<TPluginDialog>(nullptr, 770, s, nullptr, nullptr)); }, 771,
             1},
            {"Information", [] { return std::unique_ptr<QDialog>(std::make_unique<TInfoDialog>(nullptr)); }, 0, 0},
            {"Stundenplanerstellung",
             [=] { return std::unique_ptr<QDialog>(std::make_unique<TStundenplanDialog>(nullptr, s)); }, 0, 0},
            {"Vertretungsplan erstellen",
             [] { return std::unique_ptr<QDialog>(std::make_unique<TVertretungsplanFortschritt>(nullptr)); }, 0, 0},
        };
    }
};

TEST_F(AlleDialoge, EveryEditIsGuardedAndNoMnemonicIsTakenTwice) {
    for (const DialogFall& f : faelle()) {
        SCOPED_TRACE(f.name);
        std::unique_ptr<QDialog> d = f.baue();
        for (QLineEdit* e : d->findChildren<QLineEdit*>())
            EXPECT_NE(qobject_cast<const TZeichensatzPruefer*>(e->validator()), nullptr) << e->objectName().toStdString();
        std::map<QChar, QString> vergeben;
        auto pruefe = [&](const QString& text) {
            const QChar k = kuerzel(text);
            if (k.isNull()) return;
            const auto [it, neu] = vergeben.emplace(k, text);
            EXPECT_TRUE(neu) << "Alt+" << QString(k).toStdString() << ": \"" << it->second.toStdString() << "\" and \""
                             << text.toStdString() << "\"";
        };
        for (QAbstractButton* b : d->findChildren<QAbstractButton*>()) pruefe(b->text());
        for (QGroupBox* g : d->findChildren<QGroupBox*>()) pruefe(g->title());
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->buddy()) pruefe(l->text());
    }
}

TEST_F(AlleDialoge, EnterPressesTheFocusedButtonElseTheDefaultButton) {
    for (const DialogFall& f : faelle()) {
        SCOPED_TRACE(f.name);
        std::unique_ptr<QDialog> d = f.baue();
        d->show();
        // The buttons only count their presses here.
        std::map<QPushButton*, int> gedrueckt;
        const QList<QPushButton*> knoepfe = d->findChildren<QPushButton*>();
        for (QPushButton* k : knoepfe) {
            QObject::disconnect(k, &QAbstractButton::clicked, nullptr, nullptr);
            QObject::connect(k, &QAbstractButton::clicked, d.get(), [&gedrueckt, k] { ++gedrueckt[k]; });
        }
        auto nurGedrueckt = [&](QPushButton* erwartet) {
            for (QPushButton* k : knoepfe)
                EXPECT_EQ(gedrueckt[k], k == erwartet ? 1 : 0)
                    << k->objectName().toStdString() << " " << k->text().toStdString();
            gedrueckt.clear();
        };
        for (QPushButton* k : knoepfe) {
            if (!k->isVisible() || !k->isEnabled()) continue;
            fokus(k);
            taste(Qt::Key_Return);
            nurGedrueckt(k);
            taste(Qt::Key_Enter, Qt::KeypadModifier);
            nurGedrueckt(k);
        }
        if (f.fokusId) {
            QWidget* w = kind(d.get(), f.fokusId);
            ASSERT_NE(w, nullptr);
            fokus(w);
            taste(Qt::Key_Return);
            nurGedrueckt(f.standardId ? kind<QPushButton>(d.get(), f.standardId) : nullptr);
        }
        EXPECT_TRUE(d->isVisible());
    }
}

TEST_F(AlleDialoge, TabGoesThroughTheControlsAsTheyAreLaidOut) {
    // Read off each dialog's layout: rows top to bottom, each left to right; a column beside a list
    // or beside a form of several rows whole; a field's "Hinzufügen" after it; OK and Abbruch last.
    const std::map<std::string, std::vector<int>> folgen = {
        // The class choice stands left of the two buttons that share its band.
        {"Schüler", {1001, 1003, 1005, 1007, 1009, 1011, 1013, 1015, 1017, 251, 511, 512, 1, 2}},
        {"Lehrer", {251, 252, 256, 1001, 1003, 1005, 1007, 1009, 1011, 1013, 1015, 1017, 1018, 1020, 1, 2}},
        {"Raum", {231, 232, 1001, 1002, 1, 2}},
        {"Klasse", {1001, 1003, 1005, 1, 2}},
        // "Hinzufügen" stands right of "löschen", but follows the input line.
        {"Zensuren", {1001, 1003, 601, 602, 603, 604, 605, 1}},
        {"Fehlzeiten", {1001, 1003, 1005, 1007, 1009, 1011, 651, 652, 653, 1}},
        {"Einstellungen", {207, 208, 209, 211, 210, 205, 203, 202, 204, 1}},
        {"Curriculum", {291, 294, 295, 296, 292, 293, 1}},
        {"Schuljahreswechsel", {281, 282, 284, 285, 283, 286, 1, 2}},
        {"Einzeltermin", {264, 266, 265, 273, 1001, 1003, 1005, 1007, 1009, 1011, 1, 2}},
        {"Dauertermin", {272, 264, 266, 265, 273, 1001, 1003, 1, 2}},
        {"Vertretungstermin", {264, 266, 265, 273, 274, 1001, 1003, 1005, 1007, 1009, 1011, 1, 2}},
        {"Gehe zu Datum", {761, 762, 763, 1, 2}},
        // The seven areas are one stop, at the checked one; the class choice stands beside 405.
        {"Exportieren", {402, 408, 409, 1, 2}},
        {"Drucken", {402, 408, 409, 1, 2}},
        {"Erweiterungen", {771, 1, 2}},
        {"Information", {1}},
        {"Stundenplanerstellung", {701, 702, 703, 704, 753, 752}},
        {"Vertretungsplan erstellen", {}},
    };
    // A record dialog opens in its template's first field, wherever Tab starts.
    const std::map<std::string, int> startfeld = {
        {"Lehrer", 1001}, {"Raum", 1001}, {"Einzeltermin", 1001}, {"Dauertermin", 1001}, {"Vertretungstermin", 1001},
    };
    // The order is the layout's, whatever the data: the class name reported, that widens the class
    // choice of a weekly appointment under the fields beside it, and names longer than any choice or
    // list gives room for, in every one the dialogs fill.
    const std::string lang = "Abschluss 2027 mit bilingualem Zweig und Förderunterricht am Nachmittag";
    const struct {
        const char* daten;
        std::string klasse, zusatz;  // see benenne
    } bestaende[] = {
        {"short names", "", ""},
        {"the class name reported", "Abschluss 2027", ""},
        {"long names everywhere", lang, " " + lang},
    };
    for (const auto& b : bestaende) {
        SCOPED_TRACE(b.daten);
        benenne(b.klasse, b.zusatz);
        for (const DialogFall& f : faelle()) {
            SCOPED_TRACE(f.name);
            const auto folge = folgen.find(f.name);
            ASSERT_NE(folge, folgen.end());
            std::unique_ptr<QDialog> d = f.baue();
            const auto start = startfeld.find(f.name);
            pruefeTabFolge(d.get(), folge->second, start == startfeld.end() ? 0 : start->second);
        }
    }
}

TEST_F(Tastatur, TabTakesCompoundControlsWholeAndKeepsTheirPlaceForDisabledOnes) {
    QDialog d;
    richteTastenEin(&d);
    d.resize(400, 240);
    auto platz = [](QWidget* w, int id, QRect r) {
        w->setObjectName(QStringLiteral("id%1").arg(id));
        w->setGeometry(r);
    };
    // Made in another order than they stand.
    platz(new QPushButton("&Abbruch", &d), 2, {300, 200, 80, 26});
    platz(new QPushButton("&OK", &d), 1, {210, 200, 80, 26});
    auto* wahl = new QComboBox(&d);
    platz(wahl, 915, {120, 150, 100, 22});
    platz(new QLineEdit(&d), 916, {230, 150, 100, 22});
    auto* gesperrt = new QLineEdit(&d);
    platz(gesperrt, 914, {10, 150, 100, 22});
    gesperrt->setEnabled(false);
    auto* rahmen = new QGroupBox("Art", &d);
    rahmen->setGeometry(10, 10, 380, 120);
    platz(new QRadioButton("A", rahmen), 911, {10, 25, 80, 20});
    auto* b = new QRadioButton("B", rahmen);
    platz(b, 912, {10, 60, 80, 20});
    b->setChecked(true);
    auto* zahl = new QSpinBox(rahmen);
    platz(zahl, 913, {100, 60, 80, 22});
    wahl->setEditable(true);  // its edit is made now, behind all the others
    pruefeTabFolge(&d, {912, 913, 915, 916, 1, 2});
    gesperrt->setEnabled(true);
    fokus(zahl);
    EXPECT_EQ(tabWeg(2, false), (std::vector<int>{914, 915}));
}

// The two cases reported: Tab from "Samstags" goes to the subject field, where a subject typed
// is added by Enter; in the student dialog Tab from the last field goes to the class choice.
TEST_F(Tastatur, TabFromSaturdayReachesTheSubjectAndTheClassComesBeforeOk) {
    TOptionenDialog optionen(nullptr, 201, sv());
    optionen.setupFenster();
    const std::size_t faecher = sv()->getFachliste()->size();
    fokus(kind(&optionen, 210));
    taste(Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "Physik");
    taste(Qt::Key_Return);
    EXPECT_EQ(sv()->getFachliste()->size(), faecher + 1);
    EXPECT_TRUE(optionen.isVisible());
    EXPECT_EQ(k_meldungen.anzahl(), 0u) << (k_meldungen.anzahl() ? k_meldungen.letzte().text : "");

    TSchuelerDialog schueler(nullptr, 510, sv(), k_schueler);
    schueler.setupFenster();
    fokus(kind(&schueler, 1017));
    EXPECT_EQ(tabWeg(4, false), (std::vector<int>{251, 511, 512, 1}));
}

// The four dialogs with an entry field and "Hinzufügen": typing and Enter adds, and the dialog stays open.
TEST_F(Tastatur, EnterInTheEntryFieldAdds) {
    struct Fall {
        const char* name;
        std::function<int()> ausfuehren;  // runs the dialog modally
        std::vector<std::pair<int, const char*>> eingaben;  // typed field by field, Enter in the last
        std::function<std::size_t()> anzahl;
    };
    c_Schulverwaltung* s = sv();
    c_Schueler* kim = k_schueler;
    const Fall faelle[] = {
        {"Einstellungen", [s] { return TOptionenDialog(nullptr, 201, s).ausfuehren(); }, {{205, "Physik"}},
         [s] { return s->getFachliste()->size(); }},
        {"Zensuren", [s, kim] { return TZensurenDialog(nullptr, 600, s, kim, nullptr).ausfuehren(); },
         {{1003, "gut"}, {1001, "2"}}, [kim] { return kim->getZensurliste()->size(); }},
        {"Fehlzeiten", [s, kim] { return TFehlzeitenDialog(nullptr, 650, s, kim, nullptr).ausfuehren(); },
         {{1001, "4"}, {1003, "3"}, {1005, "2024"}, {1007, "8"}, {1009, "3"}, {1011, "2024"}},
         [kim] { return kim->getFehlzeitliste()->size(); }},
        {"Curriculum", [s] { return TCurriculumDialog(nullptr, 290, s).ausfuehren(); }, {{296, "4"}},
         [s] { return s->getCurriculum()->size(); }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const std::size_t vorher = f.anzahl();
        bool gefunden = false, offen = false;
        std::size_t danach = 0;
        beiModalemFenster<QDialog>(
            [&](QDialog* d) {
                for (const auto& [id, text] : f.eingaben) {
                    auto* e = kind<QLineEdit>(d, id);
                    ASSERT_NE(e, nullptr) << id;
                    fokus(e);
                    QTest::keyClicks(e, text);
                }
                taste(Qt::Key_Return);
                danach = f.anzahl();
                offen = d->isVisible();
                d->reject();
            },
            &gefunden);
        f.ausfuehren();
        EXPECT_TRUE(gefunden);
        EXPECT_EQ(danach, vorher + 1);
        EXPECT_TRUE(offen);
        EXPECT_EQ(k_meldungen.anzahl(), 0u) << (k_meldungen.anzahl() ? k_meldungen.letzte().text : "");
    }
    const c_Fach* physik = s->getFachliste()->getFach(2);
    EXPECT_EQ(physik ? physik->getName() : "", "Physik");
    const c_Zensur* zensur = kim->getZensurliste()->empty() ? nullptr : kim->getZensurliste()->front();
    EXPECT_EQ(zensur ? zensur->getFelder()->getString("BEMERKUNG") : "", "gut");
}

TEST_F(Tastatur, TheAlgorithmDialogIsDrivenByItsMnemonics) {
    TStundenplanDialog d(nullptr, sv());
    std::map<int, int> gedrueckt;
    for (int id : {701, 702, 703, 704, 753, 752}) {
        auto* k = kind<QPushButton>(&d, id);
        QObject::disconnect(k, &QAbstractButton::clicked, nullptr, nullptr);
        QObject::connect(k, &QAbstractButton::clicked, &d, [&gedrueckt, id] { ++gedrueckt[id]; });
    }
    fokus(kind<QPushButton>(&d, 752));
    // A letter that belongs to one button presses it (after the button has shown itself pressed);
    // a letter shared by two would only move the focus between them.
    const std::pair<Qt::Key, int> faelle[] = {{Qt::Key_T, 701}, {Qt::Key_R, 702}, {Qt::Key_B, 703},
                                              {Qt::Key_O, 704}, {Qt::Key_L, 753}};
    for (const auto& [taste, id] : faelle) {
        gedrueckt.clear();
        QTest::keyClick(QApplication::focusWidget(), taste, Qt::AltModifier);
        for (int durchgang = 0; durchgang < 50 && gedrueckt.empty(); ++durchgang)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        EXPECT_EQ(gedrueckt, (std::map<int, int>{{id, 1}})) << "Alt+" << QKeySequence(taste).toString().toStdString();
    }
    EXPECT_EQ(kind<QPushButton>(&d, 702)->text(), "&Randomisierter Tetris - Algorithmus");
    d.grab().save(bildschirmfotoOrdner() + QStringLiteral("/stundenplandialog.png"));
}

// A line break pasted into a one-line edit becomes the blank the edit shows, and that is what is stored.
TEST_F(Tastatur, PastedLineBreaksBecomeBlanksAndAreStoredSo) {
    const struct {
        const char* eingabe;
        const char* gespeichert;
    } faelle[] = {
        {"Meier\nSchulze", "Meier Schulze"},
        {"Meier\r\nSchulze", "Meier  Schulze"},
        {"\rMeier\n", " Meier "},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.gespeichert);
        k_meldungen.leeren();
        TSchuelerDialog d(nullptr, 510, sv(), nullptr);
        d.setupFenster();
        auto* vorname = kind<QLineEdit>(&d, 1001);
        ASSERT_NE(vorname, nullptr);
        fokus(vorname);
        QApplication::clipboard()->setText(QString::fromUtf8(f.eingabe));
        taste(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(vorname->text().toStdString(), f.gespeichert);
        EXPECT_EQ(vorname->displayText().toStdString(), vorname->text().toStdString());
        fokus(kind<QLineEdit>(&d, 1003));
        QTest::keyClicks(QApplication::focusWidget(), "Neu");
        taste(Qt::Key_Return);  // OK
        ASSERT_TRUE(d.istGeschlossen()) << (k_meldungen.anzahl() ? k_meldungen.letzte().text : "");
        const c_Schueler* neu = nullptr;
        for (const c_Schueler* s : *sv()->getSchuelerliste())
            if (s->getFelder()->getString("NAME") == "Neu") neu = s;
        ASSERT_NE(neu, nullptr);
        EXPECT_EQ(neu->getFelder()->getString("VORNAME"), f.gespeichert);
        sv()->deleteSchueler(const_cast<c_Schueler*>(neu));
    }
}
