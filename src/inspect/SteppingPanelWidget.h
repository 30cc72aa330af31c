#pragma once

#include "inspect/SelectionStepper.h"

#include <QWidget>
#include <array>

struct Bilingual;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The stepping controls every stepping dialog shares: the position line lblName, the
// current name txtName, the step buttons cmdStep(0..3) (First, Previous, Next, Last),
// the dialog's action button and cmdCancel ("Enough"). The panel does the stepping
// itself; the dialog only captions it and acts on currentPath().
//
//   auto *panel = new SteppingPanelWidget(QStringLiteral("cmdOpen"), this);
//   panel->applyLanguage(greek, OpenCaption);
//   panel->setEntries(selectedItems);          // shows item 1
//   connect(panel, &SteppingPanelWidget::actionClicked, this, [=] { open(panel->currentPath()); });
//   connect(panel, &SteppingPanelWidget::enoughClicked, this, &QDialog::reject);
//
// Every control's objectName is its name above (cmdStep(2), the action's own name), so
// help topics and tests find it.
class SteppingPanelWidget : public QWidget
{
    Q_OBJECT
public:
    explicit SteppingPanelWidget(const QString &actionName, QWidget *parent = nullptr);

    // Captions: the step buttons, "Enough", the action button's `actionCaption`.
    void applyLanguage(bool greek, const Bilingual &actionCaption);

    // Replaces the items and presses First, so item 1 is shown.
    void setEntries(const QStringList &entries);

    // What a click on cmdStep(step) does: move, enable the step buttons, show the
    // position line and the name, enable the action button; then `stepped`.
    void step(SelectionStepper::Step step);
    // Shows the current item again (after the action changed it).
    void showCurrent();

    const SelectionStepper &stepper() const { return m_stepper; }
    int position() const { return m_stepper.position(); }
    QString currentPath() const { return m_stepper.currentPath(); }
    // After the current item was renamed; shows it under its new name.
    void replaceCurrent(const QString &path);

    // A place below the name for a dialog's own controls.
    QVBoxLayout *contentArea() const { return m_content; }

    QLabel *lblName = nullptr;
    QLineEdit *txtName = nullptr;
    std::array<QPushButton *, 4> cmdStep{};
    QPushButton *actionButton = nullptr;
    QPushButton *cmdCancel = nullptr;

Q_SIGNALS:
    void stepped(int position);
    void actionClicked();
    void enoughClicked();

private:
    SelectionStepper m_stepper;
    QVBoxLayout *m_content = nullptr;
    bool m_greek = false;
};
