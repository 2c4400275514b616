// A closed choice whose chosen entry never reads cut off. The style draws the entry of a combo box
// clipped at the box's text room, so a long name loses its end without a sign ("10a Abschlus").
// This box draws an entry that does not fit shortened with "…" and makes the whole entry its tool
// tip; its open list shows every entry whole as before.
#pragma once

#include <QComboBox>
#include <QSize>

class QStyleOptionComboBox;

// The size a combo box needs to show a text `textBreite` pixels wide whole at its font: the style's
// frame, margins and arrow included.
QSize auswahlGroesse(const QComboBox* auswahl, int textBreite);

class TAuswahl : public QComboBox {
    Q_OBJECT
public:
    explicit TAuswahl(QWidget* parent = nullptr);

    // The chosen entry as the closed box shows it: whole where it fits, else shortened with "…".
    QString gezeigterText() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QString gezeigterText(const QStyleOptionComboBox& o) const;
    // The tool tip is the whole entry while the box shows it shortened, else none.
    void passeTippAn();
};
