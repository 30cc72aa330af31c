#pragma once

#include "platform/FileOperationContext.h"

#include <sys/types.h>

#include "platform/EntryInfo.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

// Copy and move into a target folder, with the collision rules of the operation's
// flags: ask, replace, or give the incoming item a free new name; a folder meeting a
// folder of the same name merges into it.
class FileOperationTransfer
{
public:
    explicit FileOperationTransfer(FileOperationContext &context);
    void run();

private:
    enum class Decision { Replace, Rename, Skip };
    struct CopyIntoItself
    {
    };

    // Returns the path the item arrived at, or "" when it did not.
    QByteArray transferTop(const QByteArray &source);
    bool transfer(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dstDir, QByteArray name,
                  QByteArray *placed = nullptr);
    Decision decide(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dst, const SafeCopy::Stat &dstSt);
    bool copyNew(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dst,
                 std::vector<QByteArray> *copied);
    void copyTreeContents(const QByteArray &src, const QByteArray &dst, std::vector<QByteArray> *copied);
    bool moveNew(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dst);
    bool merge(const QByteArray &src, const QByteArray &dst);
    void replaceLeaf(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dst);
    void removeSources(const std::vector<QByteArray> &copied);
    bool isInsideSource(const SafeCopy::Stat &source) const;
    void remember(const QByteArray &folder);
    void finishMoves();
    // The DOS attributes and creation time of `from` onto its copy `to`, each in its
    // volume's store.
    void carryDos(const QByteArray &from, const QByteArray &to);
    void carryDosBetween(int in, const struct stat &a, int out, const struct stat &b, const QByteArray &from,
                         const QByteArray &to);
    SafeCopy::LeafHook dosHook(const QByteArray &from, const QByteArray &to);
    // Copies a file that is a hard link of one copied before in this tree as a link of
    // that copy; false when it is not one (or the volume cannot link).
    bool linkAgain(const SafeCopy::Stat &st, const QByteArray &to);
    void noteLinked(const SafeCopy::Stat &st, const QByteArray &to);
    QString describe(const QByteArray &path, const SafeCopy::Stat &st) const;

    FileOperationContext &m_ctx;
    bool m_move;
    QByteArray m_target;
    QByteArray m_realTarget;
    // Every folder this operation made, by device and inode.
    std::set<std::pair<dev_t, ino_t>> m_created;
    // The stores of each pair of volumes met, looked up once per operation.
    std::map<std::pair<dev_t, dev_t>, std::pair<AttributeStore, AttributeStore>> m_stores;
    // Files with more than one link copied in the current tree, and where their copy is.
    std::map<std::pair<dev_t, ino_t>, QByteArray> m_linked;
    // Originals of a move across volumes, removed once their copies are flushed.
    std::vector<QByteArray> m_pending;
    bool m_needsFlush = false;
};
