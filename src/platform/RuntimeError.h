#pragma once

#include <QString>
#include <exception>

// An error that ends a command and reaches the standard error report. The numbers
// follow the classic run-time error numbers users of this program know (53 file not
// found, 70 permission denied, ...); the description is the system's own text.
struct RuntimeError : std::exception
{
    int number = 0;
    QString description;

    RuntimeError(int errorNumber, QString text);

    // Builds the error for a failed system call from errno; `path` is named in the
    // description so that the report says which item failed.
    static RuntimeError fromErrno(int err, const QString &path = {});

    // Builds the error for a failed QFile or QSaveFile call, from errno when it was set.
    static RuntimeError fromFile(const class QFileDevice &file, const QString &path);

    const char *what() const noexcept override;

private:
    QByteArray m_what;
};

// The classic number for an errno value.
int classicErrorNumber(int err);

namespace ErrorNumber {
inline constexpr int Overflow = 6;
inline constexpr int BadFileName = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int DiskNotReady = 71;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
}
