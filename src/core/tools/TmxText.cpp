#include "TmxText.h"

#include "Configurator.h"
#include "DriveLink.h"
#include "Prompt.h"

namespace {

constexpr quint8 GreetingHeader = 255;
constexpr int GreetingSize = 3;
// Drives of this size class and smaller expect the answer to their greeting.
constexpr int AnsweredModelsBelow = 100;

}  // namespace

QByteArray TmxCommand(const QByteArray& name)
{
    return name + '\r';
}

PowerUpCapture::Result PowerUpCapture::feed(char c)
{
    if (m_capturing) {
        m_packet.append(c);
        if (m_packet.size() < GreetingSize)
            return Result::Held;
        m_capturing = false;
        return Result::Complete;
    }
    if (static_cast<quint8>(c) != GreetingHeader)
        return Result::NotMine;
    m_capturing = true;
    m_packet = QByteArray(1, c);
    return Result::Held;
}

void PowerUpCapture::reset()
{
    m_capturing = false;
    m_packet.clear();
}

void AnswerPowerUp(DriveLink& link, const QByteArray& packet)
{
    if (packet.size() < GreetingSize || static_cast<quint8>(packet.at(0)) != GreetingHeader)
        return;
    const int firmware = static_cast<quint8>(packet.at(1));
    const int model = static_cast<quint8>(packet.at(2));
    if (model < AnsweredModelsBelow)
        link.WriteText("00");
    Configurator& cfg = link.configurator();
    cfg.prompt().beep();
    ProgramState& st = cfg.state();
    st.FirmwareVersion = DriveLink::FirmwareFromCode(firmware);
    st.DriveModelCode = static_cast<std::int16_t>(model);
    cfg.setDriveVersion(DriveLink::VersionText(st.FirmwareVersion));
}
