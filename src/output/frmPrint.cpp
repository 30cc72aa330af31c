#include "output/frmPrint.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "app/Settings.h"
#include "mainwin/CountLine.h"
#include "output/PrintAnimationGui.h"
#include "output/PrintJobGui.h"
#include "output/PrintPaths.h"
#include "output/PrintTextFile.h"
#include "output/PrintTexts.h"
#include "platform/Volumes.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmPrint::frmPrint(AppState &state, Prompter &prompter, PrintServices &services, PrintListing listing,
                   QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter), m_services(services), m_listing(std::move(listing))
{
    setObjectName(QStringLiteral("frmPrint"));
    setModal(true);
    chkPrintToFile = new QCheckBox(this);
    chkPrintToFile->setObjectName(QStringLiteral("chkPrintToFile"));
    cmdPrint = new QPushButton(this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    lblPleaseWait = new QLabel(this);
    lblPleaseWait->setObjectName(QStringLiteral("lblPleaseWait"));
    lblPleaseWait->setAlignment(Qt::AlignCenter);
    lblPleaseWait->hide();
    prbProgressBar = new QProgressBar(this);
    prbProgressBar->setObjectName(QStringLiteral("prbProgressBar"));
    prbProgressBar->setRange(0, 100);
    prbProgressBar->hide();
    for (std::size_t i = 0; i < Animation1.size(); ++i) {
        Animation1[i] = new QLabel(this);
        Animation1[i]->setObjectName(QStringLiteral("Animation1(%1)").arg(i));
        Animation1[i]->setFixedSize(48, 48);
        Animation1[i]->hide();
    }

    auto *waitRow = new QHBoxLayout;
    waitRow->addWidget(Animation1[0]);
    waitRow->addWidget(lblPleaseWait, 1);
    waitRow->addWidget(Animation1[1]);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chkPrintToFile);
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(waitRow);
    layout->addWidget(prbProgressBar);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    for (QWidget *control : {static_cast<QWidget *>(chkPrintToFile), static_cast<QWidget *>(cmdPrint),
                             static_cast<QWidget *>(cmdCancel)})
        ContextHelp::setTopic(control, QStringLiteral("frmPrint.") + control->objectName());

    connect(chkPrintToFile, &QCheckBox::clicked, this, [this](bool on) { m_state.PrintToFile = on; });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    load();
}

void frmPrint::load()
{
    RunTrapped(m_prompter, m_state, "061", [&] {
        using namespace PrintTexts;
        const bool greek = m_state.LanguageGreek;
        m_pages = PageCount(m_listing.count, m_state.PrintLinesPerPage);
        setWindowTitle(PrintCaption.in(greek) + QString::number(m_pages) + QLatin1Char('.'));
        chkPrintToFile->setText(PrintToFile.in(greek));
        chkPrintToFile->setToolTip(TipPrintToFile.in(greek));
        cmdPrint->setText(Print.in(greek));
        cmdPrint->setToolTip(TipPrint.in(greek));
        cmdCancel->setText(Cancel.in(greek));
        cmdCancel->setToolTip(TipCancel.in(greek));
        lblPleaseWait->setText(PleaseWait.in(greek));
        chkPrintToFile->setChecked(m_state.PrintToFile);
    });
}

void frmPrint::cmdPrint_Click()
{
    m_running = true;
    const bool ok = RunTrapped(m_prompter, m_state, "064", [&] { printJob(); });
    m_running = false;
    // A job that ended, well or not, closes the dialog; a cancelled file choice does not.
    if (!ok || !cmdPrint->isEnabled())
        accept();
}

void frmPrint::printJob()
{
    const bool pageGreek = PageLanguageGreek(m_state.PrintFontName);
    QString target;
    if (m_state.PrintToFile) {
        const QString proposed = ProposedPrintFileName(m_state.CurrentPath, volumeKey(volumeOf(m_state.CurrentPath)));
        target = AskPrintFileName(m_services, this, m_state.CurrentPath, proposed, m_state.LanguageGreek);
        if (target.isEmpty())
            return;
    }

    struct Busy
    {
        frmPrint &d;
        explicit Busy(frmPrint &dialog) : d(dialog)
        {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            for (QWidget *w : {static_cast<QWidget *>(d.cmdPrint), static_cast<QWidget *>(d.cmdCancel),
                               static_cast<QWidget *>(d.chkPrintToFile)})
                w->setEnabled(false);
            d.lblPleaseWait->show();
            for (QLabel *animation : d.Animation1)
                animation->show();
            d.prbProgressBar->setValue(0);
            d.prbProgressBar->show();
            d.setAnimations(true);
        }
        ~Busy() { QApplication::restoreOverrideCursor(); }
    } busy(*this);
    QCoreApplication::processEvents();

    PrintFrame frame;
    frame.information = CountLine(m_state, pageGreek);
    frame.path = PrintableName(m_state.CurrentPath);
    frame.greek = pageGreek;
    frame.topMargin = m_state.PrintTopMargin;
    frame.leftMargin = m_state.PrintLeftMargin;
    frame.linesPerPage = m_state.PrintLinesPerPage;
    frame.toFile = !target.isEmpty();

    const std::int64_t count = m_listing.count;
    const auto itemLine = [this](std::int64_t i) { return ListingItemLine(m_listing.item(i)); };
    int shown = -1;
    const auto afterItem = [&](std::int64_t done) {
        const int percent = int(std::min<std::int64_t>(100, done * 100 / std::max<std::int64_t>(1, count)));
        if (percent != shown) {
            prbProgressBar->setValue(percent);
            shown = percent;
        }
        if (done % 10 == 0)
            QCoreApplication::processEvents();
    };

    if (frame.toFile) {
        PrintTextFile file(target, m_state.LanguageGreek);
        WritePrintout(frame, count, itemLine, file, afterItem);
        file.commit();
    } else {
        QPrinter &printer = PrinterForJob(m_services, m_state.LanguageGreek);
        PrinterPages pages(printer, m_state.PrintFontSize, m_state.PrintLeftMargin + PrintLineWidth,
                           m_state.PrintTopMargin + 4 + m_state.PrintLinesPerPage, windowTitle(),
                           m_state.LanguageGreek);
        WritePrintout(frame, count, itemLine, pages, afterItem);
        pages.finish(m_state.LanguageGreek);
    }
    prbProgressBar->setValue(100);
    QCoreApplication::processEvents();
}

void frmPrint::setAnimations(bool playing)
{
    for (QLabel *label : Animation1)
        PlayPrintAnimation(label, m_state.PrintAnimationFile, playing);
}

void frmPrint::done(int result)
{
    // The job lets window events run; closing the window meanwhile waits for its end.
    if (m_running)
        return;
    setAnimations(false);
    writeSetting(m_state.IniPath, Keys::PrintToFile, m_state.PrintToFile);
    QDialog::done(result);
}

void frmPrint::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        CentreOverParent(this);
        m_centred = true;
    }
}
