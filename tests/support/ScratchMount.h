#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A small file system mounted for one test (tests run as root), unmounted when the
// fixture goes. Where the kernel or the container refuses the mount, ok() is false
// and error() says why, for the test's skip message.
class ScratchMount
{
public:
    // A file system without a device: tmpfs, ramfs.
    static ScratchMount memory(const QString &type);
    // An image of `megabytes` made by `mkfsCommand` (the image path is appended),
    // then mounted by `mountCommand` (image and mount point are appended).
    static ScratchMount image(int megabytes, const QStringList &mkfsCommand, const QStringList &mountCommand);

    ScratchMount(ScratchMount &&other) noexcept;
    ~ScratchMount();

    bool ok() const { return m_mounted; }
    QString error() const { return m_error; }
    QString path() const { return m_dir.path() + QStringLiteral("/mnt"); }

private:
    ScratchMount();
    bool run(const QStringList &command);

    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_error;
};
