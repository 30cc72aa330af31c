#include "mainwin/Wildcard.h"

#include <algorithm>

namespace {

using Chars = QList<uint>;

Chars characters(const QString &text)
{
    return text.toCaseFolded().toUcs4();
}

// Greedy match with one backtracking point per star: linear for the patterns people
// type, and never exponential.
bool globMatch(const Chars &pattern, const Chars &foldedName)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starP = -1;
    qsizetype starN = 0;
    while (n < foldedName.size()) {
        if (p < pattern.size() && pattern[p] == uint('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == uint('?') || pattern[p] == foldedName[n])) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == uint('*'))
        ++p;
    return p == pattern.size();
}

bool onlyStars(const Chars &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](uint c) { return c == uint('*'); });
}

} // namespace

Wildcard::Wildcard(const QString &pattern)
{
    QString text = pattern;
    while (!text.isEmpty() && (text.back() == QLatin1Char(' ') || text.back() == QLatin1Char('\t')))
        text.chop(1);
    m_folded = characters(text);
    if (text.endsWith(QLatin1String(".*"))) {
        m_foldedStem = m_folded.mid(0, m_folded.size() - 2);
        m_hasStem = true;
    } else if (text.endsWith(QLatin1Char('.')) && !text.endsWith(QLatin1String(".."))) {
        m_noExtension = m_folded.mid(0, m_folded.size() - 1);
        m_hasNoExtension = true;
    }
    m_everything = m_folded.isEmpty() || onlyStars(m_folded) || (m_hasStem && !m_foldedStem.isEmpty() && onlyStars(m_foldedStem));
}

bool Wildcard::matches(QStringView name) const
{
    if (m_everything)
        return true;
    const Chars folded = characters(name.toString());
    if (globMatch(m_folded, folded))
        return true;
    if (m_hasStem && !m_foldedStem.isEmpty() && globMatch(m_foldedStem, folded))
        return true;
    return m_hasNoExtension && !folded.contains(uint('.')) && globMatch(m_noExtension, folded);
}

bool wildcardMatches(const QString &pattern, QStringView name)
{
    return Wildcard(pattern).matches(name);
}
