#include "app/hauptfenster.h"

#include "app/stundenplanmatrix.h"
#include "model/anzeige.h"
#include "model/datum.h"
#include "platform/text.h"
#include "platform/textfile.h"
#include "platform/ui/auswahl.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/meldung.h"
#include "platform/ui/qtext.h"
#include "platform/ui/zeilenhoehe.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <unordered_map>

#include <sys/stat.h>

const char* const AKTUELLE_DATEI = "aktuell.sdb";
const char* const SICHERUNGS_DATEI = "aktuell.tmp";

namespace {

Ordnerwache* g_ordnerwache = nullptr;

const char* const NICHT_GESPEICHERT = "Der Datenbestand konnte nicht in der Datei aktuell.sdb gespeichert werden.";

template <class W>
W* mitId(W* w, int id) {
    w->setObjectName(QString("id%1").arg(id));
    return w;
}

QLabel* label(QWidget* parent, const char* text, int x, int y, int b, int h) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, b, h);
    return l;
}

// The lists' margin to the window's right edge; the class room box keeps it too.
constexpr int SEITENRAND = 13;
// Where the timetable grid begins as laid out; it moves right only for the choices beside it.
constexpr int GITTER_X = 165;
// Between the class tab's choices where they grow for their entries.
constexpr int KLASSEN_LUECKE = 10;

QComboBox* combo(QWidget* parent, int id, int x, int y, int b) {
    auto* c = mitId(new TAuswahl(parent), id);
    c->setGeometry(x, y, b, 24);
    c->setEditable(false);
    c->setMaxVisibleItems(12);
    gibZeilenPlatz(c);
    return c;
}

QPushButton* knopf(QWidget* parent, int id, const char* text, int x, int y, int b, int h) {
    auto* k = mitId(new QPushButton(text, parent), id);
    k->setGeometry(x, y, b, h);
    return k;
}

// The texts must show whole at whatever font the machine has: the controls keep their
// positions and sizes where the text fits, and grow where it does not.

// A button wide enough for its text with the style's margins, at least as laid out.
void passeKnopfAn(QPushButton* k, int breite, int hoehe) {
    const QFontMetrics fm(k->font());
    const int rand = 2 * (k->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, k) +
                          k->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, k));
    k->resize(std::max(breite, fm.horizontalAdvance(k->text()) + rand), std::max(hoehe, fm.height() + rand / 2));
}

}  // namespace

void passeLabelAn(QLabel* l, int breite, int hoehe, int hoechstens) {
    const QFontMetrics fm(l->font());
    const int noetig = fm.horizontalAdvance(l->text()) + 2;
    const bool umbrechen = noetig > hoechstens;
    const int b = std::clamp(noetig, breite, std::max(breite, hoechstens));
    l->setWordWrap(umbrechen);
    l->resize(b, std::max(hoehe, umbrechen ? l->heightForWidth(b) : fm.height() + 2));
}

namespace {
// The widest entry of a combo box. The boxes are filled again after most changes, with
// mostly the same tens of thousands of entries: each text is measured once at a font.
int breitesterEintrag(const QComboBox* c) {
    static QString schriftSchluessel;
    static QHash<QString, int> breiten;
    const QString schluessel = c->font().key();
    if (schluessel != schriftSchluessel || breiten.size() > 200000) {
        breiten.clear();
        schriftSchluessel = schluessel;
    }
    const QFontMetrics fm(c->font());
    int breitester = 0;
    for (int i = 0; i < c->count(); ++i) {
        const QString text = c->itemText(i);
        auto breite = breiten.constFind(text);
        if (breite == breiten.constEnd()) breite = breiten.insert(text, fm.horizontalAdvance(text));
        breitester = std::max(breitester, *breite);
    }
    return breitester;
}

constexpr int GRUND_BREITE = 100;  // the combo boxes' laid-out width
constexpr int GRUND_HOEHE = 24;

// The width of a box whose longest entry needs `noetig`, within `hoechstens`.
int comboBreite(int noetig, int hoechstens) {
    return std::clamp(noetig, GRUND_BREITE, std::max(GRUND_BREITE, hoechstens));
}

// The same box within a new `hoechstens`: its drop-down list keeps the width its longest entry needs.
void begrenzeCombo(QComboBox* c, int hoechstens) {
    c->resize(comboBreite(c->view()->minimumWidth(), hoechstens), c->height());
}
}  // namespace

// A combo box as wide as its longest entry needs, from its laid-out width up to `hoechstens`
// (where the next control or the window's edge begins); what does not fit its closed box is shown
// shortened with its tool tip (TAuswahl). Its drop-down list shows every entry whole in any case.
void passeComboAn(QComboBox* c, int hoechstens) {
    const QSize noetig = auswahlGroesse(c, breitesterEintrag(c));
    c->resize(comboBreite(noetig.width(), hoechstens), std::max(GRUND_HOEHE, noetig.height()));
    c->view()->setMinimumWidth(noetig.width());
}

