#pragma once

#include <QString>
#include <cstdint>

// One drive configuration: every setting the dialogs edit, the upload fills,
// the download sends, the configuration file keeps and the printout shows.
// Member names follow the names the drive documentation and the file format
// use, so a reader can match them one to one.
//
// Units and code values are given beside each member; the clamps that the
// dialogs apply live with the dialogs, this record does not re-check them.
struct Settings {
    // Motion mode
    int OperatingMode = 3;   // 1 Ky program, 2 TMX mode, 3 stand-alone, 4 Orvane hub, 7 J program
    int ControlMode = 7;     // 7 step positioning, 11 velocity (stand-alone), 21 Ky program;
                             // in TMX and J modes the power-up code (7, 10..18, 21, 22)
    int PowerUpMode = 21;    // power-up control mode in TMX and J modes

    // Step input
    int PulseType = 0;            // 0 pulse & direction, 1 CW/CCW pulse, 2 quadrature following
    bool QuadDirBLeadsA = false;  // not reset by InitVars
    int StepsPerRev = 25000;      // 200..51200
    int StepFilterHz = 1000;      // Hz
    int NoiseFilterHz = 1000;     // Hz (entered in kHz)

    // Velocity and analog input
    double VelSpeed = 10.0;    // rev/s
    double VelSpeed2 = 5.0;    // rev/s while X5 is closed
    double VelAccel = 100.0;   // rev/s^2
    double VelDecel = 100.0;   // rev/s^2
    bool VelTwoSpeeds = false;
    bool VelRunStopInput = true;
    bool VelAnalog = false;
    double AnalogScale = 10.0;     // rev/s at full scale, signed
    int AnalogOffset = 0;          // mV, signed
    int AnalogDeadband = 5;        // mV, 1..255
    double AnalogFilterHz = 500.0; // Hz, 1..16000
    std::int16_t AnalogRange = 1;  // 0 +-10 V, 1 0..10 V, 2 +-5 V, 3 0..5 V
    bool VelocitySettingsSet = true;

    // Motor and current
    double RunCurrent = 1.4;            // A per phase
    int IdleCurrentPct = 50;            // % of RunCurrent, 0..90
    double IdleDelay = 0.4;             // s
    double LoadInertia = 0.0;           // always kg m2, whatever LoadInertiaUnit says
    std::int16_t LoadInertiaUnit = 1;   // unit the motor dialog shows LoadInertia in
    double InertiaRatio = 1.0;          // multiple of the rotor inertia, 0..20
    bool InertiaAsRatio = true;
    bool SmoothingOn = true;
    bool DampingOn = true;
    bool UseCustomMotor = false;

    // Custom motor
    QString CustomMotorName = QStringLiteral("custom motor");
    double CustomMotorCurrent = 2.0;       // A, rated
    double CustomMotorTorque = 118.0;      // in CustomTorqueUnit
    std::int16_t CustomTorqueUnit = 0;     // torque unit code 0..4
    double CustomMotorInertia = 300.0;     // in CustomInertiaUnit
    std::int16_t CustomInertiaUnit = 1;    // inertia unit code 0..3
    int CustomHarmonicGain = 0;            // 0..3000
    int CustomHarmonicPhase = 0;           // -128..128
    double CustomMotorR = 3.6;             // ohm
    double CustomMotorL = 10.0;
    int CustomLeadAngleDeg = 120;          // degrees
    int CustomLeadAngleRps = 25;           // rev/s
    double CustomMotorMaxVolts = 16000.0 / 170.0;  // % of maximum PWM

    // Encoder and stall handling
    bool EncoderDirCW = false;
    bool EncoderSingleEnded = false;
    int EncoderCounts = 4000;     // counts/rev
    int MaxTorquePct = 100;       // %
    bool StallDetect = false;
    bool StallPrevent = false;
    bool HardStopFault = false;
    int HardStopTimeMs = 20;
    float UploadLeadAngleRps = 25.0f;   // as read back by the upload
    float UploadLeadAngleDeg = 120.0f;

    // I/O functions
    int EnableInputMode = 3;    // 1, 2, 3 (enabled at power up)
    int AlarmResetMode = 3;     // 1, 2, 3 (not used)
    int AlarmOutputMode = 3;    // 1, 2, 3 (not used)
    int BrakeOutputMode = 3;    // 1, 2, 3 (no brake)
    int MotionOutputMode = 3;   // 1, 2, 3 (not used), 4..8 tach 100..1600 pulses/rev
    int LimitMode = 1;          // 1 closed at limit, 2 open at limit, 3 no sensors
    int BrakeReleaseDelay = 200;  // ms
    int BrakeEngageDelay = 200;   // ms
    double MaxAccel = 3000.0;     // rev/s^2
    double MaxSpeed = 50.0;       // rev/s; printed and filed, never downloaded

    // Regeneration resistor
    bool RegenExternal = false;
    double RegenResOhms = 40.0;
    double RegenResWatts = 50.0;
    double RegenResSecs = 0.3125;

    // TMX serial settings
    QString Rs485Address = QStringLiteral("!");
    int TxDelay = 0;          // ms
    int BitRateCode = 1;      // 1 9600 .. 5 115200
    int ProtocolFlags = 1;    // bit flags

    // Drive values no dialog shows; they pass through upload and download
    int DriveWord56 = 8000;   // signed 16-bit; also kept in the file
    int DriveWord78 = 625;
    int DriveWord80 = 30;
    int DriveWord82 = 5000;
    int DriveWord84 = 250;
    int DriveWord86 = 250;
};

// Sets every setting to its default, except QuadDirBLeadsA, which keeps its value.
void InitVars(Settings& s);

// The control-mode codes a drive can power up in (TMX and J modes): 7,
// 10 to 18, 21 and 22.
bool IsPowerUpCode(int code);

// The RS-485 address for a character code: the character when it is
// printable (33 to 126), else "!". Anything else a drive or a file might hold
// would not survive the next file or download.
QString Rs485AddressFromCode(int code);
