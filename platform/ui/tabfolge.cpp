#include "platform/ui/tabfolge.h"

#include "platform/ui/dialogtasten.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVariant>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// A control, or a label (no control), where it stands in the dialog.
struct Stueck {
    QRect r;
    QWidget* steuerung;
};

// Where a piece begins and ends (exclusive) from top to bottom, or from left to right.
using Achse = std::pair<int, int> (*)(const QRect&);
std::pair<int, int> senkrecht(const QRect& r) { return {r.top(), r.top() + r.height()}; }
std::pair<int, int> waagerecht(const QRect& r) { return {r.left(), r.left() + r.width()}; }

// An empty strip between `von` and `bis` along an axis.
struct Streifen {
    int von = 0;
    int bis = 0;
    int breite() const { return bis - von; }
};

// The widest strip along `achse` that no piece covers and that has pieces on both sides;
// the first of equally wide ones. Breite 0 when the pieces leave none.
Streifen breitesterStreifen(std::vector<Stueck>& stuecke, Achse achse) {
    std::sort(stuecke.begin(), stuecke.end(),
              [achse](const Stueck& a, const Stueck& b) { return achse(a.r).first < achse(b.r).first; });
    Streifen breitester;
    int ende = achse(stuecke.front().r).second;
    for (const Stueck& s : stuecke) {
        const auto [anfang, schluss] = achse(s.r);
        if (anfang - ende > breitester.breite()) breitester = {ende, anfang};
        ende = std::max(ende, schluss);
    }
    return breitester;
}

// Appends the controls among `stuecke` to `folge` in reading order (see ordneTabFolge).
void lies(std::vector<Stueck> stuecke, std::vector<QWidget*>& folge) {
    if (std::none_of(stuecke.begin(), stuecke.end(), [](const Stueck& s) { return s.steuerung; })) return;
    const Streifen quer = breitesterStreifen(stuecke, senkrecht);
    const Streifen laengs = breitesterStreifen(stuecke, waagerecht);
    if (quer.breite() <= 0 && laengs.breite() <= 0) {
        std::stable_sort(stuecke.begin(), stuecke.end(), [](const Stueck& a, const Stueck& b) {
            return std::make_pair(a.r.top(), a.r.left()) < std::make_pair(b.r.top(), b.r.left());
        });
        for (const Stueck& s : stuecke)
            if (s.steuerung) folge.push_back(s.steuerung);
        return;
    }
    const bool querSchneiden = quer.breite() >= laengs.breite();
    const Achse achse = querSchneiden ? senkrecht : waagerecht;
    const int schnitt = querSchneiden ? quer.bis : laengs.bis;
    std::vector<Stueck> vorn, hinten;
    for (const Stueck& s : stuecke) (achse(s.r).first < schnitt ? vorn : hinten).push_back(s);
    lies(std::move(vorn), folge);
    lies(std::move(hinten), folge);
}

// The inner parts of a compound control have no place of their own: the edit of an editable
// choice or of a spin box, the cell editors of a list. They follow the control they belong to.
bool teilEinerSteuerung(const QWidget* w, const QDialog* dialog) {
    for (const QWidget* p = w->parentWidget(); p && p != dialog; p = p->parentWidget())
        if ((p->focusProxy() == w && p->focusPolicy() != Qt::NoFocus) || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QAbstractItemView*>(p))
            return true;
    return false;
}

// Keeps an inner part right behind its control in the chain. An editable choice makes its edit
// when it becomes editable, and the edit stands at the end of the chain then, where Shift+Tab
// from the first control would reach it (and with it the choice) instead of the last control.
void teileHinterIhreSteuerung(const std::vector<QWidget*>& teile, const std::vector<QWidget*>& folge) {
    for (QWidget* teil : teile)
        for (QWidget* p = teil->parentWidget(); p; p = p->parentWidget())
            if (std::find(folge.begin(), folge.end(), p) != folge.end()) {
                QWidget::setTabOrder(p, teil);
                break;
            }
}

QRect imDialog(const QWidget* w, const QDialog* dialog) { return QRect(w->mapTo(dialog, QPoint(0, 0)), w->size()); }

// The property that holds a control's designed place in its dialog (see merkeEntwurf).
const char* const ENTWURF = "orvaskEntwurf";

// Where `w` stands in the dialog as designed, else where it stands now.
QRect platz(const QWidget* w, const QDialog* dialog) {
    const QVariant entwurf = w->property(ENTWURF);
    return entwurf.isValid() ? entwurf.toRect() : imDialog(w, dialog);
}

