#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "mainwin/ListingModel.h"
#include "mainwin/ListingSelection.h"
#include "platform/RuntimeError.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QtTest>

class ListingModelTest : public QObject
{
    Q_OBJECT
private:
    TempTree m_tree;
    AppState m_state;

    static QString shownNames(const ListingModel &model)
    {
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row)
            names << model.exactName(row);
        return names.join(u'|');
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QDateTime when(QDate(2003, 7, 14), QTime(9, 30, 5));
        m_tree.file(QStringLiteral("b.txt"), QByteArray(1234567, 'b'), when);
        m_tree.file(QStringLiteral("empty"));
        m_tree.file(QStringLiteral(" a "), "a");
        m_tree.file(QStringLiteral(".profile"), "p");
        m_tree.folder(QStringLiteral("docs"));
    }
    void init()
    {
        m_state = AppState();
        m_state.LanguageGreek = false;
    }

    void cells()
    {
        ListingModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.enumerate(m_state, m_tree.root(), QStringLiteral("*.*"));
        QCOMPARE(model.rowCount(), 0); // nothing shown until the display
        model.display(m_state);
        QCOMPARE(shownNames(model), QStringLiteral(" a |.profile|b.txt|docs|empty"));
        QCOMPARE(model.index(0, 0).data(ListingModel::ExactNameRole).toString(), QStringLiteral(" a "));
        // Every column but the date and time; a folder has no size, a file never marked
        // as backed up reads as archive.
        const QStringList rows{"a|1| | | | |A", ".profile|1| |H| | |A", "b.txt|1,234,567| | | | |A", "docs||+| | | | ",
                               "empty|0| | | | |A"};
        for (int row = 0; row < rows.size(); ++row) {
            QStringList cells;
            for (int column : {0, 1, 4, 5, 6, 7, 8})
                cells << model.index(row, column).data().toString();
            QCOMPARE(cells.join(u'|'), rows[row]);
        }
        QCOMPARE(model.index(2, 2).data().toString(), QLocale::system().toString(QDate(2003, 7, 14), QLocale::ShortFormat));
        const QString time = model.index(2, 3).data().toString();
        QVERIFY2(time.contains(QStringLiteral("9:30:05")), qPrintable(time));
        QCOMPARE(model.index(2, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(m_state.FoldersShown, 1);
        QCOMPARE(m_state.FilesShown, 4);
        QCOMPARE(m_state.BytesShown, 1234567 + 1 + 1);
        // The language switch re-captions in place, sign included, and tells the view.
        QSignalSpy spy(&model, &QAbstractItemModel::headerDataChanged);
        model.setLanguage(true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Όνομα +"));
        QCOMPARE(model.exactName(0), QStringLiteral(" a "));
    }

    // Filters and order change from the table alone: the disk is not read again.
    void redisplayFromTheTable()
    {
        TempTree tree;
        tree.file(QStringLiteral("one"), "1");
        tree.file(QStringLiteral(".two"), "22");
        tree.folder(QStringLiteral("three"));
        ListingModel model;
        model.enumerate(m_state, tree.root(), QStringLiteral("*"));
        QVERIFY(QFile::remove(tree.path(QStringLiteral("one"))));

        m_state.ShowFolders = false;
        model.display(m_state);
        QCOMPARE(shownNames(model), QStringLiteral(".two|one"));
        QCOMPARE(m_state.FoldersShown, 0);
        QCOMPARE(m_state.BytesShown, 3);

        m_state.PropertyRestrictions = 3;
        m_state.RestrictArchive = false;
        model.display(m_state);
        QCOMPARE(shownNames(model), QStringLiteral(".two"));

        m_state.PropertyRestrictions = 1;
        m_state.RestrictArchive = m_state.ShowFolders = true;
        m_state.SortOrder = 2;
        m_state.OrderChanged = true;
        model.display(m_state);
        QCOMPARE(shownNames(model), QStringLiteral("three|one|.two"));
    }

    void failedEnumerationLeavesAnEmptyListing()
    {
        ListingModel model;
        model.enumerate(m_state, m_tree.root(), QStringLiteral("*.*"));
        model.display(m_state);
        QVERIFY(model.rowCount() > 0);
        QVERIFY_THROWS_EXCEPTION(RuntimeError,
                                 model.enumerate(m_state, m_tree.path(QStringLiteral("gone")), QStringLiteral("*.*")));
        QCOMPARE(model.rowCount(), 0);
        model.display(m_state);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(m_state.FoldersShown + m_state.FilesShown + m_state.BytesShown, 0);
    }

    void selection()
    {
        ListingModel model;
        model.enumerate(m_state, m_tree.root(), QStringLiteral("*.*"));
        model.display(m_state);
        QItemSelectionModel selection(&model);
        selection.select(model.index(4, 2), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection.select(model.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QString path = m_state.CurrentPath;
        // Every cell of both rows, picked in reverse: one entry a row, in listing order.
        QCOMPARE(CollectSelection(model, selection.selectedIndexes(), path),
                 (QStringList{path + QStringLiteral(" a ") + QChar(u'\0'), path + QStringLiteral("empty") + QChar(u'\0')}));

        selection.select(AllListingRows(model), QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
        QCOMPARE(selection.selectedRows().size(), 3);
        QVERIFY(!selection.isRowSelected(0, {}) && selection.isRowSelected(1, {}));

        ListingModel empty;
        QVERIFY(AllListingRows(empty).isEmpty());
        QVERIFY(CollectSelection(empty, {}, path).isEmpty());
    }
};

TIDYHALL_TEST_MAIN(ListingModelTest)
#include "tst_ListingModel.moc"
