#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>

// The fixed-pitch page of the listing and comments printouts: every full-width line
// is 151 characters, not counting the left margin.
inline constexpr int PrintLineWidth = 151;

// One row of the listing as the printout reads it: the texts the listing shows.
struct PrintItemTexts
{
    QString name; // the exact name
    QString size;
    QString date;
    QString time;
    bool folder = false;
    bool hidden = false;
    bool system = false;
    bool readOnly = false;
    bool archive = false;
};

// "Courier New Greek" prints the page texts in Greek, anything else in English.
bool PageLanguageGreek(const QString &fontName);

// Pages needed for `items` lines at `linesPerPage` a page (at least one line a page).
std::int64_t PageCount(std::int64_t items, int linesPerPage);

// A name or path as a printout and a comments file carry it: odd bytes written as the
// text form gives them, and every line break shown as "¶", other control characters
// as "?", so a name can never break a line or shift the columns.
QString PrintableName(QStringView exact);

// "Page 2 of 5" / "Σελίδα 2 από 5".
QString PageLabel(std::int64_t page, std::int64_t pages, bool greek);

// The information line cut or padded so that the label ends at the full width.
QString HeaderLine(const QString &information, const QString &label);

// The path trimmed, and cut to 148 characters + "..." when wider than the page.
QString PathLine(const QString &path);

// The full-width rule under the header and under the path.
QString DashLine();

// The listing's item line: flags | date time | size | name. A size wider than its
// 13-character field widens it rather than lose digits.
QString ListingItemLine(const PrintItemTexts &item);

// The comments printout's item line: the name right-aligned in 48 characters, the
// folder mark, the comment.
QString CommentsItemLine(const QString &name, bool folder, const QString &comment);

// Where the lines of a printout go: a page of the printer or a text file.
class PrintSink
{
public:
    virtual ~PrintSink() = default;
    // Called before every page after the first (the printer only).
    virtual void newPage() = 0;
    // One line, without its line end. The path line is `emphasised`.
    virtual void writeLine(const QString &line, bool emphasised) = 0;
};

// What a printout puts around its item lines.
struct PrintFrame
{
    QString information; // the information line in the page language
    QString path;        // the path line's text, before PathLine
    bool greek = false;  // the page language
    int topMargin = 0;
    int leftMargin = 0;
    int linesPerPage = 40;
    bool toFile = false;
};

// Writes a printout of `items` item lines to `sink`. On paper: every page starts
// with the top margin, the header with its label, the dashes, the path line and the
// dashes, then up to LinesPerPage items, each line behind the margin. To a file: the
// information line, dashes, path line, dashes once, then every item, no margins.
// `afterItem` is called with the number of items done after each one (progress and
// window events); it may throw to end the job.
void WritePrintout(const PrintFrame &frame, std::int64_t items, const std::function<QString(std::int64_t)> &itemLine,
                   PrintSink &sink, const std::function<void(std::int64_t)> &afterItem = {});
