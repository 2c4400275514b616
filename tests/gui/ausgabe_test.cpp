// Export and printing: the two area dialogs, the print window with its menu, effects, font,
// printing into a PDF file and the page preview, and the main window's commands 14, 18 and 19.
#include "app/hauptfenster.h"
#include "output/berichte.h"
#include "output/ui/druckerdialog.h"
#include "output/ui/druckfenster.h"
#include "output/ui/exportdialog.h"
#include "platform/ui/dateidialog.h"
#include "platform/ui/druckdienst.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"
#include "tests/core/alsnobody.h"
#include "tests/core/ausgabe_schule.h"
#include "tests/core/jahrgang_hilfe.h"
#include "tests/gui/modal_hilfe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace jahrgang;

namespace {

class AusgabeTest : public MitSchulverwaltung {
protected:
    // Two subjects, two teachers, an inactive room before the active one, a class with both,
    // two students with a grade and an absence, a weekly lesson and a substitution.
    void baueJahr() {
        c_Schulverwaltung& s = *sv;
        mathe = fach(s, "Mathematik");
        deutsch = fach(s, "Deutsch");
        mueller = add(s, lehrer(s, "Müller", "Anna", 24, {mathe}));
        schmidt = add(s, lehrer(s, "Schmidt", "Bernd", 20, {deutsch}));
        add(s, raum(s, "A001", false));
        r101 = add(s, raum(s, "R101", true, {mathe}));
        k5a = add(s, klasse(s, 5, "a", "Sonnen"));
        k5a->setKlassenraum(r101);
        k5a->setKlassenlehrer(mueller);
        c_Schueler* adler = add(s, schueler(s, "Adler", "Kim", k5a));
        zensur(s, adler, "2", "gut", mathe);
        fehlzeit(s, adler->getFehlzeitliste(), 1, 2, 2024, 2, 2, 2024);
        add(s, schueler(s, "Zander", "Lea", k5a));
        add(s, dauertermin(s, "Dienstag", 2, 3, k5a, r101, schmidt, deutsch));
        add(s, vertretung(s, 5, 3, 2024, 2, 2, schmidt, mueller));
    }

    template <class T>
    static T* kind(QWidget* w, int id) {
        return w->findChild<T*>(QString("id%1").arg(id));
    }
    static void bild(QWidget* w, const char* name) {
        EXPECT_TRUE(w->grab().save(bildschirmfotoOrdner() + "/" + name + ".png"));
    }
    // Every child widget lies inside the dialog and is at least as wide as its text needs.
    static void pruefeLayout(QDialog& d) {
        for (QWidget* w : d.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&d) || w->parentWidget() != &d) continue;
            SCOPED_TRACE(qPrintable(w->objectName() + " " + w->metaObject()->className()));
            EXPECT_TRUE(QRect(QPoint(0, 0), d.size()).contains(w->geometry()));
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w)) {
                auto* label = qobject_cast<QLabel*>(w);
                if (!label || !label->wordWrap()) {
                    EXPECT_GE(w->width(), w->sizeHint().width());
                }
            }
        }
    }
    std::string druckerText(TPrintMainWindow* f) { return f->richEdit()->toPlainText().toStdString(); }

    AufzeichnenderMeldungsDienst m_meldungen;
    AufzeichnenderDateiDialog m_dateien;
    AufzeichnenderDruckDienst m_druck;
    MeldungsDienstTausch m_meldungenTausch{m_meldungen};
    DateiDialogTausch m_dateienTausch{m_dateien};
    DruckDienstTausch m_druckTausch{m_druck};
    c_Fach *mathe = nullptr, *deutsch = nullptr;
    c_Lehrer *mueller = nullptr, *schmidt = nullptr;
    c_Raum* r101 = nullptr;
    c_Klasse* k5a = nullptr;
};

// ---------------------------------------------------------------- dialogs

