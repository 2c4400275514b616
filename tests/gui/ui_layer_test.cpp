// The platform UI layer: message boxes with the Windows flags, file dialogs, German standard
// texts, the compiled-in pictures and the text conversion.

#include "app/infodialog.h"
#include "planning/ui/stundenplandialog.h"
#include "platform/ui/anwendung.h"
#include "platform/ui/auswahl.h"
#include "platform/ui/bilder.h"
#include "platform/ui/dateidialog.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"
#include "tests/gui/modal_hilfe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <functional>
#include <set>

// ---- closed choices ----

// A box of the size auswahlGroesse gives shows its text whole, even where its style asks for less room
// than it then leaves the text; with one pixel less it shows the text shortened, and whole as its tool tip.
TEST(UiAuswahl, GroesseZeigtDenTextGanzAuchBeiKnappemStil) {
    struct KnapperStil : QProxyStyle {  // asks `fehlt` pixels too few for a combo box
        explicit KnapperStil(int f) : QProxyStyle(QStyleFactory::create("Fusion")), fehlt(f) {}
        QSize sizeFromContents(ContentsType t, const QStyleOption* o, const QSize& s, const QWidget* w) const override {
            return QProxyStyle::sizeFromContents(t, o, s, w) - QSize(t == CT_ComboBox ? fehlt : 0, 0);
        }
        int fehlt;
    };
    const QString text = QStringLiteral("10a 10a Abschluss 2027");
    for (int fehlt : {0, 12}) {
        SCOPED_TRACE(fehlt);
        KnapperStil stil(fehlt);
        TAuswahl box;
        box.setStyle(&stil);
        box.addItem(text);
        box.show();  // a hidden box is not told of its new size
        const int breite = box.fontMetrics().horizontalAdvance(text);
        box.resize(auswahlGroesse(&box, breite));
        QStyleOptionComboBox o;
        o.initFrom(&box);
        const int platz = stil.subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, &box).width() - 2;
        EXPECT_LE(breite, platz);
        EXPECT_EQ(box.toolTip().toStdString(), "");
        box.resize(box.width() - (platz - breite) - 1, box.height());
        EXPECT_TRUE(box.gezeigterText().endsWith(QChar(0x2026))) << box.gezeigterText().toStdString();
        EXPECT_EQ(box.toolTip(), text) << box.toolTip().toStdString();
    }
}

// ---- German standard texts ----

TEST(UiUebersetzung, StandardknoepfeSindDeutsch)
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Abbrechen"));
    EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove(QLatin1Char('&')), QStringLiteral("OK"));
}

TEST(UiUebersetzung, ZweitesInstallierenIstHarmlos)
{
    EXPECT_TRUE(installiereDeutscheUebersetzung(*qApp));
    const auto uebersetzer = qApp->findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_EQ(uebersetzer.size(), 1);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
}

TEST(UiUebersetzung, UebersetzungsdateiLiegtImQtOrdner)
{
    EXPECT_TRUE(QFile::exists(uebersetzungsOrdner() + QStringLiteral("/qtbase_de.qm")))
        << qPrintable(uebersetzungsOrdner());
}

// ---- message boxes ----

