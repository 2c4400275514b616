// The week grid of the timetable tab: one push-like radio button per (day,
// lesson) that shows a text and remembers one appointment of each kind.
#pragma once

#include <QScrollArea>
#include <QString>

#include <array>

class QPushButton;
class QLabel;
class c_Einzeltermin;
class c_Dauertermin;
class c_Vertretungstermin;

class TStundenplanMatrix : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int MAX_TAGE = 6;
    static constexpr int MAX_STUNDEN = 12;
    static constexpr int ZELLE_B = 80;
    static constexpr int ZELLE_H = 40;

    TStundenplanMatrix(QWidget* parent, int tage, int stunden, int x, int y);

    void setEinzeltermin(c_Einzeltermin* t, int tag, int stunde);
    void setDauertermin(c_Dauertermin* t, int tag, int stunde);
    void setVertretungstermin(c_Vertretungstermin* t, int tag, int stunde);
    c_Einzeltermin* getEinzeltermin(int tag, int stunde) const;
    c_Dauertermin* getDauertermin(int tag, int stunde) const;
    c_Vertretungstermin* getVertretungstermin(int tag, int stunde) const;
    bool isMarkiert(int tag, int stunde) const;
    void setZelltext(const QString& text, int tag, int stunde);
    QString getZelltext(int tag, int stunde) const;
    void clearMarkierung();
    void clearZellen();
    void setSchrift(const QFont& schrift);
    c_Einzeltermin* getMarkiertenEinzeltermin() const;
    c_Dauertermin* getMarkiertenDauertermin() const;
    c_Vertretungstermin* getMarkiertenVertretungstermin() const;
    void resize(int tage, int stunden);

    int getTage() const { return k_tage; }
    int getStunden() const { return k_stunden; }
    // Size of a cell: 80 x 40 pixels, or more where the font needs it: a day's column is as
    // wide as its name and the widest line of its shown cells, a row as high as three lines.
    int zellenBreite(int tag) const { return tag >= 1 && tag <= MAX_TAGE ? k_spaltenBreiten[tag] : 0; }
    int zellenHoehe() const { return k_zellenHoehe; }
    // The button of a cell (for tests), or null outside the capacity.
    QPushButton* zelle(int tag, int stunde) const;

private:
    static bool imRaster(int tag, int stunde) {
        return tag >= 1 && tag <= MAX_TAGE && stunde >= 1 && stunde <= MAX_STUNDEN;
    }
    // The first marked cell, or false when none is marked.
    bool markierteZelle(int* tag, int* stunde) const;
    // Cell sizes and positions from the current font and texts.
    void ordneAn();
    // The width the column of a day needs for its name and the texts of its shown cells.
    int spaltenBedarf(int tag) const;
    // The width the text of one cell needs.
    int zellenBedarf(int tag, int stunde) const;
    // Sets a cell's text without laying the grid out again.
    void schreibeZelle(const QString& text, int tag, int stunde);

    int k_maxTage = MAX_TAGE;
    int k_maxStunden = MAX_STUNDEN;
    int k_tage;
    int k_stunden;
    std::array<int, MAX_TAGE + 1> k_spaltenBreiten{};
    int k_zellenHoehe = ZELLE_H;
    int k_kopfHoehe = ZELLE_H / 2;  // the row of day names
    QWidget* k_flaeche;
    std::array<std::array<QPushButton*, MAX_STUNDEN + 1>, MAX_TAGE + 1> k_zellen{};
    std::array<std::array<c_Einzeltermin*, MAX_STUNDEN + 1>, MAX_TAGE + 1> k_einzeltermine{};
    std::array<std::array<c_Dauertermin*, MAX_STUNDEN + 1>, MAX_TAGE + 1> k_dauertermine{};
    std::array<std::array<c_Vertretungstermin*, MAX_STUNDEN + 1>, MAX_TAGE + 1> k_vertretungstermine{};
    std::array<QLabel*, MAX_TAGE + 1> k_tagLabels{};
};
