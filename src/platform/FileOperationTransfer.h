#pragma once

#include "platform/FileOperationContext.h"

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
    QString describe(const QByteArray &path, const SafeCopy::Stat &st) const;

    FileOperationContext &m_ctx;
    bool m_move;
    QByteArray m_target;
    QByteArray m_realTarget;
};
