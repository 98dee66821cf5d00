#include "About.h"

#include "Pictures.h"
#include "Version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

About::About(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("Credits"));

    auto* picture = new QLabel(this);
    picture->setPixmap(PicturePixmap(QStringLiteral("Splash")));
    picture->setAccessibleName(QStringLiteral("KORV4 Configurator"));

    auto* contact = new QLabel(QStringLiteral("KORV4 stepper-motor drives\n"
                                              "Configuration software for the KORV4 family\n"
                                              "See Help, Contact Us for how to reach us."),
                               this);
    contact->setAlignment(Qt::AlignCenter);

    m_ver = new QLabel(this);
    m_ver->setObjectName(QStringLiteral("ver"));
    m_ver->setAlignment(Qt::AlignCenter);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(contact);
    layout->addWidget(m_ver);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void About::prepare()
{
    m_ver->setText(QStringLiteral("Version ") + ProgramVersion());
    adjustSize();
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect area = s->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

QString About::versionText() const
{
    return m_ver->text();
}
