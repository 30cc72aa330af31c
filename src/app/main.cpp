#include "app/AppState.h"
#include "app/WidgetPrompter.h"
#include "mainwin/frmMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tidyhall"));
    QApplication::setDesktopFileName(QStringLiteral("tidyhall"));

    AppState state;
    WidgetPrompter prompter(state.LanguageGreek);
    frmMain window(state, prompter);
    prompter.setParent(&window);
    if (!window.load())
        return 1;
    window.show();
    return app.exec();
}
