#include "output/frmPageSetup.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "app/Settings.h"
#include "output/PrintTexts.h"
#include "app/UpDownWidget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel *namedLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QString rangeText(int minimum, int maximum)
{
    return QString::number(minimum) + QLatin1String(PrintTexts::RangeDash) + QString::number(maximum);
}

} // namespace

frmPageSetup::frmPageSetup(AppState &state, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmPageSetup"));
    setModal(true);
    buildControls();
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    load();
}

void frmPageSetup::buildControls()
{
    fraFont = new QGroupBox(this);
    fraFont->setObjectName(QStringLiteral("fraFont"));
    chkCourierNew = new QRadioButton(fraFont);
    chkCourierNew->setObjectName(QStringLiteral("chkCourierNew"));
    chkCourierNewGreek = new QRadioButton(fraFont);
    chkCourierNewGreek->setObjectName(QStringLiteral("chkCourierNewGreek"));
    // A group that may start with neither chosen: no font chosen yet.
    auto *fonts = new QButtonGroup(this);
    fonts->addButton(chkCourierNew);
    fonts->addButton(chkCourierNewGreek);

    const auto numberRow = [](QWidget *frame, QGridLayout *grid, int row, QLabel *&title, QLabel *&value,
                              UpDownWidget *&upDown, QLabel *&range, const char *name, int minimum, int maximum) {
        const QByteArray base(name);
        title = namedLabel(frame, ("lbl" + base + "Title").constData());
        value = namedLabel(frame, ("lbl" + base).constData());
        value->setMinimumWidth(28);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFrameShape(QFrame::StyledPanel);
        upDown = new UpDownWidget(value, minimum, maximum, frame);
        upDown->setObjectName(QLatin1String("upd" + base));
        range = namedLabel(frame, ("lbl" + base + "MinMax").constData());
        range->setText(rangeText(minimum, maximum));
        grid->addWidget(title, row, 0);
        grid->addWidget(value, row, 1);
        grid->addWidget(upDown, row, 2);
        grid->addWidget(range, row, 3);
    };

    auto *fontGrid = new QGridLayout(fraFont);
    fontGrid->addWidget(chkCourierNew, 0, 0, 1, 4);
    fontGrid->addWidget(chkCourierNewGreek, 1, 0, 1, 4);
    numberRow(fraFont, fontGrid, 2, lblFontSizeTitle, lblFontSize, updFontSize, lblFontSizeMinMax, "FontSize", 8, 9);
    fontGrid->setColumnStretch(3, 1);

    fraMargin = new QGroupBox(this);
    fraMargin->setObjectName(QStringLiteral("fraMargin"));
    auto *marginGrid = new QGridLayout(fraMargin);
    numberRow(fraMargin, marginGrid, 0, lblTopMarginTitle, lblTopMargin, updTopMargin, lblTopMarginMinMax,
              "TopMargin", 0, 10);
    numberRow(fraMargin, marginGrid, 1, lblLeftMarginTitle, lblLeftMargin, updLeftMargin, lblLeftMarginMinMax,
              "LeftMargin", 0, 20);
    numberRow(fraMargin, marginGrid, 2, lblLinesPerPageTitle, lblLinesPerPage, updLinesPerPage,
              lblLinesPerPageMinMax, "LinesPerPage", 40, 70);
    marginGrid->setColumnStretch(3, 1);

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *frames = new QHBoxLayout;
    frames->addWidget(fraFont, 1);
    frames->addWidget(fraMargin, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frames, 1);
    layout->addLayout(buttons);

    // The labels of a number share the topic of its up-down control.
    const auto topic = [](QWidget *control, const char *name) {
        ContextHelp::setTopic(control, QStringLiteral("frmPageSetup.") + QLatin1String(name));
    };
    for (QWidget *control : {static_cast<QWidget *>(fraFont), static_cast<QWidget *>(chkCourierNew),
                             static_cast<QWidget *>(chkCourierNewGreek), static_cast<QWidget *>(fraMargin),
                             static_cast<QWidget *>(cmdOK), static_cast<QWidget *>(cmdCancel)})
        topic(control, control->objectName().toLatin1().constData());
    for (QWidget *control : {static_cast<QWidget *>(lblFontSizeTitle), static_cast<QWidget *>(lblFontSize),
                             static_cast<QWidget *>(updFontSize), static_cast<QWidget *>(lblFontSizeMinMax)})
        topic(control, "updFontSize");
    for (QWidget *control : {static_cast<QWidget *>(lblTopMarginTitle), static_cast<QWidget *>(lblTopMargin),
                             static_cast<QWidget *>(updTopMargin), static_cast<QWidget *>(lblTopMarginMinMax)})
        topic(control, "updTopMargin");
    for (QWidget *control : {static_cast<QWidget *>(lblLeftMarginTitle), static_cast<QWidget *>(lblLeftMargin),
                             static_cast<QWidget *>(updLeftMargin), static_cast<QWidget *>(lblLeftMarginMinMax)})
        topic(control, "updLeftMargin");
    for (QWidget *control : {static_cast<QWidget *>(lblLinesPerPageTitle), static_cast<QWidget *>(lblLinesPerPage),
                             static_cast<QWidget *>(updLinesPerPage), static_cast<QWidget *>(lblLinesPerPageMinMax)})
        topic(control, "updLinesPerPage");
}

