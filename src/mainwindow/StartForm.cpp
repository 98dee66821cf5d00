#include "StartForm.h"

#include "MainForm.h"
#include "Pictures.h"
#include "Version.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

StartForm::StartForm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("StartForm"));
    setWindowTitle(QStringLiteral("StartUp"));

    auto* picture = new QLabel(this);
    picture->setPixmap(PicturePixmap(QStringLiteral("Splash")));

    m_ver = new QLabel(QStringLiteral("Version 1.00"), this);
    m_ver->setObjectName(QStringLiteral("ver"));
    m_ver->setAlignment(Qt::AlignCenter);

    auto* maker = new QLabel(QStringLiteral("Configuration software for KORV4 stepper-motor drives\n"
                                            "Starting up: looking for a drive on COM1 to COM8"),
                             this);
    maker->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(m_ver);
    layout->addWidget(maker);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString StartForm::versionText() const
{
    return m_ver->text();
}

void StartForm::run(MainForm& main)
{
    m_ver->setText(QStringLiteral("Version ") + ProgramVersion());
    adjustSize();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - QPoint(width() / 2, height() / 2));
    show();
    // The splash must be drawn before the load step blocks for the port search.
    repaint();
    QCoreApplication::processEvents();

    main.Form_Load();

    close();
    main.show();
}
