#include "platform/FileOperationProgress.h"

void FileOperationProgress::setCurrentName(const QString &name)
{
    const QMutexLocker lock(&m_mutex);
    m_currentName = name;
}

QString FileOperationProgress::currentName() const
{
    const QMutexLocker lock(&m_mutex);
    return m_currentName;
}

void FileOperationProgress::addItems(std::int64_t n)
{
    itemsDone += n;
    advanced();
}

void FileOperationProgress::addBytes(std::int64_t n)
{
    bytesDone += n;
    advanced();
}
