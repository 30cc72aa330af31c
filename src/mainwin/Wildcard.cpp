#include "mainwin/Wildcard.h"

#include <algorithm>

namespace {

QString caseFolded(const QString &text)
{
    return text.toCaseFolded();
}

// Greedy match with one backtracking point per star: linear for the patterns people
// type, and never exponential.
bool globMatch(QStringView pattern, QStringView foldedName)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starP = -1;
    qsizetype starN = 0;
    while (n < foldedName.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == foldedName[n])) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace

Wildcard::Wildcard(const QString &pattern)
    : m_folded(caseFolded(pattern))
{
    if (m_folded.endsWith(QLatin1String(".*")))
        m_foldedStem = m_folded.chopped(2);
    const auto onlyStars = [](const QString &text) {
        return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == QLatin1Char('*'); });
    };
    m_everything = m_folded.isEmpty() || onlyStars(m_folded)
                   || (!m_foldedStem.isEmpty() && onlyStars(m_foldedStem));
}

bool Wildcard::matches(QStringView name) const
{
    if (m_everything)
        return true;
    const QString folded = name.toString().toCaseFolded();
    return globMatch(m_folded, folded) || (!m_foldedStem.isEmpty() && globMatch(m_foldedStem, folded));
}

bool wildcardMatches(const QString &pattern, QStringView name)
{
    return Wildcard(pattern).matches(name);
}
