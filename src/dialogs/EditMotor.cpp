#include "EditMotor.h"

#include "Configurator.h"
#include "CustomMotorRules.h"
#include "DialogControls.h"
#include "HelpPages.h"
#include "MainWindowServices.h"
#include "WindowHooks.h"
#include "MotorDialog.h"
#include "NameBox.h"
#include "NumberBox.h"
#include "NumberSlider.h"
#include "Prompt.h"
#include "Units.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A frame holding one row of widgets, with a slider below when given.
QGroupBox* frame(const QString& title, QWidget* parent, std::initializer_list<QWidget*> row,
                 QWidget* below = nullptr)
{
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    int column = 0;
    for (QWidget* w : row) {
        w->setParent(box);
        grid->addWidget(w, 0, column++);
    }
    grid->setColumnStretch(column - 1, 1);
    if (below) {
        below->setParent(box);
        grid->addWidget(below, 1, 0, 1, column);
    }
    return box;
}

QLabel* text(const QString& caption)
{
    return new QLabel(caption);
}

}  // namespace

EditMotor::EditMotor(Configurator& configurator, MainWindowServices& main, MotorDialog& motorDialog)
    : SettingsDialog(configurator, main, QStringLiteral("EditMotor"), QStringLiteral("Define Custom Motor"),
                     HelpPage(HelpOpener::EditMotorHelp), NoBlock),
      m_motorDialog(motorDialog)
{
    auto box = [this](CustomMotorBox which, const QString& accessibleName) {
        const BoxScale& scale = CustomMotorBoxScale(which);
        NumberBox* b = numberBox(QString::fromLatin1(scale.name), accessibleName, ScaleRule(scale));
        b->setMaximumWidth(80);
        return b;
    };
    auto slider = [this](CustomMotorBox which, const QString& name, const QString& accessibleName, NumberBox& b) {
        return new NumberSlider(name, accessibleName, CustomMotorBoxScale(which), b, this);
    };

    txtMotorName = new NameBox(QStringLiteral("txtMotorName"), QStringLiteral("Motor name"), CustomMotorNameLength, this);
    txtRatedCurrent = box(CustomMotorBox::RatedCurrent, QStringLiteral("Maximum current"));
    txtRatedTorque = box(CustomMotorBox::RatedTorque, QStringLiteral("Holding torque"));
    TorqueUnit = MakeUnitList(this, QStringLiteral("TorqueUnit"), QStringLiteral("Holding torque unit"), TorqueUnitName, 5);
    txtRotorInertia = box(CustomMotorBox::RotorInertia, QStringLiteral("Rotor inertia"));
    JUnits = MakeUnitList(this, QStringLiteral("JUnits"), QStringLiteral("Rotor inertia unit"), InertiaUnitName, 4);
    txtR = box(CustomMotorBox::R, QStringLiteral("Resistance"));
    txtL = box(CustomMotorBox::L, QStringLiteral("Inductance"));
    txtMaxVolts = box(CustomMotorBox::MaxVolts, QStringLiteral("Maximum voltage"));
    SliderMaxVolts = slider(CustomMotorBox::MaxVolts, QStringLiteral("SliderMaxVolts"),
                            QStringLiteral("Maximum voltage slider"), *txtMaxVolts);
    // The maximum voltage box is clamped but leaves its slider alone; OK
    // takes the box.
    SliderMaxVolts->followsBox = false;
    txtDeg = box(CustomMotorBox::Deg, QStringLiteral("Maximum lead angle"));
    txtRPS = box(CustomMotorBox::RPS, QStringLiteral("Speed of the maximum lead angle"));
    Gain = box(CustomMotorBox::Gain, QStringLiteral("Smoothing gain"));
    SliderGain = slider(CustomMotorBox::Gain, QStringLiteral("SliderGain"), QStringLiteral("Smoothing gain slider"),
                        *Gain);
    Phase = box(CustomMotorBox::Phase, QStringLiteral("Smoothing phase"));
    SliderPhase = slider(CustomMotorBox::Phase, QStringLiteral("SliderPhase"),
                         QStringLiteral("Smoothing phase slider"), *Phase);
    Wizard = MakeButton(this, QStringLiteral("Wizard"), QStringLiteral("Wizard..."));
    connect(Wizard, &QPushButton::clicked, this, &EditMotor::Wizard_Click);

    txtMotorName->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * CustomMotorNameLength / 2 + 24);
    auto* left = new QVBoxLayout;
    left->addWidget(frame(QStringLiteral("Name"), this, {txtMotorName}));
    left->addWidget(frame(QStringLiteral("Maximum Current"), this, {txtRatedCurrent, text(QStringLiteral("amps"))}));
    left->addWidget(frame(QStringLiteral("Holding Torque"), this, {txtRatedTorque, TorqueUnit}));
    left->addWidget(frame(QStringLiteral("Rotor Inertia"), this, {txtRotorInertia, JUnits}));
    auto* right = new QVBoxLayout;
    right->addWidget(frame(QStringLiteral("Resistance"), this, {txtR, text(QStringLiteral("ohms"))}));
    right->addWidget(frame(QStringLiteral("Inductance"), this, {txtL, text(QStringLiteral("mH"))}));
    right->addWidget(
        frame(QStringLiteral("Maximum Voltage"), this, {txtMaxVolts, text(QStringLiteral("%"))}, SliderMaxVolts));
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    QGroupBox* lead = frame(QStringLiteral("Max Lead Angle (required for stall prevention)"), this,
                            {txtDeg, text(QStringLiteral("degrees, at")), txtRPS, text(QStringLiteral("rev/sec"))});
    auto* smoothing = new QGroupBox(QStringLiteral("Waveform Smoothing"), this);
    {
        auto* grid = new QGridLayout(smoothing);
        Gain->setParent(smoothing);
        Phase->setParent(smoothing);
        SliderGain->setParent(smoothing);
        SliderPhase->setParent(smoothing);
        Wizard->setParent(smoothing);
        grid->addWidget(Gain, 0, 0);
        grid->addWidget(new QLabel(QStringLiteral("Gain"), smoothing), 0, 1);
        grid->addWidget(SliderGain, 0, 2);
        grid->addWidget(Phase, 1, 0);
        grid->addWidget(new QLabel(QStringLiteral("Phase"), smoothing), 1, 1);
        grid->addWidget(SliderPhase, 1, 2);
        grid->addWidget(Wizard, 0, 3, 2, 1, Qt::AlignVCenter);
        grid->setColumnStretch(2, 1);
        // Wide enough to set a gain in its small steps by dragging.
        SliderGain->setMinimumWidth(200);
        SliderPhase->setMinimumWidth(200);
    }

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns);
    whole->addWidget(lead);
    whole->addWidget(smoothing);
    whole->addWidget(standardButtons());
}

