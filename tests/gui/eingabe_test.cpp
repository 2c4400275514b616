// What the user types into the record dialogs, through real key events on the
// dialogs the main window opens: the first keys land in the record's first
// field, and a character the data file cannot store is left out with a hint
// that takes none of the keys after it.
#include "app/stundenplanmatrix.h"
#include "dialogs/ui/fehlzeitendialog.h"
#include "dialogs/ui/klassendialog.h"
#include "dialogs/ui/lehrerdialog.h"
#include "dialogs/ui/raumdialog.h"
#include "dialogs/ui/schuelerdialog.h"
#include "dialogs/ui/termindialoge.h"
#include "fensterhilfe.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <functional>
#include <map>

namespace {

// Keys as the keyboard sends them, to whatever has the keyboard focus. QTest::keyClicks passes
// Latin-1 characters only; any other one goes as a key of its own with its text.
void tippe(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x100)
            QTest::keyClicks(nullptr, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), static_cast<Qt::Key>(c.toUpper().unicode()),
                                QString(c), Qt::NoModifier);
    }
}

void warteBisAktiv(QWidget* fenster) {
    for (int i = 0; i < 50 && QApplication::activeWindow() != fenster; ++i) QApplication::processEvents();
}

// The id of the control with the keyboard focus; 0 for none.
int fokusId() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("id"))) return w->objectName().mid(2).toInt();
    return 0;
}

// Every choice, list selection, check box and edit of a dialog but the edit `ausser`, as text.
std::map<std::string, std::string> stand(const QDialog* d, const QWidget* ausser) {
    std::map<std::string, std::string> s;
    auto name = [](const QObject* o) { return o->objectName().toStdString(); };
    for (const QComboBox* c : d->findChildren<QComboBox*>()) s[name(c)] = c->currentText().toStdString();
    for (const QListWidget* l : d->findChildren<QListWidget*>()) {
        std::string gewaehlt;
        for (const QListWidgetItem* i : l->selectedItems()) gewaehlt += i->text().toStdString() + ";";
        s[name(l)] = gewaehlt + "@" + std::to_string(l->currentRow());
    }
    for (const QCheckBox* c : d->findChildren<QCheckBox*>()) s[name(c)] = c->isChecked() ? "x" : "-";
    for (const QLineEdit* e : d->findChildren<QLineEdit*>())
        if (e != ausser && !e->objectName().isEmpty()) s[name(e)] = e->text().toStdString();
    return s;
}

// A picture of a dialog with the hint window where it stands on the screen.
void bildMitHinweis(QWidget* d, const QWidget* hinweis, const QString& name) {
    const QRect dialog(d->mapToGlobal(QPoint(0, 0)), d->size());
    const QRect h = hinweis->geometry();
    const QRect alles = dialog.united(h).adjusted(-8, -8, 8, 8);
    QImage bild(alles.size(), QImage::Format_ARGB32);
    bild.fill(QColor(90, 90, 90));
    QPainter p(&bild);
    p.drawPixmap(dialog.topLeft() - alles.topLeft(), d->grab());
    p.drawPixmap(h.topLeft() - alles.topLeft(), const_cast<QWidget*>(hinweis)->grab());
    p.end();
    bild.save(bildschirmfotoOrdner() + QStringLiteral("/") + name + QStringLiteral(".png"));
}

}  // namespace

class Eingabe : public FensterTest {
protected:
    // Runs `handle` on the record dialog of type D once it is shown, modal and active.
    template <class D>
    static std::function<void(std::function<void(QDialog*)>, bool*)> bei() {
        return [](std::function<void(QDialog*)> handle, bool* gefunden) {
            beiModalemFenster<D>(
                [handle](D* d) {
                    warteBisAktiv(d);
                    handle(d);
                },
                gefunden);
        };
    }
    TListenAnsicht* liste(TMainWindow* w, int id) { return kind<TListenAnsicht>(w, id); }
};

