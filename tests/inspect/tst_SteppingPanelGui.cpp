#include "TestEnvironment.h"
#include "inspect/SteppingPanelWidget.h"
#include "platform/Bilingual.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

constexpr Bilingual ActionCaption{"Άνοιγμα", "Open"};

void clickInWindow(QWidget *control)
{
    QWidget *top = control->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, control->mapTo(top, control->rect().center()));
}

} // namespace

class SteppingPanelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Clicks on the window walk the items; the action acts on the item shown and leaves
    // the position alone; "Enough" is the dialog's to handle.
    void clicksWalkTheItems()
    {
        QDialog dialog;
        auto *panel = new SteppingPanelWidget(QStringLiteral("cmdOpen"), &dialog);
        (new QVBoxLayout(&dialog))->addWidget(panel);
        panel->applyLanguage(false, ActionCaption);
        const QChar nul(u'\0');
        panel->setEntries({QStringLiteral("/d/one") + nul, QStringLiteral("/d/-two \xDCFF") + nul,
                           QStringLiteral("/d/three") + nul});
        QStringList acted;
        int enough = 0;
        connect(panel, &SteppingPanelWidget::actionClicked, &dialog, [&] { acted << panel->currentPath(); });
        connect(panel, &SteppingPanelWidget::enoughClicked, &dialog, [&] { ++enough; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdStep(2)")), panel->cmdStep[2]);
        QCOMPARE(panel->lblName->text(), QStringLiteral("Selected item 1 of 3. Title: "));
        QVERIFY(!panel->cmdStep[1]->isEnabled());

        clickInWindow(panel->cmdStep[2]);
        QCOMPARE(panel->lblName->text(), QStringLiteral("Selected item 2 of 3. Title: "));
        QCOMPARE(panel->txtName->text(), QStringLiteral("-two \\xFF"));
        QVERIFY(panel->cmdStep[1]->isEnabled() && panel->cmdStep[2]->isEnabled());

        clickInWindow(panel->actionButton);
        clickInWindow(panel->actionButton);
        QCOMPARE(acted, QStringList(2, QStringLiteral("/d/-two \xDCFF")));
        QCOMPARE(panel->position(), 2);

        clickInWindow(panel->cmdStep[3]);
        QVERIFY(!panel->cmdStep[2]->isEnabled());
        QCOMPARE(panel->txtName->text(), QStringLiteral("three"));
        clickInWindow(panel->cmdCancel);
        QCOMPARE(enough, 1);
    }

    void captionsFollowTheLanguage()
    {
        SteppingPanelWidget panel(QStringLiteral("cmdOpen"));
        panel.setEntries({QStringLiteral("/d/a"), QStringLiteral("/d/b")});
        panel.applyLanguage(true, ActionCaption);
        QStringList captions;
        for (QPushButton *b : panel.cmdStep)
            captions << b->text();
        captions << panel.actionButton->text() << panel.cmdCancel->text() << panel.lblName->text();
        QCOMPARE(captions, (QStringList{"Πρώτο", "Προηγούμενο", "Επόμενο", "Τελευταίο", "Άνοιγμα", "Αρκετά",
                                        "Επιλεγμένο στοιχείο 1 από 2. Τίτλος:"}));
    }

    void oneItemDisablesEveryStep()
    {
        SteppingPanelWidget panel(QStringLiteral("cmdPrint"));
        panel.setEntries({QStringLiteral("/d/only")});
        for (QPushButton *b : panel.cmdStep)
            QVERIFY(!b->isEnabled());
        QVERIFY(panel.actionButton->isEnabled());
        QCOMPARE(panel.actionButton->objectName(), QStringLiteral("cmdPrint"));
    }
};

TIDYHALL_GUI_TEST_MAIN(SteppingPanelTest)
#include "tst_SteppingPanelGui.moc"
