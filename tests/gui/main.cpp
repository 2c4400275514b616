// Entry of the window tests: one QApplication for every test, with the German texts the
// program itself uses. Without a display setting the tests draw off screen.

#include "platform/ui/anwendung.h"

#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    if (!installiereDeutscheUebersetzung(app))
        std::fprintf(stderr, "Warnung: Qt-Übersetzung qtbase_de nicht gefunden in %s\n",
                     qPrintable(uebersetzungsOrdner()));
    return RUN_ALL_TESTS();
}
