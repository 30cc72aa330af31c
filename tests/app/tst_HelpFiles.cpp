#include "TestEnvironment.h"
#include "app/HelpFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The controls the main window gives a topic: "frmMain." + objectName.
const char *const MainWindowControls[] = {
    "cmdAsterisk", "cmdDisplayInfo", "cmdEnd", "cmdHelp", "cmdOptions", "cmdPageSetup", "cmdPrint",
    "cmdPropertyRestrictions", "cmdRecentPath", "cmdRefresh", "cmdSavePath", "cmdStopMonitoring", "cmdUpOneLevel",
    "Dir1", "Drive1", "fraAppearance", "fraFileProperties", "fraOrderOfAppearance", "lblCopyright", "lblCurrentPath",
    "lblFileType", "txtFileType", "lblInfo", "lstMonitoredPaths", "picCopyright", "cmdSelections", "cmdCommands",
    "chkAppearance(0)", "chkAppearance(1)", "chkFileProperties(0)", "chkFileProperties(1)", "chkFileProperties(2)",
    "chkFileProperties(3)", "optAppearance(0)", "optAppearance(1)", "optAppearance(2)", "cmdLanguage(0)", "cmdLanguage(1)",
};

// A topic is shown as a pop-up at the pointer; beyond this it would cover the window.
constexpr int MaxWordsPerTopic = 200;

struct LoadedHelp
{
    QString html;
    HelpFile file;
};

LoadedHelp load(const QString &name)
{
    QFile f(qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + QStringLiteral("/resources/help/") + name);
    const QString html = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    return {html, HelpFile::parse(html)};
}

QString plainText(const QString &topicHtml)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return QString(topicHtml).remove(tag).simplified();
}

} // namespace

class HelpFilesTest : public QObject
{
    Q_OBJECT
    LoadedHelp m_greek;
    LoadedHelp m_english;

private Q_SLOTS:
    void initTestCase()
    {
        m_greek = load(QStringLiteral("TidyhallGr.hlp"));
        m_english = load(QStringLiteral("TidyhallUk.hlp"));
        QVERIFY2(!m_greek.html.isEmpty(), "TidyhallGr.hlp not found or empty");
        QVERIFY2(!m_english.html.isEmpty(), "TidyhallUk.hlp not found or empty");
    }

    // The English file has the same topics (checked below).
    void mainWindowTopicExists_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::newRow("overview") << QStringLiteral("overview");
        for (const char *control : MainWindowControls)
            QTest::newRow(control) << QStringLiteral("frmMain.") + QLatin1String(control);
    }
    void mainWindowTopicExists()
    {
        QFETCH(QString, topic);
        QVERIFY(m_greek.file.contains(topic));
    }

    // Each topic stands alone in its pop-up: a heading and some text, in both languages,
    // its id used once (a repeated id would hide one of its two sections), no tag left
    // open to run into the next, no page furniture, nothing too long to read at the pointer.
    void everyTopicIsASmallClosedFragment_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::newRow("Greek") << true;
        QTest::newRow("English") << false;
    }
    void everyTopicIsASmallClosedFragment()
    {
        QFETCH(bool, greek);
        const LoadedHelp &help = greek ? m_greek : m_english;
        const HelpFile &other = greek ? m_english.file : m_greek.file;
        QVERIFY2(!help.html.contains(QChar::ReplacementCharacter), "not valid UTF-8");
        static const QRegularExpression furniture(
            QStringLiteral("<(script|style|img|link|body|html|head|iframe)\\b"), QRegularExpression::CaseInsensitiveOption);
        for (const QString &id : help.file.topicIds()) {
            const QString text = help.file.topic(id);
            const QByteArray where = id.toUtf8();
            QVERIFY2(other.contains(id), (where + " in one language only").constData());
            QVERIFY2(help.html.count(QStringLiteral("id=\"%1\"").arg(id)) == 1, (where + " repeated").constData());
            QVERIFY2(text.startsWith(QLatin1String("<h3")), where.constData());
            QVERIFY2(!plainText(text.section(QLatin1String("</h3>"), 1)).isEmpty(), (where + " has no text").constData());
            QVERIFY2(!furniture.match(text).hasMatch(), where.constData());
            for (const char *tag : {"h3", "p", "ul", "li", "b", "i", "kbd"}) {
                const QRegularExpression open(QStringLiteral("<%1[\\s>]").arg(QLatin1String(tag)));
                const QRegularExpression close(QStringLiteral("</%1>").arg(QLatin1String(tag)));
                QVERIFY2(text.count(open) == text.count(close), (where + " <" + tag + ">").constData());
            }
            QVERIFY2(plainText(text).split(QLatin1Char(' ')).size() <= MaxWordsPerTopic, where.constData());
        }
    }

    // The program writes "φάκελλος" with two lambdas; the help must read the same.
    void greekKeepsTheProgramsSpelling()
    {
        static const QRegularExpression singleLambda(QStringLiteral("φ[άα]κ[εέ]λ[^λ]"),
                                                        QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = singleLambda.match(m_greek.html);
        QVERIFY2(!m.hasMatch(), qPrintable(m.captured(0)));
    }
};

TIDYHALL_TEST_MAIN(HelpFilesTest)
#include "tst_HelpFiles.moc"
