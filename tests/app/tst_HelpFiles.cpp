#include "TestEnvironment.h"
#include "app/HelpFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtTest>

namespace {

// The topics the main window gives its controls: "frmMain." + objectName.
const char *const MainWindowTopics[] = {
    "frmMain.cmdAsterisk",          "frmMain.cmdDisplayInfo",       "frmMain.cmdEnd",
    "frmMain.cmdHelp",              "frmMain.cmdOptions",           "frmMain.cmdPageSetup",
    "frmMain.cmdPrint",             "frmMain.cmdPropertyRestrictions", "frmMain.cmdRecentPath",
    "frmMain.cmdRefresh",           "frmMain.cmdSavePath",          "frmMain.cmdStopMonitoring",
    "frmMain.cmdUpOneLevel",        "frmMain.Dir1",                 "frmMain.Drive1",
    "frmMain.fraAppearance",        "frmMain.fraFileProperties",    "frmMain.fraOrderOfAppearance",
    "frmMain.lblCopyright",         "frmMain.lblCurrentPath",       "frmMain.lblFileType",
    "frmMain.txtFileType",          "frmMain.lblInfo",              "frmMain.lstMonitoredPaths",
    "frmMain.picCopyright",         "frmMain.cmdSelections",        "frmMain.cmdCommands",
    "frmMain.chkAppearance(0)",     "frmMain.chkAppearance(1)",     "frmMain.chkFileProperties(0)",
    "frmMain.chkFileProperties(1)", "frmMain.chkFileProperties(2)", "frmMain.chkFileProperties(3)",
    "frmMain.optAppearance(0)",     "frmMain.optAppearance(1)",     "frmMain.optAppearance(2)",
    "frmMain.cmdLanguage(0)",       "frmMain.cmdLanguage(1)",
};

// A topic is shown as a pop-up at the pointer; beyond this it would cover the window.
constexpr int MaxWordsPerTopic = 200;

struct LoadedHelp
{
    QString html;
    HelpFile file;
    bool validUtf8 = false;
};

LoadedHelp load(const QString &name)
{
    LoadedHelp help;
    QFile f(qEnvironmentVariable("TIDYHALL_TEST_SOURCE_DIR") + QStringLiteral("/resources/help/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return help;
    QStringDecoder decoder(QStringDecoder::Utf8);
    help.html = decoder(f.readAll());
    help.validUtf8 = !decoder.hasError();
    help.file = HelpFile::parse(help.html);
    return help;
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
        for (const char *topic : MainWindowTopics)
            QTest::newRow(topic) << QString::fromLatin1(topic);
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
        QVERIFY(help.validUtf8);
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
