#include "MotorDialog.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "HelpPages.h"
#include "MainWindowServices.h"
#include "WindowHooks.h"
#include "NumberBox.h"
#include "NumberSlider.h"
#include "Units.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLabel* valueLabel(const QString& name, QWidget* parent)
{
    QLabel* label = MakeLabel(parent, name, QString());
    label->setMinimumWidth(60);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* caption(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

// The motor list drops down as a list below the box, not as a menu over
// it: the menu form widens itself to its longest entry by measuring every
// one of them each time it opens, which thousands of motors make slow.
class DropDownListStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

MotorDialog::MotorDialog(Configurator& configurator, MainWindowServices& main)
    : SettingsDialog(configurator, main, QStringLiteral("MotorDialog"), QStringLiteral("Motor"),
                     HelpPage(HelpOpener::MotorDialogHelp), SummaryBlocks::MotorBlock)
{
    // Motor: a standard motor from the list or the custom motor. The frame
    // is what a screen reader says for the list (it takes the list's
    // current entry for its name).
    QGroupBox* motorChoice = MakeFrame(this, QStringLiteral("FrameMotor"), QStringLiteral("Motor"));
    auto* choiceGrid = new QGridLayout(motorChoice);
    optStandard = MakeOption(motorChoice, QStringLiteral("optStandard"), QStringLiteral("Standard motor"));
    optCustom = MakeOption(motorChoice, QStringLiteral("optCustom"), QStringLiteral("Custom motor"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(optStandard);
    kinds->addButton(optCustom);
    optStandard->setChecked(true);
    MotorList = MakeList(motorChoice, QStringLiteral("MotorList"), QStringLiteral("Standard motor part number"));
    // A database holds thousands of motors: the list box and its drop-down
    // are sized for a part number of 13 characters (what the drive holds)
    // rather than by measuring every entry.
    MotorList->setMinimumContentsLength(13);
    MotorList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* listStyle = new DropDownListStyle;
    listStyle->setParent(MotorList);
    MotorList->setStyle(listStyle);
    if (auto* entries = qobject_cast<QListView*>(MotorList->view())) {
        entries->setUniformItemSizes(true);
        entries->setAccessibleName(QStringLiteral("Standard motor part numbers"));
        entries->verticalScrollBar()->setAccessibleName(QStringLiteral("Scroll the part numbers"));
        entries->horizontalScrollBar()->setAccessibleName(QStringLiteral("Scroll the part numbers sideways"));
    }
    DefineNewMotor =
        MakeButton(motorChoice, QStringLiteral("DefineNewMotor"), QStringLiteral("Define Custom Motor..."));
    choiceGrid->addWidget(optStandard, 0, 0);
    choiceGrid->addWidget(MotorList, 0, 1);
    choiceGrid->addWidget(optCustom, 1, 0);
    choiceGrid->addWidget(DefineNewMotor, 1, 1);

    const QStringList dbNames{"lblRatedCurrent", "lblRatedTorque", "TorqueUnit", "lblRotorInertia",
                              "RotorInertiaUnit", "lblSmoothingGain", "lblSmoothingPhase", "lblDeg",
                              "lblrps", "MotorMore"};
    const QStringList otherNames{"OtherCurrent", "OtherTorque", "OtherTorqueUnit", "OtherInertia",
                                 "OtherInertiaUnit", "OtherHarmonicGain", "OtherHarmonicPhase", "OtherDeg",
                                 "OtherRPS", "OtherMore"};
    FrameMotorSpecs = specFrame(QStringLiteral("FrameMotorSpecs"), dbNames, m_specs);
    FrameOtherMotor = specFrame(QStringLiteral("FrameOtherMotor"), otherNames, m_other);
    MoreOrLess = MakeButton(this, QStringLiteral("MoreOrLess"), QStringLiteral("More"),
                            QStringLiteral("More or less motor specs"));

    // Running current, amps; the slider in hundredths.
    auto* runFrame = new QGroupBox(QStringLiteral("Running Current"), this);
    txtDriveCurrent = numberBox(QStringLiteral("txtDriveCurrent"), QStringLiteral("Running current"),
                                DriveCurrentRule([this] { return maxRunCurrent(); }));
    SliderMaxCurrent = new NumberSlider(QStringLiteral("SliderMaxCurrent"), QStringLiteral("Running current slider"),
                                        MotorBoxScale(MotorBox::DriveCurrent), *txtDriveCurrent, runFrame);
    SliderMaxCurrent->userClamp = [this](int p) { return DriveCurrentPosition(p, maxRunCurrent()); };
    SliderMaxCurrent->changeClamp = [this](int p) {
        return cfg().state().UpdatingControls ? p : DriveCurrentPosition(p, maxRunCurrent());
    };

    // Idle current, percent of the running current.
    auto* idleFrame = new QGroupBox(QStringLiteral("Idle Current"), this);
    txtIdlePercent = numberBox(QStringLiteral("txtIdlePercent"), QStringLiteral("Idle current percent"),
                               ScaleRule(MotorBoxScale(MotorBox::IdlePercent)));
    SliderIdleCurrent = new NumberSlider(QStringLiteral("SliderIdleCurrent"), QStringLiteral("Idle current slider"),
                                         MotorBoxScale(MotorBox::IdlePercent), *txtIdlePercent, idleFrame);
    IdleLabel = MakeLabel(idleFrame, QStringLiteral("IdleLabel"), QString());

    // Idle current delay, seconds; the slider in hundredths.
    auto* delayFrame = new QGroupBox(QStringLiteral("Idle Current Delay"), this);
    IdleDelayTime = numberBox(QStringLiteral("IdleDelayTime"), QStringLiteral("Idle current delay"),
                              ScaleRule(MotorBoxScale(MotorBox::IdleDelay)));
    SliderIdleDelay = new NumberSlider(QStringLiteral("SliderIdleDelay"), QStringLiteral("Idle current delay slider"),
                                       MotorBoxScale(MotorBox::IdleDelay), *IdleDelayTime, delayFrame);

    // Load inertia: a value in a unit, or a multiple of the rotor inertia.
    auto* inertiaFrame = new QGroupBox(QStringLiteral("Load Inertia"), this);
    optValue = MakeOption(inertiaFrame, QStringLiteral("optValue"), QString(),
                          QStringLiteral("Load inertia as a value"));
    optRatio = MakeOption(inertiaFrame, QStringLiteral("optRatio"), QString(),
                          QStringLiteral("Load inertia as a multiple of the rotor inertia"));
    auto* inertiaKinds = new QButtonGroup(this);
    inertiaKinds->addButton(optValue);
    inertiaKinds->addButton(optRatio);
    optRatio->setChecked(true);
    txtLoadInertia = numberBox(QStringLiteral("txtLoadInertia"), QStringLiteral("Load inertia"),
                               ScaleRule(MotorBoxScale(MotorBox::LoadInertia)));
    JUnits = MakeUnitList(inertiaFrame, QStringLiteral("JUnits"), QStringLiteral("Load inertia unit"), InertiaUnitName, 4);
    txtInertiaRatio = numberBox(QStringLiteral("txtInertiaRatio"), QStringLiteral("Inertia ratio"),
                                ScaleRule(MotorBoxScale(MotorBox::InertiaRatio)));
    SliderInertiaRatio = new NumberSlider(QStringLiteral("SliderInertiaRatio"), QStringLiteral("Inertia ratio slider"),
                                          MotorBoxScale(MotorBox::InertiaRatio), *txtInertiaRatio, inertiaFrame);

    chkSmoothingOff = MakeCheck(this, QStringLiteral("chkSmoothingOff"), QStringLiteral("Waveform Smoothing Off"));
    chkDampingOff = MakeCheck(this, QStringLiteral("chkDampingOff"),
                              QStringLiteral("Electronic Damping/Anti-resonance Off"));

    // Layout: the motor on the left, currents and inertia on the right.
    auto boxRow = [](QGroupBox* frame, QWidget* box, QWidget* unit, NumberSlider* slider) {
        auto* grid = new QGridLayout(frame);
        box->setParent(frame);
        box->setMaximumWidth(70);
        grid->addWidget(box, 0, 0);
        grid->addWidget(unit, 0, 1);
        grid->setColumnStretch(1, 1);
        grid->addWidget(slider, 1, 0, 1, 2);
    };
    boxRow(runFrame, txtDriveCurrent, caption(QStringLiteral("amps"), runFrame), SliderMaxCurrent);
    boxRow(idleFrame, txtIdlePercent, IdleLabel, SliderIdleCurrent);
    boxRow(delayFrame, IdleDelayTime, caption(QStringLiteral("secs"), delayFrame), SliderIdleDelay);
    {
        auto* grid = new QGridLayout(inertiaFrame);
        txtLoadInertia->setParent(inertiaFrame);
        txtInertiaRatio->setParent(inertiaFrame);
        txtLoadInertia->setMaximumWidth(70);
        txtInertiaRatio->setMaximumWidth(70);
        grid->addWidget(optValue, 0, 0);
        grid->addWidget(txtLoadInertia, 0, 1);
        grid->addWidget(JUnits, 0, 2);
        grid->addWidget(optRatio, 1, 0);
        grid->addWidget(txtInertiaRatio, 1, 1);
        grid->addWidget(caption(QStringLiteral("X rotor inertia"), inertiaFrame), 1, 2);
        grid->addWidget(SliderInertiaRatio, 2, 1, 1, 2);
        grid->setColumnStretch(2, 1);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(motorChoice);
    left->addWidget(FrameMotorSpecs);
    left->addWidget(FrameOtherMotor);
    auto* moreRow = new QHBoxLayout;
    moreRow->addStretch(1);
    moreRow->addWidget(MoreOrLess);
    left->addLayout(moreRow);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(runFrame);
    right->addWidget(idleFrame);
    right->addWidget(delayFrame);
    right->addWidget(inertiaFrame);
    right->addWidget(chkSmoothingOff);
    right->addWidget(chkDampingOff);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns);
    QWidget* buttons = standardButtons();
    QPushButton* wiring = MakeButton(buttons, QStringLiteral("Wiring"), QStringLiteral("Wiring"));
    buttons->layout()->addWidget(wiring);
    whole->addWidget(buttons);

    // Behaviour.
    connect(MotorList, &QComboBox::currentIndexChanged, this, &MotorDialog::MotorList_Click);
    connect(optCustom, &QRadioButton::toggled, this, [this] { motorKindChosen(true); });
    connect(optRatio, &QRadioButton::toggled, this, &MotorDialog::inertiaKindChosen);
    connect(DefineNewMotor, &QPushButton::clicked, this, [this] { RunHook(defineCustomMotor); });
    connect(MoreOrLess, &QPushButton::clicked, this, &MotorDialog::MoreOrLess_Click);
    connect(wiring, &QPushButton::clicked, this,
            [this] { mainForm().OpenHelpPage(HelpPage(HelpOpener::MotorDialogWiring)); });
    connect(txtDriveCurrent, &QLineEdit::textChanged, this, &MotorDialog::ShowIdleAmps);
    connect(txtIdlePercent, &QLineEdit::textChanged, this, &MotorDialog::ShowIdleAmps);
    // Only the user's edits count as giving the inertia: the box's own
    // rewriting of a filled value does not.
    connect(txtLoadInertia, &QLineEdit::textEdited, this, [this] { InertiaChanged = true; });
    connect(txtInertiaRatio, &QLineEdit::textEdited, this, [this] { InertiaChanged = true; });
    connect(SliderInertiaRatio, &QAbstractSlider::actionTriggered, this, [this] { InertiaChanged = true; });
    // A file or an upload brought a motor: the list shows and selects it.
    connect(&cfg(), &Configurator::databaseMotorAdded, this, [this](const QString& partNumber, bool rowAdded) {
        ensureLoaded();
        if (rowAdded)
            LoadMotorList();
        SetMotorList(partNumber);
    });

    motorKindChosen(false);
    inertiaKindChosen();
    m_specs.more->hide();
    m_other.more->hide();
}

QGroupBox* MotorDialog::specFrame(const QString& name, const QStringList& n, SpecLabels& labels)
{
    QGroupBox* frame = MakeFrame(this, name, QStringLiteral("Motor Specs"));
    auto* grid = new QGridLayout(frame);
    labels.current = valueLabel(n.at(0), frame);
    labels.torque = valueLabel(n.at(1), frame);
    labels.torqueUnit = MakeLabel(frame, n.at(2), QString());
    labels.inertia = valueLabel(n.at(3), frame);
    labels.inertiaUnit = MakeLabel(frame, n.at(4), QString());
    labels.gain = valueLabel(n.at(5), frame);
    labels.phase = valueLabel(n.at(6), frame);
    labels.more = new QWidget(frame);
    labels.more->setObjectName(n.at(9));
    labels.deg = valueLabel(n.at(7), labels.more);
    labels.rps = valueLabel(n.at(8), labels.more);

    int row = 0;
    auto add = [&](const QString& text, QLabel* value, QWidget* unit) {
        grid->addWidget(caption(text, frame), row, 0);
        grid->addWidget(value, row, 1);
        if (unit)
            grid->addWidget(unit, row, 2);
        ++row;
    };
    add(QStringLiteral("Rated Current"), labels.current, caption(QStringLiteral("A"), frame));
    add(QStringLiteral("Holding Torque"), labels.torque, labels.torqueUnit);
    add(QStringLiteral("Rotor Inertia"), labels.inertia, labels.inertiaUnit);
    add(QStringLiteral("Smoothing Gain"), labels.gain, nullptr);
    add(QStringLiteral("Phase"), labels.phase, nullptr);
    auto* moreGrid = new QGridLayout(labels.more);
    moreGrid->setContentsMargins(0, 0, 0, 0);
    moreGrid->addWidget(caption(QStringLiteral("Max Lead Angle"), labels.more), 0, 0);
    moreGrid->addWidget(labels.deg, 0, 1);
    moreGrid->addWidget(caption(QStringLiteral("deg"), labels.more), 0, 2);
    moreGrid->addWidget(caption(QStringLiteral("Speed"), labels.more), 1, 0);
    moreGrid->addWidget(labels.rps, 1, 1);
    moreGrid->addWidget(caption(QStringLiteral("rev/sec"), labels.more), 1, 2);
    grid->addWidget(labels.more, row, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    moreGrid->setColumnStretch(2, 1);
    // The More rows have a grid of their own (they hide together): both
    // grids get the same caption and value widths so the columns line up.
    const QFontMetrics metrics(frame->font());
    int captionWidth = 0;
    for (const char* text : {"Rated Current", "Holding Torque", "Rotor Inertia", "Smoothing Gain", "Max Lead Angle"})
        captionWidth = qMax(captionWidth, metrics.horizontalAdvance(QLatin1String(text)));
    const int valueWidth = metrics.horizontalAdvance(QStringLiteral("00000.00"));
    for (QGridLayout* g : {grid, moreGrid}) {
        g->setColumnMinimumWidth(0, captionWidth);
        g->setColumnMinimumWidth(1, valueWidth);
    }
    return frame;
}

void MotorDialog::showSpecs(SpecLabels& l, const MotorSpecTexts& t)
{
    l.current->setText(t.current);
    l.torque->setText(t.torque);
    l.torqueUnit->setText(t.torqueUnit);
    l.inertia->setText(t.inertia);
    l.inertiaUnit->setText(t.inertiaUnit);
    l.gain->setText(t.gain);
    l.phase->setText(t.phase);
    l.deg->setText(t.deg);
    l.rps->setText(t.rps);
}

void MotorDialog::load()
{
    LoadMotorList();
    // The list's first entry is now the database motor. One rated under
    // 0.94 A (a small motor an earlier upload added) does not allow the
    // default 1.4 A: the running current comes down to it, as a model
    // change brings it down, so a download straight after start-up cannot
    // drive the motor beyond 1.5 x rated.
    cfg().lowerRunCurrentToMotor();
}

void MotorDialog::LoadMotorList()
{
    {
        const QSignalBlocker quiet(MotorList);
        MotorList->clear();
        MotorList->addItems(cfg().motors().partNumbers());
        MotorList->setCurrentIndex(MotorList->count() > 0 ? 0 : -1);
    }
    // Entry 0 selected runs the list's selection action.
    if (MotorList->count() > 0)
        MotorList_Click();
}

void MotorDialog::SetMotorList(const QString& partNumber)
{
    int row = MotorList->findText(partNumber, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row < 0)
        row = 0;
    if (row >= MotorList->count())
        return;
    if (MotorList->currentIndex() == row)
        MotorList_Click();  // already selected: the action runs all the same
    else
        MotorList->setCurrentIndex(row);
}

void MotorDialog::MotorList_Click()
{
    MotorStore& motors = cfg().motors();
    if (MotorList->currentIndex() < 0 || !motors.seek(MotorList->currentText()))
        return;
    const MotorRecord motor = motors.currentRecord();
    showSpecs(m_specs, DatabaseMotorSpecs(motor));
    SliderMaxCurrent->setPosition(RatedCurrentPosition(motor.current, cfg().DriveMaxCurrent()));
}

void MotorDialog::ShowCustomSpecs()
{
    showSpecs(m_other, CustomMotorSpecs(cfg().settings()));
}

void MotorDialog::setCustomSpecs(const MotorSpecTexts& texts)
{
    showSpecs(m_other, texts);
}

void MotorDialog::ShowIdleAmps()
{
    IdleLabel->setText(IdleAmpsText(txtIdlePercent->text(), txtDriveCurrent->text()));
}

QString MotorDialog::runCurrentText() const
{
    return txtDriveCurrent->text();
}

bool MotorDialog::customChosen() const
{
    return optCustom->isChecked();
}

float MotorDialog::maxRunCurrent()
{
    return cfg().MaxRunCurrentFor(customChosen());
}

void MotorDialog::motorKindChosen(bool byUser)
{
    const bool custom = optCustom->isChecked();
    cfg().state().MotorDialogCustomChosen = custom;
    MotorList->setEnabled(!custom);
    DefineNewMotor->setEnabled(custom);
    FrameOtherMotor->setVisible(custom);
    FrameMotorSpecs->setVisible(!custom);
    if (custom)
        ShowCustomSpecs();
    // The user's choice puts the chosen motor's rated current on the
    // running current; filling shows the running current the settings hold.
    if (!byUser || m_filling)
        return;
    const double rated = custom ? cfg().settings().CustomMotorCurrent : cfg().databaseMotor().current;
    SliderMaxCurrent->setPosition(RatedCurrentPosition(rated, cfg().DriveMaxCurrent()));
}

void MotorDialog::inertiaKindChosen()
{
    const bool ratio = optRatio->isChecked();
    txtLoadInertia->setEnabled(!ratio);
    JUnits->setEnabled(!ratio);
    txtInertiaRatio->setEnabled(ratio);
    SliderInertiaRatio->setEnabled(ratio);
}

void MotorDialog::MoreOrLess_Click()
{
    const bool more = MoreOrLess->text() == QStringLiteral("More");
    m_specs.more->setVisible(more);
    m_other.more->setVisible(more);
    MoreOrLess->setText(more ? QStringLiteral("Less") : QStringLiteral("More"));
    adjustSize();
}

void MotorDialog::fill()
{
    const Settings& s = cfg().settings();
    m_filling = true;
    m_motorInForce = cfg().databaseMotor().partNumber;
    SetMotorList(m_motorInForce);
    SliderIdleDelay->setNumber(s.IdleDelay);
    cfg().state().UpdatingControls = true;
    SliderIdleCurrent->setNumber(s.IdleCurrentPct);
    JUnits->setCurrentIndex(std::clamp<int>(s.LoadInertiaUnit, 0, 3));
    txtLoadInertia->setText(LoadInertiaText(s));
    SliderInertiaRatio->setNumber(s.InertiaRatio);
    (s.InertiaAsRatio ? optRatio : optValue)->setChecked(true);
    (s.UseCustomMotor ? optCustom : optStandard)->setChecked(true);
    motorKindChosen(false);
    inertiaKindChosen();
    chkDampingOff->setChecked(!s.DampingOn);
    chkSmoothingOff->setChecked(!s.SmoothingOn);
    // Last, so that nothing above (the list's selection, the motor kind)
    // replaces the running current the settings hold.
    SliderMaxCurrent->setNumber(s.RunCurrent);
    ShowCustomSpecs();
    ShowIdleAmps();
    m_filling = false;
    InertiaChanged = false;
}

void MotorDialog::writeSettings()
{
    const int top = DriveCurrentPosition(SliderMaxCurrent->maximum(), maxRunCurrent());
    if (SliderMaxCurrent->value() > top)
        SliderMaxCurrent->setPosition(top);
    MotorDialogEntries e;
    e.runCurrent = txtDriveCurrent->text();
    e.idlePercent = txtIdlePercent->text();
    e.idleDelay = IdleDelayTime->text();
    e.loadInertia = txtLoadInertia->text();
    e.loadInertiaUnit = JUnits->currentIndex();
    e.inertiaRatio = txtInertiaRatio->text();
    e.ratioChosen = optRatio->isChecked();
    e.customChosen = optCustom->isChecked();
    e.dampingOff = chkDampingOff->isChecked();
    e.smoothingOff = chkSmoothingOff->isChecked();
    WriteMotorSettings(e, cfg().settings());
    if (InertiaChanged)
        cfg().state().InertiaSet = true;
}

void MotorDialog::cancelled()
{
    // Choosing in the list makes the database motor at once (the limits and
    // the image follow it); Cancel puts back the one in force at the filling.
    if (!m_motorInForce.isEmpty() && cfg().databaseMotor().partNumber != m_motorInForce)
        SetMotorList(m_motorInForce);
}

void MotorDialog::changeEvent(QEvent* event)
{
    SettingsDialog::changeEvent(event);
    // While this is the active window its motor choice is the motor in use.
    if (event->type() == QEvent::ActivationChange)
        cfg().state().MotorDialogActive = isActiveWindow();
}

void MotorDialog::hideEvent(QHideEvent* event)
{
    SettingsDialog::hideEvent(event);
    cfg().state().MotorDialogActive = false;
}