TEST_F(AusgabeTest, BothDialogsShowTheirControlsAndTexts) {
    baueJahr();
    TExportDialog exp(nullptr, 400, sv.get(), nullptr, r101, nullptr, 4, 3, 2024);
    QPrinter drucker;
    TDruckerDialog dru(nullptr, 413, &drucker, sv.get(), nullptr, r101, nullptr, 4, 3, 2024);
    const struct {
        QDialog* dialog;
        const char* titel;
        const char* verb;
        const char* ok;
        const char* bild;
    } faelle[] = {{&exp, "Exportieren", "exportieren", "&OK", "exportdialog"},
                  {&dru, "Drucken", "drucken", "&Weiter >>", "druckerdialog"}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.titel);
        QDialog& d = *f.dialog;
        EXPECT_EQ(d.windowTitle(), f.titel);
        const QString verb = f.verb;
        const QStringList texte = {"Alle Stundenpläne " + verb, "Nur aktuell angezeigten Stundenplan " + verb,
                                   "Vertretungsplan der aktuellen Woche " + verb, "Liste aller Schüler",
                                   "Übersicht über die Klasse:", "Liste aller Lehrer", "Liste aller Räume"};
        for (int i = 0; i < 7; ++i) {
            auto* r = kind<QRadioButton>(&d, 401 + i);
            ASSERT_NE(r, nullptr);
            EXPECT_EQ(r->text(), texte[i]);
            EXPECT_EQ(r->isChecked(), i == 1);
        }
        EXPECT_EQ(kind<QCheckBox>(&d, 409)->text(), "Bei Listen mit Schülern auch deren Zensuren " + verb);
        EXPECT_EQ(kind<QPushButton>(&d, 1)->text(), f.ok);
        EXPECT_EQ(kind<QPushButton>(&d, 2)->text(), "&Abbruch");
        auto* klassen = kind<QComboBox>(&d, 408);
        ASSERT_EQ(klassen->count(), 1);
        EXPECT_EQ(klassen->itemText(0), "5a Sonnen");
        EXPECT_EQ(klassen->currentIndex(), 0);
        d.show();
        pruefeLayout(d);
        bild(&d, f.bild);
    }
}

TEST_F(AusgabeTest, ExportRefusesAnEmptyAreaThenWritesTheChosenFile) {
    TExportDialog leer(nullptr, 400, sv.get(), nullptr, nullptr, nullptr, 4, 3, 2024);
    kind<QRadioButton>(&leer, 401)->setChecked(true);
    kind<QPushButton>(&leer, 1)->click();
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, "Zum ausgewählten Gebiet gibt\nes keine Daten zum Exportieren");
    EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
    EXPECT_EQ(m_meldungen.letzte().flags, 48);
    EXPECT_EQ(m_dateien.anzahl(), 0u);
    EXPECT_EQ(leer.result(), 0);  // still open

    // The substitution plan always has data; a cancelled file dialog closes without writing.
    kind<QRadioButton>(&leer, 403)->setChecked(true);
    kind<QPushButton>(&leer, 1)->click();
    EXPECT_EQ(leer.result(), QDialog::Accepted);
    ASSERT_EQ(m_dateien.anzahl(), 1u);
    EXPECT_EQ(m_dateien.anfragen()[0].art, AufzeichnenderDateiDialog::Art::Speichern);
    EXPECT_EQ(m_dateien.anfragen()[0].auswahl.filter, "Text-Dateien (*.txt)|*.txt|");
    EXPECT_EQ(m_dateien.anfragen()[0].auswahl.standardEndung, "txt");
    EXPECT_EQ(eintraege(), "orvask.str;");

    // The student list with grades, in Windows-1252 with CR LF.
    baueJahr();
    TExportDialog d(nullptr, 400, sv.get(), nullptr, nullptr, nullptr, 4, 3, 2024);
    kind<QRadioButton>(&d, 404)->setChecked(true);
    kind<QCheckBox>(&d, 409)->setChecked(true);
    m_dateien.antworte(std::string("schueler.txt"));
    kind<QPushButton>(&d, 1)->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.getDateiname(), "schueler.txt");
    const std::string bytes = lese("schueler.txt");
    EXPECT_EQ(bytes.rfind("Vorname:: Kim\r\nName:: Adler\r\n", 0), 0u) << bytes;
    EXPECT_NE(bytes.find("Zensuren:\r\nDeutsch: \r\nMathematik: Zensur:: 2 | Bemerkung:: gut | \r\n\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find(", Klasse: 5a Sonnen\r\nFehlzeiten: \r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("Sch\xC3\xBC"), std::string::npos);  // no UTF-8 on disk
    EXPECT_EQ(m_meldungen.anzahl(), 1u);

    // A target that cannot be written: the message, the dialog closes.
    std::filesystem::create_directory("ordner.txt");
    TExportDialog fehl(nullptr, 400, sv.get(), nullptr, nullptr, nullptr, 4, 3, 2024);
    kind<QRadioButton>(&fehl, 407)->setChecked(true);
    m_dateien.antworte(std::string("ordner.txt"));
    kind<QPushButton>(&fehl, 1)->click();
    EXPECT_EQ(m_meldungen.letzte().text, "Datei konnte nicht angelegt werden.\nBitte überprüfen Sie Ihren Datenträger.");
    EXPECT_EQ(m_meldungen.letzte().flags, 48);
    EXPECT_EQ(fehl.result(), QDialog::Accepted);
}

TEST_F(AusgabeTest, PrintDialogCountsNoSubstitutionsForAllTimetables) {
    add(*sv, vertretung(*sv, 5, 3, 2024, 2, 2, nullptr, nullptr));
    TDruckerDialog d(nullptr, 413, nullptr, sv.get(), nullptr, nullptr, nullptr, 4, 3, 2024);
    kind<QRadioButton>(&d, 401)->setChecked(true);
    kind<QPushButton>(&d, 1)->click();
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, "Zum ausgewählten Gebiet gibt\nes keine Daten zum Drucken");
    EXPECT_EQ(m_meldungen.letzte().flags, 48);
    EXPECT_EQ(d.result(), 0);
    EXPECT_EQ(d.druckfenster(), nullptr);
}

