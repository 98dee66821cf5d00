#pragma once

#include <QByteArray>
#include <QString>

class DriveLink;

// What every tool that talks TMX text to the drive shares: commands end with
// a carriage return, and a drive that powers up while a tool holds terminal
// mode sends its 3-byte greeting (255, firmware code, model code) to that
// tool, which answers it itself.

// A command with its carriage return ("AL" -> "AL\r").
QByteArray TmxCommand(const QByteArray& name);

// Collects the drive's power-up greeting out of the received characters.
class PowerUpCapture {
public:
    enum class Result {
        NotMine,   // an ordinary character: the tool handles it
        Held,      // part of a greeting, kept
        Complete,  // the third byte of a greeting: packet() holds all three
    };

    Result feed(char c);
    const QByteArray& packet() const { return m_packet; }
    void reset();

private:
    bool m_capturing = false;
    QByteArray m_packet;
};

// The answer to a caught greeting: "00" (no carriage return) when the model
// code is below 100, a beep, the firmware version on the main window's
// version label, and the firmware version and model code the program keeps
// for the connected drive.
void AnswerPowerUp(DriveLink& link, const QByteArray& packet);