TEST(UiMeldung, FehlerboxHatOkUndAusrufezeichen)
{
    auto box = baueMeldungsBox(nullptr, "Der Raum konnte nicht gelöscht werden!\n(findet in ihm noch Termine statt?)",
                               "Fehler", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(MB_OK | MB_ICONEXCLAMATION, 48);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Fehler"));
    EXPECT_EQ(box->text(), QStringLiteral("Der Raum konnte nicht gelöscht werden!\n(findet in ihm noch Termine statt?)"));
}

TEST(UiMeldung, FrageboxHatJaNeinUndFragezeichen)
{
    auto box = baueMeldungsBox(nullptr, "Wollen Sie den markierten Schüler\nwirklich entfernen?",
                               "Schüler löschen", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, 36);
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
    EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Schüler löschen"));
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
}

TEST(UiMeldung, SchlichteBoxHatNurOkOhneSymbol)
{
    auto box = baueMeldungsBox(nullptr, "Name fehlt.", "Schüler", MB_OK);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(UiMeldung, TextWirdNichtAlsHtmlGedeutet)
{
    auto box = baueMeldungsBox(nullptr, "Klasse <b>5a</b> & Co", "Fehler", 48);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    box->show();
    QCoreApplication::processEvents();
    bool textSichtbar = false;
    for (QLabel* label : box->findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Klasse <b>5a</b> & Co") && label->textFormat() == Qt::PlainText)
            textSichtbar = true;
    EXPECT_TRUE(textSichtbar);
}

TEST(UiMeldung, ErgebnisseEntsprechenDenWindowsWerten)
{
    EXPECT_EQ(meldungsErgebnis(QMessageBox::Ok, 48), IDOK);
    EXPECT_EQ(meldungsErgebnis(QMessageBox::Yes, 36), IDYES);
    EXPECT_EQ(meldungsErgebnis(QMessageBox::No, 36), IDNO);
    EXPECT_EQ(meldungsErgebnis(QMessageBox::Cancel, MB_OKCANCEL), IDCANCEL);
    // Closed without a button.
    EXPECT_EQ(meldungsErgebnis(QMessageBox::NoButton, 36), IDNO);
    EXPECT_EQ(meldungsErgebnis(QMessageBox::NoButton, 48), IDOK);
    EXPECT_EQ(meldungsErgebnis(QMessageBox::NoButton, MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(IDOK, 1);
    EXPECT_EQ(IDYES, 6);
    EXPECT_EQ(IDNO, 7);
}

TEST(UiMeldung, EchteBoxLiefertDenGeklicktenKnopf)
{
    QtMeldungsDienst dienst;
    bool gefunden = false;
    QString titel;
    beiModalemFenster<QMessageBox>([&titel](QMessageBox* box) {
        titel = box->windowTitle();
        box->button(QMessageBox::No)->click();
    }, &gefunden);
    EXPECT_EQ(dienst.zeige(nullptr, "Wollen Sie die aktuelle Klasse\nwirklich entfernen?", "Klasse löschen", 36), IDNO);
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(titel, QStringLiteral("Klasse löschen"));

    beiModalemFenster<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, &gefunden);
    EXPECT_EQ(dienst.zeige(nullptr, "Frage?", "Frage", 36), IDYES);
    EXPECT_TRUE(gefunden);

    beiModalemFenster<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); }, &gefunden);
    EXPECT_EQ(dienst.zeige(nullptr, "Fehler!", "Fehler", 48), IDOK);
    EXPECT_TRUE(gefunden);
}

TEST(UiMeldung, EscapeBeiEinerFrageIstNein)
{
    QtMeldungsDienst dienst;
    bool gefunden = false;
    beiModalemFenster<QMessageBox>([](QMessageBox* box) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &escape);
    }, &gefunden);
    EXPECT_EQ(dienst.zeige(nullptr, "Wollen Sie wirklich alle Daten\nlöschen und neu beginnen?", "Alles löschen", 36), IDNO);
    EXPECT_TRUE(gefunden);
}

TEST(UiMeldung, BoxSchliesstSichMitIhremElternfenster)
{
    QtMeldungsDienst dienst;
    auto* eltern = new QWidget;
    eltern->show();
    bool gefunden = false;
    beiModalemFenster<QMessageBox>([eltern](QMessageBox*) { delete eltern; }, &gefunden);
    EXPECT_EQ(dienst.zeige(eltern, "Frage?", "Frage", 36), IDNO);
    EXPECT_TRUE(gefunden);
}

