// Keeps every edit to the characters the data file can store (Windows-1252):
// a character outside it, typed or pasted, is left out and the rest of the
// input is taken, so nothing the user typed turns into "?" at the next save.
// A hint beside the edit names the characters left out; it takes neither the
// focus nor the keyboard, so every key after such a character still lands
// where the user is typing, and it goes away by itself after a few seconds.
// It is a label of the edit's window named "zeichenHinweis", shown as a
// window of its own so that no edge of a small dialog cuts it off.
// A CR or LF becomes a space as it enters, so that the one line the edit
// shows is the value that is stored.
#pragma once

#include <QValidator>

class QLineEdit;

class TZeichensatzPruefer : public QValidator {
    Q_OBJECT
public:
    explicit TZeichensatzPruefer(QLineEdit* edit);
    State validate(QString& eingabe, int& pos) const override;

    // The characters of `text` that Windows-1252 cannot hold, each once, in order.
    static QString fremdeZeichen(const QString& text);
    // `text` without those characters; `pos`, a place in `text`, moves with what is left before it.
    static QString ohneFremdeZeichen(const QString& text, int* pos = nullptr);

protected:
    // A typed key: its storable part is inserted, the rest left out, without a change of the text
    // in between, so that undo keeps what was typed before.
    bool eventFilter(QObject* ziel, QEvent* e) override;

private:
    QLineEdit* k_edit;
};

// Installs the check on `edit` (any edit of any dialog).
void schuetzeEdit(QLineEdit* edit);
