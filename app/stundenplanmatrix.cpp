#include "app/stundenplanmatrix.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
const char* const kTagNamen[7] = {"", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
// The full text of a cell; the button shows it without the line end the texts close with.
const char* const kZelltext = "zelltext";
// Border and padding of a cell, marked or not (the style sheet below), on both sides.
constexpr int kZellenRand = 2 * (2 + 1) + 2;
}

TStundenplanMatrix::TStundenplanMatrix(QWidget* parent, int tage, int stunden, int x, int y)
    : QScrollArea(parent), k_tage(tage), k_stunden(stunden) {
    setObjectName("id900");
    setGeometry(x, y, 480, 280);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(false);
    k_flaeche = new QWidget;
    for (int d = 1; d <= MAX_TAGE; ++d) {
        auto* label = new QLabel(kTagNamen[d], k_flaeche);
        label->setAlignment(Qt::AlignCenter);
        k_tagLabels[d] = label;
        for (int l = 1; l <= MAX_STUNDEN; ++l) {
            auto* b = new QPushButton(k_flaeche);
            b->setObjectName(QString("zelle_%1_%2").arg(d).arg(l));
            b->setCheckable(true);
            b->setAutoExclusive(true);
            b->setFlat(true);
            b->setStyleSheet("QPushButton { border: 1px solid #b0b0b0; background: white; padding: 1px; }"
                             "QPushButton:checked { background: #c8dcf0; border: 2px solid #3070b0; }");
            k_zellen[d][l] = b;
        }
    }
    setWidget(k_flaeche);
    ordneAn();
    resize(tage, stunden);
}

void TStundenplanMatrix::ordneAn() {
    // 80 x 40 as laid out for the original font; each day's column wider for its name and the
    // widest line of its cells, every row taller for three whole lines where the font needs it.
    // The day names keep their row on top; the scroll area shows what the window has no room for.
    const QFontMetrics fm(k_zellen[1][1]->font());
    const QFontMetrics fmTag(k_tagLabels[1]->font());
    k_zellenHoehe = std::max(ZELLE_H, 3 * fm.lineSpacing() + kZellenRand);
    k_kopfHoehe = std::max(ZELLE_H / 2, fmTag.height() + 2);
    int x = 0, breite = 0;
    for (int d = 1; d <= MAX_TAGE; ++d) {
        k_spaltenBreiten[d] = spaltenBedarf(d);
        k_tagLabels[d]->setGeometry(x, 0, k_spaltenBreiten[d], k_kopfHoehe);
        for (int l = 1; l <= MAX_STUNDEN; ++l)
            k_zellen[d][l]->setGeometry(x, k_kopfHoehe + (l - 1) * k_zellenHoehe, k_spaltenBreiten[d], k_zellenHoehe);
        x += k_spaltenBreiten[d];
        if (d == k_tage) breite = x;
    }
    k_flaeche->setFixedSize(breite, k_kopfHoehe + k_stunden * k_zellenHoehe + 2);
}

int TStundenplanMatrix::spaltenBedarf(int tag) const {
    int breite = std::max(ZELLE_B, k_tagLabels[tag]->fontMetrics().horizontalAdvance(kTagNamen[tag]) + 6);
    for (int l = 1; l <= k_stunden; ++l) breite = std::max(breite, zellenBedarf(tag, l));
    return breite;
}

int TStundenplanMatrix::zellenBedarf(int tag, int stunde) const {
    const QPushButton* b = k_zellen[tag][stunde];
    if (b->text().isEmpty()) return 0;
    const QFontMetrics fm = b->fontMetrics();
    int breite = 0;
    for (const QString& zeile : b->text().split('\n')) breite = std::max(breite, fm.horizontalAdvance(zeile) + kZellenRand);
    return breite;
}

QPushButton* TStundenplanMatrix::zelle(int tag, int stunde) const {
    return imRaster(tag, stunde) ? k_zellen[tag][stunde] : nullptr;
}

void TStundenplanMatrix::setEinzeltermin(c_Einzeltermin* t, int tag, int stunde) {
    if (imRaster(tag, stunde)) k_einzeltermine[tag][stunde] = t;
}
void TStundenplanMatrix::setDauertermin(c_Dauertermin* t, int tag, int stunde) {
    if (imRaster(tag, stunde)) k_dauertermine[tag][stunde] = t;
}
void TStundenplanMatrix::setVertretungstermin(c_Vertretungstermin* t, int tag, int stunde) {
    if (imRaster(tag, stunde)) k_vertretungstermine[tag][stunde] = t;
}
c_Einzeltermin* TStundenplanMatrix::getEinzeltermin(int tag, int stunde) const {
    return imRaster(tag, stunde) ? k_einzeltermine[tag][stunde] : nullptr;
}
c_Dauertermin* TStundenplanMatrix::getDauertermin(int tag, int stunde) const {
    return imRaster(tag, stunde) ? k_dauertermine[tag][stunde] : nullptr;
}
c_Vertretungstermin* TStundenplanMatrix::getVertretungstermin(int tag, int stunde) const {
    return imRaster(tag, stunde) ? k_vertretungstermine[tag][stunde] : nullptr;
}

