// What the user types into the record dialogs the main window opens, as real key events: the first
// keys land in the first field; a character the data file cannot store is left out with a hint.
#include "app/stundenplanmatrix.h"
#include "dialogs/ui/klassendialog.h"
#include "dialogs/ui/lehrerdialog.h"
#include "dialogs/ui/raumdialog.h"
#include "dialogs/ui/schuelerdialog.h"
#include "dialogs/ui/termindialoge.h"
#include "fensterhilfe.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <functional>

namespace {

// Keys to whatever has the focus, each with its text (QTest::keyClicks passes Latin-1 only).
void tippe(const QString& text) {
    for (const QChar c : text) {
        const auto taste = c == '\t' ? Qt::Key_Tab : static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), taste, QString(c), Qt::NoModifier);
    }
}

// Runs `handle` on the record dialog of type D once it is shown and active, then closes it.
template <class D>
void bei(std::function<void(TFormularDialog*)> handle, bool* gefunden) {
    beiModalemFenster<D>(
        [handle](D* d) {
            for (int i = 0; i < 50 && QApplication::activeWindow() != d; ++i) QApplication::processEvents();
            handle(d);
            d->reject();
        },
        gefunden);
}
using Bei = void (*)(std::function<void(TFormularDialog*)>, bool*);

}  // namespace

using Eingabe = FensterTest;

// A new room or teacher opened with the focus in the subject list or the class choice, where the
// first keys chose by type-ahead. Every record dialog, new or changed, takes them in its first field
// (a stored value is selected and replaced).
TEST_F(Eingabe, WhatIsTypedAtOnceLandsInTheFirstField) {
    auto w = fenster();
    // The record changed is the first row of the list `waehle` or the second entry of that choice;
    // `text` begins as an entry of a list or choice in the dialog.
    const struct { const char* name; Bei bei; int reiter, waehle; const char* text; } faelle[] = {
        {"Schüler", bei<TSchuelerDialog>, REITER_SCHUELER, 103, "5a"},
        {"Lehrer", bei<TLehrerDialog>, REITER_LEHRER, 104, "5a Max"},
        {"Raum", bei<TRaumDialog>, REITER_RAEUME, 102, "Deutschraum"},
        {"Klasse", bei<TKlassenDialog>, REITER_KLASSEN, 107, "7"},
        {"Einzeltermin", bei<TEinzelterminDialog>, REITER_EINZELTERMINE, 105, "Deu"},
        {"Vertretungstermin", bei<TVertretungsterminDialog>, REITER_VERTRETUNGEN, 117, "Deu"},
        {"Dauertermin", bei<TDauerterminDialog>, REITER_STUNDENPLAN, 111, "Mit"},
    };
    for (const auto& f : faelle)
        for (const bool aendern : {false, true}) {
            SCOPED_TRACE(std::string(f.name) + (aendern ? ", Ändern" : ", Neu"));
            w->waehleReiter(f.reiter);
            if (auto* l = kind<TListenAnsicht>(w.get(), f.waehle)) {
                l->setFokusZeile(0);
            } else if (auto* c = kind<QComboBox>(w.get(), f.waehle)) {
                c->setCurrentIndex(1);
                emit c->activated(1);
            }
            if (aendern && f.waehle == 111) w->stundenplan()->zelle(2, 2)->click();  // Schmidt's lesson
            bool gefunden = false;
            f.bei(
                [&](TFormularDialog* d) {
                    auto* erstes = kind<QLineEdit>(d, 1001);
                    ASSERT_NE(erstes, nullptr);
                    EXPECT_EQ(erstes->text().isEmpty(), !aendern) << erstes->text().toStdString();
                    if (!aendern) bild(d, (std::string("neu-") + f.name).c_str());
                    tippe(QString::fromUtf8(f.text));
                    EXPECT_EQ(erstes->text().toStdString(), f.text);
                    EXPECT_EQ(QApplication::focusWidget(), erstes);
                },
                &gefunden);
            w->befehl(aendern ? CM_AENDERN : CM_NEU);
            EXPECT_TRUE(gefunden);
        }
    EXPECT_EQ(m_meldungen.anzahl(), 0u) << (m_meldungen.anzahl() ? m_meldungen.letzte().text : "");
}

// "ş" typed into a teacher's first name opened a box that took the keys after it. It is left out,
// a hint beside the field names it, and "e", Tab and the name land where they were typed.
TEST_F(Eingabe, ACharacterThatCannotBeStoredIsLeftOutAndTheKeysAfterItLand) {
    auto w = fenster();
    w->waehleReiter(REITER_LEHRER);
    bool gefunden = false;
    bei<TLehrerDialog>(
        [&](TFormularDialog* d) {
            tippe(QString::fromUtf8("Ayşe\tÖzdemir"));
            EXPECT_EQ(kind<QLineEdit>(d, 1001)->text().toStdString(), "Aye");
            EXPECT_EQ(kind<QLineEdit>(d, 1003)->text().toStdString(), "Özdemir");
            EXPECT_EQ(QApplication::focusWidget(), kind<QLineEdit>(d, 1003));
            EXPECT_EQ(QApplication::activeWindow(), d);
            auto* hinweis = d->findChild<QLabel*>(QStringLiteral("zeichenHinweis"));
            ASSERT_NE(hinweis, nullptr);
            EXPECT_TRUE(hinweis->isVisible());
            EXPECT_EQ(hinweis->text().toStdString(), "Diese Zeichen können nicht gespeichert werden: ş");
            // Whole at the default font, on the screen, and over neither field.
            const QRect h = hinweis->geometry();
            EXPECT_EQ(hinweis->font(), QApplication::font());
            EXPECT_GE(hinweis->contentsRect().width() - 2 * hinweis->margin(),
                      QFontMetrics(QApplication::font()).horizontalAdvance(hinweis->text()));
            EXPECT_GE(h.height(), hinweis->sizeHint().height());
            EXPECT_TRUE(d->screen()->availableGeometry().contains(h));
            for (const int id : {1001, 1003}) {
                auto* feld = kind<QLineEdit>(d, id);
                EXPECT_FALSE(h.intersects(QRect(feld->mapToGlobal(QPoint()), feld->size()))) << id;
            }
            // A picture of the dialog with the hint where it stands on the screen.
            const QRect dialog(d->mapToGlobal(QPoint()), d->size()), alles = dialog.united(h).adjusted(-8, -8, 8, 8);
            QPixmap bild(alles.size());
            bild.fill(Qt::darkGray);
            QPainter(&bild).drawPixmap(dialog.topLeft() - alles.topLeft(), d->grab());
            QPainter(&bild).drawPixmap(h.topLeft() - alles.topLeft(), hinweis->grab());
            bild.save(bildschirmfotoOrdner() + QStringLiteral("/zeichenhinweis-lehrer.png"));
        },
        &gefunden);
    w->befehl(CM_NEU);
    EXPECT_TRUE(gefunden);
    EXPECT_EQ(m_meldungen.anzahl(), 0u) << (m_meldungen.anzahl() ? m_meldungen.letzte().text : "");
}
