#pragma once
// Room for a window's title. The window manager draws the title in a bold face between the
// frame's icon and its buttons and cuts what does not fit ("Information ü…das Programm"), so a
// window is made at least as wide as its title needs; its controls keep their places.
//
// Header only: the import plug-in, which links none of the program's libraries, uses it too.

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QString>

#include <algorithm>

// The width a window needs for the whole of `titel`: the title in the application's font made
// bold (as window managers draw it), and the frame's icon and three buttons, each about a line
// high, with the margins between and around them.
inline int titelBreite(const QString& titel)
{
    QFont schrift = QApplication::font();
    schrift.setBold(true);
    const QFontMetrics fm(schrift);
    return fm.horizontalAdvance(titel) + 8 * fm.height() + 20;
}

// The title a window shows: its own, or, where that is empty, the application's name, which Qt
// gives the window manager in its place.
inline QString gezeigterTitel(const QWidget* fenster)
{
    const QString titel = fenster->windowTitle();
    return titel.isEmpty() ? QGuiApplication::applicationDisplayName() : titel;
}

// A message box sizes itself when it is shown, from its layout: a spacer of the shown title's width in
// its grid makes it that wide at least. Call it when the box is otherwise complete (setting an
// icon or a text may build its grid anew).
inline void gibTitelPlatz(QMessageBox* box)
{
    auto* gitter = qobject_cast<QGridLayout*>(box->layout());
    if (!gitter)
        return;
    gitter->addItem(new QSpacerItem(titelBreite(gezeigterTitel(box)), 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                    0, 0, 1, std::max(1, gitter->columnCount()));
}

// A dialog narrower than its shown title needs is widened; a dialog of fixed size keeps its height.
inline void gibTitelPlatz(QDialog* dialog)
{
    const int noetig = titelBreite(gezeigterTitel(dialog));
    if (dialog->minimumWidth() >= noetig)
        return;
    if (dialog->minimumWidth() == dialog->maximumWidth())
        dialog->setFixedWidth(noetig);
    else
        dialog->setMinimumWidth(noetig);
}
