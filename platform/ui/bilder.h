#pragma once
// The program's pictures by resource number: the start picture, the tool bar bitmaps and the
// program icon, compiled in from resources/orvask.qrc.

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <vector>

enum BildNummer : int {
    BILD_BEENDEN = 22,             // command 2
    BILD_AENDERN = 24,             // command 4
    BILD_EXPORTIEREN = 25,         // command 14
    BILD_LOESCHEN = 26,            // command 5
    BILD_STUNDENPLAN = 27,         // command 12
    BILD_VERTRETUNGSPLAN = 28,     // command 13
    BILD_WIEDERHERSTELLEN = 29,    // command 10
    BILD_ARCHIVIEREN = 30,         // command 11
    BILD_HILFE = 31,               // command 9
    BILD_NEU = 32,                 // command 3
    BILD_PROGRAMMSYMBOL = 40,
    BILD_STARTBILD = 50,
};

// Resource path of the picture (for the icon: its 48-pixel size); empty for an unknown number.
QString bildPfad(int id);
// The picture; a null pixmap for an unknown number. Tool bar bitmaps are 24 x 24, the start
// picture 400 x 300, the icon 48 x 48. (The resources register themselves on first use.)
QPixmap bitmap(int id);
// The picture as an icon, with every size there is (the program icon from 16 to 256 pixels);
// a null icon for an unknown number.
QIcon icon(int id);
// Every number above, in ascending order.
std::vector<int> alleBildNummern();
