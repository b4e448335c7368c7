#include "core/vberror.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace veltrano::vb {

QString describe(int number) {
    switch (number) {
    case 3:
        return u"Return ohne GoSub"_s;
    case InvalidProcedureCall:
        return u"Unzulässiger Prozeduraufruf oder ungültiges Argument"_s;
    case Overflow:
        return u"Überlauf"_s;
    case OutOfMemory:
        return u"Nicht genügend Speicher"_s;
    case SubscriptOutOfRange:
        return u"Index außerhalb des gültigen Bereichs"_s;
    case 11:
        return u"Division durch Null"_s;
    case TypeMismatch:
        return u"Typen unverträglich"_s;
    case BadFileNameOrNumber:
        return u"Dateiname oder -nummer falsch"_s;
    case FileNotFound:
        return u"Datei nicht gefunden"_s;
    case 54:
        return u"Dateimodus falsch"_s;
    case 55:
        return u"Datei bereits geöffnet"_s;
    case DeviceIoError:
        return u"Fehler beim Datenaustausch mit dem Gerät"_s;
    case 58:
        return u"Datei existiert bereits"_s;
    case DiskFull:
        return u"Datenträger voll"_s;
    case InputPastEndOfFile:
        return u"Einlesen hinter Dateiende"_s;
    case 67:
        return u"Zu viele Dateien"_s;
    case 68:
        return u"Gerät nicht verfügbar"_s;
    case PermissionDenied:
        return u"Zugriff verweigert"_s;
    case DiskNotReady:
        return u"Datenträger nicht bereit"_s;
    case PathFileAccessError:
        return u"Fehler beim Zugriff auf Pfad/Datei"_s;
    case PathNotFound:
        return u"Pfad nicht gefunden"_s;
    case 91:
        return u"Objektvariable oder With-Blockvariable nicht festgelegt"_s;
    case 94:
        return u"Unzulässige Verwendung von Null"_s;
    case 340:
        return u"Steuerelementdatenfeld-Element existiert nicht"_s;
    case InvalidFileFormat:
        return u"Ungültiges Dateiformat"_s;
    case InvalidPropertyValue:
        return u"Unzulässiger Eigenschaftswert"_s;
    default:
        return u"Anwendungs- oder objektdefinierter Fehler"_s;
    }
}

Error::Error(int number) : Error(number, describe(number)) {}

Error::Error(int number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_what(QString(QString::number(number) + u' ' + m_description).toUtf8()) {}

} // namespace veltrano::vb