// ---------------------------------------------------------------- print window

TEST_F(AusgabeTest, PrintWindowMenuEffectsFontPrintAndPreview) {
    baueJahr();
    TDruckerDialog d(nullptr, 413, nullptr, sv.get(), nullptr, nullptr, nullptr, 4, 3, 2024);
    kind<QRadioButton>(&d, 406)->setChecked(true);
    const QString pdf = QDir::current().absoluteFilePath("ausdruck.pdf");
    m_druck.setzePdfDatei(pdf);
    m_druck.beiAnsicht([](QWidget* ansicht) { bild(ansicht, "seitenansicht"); });
    bool gefunden = false;
    beiModalemFenster<TPrintMainWindow>([&](TPrintMainWindow* f) {
        EXPECT_EQ(f, d.druckfenster());
        EXPECT_EQ(f->windowTitle(), "Druckvorschau");
        EXPECT_EQ(f->size(), QSize(400, 350));
        QTextEdit* edit = f->richEdit();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->objectName(), "id256");
        EXPECT_TRUE(edit->font().fixedPitch());
        const std::string text = druckerText(f);
        EXPECT_EQ(text.rfind("Liste aller Lehrer:\n\nVorname:: Anna\nName:: Müller\n", 0), 0u) << text;
        EXPECT_NE(text.find(", Faecher: Mathematik, Fehlzeiten:  keine\n"), std::string::npos);

        // Menu 4096: two popups, the character effects in a sub-menu.
        const QList<QAction*> oben = f->menuBar()->actions();
        ASSERT_EQ(oben.size(), 2);
        EXPECT_EQ(oben[0]->text(), "&Drucken");
        EXPECT_EQ(oben[1]->text(), "F&ormat");
        QStringList eintraege;
        for (QAction* a : oben[0]->menu()->actions()) eintraege << (a->isSeparator() ? "-" : a->text());
        EXPECT_EQ(eintraege, QStringList({"&Drucken...", "&Seitenansicht...", "-", "&Abbruch"}));
        eintraege.clear();
        for (QAction* a : oben[1]->menu()->actions()) eintraege << a->text();
        EXPECT_EQ(eintraege, QStringList({"&Zeichen", "&Schrift..."}));
        eintraege.clear();
        for (QAction* a : oben[1]->menu()->actions()[0]->menu()->actions()) eintraege << a->text();
        EXPECT_EQ(eintraege, QStringList({"&Fett", "&Kursiv", "&Unterstrichen", "&Durchgestrichen"}));
        for (int id : {24337, 24340, 4948, 4944, 4945, 4946, 4947, 4865}) EXPECT_NE(f->aktion(id), nullptr) << id;

        // The first line selected: each effect toggles on, bold toggles off again.
        const QString klartext = edit->toPlainText();
        QTextCursor c(edit->document());
        c.setPosition(static_cast<int>(klartext.indexOf('\n')), QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
        // The format of the character at a position of the text.
        auto formatBei = [edit](qsizetype pos) {
            QTextCursor z(edit->document());
            z.setPosition(static_cast<int>(pos) + 1);
            return z.charFormat();
        };
        for (int id : {4944, 4945, 4946, 4947}) f->aktion(id)->trigger();
        QTextCharFormat fmt = formatBei(0);
        EXPECT_EQ(fmt.fontWeight(), QFont::Bold);
        EXPECT_TRUE(fmt.fontItalic());
        EXPECT_TRUE(fmt.fontUnderline());
        EXPECT_TRUE(fmt.fontStrikeOut());
        f->befehl(4944);
        fmt = formatBei(0);
        EXPECT_EQ(fmt.fontWeight(), QFont::Normal);
        f->befehl(4944);
        // The second line keeps the plain format.
        EXPECT_EQ(formatBei(klartext.indexOf("Vorname")).fontWeight(), QFont::Normal);
        EXPECT_EQ(formatBei(klartext.indexOf(':')).fontWeight(), QFont::Bold);

        // Font choice: cancelled leaves the text alone, a chosen font lands on the selection.
        f->aktion(4865)->trigger();
        EXPECT_TRUE(m_druck.schriftStart().fixedPitch());
        QFont gross(QStringLiteral("DejaVu Serif"));
        gross.setPointSize(14);
        m_druck.antworteSchrift(gross);
        f->aktion(4865)->trigger();
        fmt = formatBei(0);
        EXPECT_EQ(fmt.font().pointSize(), 14);
        bild(f, "druckfenster");

        // Menu item and tool bar button print alike, into the PDF file.
        f->aktion(24337)->trigger();
        auto* leiste = f->findChild<QToolBar*>();
        ASSERT_NE(leiste, nullptr);
        ASSERT_EQ(leiste->actions().size(), 1);
        EXPECT_EQ(leiste->actions()[0], f->aktion(24337));
        qobject_cast<QToolButton*>(leiste->widgetForAction(leiste->actions()[0]))->click();
        EXPECT_EQ(m_druck.anzahl(AufzeichnenderDruckDienst::Art::Drucken), 2u);
        EXPECT_EQ(m_druck.druckDokument(), "Tessaluna Schulverwaltung Ausdruck");
        EXPECT_EQ(lese(pdf.toStdString()).rfind("%PDF", 0), 0u);
        // A print dialog cancelled: nothing printed, nothing said.
        std::filesystem::remove(pdf.toStdString());
        m_druck.antworteDrucken(false);
        f->befehl(24337);
        EXPECT_FALSE(std::filesystem::exists(pdf.toStdString()));

        f->befehl(24340);
        EXPECT_EQ(m_druck.ansichtTitel(), "Seitenansicht");
        EXPECT_EQ(m_druck.ansichtDokument(), "Seitenansicht");
        EXPECT_GE(m_druck.ansichtSeiten(), 1);
        // The window made its own printer and keeps it.
        EXPECT_NE(f->drucker(), nullptr);

        f->befehl(4948);
        EXPECT_FALSE(f->isVisible());
    }, &gefunden);
    kind<QPushButton>(&d, 1)->click();
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.druckfenster(), nullptr);
    EXPECT_TRUE(m_meldungen.meldungen().empty());
}

