#include "IOdialog.h"

#include "Configurator.h"
#include "MainForm.h"
#include "NumberBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// One option of a group: its control name, caption, accessible name (the
// caption when empty) and the code it stands for.
struct Option {
    const char* name;
    const char* caption;
    const char* accessible;
    int code;
};

const Option EnableOptions[] = {
    {"optServoOpen", "When Enable input (X3) is open", nullptr, 1},
    {"optServoClosed", "When Enable input (X3) is closed", nullptr, 2},
    {"optEnableAuto", "Automatically", "Enable motor automatically", 3},
};
const Option AlarmOptions[] = {
    {"optCloseAlarm", "close alarm output (Y3)", "If a fault occurs close alarm output (Y3)", 1},
    {"optOpenAlarm", "open alarm output (Y3)", "If a fault occurs open alarm output (Y3)", 2},
    {"optNoAlarm", "neither", "If a fault occurs neither", 3},
};
const Option BrakeOptions[] = {
    {"optBrakeClose", "closing the Brake output", "Release brake by closing the Brake output", 1},
    {"optBrakeOpen", "opening the Brake output", "Release brake by opening the Brake output", 2},
};
const Option MotionOptions[] = {
    {"optMotionOpen", "Open when motor is moving", nullptr, IOForm::MotionOpen},
    {"optMotionClosed", "Closed when motor is moving", nullptr, IOForm::MotionClosed},
    {"optMotionOff", "Not used", "Motion output not used", IOForm::MotionOff},
    {"optMotionTach", "Tach: ", "Motion output tach", IOForm::MotionTach},
};

template <size_t N>
QButtonGroup* optionGroup(const Option (&options)[N], QWidget* parent, QLayout* layout)
{
    auto* group = new QButtonGroup(parent);
    for (const Option& o : options) {
        auto* button = new QRadioButton(QString::fromLatin1(o.caption), parent);
        button->setObjectName(QString::fromLatin1(o.name));
        button->setAccessibleName(QString::fromLatin1(o.accessible ? o.accessible : o.caption));
        group->addButton(button, o.code);
        if (layout)
            layout->addWidget(button);
    }
    return group;
}

QGroupBox* frame(const QString& name, const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setAutoDefault(false);
    return b;
}

QComboBox* list(const QString& name, const QString& accessible, QWidget* parent)
{
    auto* l = new QComboBox(parent);
    l->setObjectName(name);
    l->setAccessibleName(accessible);
    return l;
}

void select(QButtonGroup* group, int code)
{
    if (QAbstractButton* b = group->button(code))
        b->setChecked(true);
}

}  // namespace

