#include "Configurator.h"

#include "Prompt.h"
#include "RunCurrentCeiling.h"

Configurator::Configurator(Prompt& prompt, QObject* parent)
    : QObject(parent), m_prompt(prompt)
{
}

bool Configurator::openMotorDatabase(const QString& path)
{
    QString reason;
    if (m_motors.open(path, &reason))
        return true;
    m_prompt.tell(ProgramTitle(),
                  QStringLiteral("Error %1: %2 Can't load motor database.  The KORV4 Configurator cannot "
                                 "operate without it.  Please try re-installing the software.")
                      .arg(m_motors.errorNumber())
                      .arg(reason));
    return false;
}

QStringList Configurator::ModelNames()
{
    return {QStringLiteral("KORV4-E"),     QStringLiteral("KORV4-J"),     QStringLiteral("KORV4-Ky"),
            QStringLiteral("KORV4-E-220"), QStringLiteral("KORV4-J-220"), QStringLiteral("KORV4-Ky-220")};
}

void Configurator::selectModel(int row)
{
    if (row < -1 || row >= ModelNames().size())
        row = -1;
    m_modelIndex = row;
    emit modelIndexChanged(row);
    ShowMotionDesc();
    const double runCurrent = m_settings.RunCurrent;
    const int idlePct = m_settings.IdleCurrentPct;
    LimitContCurrent();
    LimitIdleCurrent();
    if (m_settings.RunCurrent != runCurrent || m_settings.IdleCurrentPct != idlePct)
        emit currentsLowered();
}

void Configurator::selectCommRow(int row)
{
    emit commRowSelected(row);
}

void Configurator::setCommRow(int row)
{
    // Reported also when unchanged: a refused move must put the port list
    // back on the row in force.
    m_commRow = row;
    emit commRowChanged(row);
}

float Configurator::DriveMaxCurrent() const
{
    if (m_modelIndex >= 0 && m_modelIndex <= 2)
        return 6.0f;
    if (m_modelIndex >= 3 && m_modelIndex <= 5)
        return 3.2f;
    return 0.0f;
}

bool Configurator::customMotorInUse() const
{
    if (m_state.MotorDialogActive)
        return m_state.MotorDialogCustomChosen;
    return m_settings.UseCustomMotor;
}

float Configurator::MaxRunCurrent() const
{
    return MaxRunCurrentFor(customMotorInUse());
}

float Configurator::MaxRunCurrentFor(bool customMotor) const
{
    const float driveMax = DriveMaxCurrent();
    double rated;
    if (customMotor) {
        rated = m_settings.CustomMotorCurrent;
    } else {
        // No database motor yet (empty or unopened database): the drive's own
        // maximum is the only limit there is.
        if (!m_motors.hasCurrent())
            return driveMax;
        rated = m_motors.currentRecord().current;
    }
    const float limit = static_cast<float>(1.5 * rated);
    return limit < driveMax ? limit : driveMax;
}

void Configurator::LimitContCurrent()
{
    const float maxRun = MaxRunCurrent();
    // The limit is a single-precision value (1.935 A for a 1.29 A motor);
    // the running current goes to the drive in hundredths, so it is stored
    // rounded down to the hundredth, as the motor dialog's boxes hold it
    // (1.93 A): a rounded-up 1.94 A would exceed 1.5 x rated.
    if (maxRun < static_cast<float>(m_settings.RunCurrent))
        m_settings.RunCurrent = RunCurrentCeiling(maxRun);
}

void Configurator::LimitIdleCurrent()
{
    if (m_settings.IdleCurrentPct > 90)
        m_settings.IdleCurrentPct = 90;
}

void Configurator::lowerRunCurrentToMotor()
{
    const double runCurrent = m_settings.RunCurrent;
    LimitContCurrent();
    if (m_settings.RunCurrent != runCurrent)
        emit currentsLowered();
}

void Configurator::ShowMotionDesc()
{
    const Settings& s = m_settings;
    QString caption = m_motionDesc;
    switch (s.OperatingMode) {
    case 1: caption = QStringLiteral("Ky Program"); break;
    case 2: caption = QStringLiteral("TMX Mode"); break;
    case 3:
        if (s.ControlMode == 11)
            caption = QStringLiteral("Velocity Mode");
        else if (s.ControlMode == 7)
            caption = s.PulseType == 2   ? QStringLiteral("Quadrature Following")
                      : s.PulseType == 0 ? QStringLiteral("Pulse && Direction")
                                         : QStringLiteral("CW/CCW Pulse");
        // any other control mode leaves the caption as it was
        break;
    case 4: caption = QStringLiteral("Orvane Hub"); break;
    case 7: caption = QStringLiteral("J Program"); break;
    default: caption.clear(); break;
    }
    m_motionDesc = caption;
    emit motionDescChanged(caption);
}

void Configurator::setDriveVersion(const QString& text)
{
    m_driveVersion = text;
    emit driveVersionChanged(text);
}

MotorStore::AddResult Configurator::AddMotorRecord(const MotorRecord& record)
{
    const MotorStore::AddResult result = m_motors.AddMotorRecord(record);
    // The store seeks without regard to case: the motor list is told the
    // part number as the row that was found spells it, not as the file or
    // image did, so that it selects that very row.
    if (result == MotorStore::AddResult::Added || result == MotorStore::AddResult::Selected)
        emit databaseMotorAdded(m_motors.currentRecord().partNumber, result == MotorStore::AddResult::Added);
    return result;
}