TEST_F(AusgabeTest, PrintFailureIsReportedInGerman) {
    baueJahr();
    QPrinter drucker;
    TPrintMainWindow f(nullptr, &drucker, "Druckvorschau", new QTextEdit);
    f.setupFenster();
    f.appendText("Zeile 1\nZeile 2\n");
    f.appendText("Zeile 3\n");
    EXPECT_EQ(f.richEdit()->toPlainText(), "Zeile 1\nZeile 2\nZeile 3\n");
    m_druck.setzePdfDatei(QDir::current().absoluteFilePath("fehlt/ausdruck.pdf"));
    f.CmDrucken();
    ASSERT_EQ(m_meldungen.anzahl(), 1u);
    EXPECT_EQ(m_meldungen.letzte().text, druckFehlerText(false));
    EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
    EXPECT_EQ(m_meldungen.letzte().flags, 48);
    EXPECT_EQ(f.drucker(), &drucker);

    // Without a rich edit the window does nothing with text, preview, font or effects.
    TPrintMainWindow ohne(nullptr, nullptr, "Druckvorschau", nullptr);
    ohne.setupFenster();
    ohne.appendText("x");
    for (int id : {24340, 4865, 4944}) ohne.befehl(id);
    EXPECT_EQ(m_druck.aufrufe().size(), 1u);
}

// While it lives, every file this process writes stops at `bytes`: a write beyond it fails as it
// does on a full disk (without the signal that would end the process).
class DateiGrenze {
public:
    explicit DateiGrenze(rlim_t bytes) {
        k_signal = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &k_vorher);
        rlimit neu = k_vorher;
        neu.rlim_cur = bytes;
        k_gesetzt = ::setrlimit(RLIMIT_FSIZE, &neu) == 0;
    }
    ~DateiGrenze() {
        ::setrlimit(RLIMIT_FSIZE, &k_vorher);
        std::signal(SIGXFSZ, k_signal);
    }
    bool gesetzt() const { return k_gesetzt; }

private:
    rlimit k_vorher{};
    void (*k_signal)(int) = nullptr;
    bool k_gesetzt = false;
};

