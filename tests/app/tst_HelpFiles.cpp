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

// The topic without its heading: what the reader gets beyond the title.
QString bodyText(const QString &topicHtml)
{
    const qsizetype end = topicHtml.indexOf(QLatin1String("</h3>"));
    return end < 0 ? QString() : plainText(topicHtml.mid(end + 5));
}

} // namespace

class HelpFilesTest : public QObject
{
    Q_OBJECT
    LoadedHelp m_greek;
    LoadedHelp m_english;

    const LoadedHelp &help(bool greek) const { return greek ? m_greek : m_english; }

    static QStringList sortedIds(const HelpFile &file)
    {
        QStringList ids = file.topicIds();
        ids.sort();
        return ids;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_greek = load(QStringLiteral("TidyhallGr.hlp"));
        m_english = load(QStringLiteral("TidyhallUk.hlp"));
        QVERIFY2(!m_greek.html.isEmpty(), "TidyhallGr.hlp not found or empty");
        QVERIFY2(!m_english.html.isEmpty(), "TidyhallUk.hlp not found or empty");
    }

    void mainWindowTopicHasTextInBothLanguages_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::newRow("overview") << QStringLiteral("overview");
        for (const char *topic : MainWindowTopics)
            QTest::newRow(topic) << QString::fromLatin1(topic);
    }
    void mainWindowTopicHasTextInBothLanguages()
    {
        QFETCH(QString, topic);
        for (const bool greek : {true, false}) {
            const QString text = help(greek).file.topic(topic);
            const QByteArray where = (greek ? "Greek: " : "English: ") + topic.toUtf8();
            QVERIFY2(text.startsWith(QLatin1String("<h3")) && !bodyText(text).isEmpty(), where.constData());
        }
    }

    void bothLanguagesHaveTheSameTopics() { QCOMPARE(sortedIds(m_greek.file), sortedIds(m_english.file)); }

    // Each topic stands alone in its pop-up: its id used once (a repeated id would hide
    // one of its two sections), no tag left open to run into the next, no page
    // furniture, nothing too long to read at the pointer.
    void everyTopicIsASmallClosedFragment_data()
    {
        QTest::addColumn<bool>("greek");
        QTest::newRow("Greek") << true;
        QTest::newRow("English") << false;
    }
    void everyTopicIsASmallClosedFragment()
    {
        QFETCH(bool, greek);
        const HelpFile &file = help(greek).file;
        QVERIFY(help(greek).validUtf8);
        static const QRegularExpression heading(QStringLiteral("<h3\\s+id=\"([^\"]+)\"\\s*>"));
        QStringList headings;
        for (const QRegularExpressionMatch &m : heading.globalMatch(help(greek).html))
            headings.append(m.captured(1));
        QCOMPARE(headings.size(), file.topicIds().size());
        QCOMPARE(headings.first(), QStringLiteral("overview"));
        static const QRegularExpression furniture(
            QStringLiteral("<(script|style|img|link|body|html|head|iframe)\\b"), QRegularExpression::CaseInsensitiveOption);
        for (const QString &id : file.topicIds()) {
            const QString text = file.topic(id);
            const QByteArray where = id.toUtf8();
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
