#include "inspect/frmAttributes.h"

#include "app/AppState.h"
#include "app/ContextHelpGui.h"
#include "app/DialogPlacementGui.h"
#include "app/ErrorReport.h"
#include "app/WrappingButtonWidget.h"
#include "inspect/AttributesTexts.h"
#include "inspect/SteppingPanelWidget.h"
#include "app/UpDownWidget.h"
#include "platform/DosAttributes.h"
#include "platform/FileTimes.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr const char *FieldNames[6] = {"Year", "Month", "Day", "Hour", "Minute", "Second"};
constexpr int FieldMinimum[6] = {100, 1, 1, 0, 0, 0};
constexpr int FieldMaximum[6] = {9999, 12, 31, 23, 59, 59};

template<typename T>
T *named(const QString &name, QWidget *parent, const QString &topic = QString())
{
    auto *w = new T(parent);
    w->setObjectName(name);
    if (!topic.isEmpty())
        ContextHelp::setTopic(w, QStringLiteral("frmAttributes.") + topic);
    return w;
}

// A field whose caption is not a number ends the save with the error report.
int numberOf(const QLabel *field)
{
    bool ok = false;
    const int value = field->text().toInt(&ok);
    if (!ok)
        throw RuntimeError(13, field->objectName() + QStringLiteral(": ") + field->text());
    return value;
}

} // namespace