// Printing into a file that cannot be written whole: Qt reports its printer as idle all the
// same, so the file is checked. The pages go into a file beside the chosen one first: a broken
// print is reported and leaves nothing behind, and a file printed before stays as it was.
TEST_F(AusgabeTest, PrintIntoAFileThatCannotBeWrittenWholeKeepsTheOldFile) {
    std::string text;
    for (int i = 1; i <= 200; ++i) text += "Zeile " + std::to_string(i) + " des Ausdrucks\n";
    TPrintMainWindow f(nullptr, nullptr, "Druckvorschau", new QTextEdit);
    f.setupFenster();
    f.appendText(text);
    const QString pdf = QDir::current().absoluteFilePath("ausdruck.pdf");
    m_druck.setzePdfDatei(pdf);
    const QByteArray alt = "%PDF-1.4 ein älterer Ausdruck %%EOF";
    const struct {
        const char* was;
        bool alteDatei;
        bool begrenzt;
        rlim_t grenze;
    } faelle[] = {{"full from the start", false, true, 0},
                  {"full half-way", false, true, 2000},
                  {"full half-way, an older print there", true, true, 2000},
                  {"room enough", false, false, 0},
                  {"room enough, an older print there", true, false, 0}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.was);
        m_meldungen.leeren();
        QFile::remove(pdf);
        if (fall.alteDatei) {
            QFile datei(pdf);
            ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
            datei.write(alt);
            datei.close();
            ASSERT_TRUE(datei.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        }
        {
            std::unique_ptr<DateiGrenze> grenze;
            if (fall.begrenzt) {
                grenze = std::make_unique<DateiGrenze>(fall.grenze);
                ASSERT_TRUE(grenze->gesetzt());
            }
            f.befehl(CM_DRUCK_DRUCKEN);
        }
        // Nothing beside the file, whatever happened; the printer keeps the user's file name.
        EXPECT_EQ(QDir::current().entryList({"ausdruck.pdf*"}, QDir::Files), fall.alteDatei || !fall.begrenzt
                                                                                   ? QStringList{"ausdruck.pdf"}
                                                                                   : QStringList{});
        EXPECT_EQ(f.drucker()->outputFileName(), pdf);
        QFile datei(pdf);
        if (!fall.begrenzt) {
            EXPECT_TRUE(m_meldungen.meldungen().empty());
            ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
            EXPECT_GT(datei.size(), 2000);
            struct stat st {};
            ASSERT_EQ(::stat("ausdruck.pdf", &st), 0);
            if (fall.alteDatei) {
                EXPECT_EQ(st.st_mode & 0777, 0640u);  // the mode of the file it replaced
            }
            continue;
        }
        ASSERT_EQ(m_meldungen.anzahl(), 1u);
        EXPECT_EQ(m_meldungen.letzte().text, dateiFehlerText(ss(pdf), fall.alteDatei));
        EXPECT_EQ(m_meldungen.letzte().caption, "Fehler");
        EXPECT_EQ(m_meldungen.letzte().flags, 48);
        if (fall.alteDatei) {
            ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
            EXPECT_EQ(datei.readAll(), alt);
        }
    }
    EXPECT_EQ(dateiFehlerText("/tmp/a.pdf", true),
              "Der Ausdruck konnte nicht vollständig in die Datei\n/tmp/a.pdf\ngeschrieben werden.\nVielleicht ist "
              "der Datenträger voll.\nDie bisherige Datei ist unverändert geblieben.");
    auto box = baueMeldungsBox(nullptr, dateiFehlerText(ss(pdf), true), "Fehler", 48);
    box->show();
    bild(box.get(), "meldung-druckdatei");
}

// Printing into a file respects the file as the exports do, for a user without root's rights: a
// file that may not be written is refused as write-protected and stays as it is; a writable
// file in a folder where nothing new can be made is printed into directly.
TEST_F(AusgabeTest, PrintIntoAFileThatMayNotBeWrittenIsRefusedOneInAClosedFolderIsPrintedDirectly) {
    TPrintMainWindow f(nullptr, nullptr, "Druckvorschau", new QTextEdit);
    f.setupFenster();
    f.appendText("Zeile 1 des Ausdrucks\nZeile 2 des Ausdrucks\n");
    const QByteArray alt = "%PDF-1.4 ein älterer Ausdruck %%EOF";
    const struct {
        const char* was;
        mode_t ordnerModus, dateiModus;  // both root's, so another owner's for the printing user
        bool gedruckt;
    } faelle[] = {
        {"write-protected, in a folder open to all", 0777, 0444, false},
        {"not the user's to write, in a closed folder", 0755, 0644, false},
        {"writable by all, in a closed folder", 0755, 0666, true},
    };
    ASSERT_EQ(::chmod(".", 0755), 0);
    int nummer = 0;
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.was);
        const std::string ordner = std::to_string(++nummer);
        ASSERT_TRUE(std::filesystem::create_directory(ordner));
        const QString pdf = QDir::current().absoluteFilePath(QString::fromStdString(ordner + "/ausdruck.pdf"));
        {
            QFile datei(pdf);
            ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
            datei.write(alt);
        }
        ASSERT_EQ(::chmod(qPrintable(pdf), fall.dateiModus), 0);
        ASSERT_EQ(::chmod(ordner.c_str(), fall.ordnerModus), 0);
        m_druck.setzePdfDatei(pdf);
        const std::string antwort = testhilfe::alsNobody([&] {
            m_meldungen.leeren();
            f.befehl(CM_DRUCK_DRUCKEN);
            std::string was = std::to_string(m_meldungen.anzahl()) + "\n";
            for (const auto& m : m_meldungen.meldungen()) was += m.text + "|" + m.caption + "|" + std::to_string(m.flags);
            return was;
        });
        const std::string meldung = fall.gedruckt ? "" : dateiGeschuetztText(ss(pdf)) + "|Fehler|48";
        EXPECT_EQ(antwort, (fall.gedruckt ? "0\n" : "1\n") + meldung);
        QFile datei(pdf);
        ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
        const QByteArray jetzt = datei.readAll();
        if (fall.gedruckt) {
            EXPECT_TRUE(jetzt.startsWith("%PDF") && jetzt.trimmed().endsWith("%%EOF") && jetzt.size() > alt.size());
        } else {
            EXPECT_EQ(jetzt, alt);
        }
        struct stat st {};
        ASSERT_EQ(::stat(qPrintable(pdf), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, fall.dateiModus);
        EXPECT_EQ(st.st_uid, ::geteuid());
        // Nothing left beside it.
        EXPECT_EQ(QDir(QString::fromStdString(ordner)).entryList(QDir::Files), QStringList{"ausdruck.pdf"});
    }
    EXPECT_EQ(dateiGeschuetztText("/a.pdf"), "Der Ausdruck konnte nicht in die Datei\n/a.pdf\ngeschrieben werden: Die "
                                             "Datei ist schreibgeschützt.\nDie bisherige Datei ist unverändert geblieben.");
}

