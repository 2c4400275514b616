#include "platform/ui/dialogtasten.h"

#include "platform/ui/tabfolge.h"
#include "platform/ui/titelbreite.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVariant>

namespace {

bool istEnter(const QEvent* e) {
    if (e->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<const QKeyEvent*>(e);
    const Qt::KeyboardModifiers m = k->modifiers() & ~Qt::KeypadModifier;
    return m == Qt::NoModifier && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter);
}

class TDialogTasten : public QObject {
public:
    explicit TDialogTasten(QDialog* dialog) : QObject(dialog), k_dialog(dialog) { dialog->installEventFilter(this); }

    bool eventFilter(QObject* ziel, QEvent* e) override {
        if (ziel != k_dialog) return false;
        if (e->type() == QEvent::Show && !k_eingerichtet) {
            richteKnoepfeEin();
            ordneTabFolge(k_dialog);
            gibTitelPlatz(k_dialog);
        }
        if (!istEnter(e)) return false;
        // A focused push button presses itself; Enter that reaches the dialog came from any
        // other control and goes to the default button.
        if (k_standard && k_standard->isVisible() && k_standard->isEnabled()) k_standard->click();
        e->accept();
        return true;
    }

private:
    // On the first show, before the dialog picks a default of its own: every push button
    // presses itself on Enter, and the default is the one made default, else id 1.
    void richteKnoepfeEin() {
        k_eingerichtet = true;
        QPushButton* standard = nullptr;
        QPushButton* eins = nullptr;
        for (QPushButton* k : k_dialog->findChildren<QPushButton*>()) {
            if (k->window() != k_dialog) continue;
            k->setAutoDefault(true);
            if (k->isDefault() && !standard) standard = k;
            if (k->objectName() == QLatin1String("id1")) eins = k;
        }
        if (!standard && eins) {
            eins->setDefault(true);
            standard = eins;
        }
        k_standard = standard;
    }

    QDialog* k_dialog;
    QPointer<QPushButton> k_standard;
    bool k_eingerichtet = false;
};

class TEnterKnopf : public QObject {
public:
    TEnterKnopf(QLineEdit* feld, QAbstractButton* knopf) : QObject(feld), k_knopf(knopf) { feld->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* e) override {
        if (!istEnter(e)) return false;
        if (k_knopf && k_knopf->isEnabled()) k_knopf->click();
        e->accept();
        return true;
    }

    QAbstractButton* knopf() const { return k_knopf; }

private:
    QPointer<QAbstractButton> k_knopf;
};

}  // namespace

void richteTastenEin(QDialog* dialog) {
    static const char* const MERKMAL = "orvaskDialogTasten";
    if (!dialog || dialog->property(MERKMAL).toBool()) return;
    dialog->setProperty(MERKMAL, true);
    new TDialogTasten(dialog);
}

void enterDrueckt(QLineEdit* feld, QAbstractButton* knopf) {
    if (feld && knopf) new TEnterKnopf(feld, knopf);
}

QAbstractButton* enterKnopf(const QLineEdit* feld) {
    if (!feld) return nullptr;
    for (const QObject* kind : feld->children())
        if (const auto* t = dynamic_cast<const TEnterKnopf*>(kind)) return t->knopf();
    return nullptr;
}
