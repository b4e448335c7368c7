#pragma once

#include <QString>

#include <exception>

namespace veltrano::vb {

// Error numbers of the Basic runtime, as the error reports show them.
enum ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    DeviceIoError = 57,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    DiskNotReady = 71,
    PathFileAccessError = 75,
    PathNotFound = 76,
    InvalidFileFormat = 321,
    InvalidPropertyValue = 380,
};

// The German description of an error number ("Anwendungs- oder objektdefinierter
// Fehler" for numbers we do not know).
QString describe(int number);

// A failure with the number and description of the Basic runtime. Handlers in
// the "message trap" mode catch it and report "number description".
class Error : public std::exception {
public:
    explicit Error(int number);
    Error(int number, QString description);

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace veltrano::vb
