#include "mainwin/CountLine.h"

#include "app/AppState.h"
#include "mainwin/ListingTexts.h"
#include "platform/ExactName.h"

#include <QLocale>

QString groupedNumber(std::int64_t value)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(static_cast<qlonglong>(value));
}

QString CountLine(const AppState &state, bool greek)
{
    using namespace ListingTexts;
    const QString of = CountOf.in(greek);
    return CountFolders.in(greek) + groupedNumber(state.FoldersShown) + of + groupedNumber(state.FoldersFound)
           + QStringLiteral(". ") + CountFiles.in(greek) + groupedNumber(state.FilesShown) + of
           + groupedNumber(state.FilesFound) + QStringLiteral(". ") + CountBytes.in(greek)
           + groupedNumber(state.BytesShown) + of + groupedNumber(state.BytesFound) + QStringLiteral(".");
}

QString CurrentPathLabelText(const AppState &state)
{
    return QStringLiteral("  ") + ExactName::shown(state.CurrentPath) + QStringLiteral("  ");
}

QString InfoLabelText(const AppState &state)
{
    return QStringLiteral("  ") + CountLine(state, state.LanguageGreek) + QStringLiteral("  ");
}
