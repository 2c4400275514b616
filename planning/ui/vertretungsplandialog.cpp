#include "planning/ui/vertretungsplandialog.h"

#include "model/schulverwaltung/schulverwaltung.h"
#include "planning/ui/stundenplandialog.h"
#include "planning/vertretungsplanerstellung.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include <string>

TVertretungsplanFortschritt::TVertretungsplanFortschritt(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("id411"));
    richteTastenEin(this);
    setModal(false);
    setWindowTitle(qs("Vertretungsplan erstellen"));
    auto* layout = new QVBoxLayout(this);
    auto* rahmen = new QFrame(this);
    rahmen->setFrameShape(QFrame::Box);
    auto* rahmenLayout = new QVBoxLayout(rahmen);
    auto* text = new QLabel(qs("Der Vertretungsplan wird erstellt. Dies kann längere Zeit dauern."), rahmen);
    text->setWordWrap(true);
    rahmenLayout->addWidget(text);
    layout->addWidget(rahmen);
}

void vertretungsplanMitFortschritt(QWidget* parent, c_Schulverwaltung* schulverwaltung) {
    std::string fehlertext;
    {
        TVertretungsplanFortschritt fortschritt(parent);
        fortschritt.show();
        // Let the dialog paint before the planner occupies the UI thread.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        c_Vertretungsplanerstellung erstellung(schulverwaltung, &fehlertext);
        erstellung.createVertretungsplan();
        fortschritt.close();
    }
    if (!fehlertext.empty()) meldung(fehlertext, "Vertretungsplan erstellen", MB_OK | MB_ICONEXCLAMATION, parent);
}

bool vertretungsplanErstellen(QWidget* parent, c_Schulverwaltung* schulverwaltung) {
    const int antwort = meldung(
        "Wollen Sie wirklich den Vertretungsplan\nautomatisch erstellen lassen?\n(Anmerkung: es werden nur Termine ab "
        "dem heutigen Datum berücksichtigt)",
        "Vertretungsplan erstellen", MB_YESNO | MB_ICONQUESTION, parent);
    if (antwort != IDYES) return false;
    vertretungsplanMitFortschritt(parent, schulverwaltung);
    return true;
}

void stundenplanErstellen(QWidget* parent, c_Schulverwaltung* schulverwaltung,
                          const std::function<void(bool)>& generatorLaeuft) {
    if (!schulverwaltung || !schulverwaltung->getCurriculum() || schulverwaltung->getCurriculum()->empty()) {
        meldung("Sie müssen das Curriculum festlegen\nbevor Sie einen Stundenplan generieren\nkönnen.", "Fehler",
                MB_OK | MB_ICONEXCLAMATION, parent);
        return;
    }
    TStundenplanDialog dialog(parent, schulverwaltung);
    if (generatorLaeuft) QObject::connect(&dialog, &TStundenplanDialog::generatorLaeuft, generatorLaeuft);
    dialog.exec();
}
