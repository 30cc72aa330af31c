#include "output/frmComments.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DataPaths.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "app/Settings.h"
#include "app/WaitCursorGui.h"
#include "output/PrintJobGui.h"
#include "output/PrintLayout.h"
#include "output/PrintPaths.h"
#include "output/PrintTextFile.h"
#include "output/PrintTexts.h"
#include "platform/AtomicFile.h"
#include "platform/ExactName.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int CommentLength = 100;
const QColor FolderColour(224, 224, 224);
const QColor FileColour(192, 255, 192);
const QColor EmptyCommentColour(0, 0, 255);

// Grid widths are given in twips; 15 twips make a pixel at 96 dpi.
int pixels(int twips)
{
    return twips / 15;
}

QString volumeText(const Volume &volume)
{
    return volume.label.isEmpty() ? volume.mountPoint
                                  : volume.mountPoint + QStringLiteral("  [") + volume.label + QLatin1Char(']');
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

frmComments::frmComments(AppState &state, Prompter &prompter, PrintServices &services, const QString &mountPoint,
                         QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter), m_services(services)
{
    setObjectName(QStringLiteral("frmComments"));
    setModal(true);
    buildControls();
    RunTrapped(m_prompter, m_state, "094", [&] {
        using namespace PrintTexts;
        const bool greek = m_state.LanguageGreek;
        setWindowTitle(CommentsCaption.in(greek));
        cmdSave->setText(SaveComments.in(greek));
        cmdSave->setToolTip(TipSaveComments.in(greek));
        cmdPrint->setText(PrintComments.in(greek));
        cmdPrint->setToolTip(TipPrintComments.in(greek));
        chkPrintToFile->setText(CommentsPrintToFile.in(greek));
        chkPrintToFile->setToolTip(TipPrintToFile.in(greek));
        cmdOK->setText(OK.in(greek));
        cmdOK->setToolTip(TipCommentsOK.in(greek));
        chkPrintToFile->setChecked(m_state.PrintToFile);
        m_modified = false;
        load(mountPoint);
    });
}

void frmComments::buildControls()
{
    drvTargetDisk = new QComboBox(this);
    drvTargetDisk->setObjectName(QStringLiteral("drvTargetDisk"));
    lblObjectNames = new QLabel(this);
    lblObjectNames->setObjectName(QStringLiteral("lblObjectNames"));
    grdComments = new QTableWidget(0, 3, this);
    grdComments->setObjectName(QStringLiteral("grdComments"));
    grdComments->verticalHeader()->hide();
    grdComments->setSelectionMode(QAbstractItemView::NoSelection);
    grdComments->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdComments->horizontalHeader()->setStretchLastSection(true);
    grdComments->setWordWrap(false);
    grdComments->viewport()->installEventFilter(this);
    txtComments = new QLineEdit(this);
    txtComments->setObjectName(QStringLiteral("txtComments"));
    txtComments->setMaxLength(CommentLength);
    txtComments->hide();
    txtComments->installEventFilter(this);
    cmdSave = new QPushButton(this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setAutoDefault(false);
    cmdPrint = new QPushButton(this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setAutoDefault(false);
    chkPrintToFile = new QCheckBox(this);
    chkPrintToFile->setObjectName(QStringLiteral("chkPrintToFile"));
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setAutoDefault(false);
    cmdEdit = new QPushButton(this);
    cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    cmdEdit->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(drvTargetDisk);
    top->addWidget(lblObjectNames, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(chkPrintToFile);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grdComments, 1);
    layout->addLayout(buttons);
    resize(800, 520);

    for (QWidget *control : {static_cast<QWidget *>(lblObjectNames), static_cast<QWidget *>(grdComments),
                             static_cast<QWidget *>(cmdSave), static_cast<QWidget *>(cmdPrint),
                             static_cast<QWidget *>(chkPrintToFile), static_cast<QWidget *>(cmdOK),
                             static_cast<QWidget *>(drvTargetDisk), static_cast<QWidget *>(txtComments)})
        ContextHelp::setTopic(control, QStringLiteral("frmComments.") + control->objectName());

    connect(drvTargetDisk, &QComboBox::currentIndexChanged, this, [this](int i) { drvTargetDisk_Change(i); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(chkPrintToFile, &QCheckBox::clicked, this, [this](bool on) { m_state.PrintToFile = on; });
}

void frmComments::load(const QString &mountPoint)
{
    m_volumes = m_services.volumes ? m_services.volumes() : QList<Volume>{};
    m_filling = true;
    drvTargetDisk->clear();
    for (const Volume &volume : std::as_const(m_volumes))
        drvTargetDisk->addItem(volumeText(volume), volume.mountPoint);
    int index = drvTargetDisk->findData(mountPoint);
    if (index < 0 && !mountPoint.isEmpty()) {
        Volume volume;
        volume.mountPoint = mountPoint;
        m_volumes.append(volume);
        drvTargetDisk->addItem(volumeText(volume), mountPoint);
        index = drvTargetDisk->count() - 1;
    }
    drvTargetDisk->setCurrentIndex(index);
    m_filling = false;
    cmdEdit->click();
}

QString frmComments::commentsFile() const
{
    return CommentsFileFor(m_state, volumeKey(m_volume));
}

QString frmComments::countsLine(bool greek) const
{
    return CommentsCountLine(m_folders, m_files, m_bytes, greek);
}

QString frmComments::modifiedQuestion() const
{
    const bool greek = m_state.LanguageGreek;
    return PrintTexts::ModifiedHead.in(greek) + ExactName::shown(m_volume.mountPoint)
           + PrintTexts::ModifiedTail.in(greek);
}

void frmComments::cmdEdit_Click()
{
    grdComments->hide();
    lblObjectNames->clear();
    const bool ok = RunTrapped(m_prompter, m_state, "096", [&] {
        WaitCursor busy(this);
        repaint();
        m_folders = m_files = m_bytes = 0;
        m_modified = false;
        m_fileUnreadable = false;
        const QString mountPoint = drvTargetDisk->currentData().toString();
        m_volume = Volume{};
        for (const Volume &volume : std::as_const(m_volumes))
            if (volume.mountPoint == mountPoint)
                m_volume = volume;

        using namespace PrintTexts;
        const bool greek = m_state.LanguageGreek;
        grdComments->setRowCount(0);
        grdComments->setHorizontalHeaderLabels(
            {ItemNameHeader.in(greek), QLatin1String(FolderMarkHeader), CommentHeader.in(greek)});
        grdComments->setColumnWidth(0, pixels(2477));
        grdComments->setColumnWidth(1, std::max(pixels(200), grdComments->fontMetrics().horizontalAdvance(
                                                                 QStringLiteral("+")) + 12));
        grdComments->setColumnWidth(2, pixels(8415));
        if (mountPoint.isEmpty())
            return;

        VolumeTopListing listing = ListVolumeTop(mountPoint);
        m_folders = listing.folders;
        m_files = listing.files;
        m_bytes = listing.bytes;
        const QString file = commentsFile();
        try {
            std::optional<QByteArray> bytes = ReadCommentsFile(file);
            if (!bytes) {
                // A save of an older version that stopped half-way left its comments here.
                const QString older = file.chopped(4) + QLatin1String(OldBackupExtension);
                bytes = ReadCommentsFile(older);
            }
            if (bytes)
                ApplyComments(listing.rows, ParseCommentsFile(*bytes));
        } catch (const RuntimeError &e) {
            m_fileUnreadable = true;
            m_unreadableReason = e.description;
        }

        grdComments->setRowCount(int(listing.rows.size()));
        bool anyEmpty = false;
        for (int r = 0; r < listing.rows.size(); ++r) {
            const CommentRow &row = listing.rows[r];
            auto *name = cell(PrintableName(row.name), Qt::AlignLeft);
            name->setData(Qt::UserRole, row.name);
            grdComments->setItem(r, 0, name);
            grdComments->setItem(r, 1, cell(row.folder ? QStringLiteral("+") : QStringLiteral(" "), Qt::AlignHCenter));
            grdComments->setItem(r, 2, cell(row.comment, Qt::AlignLeft));
            colourRow(r);
            anyEmpty = anyEmpty || row.comment.trimmed().isEmpty();
        }
        if (m_fileUnreadable)
            m_prompter.inform(CommentsCaption.in(greek),
                              CommentsUnreadable.in(greek).arg(ExactName::shown(file), m_unreadableReason),
                              PromptIcon::Warning);
        if (anyEmpty)
            m_prompter.inform(CommentsCaption.in(greek), NoCommentsYet.in(greek));
        lblObjectNames->setText(countsLine(greek));
    });
    if (!ok)
        lblObjectNames->clear();
    grdComments->show();
}

void frmComments::colourRow(int row)
{
    const bool folder = grdComments->item(row, 1)->text() == QLatin1String("+");
    for (int c = 0; c < 3; ++c)
        grdComments->item(row, c)->setBackground(folder ? FolderColour : FileColour);
    if (grdComments->item(row, 2)->text().trimmed().isEmpty())
        grdComments->item(row, 2)->setBackground(EmptyCommentColour);
}

void frmComments::drvTargetDisk_Change(int index)
{
    if (m_filling || index < 0)
        return;
    if (m_modified) {
        const bool greek = m_state.LanguageGreek;
        if (m_prompter.askYesNo(PrintTexts::SaveComments.in(greek), modifiedQuestion())) {
            if (!save()) {
                // The edits stay, and so does the volume they belong to.
                m_filling = true;
                drvTargetDisk->setCurrentIndex(drvTargetDisk->findData(m_volume.mountPoint));
                m_filling = false;
                return;
            }
        }
        m_modified = false;
    }
    cmdEdit->click();
}

bool frmComments::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grdComments->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        m_lastGridButton = int(mouse->button());
        if (mouse->button() == Qt::LeftButton && m_editRow < 0) {
            const int row = grdComments->indexAt(mouse->position().toPoint()).row();
            if (row >= 0)
                startEditing(row);
        }
        return false;
    }
    if (watched == txtComments && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            endEditing(true);
            return true;
        case Qt::Key_Escape:
            endEditing(false);
            return true;
        case Qt::Key_Backspace:
            return false;
        default:
            break;
        }
        const QString typed = key->text();
        if (!typed.isEmpty() && typed.front().isPrint()
            && txtComments->text().size() - txtComments->selectedText().size() + typed.size() > CommentLength) {
            QApplication::beep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmComments::startEditing(int row)
{
    RunTrapped(m_prompter, m_state, "097", [&] {
        m_editRow = row;
        grdComments->setCurrentCell(row, 2);
        const QRect cellRect = grdComments->visualRect(grdComments->model()->index(row, 2));
        const QPoint topLeft = grdComments->viewport()->mapTo(this, cellRect.topLeft());
        txtComments->setGeometry(QRect(topLeft, QSize(cellRect.width(), std::max(cellRect.height(),
                                                                                  txtComments->sizeHint().height()))));
        txtComments->setText(grdComments->item(row, 2)->text());
        for (QWidget *w : {static_cast<QWidget *>(drvTargetDisk), static_cast<QWidget *>(cmdOK),
                           static_cast<QWidget *>(cmdPrint), static_cast<QWidget *>(cmdSave),
                           static_cast<QWidget *>(chkPrintToFile)})
            w->setEnabled(false);
        // The grid's scrolling would leave the box behind the row it edits.
        grdComments->verticalScrollBar()->setEnabled(false);
        txtComments->show();
        txtComments->raise();
        txtComments->setFocus();
        txtComments->selectAll();
    });
}

void frmComments::endEditing(bool commit)
{
    if (m_editRow < 0)
        return;
    if (commit) {
        grdComments->item(m_editRow, 2)->setText(txtComments->text());
        m_modified = true;
        colourRow(m_editRow);
    }
    m_editRow = -1;
    txtComments->hide();
    for (QWidget *w : {static_cast<QWidget *>(drvTargetDisk), static_cast<QWidget *>(cmdOK),
                       static_cast<QWidget *>(cmdPrint), static_cast<QWidget *>(cmdSave),
                       static_cast<QWidget *>(chkPrintToFile)})
        w->setEnabled(true);
    grdComments->verticalScrollBar()->setEnabled(true);
    grdComments->setFocus();
}

QList<CommentRow> frmComments::rows() const
{
    QList<CommentRow> result;
    result.reserve(grdComments->rowCount());
    for (int r = 0; r < grdComments->rowCount(); ++r) {
        CommentRow row;
        row.name = grdComments->item(r, 0)->data(Qt::UserRole).toString();
        row.folder = grdComments->item(r, 1)->text() == QLatin1String("+");
        row.comment = grdComments->item(r, 2)->text();
        result.append(row);
    }
    return result;
}

void frmComments::cmdSave_Click()
{
    save();
}

bool frmComments::save()
{
    return RunTrapped(m_prompter, m_state, "099", [&] {
        using namespace PrintTexts;
        const bool greek = m_state.LanguageGreek;
        WaitCursor busy(this);
        const QString file = commentsFile();
        if (m_fileUnreadable)
            throw RuntimeError(ErrorNumber::PermissionDenied,
                               CommentsUnreadable.in(greek).arg(ExactName::shown(file), m_unreadableReason));
        QStringList leftOut;
        const QByteArray bytes = CommentsFileBytes(rows(), &leftOut);
        writeFileAtomically(file, bytes);
        m_modified = false;
        if (!leftOut.isEmpty()) {
            QStringList shown;
            for (const QString &name : std::as_const(leftOut))
                shown.append(PrintableName(name));
            m_prompter.inform(SaveComments.in(greek), NamesWithLineBreaks.in(greek).arg(shown.join(NewLine)),
                              PromptIcon::Warning);
        }
    });
}

void frmComments::cmdOK_Click()
{
    bool close = true;
    RunTrapped(m_prompter, m_state, "098", [&] {
        if (!m_modified)
            return;
        const bool greek = m_state.LanguageGreek;
        const PromptButton answer =
            m_prompter.message(PrintTexts::SaveComments.in(greek), modifiedQuestion(), PromptIcon::Question,
                               {PromptButton::Yes, PromptButton::No, PromptButton::Cancel}, PromptButton::Yes);
        if (answer == PromptButton::Cancel)
            close = false;
        else if (answer == PromptButton::Yes)
            close = save();
    });
    if (close) {
        m_closing = true;
        accept();
    }
}

void frmComments::reject()
{
    // Escape and the window frame close as OK does, asking about unsaved comments.
    if (m_editRow >= 0)
        return;
    if (!m_closing)
        cmdOK_Click();
}

void frmComments::done(int result)
{
    if (!m_closing && m_editRow >= 0)
        return;
    writeSetting(m_state.IniPath, Keys::PrintToFile, m_state.PrintToFile);
    QDialog::done(result);
}

void frmComments::cmdPrint_Click()
{
    RunTrapped(m_prompter, m_state, "100", [&] {
        const bool pageGreek = PageLanguageGreek(m_state.PrintFontName);
        QString target;
        if (m_state.PrintToFile) {
            const QString proposed =
                ProposedPrintFileName(m_state.CurrentPath, volumeKey(volumeOf(m_state.CurrentPath)),
                                      QLatin1String(PrintTexts::CommentsFilePrefix));
            target = AskPrintFileName(m_services, this, m_state.CurrentPath, proposed, m_state.LanguageGreek);
            if (target.isEmpty())
                return;
        }
        WaitCursor busy(this);
        const QList<CommentRow> shown = rows();
        PrintFrame frame;
        frame.information = countsLine(pageGreek);
        frame.path = PrintableName(drvTargetDisk->currentText());
        frame.greek = pageGreek;
        frame.topMargin = m_state.PrintTopMargin;
        frame.leftMargin = m_state.PrintLeftMargin;
        frame.linesPerPage = m_state.PrintLinesPerPage;
        frame.toFile = !target.isEmpty();
        const auto itemLine = [&shown](std::int64_t i) {
            QCoreApplication::processEvents();
            const CommentRow &row = shown[qsizetype(i)];
            return CommentsItemLine(row.name, row.folder, row.comment);
        };
        if (frame.toFile) {
            PrintTextFile file(target, m_state.LanguageGreek);
            WritePrintout(frame, shown.size(), itemLine, file);
            file.commit();
        } else {
            QPrinter &printer = PrinterForJob(m_services, m_state.LanguageGreek);
            PrinterPages pages(printer, m_state.PrintFontSize, m_state.PrintLeftMargin + PrintLineWidth,
                               m_state.PrintTopMargin + 4 + m_state.PrintLinesPerPage, windowTitle(),
                           m_state.LanguageGreek);
            WritePrintout(frame, shown.size(), itemLine, pages);
            pages.finish(m_state.LanguageGreek);
        }
    });
}

void frmComments::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        CentreOverParent(this);
        m_centred = true;
    }
}