// Without a new file beside it, only a writable file whose folder refuses new ones is printed into.
TEST(Druckweg, FileIsPrintedIntoDirectlyOnlyWhereItsFolderRefusesNewFiles) {
    using W = Druckweg;
    const struct { bool vorhanden, geschuetzt; int nachbarFehler; bool beschreibbar; W weg; } faelle[] = {
        {true, false, 0, true, W::Nachbar},          {true, true, 0, true, W::Geschuetzt},
        {true, false, EACCES, true, W::Direkt},      {true, false, EPERM, true, W::Direkt},
        {true, false, EACCES, false, W::Geschuetzt}, {true, false, ENOSPC, true, W::Abgelehnt},
        {true, false, EDQUOT, true, W::Abgelehnt},   {false, false, EACCES, false, W::Unmoeglich}};
    for (const auto& f : faelle)
        EXPECT_EQ(dateiDruckweg(f.vorhanden, f.geschuetzt, f.nachbarFehler, f.beschreibbar), f.weg) << &f - faelle;
}

// With no free inode for a file beside it, the print is refused and the older file stays byte for byte.
TEST_F(AusgabeTest, PrintIntoAFileOnAFullFileSystemLeavesTheOldFileAsItWas) {
    TPrintMainWindow f(nullptr, nullptr, "Druckvorschau", new QTextEdit);
    f.setupFenster();
    f.appendText("Zeile 1 des Ausdrucks\n");
    ASSERT_TRUE(std::filesystem::create_directory("voll"));
    const QString pdf = QDir::current().absoluteFilePath("voll/ausdruck.pdf");
    m_druck.setzePdfDatei(pdf);
    const QByteArray alt = "%PDF-1.4 ein älterer Ausdruck %%EOF";
    const std::string antwort = testhilfe::imKindprozess(
        [] {  // a tmpfs of two inodes (its root folder takes one) in a mount namespace of the child's own
            return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount("tmpfs", "voll", "tmpfs", 0, "size=1m,nr_inodes=2") == 0;
        },
        [&] {
            QFile datei(pdf);
            if (!datei.open(QIODevice::WriteOnly) || datei.write(alt) != alt.size()) return std::string("kein Platz");
            datei.close();
            f.befehl(CM_DRUCK_DRUCKEN);
            const bool gleich = datei.open(QIODevice::ReadOnly) && datei.readAll() == alt;
            return (m_meldungen.anzahl() == 1 ? m_meldungen.letzte().text : "?") + (gleich ? "" : " (verändert)");
        });
    if (antwort.empty()) GTEST_SKIP() << "no tmpfs can be mounted here";
    EXPECT_EQ(antwort, dateiFehlerText(ss(pdf), true));
}

TEST_F(AusgabeTest, LongTextIsPaginatedLineByLine) {
    std::string text;
    for (int i = 1; i <= 250; ++i) text += "Zeile " + std::to_string(i) + "\n";
    TPrintMainWindow f(nullptr, nullptr, "Druckvorschau", new QTextEdit);
    f.setupFenster();
    f.appendText(text);
    EXPECT_EQ(f.richEdit()->toPlainText().toStdString(), text);
    f.befehl(CM_SEITENANSICHT);
    EXPECT_GE(m_druck.ansichtSeiten(), 3);
    m_druck.setzePdfDatei(bildschirmfotoOrdner() + "/zeilen.pdf");
    f.befehl(CM_DRUCK_DRUCKEN);
    EXPECT_TRUE(m_meldungen.meldungen().empty());

    // The real preview dialog, closed from inside its event loop.
    QtDruckDienst echt;
    DruckDienstTausch tausch(echt);
    bool gefunden = false;
    int seiten = 0;
    beiModalemFenster<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Seitenansicht");
        seiten = d->findChild<QPrintPreviewWidget*>()->pageCount();
        bild(d, "seitenansicht-dialog");
        d->close();
    }, &gefunden);
    f.befehl(CM_SEITENANSICHT);
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(seiten, m_druck.ansichtSeiten());
}

