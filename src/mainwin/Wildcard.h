#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The file-name pattern of the listing, with the rules the program's users know from
// their old system: "*" is any run of characters (also none), "?" exactly one
// character (an emoji or any letter outside the basic plane is one too), letter case
// is ignored, a pattern ending in ".*" also matches the name without that extension,
// so "*.*" matches every name, with or without a dot, and a pattern ending in a lone
// "." matches names without an extension ("*." lists the names without a dot). Blanks
// after the pattern are not part of it. An empty pattern matches every name.
class Wildcard
{
public:
    explicit Wildcard(const QString &pattern);

    bool matches(QStringView name) const;
    // True when every name matches, so callers may skip the test.
    bool matchesEverything() const { return m_everything; }

private:
    QList<uint> m_folded;       // the case-folded pattern, one element per character
    QList<uint> m_foldedStem;   // the pattern without a final ".*", or empty
    QList<uint> m_noExtension;  // the pattern without a final lone ".", or empty
    bool m_hasStem = false;
    bool m_hasNoExtension = false;
    bool m_everything = false;
};

bool wildcardMatches(const QString &pattern, QStringView name);
