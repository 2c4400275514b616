// Room for the rows of a list. Qt makes a row of a list view exactly as high as the font's line
// (ascent and descent), but the dots and the háček of accented capitals (Ä, Ö, Ü, Š) reach above
// the ascent in many fonts, and a row of that height cuts them off: "Öztürk" reads "Oztürk". So
// every list of the program gives its rows the font's full height with the style's margin above
// and below it, and at least as much as the ink of such capitals and of descenders needs.
#pragma once

class QAbstractItemView;
class QComboBox;
class QFont;
class QWidget;

// The least height of a list row of `liste` in `schrift`.
int zeilenHoehe(const QWidget* liste, const QFont& schrift);

// Makes every row of `liste` at least that high; the list draws its rows as before. Call it
// once, after the list's own item delegate is set.
void gibZeilenPlatz(QAbstractItemView* liste);
// The same for the drop-down list of a combo box.
void gibZeilenPlatz(QComboBox* auswahl);
