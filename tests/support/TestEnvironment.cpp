#include "TestEnvironment.h"

#include <QDir>
#include <QtGlobal>
#include <clocale>

void prepareTestProcess()
{
    // Screenshots for a person to look at are taken on a real (virtual) display.
    if (qEnvironmentVariableIsEmpty("TIDYHALL_SCREENSHOT_DIR"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_SCALE_FACTOR", "1");
    std::setlocale(LC_ALL, "C.UTF-8");
}

TestEnvironment::TestEnvironment()
{
    QDir root(m_root.path());
    for (const char *sub : {"home", "data", "config", "cache", "share", "runtime"})
        root.mkpath(QString::fromLatin1(sub));
    qputenv("HOME", home().toUtf8());
    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CACHE_HOME", root.filePath(QStringLiteral("cache")).toUtf8());
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("share")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", root.filePath(QStringLiteral("runtime")).toUtf8());
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("TIDYHALL_HOME", dataFolder().toUtf8());
    qputenv("QT_FILE_DIALOG_NATIVE", "0");
}