// The year is written a moment after the last change, off the path of each action. Where the start
// said that nothing can be saved here, a failing write is not said again.
TMainWindow::TMainWindow(QWidget* parent)
    : QWidget(parent), k_ordnerwache(g_ordnerwache),
      k_speicherstand(this, [this] { speichereNachAenderung(); }, g_ordnerwache && g_ordnerwache->speichernGemeldet()) {
    setObjectName("hauptfenster");
    setMinimumSize(720, 380);

    k_register = mitId(new QTabWidget(this), 101);
    k_register->setGeometry(0, 0, 100, 100);
    k_register->setDocumentMode(false);

    k_raeume = new TListenAnsicht(this, 102);
    k_schueler = new TListenAnsicht(this, 103);
    k_lehrer = new TListenAnsicht(this, 104);
    k_einzeltermine = new TListenAnsicht(this, 105);
    k_vertretungen = new TListenAnsicht(this, 117);
    for (TListenAnsicht* l : {k_raeume, k_schueler, k_lehrer, k_einzeltermine, k_vertretungen})
        l->setGeometry(0, 0, 100, 100);
    k_klassenSchueler = new TListenAnsicht(this, 106);
    k_klassenSchueler->setGeometry(200, 110, 250, 200);
    k_klassenFelder = new TListenAnsicht(this, 116);
    k_klassenFelder->setGeometry(475, 110, 225, 200);

    k_klasse = combo(this, 107, 25, 60, 100);
    k_klassenlehrer = combo(this, 108, 200, 60, 100);
    k_klassenraum = combo(this, 109, 350, 60, 100);
    k_klassenSeite[0] = label(this, "Klasse:", 25, 40, 100, 15);
    k_klassenSeite[1] = label(this, "Klassenlehrer:", 200, 40, 100, 15);
    k_klassenSeite[2] = label(this, "Klassenraum:", 350, 40, 100, 15);
    k_klassenSeite[3] = label(this, "Schüler der Klasse:", 200, 90, 200, 15);
    k_zensuren = knopf(this, 115, "Zensuren...", 25, 100, 100, 25);

    k_stundenplan = new TStundenplanMatrix(this, TStundenplanMatrix::MAX_TAGE, TStundenplanMatrix::MAX_STUNDEN, 165, 50);
    k_kategorie = combo(this, 110, 25, 70, 100);
    k_besitzer = combo(this, 111, 25, 120, 100);
    k_kategorieLabel = label(this, "Kategorie:", 25, 50, 100, 20);
    k_besitzerLabel = label(this, "Stundenplan von:", 25, 100, 130, 20);
    k_wocheVor = knopf(this, 112, ">", 100, 170, 25, 25);
    k_wocheZurueck = knopf(this, 113, "<", 25, 170, 25, 25);
    k_geheZu = knopf(this, 118, "Gehe zu", 50, 170, 50, 25);
    k_wochenText = mitId(label(this, "", 25, 210, 120, 20), 114);

    // Every page but the students list starts hidden.
    changeRegister(REITER_SCHUELER);

    // The shown week starts with the Monday of this week.
    int t, m, j;
    getHeute(&t, &m, &j);
    addTage(t, m, j, 1 - getWochentag(t, m, j), &k_tag, &k_monat, &k_jahr);

    k_drucker = std::make_unique<QPrinter>();
    k_pluginliste.scan(PLUGIN_ORDNER, &k_pluginFehler);

    connect(k_register, &QTabWidget::currentChanged, this, &TMainWindow::changeRegister);
    connect(k_klasse, QOverload<int>::of(&QComboBox::activated), this, [this](int) { changeKlasse(); });
    connect(k_klassenlehrer, QOverload<int>::of(&QComboBox::activated), this, [this](int) { changeKlassenlehrer(); });
    connect(k_klassenraum, QOverload<int>::of(&QComboBox::activated), this, [this](int) { changeKlassenraum(); });
    connect(k_kategorie, QOverload<int>::of(&QComboBox::activated), this, [this](int) { changeKategorie(); });
    connect(k_besitzer, QOverload<int>::of(&QComboBox::activated), this, [this](int) { changeBesitzer(); });
    connect(k_zensuren, &QPushButton::clicked, this, &TMainWindow::CmZensuren);
    connect(k_wocheVor, &QPushButton::clicked, this, &TMainWindow::CmWocheVor);
    connect(k_wocheZurueck, &QPushButton::clicked, this, &TMainWindow::CmWocheZurueck);
    connect(k_geheZu, &QPushButton::clicked, this, &TMainWindow::CmGeheZu);
}

TMainWindow::~TMainWindow() {
    entferneNeuladeZiel(this);
    k_schulverwaltung.setAenderungsMelder(nullptr);
    // The plug-ins' windows are children of this one: they go with their plug-ins, before the libraries.
    k_pluginliste.closeAll();
}

void TMainWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const int b = width(), h = height();
    k_register->setGeometry(0, 0, b, h);
    for (TListenAnsicht* l : {k_raeume, k_schueler, k_lehrer, k_einzeltermine, k_vertretungen})
        l->setGeometry(13, 25, std::max(10, b - 26), std::max(10, h - 35));
    ordneKlassenZeileAn();
    ordneStundenplanAn();
}

void TMainWindow::setupFenster() {
    setzeNeuladeZiel(this);
    // Dialogs that change records directly (grades, absences, subjects, curriculum) say so.
    k_schulverwaltung.setAenderungsMelder([this] { speichereBald(); });
    Aufschub aufschub(this);  // a plug-in's reload request during the set-up runs after it
    std::string fehler;
    const bool vorhanden = text::fileExists(AKTUELLE_DATEI);
    const bool geladen = k_schulverwaltung.load(AKTUELLE_DATEI, &fehler);
    merkeDateistand();
    k_sicherungNoetig = vorhanden && !geladen;
    if (!fehler.empty()) meldung(fehler, "Fehler beim Laden des aktuellen Datenbestandes", MB_OK, this);
    if (!k_pluginFehler.empty()) meldung(k_pluginFehler, "Fehler", MB_OK | MB_ICONEXCLAMATION, this);

    for (const char* titel : {"Schüler", "Lehrer", "Räume", "Einzeltermine", "Vertretungen", "Klassen", "Stundenplan"})
        k_register->addTab(new QWidget, titel);
    const std::unique_ptr<c_Pluginliste> mitGui = k_pluginliste.getPluginsMitGui();
    for (c_Plugin* p : *mitGui) {
        k_register->addTab(new QWidget, qs(p->getName()).replace('&', "&&"));
        p->start(static_cast<QWidget*>(this));
    }
    k_pluginsGestartet = true;

    c_Schulverwaltung& sv = k_schulverwaltung;
    setzeVorlagenSpalten(k_raeume, sv.getRaumStruktur());
    k_raeume->addSpalte("Klassenraum", 75);
    k_raeume->addSpalte("Fächer", 250);
    setzeVorlagenSpalten(k_schueler, sv.getSchuelerStruktur());
    k_schueler->addSpalte("Klasse", 50);
    setzeVorlagenSpalten(k_lehrer, sv.getLehrerStruktur());
    k_lehrer->addSpalte("Klasse", 50);
    k_lehrer->addSpalte("Fächer", 100);
    k_lehrer->addSpalte("akt. Std.", 50);
    setzeVorlagenSpalten(k_einzeltermine, sv.getEinzelterminStruktur());
    k_einzeltermine->addSpalte("Fach", 75);
    k_einzeltermine->addSpalte("Klasse", 50);
    k_einzeltermine->addSpalte("Lehrer", 100);
    k_einzeltermine->addSpalte("Raum", 75);
    k_vertretungen->setSpalten({{"Lehrer", 100}, {"vertreten von:", 100}});
    if (const c_Datenliste* v = sv.getVertretungsterminStruktur())
        for (const auto& f : *v) k_vertretungen->addSpalte(qs(f->beschreibungText()), 100);
    k_vertretungen->addSpalte("Fach", 75);
    k_vertretungen->addSpalte("Klasse", 50);
    k_vertretungen->addSpalte("Raum", 75);
    k_klassenSchueler->setSpalten({{"Name", 100}, {"Vorname", 60}});
    k_klassenFelder->setSpalten({{"", 100}, {"", 100}});

    updateRaum();
    updateSchueler();
    updateLehrer();
    updateEinzeltermine();
    updateVertretungen();
    updateKlasse();

    const QFont schrift = k_einzeltermine->font();
    for (QWidget* w : {static_cast<QWidget*>(k_klasse), static_cast<QWidget*>(k_klassenlehrer),
                       static_cast<QWidget*>(k_klassenraum), static_cast<QWidget*>(k_zensuren),
                       static_cast<QWidget*>(k_kategorie), static_cast<QWidget*>(k_besitzer),
                       static_cast<QWidget*>(k_wocheVor), static_cast<QWidget*>(k_wocheZurueck),
                       static_cast<QWidget*>(k_geheZu), static_cast<QWidget*>(k_wochenText)})
        w->setFont(schrift);
    k_stundenplan->setSchrift(schrift);
    for (QLabel* l : {k_kategorieLabel, k_besitzerLabel}) passeLabelAn(l, l->width(), 20);
    for (QWidget* w : k_klassenSeite) passeLabelAn(static_cast<QLabel*>(w), w->width(), 15);
    passeKnopfAn(k_zensuren, 100, 25);
    for (QPushButton* k : {k_wocheZurueck, k_wocheVor}) passeKnopfAn(k, 25, 25);
    passeKnopfAn(k_geheZu, 50, 25);
    // "<", "Gehe zu" and ">" stay side by side.
    k_geheZu->move(std::max(50, k_wocheZurueck->x() + k_wocheZurueck->width()), 170);
    k_wocheVor->move(std::max(100, k_geheZu->x() + k_geheZu->width()), 170);
    passeKlassenCombosAn();

    passeGitterAn();
    updateStundenplan();
    k_kategorie->clear();
    k_kategorie->addItems({"Lehrer", "Raum", "Klasse"});
    k_kategorie->setCurrentIndex(0);
    passeComboAn(k_kategorie, std::numeric_limits<int>::max());
    changeKategorie();

    baueErweiterungsMenue();
    changeRegister(k_register->currentIndex() < 0 ? 0 : k_register->currentIndex());
    benachrichtigeErweiterungen();  // the change notification, with nothing changed yet
}

