#pragma once

#include "platform/FileOperationContext.h"

// Delete: to the trash with allow undo, otherwise for good. Items whose volume has no
// trash are collected and asked about once, at the end.
class FileOperationRemoval
{
public:
    explicit FileOperationRemoval(FileOperationContext &context);
    void run();

private:
    bool confirm() const;
    void trashAll(const QList<QByteArray> &paths);
    void deleteForGood(const QList<QByteArray> &paths);
    bool askDeleteUntrashable(const QList<QByteArray> &paths) const;

    FileOperationContext &m_ctx;
};
