// Which row of a list counts as marked.
//
// The program acts on the marked row of a list (Ändern, Löschen, Ausführen) and treats a list
// without one as "nothing marked". A row is marked only by the user: clicked, or reached with
// the arrow and page keys. Qt makes a row current on its own when a list gets the keyboard
// focus (Tab, or its window becoming active again after a message box) and draws it like a
// marked one; a refill leaves no row marked at all. So here the marked row is the selected
// one, and a current row without a selection is taken away again wherever Qt sets it without
// the user choosing it: a row looks marked exactly when it is.
//
// Every such list also gives its rows room for accented capitals (zeilenhoehe.h).
#pragma once

#include "platform/ui/zeilenhoehe.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

template <class Ansicht>
class NurMarkierteZeilen : public Ansicht {
public:
    explicit NurMarkierteZeilen(QWidget* parent = nullptr) : Ansicht(parent) { gibZeilenPlatz(this); }

    // The marked row (from 0): the first selected one, or -1 when none is.
    int markierteZeile() const {
        const QItemSelectionModel* auswahl = this->selectionModel();
        if (!auswahl) return -1;
        int zeile = -1;
        for (const QModelIndex& i : auswahl->selectedIndexes())
            if (zeile < 0 || i.row() < zeile) zeile = i.row();
        return zeile;
    }

protected:
    void focusInEvent(QFocusEvent* e) override {
        Ansicht::focusInEvent(e);
        ohneAuswahlKeinFokus();
    }
    void mousePressEvent(QMouseEvent* e) override {
        Ansicht::mousePressEvent(e);
        ohneAuswahlKeinFokus();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Ansicht::mouseReleaseEvent(e);
        ohneAuswahlKeinFokus();
    }
    void keyPressEvent(QKeyEvent* e) override {
        Ansicht::keyPressEvent(e);
        // A list of several choices keeps its cursor: Ctrl with the arrow keys moves it
        // without choosing, and Space chooses there.
        if (this->selectionMode() == QAbstractItemView::SingleSelection) ohneAuswahlKeinFokus();
    }

private:
    void ohneAuswahlKeinFokus() {
        QItemSelectionModel* auswahl = this->selectionModel();
        if (!auswahl || auswahl->hasSelection() || !auswahl->currentIndex().isValid()) return;
        auswahl->clearCurrentIndex();
        this->viewport()->update();
    }
};

// A list box of the dialogs: the marked entries are the selected ones.
using TListenfeld = NurMarkierteZeilen<QListWidget>;
