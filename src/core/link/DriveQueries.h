#pragma once

#include <QString>

class DriveLink;

// The short exchanges of the configuration link: identify the drive, read
// its firmware minor revision and its servo status. Each sends its command,
// waits (yielding) for the reply text or a time-out, and is never retried.
// A query asked for by an event handled inside another exchange's wait is
// ignored and answers as if the drive had not answered, without a message.
class DriveQueries {
public:
    explicit DriveQueries(DriveLink& link);

    // "C": the 2-character identify reply when the drive is one of the six
    // models (its row is selected and the version label set), else "".
    // Tells the user when the drive does not answer within 0.5 s.
    QString CheckDrive();
    // As CheckDrive, without the revision query, the row and the label.
    QString SilentCheckDrive();
    // "C" with 1 s to answer: true for the model codes of the start-up test.
    bool DriveStillThere();
    // " k" (a blank and the revision letter), or "" without an answer.
    QString GetMinorRev();
    // The 16-bit status word, -1 without an answer, 0 when the port is closed.
    int GetServoStatus();

    // Stores the firmware version and model code of a 2-character identify reply.
    void StoreIdentity(const QString& id);

    // The value of a reply's leading hexadecimal digits (none: 0); up to four
    // digits are a signed 16-bit number ("FFFF" -> -1, "006B" -> 107).
    static int HexValue(const QString& text);

private:
    // Sends "C" and waits for the 2-character reply; stores the firmware
    // version and model code. False (and *id empty) without an answer.
    bool identify(bool clearFirst, double seconds, QString* id);
    // identify with 0.5 s to answer, telling the user under the given title
    // when the drive does not answer.
    bool identifyOrTell(const QString& title, QString* id);

    DriveLink& m_link;
};
