#include "app/plugindialog.h"

#include "app/hauptfenster.h"
#include "app/plugin.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/listenmarkierung.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

TPluginDialog::TPluginDialog(QWidget* parent, int resId, c_Schulverwaltung* schulverwaltung,
                             c_Pluginliste* pluginliste, std::function<bool(QWidget*)> sichern)
    : QDialog(parent), k_schulverwaltung(schulverwaltung), k_sichern(std::move(sichern)) {
    setObjectName(QString("id%1").arg(resId));
    richteTastenEin(this);
    setWindowTitle("Erweiterungen");

    const QFontMetrics fm(font());
    const int rand = 10;
    auto* text = new QLabel("Bitte wählen Sie eine Erweiterung aus der Liste aus:", this);
    const int breite = std::max(340, fm.horizontalAdvance(text->text()) + 4);
    text->setGeometry(rand, rand, breite, fm.height() + 4);

    k_liste = new TListenfeld(this);
    k_liste->setObjectName("id771");
    const int listeOben = text->geometry().bottom() + 6;
    k_liste->setGeometry(rand, listeOben, breite, 8 * (fm.height() + 2) + 6);

    const int knopfHoehe = std::max(25, fm.height() + 12);
    auto knopf = [&](int id, const char* beschriftung) {
        auto* k = new QPushButton(beschriftung, this);
        k->setObjectName(QString("id%1").arg(id));
        return k;
    };
    // "A" is the cancel button's letter, as in every dialog; this one takes the next letter.
    QPushButton* ausfuehren = knopf(1, "A&usführen");
    QPushButton* abbruch = knopf(2, "&Abbruch");
    const int knopfBreite = std::max({90, fm.horizontalAdvance("Ausführen") + 24, fm.horizontalAdvance("Abbruch") + 24});
    const int knopfOben = k_liste->geometry().bottom() + 10;
    abbruch->setGeometry(rand + breite - knopfBreite, knopfOben, knopfBreite, knopfHoehe);
    ausfuehren->setGeometry(rand + breite - 2 * knopfBreite - 8, knopfOben, knopfBreite, knopfHoehe);
    ausfuehren->setDefault(true);
    setFixedSize(breite + 2 * rand, knopfOben + knopfHoehe + rand);

    k_ohneGui = pluginliste ? pluginliste->getPluginsOhneGui() : std::make_unique<c_Pluginliste>();
    for (const c_Plugin* p : *k_ohneGui) k_liste->addItem(qs(p->getName()));

    connect(ausfuehren, &QPushButton::clicked, this, &TPluginDialog::runPlugin);
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

TPluginDialog::~TPluginDialog() = default;

void TPluginDialog::runPlugin() {
    const int zeile = k_liste->markierteZeile();
    c_Plugin* plugin = zeile >= 0 ? k_ohneGui->getPlugin(zeile + 1) : nullptr;
    if (!plugin) {
        meldung("Sie müssen eine Erweiterung auswählen\nbevor Sie sie aufrufen können.", "Fehler", MB_OK, this);
        return;
    }
    if (k_sichern && !k_sichern(this)) return;
    plugin->start(static_cast<QWidget*>(this));
    k_ausgefuehrt = true;
    k_neugeladen = ladeNachErweiterung(this, k_schulverwaltung, NEULADEN_DIALOG);
    accept();
}
