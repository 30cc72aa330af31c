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
#include <fcntl.h>
#include <sys/stat.h>

class ListingModelTest : public QObject
{
    Q_OBJECT
private:
    TempTree m_tree;
    AppState m_state;

    QStringList shownNames(const ListingModel &model) const
    {
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row)
            names << model.exactName(row);
        return names;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_tree.file(QStringLiteral("b.txt"), QByteArray(1234567, 'b'));
        m_tree.file(QStringLiteral("empty"));
        m_tree.file(QStringLiteral(" a "), "a");
        m_tree.file(QStringLiteral(".profile"), "p");
        m_tree.folder(QStringLiteral("docs"));
        const QDateTime when(QDate(2003, 7, 14), QTime(9, 30, 5));
        const timespec times[2] = {{when.toSecsSinceEpoch(), 0}, {when.toSecsSinceEpoch(), 0}};
        for (const char *name : {"b.txt", "docs"})
            ::utimensat(AT_FDCWD, QFile::encodeName(m_tree.path(QString::fromLatin1(name))).constData(), times, 0);
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
        QCOMPARE(shownNames(model), (QStringList{QStringLiteral(" a "), QStringLiteral(".profile"),
                                                 QStringLiteral("b.txt"), QStringLiteral("docs"),
                                                 QStringLiteral("empty")}));
        const auto text = [&](int row, int column) { return model.index(row, column).data().toString(); };
        QCOMPARE(text(0, 0), QStringLiteral("a"));
        QCOMPARE(model.index(0, 0).data(ListingModel::ExactNameRole).toString(), QStringLiteral(" a "));
        QCOMPARE(text(2, 1), QStringLiteral("1,234,567"));
        QCOMPARE(text(4, 1), QStringLiteral("0"));
        QCOMPARE(text(3, 1), QString());
        QCOMPARE(text(2, 2), QLocale::system().toString(QDate(2003, 7, 14), QLocale::ShortFormat));
        QVERIFY2(text(2, 3).contains(QStringLiteral("9:30:05")), qPrintable(text(2, 3)));
        QCOMPARE(text(3, 4), QStringLiteral("+"));
        QCOMPARE(text(2, 4), QStringLiteral(" "));
        QCOMPARE(text(1, 5), QStringLiteral("H"));
        QCOMPARE(text(2, 5), QStringLiteral(" "));
        QCOMPARE(text(2, 6), QStringLiteral(" "));
        QCOMPARE(text(2, 8), QStringLiteral("A"));
        QCOMPARE(model.index(2, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(m_state.FoldersShown, 1);
        QCOMPARE(m_state.FilesShown, 4);
        QCOMPARE(m_state.BytesShown, 1234567 + 1 + 1);
    }

    void headers()
    {
        ListingModel model;
        m_state.SortColumn = 4;
        m_state.SortOrder = 2;
        model.enumerate(m_state, m_tree.root(), QStringLiteral("*.*"));
        model.display(m_state);
        const auto caption = [&](int section) { return model.headerData(section, Qt::Horizontal).toString(); };
        QCOMPARE(caption(0), QStringLiteral("Name"));
        QCOMPARE(caption(1), QStringLiteral("Size -"));
        QSignalSpy spy(&model, &QAbstractItemModel::headerDataChanged);
        model.setLanguage(true);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(caption(1), QStringLiteral("Μέγεθος -"));
        QCOMPARE(caption(3), QStringLiteral("Ώρα"));
        QCOMPARE(caption(4), QStringLiteral("+"));
        QCOMPARE(model.exactName(0), QStringLiteral("b.txt")); // sizes descending
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
        model.display(m_state);
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(QFile::remove(tree.path(QStringLiteral("one"))));

        m_state.ShowFolders = false;
        model.display(m_state);
        QCOMPARE(shownNames(model), (QStringList{QStringLiteral(".two"), QStringLiteral("one")}));
        QCOMPARE(m_state.FoldersShown, 0);
        QCOMPARE(m_state.BytesShown, 3);

        m_state.PropertyRestrictions = 3;
        m_state.RestrictArchive = false;
        model.display(m_state);
        QCOMPARE(shownNames(model), QStringList{QStringLiteral(".two")});

        m_state.PropertyRestrictions = 1;
        m_state.RestrictArchive = true;
        m_state.ShowFolders = true;
        m_state.SortOrder = 2;
        m_state.OrderChanged = true;
        model.display(m_state);
        QCOMPARE(shownNames(model), (QStringList{QStringLiteral("three"), QStringLiteral("one"), QStringLiteral(".two")}));
        QCOMPARE(m_state.FoldersFound + m_state.FilesFound, 3);
    }

    void failedEnumerationLeavesAnEmptyListing()
    {
        ListingModel model;
        model.enumerate(m_state, m_tree.root(), QStringLiteral("*.*"));
        model.display(m_state);
        QVERIFY(model.rowCount() > 0);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, model.enumerate(m_state, m_tree.path(QStringLiteral("gone")), QStringLiteral("*.*")));
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
        QModelIndexList picked = selection.selectedIndexes(); // every cell of both rows
        const QString path = m_state.CurrentPath;
        QCOMPARE(CollectSelection(model, picked, path),
                 (QStringList{path + QStringLiteral(" a ") + QChar(u'\0'), path + QStringLiteral("empty") + QChar(u'\0')}));

        selection.select(AllListingRows(model), QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
        QCOMPARE(selection.selectedRows().size(), 3);
        QVERIFY(!selection.isRowSelected(0, {}) && selection.isRowSelected(1, {}));
        selection.select(AllListingRows(model), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        selection.select(AllListingRows(model), QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
        QVERIFY(!selection.hasSelection());

        ListingModel empty;
        QVERIFY(AllListingRows(empty).isEmpty());
        QVERIFY(CollectSelection(empty, {}, path).isEmpty());
    }
};

TIDYHALL_TEST_MAIN(ListingModelTest)
#include "tst_ListingModel.moc"
