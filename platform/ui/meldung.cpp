#include "platform/ui/meldung.h"

#include "platform/ui/qtext.h"
#include "platform/ui/titelbreite.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <atomic>

namespace {

QtMeldungsDienst& standardDienst()
{
    static QtMeldungsDienst dienst;
    return dienst;
}

std::atomic<MeldungsDienst*> g_dienst{nullptr};

int knopfArt(int flags) { return flags & 0x0F; }
int symbolArt(int flags) { return flags & 0xF0; }

bool istJaNein(int flags)
{
    return knopfArt(flags) == MB_YESNO || knopfArt(flags) == MB_YESNOCANCEL;
}

} // namespace

std::unique_ptr<QMessageBox> baueMeldungsBox(QWidget* parent, const std::string& text,
                                              const std::string& caption, int flags)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setTextFormat(Qt::PlainText);
    box->setText(qs(text));
    box->setWindowTitle(qs(caption));

    switch (symbolArt(flags)) {
    case MB_ICONHAND: box->setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box->setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box->setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box->setIcon(QMessageBox::Information); break;
    default: box->setIcon(QMessageBox::NoIcon); break;
    }

    switch (knopfArt(flags)) {
    case MB_YESNO:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        // As with the Windows box: a Yes/No question has no Escape and no close button
        // answer other than No.
        box->setEscapeButton(QMessageBox::No);
        break;
    case MB_YESNOCANCEL:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case MB_OKCANCEL:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    default:
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
        break;
    }
    gibTitelPlatz(box.get());
    return box;
}

int meldungsErgebnis(int qtKnopf, int flags)
{
    switch (qtKnopf) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Cancel: return IDCANCEL;
    default: break;
    }
    switch (knopfArt(flags)) {
    case MB_YESNO: return IDNO;
    case MB_YESNOCANCEL:
    case MB_OKCANCEL: return IDCANCEL;
    default: return IDOK;
    }
}

int QtMeldungsDienst::zeige(QWidget* parent, const std::string& text, const std::string& caption,
                            int flags)
{
    if (!parent)
        parent = QApplication::activeWindow();
    auto box = baueMeldungsBox(parent, text, caption, flags);
    // The box may outlive its parent while its event loop runs; QPointer notices.
    QPointer<QMessageBox> waechter(box.get());
    const int knopf = box->exec();
    if (!waechter)
        box.release();
    return meldungsErgebnis(knopf, flags);
}

MeldungsDienst& meldungsDienst()
{
    MeldungsDienst* dienst = g_dienst.load();
    return dienst ? *dienst : standardDienst();
}

MeldungsDienst* setzeMeldungsDienst(MeldungsDienst* dienst)
{
    MeldungsDienst* vorher = g_dienst.exchange(dienst);
    return vorher ? vorher : &standardDienst();
}

int meldung(const std::string& text, const std::string& caption, int flags, QWidget* parent)
{
    return meldungsDienst().zeige(parent, text, caption, flags);
}

int AufzeichnenderMeldungsDienst::zeige(QWidget*, const std::string& text,
                                        const std::string& caption, int flags)
{
    int antwort;
    if (!k_antworten.empty()) {
        antwort = k_antworten.front();
        k_antworten.pop_front();
    } else {
        antwort = istJaNein(flags) ? IDYES : IDOK;
    }
    k_meldungen.push_back({text, caption, flags, antwort});
    return antwort;
}
