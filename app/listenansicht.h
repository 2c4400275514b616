// A report-style list view: columns with headings and widths, rows of texts.
// Row r always stands for the record at position r + 1 of the list it shows.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include "platform/ui/listenmarkierung.h"

#include <QTreeView>

#include <vector>

class ZeilenModell : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setSpalten(const QStringList& titel);
    void setZeilen(std::vector<QStringList> zeilen);
    const QStringList& zeile(int r) const { return k_zeilen[static_cast<std::size_t>(r)]; }

private:
    QStringList k_titel;
    std::vector<QStringList> k_zeilen;
};

class TListenAnsicht : public NurMarkierteZeilen<QTreeView> {
    Q_OBJECT
public:
    TListenAnsicht(QWidget* parent, int id);

    // Replaces the columns (heading, least width in pixels: a column is as wide as its heading needs).
    void setSpalten(const std::vector<std::pair<QString, int>>& spalten);
    void addSpalte(const QString& titel, int breite);
    // Replaces every row; no row is marked afterwards.
    void setZeilen(std::vector<QStringList> zeilen);
    void clearZeilen() { setZeilen({}); }

    int anzahlZeilen() const;
    int anzahlSpalten() const;
    QString text(int zeile, int spalte) const;
    QString spaltenTitel(int spalte) const;
    // The row the user marked (from 0), or -1 when none is.
    int fokusZeile() const { return markierteZeile(); }
    // Marks the row as a click would; a row outside the list marks none.
    void setFokusZeile(int zeile);

private:
    // Gives every column its width, widened where the heading needs more.
    void setzeSpaltenBreiten();

    ZeilenModell* k_modell;
    std::vector<std::pair<QString, int>> k_spalten;
};