// A new room or teacher opened with the cursor in the subject list or the class choice: what was
// typed at once chose a subject by type-ahead or was lost. Every record dialog, new and changed,
// takes it in its template's first field (a changed record's value is selected and replaced).
TEST_F(Eingabe, WhatIsTypedAtOnceLandsInTheFirstFieldAndChangesNoChoice) {
    auto w = fenster();
    TMainWindow* hf = w.get();
    struct Fall {
        const char* name;
        std::function<void(std::function<void(QDialog*)>, bool*)> bei;
        std::function<void(bool aendern)> oeffne;  // as the user opens it, with Neu or Ändern
        const char* text;                          // begins as an entry of a list or choice there
        bool nurAendern = false;                   // opened for a stored record only, with an empty form
    };
    auto aufReiter = [hf, this](int reiter, int listeId) {
        return [hf, this, reiter, listeId](bool aendern) {
            hf->waehleReiter(reiter);
            if (aendern) liste(hf, listeId)->setFokusZeile(0);
            hf->befehl(aendern ? CM_AENDERN : CM_NEU);
        };
    };
    const Fall faelle[] = {
        {"Schüler", bei<TSchuelerDialog>(), aufReiter(REITER_SCHUELER, 103), "5a"},
        {"Lehrer", bei<TLehrerDialog>(), aufReiter(REITER_LEHRER, 104), "5a Max"},
        {"Raum", bei<TRaumDialog>(), aufReiter(REITER_RAEUME, 102), "Deutschraum"},
        {"Klasse", bei<TKlassenDialog>(),
         [hf](bool aendern) {
             hf->waehleReiter(REITER_KLASSEN);
             kind<QComboBox>(hf, 107)->setCurrentIndex(aendern ? 1 : 0);
             hf->changeKlasse();
             hf->befehl(aendern ? CM_AENDERN : CM_NEU);
         },
         "7"},
        {"Einzeltermin", bei<TEinzelterminDialog>(), aufReiter(REITER_EINZELTERMINE, 105), "Deu"},
        {"Vertretungstermin", bei<TVertretungsterminDialog>(), aufReiter(REITER_VERTRETUNGEN, 117), "Deu"},
        {"Dauertermin", bei<TDauerterminDialog>(),
         [hf](bool aendern) {
             hf->waehleReiter(REITER_STUNDENPLAN);
             kind<QComboBox>(hf, 111)->setCurrentIndex(1);  // Schmidt's week, with his Tuesday lesson
             hf->changeBesitzer();
             if (aendern) hf->stundenplan()->zelle(2, 2)->click();
             hf->befehl(aendern ? CM_AENDERN : CM_NEU);
         },
         "Mit"},
        // The absences of a stored student, from its dialog.
        {"Fehlzeiten", bei<TFehlzeitenDialog>(),
         [hf, this](bool) {
             hf->waehleReiter(REITER_SCHUELER);
             liste(hf, 103)->setFokusZeile(0);
             bool schueler = false;
             beiModalemFenster<TSchuelerDialog>(
                 [](TSchuelerDialog* d) {
                     kind<QPushButton>(d, 512)->click();
                     d->reject();
                 },
                 &schueler);
             hf->befehl(CM_AENDERN);
             EXPECT_TRUE(schueler);
         },
         "Deu", true},
    };
    for (const Fall& f : faelle) {
        for (const bool aendern : {false, true}) {
            if (f.nurAendern && !aendern) continue;
            SCOPED_TRACE(std::string(f.name) + (aendern ? ", Ändern" : ", Neu"));
            bool gefunden = false;
            std::string vorher, feld;
            std::map<std::string, std::string> standVorher, standNachher;
            int fokusDanach = 0;
            f.bei(
                [&](QDialog* d) {
                    ASSERT_EQ(QApplication::activeWindow(), d);
                    auto* erstes = kind<QLineEdit>(d, 1001);
                    ASSERT_NE(erstes, nullptr);
                    vorher = erstes->text().toStdString();
                    standVorher = stand(d, erstes);
                    if (!aendern && (std::string(f.name) == "Raum" || std::string(f.name) == "Lehrer"))
                        bild(d, (std::string("neu-") + f.name).c_str());
                    tippe(QString::fromUtf8(f.text));
                    feld = erstes->text().toStdString();
                    standNachher = stand(d, erstes);
                    fokusDanach = fokusId();
                    d->reject();
                },
                &gefunden);
            f.oeffne(aendern);
            ASSERT_TRUE(gefunden);
            EXPECT_EQ(aendern && !f.nurAendern, !vorher.empty()) << vorher;
            EXPECT_EQ(feld, f.text);
            EXPECT_EQ(fokusDanach, 1001);
            EXPECT_EQ(standNachher, standVorher);
        }
    }
    EXPECT_EQ(m_meldungen.anzahl(), 0u) << (m_meldungen.anzahl() ? m_meldungen.letzte().text : "");
}

