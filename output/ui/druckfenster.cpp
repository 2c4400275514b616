#include "output/ui/druckfenster.h"

#include "platform/ui/bilder.h"
#include "platform/ui/druckdienst.h"
#include "platform/ui/qtext.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextOption>
#include <QToolBar>

namespace {

const char* const DRUCK_TITEL = "Tessaluna Schulverwaltung Ausdruck";
const char* const ANSICHT_TITEL = "Seitenansicht";
constexpr int ZEILEN_JE_ABSATZ = 32;

// The glyph of the print button: a printer with a sheet of paper.
QIcon druckerSymbol()
{
    QPixmap bild(24, 24);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 8));     // paper going in
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);  // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 15.5, 11, 6));    // printed sheet
    p.setPen(QColor(90, 90, 90));
    p.drawLine(QPointF(8.5, 18), QPointF(15.5, 18));
    p.setBrush(QColor(60, 180, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(18.5, 12.5), 1.2, 1.2);
    return QIcon(bild);
}

// The character format of the selection: that of its first character, or the insertion format.
QTextCharFormat auswahlFormat(const QTextCursor& c)
{
    if (!c.hasSelection())
        return c.charFormat();
    QTextCursor erstes(c.document());
    erstes.setPosition(c.selectionStart() + 1);
    return erstes.charFormat();
}

// Prints `doc` as seitenText lays it out.
void druckeSeiten(const QTextDocument* doc, QPrinter* drucker)
{
    if (doc)
        seitenText(*doc, drucker)->print(drucker);
}

} // namespace

std::unique_ptr<QTextDocument> seitenText(const QTextDocument& text, QPagedPaintDevice* seite)
{
    // The editor itself keeps its lines whole on screen; its copy for the pages wraps them.
    std::unique_ptr<QTextDocument> doc(text.clone());
    QTextOption umbruch = doc->defaultTextOption();
    umbruch.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc->setDefaultTextOption(umbruch);
    // Frame lengths count in pixels of the screen; the layout scales them to the device.
    const QScreen* bildschirm = QGuiApplication::primaryScreen();
    const qreal dpi = bildschirm ? bildschirm->logicalDotsPerInchY() : 96.0;
    QTextFrameFormat rahmen = doc->rootFrame()->frameFormat();
    rahmen.setMargin(2 / 2.54 * dpi);
    doc->rootFrame()->setFrameFormat(rahmen);
    doc->documentLayout()->setPaintDevice(seite);
    doc->setPageSize(QSizeF(seite->width(), seite->height()));
    return doc;
}

TPrintMainWindow::TPrintMainWindow(QWidget* parent, QPrinter* drucker, const std::string& titel, QWidget* client)
    : QMainWindow(parent, Qt::Window), k_richEdit(qobject_cast<QTextEdit*>(client)), k_drucker(drucker)
{
    setWindowTitle(qs(titel));
    setWindowIcon(icon(BILD_PROGRAMMSYMBOL));
    if (client)
        setCentralWidget(client);
    if (k_richEdit)
        connect(k_richEdit, &QTextEdit::cursorPositionChanged, this, [this] { k_anfuegenAmEnde = false; });

    // Menu 4096.
    auto neu = [this](QMenu* menu, const char* text, int id) {
        QAction* a = menu->addAction(qs(text));
        a->setObjectName(QStringLiteral("id%1").arg(id));
        connect(a, &QAction::triggered, this, [this, id] { befehl(id); });
        return a;
    };
    QMenu* drucken = menuBar()->addMenu(QStringLiteral("&Drucken"));
    QAction* druck = neu(drucken, "&Drucken...", CM_DRUCK_DRUCKEN);
    neu(drucken, "&Seitenansicht...", CM_SEITENANSICHT);
    drucken->addSeparator();
    neu(drucken, "&Abbruch", CM_DRUCK_ABBRUCH);
    QMenu* format = menuBar()->addMenu(QStringLiteral("F&ormat"));
    QMenu* zeichen = format->addMenu(QStringLiteral("&Zeichen"));
    neu(zeichen, "&Fett", CM_FETT);
    neu(zeichen, "&Kursiv", CM_KURSIV);
    neu(zeichen, "&Unterstrichen", CM_UNTERSTRICHEN);
    neu(zeichen, "&Durchgestrichen", CM_DURCHGESTRICHEN);
    neu(format, "&Schrift...", CM_SCHRIFT);

    // The control bar: one button, the same command as the menu item.
    auto* leiste = new QToolBar(this);
    leiste->setObjectName(QStringLiteral("Druckleiste"));
    leiste->setMovable(false);
    QFont klein = leiste->font();
    klein.setPointSize(10);
    leiste->setFont(klein);
    leiste->setIconSize(QSize(24, 24));
    druck->setIcon(druckerSymbol());
    druck->setToolTip(QStringLiteral("Drucken"));
    leiste->addAction(druck);
    addToolBar(Qt::TopToolBarArea, leiste);
}

TPrintMainWindow::~TPrintMainWindow() = default;

