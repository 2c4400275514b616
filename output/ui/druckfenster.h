// "Druckvorschau": the report text in a rich-text editor, where the selection's character
// effects and font can be changed before the text is printed or shown as pages.
#pragma once

#include <QMainWindow>

#include <memory>
#include <string>

class QAction;
class QEventLoop;
class QPagedPaintDevice;
class QPrinter;
class QTextDocument;
class QTextEdit;

// Command ids of menu 4096.
enum DruckBefehl : int {
    CM_SCHRIFT = 4865,
    CM_FETT = 4944,
    CM_KURSIV = 4945,
    CM_UNTERSTRICHEN = 4946,
    CM_DURCHGESTRICHEN = 4947,
    CM_DRUCK_ABBRUCH = 4948,
    CM_DRUCK_DRUCKEN = 24337,
    CM_SEITENANSICHT = 24340,
};

// Character effects as the toggles flip them.
enum Zeicheneffekt : int { EFFEKT_FETT = 1, EFFEKT_KURSIV = 2, EFFEKT_UNTERSTRICHEN = 4, EFFEKT_DURCHGESTRICHEN = 8 };

// The editor's text laid out on the pages of `seite` as it is printed and previewed: a line longer
// than the page wraps at the right margin (between words; a word longer than a line anywhere),
// with the editor's fonts and character effects, 2 cm from the edges of the printable area. The
// document is paginated for `seite` itself, so QTextDocument::print paints it as laid out here.
std::unique_ptr<QTextDocument> seitenText(const QTextDocument& text, QPagedPaintDevice* seite);

class TPrintMainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `drucker` may be null: one is made on the first print or preview and kept. The window takes
    // `client` as its central widget; the rich edit is that client when it is a QTextEdit.
    TPrintMainWindow(QWidget* parent, QPrinter* drucker, const std::string& titel, QWidget* client);
    ~TPrintMainWindow() override;

    // Caption "Druckvorschau" and the editor's fixed-pitch font.
    void setupFenster();
    // Appends the text at the selection (the end of the text while the builders run), without undo.
    void appendText(const std::string& text);
    // Always allows closing.
    bool queryClose() { return true; }
    // Shows the window modally; returns when it is closed.
    void ausfuehren();

    // Runs a command of menu 4096 or the tool bar; other ids do nothing.
    void befehl(int id);
    void CmDrucken();
    void CmSeitenansicht();
    void CmSchrift();
    void CmAbbruch();
    // Flips one effect (Zeicheneffekt) on the selection.
    void toggleEffekt(int effekt);

    QTextEdit* richEdit() const { return k_richEdit; }
    QPrinter* drucker() const { return k_drucker; }
    // The menu or tool bar action of a command id; null for another id.
    QAction* aktion(int id) const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QPrinter* sichereDrucker();

    QTextEdit* k_richEdit;
    QPrinter* k_drucker;
    std::unique_ptr<QPrinter> k_eigenerDrucker;
    QEventLoop* k_schleife = nullptr;
    bool k_anfuegenAmEnde = false;  // the next text goes to the end, not to the caret
};
