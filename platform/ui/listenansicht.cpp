#include "platform/ui/listenansicht.h"

#include <QHeaderView>

#include <algorithm>

int ZeilenModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : k_anzahl; }

int ZeilenModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : k_titel.size(); }

QVariant ZeilenModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return QVariant();
    const QStringList* z = zeile(index.row());
    if (!z) return QString();
    return index.column() < z->size() ? (*z)[index.column()] : QString();
}

const QStringList* ZeilenModell::zeile(int r) const {
    if (r < 0 || r >= k_anzahl) return nullptr;
    std::optional<QStringList>& z = k_zeilen[static_cast<std::size_t>(r)];
    if (!z) {
        if (!k_bauer || (k_gueltig && !k_gueltig())) return nullptr;
        z = k_bauer(r);
    }
    return &*z;
}

QVariant ZeilenModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < k_titel.size()) return k_titel[section];
    return QVariant();
}

void ZeilenModell::setSpalten(const QStringList& titel) {
    beginResetModel();
    k_titel = titel;
    endResetModel();
}

void ZeilenModell::setZeilen(std::vector<QStringList> zeilen) {
    beginResetModel();
    k_anzahl = static_cast<int>(zeilen.size());
    k_bauer = nullptr;
    k_gueltig = nullptr;
    k_zeilen.assign(zeilen.size(), std::nullopt);
    for (std::size_t i = 0; i < zeilen.size(); ++i) k_zeilen[i] = std::move(zeilen[i]);
    endResetModel();
}

void ZeilenModell::setZeilen(int anzahl, ZeilenBauer bauer, std::function<bool()> gueltig) {
    beginResetModel();
    k_anzahl = std::max(0, anzahl);
    k_bauer = std::move(bauer);
    k_gueltig = std::move(gueltig);
    k_zeilen.assign(static_cast<std::size_t>(k_anzahl), std::nullopt);
    endResetModel();
}

TListenAnsicht::TListenAnsicht(QWidget* parent, int id)
    : NurMarkierteZeilen<QTreeView>(parent), k_modell(new ZeilenModell(this)) {
    setObjectName(QString("id%1").arg(id));
    setModel(k_modell);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(false);
    header()->setStretchLastSection(false);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
}

void TListenAnsicht::setSpalten(const std::vector<std::pair<QString, int>>& spalten) {
    k_spalten = spalten;
    QStringList titel;
    for (const auto& s : spalten) titel << s.first;
    k_modell->setSpalten(titel);
    setzeSpaltenBreiten();
}

void TListenAnsicht::setzeSpaltenBreiten() {
    // The widths given are minimums: a column is as wide as its heading needs at the header's font.
    for (std::size_t i = 0; i < k_spalten.size(); ++i) {
        const int spalte = static_cast<int>(i);
        setColumnWidth(spalte, std::max(k_spalten[i].second, header()->sectionSizeHint(spalte)));
    }
}

void TListenAnsicht::addSpalte(const QString& titel, int breite) {
    auto spalten = k_spalten;
    spalten.emplace_back(titel, breite);
    setSpalten(spalten);
}

void TListenAnsicht::setZeilen(std::vector<QStringList> zeilen) {
    k_modell->setZeilen(std::move(zeilen));
    setzeSpaltenBreiten();
}

void TListenAnsicht::setZeilen(int anzahl, ZeilenBauer bauer, std::function<bool()> gueltig) {
    k_modell->setZeilen(anzahl, std::move(bauer), std::move(gueltig));
    setzeSpaltenBreiten();
}

int TListenAnsicht::anzahlZeilen() const { return k_modell->rowCount(); }
int TListenAnsicht::anzahlSpalten() const { return k_modell->columnCount(); }

QString TListenAnsicht::text(int zeile, int spalte) const {
    if (zeile < 0 || zeile >= anzahlZeilen()) return QString();
    const QStringList* z = k_modell->zeile(zeile);
    return z && spalte >= 0 && spalte < z->size() ? (*z)[spalte] : QString();
}

QString TListenAnsicht::spaltenTitel(int spalte) const {
    return k_modell->headerData(spalte, Qt::Horizontal, Qt::DisplayRole).toString();
}

void TListenAnsicht::setFokusZeile(int zeile) {
    if (zeile < 0 || zeile >= anzahlZeilen()) {
        selectionModel()->clear();
        return;
    }
    selectionModel()->setCurrentIndex(k_modell->index(zeile, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