TEST(UiMeldung, AufzeichnenderDienstZeichnetAufUndAntwortetNachSkript)
{
    AufzeichnenderMeldungsDienst aufzeichner;
    {
        MeldungsDienstTausch tausch(aufzeichner);
        EXPECT_EQ(&meldungsDienst(), &aufzeichner);

        aufzeichner.antworte(IDNO);
        aufzeichner.antworte(IDYES);
        EXPECT_EQ(meldung("Wollen Sie wirklich einen Halbjahreswechsel\ndurchführen?", "Halbjahreswechsel", 36), IDNO);
        EXPECT_EQ(meldung("Sollen auch die Zensuren gelöscht werden?", "Halbjahreswechsel", 36), IDYES);
        EXPECT_EQ(aufzeichner.offeneAntworten(), 0u);
        // Without a scripted answer: Yes for a question, OK otherwise.
        EXPECT_EQ(meldung("Noch eine Frage?", "Frage", 36), IDYES);
        EXPECT_EQ(meldung("Die Klasse konnte nicht entfernt werden!", "Fehler", 48), IDOK);
        EXPECT_EQ(meldung("Hinweis", "Schüler", 0), IDOK);
    }
    ASSERT_EQ(aufzeichner.anzahl(), 5u);
    const auto& m = aufzeichner.meldungen();
    EXPECT_EQ(m[0].text, "Wollen Sie wirklich einen Halbjahreswechsel\ndurchführen?");
    EXPECT_EQ(m[0].caption, "Halbjahreswechsel");
    EXPECT_EQ(m[0].flags, 36);
    EXPECT_EQ(m[0].antwort, IDNO);
    EXPECT_EQ(m[1].antwort, IDYES);
    EXPECT_EQ(m[2].antwort, IDYES);
    EXPECT_EQ(m[3].text, "Die Klasse konnte nicht entfernt werden!");
    EXPECT_EQ(m[3].caption, "Fehler");
    EXPECT_EQ(m[3].flags, 48);
    EXPECT_EQ(m[3].antwort, IDOK);
    EXPECT_EQ(m[4].caption, "Schüler");
    EXPECT_EQ(m[4].flags, 0);
    EXPECT_EQ(aufzeichner.letzte().text, "Hinweis");

    // The previous service is back.
    EXPECT_NE(dynamic_cast<QtMeldungsDienst*>(&meldungsDienst()), nullptr);
}

TEST(UiMeldung, TauschLaesstSichSchachteln)
{
    AufzeichnenderMeldungsDienst aussen, innen;
    MeldungsDienstTausch a(aussen);
    {
        MeldungsDienstTausch b(innen);
        meldung("innen", "x", 0);
    }
    meldung("außen", "x", 0);
    ASSERT_EQ(innen.anzahl(), 1u);
    ASSERT_EQ(aussen.anzahl(), 1u);
    EXPECT_EQ(innen.letzte().text, "innen");
    EXPECT_EQ(aussen.letzte().text, "außen");
}

TEST(UiMeldung, BildschirmfotoDerDeutschenBoxen)
{
    auto frage = baueMeldungsBox(nullptr, "Wollen Sie den markierten Schüler\nwirklich entfernen?",
                                 "Schüler löschen", 36);
    frage->show();
    QCoreApplication::processEvents();
    const QPixmap bildFrage = frage->grab();
    ASSERT_FALSE(bildFrage.isNull());
    EXPECT_TRUE(bildFrage.save(bildschirmfotoOrdner() + QStringLiteral("/meldung-frage.png")));

    auto fehler = baueMeldungsBox(nullptr, "Der Lehrer konnte nicht gelöscht werden!", "Fehler", 48);
    fehler->show();
    QCoreApplication::processEvents();
    const QPixmap bildFehler = fehler->grab();
    ASSERT_FALSE(bildFehler.isNull());
    EXPECT_TRUE(bildFehler.save(bildschirmfotoOrdner() + QStringLiteral("/meldung-fehler.png")));
}

// The window manager draws the title in bold between the frame's icon and its three buttons and
// cuts what does not fit: every box and dialog is at least that wide, however short its text.
TEST(UiMeldung, JedesFensterIstSoBreitWieSeinTitel)
{
    QFont fett = QApplication::font();
    fett.setBold(true);
    const auto reicht = [&](QWidget* w) {
        w->show();
        QCoreApplication::processEvents();
        EXPECT_GE(w->width(), QFontMetrics(fett).horizontalAdvance(w->windowTitle()) + 120)
            << w->windowTitle().toStdString();
        w->hide();
    };
    for (const char* titel : {"Stundenplanerstellung schlug fehl", "Fehler beim Laden des aktuellen Datenbestandes",
                              "Vertretungsplan erstellen", "Beenden"}) {
        auto box = baueMeldungsBox(nullptr, "x", titel, MB_OK | MB_ICONEXCLAMATION);
        reicht(box.get());
    }
    TInfoDialog info(nullptr);
    reicht(&info);
    TStundenplanDialog algorithmen(nullptr, nullptr);
    reicht(&algorithmen);
}

