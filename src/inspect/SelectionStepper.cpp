#include "inspect/SelectionStepper.h"

#include "inspect/SteppingTexts.h"

#include <algorithm>

SelectionStepper::SelectionStepper(QStringList entries)
{
    setEntries(std::move(entries));
}

void SelectionStepper::setEntries(QStringList entries)
{
    m_entries = std::move(entries);
    m_position = m_entries.isEmpty() ? 0 : 1;
}

void SelectionStepper::step(Step step)
{
    switch (step) {
    case First:
        moveTo(1);
        break;
    case Previous:
        moveTo(m_position - 1);
        break;
    case Next:
        moveTo(m_position + 1);
        break;
    case Last:
        moveTo(count());
        break;
    }
}

void SelectionStepper::moveTo(int position)
{
    m_position = m_entries.isEmpty() ? 0 : std::clamp(position, 1, count());
}

bool SelectionStepper::isEnabled(Step step) const
{
    if (count() <= 1)
        return false;
    switch (step) {
    case Previous:
        return m_position > 1;
    case Next:
        return m_position < count();
    case First:
    case Last:
        break;
    }
    return true;
}

QString SelectionStepper::positionLine(bool greek) const
{
    using namespace SteppingTexts;
    return PositionHead.in(greek) + QString::number(m_position) + PositionOf.in(greek) + QString::number(count())
           + PositionTail.in(greek);
}

QString SelectionStepper::currentPath() const
{
    if (m_position < 1)
        return {};
    QString path = m_entries.at(m_position - 1);
    if (path.endsWith(QChar(u'\0')))
        path.chop(1);
    return path;
}

QString SelectionStepper::currentName() const
{
    const QString path = currentPath();
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.mid(slash + 1);
}

void SelectionStepper::replaceCurrent(const QString &path)
{
    if (m_position >= 1)
        m_entries[m_position - 1] = path;
}