void TMainWindow::passeGitterAn() {
    k_stundenplan->resize(k_schulverwaltung.getSamstag() ? 6 : 5,
                          std::max(1, std::min(k_schulverwaltung.getStundenProTag(), TStundenplanMatrix::MAX_STUNDEN)));
}

int TMainWindow::aktiverReiter() const { return k_register->currentIndex(); }

void TMainWindow::waehleReiter(int reiter) {
    // A change of the current tab notifies changeRegister by itself.
    if (k_register->currentIndex() != reiter)
        k_register->setCurrentIndex(reiter);
    else
        changeRegister(reiter);
}

void TMainWindow::changeRegister(int reiter) {
    for (QWidget* w : {static_cast<QWidget*>(k_raeume), static_cast<QWidget*>(k_schueler),
                       static_cast<QWidget*>(k_lehrer), static_cast<QWidget*>(k_einzeltermine),
                       static_cast<QWidget*>(k_vertretungen), static_cast<QWidget*>(k_klassenSchueler),
                       static_cast<QWidget*>(k_klassenFelder), static_cast<QWidget*>(k_klasse),
                       static_cast<QWidget*>(k_klassenlehrer), static_cast<QWidget*>(k_klassenraum),
                       static_cast<QWidget*>(k_zensuren), static_cast<QWidget*>(k_stundenplan),
                       static_cast<QWidget*>(k_kategorie), static_cast<QWidget*>(k_besitzer),
                       static_cast<QWidget*>(k_kategorieLabel), static_cast<QWidget*>(k_besitzerLabel),
                       static_cast<QWidget*>(k_wocheVor), static_cast<QWidget*>(k_wocheZurueck),
                       static_cast<QWidget*>(k_geheZu), static_cast<QWidget*>(k_wochenText)})
        w->hide();
    for (QWidget* w : k_klassenSeite) w->hide();
    // Plug-ins hear of tab changes only once they have been started.
    if (k_pluginsGestartet) {
        const std::unique_ptr<c_Pluginliste> mitGui = k_pluginliste.getPluginsMitGui();
        for (c_Plugin* p : *mitGui) p->hide();
    }

    auto zeige = [](std::initializer_list<QWidget*> ws) {
        for (QWidget* w : ws) {
            w->show();
            w->raise();
        }
    };
    switch (reiter) {
    case REITER_SCHUELER: zeige({k_schueler}); break;
    case REITER_LEHRER: zeige({k_lehrer}); break;
    case REITER_RAEUME: zeige({k_raeume}); break;
    case REITER_EINZELTERMINE: zeige({k_einzeltermine}); break;
    case REITER_VERTRETUNGEN: zeige({k_vertretungen}); break;
    case REITER_KLASSEN: {
        zeige({k_klassenSchueler, k_klasse, k_klassenlehrer, k_klassenraum, k_zensuren, k_klassenSeite[0],
               k_klassenSeite[1], k_klassenSeite[2], k_klassenSeite[3]});
        const c_Datenliste* vorlage = k_schulverwaltung.getKlasseStruktur();
        if (vorlage && vorlage->size() >= 3) zeige({k_klassenFelder});
        break;
    }
    case REITER_STUNDENPLAN:
        zeige({k_stundenplan, k_kategorie, k_besitzer, k_kategorieLabel, k_besitzerLabel, k_wocheVor,
               k_wocheZurueck, k_geheZu, k_wochenText});
        break;
    default:
        if (c_Plugin* p = k_pluginsGestartet ? pluginDesReiters(reiter) : nullptr) p->show();
        break;
    }
}

// ---------------------------------------------------------------- views

TListenAnsicht* TMainWindow::liste(Ansicht a) const {
    switch (a) {
    case ANSICHT_RAEUME: return k_raeume;
    case ANSICHT_SCHUELER: return k_schueler;
    case ANSICHT_LEHRER: return k_lehrer;
    case ANSICHT_EINZELTERMINE: return k_einzeltermine;
    case ANSICHT_VERTRETUNGEN: return k_vertretungen;
    default: return nullptr;
    }
}

