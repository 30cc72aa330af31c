#pragma once

#include <QString>
#include <QTemporaryDir>

// A file system mounted for one test (the tests run as root where mounting is
// allowed): a tmpfs of a given size, or an ext4 image on a loop device. It is
// unmounted when the fixture goes. `ok()` is false, with `why()`, where it cannot be
// mounted, so that the test can skip with that reason.
class TestMount
{
public:
    explicit TestMount(const QString &tmpfsOptions = QStringLiteral("size=4m"));
    explicit TestMount(int ext4Megabytes);
    ~TestMount();
    TestMount(const TestMount &) = delete;
    TestMount &operator=(const TestMount &) = delete;

    bool ok() const { return m_mounted; }
    QString why() const { return m_why; }
    QString path() const { return m_dir.path() + QStringLiteral("/mnt"); }
    // Remounts read-only (or back to read-write).
    bool setReadOnly(bool readOnly);

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_why;
};
