// What the user types into the record dialogs, through real key events on the
// dialogs the main window opens: the first keys land in the record's first
// field.
#include "app/stundenplanmatrix.h"
#include "dialogs/ui/fehlzeitendialog.h"
#include "dialogs/ui/klassendialog.h"
#include "dialogs/ui/lehrerdialog.h"
#include "dialogs/ui/raumdialog.h"
#include "dialogs/ui/schuelerdialog.h"
#include "dialogs/ui/termindialoge.h"
#include "fensterhilfe.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
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
