#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "app/QtGreekTranslator.h"
#include "app/WidgetPrompter.h"
#include "mainwin/MainTexts.h"
#include "platform/RuntimeError.h"
#include "fileops/TargetFolderDialogGui.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

namespace {

// Words of two or more Latin letters that a Greek window may show: key names printed on
// every keyboard, and the OK of the standard buttons.
const QStringList AllowedLatin{"OK", "Alt", "Ctrl", "Shift", "Backspace", "Del", "Tab", "Esc", "Tidyhall",
                               "KB", "MB", "GB", "TB"};

QStringList englishWords(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList found;
    for (auto it = word.globalMatch(QString(text).remove(u'&')); it.hasNext();) {
        const QString w = it.next().captured();
        if (!AllowedLatin.contains(w))
            found << w;
    }
    return found;
}

// Every text the user can meet in `widget`: labels, buttons, tool tips, column headers
// and the entries of menus, with the English words among them.
QStringList englishIn(QWidget *widget)
{
    QStringList found;
    const auto check = [&found](const QString &where, const QString &text) {
        for (const QString &w : englishWords(text))
            found << where + QStringLiteral(": ") + w;
    };
    QList<QWidget *> all = widget->findChildren<QWidget *>();
    all.prepend(widget);
    for (QWidget *w : all) {
        if (!w->isVisibleTo(widget) && w != widget)
            continue;
        check(w->objectName() + QStringLiteral(" tip"), w->toolTip());
        if (auto *label = qobject_cast<QLabel *>(w))
            check(QStringLiteral("label"), label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            check(QStringLiteral("button"), button->text());
        if (auto *header = qobject_cast<QHeaderView *>(w); header && header->model())
            for (int c = 0; c < header->count(); ++c)
                if (!header->isSectionHidden(c))
                    check(QStringLiteral("header"), header->model()->headerData(c, Qt::Horizontal).toString());
        for (QAction *a : w->actions())
            check(QStringLiteral("action"), a->text() + u' ' + a->toolTip());
    }
    return found;
}

QString shotFolder()
{
    return qEnvironmentVariable("TIDYHALL_SCREENSHOT_DIR");
}

void shoot(QWidget *widget, const char *name)
{
    if (!shotFolder().isEmpty())
        widget->grab().save(shotFolder() + u'/' + QLatin1String(name) + QStringLiteral(".png"));
}

// The menu `open` pops up, with its entries' texts; closed again before returning.
QStringList menuOpenedBy(const std::function<void()> &open, const char *shot)
{
    QStringList texts;
    QTimer::singleShot(0, [&texts, shot] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *a : menu->actions())
                if (!a->isSeparator())
                    texts << a->text();
            shoot(menu, shot);
            menu->close();
        }
    });
    open();
    // A menu that pops up without a loop of its own is read once the events have run.
    QCoreApplication::processEvents();
    return texts;
}

void rightClick(QWidget *target)
{
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(10, 10), target->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(target, &event);
}

} // namespace

// With the Greek interface, Qt's own dialogs and menus that the program shows speak
// Greek: no English word may reach the user there.
class QtGreekTextsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { UseGreekForQtTexts(true); }
    void cleanup() { UseGreekForQtTexts(false); }

    void folderChooser()
    {
        TempTree tree;
        tree.folder(QStringLiteral("Έγγραφα"));
        tree.file(QStringLiteral("σημειώσεις.txt"), "abc");
        QFileDialog dialog;
        PrepareTargetFolderDialog(dialog, QStringLiteral("Επιλέξτε τον φάκελλο προορισμού"),
                                  QStringLiteral("μην αλλάξετε αυτό το κείμενο"), true);
        dialog.setDirectory(tree.root());
        dialog.resize(760, 480);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QStringList found = englishIn(&dialog);
        auto *list = dialog.findChild<QAbstractItemView *>(QStringLiteral("treeView"));
        QVERIFY(list);
        QTRY_VERIFY(list->model()->rowCount(list->rootIndex()) == 2);
        // Size, type and date of each item; a file's extension is part of its name.
        for (int c = 1; c < list->model()->columnCount(list->rootIndex()); ++c)
            for (int r = 0; r < 2; ++r)
                found << englishWords(list->model()->index(r, c, list->rootIndex()).data().toString().remove(
                    QStringLiteral(" txt")));
        shoot(&dialog, "greek-folder-chooser");
        const QStringList menu = menuOpenedBy([&] { rightClick(list->viewport()); }, "greek-folder-chooser-menu");
        QVERIFY(!menu.isEmpty());
        found << englishWords(menu.join(u' '));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    void inputBoxAndItsEditMenu()
    {
        QInputDialog box;
        box.setWindowTitle(QStringLiteral("Μετονομασία"));
        box.setLabelText(QStringLiteral("Νέο όνομα:"));
        box.setTextValue(QStringLiteral("σημειώσεις.txt"));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QStringList found = englishIn(&box);
        shoot(&box, "greek-input-box");
        auto *edit = box.findChild<QLineEdit *>();
        QVERIFY(edit);
        const QStringList menu = menuOpenedBy([&] { rightClick(edit); }, "greek-input-box-menu");
        QCOMPARE(menu.size(), 7);
        found << englishWords(menu.join(u' '));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // The standard error report: our texts, the system error's description in Greek
    // (from its errno through our table, or a text of ours), and buttons of ours.
    void errorReports_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("device unavailable") << 0;
        QTest::newRow("missing item") << 1;
        QTest::newRow("move across disks") << 2;
    }
    void errorReports()
    {
        QFETCH(int, kind);
        AppState state;
        state.LanguageGreek = true;
        state.AppTitle = QStringLiteral("Tidyhall");
        WidgetPrompter prompter(state.LanguageGreek);
        QStringList found;
        QString text;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            text = box->text();
            found = englishIn(box);
            if (kind == 0)
                shoot(box, "greek-error-message");
            box->reject();
        });
        RunTrapped(prompter, state, "049", [&] {
            if (kind == 0)
                throw RuntimeError(ErrorNumber::DiskNotReady, MainTexts::DeviceUnavailable, QStringLiteral("/μέσα/στικάκι"));
            throw RuntimeError::fromErrno(kind == 1 ? ENOENT : EXDEV, QStringLiteral("/δεδομένα"));
        });
        QVERIFY(!text.isEmpty());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n') + u'\n' + text));
    }

    // The English interface keeps Qt's own English.
    void englishStaysEnglish()
    {
        UseGreekForQtTexts(false);
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QVERIFY(menu->actions().constFirst()->text().startsWith(QStringLiteral("&Undo")));
    }
};

TIDYHALL_GUI_TEST_MAIN(QtGreekTextsTest)
#include "tst_QtGreekTextsGui.moc"
