#include "dialogs/ui/zeichenschutz.h"

#include "platform/text.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QLineEdit>
#include <QPointer>
#include <QTimer>

TZeichensatzPruefer::TZeichensatzPruefer(QLineEdit* edit) : QValidator(edit), k_edit(edit) {}

QString TZeichensatzPruefer::fremdeZeichen(const QString& text) {
    QString fremd;
    for (const char32_t cp : text.toUcs4()) {
        if (text::cp1252Code(cp) >= 0) continue;
        const QString zeichen = QString::fromUcs4(&cp, 1);
        if (!fremd.contains(zeichen)) fremd += zeichen;
    }
    return fremd;
}

QValidator::State TZeichensatzPruefer::validate(QString& eingabe, int&) const {
    // A line break would show as a blank but cut the value at the save: it becomes the blank it shows.
    eingabe.replace(QLatin1Char('\r'), QLatin1Char(' '));
    eingabe.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString fremd = fremdeZeichen(eingabe);
    if (fremd.isEmpty()) return Acceptable;
    // The edit takes the input back; the message follows once the edit is done with it.
    QPointer<QLineEdit> edit(k_edit);
    QTimer::singleShot(0, k_edit, [edit, fremd] {
        if (!edit) return;
        meldung("Diese Zeichen können nicht gespeichert werden:\n" + ss(fremd) +
                    "\n\nDie Eingabe wurde nicht übernommen.",
                "Fehler", MB_OK | MB_ICONEXCLAMATION, edit->window());
    });
    return Invalid;
}

void schuetzeEdit(QLineEdit* edit) {
    if (edit) edit->setValidator(new TZeichensatzPruefer(edit));
}