void TPrintMainWindow::setupFenster()
{
    setWindowTitle(QStringLiteral("Druckvorschau"));
    if (!k_richEdit)
        return;
    // Fixed pitch, so the timetable grids line up; 8 points fit a grid line on a portrait page.
    QFont schrift(QStringLiteral("Courier"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setFixedPitch(true);
    schrift.setPointSize(8);
    schrift.setWeight(QFont::Normal);
    k_richEdit->setFont(schrift);
    k_richEdit->document()->setDefaultFont(schrift);
}

void TPrintMainWindow::appendText(const std::string& text)
{
    if (!k_richEdit)
        return;
    QTextDocument* doc = k_richEdit->document();
    if (doc->isEmpty()) {
        // Into an empty editor the text goes into a fresh document that the editor takes
        // afterwards: a document laid out for a widget re-lays out after every inserted line.
        // Lines are gathered into paragraphs of ZEILEN_JE_ABSATZ lines joined by line
        // separators, since every paragraph costs far more than a line within one; the text
        // reads, prints and converts back to plain text the same.
        QString inhalt = qs(text);
        int zeilen = 0;
        for (QChar& zeichen : inhalt)
            if (zeichen == QLatin1Char('\n') && ++zeilen % ZEILEN_JE_ABSATZ != 0)
                zeichen = QChar::LineSeparator;
        auto* neu = new QTextDocument(k_richEdit);
        neu->setDefaultFont(doc->defaultFont());
        neu->setUndoRedoEnabled(false);
        {
            // One edit block: the document reports one change, not one per paragraph.
            QTextCursor c(neu);
            c.beginEditBlock();
            c.insertText(inhalt);
            c.endEditBlock();
        }
        neu->setUndoRedoEnabled(true);
        k_richEdit->setDocument(neu);
        // The caret stays at the top (moving it to the end would lay out the whole text); text
        // appended next still goes to the end, until the user moves the caret.
        k_anfuegenAmEnde = true;
        return;
    }
    QTextCursor c = k_richEdit->textCursor();
    if (k_anfuegenAmEnde) {
        c = QTextCursor(doc);
        c.movePosition(QTextCursor::End);
    }
    const bool rueckgaengig = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    c.insertText(qs(text));
    if (!k_anfuegenAmEnde)
        k_richEdit->setTextCursor(c);
    doc->setUndoRedoEnabled(rueckgaengig);
}

void TPrintMainWindow::ausfuehren()
{
    QEventLoop schleife;
    k_schleife = &schleife;
    setWindowModality(Qt::ApplicationModal);
    show();
    schleife.exec();
    k_schleife = nullptr;
}

void TPrintMainWindow::closeEvent(QCloseEvent* e)
{
    if (!queryClose()) {
        e->ignore();
        return;
    }
    e->accept();
    if (k_schleife)
        k_schleife->quit();
}

QAction* TPrintMainWindow::aktion(int id) const { return findChild<QAction*>(QStringLiteral("id%1").arg(id)); }

void TPrintMainWindow::befehl(int id)
{
    switch (id) {
    case CM_DRUCK_DRUCKEN: CmDrucken(); break;
    case CM_SEITENANSICHT: CmSeitenansicht(); break;
    case CM_DRUCK_ABBRUCH: CmAbbruch(); break;
    case CM_FETT: toggleEffekt(EFFEKT_FETT); break;
    case CM_KURSIV: toggleEffekt(EFFEKT_KURSIV); break;
    case CM_UNTERSTRICHEN: toggleEffekt(EFFEKT_UNTERSTRICHEN); break;
    case CM_DURCHGESTRICHEN: toggleEffekt(EFFEKT_DURCHGESTRICHEN); break;
    case CM_SCHRIFT: CmSchrift(); break;
    default: break;
    }
}

QPrinter* TPrintMainWindow::sichereDrucker()
{
    if (!k_drucker) {
        k_eigenerDrucker = std::make_unique<QPrinter>();
        k_drucker = k_eigenerDrucker.get();
    }
    return k_drucker;
}

void TPrintMainWindow::CmDrucken()
{
    QPrinter* drucker = sichereDrucker();
    drucker->setDocName(qs(DRUCK_TITEL));
    QTextDocument* doc = k_richEdit ? k_richEdit->document() : nullptr;
    drucke(this, drucker, [doc](QPrinter* p) { druckeSeiten(doc, p); });
}

void TPrintMainWindow::CmSeitenansicht()
{
    if (!k_richEdit)
        return;
    QPrinter* drucker = sichereDrucker();
    drucker->setDocName(qs(ANSICHT_TITEL));
    QTextDocument* doc = k_richEdit->document();
    druckDienst().seitenansicht(this, drucker, qs(ANSICHT_TITEL), [doc](QPrinter* p) { druckeSeiten(doc, p); });
}

void TPrintMainWindow::CmSchrift()
{
    if (!k_richEdit)
        return;
    QTextCursor c = k_richEdit->textCursor();
    const std::optional<QFont> gewaehlt = druckDienst().schriftWaehlen(this, auswahlFormat(c).font());
    if (!gewaehlt)
        return;
    QTextCharFormat f;
    f.setFont(*gewaehlt, QTextCharFormat::FontPropertiesAll);
    c.mergeCharFormat(f);
    k_richEdit->setTextCursor(c);
}

void TPrintMainWindow::toggleEffekt(int effekt)
{
    if (!k_richEdit)
        return;
    QTextCursor c = k_richEdit->textCursor();
    const QTextCharFormat alt = auswahlFormat(c);
    QTextCharFormat neu;
    switch (effekt) {
    case EFFEKT_FETT: neu.setFontWeight(alt.fontWeight() > QFont::Normal ? QFont::Normal : QFont::Bold); break;
    case EFFEKT_KURSIV: neu.setFontItalic(!alt.fontItalic()); break;
    case EFFEKT_UNTERSTRICHEN: neu.setFontUnderline(!alt.fontUnderline()); break;
    case EFFEKT_DURCHGESTRICHEN: neu.setFontStrikeOut(!alt.fontStrikeOut()); break;
    default: return;
    }
    c.mergeCharFormat(neu);
    k_richEdit->setTextCursor(c);
}

void TPrintMainWindow::CmAbbruch() { close(); }
