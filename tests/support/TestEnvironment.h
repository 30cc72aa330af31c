#pragma once

#include <QTemporaryDir>

// Gives a test program a predictable world: C.UTF-8 locale, 96 dpi, the offscreen
// platform, non-native dialogs, and HOME / XDG_* / TIDYHALL_HOME pointed at a fresh
// temporary folder, so no test reads or writes the developer's own files.
class TestEnvironment
{
public:
    TestEnvironment();
    QString home() const { return m_root.path() + QStringLiteral("/home"); }
    QString dataFolder() const { return m_root.path() + QStringLiteral("/data"); }

private:
    QTemporaryDir m_root;
};

void prepareTestProcess();

// Like QTEST_MAIN / QTEST_GUILESS_MAIN, with the environment above set before Qt starts.
#define TIDYHALL_TEST_MAIN_IMPL(TestObject, AppClass)                                                        \
    int main(int argc, char **argv)                                                                            \
    {                                                                                                          \
        prepareTestProcess();                                                                                  \
        TestEnvironment environment;                                                                           \
        AppClass app(argc, argv);                                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                               \
        TestObject tc;                                                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                                                             \
        return QTest::qExec(&tc, argc, argv);                                                                  \
    }

#define TIDYHALL_TEST_MAIN(TestObject) TIDYHALL_TEST_MAIN_IMPL(TestObject, QCoreApplication)
// For tests that drive windows; the including file also includes <QApplication>.
#define TIDYHALL_GUI_TEST_MAIN(TestObject) TIDYHALL_TEST_MAIN_IMPL(TestObject, QApplication)
