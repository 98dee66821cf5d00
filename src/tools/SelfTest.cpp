#include "SelfTest.h"

#include "Configurator.h"
#include "DriveLink.h"
#include "FormHelpers.h"
#include "Prompt.h"
#include "SerialPort.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SelfTest::SelfTest(DriveLink& link, QWidget* mainWindow, QWidget* parent)
    : QDialog(parent), m_link(link), m_mainWindow(mainWindow), m_run(link)
{
    setObjectName(QStringLiteral("SelfTest"));
    setWindowTitle(QStringLiteral("Self Test"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::ApplicationModal);

    auto* label = new QLabel(
        QStringLiteral("Motor should be turning 1/2 revolution at 0.25 rev/sec in alternating directions."), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setMinimumWidth(300);
    label->setAlignment(Qt::AlignCenter);

    m_stop = new QPushButton(QStringLiteral("Stop"), this);
    m_stop->setObjectName(QStringLiteral("StopSelfTest"));
    m_stop->setAccessibleName(QStringLiteral("Stop"));
    m_stop->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_stop);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(buttons);

    connect(m_stop, &QPushButton::clicked, this, &SelfTest::StopSelfTest_Click);
}

void SelfTest::start()
{
    if (!m_link.port().isOpen()) {
        m_link.configurator().prompt().tell(Configurator::ProgramTitle(),
                                            QStringLiteral("Cannot run the self test: there is no comm port open."),
                                            Prompt::Icon::Information);
        return;
    }
    if (!m_placed && m_mainWindow) {
        m_placed = true;
        adjustSize();
        CenterForm(*this, *m_mainWindow);
    }
    ShowInFront(*this);
    m_run.start();
}

void SelfTest::StopSelfTest_Click()
{
    m_run.stop();
    hide();
}

void SelfTest::reject()
{
    StopSelfTest_Click();
}

void SelfTest::closeEvent(QCloseEvent* event)
{
    event->ignore();
    StopSelfTest_Click();
}
