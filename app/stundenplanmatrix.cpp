#include "app/stundenplanmatrix.h"

#include <QLabel>
#include <QPushButton>

namespace {
const char* const kTagNamen[7] = {"", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
}

TStundenplanMatrix::TStundenplanMatrix(QWidget* parent, int tage, int stunden, int x, int y)
    : QScrollArea(parent), k_tage(tage), k_stunden(stunden) {
    setObjectName("id900");
    setGeometry(x, y, 480, 280);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(false);
    k_flaeche = new QWidget;
    k_flaeche->setFixedSize(MAX_TAGE * ZELLE_B, MAX_STUNDEN * ZELLE_H + ZELLE_H / 2);
    for (int d = 1; d <= MAX_TAGE; ++d) {
        auto* label = new QLabel(kTagNamen[d], k_flaeche);
        label->setGeometry((d - 1) * ZELLE_B, 0, ZELLE_B, 20);
        label->setAlignment(Qt::AlignCenter);
        k_tagLabels[d] = label;
        for (int l = 1; l <= MAX_STUNDEN; ++l) {
            auto* b = new QPushButton(k_flaeche);
            b->setObjectName(QString("zelle_%1_%2").arg(d).arg(l));
            b->setGeometry((d - 1) * ZELLE_B, l * ZELLE_H - 20, ZELLE_B, ZELLE_H);
            b->setCheckable(true);
            b->setAutoExclusive(true);
            b->setFlat(true);
            b->setStyleSheet("QPushButton { border: 1px solid #b0b0b0; background: white; padding: 1px; }"
                             "QPushButton:checked { background: #c8dcf0; border: 2px solid #3070b0; }");
            k_zellen[d][l] = b;
        }
    }
    setWidget(k_flaeche);
    resize(tage, stunden);
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
    if (imRaster(tag, stunde)) k_zellen[tag][stunde]->setText(text);
}

QString TStundenplanMatrix::getZelltext(int tag, int stunde) const {
    return imRaster(tag, stunde) ? k_zellen[tag][stunde]->text() : QString();
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
            k_zellen[d][l]->setText(QString());
            k_einzeltermine[d][l] = nullptr;
            k_dauertermine[d][l] = nullptr;
            k_vertretungstermine[d][l] = nullptr;
        }
}

void TStundenplanMatrix::setSchrift(const QFont& schrift) {
    for (int d = 1; d <= MAX_TAGE; ++d) {
        k_tagLabels[d]->setFont(schrift);
        for (int l = 1; l <= MAX_STUNDEN; ++l) k_zellen[d][l]->setFont(schrift);
    }
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
    k_flaeche->setFixedSize(k_tage * ZELLE_B, k_stunden * ZELLE_H + ZELLE_H / 2 + 2);
}