bool TStundenplanMatrix::isMarkiert(int tag, int stunde) const {
    return imRaster(tag, stunde) && k_zellen[tag][stunde]->isChecked();
}

void TStundenplanMatrix::setZelltext(const QString& text, int tag, int stunde) {
    if (!imRaster(tag, stunde)) return;
    // A week fills hundreds of cells: only this cell is measured, and the column laid out
    // again when it needs more room than it has, or gave up the text that set its width.
    const int alt = zellenBedarf(tag, stunde);
    schreibeZelle(text, tag, stunde);
    if (stunde > k_stunden) return;  // a hidden cell takes no room
    const int neu = zellenBedarf(tag, stunde);
    if (neu > k_spaltenBreiten[tag] || (neu < alt && alt == k_spaltenBreiten[tag])) ordneAn();
}

void TStundenplanMatrix::schreibeZelle(const QString& text, int tag, int stunde) {
    QPushButton* b = k_zellen[tag][stunde];
    b->setProperty(kZelltext, text);
    // The closing line end would count as a fourth, empty line and push the first one out.
    QString gezeigt = text;
    if (gezeigt.endsWith('\n')) gezeigt.chop(1);
    b->setText(gezeigt);
}

QString TStundenplanMatrix::getZelltext(int tag, int stunde) const {
    return imRaster(tag, stunde) ? k_zellen[tag][stunde]->property(kZelltext).toString() : QString();
}

void TStundenplanMatrix::clearMarkierung() {
    for (int d = 1; d <= MAX_TAGE; ++d)
        for (int l = 1; l <= MAX_STUNDEN; ++l) {
            QPushButton* b = k_zellen[d][l];
            if (!b->isChecked()) continue;
            b->setAutoExclusive(false);
            b->setChecked(false);
            b->setAutoExclusive(true);
        }
}

void TStundenplanMatrix::clearZellen() {
    for (int d = 1; d <= MAX_TAGE; ++d)
        for (int l = 1; l <= MAX_STUNDEN; ++l) {
            schreibeZelle(QString(), d, l);
            k_einzeltermine[d][l] = nullptr;
            k_dauertermine[d][l] = nullptr;
            k_vertretungstermine[d][l] = nullptr;
        }
    ordneAn();
}

void TStundenplanMatrix::setSchrift(const QFont& schrift) {
    for (int d = 1; d <= MAX_TAGE; ++d) {
        k_tagLabels[d]->setFont(schrift);
        for (int l = 1; l <= MAX_STUNDEN; ++l) k_zellen[d][l]->setFont(schrift);
    }
    ordneAn();
}

bool TStundenplanMatrix::markierteZelle(int* tag, int* stunde) const {
    for (int d = 1; d <= MAX_TAGE; ++d)
        for (int l = 1; l <= MAX_STUNDEN; ++l)
            if (k_zellen[d][l]->isChecked()) {
                *tag = d;
                *stunde = l;
                return true;
            }
    return false;
}

c_Einzeltermin* TStundenplanMatrix::getMarkiertenEinzeltermin() const {
    int d, l;
    return markierteZelle(&d, &l) ? k_einzeltermine[d][l] : nullptr;
}
c_Dauertermin* TStundenplanMatrix::getMarkiertenDauertermin() const {
    int d, l;
    return markierteZelle(&d, &l) ? k_dauertermine[d][l] : nullptr;
}
c_Vertretungstermin* TStundenplanMatrix::getMarkiertenVertretungstermin() const {
    int d, l;
    return markierteZelle(&d, &l) ? k_vertretungstermine[d][l] : nullptr;
}

void TStundenplanMatrix::resize(int tage, int stunden) {
    k_tage = std::max(1, std::min(tage, MAX_TAGE));
    k_stunden = std::max(1, std::min(stunden, MAX_STUNDEN));
    for (int d = 1; d <= MAX_TAGE; ++d)
        for (int l = 1; l <= MAX_STUNDEN; ++l) k_zellen[d][l]->setVisible(d <= k_tage && l <= k_stunden);
    k_tagLabels[6]->setVisible(k_tage == 6);
    ordneAn();
}
