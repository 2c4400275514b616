#include "dialogs/ui/zeichenschutz.h"

#include "platform/text.h"
#include "platform/ui/qtext.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace {

bool speicherbar(char32_t cp) { return text::cp1252Code(cp) >= 0; }

// The hint beside an edit: looks like a tooltip, never takes the focus or the mouse, and goes
// away after a few seconds, or at once when its window hides, moves or loses the keyboard.
class TZeichenHinweis : public QLabel {
public:
    explicit TZeichenHinweis(QWidget* fenster)
        : QLabel(fenster, Qt::ToolTip | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput),
          k_fenster(fenster) {
        setObjectName(QStringLiteral("zeichenHinweis"));
        setTextFormat(Qt::PlainText);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setPalette(QToolTip::palette());
        setAutoFillBackground(true);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setMargin(3);
        k_uhr.setSingleShot(true);
        QObject::connect(&k_uhr, &QTimer::timeout, this, &QWidget::hide);
        fenster->installEventFilter(this);
    }

    // Shows `text` beside `edit` and starts the clock that hides it.
    void zeige(const QString& text, const QLineEdit* edit) {
        setFont(edit->font());
        setText(text);
        const QRect schirm = edit->screen() ? edit->screen()->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
        // A long list of characters wraps instead of running off the screen.
        const int hoechstens = std::max(200, schirm.width() / 2);
        setWordWrap(false);
        QSize groesse = sizeHint();
        if (groesse.width() > hoechstens) {
            setWordWrap(true);
            groesse = QSize(hoechstens, heightForWidth(hoechstens));
        }
        resize(groesse);
        // Right of the field; where the screen ends there, above it, so that the field below,
        // where Tab goes on, stays in sight; below it only when there is no room above.
        const QRect feld(edit->mapToGlobal(QPoint(0, 0)), edit->size());
        const QPoint orte[] = {
            {feld.right() + 6, feld.top() + (feld.height() - groesse.height()) / 2},
            {feld.left(), feld.top() - groesse.height() - 3},
            {feld.left(), feld.bottom() + 3},
        };
        QRect platz(orte[2], groesse);
        for (const QPoint& ort : orte)
            if (schirm.contains(QRect(ort, groesse))) {
                platz = QRect(ort, groesse);
                break;
            }
        platz.moveLeft(std::max(schirm.left(), std::min(platz.left(), schirm.right() - groesse.width())));
        platz.moveTop(std::max(schirm.top(), std::min(platz.top(), schirm.bottom() - groesse.height())));
        move(platz.topLeft());
        show();
        raise();
        k_uhr.start(5000);
    }

protected:
    bool eventFilter(QObject* ziel, QEvent* e) override {
        if (ziel == k_fenster) {
            switch (e->type()) {
            case QEvent::Hide:
            case QEvent::Move:
            case QEvent::WindowDeactivate: hide(); break;
            default: break;
            }
        }
        return false;
    }

private:
    QWidget* k_fenster;
    QTimer k_uhr;
};

// Tells the user which characters of the input were left out, beside `edit`.
void meldeFremdeZeichen(QLineEdit* edit, const QString& fremd) {
    if (!edit || fremd.isEmpty() || !edit->isVisible()) return;
    QWidget* fenster = edit->window();
    auto* hinweis = fenster->findChild<TZeichenHinweis*>(QStringLiteral("zeichenHinweis"), Qt::FindDirectChildrenOnly);
    if (!hinweis) hinweis = new TZeichenHinweis(fenster);
    QStringList zeichen;
    for (const char32_t cp : fremd.toUcs4()) zeichen << QString::fromUcs4(&cp, 1);
    hinweis->zeige(qs("Diese Zeichen können nicht gespeichert werden: ") + zeichen.join(QLatin1Char(' ')), edit);
}

}  // namespace

TZeichensatzPruefer::TZeichensatzPruefer(QLineEdit* edit) : QValidator(edit), k_edit(edit) {
    edit->installEventFilter(this);
}

QString TZeichensatzPruefer::fremdeZeichen(const QString& text) {
    QString fremd;
    for (const char32_t cp : text.toUcs4()) {
        if (speicherbar(cp)) continue;
        const QString zeichen = QString::fromUcs4(&cp, 1);
        if (!fremd.contains(zeichen)) fremd += zeichen;
    }
    return fremd;
}

QString TZeichensatzPruefer::ohneFremdeZeichen(const QString& text, int* pos) {
    QString rest;
    int neuePos = 0;
    for (qsizetype i = 0; i < text.size();) {
        const char32_t cp = QChar::isHighSurrogate(text[i].unicode()) && i + 1 < text.size() &&
                                    QChar::isLowSurrogate(text[i + 1].unicode())
                                ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                : text[i].unicode();
        const int laenge = QChar::requiresSurrogates(cp) ? 2 : 1;
        if (speicherbar(cp)) {
            rest += text.mid(i, laenge);
            if (pos && i < *pos) neuePos += laenge;
        }
        i += laenge;
    }
    if (pos) *pos = neuePos;
    return rest;
}

QValidator::State TZeichensatzPruefer::validate(QString& eingabe, int& pos) const {
    // A line break would show as a blank but cut the value at the save: it becomes the blank it shows.
    eingabe.replace(QLatin1Char('\r'), QLatin1Char(' '));
    eingabe.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Pasted or dropped text keeps what can be stored; the edit takes the rest as its text.
    const QString fremd = fremdeZeichen(eingabe);
    if (fremd.isEmpty()) return Acceptable;
    eingabe = ohneFremdeZeichen(eingabe, &pos);
    meldeFremdeZeichen(k_edit, fremd);
    return Acceptable;
}

bool TZeichensatzPruefer::eventFilter(QObject* ziel, QEvent* e) {
    if (ziel != k_edit || e->type() != QEvent::KeyPress || k_edit->isReadOnly()) return false;
    const QString getippt = static_cast<QKeyEvent*>(e)->text();
    // Only text the key would insert; keys that edit or call a command pass as they are.
    const QList<uint> zeichen = getippt.toUcs4();
    if (std::any_of(zeichen.begin(), zeichen.end(), [](uint cp) { return !QChar::isPrint(cp); })) return false;
    const QString fremd = fremdeZeichen(getippt);
    if (fremd.isEmpty()) return false;
    const QString rest = ohneFremdeZeichen(getippt);
    if (!rest.isEmpty()) k_edit->insert(rest);
    meldeFremdeZeichen(k_edit, fremd);
    return true;
}

void schuetzeEdit(QLineEdit* edit) {
    if (edit) edit->setValidator(new TZeichensatzPruefer(edit));
}
