#pragma once

#include "MotorStore.h"
#include "ProgramState.h"
#include "Settings.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Prompt;

// The application object: it owns the one configuration record, the shared
// program state and the motor database, and it runs what changes them as a
// whole (a change of drive model, an image read back from a drive). Windows
// are handed this object; they keep no copies of the settings.
class Configurator : public QObject {
    Q_OBJECT
public:
    explicit Configurator(Prompt& prompt, QObject* parent = nullptr);

    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }
    ProgramState& state() { return m_state; }
    const ProgramState& state() const { return m_state; }
    MotorStore& motors() { return m_motors; }
    const MotorStore& motors() const { return m_motors; }
    Prompt& prompt() { return m_prompt; }

    // Opens the motor database beside the program. On failure it tells the
    // user why (program title, OK only) and returns false: the program cannot
    // run without its motors and should end. The number in the message is
    // MotorStore::errorNumber(): 3024 file not found, 3025 not a database,
    // 3026 no motor table.
    bool openMotorDatabase(const QString& path);
    static QString ProgramTitle() { return QStringLiteral("KORV4 Configurator"); }

    // The drive model list, rows 0..5; rows 3..5 are the 220 V versions.
    static QStringList ModelNames();
    int modelIndex() const { return m_modelIndex; }  // -1: no row selected
    // Selecting a row (user, identify, greeting or file) runs the model change:
    // the motion description, then LimitContCurrent and LimitIdleCurrent.
    void selectModel(int row);

    // The port list, rows 0..7 for COM1..COM8. Selecting a row asks the link
    // to move the port (commRowSelected); the link reports back the row it
    // ended on with setCommRow.
    int commRow() const { return m_commRow; }
    void selectCommRow(int row);
    void setCommRow(int row);

    float DriveMaxCurrent() const;
    float MaxRunCurrent() const;
    // The same limit for the motor a caller names: the custom motor, or the
    // database's current record (the motor dialog asks it for the motor it
    // has chosen, whichever window is active).
    float MaxRunCurrentFor(bool customMotor) const;
    void LimitContCurrent();
    void LimitIdleCurrent();
    // LimitContCurrent after the motor in use changed behind the motor
    // dialog (the custom-motor editor's OK, the motor list's first entry at
    // start-up): whatever shows the running current is told when it came
    // down.
    void lowerRunCurrentToMotor();

    // The motor whose data the drive runs with: the custom motor or the
    // database's current record.
    bool customMotorInUse() const;
    MotorRecord databaseMotor() const { return m_motors.currentRecord(); }
    // Adds the database motor that a file or an upload names when its part
    // number is new, and makes it the database motor; the motor list is told
    // (databaseMotorAdded) so that it shows and selects it.
    MotorStore::AddResult AddMotorRecord(const MotorRecord& record);

    // The one-line motion-mode description of the main window, with "&&"
    // standing for a literal ampersand as in a label caption.
    QString motionDesc() const { return m_motionDesc; }
    void ShowMotionDesc();

    // The firmware version label of the main window.
    QString driveVersion() const { return m_driveVersion; }
    void setDriveVersion(const QString& text);

    // Asks every window showing the configuration to refresh all of it.
    void SummarizeAll() { emit summaryRefreshRequested(); }

signals:
    void modelIndexChanged(int row);
    void commRowSelected(int row);
    void commRowChanged(int row);
    void motionDescChanged(const QString& caption);
    void driveVersionChanged(const QString& text);
    void summaryRefreshRequested();
    // A change of model, or of the motor in use, lowered the running or idle
    // current to what is now allowed: whatever shows them is out of date.
    void currentsLowered();
    // AddMotorRecord made this motor current; rowAdded: it is a new row.
    void databaseMotorAdded(const QString& partNumber, bool rowAdded);

private:
    Prompt& m_prompt;
    Settings m_settings;
    ProgramState m_state;
    MotorStore m_motors;
    int m_modelIndex = -1;
    int m_commRow = -1;
    QString m_motionDesc;
    QString m_driveVersion;
};