std::vector<std::uint64_t> TMainWindow::standVon(Ansicht a) {
    c_Database* db = k_schulverwaltung.getDatabase();
    if (!db) return {};
    // Every list whose records the view shows, its own first.
    const std::uint64_t schueler = db->getSchuelerliste()->stand(), lehrer = db->getLehrerliste()->stand(),
                        raeume = db->getRaumliste()->stand(), klassen = db->getKlassenliste()->stand(),
                        faecher = db->getFachliste()->stand(), einzel = db->getEinzelterminliste()->stand(),
                        dauer = db->getDauerterminliste()->stand(),
                        vertretungen = db->getVertretungsterminliste()->stand();
    switch (a) {
    case ANSICHT_RAEUME: return {raeume, klassen, faecher};
    case ANSICHT_SCHUELER: return {schueler, klassen};
    // The lessons column counts the teacher's weekly appointments.
    case ANSICHT_LEHRER: return {lehrer, klassen, faecher, dauer};
    case ANSICHT_EINZELTERMINE: return {einzel, faecher, klassen, lehrer, raeume};
    case ANSICHT_VERTRETUNGEN: return {vertretungen, lehrer, faecher, klassen, raeume};
    case ANSICHT_KLASSE: return {klassen, lehrer, raeume, schueler};
    case ANSICHT_STUNDENPLAN:
        return {dauer, einzel, vertretungen, lehrer, raeume, klassen, faecher, db->getEinstellungenStand()};
    default: return {};
    }
}

bool TMainWindow::istAktuell(Ansicht a) const {
    return k_stand[a] == const_cast<TMainWindow*>(this)->standVon(a);
}

void TMainWindow::aktualisiereAnsichten() {
    if (!istAktuell(ANSICHT_RAEUME)) updateRaum();
    if (!istAktuell(ANSICHT_SCHUELER)) updateSchueler();
    if (!istAktuell(ANSICHT_LEHRER)) updateLehrer();
    if (!istAktuell(ANSICHT_EINZELTERMINE)) updateEinzeltermine();
    if (!istAktuell(ANSICHT_VERTRETUNGEN)) updateVertretungen();
    if (!istAktuell(ANSICHT_KLASSE)) updateKlasse();
    if (!istAktuell(ANSICHT_STUNDENPLAN)) updateStundenplan();
}

// ---------------------------------------------------------------- lists

void TMainWindow::setzeVorlagenSpalten(TListenAnsicht* liste, const c_Datenliste* vorlage) {
    std::vector<std::pair<QString, int>> spalten;
    if (vorlage)
        for (const auto& f : *vorlage) spalten.emplace_back(qs(f->beschreibungText()), 100);
    liste->setSpalten(spalten);
}

namespace {

// A record's fields, one cell each.
void fuelleRecordZeile(QStringList& zeile, const c_Datenliste* felder) {
    if (!felder) return;
    for (const auto& f : *felder) zeile << qs(feldText(f.get()));
}

QString faecherText(const c_Fachliste* faecher) {
    std::string s;
    for (const c_Fach* f : *faecher) s += fachText(f) + ", ";
    return qs(s);
}

// The text of a linked record, made once per refill however many rows show it.
template <class T>
class TextPuffer {
public:
    explicit TextPuffer(std::string (*text)(const T*)) : k_text(text) {}
    QString operator()(const T* p) {
        auto [it, neu] = k_texte.try_emplace(p);
        if (neu) it->second = qs(k_text(p));
        return it->second;
    }

private:
    std::string (*k_text)(const T*);
    std::unordered_map<const T*, QString> k_texte;
};

}  // namespace

// The list views build a row when it is first shown, from the record at its position, for
// as long as the view shows the lists as they are; texts of linked records that many rows
// share are made once per refill.

template <class T, class Zeile>
void TMainWindow::fuelleListe(Ansicht a, const c_Liste<T>* datensaetze, Zeile zeile) {
    merkeStand(a);
    liste(a)->setZeilen(
        datensaetze ? static_cast<int>(datensaetze->size()) : 0,
        [datensaetze, zeile](int r) {
            QStringList z;
            if (const T* d = datensaetze->nth(r + 1)) zeile(d, z);
            return z;
        },
        [this, a] { return !k_generatorLaeuft && istAktuell(a); });
}

void TMainWindow::updateRaum() {
    c_Raumliste* raeume = k_schulverwaltung.getRaumliste();
    // One pass over the classes: the last class of each room, and the empty entries, whose
    // message each room's row repeats.
    auto klasseDes = std::make_shared<std::unordered_map<const c_Raum*, const c_Klasse*>>();
    int leer = 0;
    if (c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste())
        for (const c_Klasse* k : *klassen) {
            if (!k)
                ++leer;
            else if (k->getKlassenraum())
                (*klasseDes)[k->getKlassenraum()] = k;
        }
    for (std::size_t r = 0; raeume && r < raeume->size(); ++r)
        for (int i = 0; i < leer; ++i) meldung("Hauptfenster: updateRaum: k_current ist NULL", "", MB_OK, this);
    fuelleListe(ANSICHT_RAEUME, raeume, [klasseDes](const c_Raum* r, QStringList& z) {
        fuelleRecordZeile(z, r->getFelder());
        const auto klasse = klasseDes->find(r);
        z << (klasse != klasseDes->end() ? qs(klassenText(klasse->second)) : QString());
        if (!r->getFachliste())
            z << QString();
        else if (r->getFachliste()->empty())
            z << "[kein Fachraum / Klassenraum]";
        else
            z << faecherText(r->getFachliste());
    });
}

