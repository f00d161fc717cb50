#include "platform/core/SystemReason.h"

#include <cerrno>

namespace zt::platform {

std::string systemReason(int err)
{
    // The reasons a user meets with files, folders, printers and programs;
    // the system's own texts follow the process's language, which need not
    // be German.
    switch (err) {
    case EPERM: return "Vorgang nicht erlaubt";
    case ENOENT: return "Datei oder Verzeichnis nicht gefunden";
    case EIO: return "Ein- oder Ausgabefehler";
    case ENXIO: return "Gerät oder Adresse nicht gefunden";
    case E2BIG: return "Argumentliste zu lang";
    case ENOEXEC: return "Programmdatei hat ein ungültiges Format";
    case EBADF: return "Ungültiger Dateideskriptor";
    case EAGAIN: return "Die Ressource ist zur Zeit nicht verfügbar";
    case ENOMEM: return "Nicht genügend Hauptspeicher verfügbar";
    case EACCES: return "Keine Berechtigung";
    case EBUSY: return "Das Gerät oder die Ressource ist belegt";
    case EEXIST: return "Die Datei existiert bereits";
    case EXDEV: return "Ungültiger Link über Gerätegrenzen hinweg";
    case ENODEV: return "Kein passendes Gerät gefunden";
    case ENOTDIR: return "Ist kein Verzeichnis";
    case EISDIR: return "Ist ein Verzeichnis";
    case EINVAL: return "Ungültiges Argument";
    case ENFILE: return "Zu viele offene Dateien im System";
    case EMFILE: return "Zu viele offene Dateien";
    case ETXTBSY: return "Das Programm wird gerade ausgeführt";
    case EFBIG: return "Datei zu groß";
    case ENOSPC: return "Auf dem Gerät ist kein Speicherplatz mehr verfügbar";
    case ESPIPE: return "Ungültige Positionierung";
    case EROFS: return "Dateisystem nur lesbar";
    case EMLINK: return "Zu viele Links";
    case EPIPE: return "Datenübergabe unterbrochen";
    case ENAMETOOLONG: return "Der Dateiname ist zu lang";
    case ENOTEMPTY: return "Das Verzeichnis ist nicht leer";
    case ELOOP: return "Zu viele Ebenen aus symbolischen Links";
    case EOVERFLOW: return "Der Wert ist zu groß für den Datentyp";
    case EDQUOT: return "Das Speicherplatzkontingent ist erschöpft";
    case ESTALE: return "Veraltete Dateizugriffsnummer";
    case ECONNREFUSED: return "Verbindung verweigert";
    case ETIMEDOUT: return "Die Wartezeit für die Verbindung ist abgelaufen";
    case EHOSTUNREACH: return "Keine Route zum Zielrechner";
    default: return "Systemfehler " + std::to_string(err);
    }
}

} // namespace zt::platform
