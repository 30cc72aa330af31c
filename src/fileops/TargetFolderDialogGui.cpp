#include "fileops/TargetFolderDialogGui.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "fileops/OptionsCommandsGui.h"
#include "fileops/TargetSelectionTexts.h"
#include "platform/PathIdentity.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QFileInfo>

namespace {

void setOurLabels(QFileDialog &dialog, bool greek)
{
    dialog.setLabelText(QFileDialog::LookIn, TargetTexts::LookIn.in(greek));
    dialog.setLabelText(QFileDialog::FileType, TargetTexts::FileType.in(greek));
    dialog.setLabelText(QFileDialog::Reject, TargetTexts::Cancel.in(greek));
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
