#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A file system mounted for one test (the tests run as root where mounting is allowed),
// unmounted when the fixture goes. Mounts are made only in a private mount namespace:
// CTest starts the programs that use this under `unshare -m`, and a program started by
// hand enters one of its own first. Where the kernel or the container refuses, ok() is
// false and why() says why, for the test's skip message.
class ScratchMount
{
public:
    // A tmpfs with the given mount options.
    static ScratchMount tmpfs(const QString &options = QStringLiteral("size=4m"));
    // A file system without a device: tmpfs, ramfs.
    static ScratchMount memory(const QString &type);
    // An ext4 image of `megabytes` on a loop device.
    static ScratchMount ext4(int megabytes);
    // An image of `megabytes` made by `mkfsCommand` (the image path is appended),
    // then mounted by `mountCommand` (image and mount point are appended).
    static ScratchMount image(int megabytes, const QStringList &mkfsCommand, const QStringList &mountCommand);
    // A bind mount of the folder `source` on the existing folder `at`.
    static ScratchMount bind(const QString &source, const QString &at);

    ScratchMount(ScratchMount &&other) noexcept;
    ~ScratchMount();
    ScratchMount(const ScratchMount &) = delete;
    ScratchMount &operator=(const ScratchMount &) = delete;

    bool ok() const { return m_mounted; }
    QString why() const { return m_error; }
    QString error() const { return m_error; }
    QString path() const { return m_at.isEmpty() ? m_dir.path() + QStringLiteral("/mnt") : m_at; }
    // Remounts read-only (or back to read-write).
    bool setReadOnly(bool readOnly);

private:
    ScratchMount();
    bool run(const QStringList &command);
    bool mount(const QStringList &command);

    QTemporaryDir m_dir;
    QString m_at;
    bool m_mounted = false;
    QString m_error;
};