// Printed and previewed, long lines wrap at the right margin in the editor's fonts; on screen they stay whole.
TEST_F(AusgabeTest, LongLinesWrapAtTheRightMarginOfThePrintedAndPreviewedPages) {
    baueJahr();
    QStringList woerter;  // a word longer than any line, then 30 lines of 60 different words each
    for (int i = 0; i < 30 * 60; ++i) woerter << QString("Z%1Wort%2").arg(i / 60 + 1).arg(i % 60 + 1);
    auto zeile = [&](int z) { return woerter.mid(z * 60, 60).join(' '); };
    QString lang = QString(400, 'x') + '\n';
    for (int z = 0; z < 30; ++z) lang += zeile(z) + '\n';
    const QString pdf = bildschirmfotoOrdner() + "/umbruch.pdf";
    m_druck.setzePdfDatei(pdf);
    m_druck.beiAnsicht([](QWidget* ansicht) { bild(ansicht, "seitenansicht-umbruch"); });
    m_druck.antworteSchrift(QFont(QStringLiteral("DejaVu Serif"), 12));
    TDruckerDialog d(nullptr, 413, nullptr, sv.get(), nullptr, nullptr, nullptr, 4, 3, 2024);
    kind<QRadioButton>(&d, 406)->setChecked(true);
    bool gefunden = false;
    beiModalemFenster<TPrintMainWindow>([&](TPrintMainWindow* f) {
        QTextEdit* edit = f->richEdit();
        f->appendText(ss(lang));
        edit->setTextCursor(edit->document()->find(zeile(0)));  // the first line bold
        f->befehl(CM_FETT);
        edit->setTextCursor(edit->document()->find(zeile(1)));  // the second in a serif font
        f->befehl(CM_SCHRIFT);
        f->befehl(CM_DRUCK_DRUCKEN);
        f->befehl(CM_SEITENANSICHT);
        EXPECT_EQ(edit->lineWrapMode(), QTextEdit::NoWrap);

        // The pages: 2 cm margins, no line beyond the right one, every word whole and in order.
        const std::unique_ptr<QTextDocument> seiten = seitenText(*edit->document(), f->drucker());
        const qreal links = seiten->documentLayout()->blockBoundingRect(seiten->begin()).left();
        EXPECT_NEAR(links, 2 / 2.54 * f->drucker()->logicalDpiX(), 2);
        EXPECT_GE(seiten->pageCount(), 3);  // whole lines would fit on one; this lays the pages out
        int zuBreit = 0;
        QStringList gedruckt;
        for (QTextBlock b = seiten->begin(); b.isValid(); b = b.next())
            for (int i = 0; i < b.layout()->lineCount(); ++i) {
                const QTextLine z = b.layout()->lineAt(i);
                zuBreit += links + z.x() + z.naturalTextWidth() > seiten->pageSize().width() - links + 0.5;
                const QString teil = b.text().mid(z.textStart(), z.textLength()).replace(QChar::LineSeparator, ' ');
                gedruckt << teil.split(' ', Qt::SkipEmptyParts);
            }
        EXPECT_EQ(zuBreit, 0);
        EXPECT_TRUE(gedruckt.mid(gedruckt.indexOf(woerter[0]), woerter.size()) == woerter);
        EXPECT_EQ(seiten->find("Z1Wort30").charFormat().fontWeight(), QFont::Bold);
        EXPECT_EQ(seiten->find("Z2Wort30").charFormat().font().family(), "DejaVu Serif");
        // The PDF file and the preview have the pages of that layout.
        EXPECT_EQ(QByteArray::fromStdString(lese(pdf.toStdString())).count("/Type /Page\n"), seiten->pageCount());
        EXPECT_EQ(m_druck.ansichtSeiten(), seiten->pageCount());
        f->befehl(CM_DRUCK_ABBRUCH);
    }, &gefunden);
    kind<QPushButton>(&d, 1)->click();
    EXPECT_TRUE(gefunden);
}

// ---------------------------------------------------------------- main window commands

class AusgabeHauptfensterTest : public AusgabeTest {
protected:
    std::unique_ptr<TMainWindow> fenster() {
        baueJahr();
        EXPECT_EQ(sv->save(AKTUELLE_DATEI), 1);
        auto w = std::make_unique<TMainWindow>();
        w->resize(900, 560);
        w->setupFenster();
        w->waehleReiter(REITER_STUNDENPLAN);
        return w;
    }
    // Shows the rooms in the timetable tab: the first active room, R101.
    static void zeigeRaum(TMainWindow& w) {
        auto* kategorie = w.findChild<QComboBox*>("id110");
        kategorie->setCurrentIndex(1);
        w.changeKategorie();
        w.findChild<QComboBox*>("id111")->setCurrentIndex(0);
        w.changeBesitzer();
    }
};

