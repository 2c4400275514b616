#include "platform/ui/zeilenhoehe.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QPointer>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Capitals with marks above them, and letters that reach below the baseline.
const QString& hoheUndTiefeZeichen() {
    static const QString zeichen = QStringLiteral("ÄÖÜÅÉÈÊÂÎÔŠŽČŘĚŁÇgjpqyÿ");
    return zeichen;
}

// Wraps a view's own delegate: it draws and edits as before, only its rows are at least
// zeilenHoehe() high.
class TZeilenPlatz : public QAbstractItemDelegate {
public:
    TZeilenPlatz(QAbstractItemDelegate* innen, QAbstractItemView* liste)
        : QAbstractItemDelegate(liste), k_innen(innen), k_liste(liste) {
        k_innen->setParent(this);
        connect(k_innen, &QAbstractItemDelegate::commitData, this, &QAbstractItemDelegate::commitData);
        connect(k_innen, &QAbstractItemDelegate::closeEditor, this, &QAbstractItemDelegate::closeEditor);
        connect(k_innen, &QAbstractItemDelegate::sizeHintChanged, this, &QAbstractItemDelegate::sizeHintChanged);
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        k_innen->paint(p, option, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = k_innen->sizeHint(option, index);
        s.setHeight(std::max(s.height(), hoehe(option.font)));
        return s;
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        return k_innen->createEditor(parent, option, index);
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        k_innen->destroyEditor(editor, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        k_innen->setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        k_innen->setModelData(editor, model, index);
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override {
        k_innen->updateEditorGeometry(editor, option, index);
    }
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        return k_innen->editorEvent(event, model, option, index);
    }
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        return k_innen->helpEvent(event, view, option, index);
    }
    QList<int> paintingRoles() const override { return k_innen->paintingRoles(); }

private:
    // A list of many rows asks for every row's size: the height is worked out once per font.
    int hoehe(const QFont& schrift) const {
        if (k_hoehe < 0 || schrift != k_schrift) {
            k_schrift = schrift;
            k_hoehe = zeilenHoehe(k_liste, schrift);
        }
        return k_hoehe;
    }

    QAbstractItemDelegate* k_innen;
    QPointer<QAbstractItemView> k_liste;
    mutable QFont k_schrift;
    mutable int k_hoehe = -1;
};

}  // namespace

int zeilenHoehe(const QWidget* liste, const QFont& schrift) {
    const QFontMetrics fm(schrift);
    const QStyle* stil = liste ? liste->style() : nullptr;
    const int rand = stil ? stil->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, liste) : 2;
    // How far the ink of marked capitals and of descenders reaches beyond the font's line.
    const QRect tinte = fm.boundingRect(hoheUndTiefeZeichen());
    const int ueberstand = std::max({0, -tinte.top() - fm.ascent(), tinte.bottom() + 1 - fm.descent()});
    // A row's text is centred in it: the margin above and below must hold what reaches beyond.
    return fm.height() + 2 * std::max(rand, ueberstand);
}

void gibZeilenPlatz(QAbstractItemView* liste) {
    if (!liste) return;
    QAbstractItemDelegate* innen = liste->itemDelegate();
    if (dynamic_cast<TZeilenPlatz*>(innen)) return;
    if (!innen) innen = new QStyledItemDelegate(liste);
    liste->setItemDelegate(new TZeilenPlatz(innen, liste));
}

void gibZeilenPlatz(QComboBox* auswahl) {
    if (auswahl) gibZeilenPlatz(auswahl->view());
}