void TMainWindow::updateSchueler() {
    auto klasse = std::make_shared<TextPuffer<c_Klasse>>(klassenText);
    fuelleListe(ANSICHT_SCHUELER, k_schulverwaltung.getSchuelerliste(), [klasse](const c_Schueler* s, QStringList& z) {
        fuelleRecordZeile(z, s->getFelder());
        z << (*klasse)(s->getKlasse());
    });
}

void TMainWindow::updateLehrer() {
    // One pass over the classes: the last class of each class teacher.
    auto klasseDes = std::make_shared<std::unordered_map<const c_Lehrer*, const c_Klasse*>>();
    if (c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste())
        for (const c_Klasse* k : *klassen)
            if (k && k->getKlassenlehrer()) (*klasseDes)[k->getKlassenlehrer()] = k;
    fuelleListe(ANSICHT_LEHRER, k_schulverwaltung.getLehrerliste(), [klasseDes](const c_Lehrer* l, QStringList& z) {
        fuelleRecordZeile(z, l->getFelder());
        const auto klasse = klasseDes->find(l);
        z << qs(klassenText(klasse != klasseDes->end() ? klasse->second : nullptr));
        z << (l->getFachliste() ? faecherText(l->getFachliste()) : QString());
        z << QString::number(l->getVergebeneStunden());
    });
}

namespace {
// The texts of the records an appointment links to, made once per refill.
struct TerminTexte {
    TextPuffer<c_Fach> fach{fachText};
    TextPuffer<c_Klasse> klasse{klassenText};
    TextPuffer<c_Lehrer> lehrer{lehrerText};
    TextPuffer<c_Raum> raum{raumName};
};
}  // namespace

void TMainWindow::updateEinzeltermine() {
    auto texte = std::make_shared<TerminTexte>();
    fuelleListe(ANSICHT_EINZELTERMINE, k_schulverwaltung.getEinzelterminliste(),
                [texte](const c_Einzeltermin* t, QStringList& z) {
                    fuelleRecordZeile(z, t->getFelder());
                    z << texte->fach(t->getFach()) << texte->klasse(t->getKlasse())
                      << texte->lehrer(t->getLehrer()) << texte->raum(t->getRaum());
                });
}

void TMainWindow::updateVertretungen() {
    auto texte = std::make_shared<TerminTexte>();
    fuelleListe(ANSICHT_VERTRETUNGEN, k_schulverwaltung.getVertretungsterminliste(),
                [texte](const c_Vertretungstermin* t, QStringList& z) {
                    z << texte->lehrer(t->getVertretenerLehrer()) << texte->lehrer(t->getLehrer());
                    fuelleRecordZeile(z, t->getFelder());
                    z << texte->fach(t->getFach()) << texte->klasse(t->getKlasse()) << texte->raum(t->getRaum());
                });
}

c_Klasse* TMainWindow::gewaehlteKlasse() {
    if (!istAktuell(ANSICHT_KLASSE)) updateKlasse();
    c_Klassenliste* klassen = k_schulverwaltung.getKlassenliste();
    const int n = k_klasse->currentIndex();
    return klassen && n >= 1 ? klassen->getKlasse(n) : nullptr;
}

