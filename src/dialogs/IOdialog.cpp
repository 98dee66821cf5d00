#include "IOdialog.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "HelpPages.h"
#include "MainWindowServices.h"
#include "WindowHooks.h"
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
        QRadioButton* button = MakeOption(parent, QString::fromLatin1(o.name), QString::fromLatin1(o.caption),
                                          QString::fromLatin1(o.accessible));
        group->addButton(button, o.code);
        if (layout)
            layout->addWidget(button);
    }
    return group;
}

void select(QButtonGroup* group, int code)
{
    if (QAbstractButton* b = group->button(code))
        b->setChecked(true);
}

}  // namespace

IOdialog::IOdialog(Configurator& configurator, MainWindowServices& main)
    : SettingsDialog(configurator, main, QStringLiteral("IOdialog"), QStringLiteral("I/O Configuration"),
                     HelpPage(HelpOpener::IOdialogHelp), SummaryBlocks::IOBlock)
{
    QGroupBox* enable = MakeFrame(this, QStringLiteral("FrameEnableServo"), QStringLiteral("Enable motor"));
    m_enable = optionGroup(EnableOptions, enable, new QVBoxLayout(enable));

    QGroupBox* alarm = MakeFrame(this, QStringLiteral("FrameAlarm"), QStringLiteral("If a fault occurs"));
    auto* alarmLayout = new QVBoxLayout(alarm);
    m_alarmOutput = optionGroup(AlarmOptions, alarm, alarmLayout);
    m_alarmInput = MakeCheck(alarm, QStringLiteral("chkAlarmInput"),
                             QStringLiteral("Allow AlarmReset input (X4) to clear it (by closing)"));
    alarmLayout->addWidget(m_alarmInput);
    QPushButton* history = MakeButton(alarm, QStringLiteral("ShowHistory"), QStringLiteral("Show history..."));
    alarmLayout->addWidget(history, 0, Qt::AlignLeft);
    connect(history, &QPushButton::clicked, this, &IOdialog::ShowHistory_Click);

    QGroupBox* limits = MakeFrame(this, QStringLiteral("FrameLimits"), QStringLiteral("Limit sensors"));
    auto* limitsLayout = new QVBoxLayout(limits);
    limitsLayout->addWidget(new QLabel(QStringLiteral("At end of travel, limit inputs will be"), limits));
    m_limits = MakeList(limits, QStringLiteral("ListLimits"), QStringLiteral("At end of travel, limit inputs will be"));
    limitsLayout->addWidget(m_limits, 0, Qt::AlignLeft);

    QGroupBox* brake = MakeFrame(this, QStringLiteral("frameBrake"), QStringLiteral("Brake (Y1)"));
    auto* brakeLayout = new QGridLayout(brake);
    m_brake = MakeCheck(brake, QStringLiteral("chkBrake"), QStringLiteral("Release brake when motor enabled by"));
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

    QGroupBox* motion = MakeFrame(this, QStringLiteral("FrameInPosition"), QStringLiteral("Motion Output (Y2)"));
    auto* motionLayout = new QVBoxLayout(motion);
    m_motion = optionGroup(MotionOptions, motion, nullptr);
    for (QAbstractButton* b : m_motion->buttons()) {
        if (m_motion->id(b) != IOForm::MotionTach)
            motionLayout->addWidget(b);
    }
    auto* tachRow = new QHBoxLayout;
    tachRow->addWidget(m_motion->button(IOForm::MotionTach));
    m_tach = MakeList(motion, QStringLiteral("TachPPR"), QStringLiteral("Tach pulses per rev"));
    tachRow->addWidget(m_tach);
    tachRow->addStretch(1);
    motionLayout->addLayout(tachRow);

    QGroupBox* decel = MakeFrame(this, QStringLiteral("frameMaxAccel"), QStringLiteral("Maximum Deceleration"));
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
    QPushButton* wiring = MakeButton(buttons, QStringLiteral("Wiring"), QStringLiteral("Wiring..."));
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
    mainForm().OpenHelpPage(HelpPage(HelpOpener::IOdialogWiring));
}

void IOdialog::ShowHistory_Click()
{
    // The alarm history as the Drive menu opens it (nothing without a port).
    RunHook(mainForm().hooks().showAlarmHistory);
}
