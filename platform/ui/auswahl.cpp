#include "platform/ui/auswahl.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace {

// The room the style leaves for the entry's text in a box drawn with `o`: its edit field, less the
// pixel the label keeps free on either side and the chosen entry's icon.
int textPlatz(const QComboBox* auswahl, const QStyleOptionComboBox& o) {
    const QRect feld = auswahl->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, auswahl);
    int platz = feld.width() - 2;
    if (!o.currentIcon.isNull()) platz -= o.iconSize.width() + 4;
    return std::max(0, platz);
}

// QComboBox::initStyleOption is protected; the box's own option is what the style draws with.
class OptionDerAuswahl : public QComboBox {
public:
    static void fuelle(const QComboBox* auswahl, QStyleOptionComboBox* o) {
        (auswahl->*&OptionDerAuswahl::initStyleOption)(o);
    }
};

}  // namespace

QSize auswahlGroesse(const QComboBox* auswahl, int textBreite) {
    QStyleOptionComboBox o;
    OptionDerAuswahl::fuelle(auswahl, &o);
    const QFontMetrics fm(auswahl->font());
    QSize groesse = auswahl->style()->sizeFromContents(QStyle::CT_ComboBox, &o, QSize(textBreite, fm.height()),
                                                       auswahl);
    // What the style asks for is not always the room it then leaves the text: a box of that size
    // is widened by what is still missing.
    for (int i = 0; i < 4; ++i) {
        o.rect = QRect(QPoint(0, 0), groesse);
        const int fehlt = textBreite - textPlatz(auswahl, o);
        if (fehlt <= 0) break;
        groesse.rwidth() += fehlt;
    }
    return groesse;
}

TAuswahl::TAuswahl(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentTextChanged, this, &TAuswahl::passeTippAn);
}

QString TAuswahl::gezeigterText() const {
    QStyleOptionComboBox o;
    initStyleOption(&o);
    return gezeigterText(o);
}

QString TAuswahl::gezeigterText(const QStyleOptionComboBox& o) const {
    if (isEditable()) return o.currentText;
    return fontMetrics().elidedText(o.currentText, Qt::ElideRight, textPlatz(this, o));
}

void TAuswahl::paintEvent(QPaintEvent*) {
    // As QComboBox draws itself, with the entry's text shortened to the room it has.
    QStylePainter p(this);
    p.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox o;
    initStyleOption(&o);
    p.drawComplexControl(QStyle::CC_ComboBox, o);
    if (currentIndex() < 0 && !placeholderText().isEmpty()) {
        o.palette.setBrush(QPalette::ButtonText, o.palette.placeholderText());
        o.currentText = placeholderText();
    }
    o.currentText = gezeigterText(o);
    p.drawControl(QStyle::CE_ComboBoxLabel, o);
}

void TAuswahl::resizeEvent(QResizeEvent* e) {
    QComboBox::resizeEvent(e);
    passeTippAn();
}

void TAuswahl::changeEvent(QEvent* e) {
    QComboBox::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) passeTippAn();
}

void TAuswahl::passeTippAn() {
    const QString ganz = currentText();
    setToolTip(!isEditable() && gezeigterText() != ganz ? ganz : QString());
}
