// The widget side of the record form scheme: controls from the template by id,
// layout at the real font, fill and read back, and the character guard of the edits.
#include "dialogs/ui/formulardialog.h"
#include "dialogs/ui/zeichenschutz.h"
#include "model/felder.h"
#include "tests/core/testhilfe.h"
#include "platform/ui/meldung.h"
#include "tests/gui/modal_hilfe.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<c_datatype> feld(int typ, const char* name, const char* label, int x, int y, int w, int h,
                                 int laenge = 20) {
    return testhilfe::vorlagenFeld(typ, name, label, x, y, w, h, false, laenge);
}

// The smallest record dialog: the fields and nothing else.
class TNurFelder : public TFormularDialog {
public:
    TNurFelder(const c_Datenliste* v, int dx) : TFormularDialog(nullptr, 999, nullptr, v, dx) {}
    void setupFenster() override {
        k_dialogHoehe = layoutFelder(50, 0) + 20;
        setzeGroesse();
    }
    using TFormularDialog::fuelleFelder;
    using TFormularDialog::werte;
};

}  // namespace

TEST(FormularDialog, ControlsByIdLaidOutWithoutOverlapAndRoundTrip) {
    c_Datenliste v;
    v.push_back(feld(TYP_STRING, "NAME", "Ein ziemlich langer Name des Feldes:", 10, 8, 120, 20));
    v.push_back(feld(TYP_BOOL, "URLAUB", "Längere Zeit beurlaubt, mit langem Text", 10, 40, 60, 12));
    v.push_back(feld(TYP_INT, "PLZ", "PLZ:", 10, 70, 40, 20, 5));
    TNurFelder d(&v, 30);
    d.setupFenster();

    auto* name = d.findChild<QLabel*>("id1000");
    auto* edit = d.findChild<QLineEdit*>("id1001");
    auto* haken = d.findChild<QCheckBox*>("id1002");
    auto* plz = d.findChild<QLineEdit*>("id1004");
    ASSERT_TRUE(name && edit && haken && plz && d.findChild<QLabel*>("id1003"));
    const QFontMetrics fm(d.font());
    EXPECT_EQ(name->geometry().topLeft(), QPoint(40, 8));
    EXPECT_EQ(name->width(), fm.horizontalAdvance(name->text()));
    EXPECT_EQ(edit->x(), 40 + name->width() + 5);
    EXPECT_EQ(edit->width(), 120);
    EXPECT_GE(edit->height(), fm.height() + 6);
    EXPECT_GE(haken->width(), fm.horizontalAdvance(haken->text()));
    EXPECT_FALSE(haken->geometry().intersects(plz->geometry()));
    EXPECT_EQ(d.dialogBreite(), std::max(40 + 2 * name->width() + 120 + 20, haken->geometry().right() + 1 + 20));
    EXPECT_EQ(plz->maxLength(), 6);

    c_Datenliste satz(v);
    satz.setString("NAME", "Müller");
    satz.setBool("URLAUB", true);
    satz.setInt("PLZ", 0);
    d.fuelleFelder(satz);
    EXPECT_EQ(edit->text(), "Müller");
    EXPECT_TRUE(haken->isChecked());
    EXPECT_EQ(plz->text(), "0");
    const FormularWerte w = d.werte();
    EXPECT_EQ(w.edits, (std::vector<std::string>{"Müller", "0"}));
    EXPECT_EQ(w.haken, std::vector<bool>{true});

    d.show();
    QApplication::processEvents();
    d.grab().save(bildschirmfotoOrdner() + QStringLiteral("/bild-formular.png"));
}

TEST(FormularDialog, AStoredValueLongerThanTheLimitIsShownWhole) {
    // A file may hold a longer value than the template allows (another program, a changed structure):
    // opening the record and pressing OK must not cut it.
    c_Datenliste v;
    v.push_back(feld(TYP_STRING, "BEZ", "Bezeichner:", 10, 8, 40, 20, 2));
    TNurFelder d(&v, 0);
    d.setupFenster();
    auto* edit = d.findChild<QLineEdit*>("id1001");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 3);
    c_Datenliste satz(v);
    satz.setString("BEZ", "Sonnenblume");
    d.fuelleFelder(satz);
    EXPECT_EQ(d.werte().edits, std::vector<std::string>{"Sonnenblume"});
    // Typing still stops at the longer of the two.
    edit->end(false);
    edit->insert("n");
    EXPECT_EQ(edit->text(), "Sonnenblume");
}

TEST(FormularDialog, EditsLeaveOutCharactersTheDataFileCannotHoldAndKeepTheRest) {
    AufzeichnenderMeldungsDienst meldungen;
    MeldungsDienstTausch tausch(meldungen);
    QWidget fenster;
    auto* edit = new QLineEdit(&fenster);
    edit->resize(200, 24);
    schuetzeEdit(edit);
    fenster.show();
    struct Fall {
        const char* was;
        QString vorher;  // with "|" where the cursor stands
        QString eingabe;
        QString danach;  // likewise
        QString hinweis;  // the characters named, none when all are taken
    };
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const Fall faelle[] = {
        {"umlauts, sharp s, euro sign", "|", "Größe 5€ «é»", "Größe 5€ «é»|", ""},
        {"a letter outside the code page", "|", "ő", "|", "ő"},
        {"pasted into the middle", "Anna| Berg", " ő Kovács ☃ő", "Anna  Kovács | Berg", "ő ☃"},
        {"an emoji before the cursor, the rest after it", "A|B", "x" + emoji + "y", "Axy|B", emoji},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        QLabel* alt = fenster.findChild<QLabel*>(QStringLiteral("zeichenHinweis"));
        if (alt) alt->hide();
        QString vorher = f.vorher;
        const int cursor = static_cast<int>(vorher.indexOf('|'));
        edit->setText(vorher.remove(cursor, 1));
        edit->setCursorPosition(cursor);
        edit->insert(f.eingabe);  // as a paste inserts
        const int danach = static_cast<int>(f.danach.indexOf('|'));
        EXPECT_EQ(edit->text(), QString(f.danach).remove(danach, 1));
        EXPECT_EQ(edit->cursorPosition(), danach);
        QLabel* hinweis = fenster.findChild<QLabel*>(QStringLiteral("zeichenHinweis"));
        EXPECT_EQ(hinweis && hinweis->isVisible(), !f.hinweis.isEmpty());
        if (!f.hinweis.isEmpty() && hinweis) {
            EXPECT_EQ(hinweis->text(), "Diese Zeichen können nicht gespeichert werden: " + f.hinweis);
        }
    }
    // A typed one changes nothing, so that undo still takes back what was typed before it.
    edit->clear();
    QTest::keyClicks(edit, "Ay");
    QTest::sendKeyEvent(QTest::Click, edit, static_cast<Qt::Key>(0x15E), QString::fromUtf8("ş"), Qt::NoModifier);
    EXPECT_EQ(edit->text(), "Ay");
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(meldungen.anzahl(), 0u);
    EXPECT_EQ(TZeichensatzPruefer::fremdeZeichen(QString::fromUtf8("aőbőc☃")), QString::fromUtf8("ő☃"));
}