// Every button tied to entry fields moves right after the last of its fields.
void knoepfeHinterIhreFelder(std::vector<QWidget*>& folge) {
    auto knopfVon = [](QWidget* w) {
        const auto* feld = qobject_cast<const QLineEdit*>(w);
        return feld ? enterKnopf(feld) : nullptr;
    };
    std::vector<QAbstractButton*> knoepfe;
    for (QWidget* w : folge)
        if (QAbstractButton* k = knopfVon(w); k && std::find(knoepfe.begin(), knoepfe.end(), k) == knoepfe.end())
            knoepfe.push_back(k);
    for (QAbstractButton* k : knoepfe) {
        const auto platz = std::find(folge.begin(), folge.end(), k);
        if (platz == folge.end()) continue;  // OK or Abbruch: stays last
        folge.erase(platz);
        const auto letztesFeld =
            std::find_if(folge.rbegin(), folge.rend(), [&](QWidget* w) { return knopfVon(w) == k; });
        folge.insert(letztesFeld.base(), k);
    }
}

// Tab enters a group of radio buttons that exclude one another at its checked button. Qt moves
// the group's Tab stop to the button that last had the focus, which before any focus would be
// any of them.
void setzeHaltDerGruppen(QDialog* dialog) {
    for (QRadioButton* r : dialog->findChildren<QRadioButton*>()) {
        if (!r->isChecked() || r->window() != dialog) continue;
        QList<QAbstractButton*> gruppe;
        if (const QButtonGroup* g = r->group()) {
            if (g->exclusive()) gruppe = g->buttons();
        } else if (r->autoExclusive()) {
            for (QAbstractButton* b : r->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
                if (b->autoExclusive() && !b->group()) gruppe.push_back(b);
        }
        for (QAbstractButton* b : gruppe) {
            if (!b->isCheckable()) continue;
            const int halt = b == r ? (b->focusPolicy() | Qt::TabFocus) : (b->focusPolicy() & ~Qt::TabFocus);
            b->setFocusPolicy(static_cast<Qt::FocusPolicy>(halt));
        }
    }
}

}  // namespace

void merkeEntwurf(QDialog* dialog) {
    if (!dialog) return;
    for (QWidget* w : dialog->findChildren<QWidget*>())
        if (w->window() == dialog) w->setProperty(ENTWURF, imDialog(w, dialog));
}

void ordneTabFolge(QDialog* dialog) {
    if (!dialog) return;
    std::vector<Stueck> stuecke;
    std::vector<Stueck> verborgen;
    std::vector<QWidget*> teile;
    QWidget* ok = nullptr;
    QWidget* abbruch = nullptr;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (w->window() != dialog) continue;
        const bool sichtbar = w->isVisibleTo(dialog);
        if (w->focusPolicy() == Qt::NoFocus) {
            // A label fills its place, so that no strip is seen through a caption.
            if (sichtbar && qobject_cast<QLabel*>(w)) stuecke.push_back({platz(w, dialog), nullptr});
            continue;
        }
        if (teilEinerSteuerung(w, dialog)) {
            teile.push_back(w);
            continue;
        }
        if (w->objectName() == QLatin1String("id1"))
            ok = w;
        else if (w->objectName() == QLatin1String("id2"))
            abbruch = w;
        else
            (sichtbar ? stuecke : verborgen).push_back({platz(w, dialog), w});
    }

    std::vector<QWidget*> folge;
    lies(std::move(stuecke), folge);
    std::stable_sort(verborgen.begin(), verborgen.end(), [](const Stueck& a, const Stueck& b) {
        return std::make_pair(a.r.top(), a.r.left()) < std::make_pair(b.r.top(), b.r.left());
    });
    for (const Stueck& s : verborgen) folge.push_back(s.steuerung);
    knoepfeHinterIhreFelder(folge);
    for (QWidget* k : {ok, abbruch})
        if (k) folge.push_back(k);

    setzeHaltDerGruppen(dialog);
    if (folge.empty()) return;
    // The chain starts right after the dialog itself, so that the dialog opens on its first control.
    // Qt chains only widgets that take the focus; the dialog does for this one step.
    const Qt::FocusPolicy eigene = dialog->focusPolicy();
    dialog->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(dialog, folge.front());
    dialog->setFocusPolicy(eigene);
    for (std::size_t i = 1; i < folge.size(); ++i) QWidget::setTabOrder(folge[i - 1], folge[i]);
    teileHinterIhreSteuerung(teile, folge);
}