// A window without a title of its own shows the application's name there: a box or dialog with an
// empty caption is as wide as that name needs, one with a caption as wide as the caption needs.
TEST(UiMeldung, LeererTitelZeigtDenProgrammnamenGanz)
{
    const QString vorher = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Tessaluna Schulverwaltung"));
    struct Fall {
        bool dialog;          // a dialog of the program, else a message box
        const char* caption;  // as the code sets it
        const char* text;     // of the box
        const char* gezeigt;  // the title the window manager shows
    };
    const Fall faelle[] = {
        {false, "", "Das Fehlzeitende liegt vor dem Fehlzeitbeginn.", "Tessaluna Schulverwaltung"},
        {false, "", "Löschen fehlgeschlagen!", "Tessaluna Schulverwaltung"},
        {false, "Fehler", "x", "Fehler"},
        {true, "", nullptr, "Tessaluna Schulverwaltung"},
        {true, "Datum", nullptr, "Datum"},
    };
    QFont fett = QApplication::font();
    fett.setBold(true);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(std::string(f.caption) + (f.text ? std::string(" / ") + f.text : std::string(" (Dialog)")));
        std::unique_ptr<QWidget> w;
        if (f.dialog) {
            auto d = std::make_unique<QDialog>();
            d->setWindowTitle(QString::fromUtf8(f.caption));
            auto* ok = new QPushButton(QStringLiteral("OK"), d.get());
            ok->setObjectName(QStringLiteral("id1"));
            ok->setGeometry(10, 10, 60, 24);
            d->resize(80, 44);
            richteTastenEin(d.get());
            w = std::move(d);
        } else {
            w = baueMeldungsBox(nullptr, f.text, f.caption, MB_OK | MB_ICONEXCLAMATION);
        }
        w->show();
        QCoreApplication::processEvents();
        EXPECT_GE(w->width(), QFontMetrics(fett).horizontalAdvance(QString::fromUtf8(f.gezeigt)) + 120);
        w->hide();
    }
    QCoreApplication::setApplicationName(vorher);
}

// ---- file dialogs ----

TEST(UiDateiDialog, FilterImQtFormat)
{
    EXPECT_EQ(qtDateiFilter("Jahrgangs Dateien (*.sdb)|*.sdb|"), QStringLiteral("Jahrgangs Dateien (*.sdb)"));
    EXPECT_EQ(qtDateiFilter("Textdateien|*.txt|Alle Dateien|*.*|"),
              QStringLiteral("Textdateien (*.txt);;Alle Dateien (*.*)"));
    EXPECT_EQ(qtDateiFilter("Jahrgänge (*.sdb;*.tmp)|*.sdb;*.tmp|"), QStringLiteral("Jahrgänge (*.sdb *.tmp)"));
    EXPECT_EQ(qtDateiFilter("Alte Jahrgänge|*.ssv;*.SSV"), QStringLiteral("Alte Jahrgänge (*.ssv *.SSV)"));
    EXPECT_EQ(qtDateiFilter("Text (UTF-8)|*.txt|"), QStringLiteral("Text (UTF-8) (*.txt)"));
    EXPECT_EQ(qtDateiFilter("Alle Dateien|"), QStringLiteral("Alle Dateien (*)"));
    EXPECT_EQ(qtDateiFilter(""), QString());
}

TEST(UiDateiDialog, StandardEndung)
{
    EXPECT_EQ(mitStandardEndung("/tmp/jahrgang", "sdb"), "/tmp/jahrgang.sdb");
    EXPECT_EQ(mitStandardEndung("/tmp/jahrgang.sdb", "sdb"), "/tmp/jahrgang.sdb");
    EXPECT_EQ(mitStandardEndung("/tmp/jahrgang.txt", "sdb"), "/tmp/jahrgang.txt");
    EXPECT_EQ(mitStandardEndung("/tmp/ordner.neu/jahrgang", "sdb"), "/tmp/ordner.neu/jahrgang.sdb");
    EXPECT_EQ(mitStandardEndung("/tmp/.versteckt", "sdb"), "/tmp/.versteckt.sdb");
    EXPECT_EQ(mitStandardEndung("Schüler", "txt"), "Schüler.txt");
    EXPECT_EQ(mitStandardEndung("/tmp/jahrgang", ""), "/tmp/jahrgang");
    EXPECT_EQ(mitStandardEndung("/tmp/", "sdb"), "/tmp/");
}