void TMainWindow::updateKlasse() {
    c_Schulverwaltung& sv = k_schulverwaltung;
    QStringList eintraege{"[keiner]"};
    if (c_Lehrerliste* lehrer = sv.getLehrerliste())
        for (const c_Lehrer* l : *lehrer) eintraege << qs(lehrerText(l));
    k_klassenlehrer->clear();
    k_klassenlehrer->addItems(eintraege);
    const std::unique_ptr<c_Raumliste> aktive = sv.getAktiveRaeume();
    eintraege = QStringList{"[keiner]"};
    for (const c_Raum* r : *aktive) eintraege << qs(r->getName());
    k_klassenraum->clear();
    k_klassenraum->addItems(eintraege);

    // The class chosen before is chosen again where it still is: the box's entry while the box
    // shows the classes as they are, else the one remembered at the last fill.
    if (istAktuell(ANSICHT_KLASSE)) {
        c_Klassenliste* klassen = sv.getKlassenliste();
        const int n = k_klasse->currentIndex();
        k_klasseGewaehlt = klassen && n >= 1 ? klassen->getKlasse(n) : nullptr;
    }
    eintraege = QStringList{"[keine]"};
    int neuerIndex = 0, i = 0;
    if (c_Klassenliste* klassen = sv.getKlassenliste())
        for (const c_Klasse* k : *klassen) {
            ++i;
            eintraege << qs(klassenText(k));
            if (k && k == k_klasseGewaehlt && neuerIndex == 0) neuerIndex = i;
        }
    k_klasse->clear();
    k_klasse->addItems(eintraege);
    k_klasse->setCurrentIndex(neuerIndex);
    c_Klassenliste* klassen = sv.getKlassenliste();
    c_Klasse* klasse = klassen && neuerIndex >= 1 ? klassen->getKlasse(neuerIndex) : nullptr;
    k_klasseGewaehlt = klasse;

    int lehrerIndex = 0, raumIndex = 0;
    if (klasse) {
        if (c_Lehrer* l = klasse->getKlassenlehrer()) lehrerIndex = sv.getLehrerliste()->indexOf(l);
        if (c_Raum* r = klasse->getKlassenraum()) raumIndex = aktive->indexOf(r);
    }
    k_klassenlehrer->setCurrentIndex(lehrerIndex);
    k_klassenraum->setCurrentIndex(raumIndex);
    passeKlassenCombosAn();

    std::vector<QStringList> schuelerZeilen;
    if (klasse) {
        const std::unique_ptr<c_Schuelerliste> schueler = sv.getSchuelerDerKlasse(klasse);
        for (const c_Schueler* s : *schueler) schuelerZeilen.push_back({qs(s->getName()), qs(s->getVorname())});
    }
    k_klassenSchueler->setZeilen(std::move(schuelerZeilen));

    std::vector<QStringList> felderZeilen;
    if (klasse && klasse->getFelder())
        for (const auto& f : *klasse->getFelder())
            felderZeilen.push_back({qs(f->beschreibungText()), qs(feldText(f.get()))});
    k_klassenFelder->setZeilen(std::move(felderZeilen));
    merkeStand(ANSICHT_KLASSE);
}

void TMainWindow::changeKlasse() { updateKlasse(); }

void TMainWindow::passeKlassenCombosAn() {
    for (QComboBox* c : {k_klasse, k_klassenlehrer, k_klassenraum}) passeComboAn(c, std::numeric_limits<int>::max());
    ordneKlassenZeileAn();
}

void TMainWindow::ordneKlassenZeileAn() {
    // Each choice of the row as wide as its longest entry needs, where the window has room: the
    // next one, with its label, follows it (never left of where it was laid out), and each keeps
    // room for the laid-out width of those after it; the last one reaches to the window's edge.
    const struct {
        QComboBox* box;
        QWidget* label;
        int x;
    } zeile[] = {{k_klasse, k_klassenSeite[0], 25}, {k_klassenlehrer, k_klassenSeite[1], 200},
                 {k_klassenraum, k_klassenSeite[2], 350}};
    const int rand = width() - SEITENRAND;
    int rechts = 0;
    for (int i = 0; i < 3; ++i) {
        const int x = std::max(zeile[i].x, rechts + KLASSEN_LUECKE);
        zeile[i].box->move(x, zeile[i].box->y());
        zeile[i].label->move(x, zeile[i].label->y());
        begrenzeCombo(zeile[i].box, rand - (2 - i) * (GRUND_BREITE + KLASSEN_LUECKE) - x);
        rechts = x + zeile[i].box->width();
    }
}

void TMainWindow::ordneStundenplanAn() {
    // The choices of category and owner as wide as their entries need, within a third of the
    // window; the grid begins after them.
    const int b = width(), h = height();
    const int grenze = std::max(GITTER_X, b / 3) - 5;
    int rechts = 0;
    for (QComboBox* c : {k_kategorie, k_besitzer}) {
        begrenzeCombo(c, grenze - c->x());
        rechts = std::max(rechts, c->x() + c->width());
    }
    const int x = std::max(GITTER_X, rechts + 5);
    k_stundenplan->setGeometry(x, 50, std::max(10, b - 2 - x), std::max(10, h - 2 - 50));
}

// ---------------------------------------------------------------- saving

void setzeOrdnerwache(Ordnerwache* wache) { g_ordnerwache = wache; }

TMainWindow::Dateistand TMainWindow::dateistand() {
    Dateistand d;
    struct stat st {};
    if (::stat(AKTUELLE_DATEI, &st) != 0) return d;
    d.vorhanden = true;
    d.geraet = st.st_dev;
    d.knoten = st.st_ino;
    d.groesse = static_cast<unsigned long long>(st.st_size);
    d.sekunden = st.st_mtim.tv_sec;
    d.nanosekunden = st.st_mtim.tv_nsec;
    return d;
}

void TMainWindow::merkeDateistand() { k_dateistand = dateistand(); }

const std::string& TMainWindow::ordnerVerweigert() {
    if (k_speicherstand.verweigert().empty() && k_ordnerwache) {
        const std::string grund = k_ordnerwache->vorDemSchreiben([this] { return dateistand() == k_dateistand; });
        if (!grund.empty()) k_speicherstand.verweigere(grund);
    }
    return k_speicherstand.verweigert();
}

