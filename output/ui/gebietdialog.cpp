#include "output/ui/gebietdialog.h"

#include "model/anzeige.h"
#include "model/schulverwaltung/schulverwaltung.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"
#include "platform/ui/zeilenhoehe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int RAND = 10;
constexpr int EINZUG = 10;   // of the controls inside a frame
constexpr int ABSTAND = 4;   // between two controls of a frame
constexpr int MIN_BREITE = 380;
constexpr int KOMBO_BREITE = 150;

QString id(int n) { return QStringLiteral("id%1").arg(n); }

} // namespace

TGebietDialog::TGebietDialog(QWidget* parent, int resId, const GebietDialogTexte& texte, c_Schulverwaltung* sv,
                             c_Lehrer* lehrer, c_Raum* raum, c_Klasse* klasse, int tag, int monat, int jahr)
    : QDialog(parent), k_kontext{sv, lehrer, raum, klasse, tag, monat, jahr}
{
    setObjectName(id(resId));
    richteTastenEin(this);
    setWindowTitle(qs(texte.titel));

    for (int i = 0; i < 7; ++i) {
        k_gebiete[i] = new QRadioButton(qs(texte.gebiete[i]), this);
        k_gebiete[i]->setObjectName(id(401 + i));
    }
    k_klassen = new QComboBox(this);
    gibZeilenPlatz(k_klassen);
    k_klassen->setObjectName(id(408));
    k_zensuren = new QCheckBox(qs(texte.zensuren), this);
    k_zensuren->setObjectName(id(409));
    auto* ok = new QPushButton(qs(texte.ok), this);
    ok->setObjectName(id(1));
    ok->setDefault(true);
    auto* abbruch = new QPushButton(QStringLiteral("&Abbruch"), this);
    abbruch->setObjectName(id(2));
    connect(ok, &QPushButton::clicked, this, [this] { CmOk(); });
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);

    // Sizes come from the font, so that no text is cut off; the dialog grows to the widest line.
    auto breite = [](QWidget* w) { return w->sizeHint().width(); };
    int innen = std::max(MIN_BREITE - 2 * RAND, breite(k_gebiete[4]) + 2 * EINZUG + 8 + KOMBO_BREITE);
    for (QRadioButton* r : k_gebiete) innen = std::max(innen, breite(r) + 2 * EINZUG);
    innen = std::max(innen, breite(k_zensuren) + 2 * EINZUG);

    auto* hinweis = new QLabel(qs(texte.hinweis), this);
    hinweis->setWordWrap(true);
    const int hinweisHoehe =
        hinweis->fontMetrics().boundingRect(QRect(0, 0, innen, 1000), Qt::TextWordWrap, hinweis->text()).height();
    hinweis->setGeometry(RAND, RAND, innen, hinweisHoehe);
    int y = RAND + hinweisHoehe + 8;

    const int zeile = std::max({k_gebiete[0]->sizeHint().height(), k_klassen->sizeHint().height(), 20});
    // A heading above a frame that holds the given controls one under the other.
    auto abschnitt = [&](const char* ueberschrift, QWidget* rahmen, std::initializer_list<QWidget*> inhalt) {
        auto* label = new QLabel(qs(ueberschrift), this);
        label->setGeometry(RAND, y, innen, label->sizeHint().height());
        y += label->sizeHint().height() + 2;
        const int anzahl = static_cast<int>(inhalt.size());
        const int hoehe = anzahl * zeile + (anzahl - 1) * ABSTAND + 2 * 6;
        rahmen->setGeometry(RAND, y, innen, hoehe);
        rahmen->lower();
        int cy = y + 6;
        for (QWidget* w : inhalt) {
            w->setGeometry(RAND + EINZUG, cy, breite(w), zeile);
            cy += zeile + ABSTAND;
        }
        y += hoehe + 8;
    };
    auto rahmen = [this] {
        auto* f = new QFrame(this);
        f->setFrameShape(QFrame::Box);
        f->setFrameShadow(QFrame::Sunken);
        return f;
    };
    abschnitt("Stundenplan:", rahmen(), {k_gebiete[0], k_gebiete[1]});
    abschnitt("Vertretungsplan:", rahmen(), {k_gebiete[2]});
    auto* gruppe = new QGroupBox(this);
    abschnitt("Listen:", gruppe, {k_gebiete[3], k_gebiete[4], k_gebiete[5], k_gebiete[6], k_zensuren});
    // The class choice stands beside its radio button.
    const QRect r405 = k_gebiete[4]->geometry();
    k_klassen->setGeometry(r405.right() + 8, r405.top(), std::min(KOMBO_BREITE, RAND + innen - EINZUG - r405.right() - 8),
                           zeile);
    k_klassen->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    const int knopfBreite = std::max({80, breite(ok), breite(abbruch)});
    const int knopfHoehe = std::max(26, ok->sizeHint().height());
    abbruch->setGeometry(RAND + innen - knopfBreite, y, knopfBreite, knopfHoehe);
    ok->setGeometry(RAND + innen - 2 * knopfBreite - 8, y, knopfBreite, knopfHoehe);
    setFixedSize(innen + 2 * RAND, y + knopfHoehe + RAND);

    setupFenster();
}

void TGebietDialog::setupFenster()
{
    k_gebiete[1]->setChecked(true);
    k_klassen->clear();
    c_Schulverwaltung* sv = k_kontext.schulverwaltung;
    if (sv && sv->getDatabase())
        for (const c_Klasse* k : *sv->getKlassenliste())
            k_klassen->addItem(qs(klassenName(k)));
    k_klassen->setCurrentIndex(k_klassen->count() > 0 ? 0 : -1);
}

int TGebietDialog::gewaehltesGebiet() const
{
    for (int i = 0; i < 7; ++i)
        if (k_gebiete[i]->isChecked())
            return 401 + i;
    return 0;
}

c_Berichtskontext TGebietDialog::kontext() const
{
    c_Berichtskontext k = k_kontext;
    k.klassenIndex = k_klassen->currentIndex();
    k.zensuren = k_zensuren->isChecked();
    return k;
}

int TGebietDialog::gebietMitDaten(Ausgabeart art)
{
    const int gebiet = gewaehltesGebiet();
    if (hatDaten(k_kontext.schulverwaltung, gebiet, art, k_kontext.lehrer, k_kontext.raum, k_kontext.klasse))
        return gebiet;
    meldung(keineDatenText(art), "Fehler", MB_OK | MB_ICONEXCLAMATION, this);
    return 0;
}
