// The widget side of the record form scheme (dialogs/formular.h): the base of
// every record dialog. It creates the field controls of a template at the
// template's coordinates (object names "id" + control id, from 1000), lays them
// out at the dialog's font, fills them, reads them back as plain values and
// shows the messages the checks collected.
//
// A dialog is driven without exec() as well: construct it, call setupFenster(),
// fill the controls, call CmOk(). ausfuehren() does the same modally.
//
// Shown, a dialog starts in the first field of its template (its edit, with
// the text selected, or its check box), wherever Tab starts: what the user
// types at once goes into the record, not into a list or choice beside it.
#pragma once

#include "dialogs/formular.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TListenAnsicht;
class c_Datenliste;
class c_Schulverwaltung;

class TFormularDialog : public QDialog {
    Q_OBJECT
public:
    // Lays out and fills the dialog (the dialog's own part).
    virtual void setupFenster() = 0;
    // setupFenster, then the dialog modally unless set-up closed it already.
    int ausfuehren();
    // True once the dialog closed itself (after a store, or from set-up).
    bool istGeschlossen() const { return k_geschlossen; }
    int dialogBreite() const { return k_dialogBreite; }
    int dialogHoehe() const { return k_dialogHoehe; }

    // The text measure of this dialog's font, for the layout.
    FormularMasse masse() const;

protected:
    // Creates the field controls of `vorlage` (may be null: no fields) with
    // the horizontal offset dx. The object name of the dialog is "id" + resId.
    TFormularDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, const c_Datenliste* vorlage, int dx);

    void showEvent(QShowEvent* e) override;

    // Lays out the field controls; returns the lowest edge L. The width
    // starts at `startBreite` and ends in k_dialogBreite.
    int layoutFelder(int startBreite, int startUnten);
    // The horizontal offset of the field controls from the next layoutFelder on.
    void setzeFeldVersatz(int dx) { k_dx = dx; }
    // Fills the controls from a record's own field list.
    void fuelleFelder(const c_Datenliste& felder);
    // What the field controls hold.
    FormularWerte werte() const;

    // Shows the collected boxes in order, this dialog as owner.
    void zeige(MeldungsSammler& meldungen);
    // Runs the sub-dialog T(this, args...) modally and destroys it when `erlaubt`; else shows `meldungen`.
    template <class T, class... A>
    void unterdialog(bool erlaubt, MeldungsSammler& meldungen, A... args) {
        if (!erlaubt) {
            zeige(meldungen);
            return;
        }
        T dialog(this, args...);
        dialog.ausfuehren();
    }
    // Closes the dialog with result `r`, also while exec() has not started.
    void schliesse(int r);
    // A check of set-up failed: shows `fehler` ("Fehler", exclamation) and closes the dialog.
    void brichAb(const std::string& fehler);
    // Gives the window the size k_dialogBreite x k_dialogHoehe at its place.
    void setzeGroesse();

    // Fixed controls: object name "id" + id (none for id -1), the size given,
    // widened where the text needs more at the dialog's font.
    QPushButton* knopf(int id, const char* text, int breite, int hoehe);
    QLabel* label(int id, const char* text, int breite, int hoehe);
    QComboBox* auswahl(int id, int breite);
    // An edit outside the field controls, one text line high, with the character guard.
    QLineEdit* eingabefeld(int id, int breite);
    QListWidget* mehrfachListe(int id, int breite, int hoehe);
    // A report list view with one column per template field (heading = label, width 100).
    TListenAnsicht* listenAnsicht(int id, const c_Datenliste* vorlage, int breite, int hoehe);
    // Moves a control, size unchanged.
    static void setzeNach(QWidget* w, int x, int y);

    c_Schulverwaltung* k_schulverwaltung;
    const c_Datenliste* k_vorlage;
    std::vector<QLineEdit*> k_edits;
    std::vector<QCheckBox*> k_checkboxen;
    std::vector<QLabel*> k_labels;
    int k_dialogBreite = 0;
    int k_dialogHoehe = 0;

private:
    int k_dx;
    bool k_geschlossen = false;
    // The control of the template's first field; null without fields.
    QWidget* k_erstesFeld = nullptr;
    bool k_gezeigt = false;
};

// The width a list or choice box needs to show every entry whole: at least
// `mindestens`, else the widest entry plus `zugabe` (frame, scroll bar or arrow).
int listenBreite(const std::vector<std::string>& eintraege, int mindestens, int zugabe);
// The column of a record dialog's subject list and class choice: `mindestens` wide, or what
// the longest class or subject (with the list's first entry `keinFach`) needs.
int spaltenBreite(c_Schulverwaltung* sv, const char* keinFach, int mindestens);

// Entries and selection of a multi-selection list as plain values.
std::vector<int> gewaehlteEintraege(const QListWidget* liste);
// The first selected row of a list, -1 for none.
int ersteWahl(const QListWidget* liste);
void waehleEintraege(QListWidget* liste, const std::vector<int>& eintraege);
// Fills a multi-selection list; nothing is selected.
void fuelleListe(QListWidget* liste, const std::vector<std::string>& eintraege);
// Puts a text into an edit with its start in sight: setText leaves the cursor, and with it
// the view of a text longer than the edit, at the end.
void fuelleEdit(QLineEdit* edit, const QString& text);
// Fills a choice box and selects `gewaehlt` (-1: none).
void fuelleAuswahl(QComboBox* box, const std::vector<std::string>& eintraege, int gewaehlt);
// Refills a list view with rows of cell texts; no row has the focus afterwards.
void fuelleListenAnsicht(TListenAnsicht* ansicht, const std::vector<std::vector<std::string>>& zeilen);
