#include "platform/SpoolerStatus.h"

#include <dlfcn.h>

QString LastSpoolerRefusal()
{
    // Looked up in the process rather than linked: libcups is there only when Qt's CUPS
    // print plugin has loaded it, and only then did a job go to CUPS.
    using LastError = int (*)();
    using LastErrorString = const char *(*)();
    void *cups = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!cups)
        return QString();
    const auto lastError = reinterpret_cast<LastError>(::dlsym(cups, "cupsLastError"));
    const auto lastErrorString = reinterpret_cast<LastErrorString>(::dlsym(cups, "cupsLastErrorString"));
    ::dlclose(cups);
    if (!lastError || !lastErrorString)
        return QString();
    // IPP status codes from 0x0400 on are errors; below are the successful ones.
    if (lastError() < 0x0400)
        return QString();
    const char *text = lastErrorString();
    return text && *text ? QString::fromLocal8Bit(text) : QStringLiteral("IPP error %1").arg(lastError(), 4, 16, QLatin1Char('0'));
}
