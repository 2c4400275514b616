#include "output/ui/druckerdialog.h"

#include "output/ui/druckfenster.h"

#include <QTextEdit>

#include <utility>

namespace {

const GebietDialogTexte DRUCK_TEXTE = {
    "Drucken",
    "Bitte markieren Sie die zu druckenden Daten, indem Sie eines der entsprechenden Felder markieren:",
    {"Alle Stundenpläne drucken", "Nur aktuell angezeigten Stundenplan drucken",
     "Vertretungsplan der aktuellen Woche drucken", "Liste aller Schüler", "Übersicht über die Klasse:",
     "Liste aller Lehrer", "Liste aller Räume"},
    "Bei Listen mit Schülern auch deren Zensuren drucken",
    "&Weiter >>",
};

} // namespace

TDruckerDialog::TDruckerDialog(QWidget* parent, int resId, QPrinter* drucker, c_Schulverwaltung* sv,
                               c_Lehrer* lehrer, c_Raum* raum, c_Klasse* klasse, int tag, int monat, int jahr)
    : TGebietDialog(parent, resId, DRUCK_TEXTE, sv, lehrer, raum, klasse, tag, monat, jahr), k_drucker(drucker)
{
}

TDruckerDialog::~TDruckerDialog() = default;

void TDruckerDialog::appendText(const std::string& text) { k_puffer += text; }

void TDruckerDialog::CmOk()
{
    const int gebiet = gebietMitDaten(Ausgabeart::Druck);
    if (!gebiet)
        return;

    // The rich edit: multi-line, both scroll bars, lines not wrapped on screen.
    auto* edit = new QTextEdit;
    edit->setObjectName(QStringLiteral("id256"));
    edit->setAcceptRichText(true);
    edit->setLineWrapMode(QTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    k_druckfenster = std::make_unique<TPrintMainWindow>(this, k_drucker, "Druckvorschau", edit);
    k_druckfenster->move(10, 10);
    k_druckfenster->resize(400, 350);
    k_druckfenster->setupFenster();

    k_puffer.clear();
    c_Bericht(kontext(), Ausgabeart::Druck, *this).writeGebiet(gebiet);
    k_druckfenster->appendText(std::exchange(k_puffer, std::string()));

    k_druckfenster->ausfuehren();
    k_druckfenster.reset();
    accept();
}
