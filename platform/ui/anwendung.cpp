#include "platform/ui/anwendung.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString uebersetzungsOrdner()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool installiereDeutscheUebersetzung(QCoreApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString name = QStringLiteral("qtbase_de");
    if (app.findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return true; // installed before
    auto* uebersetzer = new QTranslator(&app);
    uebersetzer->setObjectName(name);
    if (!uebersetzer->load(name, uebersetzungsOrdner())) {
        delete uebersetzer;
        return false;
    }
    if (!QCoreApplication::installTranslator(uebersetzer)) {
        delete uebersetzer;
        return false;
    }
    return true;
}
