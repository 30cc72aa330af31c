#include "fileops/TargetFolderDialogGui.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "fileops/OptionsCommandsGui.h"
#include "fileops/TargetSelectionTexts.h"
#include "platform/PathIdentity.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTimer>
#include <QFileInfo>

namespace {

// The file list writes sizes and times with the system locale's words ("bytes", "PM"),
// which are English on most systems; a Greek window gets them in Greek.
class GreekFileList : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() < 1 || index.column() > 3)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        if (index.column() == 2) {
            // The type of a file is the desktop's description of its kind, which is
            // English unless the system speaks Greek; its extension says it plainly.
            if (files->isDir(source))
                return QIdentityProxyModel::data(index, role);
            const QString suffix = files->fileInfo(source).suffix();
            return suffix.isEmpty() ? TargetTexts::FileKind.in(true)
                                    : TargetTexts::FileKind.in(true) + QLatin1Char(' ') + suffix;
        }
        if (index.column() == 1) {
            if (files->isDir(source))
                return QIdentityProxyModel::data(index, role);
            const qint64 bytes = files->size(source);
            return bytes < 1024 ? QString::number(bytes) + TargetTexts::Bytes.in(true)
                                : QLocale(QLocale::Greek).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
        }
        const QDateTime modified = files->lastModified(source);
        const QLocale greek(QLocale::Greek);
        return greek.toString(modified.date(), QLocale::ShortFormat) + QLatin1Char(' ')
               + modified.time().toString(QStringLiteral("HH:mm"));
    }
};

void setOurLabels(QFileDialog &dialog, bool greek)
{
    dialog.setLabelText(QFileDialog::LookIn, TargetTexts::LookIn.in(greek));
    dialog.setLabelText(QFileDialog::FileType, TargetTexts::FileType.in(greek));
    dialog.setLabelText(QFileDialog::Reject, TargetTexts::Cancel.in(greek));
    if (greek)
        dialog.setProxyModel(new GreekFileList(&dialog));
}

} // namespace

void PrepareTargetFolderDialog(QFileDialog &dialog, const QString &title, const QString &marker, bool greek)
{
    // Qt's own dialog rather than the desktop's: only it lets us caption it in Greek
    // and keep the marker in the name box.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(TargetTexts::AllFiles.in(greek));
    setOurLabels(dialog, greek);
    dialog.setLabelText(QFileDialog::FileName, TargetTexts::FileName.in(greek));
    dialog.setLabelText(QFileDialog::Accept, TargetTexts::Open.in(greek));
    dialog.selectFile(marker);
    // When a folder is opened, the marker goes back into the name box so that Open
    // chooses the folder shown.
    QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog, [&dialog, marker] {
        QTimer::singleShot(0, &dialog, [&dialog, marker] { dialog.selectFile(marker); });
    });
}

TargetFolderAnswer TargetFolderFromDialog(const QFileDialog &dialog, int result, bool greek)
{
    if (result != QDialog::Accepted)
        return {};
    // The folder the dialog shows, whatever the user made of the name box.
    const QString shown = dialog.directory().absolutePath();
    if (!ChooserPathIsExact(shown))
        return {{}, ErrorNumber::BadFileName, TargetTexts::InexactFolderName.in(greek).arg(shown)};
    return {FolderWithSeparator(PathIdentity::normalised(shown)), 0, {}};
}

TargetFolderAnswer AskTargetFolder(QWidget *owner, const QString &title, const QString &marker, bool greek)
{
    TargetFolderAnswer answer;
    {
        QFileDialog dialog(owner);
        PrepareTargetFolderDialog(dialog, title, marker, greek);
        const int result = dialog.exec();
        answer = TargetFolderFromDialog(dialog, result, greek);
    }
    BringWindowToFrontGui(owner);
    return answer;
}

void PrepareFolderBrowser(QFileDialog &dialog, const QString &prompt, bool greek)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setWindowTitle(prompt);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    setOurLabels(dialog, greek);
    dialog.setLabelText(QFileDialog::FileName, TargetTexts::FolderName.in(greek));
    dialog.setLabelText(QFileDialog::Accept, TargetTexts::Choose.in(greek));
}

QString FolderFromBrowser(const QFileDialog &dialog, int result)
{
    if (result != QDialog::Accepted)
        return QString();
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty() || !QFileInfo(chosen).isDir())
        return QString();
    return PathIdentity::normalised(QFileInfo(chosen).absoluteFilePath());
}

QString BrowseForFolder(QWidget *owner, const QString &prompt, const AppState &state, Prompter &prompter)
{
    QString folder;
    RunTrapped(prompter, state, "073", [&] {
        QFileDialog dialog(owner);
        PrepareFolderBrowser(dialog, prompt, state.LanguageGreek);
        const int result = dialog.exec();
        folder = FolderFromBrowser(dialog, result);
        if (!ChooserPathIsExact(folder))
            throw RuntimeError(ErrorNumber::BadFileName,
                               TargetTexts::InexactFolderName.in(state.LanguageGreek).arg(folder));
    });
    return folder;
}
