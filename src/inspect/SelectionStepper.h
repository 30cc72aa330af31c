#pragma once

#include <QString>
#include <QStringList>

// Walks through the selected items one at a time, as the stepping dialogs (open,
// print, properties, quick view), the rename dialog and the attributes editor do.
// QtCore only: it holds the entries and the 1-based position and says which step
// buttons are usable and what the position line reads; a window shows that.
//
// Entries are lstSelectedItems entries: the item's full path, optionally followed by
// one NUL (the NUL is never part of the path or the name).
class SelectionStepper
{
public:
    // The step buttons, in the order of cmdStep(0..3).
    enum Step { First = 0, Previous = 1, Next = 2, Last = 3 };

    explicit SelectionStepper(QStringList entries = {});

    // Replaces the list and shows entry 1 (position 0 when the list is empty).
    void setEntries(QStringList entries);
    const QStringList &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }

    // 1-based; 0 only while the list is empty.
    int position() const { return m_position; }

    // Moves as the step button says; the position always stays within 1..count().
    void step(Step step);
    // Moves to `position`, kept within 1..count() (a step to the same position shows
    // the current item again).
    void moveTo(int position);

    // Whether the step button can be pressed at this position: with one item (or none)
    // no step button can; with more, First and Last always can, Previous everywhere but
    // on item 1 and Next everywhere but on the last item.
    bool isEnabled(Step step) const;

    // "Selected item 2 of 5. Title: " / "Επιλεγμένο στοιχείο 2 από 5. Τίτλος:"
    QString positionLine(bool greek) const;

    // The current entry's path without its NUL, and its last component (the text after
    // the last "/", empty when there is none). Both exact (see ExactName); "" when empty.
    QString currentPath() const;
    QString currentName() const;

    // After the current item was renamed: its entry now names `path`.
    void replaceCurrent(const QString &path);

private:
    QStringList m_entries;
    int m_position = 0;
};
