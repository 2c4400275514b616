#include "dialogs/ui/formulardialog.h"

#include "dialogs/auswahl.h"
#include "dialogs/ui/dialogmeldungen.h"
#include "dialogs/ui/zeichenschutz.h"
#include "model/felder.h"
#include "platform/ui/dialogtasten.h"
#include "platform/ui/listenansicht.h"
#include "platform/ui/listenmarkierung.h"
#include "platform/ui/qtext.h"
#include "platform/ui/zeilenhoehe.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace {

QString objektName(int id) { return QString("id%1").arg(id); }

// A caption without its mnemonic marks, as it is drawn.
QString ohneKuerzel(const char* text) {
    QString t = qs(text);
    t.replace("&&", "\x01");
    t.remove('&');
    t.replace('\x01', '&');
    return t;
}

}  // namespace

TFormularDialog::TFormularDialog(QWidget* parent, int resId, c_Schulverwaltung* sv, const c_Datenliste* vorlage, int dx)
    : QDialog(parent), k_schulverwaltung(sv), k_vorlage(vorlage), k_dx(dx) {
    setObjectName(objektName(resId));
    richteTastenEin(this);
    if (!vorlage) return;
    const std::vector<FeldSteuerung> steuerungen = feldSteuerungen(*vorlage);
    std::size_t n = 0;
    for (const auto& f : *vorlage) {
        if (!f) continue;
        const FeldSteuerung& st = steuerungen[n++];
        const QString beschriftung = qs(f->beschreibungText());
        if (st.istHaken()) {
            auto* box = new QCheckBox(beschriftung, this);
            box->setObjectName(objektName(st.id));
            box->setGeometry(f->getX() + dx, f->getY(), f->getWeite(), f->getHoehe());
            k_checkboxen.push_back(box);
            if (!k_erstesFeld) k_erstesFeld = box;
            continue;
        }
        auto* l = new QLabel(beschriftung, this);
        l->setTextFormat(Qt::PlainText);
        l->setObjectName(objektName(st.id));
        l->setGeometry(f->getX() + dx, f->getY(), 100, 100);
        k_labels.push_back(l);
        auto* e = new QLineEdit(this);
        e->setObjectName(objektName(st.editId));
        e->setGeometry(f->getX() + dx, f->getY(), f->getWeite(), f->getHoehe());
        // Room for the longest value plus one, as the form has always allowed.
        e->setMaxLength(std::max(1, f->getLaenge() + 1));
        schuetzeEdit(e);
        k_edits.push_back(e);
        if (!k_erstesFeld) k_erstesFeld = e;
    }
}

void TFormularDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (k_gezeigt || e->spontaneous()) return;
    k_gezeigt = true;
    if (!k_erstesFeld || !k_erstesFeld->isEnabled()) return;
    // A filled edit has its text selected, as Tab selects it, with its start in sight.
    if (auto* edit = qobject_cast<QLineEdit*>(k_erstesFeld))
        edit->setSelection(static_cast<int>(edit->text().size()), -static_cast<int>(edit->text().size()));
    // The window is not active yet: the field becomes its focus and has it once the window is.
    k_erstesFeld->setFocus(Qt::OtherFocusReason);
}

int TFormularDialog::ausfuehren() {
    setupFenster();
    if (k_geschlossen) return result();
    return exec();
}

FormularMasse TFormularDialog::masse() const {
    const QFontMetrics fm(font());
    FormularMasse m;
    m.text = [fm](const std::string& t) {
        const QString s = qs(t);
        return TextGroesse{fm.horizontalAdvance(s), fm.height()};
    };
    // An edit shows a line of text inside its frame; a check box its caption beside the indicator.
    m.editHoehe = fm.height() + 6;
    m.hakenHoehe = fm.height() + 2;
    const int indikator = style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4;
    m.hakenBreite = [fm, indikator](const std::string& t) { return fm.horizontalAdvance(qs(t)) + indikator; };
    m.zahlBreite = [fm](int ziffern) { return fm.horizontalAdvance(QString(std::max(ziffern, 1), '0')) + 12; };
    return m;
}

int TFormularDialog::layoutFelder(int startBreite, int startUnten) {
    if (!k_vorlage) {
        k_dialogBreite = startBreite;
        return startUnten;
    }
    const FormularLayout l = layoutFormular(*k_vorlage, k_dx, startBreite, startUnten, masse());
    for (const FeldLayout& f : l.felder) {
        const std::size_t i = static_cast<std::size_t>(f.steuerung.index);
        if (f.steuerung.istHaken()) {
            if (i < k_checkboxen.size())
                k_checkboxen[i]->setGeometry(f.feld.x, f.feld.y, f.feld.breite, f.feld.hoehe);
            continue;
        }
        if (i < k_labels.size()) k_labels[i]->setGeometry(f.label.x, f.label.y, f.label.breite, f.label.hoehe);
        if (i < k_edits.size()) k_edits[i]->setGeometry(f.feld.x, f.feld.y, f.feld.breite, f.feld.hoehe);
    }
    k_dialogBreite = l.breite;
    return l.unten;
}

void TFormularDialog::fuelleFelder(const c_Datenliste& felder) {
    const FormularWerte w = werteAus(felder);
    for (std::size_t i = 0; i < k_edits.size() && i < w.edits.size(); ++i) {
        // A stored value longer than the limit (from another program or an older structure) is shown whole,
        // so that OK does not cut it; setText would truncate it to the limit.
        const QString text = qs(w.edits[i]);
        if (text.size() > k_edits[i]->maxLength()) k_edits[i]->setMaxLength(static_cast<int>(text.size()));
        fuelleEdit(k_edits[i], text);
    }
    for (std::size_t i = 0; i < k_checkboxen.size() && i < w.haken.size(); ++i) k_checkboxen[i]->setChecked(w.haken[i]);
}

