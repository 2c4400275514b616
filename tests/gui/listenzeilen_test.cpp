// The rows of every kind of list hold the whole of their text: the dots and the háček of
// accented capitals (Ö, Ä, Ü, Š) reach above the font's ascent and must not be cut off.

#include "dialogs/ui/formulardialog.h"
#include "platform/ui/listenansicht.h"
#include "tests/gui/modal_hilfe.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QListWidget>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QStringList kNamen = {QStringLiteral("Öztürk"), QStringLiteral("Özdemir"), QStringLiteral("Ökologie"),
                            QStringLiteral("Šimek"),  QStringLiteral("Ärger"),   QStringLiteral("Ünal")};

// A dialog that makes its list box and its combo box as the record dialogs make theirs.
class TListenDialog : public TFormularDialog {
public:
    TListenDialog() : TFormularDialog(nullptr, 999, nullptr, nullptr, 0) {}
    void setupFenster() override {}
    using TFormularDialog::auswahl;
    using TFormularDialog::mehrfachListe;
};

bool istTinte(QRgb p) { return qGray(p) < 160; }

// The first and the last pixel line of `bereich` in `bild` that hold ink; -1 where none does.
std::pair<int, int> tintenZeilen(const QImage& bild, const QRect& bereich) {
    int oben = -1, unten = -1;
    for (int y = bereich.top(); y <= bereich.bottom(); ++y)
        for (int x = bereich.left(); x <= bereich.right(); ++x)
            if (istTinte(bild.pixel(x, y))) {
                if (oben < 0) oben = y;
                unten = y;
                break;
            }
    return {oben, unten};
}

// How many pixel lines the ink of `text` spans when drawn whole, black on white, in `schrift`.
int ganzeTintenHoehe(const QString& text, const QFont& schrift) {
    const QFontMetrics fm(schrift);
    QImage bild(fm.horizontalAdvance(text) + 20, 4 * fm.height(), QImage::Format_RGB32);
    bild.fill(Qt::white);
    {
        QPainter p(&bild);
        p.setFont(schrift);
        p.setPen(Qt::black);
        p.drawText(10, 2 * fm.height(), text);
    }
    const auto [oben, unten] = tintenZeilen(bild, bild.rect());
    return unten - oben + 1;
}

}  // namespace

TEST(ListenZeilen, AkzenteDerGrossbuchstabenBleibenGanz) {
    // The main window's lists.
    TListenAnsicht hauptliste(nullptr, 103);
    hauptliste.setSpalten({{QStringLiteral("Name:"), 120}});
    std::vector<QStringList> zeilen;
    for (const QString& n : kNamen) zeilen.push_back({n});
    hauptliste.setZeilen(zeilen);
    hauptliste.resize(200, 300);
    hauptliste.show();

    // A dialog's list box and combo box.
    TListenDialog dialog;
    QListWidget* feld = dialog.mehrfachListe(1001, 150, 300);
    feld->addItems(kNamen);
    QComboBox* auswahl = dialog.auswahl(1002, 150);
    auswahl->addItems(kNamen);
    auswahl->move(0, 310);
    auswahl->setCurrentIndex(-1);  // no row of the drop-down list drawn as marked
    dialog.resize(200, 350);
    dialog.show();
    QApplication::processEvents();
    auswahl->showPopup();
    QApplication::processEvents();

    struct Fall {
        const char* bild;
        QAbstractItemView* liste;
    };
    const Fall faelle[] = {
        {"zeilen-hauptliste", &hauptliste},
        {"zeilen-dialogliste", feld},
        {"zeilen-auswahlliste", auswahl->view()},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.bild);
        QAbstractItemView* liste = f.liste;
        ASSERT_TRUE(liste->isVisible());
        const QImage bild = liste->viewport()->grab().toImage();
        ASSERT_EQ(bild.size(), liste->viewport()->size());
        EXPECT_TRUE(bild.save(bildschirmfotoOrdner() + QLatin1Char('/') + QLatin1String(f.bild) + QStringLiteral(".png")));
        const QFontMetrics fm(liste->font());
        for (int r = 0; r < kNamen.size(); ++r) {
            const QString name = kNamen[r];
            SCOPED_TRACE(name.toStdString());
            // The row, as far as the list shows it across.
            const QRect zeile = liste->visualRect(liste->model()->index(r, 0)).intersected(bild.rect());
            ASSERT_EQ(zeile.height(), liste->visualRect(liste->model()->index(r, 0)).height());
            EXPECT_GE(zeile.height(), fm.height());
            // The text's ink lies inside its row, clear of both edges, and none of it is missing.
            const auto [oben, unten] = tintenZeilen(bild, zeile);
            ASSERT_GE(oben, 0);
            EXPECT_GT(oben, zeile.top());
            EXPECT_LT(unten, zeile.bottom());
            EXPECT_GE(unten - oben + 1, ganzeTintenHoehe(name, liste->font()));
        }
    }
    auswahl->hidePopup();
}
