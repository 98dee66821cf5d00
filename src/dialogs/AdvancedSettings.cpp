#include "AdvancedSettings.h"

#include "DialogControls.h"
#include "HelpPages.h"
#include "NumberBox.h"
#include "Rounding.h"
#include "VelocityDialog.h"
#include "VelocityRules.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AdvancedSettings::AdvancedSettings(Configurator& configurator, MainWindowServices& main, DriveLink& link,
                                   VelocityDialog& velocity)
    : SettingsDialog(configurator, main, QStringLiteral("AdvancedSettings"), QStringLiteral("Advanced Analog Settings"),
                     HelpPage(HelpOpener::AdvancedSettingsHelp), NoBlock),
      m_velocity(velocity), m_autoOffset(link)
{
    txtAnalogDeadband = numberBox(QStringLiteral("txtAnalogDeadband"), QStringLiteral("Deadband"), DeadbandRule());
    txtCmdOffset = numberBox(QStringLiteral("txtCmdOffset"), QStringLiteral("Offset"), AnalogOffsetRule());
    txtAnalogFilter = numberBox(QStringLiteral("txtAnalogFilter"), QStringLiteral("Filter Freq"), AnalogFilterRule());
    AutoOffsetButton = MakeButton(this, QStringLiteral("AutoOffset"), QStringLiteral("Auto Offset"));

    auto* grid = new QGridLayout;
    const struct {
        const char* label;
        const char* name;
        NumberBox* box;
        const char* unit;
        const char* unitName;
    } rows[] = {
        {"Deadband", "lblDeadband", txtAnalogDeadband, "mV", "lblDeadbandUnits"},
        {"Offset", "lblOffset", txtCmdOffset, "mV", "lblOffsetUnits"},
        {"Filter Freq", "lblFilterFreq", txtAnalogFilter, "Hz", "lblHz"},
    };
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(MakeLabel(this, QString::fromLatin1(r.name), QString::fromLatin1(r.label)), row, 0);
        grid->addWidget(r.box, row, 1);
        grid->addWidget(MakeLabel(this, QString::fromLatin1(r.unitName), QString::fromLatin1(r.unit)), row, 2);
        ++row;
    }
    grid->addWidget(AutoOffsetButton, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(standardButtons());
    connect(AutoOffsetButton, &QPushButton::clicked, this, &AdvancedSettings::AutoOffset_Click);
}

void AdvancedSettings::fill()
{
    txtCmdOffset->setValue(m_velocity.CmdOffset);
    txtAnalogDeadband->setValue(m_velocity.AnalogDeadband);
    txtAnalogFilter->setValue(m_velocity.AnalogFilter);
}

void AdvancedSettings::writeSettings()
{
    m_velocity.CmdOffset = RoundToInt(txtCmdOffset->value());
    m_velocity.AnalogDeadband = RoundToInt(txtAnalogDeadband->value());
    m_velocity.AnalogFilter = RoundToInt(txtAnalogFilter->value());
}

void AdvancedSettings::summarize()
{
    if (m_velocity.isVisible()) {
        m_velocity.raise();
        m_velocity.activateWindow();
    }
}

void AdvancedSettings::AutoOffset_Click()
{
    if (const std::optional<double> offset = m_autoOffset.measure())
        txtCmdOffset->setText(BoxText(*offset));
}
