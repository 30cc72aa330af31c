#include "mainwin/FolderEntryBlocks.h"

#include <cerrno>
#include <cstring>

void FolderEntryBlock::addName(const char *name)
{
    if (m_names.empty())
        m_names.reserve(Capacity * 32);
    m_starts.push_back(std::uint32_t(m_names.size()));
    m_names.append(name, std::strlen(name) + 1);
}

void FolderNameReader::fill(FolderEntryBlock &block)
{
    while (!m_atEnd && !block.full()) {
        errno = 0;
        const dirent *entry = ::readdir(m_dir);
        if (!entry) {
            m_error = errno;
            m_atEnd = true;
            break;
        }
        const char *raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0')))
            continue;
        block.addName(raw);
    }
}

void FolderEntryQueue::push(std::unique_ptr<FolderEntryBlock> block)
{
    {
        const std::lock_guard lock(m_mutex);
        m_blocks.push_back(std::move(block));
    }
    m_changed.notify_one();
}

void FolderEntryQueue::finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
}

void FolderEntryQueue::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_changed.notify_all();
}

FolderEntryBlock *FolderEntryQueue::take()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_next < m_blocks.size() || m_finished || m_stopped; });
    if (m_stopped || m_next == m_blocks.size())
        return nullptr;
    return m_blocks[m_next++].get();
}
