#include "platform/systemfehler.h"

#include <cerrno>

std::string systemFehlerText(int fehler) {
    switch (fehler) {
    case EACCES:
    case EPERM:
        return "keine Berechtigung";
    case ENOSPC:
        return "der Datenträger ist voll";
    case EDQUOT:
        return "das Speicherkontingent ist erschöpft";
    case EFBIG:
        return "die erlaubte Dateigröße ist überschritten";
    case EROFS:
        return "der Datenträger ist schreibgeschützt";
    case EIO:
        return "Ein-/Ausgabefehler des Datenträgers";
    case EISDIR:
        return "es ist ein Ordner";
    case ENOENT:
        return "nicht gefunden";
    case ENOTDIR:
        return "ein Teil des Pfads ist kein Ordner";
    case ENAMETOOLONG:
        return "der Pfad ist zu lang";
    case ELOOP:
        return "zu viele symbolische Verknüpfungen";
    case EMFILE:
    case ENFILE:
        return "zu viele offene Dateien";
    case ENOMEM:
        return "zu wenig Arbeitsspeicher";
    case EBUSY:
    case ETXTBSY:
        return "die Datei wird gerade benutzt";
    case ENOLCK:
        return "keine Dateisperren verfügbar";
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
        return "die Verbindung zum Netzlaufwerk ist unterbrochen";
    default:
        return "Systemfehler " + std::to_string(fehler);
    }
}
