#pragma once

#include <QMutex>
#include <QString>
#include <atomic>
#include <cstdint>

// What a running file operation has done so far. The operation writes it; the progress
// window reads it a few times a second from its own thread and may ask it to stop.
class FileOperationProgress
{
public:
    virtual ~FileOperationProgress() = default;

    std::atomic<std::int64_t> itemsTotal{0};
    std::atomic<std::int64_t> itemsDone{0};
    std::atomic<std::int64_t> bytesTotal{0};
    std::atomic<std::int64_t> bytesDone{0};

    void requestCancel() { m_cancel = true; }
    bool cancelRequested() const { return m_cancel; }

    void setCurrentName(const QString &name);
    QString currentName() const;

    void addItems(std::int64_t n);
    void addBytes(std::int64_t n);

protected:
    // Called after every step of progress, on the operation's thread.
    virtual void advanced() {}

private:
    std::atomic<bool> m_cancel{false};
    mutable QMutex m_mutex;
    QString m_currentName;
};
