#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "fileops/OptionsCommandsGui.h"
#include "mainwin/FolderListWidget.h"
#include "mainwin/ListingModel.h"
#include "mainwin/MainTexts.h"
#include "platform/Prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

namespace {

// Swallows Enter in the pattern box, so it never beeps or breaks the line.
class SwallowEnter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void frmMain::wireControls()
{
    auto *model = new ListingModel(this);
    lvwInfo->setModel(model);
    lvwInfo->viewport()->installEventFilter(this);
    qApp->installEventFilter(this);
    qApp->installEventFilter(m_help.get());
    txtFileType->installEventFilter(new SwallowEnter(txtFileType));

    connect(lvwInfo->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int s) { onHeaderClicked(s); });
    connect(lvwInfo->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!m_settingWidths)
            m_columnWidths.insert(column, width);
    });
    connect(Drive1, &QComboBox::currentIndexChanged, this, [this](int i) { onDriveChosen(i); });
    connect(Dir1, &FolderListWidget::pathChanged, this, [this](const QString &f) { onFolderChanged(f); });
    connect(Dir1, &FolderListWidget::openRequested, this, [this](const QString &f) { onOpenFolder(f); });
    connect(txtFileType, &QLineEdit::textChanged, this, [this] { onPatternChanged(); });
    connect(cmdAsterisk, &QPushButton::clicked, this, [this] { txtFileType->setText(QStringLiteral("*.*")); });
    connect(cmdDisplayInfo, &QToolButton::clicked, this, [this] { DisplayListing(); });
    connect(cmdUpOneLevel, &QToolButton::clicked, this, [this] { UpOneLevel(); });
    connect(cmdEnd, &QToolButton::clicked, this, [this] { close(); });
    connect(cmdOptions, &QToolButton::clicked, this, [this] { OpenOptionsDialog(this, m_state, m_prompter); });
    connect(cmdHelp, &QToolButton::clicked, this, [this] { showHelpMessage(); });
    connect(cmdLanguage[0], &QPushButton::clicked, this, [this] { ApplyLanguage(0); });
    connect(cmdLanguage[1], &QPushButton::clicked, this, [this] { ApplyLanguage(1); });
    connect(cmdPropertyRestrictions, &QPushButton::clicked, this, [this] { onPropertyRestrictionsClicked(); });
    for (QCheckBox *box : chkAppearance)
        connect(box, &QCheckBox::clicked, this, [this] { onAppearanceClicked(); });
    for (QCheckBox *box : chkFileProperties)
        connect(box, &QCheckBox::clicked, this, [this] { onPropertyClicked(); });
    for (int i = 0; i < 3; ++i)
        connect(optAppearance[i], &QRadioButton::clicked, this, [this, i] { onOrderClicked(i); });
}

void frmMain::assignHelpTopics()
{
    for (QWidget *w : std::initializer_list<QWidget *>{
             cmdAsterisk, cmdDisplayInfo, cmdEnd, cmdHelp, cmdOptions, cmdPageSetup, cmdPrint,
             cmdPropertyRestrictions, cmdRecentPath, cmdRefresh, cmdSavePath, cmdStopMonitoring, cmdUpOneLevel, Dir1,
             Drive1, fraAppearance, fraFileProperties, fraOrderOfAppearance, lblCopyright, lblCurrentPath,
             lblFileType, txtFileType, lblInfo, lstMonitoredPaths, picCopyright, cmdSelections, cmdCommands})
        ContextHelp::setTopic(w, QStringLiteral("frmMain.") + w->objectName());
    for (QWidget *w : std::initializer_list<QWidget *>{chkAppearance[0], chkAppearance[1], chkFileProperties[0],
                                                       chkFileProperties[1], chkFileProperties[2],
                                                       chkFileProperties[3], optAppearance[0], optAppearance[1],
                                                       optAppearance[2], cmdLanguage[0], cmdLanguage[1]})
        ContextHelp::setTopic(w, QStringLiteral("frmMain.") + w->objectName());
}

void frmMain::showHelpMessage()
{
    const bool greek = m_state.LanguageGreek;
    using namespace MainTexts;
    const QString text = HelpParagraph1.in(greek) + NewLine + NewLine + HelpParagraph2.in(greek) + NewLine + NewLine
                         + HelpParagraph3.in(greek) + NewLine + NewLine + HelpParagraph4.in(greek);
    m_prompter.inform(HelpTitle.in(greek), text);
}
