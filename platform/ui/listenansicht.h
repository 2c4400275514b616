// A report-style list view: columns with headings and widths, rows of texts.
// Row r always stands for the record at position r + 1 of the list it shows.
#pragma once

#include "platform/ui/listenmarkierung.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QTreeView>

#include <functional>
#include <optional>
#include <vector>

// Builds the texts of row r (from 0) of a list, from its record.
using ZeilenBauer = std::function<QStringList(int)>;

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
    // `anzahl` rows whose texts `bauer` builds when a row is first shown, as long as `gueltig`
    // holds (the records behind the rows are still those the list was filled from).
    void setZeilen(int anzahl, ZeilenBauer bauer, std::function<bool()> gueltig);
    // The texts of row r; null while a row not yet built cannot be built (no longer valid).
    const QStringList* zeile(int r) const;

private:
    QStringList k_titel;
    int k_anzahl = 0;
    ZeilenBauer k_bauer;
    std::function<bool()> k_gueltig;
    mutable std::vector<std::optional<QStringList>> k_zeilen;
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
    // The same for `anzahl` rows that are built when first shown, only while `gueltig` holds:
    // a row of records that changed since is shown empty until the list is filled again, never
    // from records that may be gone.
    void setZeilen(int anzahl, ZeilenBauer bauer, std::function<bool()> gueltig);
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