TEST(UiDateiDialog, AufzeichnenderDialogZeichnetAufUndAntwortetNachSkript)
{
    AufzeichnenderDateiDialog aufzeichner;
    {
        DateiDialogTausch tausch(aufzeichner);
        aufzeichner.antworte(std::string("/daten/2023.sdb"));
        aufzeichner.antworte(std::nullopt);
        DateiAuswahl auswahl{"", "Jahrgangs Dateien (*.sdb)|*.sdb|", "sdb", "aktuell.sdb"};
        EXPECT_EQ(dateiOeffnen(auswahl), std::optional<std::string>("/daten/2023.sdb"));
        EXPECT_EQ(dateiSpeichern(auswahl), std::nullopt);
        // Nothing scripted: cancelled.
        EXPECT_EQ(dateiOeffnen(DateiAuswahl{}), std::nullopt);
    }
    ASSERT_EQ(aufzeichner.anzahl(), 3u);
    const auto& a = aufzeichner.anfragen();
    EXPECT_EQ(a[0].art, AufzeichnenderDateiDialog::Art::Oeffnen);
    EXPECT_EQ(a[0].auswahl.filter, "Jahrgangs Dateien (*.sdb)|*.sdb|");
    EXPECT_EQ(a[0].auswahl.standardEndung, "sdb");
    EXPECT_EQ(a[0].auswahl.startPfad, "aktuell.sdb");
    EXPECT_EQ(a[1].art, AufzeichnenderDateiDialog::Art::Speichern);
    EXPECT_EQ(a[2].art, AufzeichnenderDateiDialog::Art::Oeffnen);
    EXPECT_NE(dynamic_cast<QtDateiDialogDienst*>(&dateiDialogDienst()), nullptr);
}

TEST(UiDateiDialog, EchterSpeicherdialogHaengtDieEndungAn)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    QtDateiDialogDienst dienst;
    bool gefunden = false;
    QStringList filter;
    QString endung;
    beiModalemFenster<QFileDialog>([&](QFileDialog* dialog) {
        filter = dialog->nameFilters();
        endung = dialog->defaultSuffix();
        dialog->selectFile(ordner.path() + QStringLiteral("/Jahrgang Schüler"));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides accept()
    }, &gefunden);
    const auto pfad = dienst.speichern(nullptr, {"", "Jahrgangs Dateien (*.sdb)|*.sdb|", "sdb",
                                                 ss(ordner.path()) + "/aktuell.sdb"});
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(filter, QStringList{QStringLiteral("Jahrgangs Dateien (*.sdb)")});
    EXPECT_EQ(endung, QStringLiteral("sdb"));
    ASSERT_TRUE(pfad.has_value());
    EXPECT_EQ(*pfad, ss(ordner.path()) + "/Jahrgang Schüler.sdb");
}

TEST(UiDateiDialog, EchterOeffnendialogLiefertDieDateiOderNichts)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const QString datei = ordner.path() + QStringLiteral("/2023.sdb");
    {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QtDateiDialogDienst dienst;
    bool gefunden = false;
    QFileDialog::FileMode modus = QFileDialog::AnyFile;
    QString startOrdner;
    beiModalemFenster<QFileDialog>([&](QFileDialog* dialog) {
        modus = dialog->fileMode();
        startOrdner = dialog->directory().absolutePath();
        dialog->selectFile(datei);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides accept()
    }, &gefunden);
    auto pfad = dienst.oeffnen(nullptr, {"", "Jahrgangs Dateien (*.sdb)|*.sdb|", "sdb", ss(ordner.path()) + "/aktuell.sdb"});
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(modus, QFileDialog::ExistingFile);
    EXPECT_EQ(startOrdner, QDir(ordner.path()).absolutePath());
    EXPECT_EQ(pfad, std::optional<std::string>(ss(datei)));

    beiModalemFenster<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); }, &gefunden);
    pfad = dienst.oeffnen(nullptr, {"", "Jahrgangs Dateien (*.sdb)|*.sdb|", "sdb", ""});
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(pfad, std::nullopt);
}

// ---- pictures ----

