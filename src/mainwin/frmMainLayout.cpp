#include "mainwin/frmMain.h"

#include "mainwin/FolderListWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

// A classic one-folder window: navigation and filters on the left, the button row on
// top, the listing filling the rest and growing with the window.
void frmMain::buildLayout()
{
    QWidget *central = centralWidget();

    auto *driveRow = new QHBoxLayout;
    driveRow->addWidget(Drive1, 1);
    driveRow->addWidget(cmdUpOneLevel);


    auto *patternRow = new QHBoxLayout;
    patternRow->addWidget(lblFileType);
    patternRow->addWidget(txtFileType, 1);
    patternRow->addWidget(cmdAsterisk);
    cmdAsterisk->setFixedWidth(40);

    auto *appearance = new QHBoxLayout(fraAppearance);
    appearance->addWidget(chkAppearance[0]);
    appearance->addWidget(chkAppearance[1]);

    auto *properties = new QGridLayout(fraFileProperties);
    for (int i = 0; i < 4; ++i)
        properties->addWidget(chkFileProperties[i], i, 0);
    properties->addWidget(cmdPropertyRestrictions, 0, 1, 4, 1, Qt::AlignCenter);
    properties->setColumnStretch(0, 1);

    auto *order = new QVBoxLayout(fraOrderOfAppearance);
    for (QRadioButton *button : optAppearance)
        order->addWidget(button);

    auto *left = new QVBoxLayout;
    left->addLayout(driveRow);
    // The monitored paths take the folder tree's place while monitoring: one of the
    // two is shown at a time.
    left->addWidget(Dir1, 1);
    left->addWidget(lstMonitoredPaths, 1);
    left->addLayout(patternRow);
    left->addWidget(fraAppearance);
    left->addWidget(fraFileProperties);
    left->addWidget(fraOrderOfAppearance);
    auto *leftPane = new QWidget(central);
    leftPane->setLayout(left);
    leftPane->setFixedWidth(300);
    left->setContentsMargins(0, 0, 0, 0);


    auto *buttons = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{cmdDisplayInfo, cmdRefresh, cmdSavePath, cmdRecentPath,
                                                       cmdPrint, cmdPageSetup, cmdOptions})
        buttons->addWidget(w);
    buttons->addSpacing(12);
    buttons->addWidget(cmdLanguage[0]);
    buttons->addWidget(cmdLanguage[1]);
    buttons->addStretch(1);
    buttons->addWidget(cmdHelp);
    // cmdStopMonitoring takes cmdEnd's place while monitoring.
    buttons->addWidget(cmdEnd);
    buttons->addWidget(cmdStopMonitoring);

    auto *copyright = new QHBoxLayout;
    copyright->addWidget(picCopyright);
    copyright->addWidget(lblCopyright, 1);

    auto *right = new QVBoxLayout;
    right->addLayout(buttons);
    right->addWidget(lblCurrentPath);
    right->addWidget(lvwInfo, 1);
    right->addWidget(lblInfo);
    right->addLayout(copyright);
    right->setContentsMargins(0, 0, 0, 0);

    auto *main = new QHBoxLayout(central);
    main->addWidget(leftPane);
    main->addLayout(right, 1);
}