IOdialog::IOdialog(Configurator& configurator, MainForm& main)
    : SettingsDialog(configurator, main, QStringLiteral("IOdialog"), QStringLiteral("I/O Configuration"),
                     QStringLiteral("ConfigSoftware_InputsOutputs.html"), SummaryGrid::IOBlock)
{
    QGroupBox* enable = frame(QStringLiteral("FrameEnableServo"), QStringLiteral("Enable motor"), this);
    m_enable = optionGroup(EnableOptions, enable, new QVBoxLayout(enable));

    QGroupBox* alarm = frame(QStringLiteral("FrameAlarm"), QStringLiteral("If a fault occurs"), this);
    auto* alarmLayout = new QVBoxLayout(alarm);
    m_alarmOutput = optionGroup(AlarmOptions, alarm, alarmLayout);
    m_alarmInput = new QCheckBox(QStringLiteral("Allow AlarmReset input (X4) to clear it (by closing)"), alarm);
    m_alarmInput->setObjectName(QStringLiteral("chkAlarmInput"));
    m_alarmInput->setAccessibleName(m_alarmInput->text());
    alarmLayout->addWidget(m_alarmInput);
    QPushButton* history = button(QStringLiteral("ShowHistory"), QStringLiteral("Show history..."), alarm);
    alarmLayout->addWidget(history, 0, Qt::AlignLeft);
    connect(history, &QPushButton::clicked, this, &IOdialog::ShowHistory_Click);

    QGroupBox* limits = frame(QStringLiteral("FrameLimits"), QStringLiteral("Limit sensors"), this);
    auto* limitsLayout = new QVBoxLayout(limits);
    limitsLayout->addWidget(new QLabel(QStringLiteral("At end of travel, limit inputs will be"), limits));
    m_limits = list(QStringLiteral("ListLimits"), QStringLiteral("At end of travel, limit inputs will be"), limits);
    limitsLayout->addWidget(m_limits, 0, Qt::AlignLeft);

    QGroupBox* brake = frame(QStringLiteral("frameBrake"), QStringLiteral("Brake (Y1)"), this);
    auto* brakeLayout = new QGridLayout(brake);
    m_brake = new QCheckBox(QStringLiteral("Release brake when motor enabled by"), brake);
    m_brake->setObjectName(QStringLiteral("chkBrake"));
    m_brake->setAccessibleName(m_brake->text());
    brakeLayout->addWidget(m_brake, 0, 0, 1, 4);
    auto* brakeOptions = new QVBoxLayout;
    brakeOptions->setContentsMargins(20, 0, 0, 0);
    m_brakeHow = optionGroup(BrakeOptions, brake, brakeOptions);
    brakeLayout->addLayout(brakeOptions, 1, 0, 1, 4);
    m_brakeRelease = numberBox(QStringLiteral("txtBrakeDelay"), QStringLiteral("Wait msec before moving for brake to release"),
                               IOForm::BrakeDelayRule());
    m_brakeEngage = numberBox(QStringLiteral("txtBrakeEngage"),
                              QStringLiteral("Wait msec for brake to engage before disabling servo"), IOForm::BrakeDelayRule());
    int row = 2;
    for (auto [box, after] : {std::pair{m_brakeRelease, "msec before moving for brake to release"},
                              std::pair{m_brakeEngage, "msec for brake to engage before disabling servo"}}) {
        box->setParent(brake);
        box->setMaximumWidth(60);
        brakeLayout->addWidget(new QLabel(QStringLiteral("Wait"), brake), row, 0);
        brakeLayout->addWidget(box, row, 1);
        brakeLayout->addWidget(new QLabel(QString::fromLatin1(after), brake), row, 2);
        ++row;
    }
    brakeLayout->setColumnStretch(3, 1);

    QGroupBox* motion = frame(QStringLiteral("FrameInPosition"), QStringLiteral("Motion Output (Y2)"), this);
    auto* motionLayout = new QVBoxLayout(motion);
    m_motion = optionGroup(MotionOptions, motion, nullptr);
    for (QAbstractButton* b : m_motion->buttons()) {
        if (m_motion->id(b) != IOForm::MotionTach)
            motionLayout->addWidget(b);
    }
    auto* tachRow = new QHBoxLayout;
    tachRow->addWidget(m_motion->button(IOForm::MotionTach));
    m_tach = list(QStringLiteral("TachPPR"), QStringLiteral("Tach pulses per rev"), motion);
    tachRow->addWidget(m_tach);
    tachRow->addStretch(1);
    motionLayout->addLayout(tachRow);

    QGroupBox* decel = frame(QStringLiteral("frameMaxAccel"), QStringLiteral("Maximum Deceleration"), this);
    auto* decelLayout = new QGridLayout(decel);
    m_maxDecel = numberBox(QStringLiteral("txtMaxAccel"), QStringLiteral("Maximum deceleration rev/s/s"),
                           IOForm::MaxDecelRule());
    m_maxDecel->setParent(decel);
    m_maxDecel->setMaximumWidth(60);
    decelLayout->addWidget(m_maxDecel, 0, 0);
    decelLayout->addWidget(new QLabel(QStringLiteral("rev/s/s"), decel), 0, 1);
    decelLayout->addWidget(new QLabel(QStringLiteral("Used at limits and faults"), decel), 1, 0, 1, 3);
    decelLayout->setColumnStretch(2, 1);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(enable);
    left->addWidget(alarm);
    left->addWidget(limits);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(brake);
    right->addWidget(motion);
    right->addWidget(decel);
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);

    QWidget* buttons = standardButtons();
    okButton()->setDefault(false);  // Enter takes no button here
    QPushButton* wiring = button(QStringLiteral("Wiring"), QStringLiteral("Wiring..."), buttons);
    buttons->layout()->addWidget(wiring);
    connect(wiring, &QPushButton::clicked, this, &IOdialog::Wiring_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    // The layout's own selections, before any opening.
    select(m_enable, 1);
    select(m_alarmOutput, 1);
    select(m_brakeHow, 1);
    m_brakeRelease->setValue(200);
    m_brakeEngage->setValue(200);
    m_maxDecel->setValue(5000);
}

void IOdialog::load()
{
    m_tach->clear();
    m_tach->addItems(IOForm::TachRows());
    m_tach->setCurrentIndex(0);
}

void IOdialog::LoadLimitList()
{
    m_limits->clear();
    m_limits->addItems(IOForm::LimitRows());
    m_limits->setCurrentIndex(0);
}

IOForm IOdialog::form() const
{
    IOForm f;
    f.enableOption = m_enable->checkedId() > 0 ? m_enable->checkedId() : 3;
    f.alarmInput = m_alarmInput->isChecked();
    f.alarmOutput = m_alarmOutput->checkedId() > 0 ? m_alarmOutput->checkedId() : 3;
    f.brake = m_brake->isChecked();
    f.brakeOpen = m_brakeHow->checkedId() == 2;
    f.brakeReleaseMs = m_brakeRelease->value();
    f.brakeEngageMs = m_brakeEngage->value();
    f.motion = m_motion->checkedId() > 0 ? m_motion->checkedId() : IOForm::MotionOff;
    f.tachRow = std::max(m_tach->currentIndex(), 0);
    f.limitRow = std::max(m_limits->currentIndex(), 0);
    f.maxDecel = m_maxDecel->value();
    return f;
}

void IOdialog::fill()
{
    IOForm f = form();
    f.fill(cfg().settings());
    select(m_enable, f.enableOption);
    m_alarmInput->setChecked(f.alarmInput);
    select(m_alarmOutput, f.alarmOutput);
    m_brake->setChecked(f.brake);
    select(m_brakeHow, f.brakeOpen ? 2 : 1);
    m_brakeRelease->setValue(f.brakeReleaseMs);
    m_brakeEngage->setValue(f.brakeEngageMs);
    select(m_motion, f.motion);
    m_tach->setCurrentIndex(f.tachRow);
    m_limits->setCurrentIndex(f.limitRow);
    m_maxDecel->setValue(f.maxDecel);
}

void IOdialog::writeSettings()
{
    form().writeTo(cfg().settings());
}

void IOdialog::Wiring_Click()
{
    mainForm().OpenHelpPage(QStringLiteral("Connecting_IO_to_InOut1.html"));
}

void IOdialog::ShowHistory_Click()
{
    // The alarm history as the Drive menu opens it (nothing without a port).
    RunHook(mainForm().hooks().showAlarmHistory);
}