frmAttributes::frmAttributes(const QStringList &entries, const AppState &state, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_state(state), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmAttributes"));
    stepping = new SteppingPanelWidget(QStringLiteral("cmdAttributesAction"), this);
    // The editor's actions are its save buttons: the panel's own action button stays hidden.
    stepping->actionButton->setDefault(false);
    stepping->actionButton->hide();
    for (int i = 0; i < 4; ++i)
        ContextHelp::setTopic(stepping->cmdStep[i], QStringLiteral("frmAttributes.cmdStep"));
    ContextHelp::setTopic(stepping->lblName, QStringLiteral("frmAttributes.lblName"));
    ContextHelp::setTopic(stepping->cmdCancel, QStringLiteral("frmAttributes.cmdCancel"));

    lblCurrentProperties = named<QLabel>(QStringLiteral("lblCurrentProperties"), this, QStringLiteral("lblCurrentProperties"));
    txtCurrentProperties = named<QLineEdit>(QStringLiteral("txtCurrentProperties"), this);
    txtCurrentProperties->setReadOnly(true);
    lblCurrentDates = named<QLabel>(QStringLiteral("lblCurrentDates"), this, QStringLiteral("lblCurrentDates"));
    txtCurrentDates = named<QPlainTextEdit>(QStringLiteral("txtCurrentDates"), this);
    txtCurrentDates->setReadOnly(true);
    txtCurrentDates->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtCurrentDates->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtCurrentDates->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtCurrentDates->setFixedHeight(txtCurrentDates->fontMetrics().lineSpacing() * 3
                                    + int(2 * txtCurrentDates->document()->documentMargin())
                                    + 2 * txtCurrentDates->frameWidth() + 2);
    lblSystemDate = named<QLabel>(QStringLiteral("lblSystemDate"), this, QStringLiteral("lblSystemDate"));
    txtSystemDate = named<QLineEdit>(QStringLiteral("txtSystemDate"), this);
    txtSystemDate->setReadOnly(true);
    cmdSystemDate = named<QPushButton>(QStringLiteral("cmdSystemDate"), this, QStringLiteral("cmdSystemDate"));
    cmdSystemDate->setAutoDefault(false);
    for (QLabel *l : {lblCurrentProperties, lblCurrentDates, lblSystemDate})
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *current = new QGridLayout;
    current->addWidget(lblCurrentProperties, 0, 0);
    current->addWidget(txtCurrentProperties, 0, 1, 1, 2);
    current->addWidget(lblCurrentDates, 1, 0);
    current->addWidget(txtCurrentDates, 1, 1, 1, 2);
    current->addWidget(lblSystemDate, 2, 0);
    current->addWidget(txtSystemDate, 2, 1);
    current->addWidget(cmdSystemDate, 2, 2);
    current->setColumnStretch(1, 1);

    fraNewProperties = named<QGroupBox>(QStringLiteral("fraNewProperties"), this);
    auto *boxes = new QHBoxLayout(fraNewProperties);
    for (int i = 0; i < 4; ++i) {
        chkNewProperties[i] = named<QCheckBox>(QStringLiteral("chkNewProperties(%1)").arg(i), fraNewProperties,
                                               QStringLiteral("chkNewProperties"));
        boxes->addWidget(chkNewProperties[i]);
    }
    boxes->addStretch(1);
    cmdSaveProperties = named<QPushButton>(QStringLiteral("cmdSaveProperties"), fraNewProperties,
                                           QStringLiteral("cmdSaveProperties"));
    cmdSaveProperties->setAutoDefault(false);
    boxes->addWidget(cmdSaveProperties);
    chkAttributesOption = new WrappingCheckBox(this);
    chkAttributesOption->setObjectName(QStringLiteral("chkAttributesOption"));
    ContextHelp::setTopic(chkAttributesOption, QStringLiteral("frmAttributes.chkAttributesOption"));

    fraNewDates = named<QGroupBox>(QStringLiteral("fraNewDates"), this);
    created = makeGroup(QLatin1Char('C'), 6);
    modified = makeGroup(QLatin1Char('M'), 6);
    accessed = makeGroup(QLatin1Char('A'), 3);
    created.cmdSystem->setObjectName(QStringLiteral("cmdSystemCreated"));
    created.cmdSave->setObjectName(QStringLiteral("cmdSaveCreated"));
    modified.cmdSystem->setObjectName(QStringLiteral("cmdSystemModified"));
    modified.cmdSave->setObjectName(QStringLiteral("cmdSaveModified"));
    accessed.cmdSystem->setObjectName(QStringLiteral("cmdSystemAccessed"));
    accessed.cmdSave->setObjectName(QStringLiteral("cmdSaveAccessed"));
    auto *dates = new QGridLayout(fraNewDates);
    int row = 0;
    for (DateGroup *g : {&created, &modified, &accessed}) {
        ContextHelp::setTopic(g->cmdSystem, QStringLiteral("frmAttributes.") + g->cmdSystem->objectName());
        ContextHelp::setTopic(g->cmdSave, QStringLiteral("frmAttributes.") + g->cmdSave->objectName());
        dates->addWidget(g->caption, row, 0);
        auto *fields = new QHBoxLayout;
        fields->setSpacing(2);
        for (int i = 0; i < g->count; ++i) {
            if (i == 3)
                fields->addSpacing(12);
            fields->addWidget(g->fields[i]);
            fields->addWidget(g->upDowns[i]);
            if (i < g->count - 1 && i != 2)
                fields->addWidget(new QLabel(i < 2 ? QStringLiteral("-") : QStringLiteral(":"), fraNewDates));
        }
        fields->addStretch(1);
        dates->addLayout(fields, row, 1);
        dates->addWidget(g->cmdSystem, row, 2);
        dates->addWidget(g->cmdSave, row, 3);
        ++row;
    }
    lblCreatedNotKept = named<QLabel>(QStringLiteral("lblCreatedNotKept"), fraNewDates);
    lblCreatedNotKept->setWordWrap(true);
    cmdSaveDates = named<QPushButton>(QStringLiteral("cmdSaveDates"), fraNewDates, QStringLiteral("cmdSaveDates"));
    cmdSaveDates->setAutoDefault(false);
    dates->addWidget(lblCreatedNotKept, row, 0, 1, 2);
    dates->addWidget(cmdSaveDates, row, 2, 1, 2, Qt::AlignRight);
    dates->setColumnStretch(1, 1);

    QVBoxLayout *content = stepping->contentArea();
    content->addSpacing(6);
    content->addLayout(current);
    content->addWidget(fraNewProperties);
    content->addWidget(chkAttributesOption);
    content->addWidget(fraNewDates);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(stepping);

    connect(stepping, &SteppingPanelWidget::stepped, this, [this] {
        RunTrapped(m_prompter, m_state, "107", [this] { showItem(); });
    });
    connect(stepping, &SteppingPanelWidget::enoughClicked, this, &QDialog::reject);
    connect(cmdSystemDate, &QPushButton::clicked, this,
            [this] { RunTrapped(m_prompter, m_state, "101", [this] { updateSystemDate(); }); });
    for (DateGroup *g : {&created, &modified, &accessed})
        connect(g->cmdSystem, &QToolButton::clicked, this, [this, g] { setGroup(*g, m_systemDate); });
    connect(cmdSaveProperties, &QPushButton::clicked, this, &frmAttributes::saveProperties);
    connect(cmdSaveDates, &QPushButton::clicked, this, [this] { saveChosenDates(true, true, true, "106"); });
    connect(created.cmdSave, &QToolButton::clicked, this, [this] { saveChosenDates(true, false, false, "103"); });
    connect(modified.cmdSave, &QToolButton::clicked, this, [this] { saveChosenDates(false, true, false, "104"); });
    connect(accessed.cmdSave, &QToolButton::clicked, this, [this] { saveChosenDates(false, false, true, "105"); });

    RunTrapped(m_prompter, m_state, "082", [&] {
        captionAll();
        chkAttributesOption->setChecked(true);
        cmdSystemDate->click();
        stepping->setEntries(entries);
    });
    resize(qMax(620, sizeHint().width()), sizeHint().height());
    CentreOverParent(this);
}

