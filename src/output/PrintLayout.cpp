#include "output/PrintLayout.h"

#include "output/PrintTexts.h"
#include "platform/ExactName.h"

namespace {

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString trimTrailingSpaces(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    text.truncate(end);
    return text;
}

// Right-aligned in `width`, padded with `fill`, or its last `width` characters.
QString rightAligned(const QString &text, int width, QChar fill)
{
    if (text.size() > width)
        return text.right(width);
    return text.rightJustified(width, fill);
}

QString markOrSpace(bool set, char letter)
{
    return set ? QString(QLatin1Char(letter)) : QStringLiteral(" ");
}

bool isLineBreak(char32_t c)
{
    return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028 || c == 0x2029;
}

} // namespace

bool PageLanguageGreek(const QString &fontName)
{
    return fontName == QLatin1String(PrintTexts::FontGreek);
}

std::int64_t PageCount(std::int64_t items, int linesPerPage)
{
    const std::int64_t perPage = linesPerPage < 1 ? 1 : linesPerPage;
    return items <= 0 ? 0 : (items + perPage - 1) / perPage;
}

QString PrintableName(QStringView exact)
{
    const QString text = ExactName::toText(exact);
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char32_t u = c.unicode();
        if (isLineBreak(u))
            out += QChar(0x00B6);
        else if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            out += QLatin1Char('?');
        else
            out += c;
    }
    return out;
}

QString PageLabel(std::int64_t page, std::int64_t pages, bool greek)
{
    using namespace PrintTexts;
    return PageWord.in(greek) + QString::number(page) + PageOf.in(greek) + QString::number(pages);
}

QString HeaderLine(const QString &information, const QString &label)
{
    const int room = PrintLineWidth - int(label.size());
    return (room <= 0 ? QString() : information.left(room).leftJustified(room, QLatin1Char(' '))) + label;
}

QString PathLine(const QString &path)
{
    const QString trimmed = trimSpaces(path);
    return trimmed.size() > PrintLineWidth ? trimmed.left(PrintLineWidth - 3) + QStringLiteral("...") : trimmed;
}

QString DashLine()
{
    return QString(PrintLineWidth, QLatin1Char('-'));
}

QString ListingItemLine(const PrintItemTexts &item)
{
    const QString flags = markOrSpace(item.folder, '+') + QLatin1Char(' ') + markOrSpace(item.hidden, 'H')
                          + QLatin1Char(' ') + markOrSpace(item.system, 'S') + QLatin1Char(' ')
                          + markOrSpace(item.readOnly, 'R') + QLatin1Char(' ') + markOrSpace(item.archive, 'A');
    const QString size = trimSpaces(item.size);
    // The size is never cut: a field too narrow for it widens.
    const QString sizeField = size.size() > 13 ? size : size.rightJustified(13, QLatin1Char('.'));
    QString name = trimSpaces(PrintableName(item.name));
    if (name.size() >= 102)
        name = name.left(98) + QStringLiteral("...");
    return flags + QStringLiteral(" | ") + rightAligned(trimSpaces(item.date), 10, QLatin1Char(' '))
           + QLatin1Char(' ') + rightAligned(trimSpaces(item.time), 8, QLatin1Char(' ')) + QStringLiteral(" | ")
           + sizeField + QStringLiteral(" | ") + trimTrailingSpaces(name);
}

QString CommentsItemLine(const QString &name, bool folder, const QString &comment)
{
    QString shownName = trimSpaces(PrintableName(name));
    if (shownName.size() >= 49)
        shownName = shownName.left(45) + QStringLiteral("...");
    QString shownComment = trimSpaces(PrintableName(comment));
    if (shownComment.size() > 100)
        shownComment = shownComment.left(97) + QStringLiteral("...");
    return trimTrailingSpaces(shownName.rightJustified(48, QLatin1Char(' ')) + QLatin1Char(' ')
                              + (folder ? QLatin1Char('+') : QLatin1Char(' ')) + QLatin1Char(' ') + shownComment);
}

void WritePrintout(const PrintFrame &frame, std::int64_t items, const std::function<QString(std::int64_t)> &itemLine,
                   PrintSink &sink, const std::function<void(std::int64_t)> &afterItem)
{
    const QString margin = frame.toFile ? QString() : QString(frame.leftMargin, QLatin1Char(' '));
    const std::int64_t pages = PageCount(items, frame.linesPerPage);
    const QString dashes = DashLine();
    const QString pathLine = PathLine(frame.path);
    int lineCounter = frame.linesPerPage;
    std::int64_t page = 0;
    for (std::int64_t i = 0; i < items; ++i) {
        if (lineCounter >= frame.linesPerPage) {
            lineCounter = 0;
            ++page;
            if (frame.toFile) {
                if (page == 1) {
                    sink.writeLine(trimTrailingSpaces(frame.information), false);
                    sink.writeLine(dashes, false);
                    sink.writeLine(pathLine, true);
                    sink.writeLine(dashes, false);
                }
            } else {
                if (page > 1)
                    sink.newPage();
                for (int t = 0; t < frame.topMargin; ++t)
                    sink.writeLine(QStringLiteral(" "), false);
                sink.writeLine(margin + HeaderLine(frame.information, PageLabel(page, pages, frame.greek)), false);
                sink.writeLine(margin + dashes, false);
                sink.writeLine(margin + pathLine, true);
                sink.writeLine(margin + dashes, false);
            }
        }
        sink.writeLine(margin + itemLine(i), false);
        ++lineCounter;
        if (afterItem)
            afterItem(i + 1);
    }
}
