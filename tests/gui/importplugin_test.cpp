// The real import plug-in in the program's plugins/ folder: run from the
// extensions dialog and from the "&Erweiterungen" popup, with its own
// question box and file dialog answered as a user would, and the imported
// year shown by the main window afterwards.
#ifdef ORVASK_VENDRALIMO
#include "platform/ui/listenansicht.h"
#include "platform/ui/qtext.h"
#include "pluginhilfe.h"
#include "plugins/vendralimo/tests/gui_hilfe.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

namespace {

using vendralimo_test::Bediener;

class ImportPluginTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        fs::create_directories(PLUGIN_ORDNER);
        fs::copy_file(ORVASK_VENDRALIMO, fs::path(PLUGIN_ORDNER) / "vendralimo.so");
        for (const char* datei : {"v1.ssv", "v2.ssv"})
            fs::copy_file(fs::path(ORVASK_VENDRALIMO_DATEN) / datei, datei);
    }
    static std::string golden(const char* datei) {
        return dateiInhalt((fs::path(ORVASK_VENDRALIMO_DATEN) / datei).string());
    }

    // The plug-in's question: its caption is kept, then `knopf` is pressed.
    Bediener::Schritt frage(QMessageBox::StandardButton knopf) {
        return [this, knopf](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr) << ss(w->objectName());
            m_titel << box->windowTitle();
            bild(box, ("import-" + std::to_string(m_titel.size())).c_str());
            box->button(knopf)->click();
        };
    }
    // The plug-in's file dialog, owned by `eltern`: the file typed into the name field, then OK.
    Bediener::Schritt waehle(const char* datei, QWidget** eltern) {
        return [this, datei, eltern](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr) << ss(w->objectName());
            EXPECT_EQ(dialog->parentWidget(), *eltern);
            EXPECT_EQ(dialog->nameFilters(), QStringList({"Jahrgangs Dateien aus Version 1.1a (*.ssv)"}));
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(qs((m_ordner / datei).string()));
            static_cast<QDialog*>(dialog)->accept();
        };
    }
    // The extensions dialog: its line chosen and Ausführen pressed once the step has returned,
    // so that the operator sees the plug-in's windows that open inside.
    Bediener::Schritt fuehreAus(QWidget** dialog) {
        return [this, dialog](QWidget* w) {
            *dialog = w;
            EXPECT_EQ(w->objectName(), "id770");
            auto* liste = w->findChild<QListWidget*>("id771");
            ASSERT_NE(liste, nullptr);
            ASSERT_EQ(liste->count(), 1);
            EXPECT_EQ(liste->item(0)->text(), "Importieren einer alten Schulverwaltungsdatei (.ssv)");
            liste->setCurrentRow(0);
            bild(w, "import-erweiterungen");
            QTimer::singleShot(0, w->findChild<QPushButton*>("id1"), &QPushButton::click);
        };
    }
    static QStringList spalte(TMainWindow* w, int liste, int spalte) {
        QStringList texte;
        auto* l = kind<TListenAnsicht>(w, liste);
        for (int i = 0; i < l->anzahlZeilen(); ++i) texte << l->text(i, spalte);
        return texte;
    }

    QStringList m_titel;
};

TEST_F(ImportPluginTest, RunFromTheDialogAndThePopupTheImportedYearIsShown) {
    auto r = rahmen();
    TMainWindow* w = r->client();
    ASSERT_EQ(w->pluginliste()->size(), 1u);
    EXPECT_EQ(kind<QTabWidget>(w, 101)->count(), 7);
    QMenu* m = popup(r.get());
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(eintraege(m), QStringList({"Importieren einer alten Schulverwaltungsdatei (.ssv) befehl2000"}));
    EXPECT_EQ(spalte(w, 103, 1), QStringList({"Adler", "Zander"}));
    const std::string frageTitel = "Daten aus Vorgängerversion importieren";

    // From the extensions dialog: the plug-in's windows belong to the dialog.
    QWidget* dialog = nullptr;
    {
        Bediener b({fuehreAus(&dialog), frage(QMessageBox::Yes), waehle("v2.ssv", &dialog)});
        w->befehl(CM_ERWEITERUNGEN);
        EXPECT_EQ(b.offen(), 0u);
        EXPECT_EQ(b.unerwartet(), 0);
    }
    EXPECT_EQ(m_titel, QStringList({qs(frageTitel)}));
    EXPECT_TRUE(m_meldungen.meldungen().empty());
    EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), golden("v2.sdb"));
    EXPECT_EQ(spalte(w, 103, 1), QStringList({"Mustermann", "Öztürk"}));
    EXPECT_EQ(spalte(w, 104, 1), QStringList({"Müller", "Schäfer"}));
    EXPECT_EQ(schueler(w), 2u);

    // From the popup: the same sequence, with the main window as owner.
    QWidget* hauptfenster = w;
    m_titel.clear();
    {
        Bediener b({frage(QMessageBox::Yes), waehle("v1.ssv", &hauptfenster)});
        r->findChild<QAction*>("befehl2000")->trigger();
        EXPECT_EQ(b.offen(), 0u);
        EXPECT_EQ(b.unerwartet(), 0);
    }
    EXPECT_EQ(m_titel, QStringList({qs(frageTitel)}));
    EXPECT_TRUE(m_meldungen.meldungen().empty());
    EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), golden("v1.sdb"));
    EXPECT_EQ(spalte(w, 104, 1), QStringList({"Weiß"}));
    EXPECT_EQ(kind<QComboBox>(w, 107)->count(), 2);  // "[keine]" and the imported class

    // No to the question, and a file that is no old year: the year in memory and on disk stays.
    m_titel.clear();
    {
        Bediener b({frage(QMessageBox::No), frage(QMessageBox::Yes), waehle("jahr_b.sdb", &hauptfenster),
                    frage(QMessageBox::Ok)});
        r->findChild<QAction*>("befehl2000")->trigger();
        r->findChild<QAction*>("befehl2000")->trigger();
        EXPECT_EQ(b.offen(), 0u);
        EXPECT_EQ(b.unerwartet(), 0);
    }
    EXPECT_EQ(m_titel, QStringList({qs(frageTitel), qs(frageTitel), "Fehler"}));
    EXPECT_TRUE(m_meldungen.meldungen().empty());
    EXPECT_EQ(spalte(w, 104, 1), QStringList({"Weiß"}));
    EXPECT_NE(dateiInhalt(AKTUELLE_DATEI).find("string,Wei\xdf\r\n"), std::string::npos);
    EXPECT_EQ(dateiInhalt(AKTUELLE_DATEI), dateiInhalt(SICHERUNGS_DATEI));
}

}  // namespace
#endif