// "ş" typed into a teacher's first name opened a box that took the keys after it. It is left out,
// a hint beside the field names it, and "e", Tab and the name land where they were typed.
TEST_F(Eingabe, ACharacterThatCannotBeStoredIsLeftOutAndTheKeysAfterItLand) {
    auto w = fenster();
    w->waehleReiter(REITER_LEHRER);
    bool gefunden = false;
    std::string vorname, name;
    int fokus = 0;
    bool aktiv = false;
    bool hinweisGezeigt = false;
    QString hinweisText;
    bei<TLehrerDialog>()(
        [&](QDialog* d) {
            tippe(QString::fromUtf8("Ayşe"));
            QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
            tippe(QString::fromUtf8("Özdemir"));
            vorname = kind<QLineEdit>(d, 1001)->text().toStdString();
            name = kind<QLineEdit>(d, 1003)->text().toStdString();
            fokus = fokusId();
            aktiv = QApplication::activeWindow() == d;
            auto* hinweis = d->findChild<QLabel*>(QStringLiteral("zeichenHinweis"));
            ASSERT_NE(hinweis, nullptr);
            hinweisGezeigt = hinweis->isVisible();
            hinweisText = hinweis->text();
            // Whole at the default font and on the screen.
            const QFontMetrics fm(hinweis->font());
            EXPECT_EQ(hinweis->font(), QApplication::font());
            EXPECT_GE(hinweis->contentsRect().width() - 2 * hinweis->margin(), fm.horizontalAdvance(hinweisText));
            EXPECT_GE(hinweis->height(), hinweis->sizeHint().height());
            EXPECT_TRUE(d->screen()->availableGeometry().contains(hinweis->geometry()));
            // It covers neither the field it speaks of nor the one typed in now.
            for (const int id : {1001, 1003}) {
                auto* feld = kind<QLineEdit>(d, id);
                EXPECT_FALSE(hinweis->geometry().intersects(QRect(feld->mapToGlobal(QPoint(0, 0)), feld->size()))) << id;
            }
            bildMitHinweis(d, hinweis, QStringLiteral("zeichenhinweis-lehrer"));
            d->reject();
        },
        &gefunden);
    w->befehl(CM_NEU);
    ASSERT_TRUE(gefunden);
    EXPECT_EQ(vorname, "Aye");
    EXPECT_EQ(name, "Özdemir");
    EXPECT_EQ(fokus, 1003);
    EXPECT_TRUE(aktiv);
    EXPECT_TRUE(hinweisGezeigt);
    EXPECT_EQ(hinweisText.toStdString(), "Diese Zeichen können nicht gespeichert werden: ş");
    EXPECT_EQ(m_meldungen.anzahl(), 0u) << (m_meldungen.anzahl() ? m_meldungen.letzte().text : "");
}