frmAttributes::DateGroup frmAttributes::makeGroup(QChar suffix, int count)
{
    DateGroup g;
    g.count = count;
    g.caption = named<QLabel>(QStringLiteral("lblNewDate") + suffix, fraNewDates);
    for (int i = 0; i < count; ++i) {
        const QString field = QLatin1String(FieldNames[i]) + suffix;
        g.fields[i] = named<QLabel>(QStringLiteral("lblNew") + field, fraNewDates, QStringLiteral("NewDateFields"));
        g.fields[i]->setFrameShape(QFrame::Panel);
        g.fields[i]->setFrameShadow(QFrame::Sunken);
        g.fields[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g.fields[i]->setFixedWidth(fontMetrics().horizontalAdvance(i == 0 ? QStringLiteral("99999")
                                                                             : QStringLiteral("999"))
                                   + 6);
        g.upDowns[i] = new UpDownWidget(g.fields[i], FieldMinimum[i], FieldMaximum[i], fraNewDates);
        g.upDowns[i]->setObjectName(QStringLiteral("updNew") + field);
        ContextHelp::setTopic(g.upDowns[i], QStringLiteral("frmAttributes.NewDateFields"));
        g.upDowns[i]->setValue(FieldMinimum[i]);
    }
    g.cmdSystem = new QToolButton(fraNewDates);
    g.cmdSystem->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    g.cmdSave = new QToolButton(fraNewDates);
    g.cmdSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    return g;
}

void frmAttributes::captionAll()
{
    using namespace AttributesTexts;
    const bool greek = m_state.LanguageGreek;
    setWindowTitle(Title.in(greek));
    stepping->applyLanguage(greek, Title);
    // One tab after the longer labels reaches the column that two tabs after
    // "Created:" reach, so the three times line up.
    const QFontMetrics fm = txtCurrentDates->fontMetrics();
    const int gap = fm.horizontalAdvance(QLatin1Char(' ')) * 2;
    txtCurrentDates->setTabStopDistance(qMax(fm.horizontalAdvance(CreatedLabel.in(greek)) + gap,
                                             qMax(fm.horizontalAdvance(ModifiedLabel.in(greek)),
                                                  fm.horizontalAdvance(AccessedLabel.in(greek)))
                                                     / 2
                                                 + gap));
    lblCurrentProperties->setText(CurrentProperties.in(greek));
    lblCurrentDates->setText(CurrentDates.in(greek));
    lblSystemDate->setText(SystemDate.in(greek));
    cmdSystemDate->setText(Update.in(greek));
    fraNewProperties->setTitle(NewProperties.in(greek));
    for (int i = 0; i < 4; ++i)
        chkNewProperties[i]->setText(PropertyNames[i].in(greek));
    chkAttributesOption->setText(AttributesOption.in(greek));
    cmdSaveProperties->setText(Save.in(greek));
    fraNewDates->setTitle(NewDates.in(greek));
    created.caption->setText(NewDateC.in(greek));
    modified.caption->setText(NewDateM.in(greek));
    accessed.caption->setText(NewDateA.in(greek));
    cmdSaveDates->setText(SaveDates.in(greek));
    created.cmdSave->setToolTip(SaveCreatedTip.in(greek));
    modified.cmdSave->setToolTip(SaveModifiedTip.in(greek));
    accessed.cmdSave->setToolTip(SaveAccessedTip.in(greek));
    created.cmdSystem->setToolTip(SystemCreatedTip.in(greek));
    modified.cmdSystem->setToolTip(SystemModifiedTip.in(greek));
    accessed.cmdSystem->setToolTip(SystemAccessedTip.in(greek));
    lblCreatedNotKept->setText(CreatedNotKept.in(greek));
}

bool frmAttributes::describeItem(const QString &path)
{
    return RunTrapped(m_prompter, m_state, "083", [&] {
        const DosAttributes a = readAttributes(path);
        m_isFolder = a.directory;
        m_flags = {a.hidden, a.system, a.readOnly, a.archive};
        txtCurrentProperties->setText(describeAttributes(a, m_state.LanguageGreek));
    });
}

void frmAttributes::showItem()
{
    const bool greek = m_state.LanguageGreek;
    const QString path = stepping->currentPath();
    if (!describeItem(path))
        return;
    if (chkAttributesOption->isChecked())
        for (int i = 0; i < 4; ++i)
            chkNewProperties[i]->setChecked(m_flags[i]);
    const FileTimes times = readTimes(path);
    if (m_isFolder) {
        txtCurrentDates->setPlainText(folderDatesText(times.modified, greek).replace(NewLine, QStringLiteral("\n")));
        fraNewDates->hide();
        return;
    }
    fraNewDates->setVisible(!m_flags[2]);
    txtCurrentDates->setPlainText(fileDatesText(times, greek).replace(NewLine, QStringLiteral("\n")));
    if (chkAttributesOption->isChecked()) {
        setGroup(created, localParts(times.created));
        setGroup(modified, localParts(times.modified));
        setGroup(accessed, localParts(times.accessed));
    }
    // Where the volume keeps no creation time that can be changed, its fields and
    // its button say so instead of pretending to save it.
    const bool keeps = keepsCreationTime(path);
    for (int i = 0; i < created.count; ++i) {
        created.fields[i]->setEnabled(keeps);
        created.upDowns[i]->setEnabled(keeps);
    }
    created.cmdSave->setEnabled(keeps);
    created.cmdSystem->setEnabled(keeps);
    created.cmdSave->setToolTip((keeps ? AttributesTexts::SaveCreatedTip : AttributesTexts::CreatedNotKept).in(greek));
    lblCreatedNotKept->setVisible(!keeps);
}

void frmAttributes::updateSystemDate()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    txtSystemDate->setText(longDateTimeText(now));
    m_systemDate = localParts(now);
}