bool TMainWindow::behalteAlteDatei() {
    if (!k_sicherungNoetig) return true;
    if (!ordnerVerweigert().empty()) return false;
    if (!text::copyFileAtomically(AKTUELLE_DATEI, std::string(AKTUELLE_DATEI) + ".bak") &&
        text::fileExists(AKTUELLE_DATEI))
        return false;
    k_sicherungNoetig = false;
    return true;
}

std::string TMainWindow::schreibeAktuell() {
    if (!k_schulverwaltung.hatStruktur())
        return "Der Datenbestand wird nicht in der Datei aktuell.sdb gespeichert,\nweil seine Struktur nicht "
               "geladen werden konnte\n(die Felder der Datensätze fehlen oder sind unvollständig).";
    if (!ordnerVerweigert().empty()) return ordnerVerweigert();
    if (!behalteAlteDatei()) return "Die Datei aktuell.sdb konnte nicht als aktuell.sdb.bak gesichert werden.";
    if (!k_schulverwaltung.save(AKTUELLE_DATEI)) return NICHT_GESPEICHERT;
    merkeDateistand();
    return std::string();
}

void TMainWindow::speichereAktuell() {
    k_speicherstand.geschrieben(schreibeAktuell(), TSpeicherstand::Bericht::Selbst, k_schulverwaltung.hatStruktur());
}

bool TMainWindow::speichereSicherung() {
    return ordnerVerweigert().empty() && k_schulverwaltung.save(SICHERUNGS_DATEI, AKTUELLE_DATEI);
}

void TMainWindow::speichereBald() { k_speicherstand.geaendert(); }

void TMainWindow::setzeGeneratorLaeuft(bool laeuft) {
    if (laeuft) {
        // What changed before goes to the disk now: the thread may run for minutes.
        speichereNachAenderung();
        k_generatorLaeuft = true;
        return;
    }
    k_generatorLaeuft = false;
    // The lessons the thread made go to the disk at once.
    k_speicherstand.geaendert();
    k_speicherstand.gleich();
}

bool TMainWindow::speichernAufgeschoben() const {
    // Not while a generator writes into the lists, a plug-in is called (it may be writing
    // aktuell.sdb), a reload after a plug-in runs, or a plug-in's new aktuell.sdb waits to be
    // read. A dialog that is merely open holds nothing back.
    return k_generatorLaeuft || k_neuladenAusstehend || k_wartetAufFrei || c_Plugin::imAufruf() || neuladenLaeuft();
}

void TMainWindow::speichereNachAenderung() {
    if (!k_speicherstand.ungespeichert()) return;
    if (speichernAufgeschoben()) {
        // Written as soon as nothing holds it back any more.
        k_speicherstand.spaeter();
        return;
    }
    speichereAktuell();
}

bool TMainWindow::sichereVorErweiterung(QWidget* eltern) {
    std::string fehler;
    if (!k_schulverwaltung.hatStruktur()) {
        // A year whose structure did not load is not written; the plug-in finds aktuell.sdb as it is.
        if (!ordnerVerweigert().empty())
            fehler = ordnerVerweigert();
        else if (!behalteAlteDatei())
            fehler = "Die Datei aktuell.sdb konnte nicht als aktuell.sdb.bak gesichert werden.";
    } else {
        fehler = schreibeAktuell();
        // The year's write ended; a failure is said in the box below.
        k_speicherstand.geschrieben(fehler, TSpeicherstand::Bericht::VomAufrufer, true);
        if (fehler.empty() ? !speichereSicherung() : fehler == NICHT_GESPEICHERT)
            fehler = "Der Datenbestand konnte nicht in den Dateien aktuell.sdb und aktuell.tmp gespeichert werden.";
    }
    if (fehler.empty()) return true;
    meldung(fehler + "\nDie Erweiterung wird nicht ausgeführt, damit keine Änderungen verloren gehen.", "Fehler",
            MB_OK | MB_ICONEXCLAMATION, eltern);
    return false;
}

bool TMainWindow::queryClose() {
    // The close writes and reports by itself: the delayed write does not try again while its
    // boxes are open, and a failure reported here counts as the one report.
    k_speicherstand.halteAn();
    std::string frage = "Wollen Sie die Schulverwaltung\nwirklich beenden?";
    const std::string fehler = schreibeAktuell();
    k_speicherstand.geschrieben(fehler, TSpeicherstand::Bericht::VomAufrufer, k_schulverwaltung.hatStruktur());
    k_speicherstand.halteAn();
    if (!fehler.empty()) {
        meldung(fehler, "Fehler", MB_OK | MB_ICONEXCLAMATION, this);
        if (k_speicherstand.ungespeichert())
            frage += "\n\nDie Änderungen seit dem letzten erfolgreichen Speichern\ngehen beim Beenden verloren.";
    }
    if (meldung(frage, "Beenden", MB_YESNO | MB_ICONQUESTION, this) != IDYES) {
        // Tried again, without a new report.
        k_speicherstand.weiter();
        return false;
    }
    // The data go now; what could not be written is not written later as an emptied year.
    k_speicherstand.nichtsOffen();
    k_schulverwaltung.clear();
    return true;
}
