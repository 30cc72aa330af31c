#pragma once

#include <QTranslator>

// Debian ships no Greek translation of Qt's own texts, so the parts of Qt's dialogs the
// program shows (the folder chooser, the text-input box and its edit menu, the standard
// buttons) would speak English in a Greek window. This translator answers for them from
// a table of ours; it is installed while the interface is Greek.
class QtGreekTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

// Installs the translator for the Greek interface and removes it for the English one.
void UseGreekForQtTexts(bool greek);