void frmAttributes::setGroup(DateGroup &group, const DateParts &parts)
{
    const int values[6] = {parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second};
    for (int i = 0; i < group.count; ++i)
        group.upDowns[i]->setValue(values[i]);
}

DateParts frmAttributes::readGroup(const DateGroup &group) const
{
    DateParts p;
    p.year = numberOf(group.fields[0]);
    p.month = numberOf(group.fields[1]);
    p.day = numberOf(group.fields[2]);
    if (group.count == 6) {
        p.hour = numberOf(group.fields[3]);
        p.minute = numberOf(group.fields[4]);
        p.second = numberOf(group.fields[5]);
    }
    return p;
}

void frmAttributes::saveProperties()
{
    const bool saved = RunTrapped(m_prompter, m_state, "102", [this] {
        DosAttributes wanted;
        wanted.hidden = chkNewProperties[0]->isChecked();
        wanted.system = chkNewProperties[1]->isChecked();
        wanted.readOnly = chkNewProperties[2]->isChecked();
        wanted.archive = chkNewProperties[3]->isChecked();
        const DosAttributes kept = writeAttributes(stepping->currentPath(), wanted);
        if (!wanted.hidden && kept.hidden)
            m_prompter.inform(AttributesTexts::Title.in(m_state.LanguageGreek),
                              AttributesTexts::StaysHidden.in(m_state.LanguageGreek));
    });
    if (saved)
        stepping->showCurrent();
}

void frmAttributes::saveChosenDates(bool c, bool m, bool a, const char *locationCode)
{
    bool saved = false;
    RunTrapped(m_prompter, m_state, locationCode, [&] {
        const bool greek = m_state.LanguageGreek;
        DateChoice choice;
        if (c)
            choice.created = readGroup(created);
        if (m)
            choice.modified = readGroup(modified);
        if (a)
            choice.accessed = readGroup(accessed);
        const DateSaveOutcome outcome = saveDates(stepping->currentPath(), choice);
        saved = outcome.saved;
        // A refused date changed nothing: the fields keep what the user chose.
        if (!outcome.saved)
            m_prompter.inform(AttributesTexts::Title.in(greek), dateRefusalText(outcome, greek), PromptIcon::Warning);
        else if (outcome.createdNotKept)
            m_prompter.inform(AttributesTexts::Title.in(greek), AttributesTexts::OthersSavedCreatedNot.in(greek),
                              PromptIcon::Warning);
    });
    if (saved)
        stepping->showCurrent();
}
