#include "platform/ui/bilder.h"

#include <QFile>

namespace {

struct Bild {
    int id;
    const char* name; // file name under :/bilder/ without ".png"
};

constexpr Bild k_bilder[] = {
    {BILD_BEENDEN, "beenden"},
    {BILD_AENDERN, "aendern"},
    {BILD_EXPORTIEREN, "exportieren"},
    {BILD_LOESCHEN, "loeschen"},
    {BILD_STUNDENPLAN, "stundenplan"},
    {BILD_VERTRETUNGSPLAN, "vertretungsplan"},
    {BILD_WIEDERHERSTELLEN, "wiederherstellen"},
    {BILD_ARCHIVIEREN, "archivieren"},
    {BILD_HILFE, "hilfe"},
    {BILD_NEU, "neu"},
    {BILD_PROGRAMMSYMBOL, "programm-48"},
    {BILD_STARTBILD, "startbild"},
};

constexpr int k_symbolGroessen[] = {16, 24, 32, 48, 64, 128, 256};

const char* bildName(int id)
{
    for (const Bild& bild : k_bilder)
        if (bild.id == id)
            return bild.name;
    return nullptr;
}

} // namespace

// The pictures live in a static library, where nothing would otherwise pull the resource
// data into the program: register them on first use.
static void registriereBilder()
{
    static const bool registriert = [] {
        Q_INIT_RESOURCE(orvask);
        return true;
    }();
    (void)registriert;
}

QString bildPfad(int id)
{
    registriereBilder();
    const char* name = bildName(id);
    if (!name)
        return QString();
    return QStringLiteral(":/bilder/%1.png").arg(QLatin1String(name));
}

QPixmap bitmap(int id)
{
    const QString pfad = bildPfad(id);
    return pfad.isEmpty() ? QPixmap() : QPixmap(pfad);
}

QIcon icon(int id)
{
    registriereBilder();
    if (id == BILD_PROGRAMMSYMBOL) {
        QIcon symbol;
        for (int groesse : k_symbolGroessen)
            symbol.addFile(QStringLiteral(":/bilder/programm-%1.png").arg(groesse), QSize(groesse, groesse));
        return symbol;
    }
    const QString pfad = bildPfad(id);
    if (pfad.isEmpty() || !QFile::exists(pfad))
        return QIcon();
    return QIcon(pfad); // picks up the "@2x" file beside it for high-density screens
}

std::vector<int> alleBildNummern()
{
    std::vector<int> nummern;
    for (const Bild& bild : k_bilder)
        nummern.push_back(bild.id);
    return nummern;
}