FormularWerte TFormularDialog::werte() const {
    FormularWerte w;
    for (const QLineEdit* e : k_edits) w.edits.push_back(ss(e->text()));
    for (const QCheckBox* c : k_checkboxen) w.haken.push_back(c->isChecked());
    return w;
}

void TFormularDialog::zeige(MeldungsSammler& meldungen) { TDialogMeldungen(this).zeige(meldungen); }

void TFormularDialog::schliesse(int r) {
    k_geschlossen = true;
    done(r);
}

void TFormularDialog::brichAb(const std::string& fehler) {
    TDialogMeldungen(this).fehler(fehler);
    schliesse(0);
}

void TFormularDialog::setzeGroesse() { resize(k_dialogBreite, k_dialogHoehe); }

QPushButton* TFormularDialog::knopf(int id, const char* text, int breite, int hoehe) {
    auto* k = new QPushButton(qs(text), this);
    if (id != -1) k->setObjectName(objektName(id));
    const QFontMetrics fm(font());
    k->resize(std::max(breite, fm.horizontalAdvance(ohneKuerzel(text)) + 16), std::max(hoehe, fm.height() + 6));
    return k;
}

QLabel* TFormularDialog::label(int id, const char* text, int breite, int hoehe) {
    auto* l = new QLabel(qs(text), this);
    l->setTextFormat(Qt::PlainText);
    if (id != -1) l->setObjectName(objektName(id));
    const QFontMetrics fm(font());
    l->resize(std::max(breite, fm.horizontalAdvance(qs(text))), std::max(hoehe, fm.height()));
    return l;
}

QComboBox* TFormularDialog::auswahl(int id, int breite) {
    auto* b = new QComboBox(this);
    b->setObjectName(objektName(id));
    b->resize(breite, std::max(21, b->sizeHint().height()));
    gibZeilenPlatz(b);
    return b;
}

QLineEdit* TFormularDialog::eingabefeld(int id, int breite) {
    auto* e = new QLineEdit(this);
    e->setObjectName(objektName(id));
    e->resize(breite, fontMetrics().height() + 8);
    schuetzeEdit(e);
    return e;
}

QListWidget* TFormularDialog::mehrfachListe(int id, int breite, int hoehe) {
    auto* l = new TListenfeld(this);
    l->setObjectName(objektName(id));
    l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    l->resize(breite, hoehe);
    return l;
}

TListenAnsicht* TFormularDialog::listenAnsicht(int id, const c_Datenliste* vorlage, int breite, int hoehe) {
    auto* a = new TListenAnsicht(this, id);
    std::vector<std::pair<QString, int>> spalten;
    if (vorlage)
        for (const auto& f : *vorlage)
            if (f) spalten.emplace_back(qs(f->beschreibungText()), 100);  // wider where the heading needs it
    a->setSpalten(spalten);
    a->resize(breite, hoehe);
    return a;
}

void TFormularDialog::setzeNach(QWidget* w, int x, int y) { w->move(x, y); }

int listenBreite(const std::vector<std::string>& eintraege, int mindestens, int zugabe) {
    const QFontMetrics fm(QApplication::font());
    int breite = mindestens;
    for (const std::string& e : eintraege) breite = std::max(breite, fm.horizontalAdvance(qs(e)) + zugabe);
    return breite;
}

int spaltenBreite(c_Schulverwaltung* sv, const char* keinFach, int mindestens) {
    std::vector<std::string> e = fachEintraege(sv, keinFach);
    for (const std::string& k : klassenEintraege(sv, nullptr)) e.push_back(k);
    return listenBreite(e, mindestens, 36);
}

std::vector<int> gewaehlteEintraege(const QListWidget* liste) {
    std::vector<int> v;
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->isSelected()) v.push_back(i);
    return v;
}

int ersteWahl(const QListWidget* liste) {
    const std::vector<int> gewaehlt = gewaehlteEintraege(liste);
    return gewaehlt.empty() ? -1 : gewaehlt.front();
}

void waehleEintraege(QListWidget* liste, const std::vector<int>& eintraege) {
    for (int i = 0; i < liste->count(); ++i)
        liste->item(i)->setSelected(std::find(eintraege.begin(), eintraege.end(), i) != eintraege.end());
}

void fuelleListe(QListWidget* liste, const std::vector<std::string>& eintraege) {
    liste->clear();
    for (const std::string& e : eintraege) liste->addItem(qs(e));
}

void fuelleEdit(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    edit->setCursorPosition(0);
}

void fuelleAuswahl(QComboBox* box, const std::vector<std::string>& eintraege, int gewaehlt) {
    box->clear();
    for (const std::string& e : eintraege) box->addItem(qs(e));
    box->setCurrentIndex(gewaehlt < box->count() ? gewaehlt : -1);
}

void fuelleListenAnsicht(TListenAnsicht* ansicht, const std::vector<std::vector<std::string>>& zeilen) {
    std::vector<QStringList> z;
    z.reserve(zeilen.size());
    for (const auto& zeile : zeilen) {
        QStringList l;
        for (const std::string& zelle : zeile) l << qs(zelle);
        z.push_back(std::move(l));
    }
    ansicht->setZeilen(std::move(z));
}