void frmPageSetup::load()
{
    RunTrapped(m_prompter, m_state, "063", [&] {
        using namespace PrintTexts;
        const bool greek = m_state.LanguageGreek;
        setWindowTitle(PageSetupCaption.in(greek));
        fraFont->setTitle(FontFrame.in(greek));
        chkCourierNew->setText(CourierNew.in(greek));
        chkCourierNewGreek->setText(CourierNewGreek.in(greek));
        lblFontSizeTitle->setText(FontSizeTitle.in(greek));
        fraMargin->setTitle(MarginFrame.in(greek));
        lblTopMarginTitle->setText(TopMarginTitle.in(greek));
        lblLeftMarginTitle->setText(LeftMarginTitle.in(greek));
        lblLinesPerPageTitle->setText(LinesPerPageTitle.in(greek));
        cmdOK->setText(OK.in(greek));
        cmdCancel->setText(Cancel.in(greek));

        chkCourierNew->setChecked(m_state.PrintFontName == QLatin1String(FontEnglish));
        chkCourierNewGreek->setChecked(m_state.PrintFontName == QLatin1String(FontGreek));
        updFontSize->setValue(m_state.PrintFontSize);
        updTopMargin->setValue(m_state.PrintTopMargin);
        updLeftMargin->setValue(m_state.PrintLeftMargin);
        updLinesPerPage->setValue(m_state.PrintLinesPerPage);
    });
}

void frmPageSetup::cmdOK_Click()
{
    const bool done = RunTrapped(m_prompter, m_state, "062", [&] {
        if (chkCourierNew->isChecked())
            m_state.PrintFontName = QLatin1String(PrintTexts::FontEnglish);
        else if (chkCourierNewGreek->isChecked())
            m_state.PrintFontName = QLatin1String(PrintTexts::FontGreek);
        m_state.PrintFontSize = lblFontSize->text().toInt();
        m_state.PrintTopMargin = lblTopMargin->text().toInt();
        m_state.PrintLeftMargin = lblLeftMargin->text().toInt();
        m_state.PrintLinesPerPage = lblLinesPerPage->text().toInt();
        writeSetting(m_state.IniPath, Keys::TopMargin, m_state.PrintTopMargin);
        writeSetting(m_state.IniPath, Keys::LeftMargin, m_state.PrintLeftMargin);
        writeSetting(m_state.IniPath, Keys::LinesPerPage, m_state.PrintLinesPerPage);
        writeSetting(m_state.IniPath, Keys::FontName, m_state.PrintFontName);
        writeSetting(m_state.IniPath, Keys::FontSize, m_state.PrintFontSize);
    });
    if (done)
        accept();
}

void frmPageSetup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        CentreOverParent(this);
        m_centred = true;
    }
}
