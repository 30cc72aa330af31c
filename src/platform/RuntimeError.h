#pragma once

#include "platform/Bilingual.h"

#include <QString>
#include <exception>

// An error that ends a command and reaches the standard error report. The numbers
// follow the classic run-time error numbers users of this program know (53 file not
// found, 70 permission denied, ...). The error keeps what it knows (the errno, or a
// text of ours in both languages, and the item it concerns), so that the report
// describes it in the language of the window when it is shown.
struct RuntimeError : std::exception
{
    int number = 0;
    // The description in English (or the system's words); kept for logs and callers
    // that pass it on.
    QString description;
    int err = 0;                        // the errno behind the error; 0 when none
    Bilingual text{nullptr, nullptr};   // a description of ours, when there is one
    QString subject;                    // the item named after the description

    RuntimeError(int errorNumber, QString text);
    RuntimeError(int errorNumber, const Bilingual &ours, const QString &item = {});

    // Builds the error for a failed system call from errno; `path` is named in the
    // description so that the report says which item failed.
    static RuntimeError fromErrno(int err, const QString &path = {});

    // Builds the error for a failed QFile or QSaveFile call, from errno when it was set.
    static RuntimeError fromFile(const class QFileDevice &file, const QString &path);

    // The description in the language asked for: our own text for the common errno
    // values, the system's for the rest.
    QString describe(bool greek) const;

    const char *what() const noexcept override;

private:
    QByteArray m_what;
};

// The description of an errno value in the language asked for.
QString systemErrorDescription(int err, bool greek);

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
