#include "ScriptedPrompter.h"
#include "StartFolder.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/HelpFile.h"
#include "inspect/frmArchive.h"
#include "platform/DosAttributes.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

// Near the left edge: an option button takes clicks on its circle and caption only.
void click(QDialog &dialog, QWidget *control)
{
    const QPoint at(qMin(8, control->width() / 2), control->height() / 2);
    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, control->mapTo(&dialog, at));
}

QStringList rows(const QListWidget *list)
{
    QStringList r;
    for (int i = 0; i < list->count(); ++i)
        r.append(list->item(i)->text());
    return r;
}

} // namespace

class frmArchiveTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;
    QString m_current;
    QStringList m_browsed; // the folders the browser returns, in turn

    std::unique_ptr<frmArchive> open(AppState &state, ScriptedPrompter &prompter)
    {
        auto dialog = std::make_unique<frmArchive>(state, prompter, [this](const QString &) {
            return m_browsed.isEmpty() ? QString() : m_browsed.takeFirst();
        });
        dialog->show();
        QTest::qWaitForWindowExposed(dialog.get());
        return dialog;
    }

    AppState state(const StartFolder &start, bool greek, int startPoint = 2)
    {
        AppState s;
        s.LanguageGreek = greek;
        s.IniPath = start.iniPath();
        s.CurrentPath = m_current + '/';
        s.ArchiveStartPoint = startPoint;
        return s;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_current = m_tree.folder("current");
        m_tree.file("current/a.txt", "12345");
        m_tree.file("current/sub/b.doc", "1234567");
        m_tree.file("current/done.txt", "x");
        clearArchive(m_tree.path("current/done.txt"));
        m_tree.file("other/c.txt", "abc");
    }

    void captions_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QStringList>("texts"); // title, frame, option 1, option 2, label, start, OK
        QTest::newRow("English") << false
                                 << QStringList{"Archive bit", " Start checking for items that need archiving from ... ",
                                                "... '%1/'.", "... the point I will choose.", "File type:",
                                                "Start checking", "OK"};
        QTest::newRow("Greek") << true
                               << QStringList{"Προς φύλαξη",
                                              " Ο έλεγχος για τα στοιχεία που χρειάζονται αποθήκευση να αρχίσει από το ... ",
                                              "... «%1/».", "... σημείο που θα επιλέξω εγώ.", "Τύπος αρχείων:",
                                              "Να αρχίσει ο έλεγχος", "ΟΚ"};
    }
    void captions()
    {
        QFETCH(bool, greek);
        QFETCH(QStringList, texts);
        StartFolder start;
        AppState s = state(start, greek);
        ScriptedPrompter prompter;
        auto d = open(s, prompter);
        QCOMPARE(d->windowTitle(), texts[0]);
        QCOMPARE(d->fraChooseTarget->title(), texts[1]);
        QCOMPARE(d->optChooseTarget[1]->text(), texts[2].arg(m_current));
        QCOMPARE(d->optChooseTarget[2]->text(), texts[3]);
        QCOMPARE(d->lblFileType->text(), texts[4]);
        QCOMPARE(d->cmdStartChecking->text(), texts[5]);
        QCOMPARE(d->cmdOK->text(), texts[6]);
        QCOMPARE(d->txtFileType->text(), QString("*.*"));
        QVERIFY(d->optChooseTarget[1]->isChecked());
        QVERIFY(d->lstObjectNames->count() == 0 && d->lblObjectNames->text().isEmpty());
        if (!qEnvironmentVariableIsEmpty("TIDYHALL_SCREENSHOT_DIR")) {
            click(*d, d->cmdStartChecking);
            d->grab().save(qEnvironmentVariable("TIDYHALL_SCREENSHOT_DIR") + (greek ? "/frmArchive-el.png" : "/frmArchive-en.png"));
        }
    }

    // A check from each kind of starting point; Cancel in the browser keeps the last result.
    void check_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("browsed");
        QTest::addColumn<QStringList>("found");
        QTest::addColumn<QString>("summary");
        QTest::newRow("current folder") << 1 << "*.*" << QStringList{}
                                        << QStringList{"current/a.txt", "current/sub/b.doc"}
                                        << "Folders: 0. Files: 2. File size in bytes: 12.";
        QTest::newRow("a pattern") << 1 << "*.DOC" << QStringList{} << QStringList{"current/sub/b.doc"}
                                   << "Folders: 0. Files: 1. File size in bytes: 7.";
        QTest::newRow("a chosen folder") << 2 << "*.*" << QStringList{"other"} << QStringList{"other/c.txt"}
                                         << "Folders: 0. Files: 1. File size in bytes: 3.";
        QTest::newRow("browser cancelled") << 2 << "*.*" << QStringList{""} << QStringList{} << "";
    }
    void check()
    {
        QFETCH(int, option);
        QFETCH(QString, pattern);
        QFETCH(QStringList, browsed);
        QFETCH(QStringList, found);
        QFETCH(QString, summary);
        for (const QString &b : browsed)
            m_browsed.append(b.isEmpty() ? b : m_tree.path(b));
        StartFolder start;
        AppState s = state(start, false);
        ScriptedPrompter prompter;
        auto d = open(s, prompter);
        click(*d, d->optChooseTarget[std::size_t(option)]);
        d->txtFileType->setText(pattern);
        click(*d, d->cmdStartChecking);
        QStringList expected;
        for (const QString &f : found)
            expected.append(m_tree.path(f));
        QCOMPARE(rows(d->lstObjectNames), expected);
        QCOMPARE(d->lblObjectNames->text(), summary);
        QCOMPARE(prompter.prompts.size(), 0);
        QVERIFY(d->cmdStartChecking->isEnabled() && d->cmdOK->isEnabled() && !d->cmdStop->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    void keysAndBadPattern()
    {
        StartFolder start;
        AppState s = state(start, false);
        ScriptedPrompter prompter;
        auto d = open(s, prompter);
        // Enter in the file type neither checks nor closes.
        d->txtFileType->setFocus();
        QTest::keyClick(d->windowHandle(), Qt::Key_Return);
        QVERIFY(d->isVisible());
        QCOMPARE(d->lstObjectNames->count(), 0);
        d->txtFileType->setText("sub/*.doc");
        prompter.answer(PromptButton::Ok);
        click(*d, d->cmdStartChecking);
        QCOMPARE(prompter.prompts.size(), 1);
        QVERIFY(prompter.last().text.contains("may not contain '/'"));
        click(*d, d->cmdAsterisk);
        QCOMPARE(d->txtFileType->text(), QString("*.*"));
    }

    // OK remembers the kind of starting point; the frame closes without remembering.
    void startPointRemembered_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("inMemory");
        QTest::newRow("OK") << true << "3" << 3;
        QTest::newRow("frame") << false << "<missing>" << 1;
    }
    void startPointRemembered()
    {
        QFETCH(bool, ok);
        QFETCH(QString, stored);
        QFETCH(int, inMemory);
        StartFolder start;
        AppState s = state(start, false, 1);
        ScriptedPrompter prompter;
        auto d = open(s, prompter);
        QVERIFY(d->optChooseTarget[0]->isChecked());
        click(*d, d->optChooseTarget[2]);
        if (ok)
            click(*d, d->cmdOK);
        else
            d->close();
        QVERIFY(!d->isVisible());
        QCOMPARE(start.value("General", "ArchiveStartPoint"), stored);
        QCOMPARE(s.ArchiveStartPoint, inMemory);
    }

    // Every control with a help topic finds it in both help files.
    void helpTopics()
    {
        StartFolder start;
        AppState s = state(start, false);
        ScriptedPrompter prompter;
        frmArchive d(s, prompter, {});
        const QString dir = qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + "/resources/help/";
        for (const char *file : {"TidyhallGr.hlp", "TidyhallUk.hlp"}) {
            QFile f(dir + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const HelpFile help = HelpFile::parse(QString::fromUtf8(f.readAll()));
            QSet<QString> topics;
            for (QWidget *w : d.findChildren<QWidget *>()) {
                const QString topic = ContextHelp::topicOf(w);
                if (topic.isEmpty())
                    continue;
                topics.insert(topic);
                QVERIFY2(help.contains(topic), qPrintable(QString(file) + ": " + topic));
            }
            QCOMPARE(topics.size(), 12);
        }
    }
};

TIDYHALL_GUI_TEST_MAIN(frmArchiveTest)
#include "tst_frmArchive.moc"
