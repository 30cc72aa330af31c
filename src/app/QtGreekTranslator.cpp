#include "app/QtGreekTranslator.h"

#include "app/QtGreekTexts.h"

#include <QCoreApplication>
#include <QHash>

namespace {

QString key(const char *context, const char *source)
{
    return QString::fromUtf8(context) + QChar(u'\x1f') + QString::fromUtf8(source);
}

const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> texts = [] {
        QHash<QString, QString> t;
        for (const QtGreekText &text : QtGreekTexts)
            t.insert(key(text.context, text.source), QString::fromUtf8(text.greek));
        return t;
    }();
    return texts;
}

} // namespace

QString QtGreekTranslator::translate(const char *context, const char *sourceText, const char *, int n) const
{
    if (!context || !sourceText)
        return {};
    QString text = table().value(key(context, sourceText));
    // Plural forms (%n) are written once; the number goes in where Qt expects it.
    if (!text.isEmpty() && n >= 0)
        text.replace(QLatin1String("%n"), QString::number(n));
    return text;
}

void UseGreekForQtTexts(bool greek)
{
    static QtGreekTranslator *translator = nullptr;
    if (!QCoreApplication::instance())
        return;
    if (greek && !translator) {
        translator = new QtGreekTranslator(QCoreApplication::instance());
        QCoreApplication::installTranslator(translator);
    } else if (!greek && translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
}
