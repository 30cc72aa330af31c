#pragma once

#include <QString>
#include <QStringView>

// The file-name pattern of the listing, with the rules the program's users know from
// their old system: "*" is any run of characters (also none), "?" exactly one, letter
// case is ignored, and a pattern ending in ".*" also matches the name without that
// extension, so "*.*" matches every name, with or without a dot. An empty pattern
// matches every name too.
class Wildcard
{
public:
    explicit Wildcard(const QString &pattern);

    bool matches(QStringView name) const;
    // True when every name matches, so callers may skip the test.
    bool matchesEverything() const { return m_everything; }

private:
    QString m_folded;      // the case-folded pattern
    QString m_foldedStem;  // the pattern without a final ".*", or empty
    bool m_everything = false;
};

bool wildcardMatches(const QString &pattern, QStringView name);