TEST(UiBilder, JedeNummerLaedtInIhrerGroesse)
{
    const std::vector<int> nummern = alleBildNummern();
    EXPECT_EQ(nummern, (std::vector<int>{22, 24, 25, 26, 27, 28, 29, 30, 31, 32, 40, 50}));
    for (int id : nummern) {
        const QPixmap bild = bitmap(id);
        ASSERT_FALSE(bild.isNull()) << id;
        QSize erwartet(24, 24);
        if (id == BILD_STARTBILD)
            erwartet = QSize(400, 300);
        else if (id == BILD_PROGRAMMSYMBOL)
            erwartet = QSize(48, 48);
        EXPECT_EQ(bild.size(), erwartet) << id;
        EXPECT_FALSE(icon(id).isNull()) << id;
    }
}

TEST(UiBilder, UnbekannteNummerGibtNichts)
{
    for (int id : {0, 21, 23, 33, 41, 51, -1}) {
        EXPECT_TRUE(bildPfad(id).isEmpty()) << id;
        EXPECT_TRUE(bitmap(id).isNull()) << id;
        EXPECT_TRUE(icon(id).isNull()) << id;
    }
}

TEST(UiBilder, WerkzeugbilderZeigenIhrenBefehl)
{
    // Tool bar bitmap -> what its command does.
    const std::pair<int, const char*> paare[] = {
        {31, "hilfe"},       {22, "beenden"},         {29, "wiederherstellen"}, {30, "archivieren"},
        {32, "neu"},         {24, "aendern"},         {26, "loeschen"},         {27, "stundenplan"},
        {28, "vertretungsplan"}, {25, "exportieren"},
    };
    for (const auto& [id, name] : paare)
        EXPECT_EQ(bildPfad(id), QStringLiteral(":/bilder/%1.png").arg(QLatin1String(name))) << id;
}

TEST(UiBilder, WerkzeugbilderSindVerschiedenUndNichtLeer)
{
    std::vector<QImage> bilder;
    for (int id = 22; id <= 32; ++id) {
        if (id == 23)
            continue;
        const QImage bild = bitmap(id).toImage().convertToFormat(QImage::Format_ARGB32);
        int deckend = 0, durchsichtig = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x) {
                const int alpha = qAlpha(bild.pixel(x, y));
                deckend += alpha == 255;
                durchsichtig += alpha == 0;
            }
        EXPECT_GT(deckend, 24 * 24 / 5) << id;
        EXPECT_GT(durchsichtig, 0) << id; // drawn on a transparent ground
        for (const QImage& anderes : bilder)
            EXPECT_NE(bild, anderes) << id;
        bilder.push_back(bild);
    }
}

TEST(UiBilder, ProgrammsymbolInAllenGroessen)
{
    const QIcon symbol = icon(BILD_PROGRAMMSYMBOL);
    const QList<QSize> groessen = symbol.availableSizes();
    for (int g : {16, 32, 48, 256})
        EXPECT_TRUE(groessen.contains(QSize(g, g))) << g;
    EXPECT_EQ(symbol.pixmap(QSize(32, 32)).size(), QSize(32, 32));
}

TEST(UiBilder, StartbildIstDeckend)
{
    const QImage bild = bitmap(BILD_STARTBILD).toImage().convertToFormat(QImage::Format_ARGB32);
    for (const QPoint p : {QPoint(0, 0), QPoint(399, 0), QPoint(0, 299), QPoint(399, 299), QPoint(200, 150)})
        EXPECT_EQ(qAlpha(bild.pixel(p)), 255) << p.x() << "," << p.y();
    EXPECT_EQ(bitmap(BILD_STARTBILD).devicePixelRatio(), 1.0);
}

// ---- text conversion ----

TEST(UiText, Utf8HinUndZurueck)
{
    const std::string text = "Schüler löschen – Größe ß";
    const QString q = qs(text);
    EXPECT_EQ(q.size(), 25);
    EXPECT_EQ(q, QStringLiteral("Schüler löschen – Größe ß"));
    EXPECT_EQ(ss(q), text);
    EXPECT_EQ(qs(text.c_str()), q);
    EXPECT_EQ(qs(static_cast<const char*>(nullptr)), QString());
    EXPECT_EQ(ss(QString()), std::string());
}