TEST_F(AusgabeHauptfensterTest, ExportTakesTheOwnerAndWeekOfTheTimetableTab) {
    auto w = fenster();
    zeigeRaum(*w);
    w->setWoche(4, 3, 2024);
    bool gefunden = false;
    m_dateien.antworte(std::string("plan.txt"));
    beiModalemFenster<TExportDialog>([](TExportDialog* d) { kind<QPushButton>(d, 1)->click(); }, &gefunden);
    w->befehl(CM_EXPORTIEREN);
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(lese("plan.txt").rfind("\r\nStundenplan von: R101\r\n", 0), 0u);

    m_dateien.antworte(std::string("woche.txt"));
    beiModalemFenster<TExportDialog>([](TExportDialog* d) {
        kind<QRadioButton>(d, 403)->setChecked(true);
        kind<QPushButton>(d, 1)->click();
    }, &gefunden);
    w->befehl(CM_EXPORTIEREN);
    EXPECT_TRUE(gefunden);
    const std::string woche = lese("woche.txt");
    EXPECT_EQ(woche.rfind("\r\nVertretungsplan\r\nvom: 4.3.2024\r\nbis: 9.3.2024\r\n", 0), 0u) << woche;
    EXPECT_NE(woche.find("5.3.2024 : \r\n  , Schmidt, , \r\n\r\n6.3.2024 : \r\n"), std::string::npos) << woche;
    EXPECT_TRUE(m_meldungen.meldungen().empty());
}

TEST_F(AusgabeHauptfensterTest, PrintOpensThePrintWindowAndPrinterSetUpConfirms) {
    auto w = fenster();
    zeigeRaum(*w);
    bool dialog = false, druckfenster = false;
    std::string text;
    beiModalemFenster<TDruckerDialog>([&](TDruckerDialog* d) {
        beiModalemFenster<TPrintMainWindow>([&](TPrintMainWindow* f) {
            text = druckerText(f);
            bild(f, "druckfenster-stundenplan");
            m_druck.setzePdfDatei(bildschirmfotoOrdner() + "/stundenplan.pdf");
            f->befehl(CM_DRUCK_DRUCKEN);
            f->befehl(CM_DRUCK_ABBRUCH);
        }, &druckfenster);
        kind<QPushButton>(d, 1)->click();
    }, &dialog);
    w->befehl(CM_DRUCKEN);
    EXPECT_TRUE(dialog);
    EXPECT_TRUE(druckfenster);
    EXPECT_EQ(text.rfind("\nStundenplan von: R101\n", 0), 0u) << text;
    // Closing the print window returns to the main window: no dialog is left.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    w->befehl(CM_DRUCKER_EINRICHTEN);
    EXPECT_EQ(m_druck.anzahl(AufzeichnenderDruckDienst::Art::Einrichten), 1u);
    EXPECT_EQ(m_druck.anzahl(AufzeichnenderDruckDienst::Art::Drucken), 1u);
    EXPECT_TRUE(m_meldungen.meldungen().empty());
}

}  // namespace

// ---------------------------------------------------------------- benchmark

// Opening the print window with the student list with grades of 32000 students (10 grades
// each). Not part of the test run; start it with
//   tests/orvask_gui_tests --gtest_also_run_disabled_tests --gtest_filter='*Benchmark*'
TEST(AusgabeBenchmark, DISABLED_PrintWindowWithTheLongStudentList) {
    planung_schule::Arbeitsordner ordner;
    planung_schule::Schule s;
    const planung_schule::Realistisch r = ausgabe_schule::baueSchuleMitPlan(s);
    const int anzahl = qEnvironmentVariableIsSet("ORVASK_SCHUELER") ? qEnvironmentVariableIntValue("ORVASK_SCHUELER")
                                                                    : 32000;
    ausgabe_schule::baueSchueler(s, r, anzahl, 10);
    AufzeichnenderMeldungsDienst meldungen;
    MeldungsDienstTausch tausch(meldungen);
    TDruckerDialog d(nullptr, 413, nullptr, s.get(), nullptr, nullptr, nullptr, 2, 3, 2026);
    d.findChild<QRadioButton*>("id404")->setChecked(true);
    d.findChild<QCheckBox*>("id409")->setChecked(true);
    QElapsedTimer uhr;
    qint64 offen = 0, gezeichnet = 0;
    int zeichen = 0;
    bool gefunden = false;
    beiModalemFenster<TPrintMainWindow>([&](TPrintMainWindow* f) {
        offen = uhr.elapsed();
        f->grab();
        gezeichnet = uhr.elapsed();
        zeichen = f->richEdit()->document()->characterCount();
        f->close();
    }, &gefunden);
    uhr.start();
    d.findChild<QPushButton*>("id1")->click();
    const qint64 zu = uhr.elapsed();
    EXPECT_TRUE(gefunden);
    std::printf("Druckfenster mit %d Zeichen: sichtbar nach %lld ms, gezeichnet nach %lld ms, geschlossen nach %lld ms\n",
                zeichen, static_cast<long long>(offen), static_cast<long long>(gezeichnet),
                static_cast<long long>(zu));
}