void EditMotor::setGainAndPhase(std::optional<int> gain, std::optional<int> phase)
{
    if (gain)
        SliderGain->setNumber(*gain);
    if (phase)
        SliderPhase->setNumber(*phase);
}

void EditMotor::fill()
{
    const Settings& s = cfg().settings();
    txtRatedTorque->setText(FormatSig(s.CustomMotorTorque));
    TorqueUnit->setCurrentIndex(std::clamp<int>(s.CustomTorqueUnit, 0, TorqueUnit->count() - 1));
    txtRotorInertia->setText(FormatSig(s.CustomMotorInertia));
    JUnits->setCurrentIndex(std::clamp<int>(s.CustomInertiaUnit, 0, JUnits->count() - 1));
    SliderGain->setNumber(s.CustomHarmonicGain);
    SliderPhase->setNumber(s.CustomHarmonicPhase);
    txtRatedCurrent->setValue(s.CustomMotorCurrent);
    txtMotorName->fillName(s.CustomMotorName);
    txtR->setValue(s.CustomMotorR);
    txtL->setValue(s.CustomMotorL);
    SliderMaxVolts->setNumber(s.CustomMotorMaxVolts);
    txtRPS->setValue(s.CustomLeadAngleRps);
    txtDeg->setValue(s.CustomLeadAngleDeg);
}

void EditMotor::writeSettings()
{
    CustomMotorEntries e;
    e.name = txtMotorName->text();
    e.current = txtRatedCurrent->text();
    e.torque = txtRatedTorque->text();
    e.torqueUnit = TorqueUnit->currentIndex();
    e.inertia = txtRotorInertia->text();
    e.inertiaUnit = JUnits->currentIndex();
    e.r = txtR->text();
    e.l = txtL->text();
    e.maxVolts = txtMaxVolts->text();
    e.deg = txtDeg->text();
    e.rps = txtRPS->text();
    e.gain = Gain->text();
    e.phase = Phase->text();
    WriteCustomMotor(e, cfg().settings());
    // A custom motor in use rated lower than before: the running current
    // comes down to what it allows, so that a motor dialog cancelled after
    // this OK cannot leave the drive more than 1.5 x rated.
    cfg().lowerRunCurrentToMotor();
    m_motorDialog.setCustomSpecs(CustomSpecsAsTyped(e));
    m_motorDialog.runCurrentSlider().setPosition(
        RatedCurrentPosition(cfg().settings().CustomMotorCurrent, cfg().DriveMaxCurrent()));
}

void EditMotor::Wizard_Click()
{
    const ProgramState& st = cfg().state();
    if (SmoothingWizardAllowed(st.FirmwareVersion, st.MinorRev))
        RunHook(mainForm().hooks().showSmoothingWizard);
    else
        cfg().prompt().tell(Configurator::ProgramTitle(), SmoothingWizardRefusal());
}
