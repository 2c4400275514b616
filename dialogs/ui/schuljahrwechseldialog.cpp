#include "dialogs/ui/schuljahrwechseldialog.h"

#include "dialogs/ui/dialogmeldungen.h"
#include "platform/ui/qtext.h"
#include "platform/ui/tabfolge.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

TSchuljahrwechselDialog::TSchuljahrwechselDialog(QWidget* parent, int resId, c_Schulverwaltung* sv)
    : TFormularDialog(parent, resId, sv, nullptr, 0), k_formular(sv) {
    setWindowTitle("Schuljahreswechsel");
    label(-1, "Klasse:", 200, 16)->move(10, 10);
    k_klassen = auswahl(281, 220);
    k_klassen->move(10, 28);
    k_klassen->setMaxVisibleItems(15);
    label(-1, "Alle Schüler der obigen Klasse:", 220, 16)->move(10, 66);
    k_schueler = mehrfachListe(282, 220, 200);
    k_schueler->setSelectionMode(QAbstractItemView::SingleSelection);
    k_schueler->move(10, 86);
    QPushButton* hinzu = knopf(284, "&hinzufügen >>", 110, 23);
    hinzu->move(240, 150);
    QPushButton* weg = knopf(285, "<< &entfernen", 110, 23);
    weg->resize(hinzu->width(), weg->height());
    weg->move(240, 185);
    const int rechts = hinzu->x() + hinzu->width() + 10;
    QLabel* wiederholer = label(-1, "Schüler, die ein Schuljahr Wiederholen:", 240, 16);
    wiederholer->move(rechts, 66);
    k_sitzenbleiber = mehrfachListe(283, std::max(240, wiederholer->width()), 200);
    k_sitzenbleiber->setSelectionMode(QAbstractItemView::SingleSelection);
    k_sitzenbleiber->move(rechts, 86);
    const int breite = k_sitzenbleiber->x() + k_sitzenbleiber->width() + 10;
    k_zensuren = new QCheckBox("Zensuren aller Schueler löschen", this);
    k_zensuren->setObjectName("id286");
    k_zensuren->move(10, 298);
    k_zensuren->resize(std::max(250, k_zensuren->sizeHint().width()), k_zensuren->sizeHint().height());
    auto* achtung = new QLabel("Achtung! Bei einem Schuljahreswechsel werden alle alten Dauertermine gelöscht!", this);
    achtung->setWordWrap(true);
    achtung->setGeometry(10, 328, breite - 20, achtung->heightForWidth(breite - 20));
    QPushButton* abbruch = knopf(2, "&Abbruch", 80, 23);
    QPushButton* ok = knopf(1, "&OK", 80, 23);
    const int unten = achtung->y() + achtung->height() + 14;
    abbruch->move(breite - 10 - abbruch->width(), unten);
    ok->move(abbruch->x() - 8 - ok->width(), unten);
    ok->setDefault(true);
    k_dialogBreite = breite;
    k_dialogHoehe = unten + ok->height() + 12;
    connect(k_klassen, &QComboBox::activated, this, &TSchuljahrwechselDialog::changeKlasse);
    connect(hinzu, &QPushButton::clicked, this, &TSchuljahrwechselDialog::CmHinzufuegen);
    connect(weg, &QPushButton::clicked, this, &TSchuljahrwechselDialog::CmEntfernen);
    connect(ok, &QPushButton::clicked, this, &TSchuljahrwechselDialog::CmOk);
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

void TSchuljahrwechselDialog::setupFenster() {
    // The class choice as wide as its longest entry needs; nothing stands to its right. Tab goes by
    // the layout before it grows.
    merkeEntwurf(this);
    const std::vector<std::string> klassen = k_formular.klassenEintraege();
    k_klassen->resize(listenBreite(klassen, 220, 36), k_klassen->height());
    k_dialogBreite = std::max(k_dialogBreite, k_klassen->x() + k_klassen->width() + 10);
    fuelleAuswahl(k_klassen, klassen, 0);
    changeKlasse();
    setzeGroesse();
}

void TSchuljahrwechselDialog::changeKlasse() { fuelleListe(k_schueler, k_formular.schuelerZeilen(k_klassen->currentIndex())); }

void TSchuljahrwechselDialog::updateSitzenbleiber() { fuelleListe(k_sitzenbleiber, k_formular.sitzenbleiberZeilen()); }

void TSchuljahrwechselDialog::CmHinzufuegen() {
    MeldungsSammler m = MeldungsSammler::sofort();
    k_formular.hinzufuegen(k_klassen->currentIndex(), ersteWahl(k_schueler), m);
    zeige(m);
    updateSitzenbleiber();
}

void TSchuljahrwechselDialog::CmEntfernen() {
    MeldungsSammler m = MeldungsSammler::sofort();
    k_formular.entfernen(ersteWahl(k_sitzenbleiber), m);
    zeige(m);
    updateSitzenbleiber();
}

void TSchuljahrwechselDialog::CmOk() {
    if (TDialogMeldungen(this).frage("Wollen Sie wirklich einen Schul-\njahreswechsel durchführen?",
                                     "Schuljahreswechsel"))
        k_formular.ausfuehren(k_zensuren->isChecked());
    schliesse(0);
}
