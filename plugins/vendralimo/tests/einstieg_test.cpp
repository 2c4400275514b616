// The start flow with scripted dialogs, and pictures of the real boxes and the file dialog.
#include "plugins/vendralimo/einstieg.h"

#include "plugins/vendralimo/tests/gui_hilfe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>

#include <optional>
#include <vector>

using namespace vendralimo;
using namespace vendralimo_test;

namespace {

const std::string kDaten = VENDRALIMO_TESTDATEN;

struct Meldung {
    std::string text, titel;
    unsigned stil;
};

// Records what the flow shows and answers as scripted.
struct Skript {
    int antwort = IDYES;
    std::optional<std::string> datei;
    std::vector<Meldung> meldungen;
    std::vector<DateiDialogDaten> dialoge;
    QWidget* besitzer = nullptr;

    Dialoge hooks() {
        return Dialoge{[this](QWidget* b, const std::string& text, const std::string& titel, unsigned stil) {
                           besitzer = b;
                           meldungen.push_back({text, titel, stil});
                           return (stil & 0xF) == MB_YESNO ? antwort : IDOK;
                       },
                       [this](QWidget*, const DateiDialogDaten& d) {
                           dialoge.push_back(d);
                           return datei;
                       }};
    }
};

class Einstieg : public ImOrdner {};

}  // namespace

TEST_F(Einstieg, AblaufNachAntwortUndDateiwahl) {
    enum class Ergebnis { Unberuehrt, Importiert };
    struct Fall {
        const char* was;
        int antwort;
        const char* datei;  // null: the file dialog is cancelled
        std::size_t dateidialoge;
        bool fehlermeldung;
        Ergebnis ergebnis;
    };
    const Fall faelle[] = {
        {"No ends the flow before the file dialog", IDNO, "v1.ssv", 0, false, Ergebnis::Unberuehrt},
        {"a cancelled file dialog ends the flow", IDYES, nullptr, 1, false, Ergebnis::Unberuehrt},
        {"a good file is imported silently", IDYES, "v1.ssv", 1, false, Ergebnis::Importiert},
        {"a file that is no old year shows the failure", IDYES, "fremd.txt", 1, true, Ergebnis::Unberuehrt},
        {"a file that does not exist shows the failure", IDYES, "weg.ssv", 1, true, Ergebnis::Unberuehrt},
    };
    QWidget fenster;
    schreibeDatei("v1.ssv", leseDatei(kDaten + "/v1.ssv"));
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        schreibeDatei("aktuell.sdb", kAlt);
        Skript s;
        s.antwort = f.antwort;
        if (f.datei) s.datei = pfad(f.datei);
        starteImport(&fenster, s.hooks());

        ASSERT_GE(s.meldungen.size(), 1u);
        EXPECT_EQ(s.meldungen[0].text, FRAGE_TEXT);
        EXPECT_EQ(s.meldungen[0].titel, "Daten aus Vorgängerversion importieren");
        EXPECT_EQ(s.meldungen[0].stil, 36u);
        EXPECT_EQ(s.besitzer, &fenster);
        ASSERT_EQ(s.dialoge.size(), f.dateidialoge);
        if (f.dateidialoge) {
            EXPECT_EQ(s.dialoge[0].flags, 0x1006u);
            EXPECT_EQ(s.dialoge[0].filter, "Jahrgangs Dateien aus Version 1.1a (*.ssv)|*.ssv|");
            EXPECT_EQ(s.dialoge[0].anfangsordner, "");
            EXPECT_EQ(s.dialoge[0].standardEndung, "ssv");
        }
        ASSERT_EQ(s.meldungen.size(), f.fehlermeldung ? 2u : 1u);
        if (f.fehlermeldung) {
            EXPECT_EQ(s.meldungen[1].text, FEHLER_TEXT);
            EXPECT_EQ(s.meldungen[1].titel, "Fehler");
            EXPECT_EQ(s.meldungen[1].stil, 48u);
        }
        EXPECT_EQ(leseDatei("aktuell.sdb"), f.ergebnis == Ergebnis::Importiert ? leseDatei(kDaten + "/v1.sdb") : kAlt);
    }
}

TEST_F(Einstieg, EchteBoxenUndDateidialogAlsBild) {
    QWidget fenster;
    fenster.resize(640, 480);
    struct Box {
        const char* datei;
        const char* text;
        const char* titel;
        unsigned stil;
        QMessageBox::StandardButtons knoepfe;
        QMessageBox::Icon symbol;
    };
    const Box boxen[] = {
        {"vendralimo-frage.png", FRAGE_TEXT, FRAGE_TITEL, 36, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::Question},
        {"vendralimo-fehler.png", FEHLER_TEXT, FEHLER_TITEL, 48, QMessageBox::Ok, QMessageBox::Warning},
    };
    for (const Box& b : boxen) {
        SCOPED_TRACE(b.datei);
        auto box = baueMeldung(&fenster, b.text, b.titel, b.stil);
        EXPECT_EQ(box->parentWidget(), &fenster);
        EXPECT_EQ(box->text().toStdString(), b.text);
        EXPECT_EQ(box->windowTitle().toStdString(), b.titel);
        EXPECT_EQ(box->standardButtons(), b.knoepfe);
        EXPECT_EQ(box->icon(), b.symbol);
        box->show();
        QCoreApplication::processEvents();
        // Wide enough for the whole title beside the frame's icon and buttons.
        QFont fett = QApplication::font();
        fett.setBold(true);
        EXPECT_GE(box->width(), QFontMetrics(fett).horizontalAdvance(box->windowTitle()) + 120);
        if (b.stil == 36) {
            EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
            EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
        }
        EXPECT_TRUE(box->grab().save(bildOrdner() + QLatin1Char('/') + QLatin1String(b.datei)));
    }

    auto dialog = baueDateiDialog(&fenster, importDialogDaten());
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Jahrgangs Dateien aus Version 1.1a (*.ssv)")});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("ssv"));
    dialog->setDirectory(QDir::currentPath());
    dialog->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog->grab().save(bildOrdner() + QStringLiteral("/vendralimo-dateiwahl.png")));
}
