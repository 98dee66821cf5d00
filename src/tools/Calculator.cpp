#include "Calculator.h"

#include "MoveCalculator.h"
#include "Twips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Calculator::Calculator() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("Calculator"));
    setWindowTitle(QStringLiteral("Calculator"));

    auto* instructions = new QLabel(
        QStringLiteral("Enter velocity, decel rate and motor resolution.  Minimum distance for Feed to "
                       "Sensor (FS) moves will be calculated."),
        this);
    instructions->setObjectName(QStringLiteral("Instructions"));
    instructions->setWordWrap(true);
    instructions->setFixedWidth(Twips(4800));

    m_mr = new QComboBox(this);
    m_mr->setObjectName(QStringLiteral("MR"));
    m_mr->setAccessibleName(QStringLiteral("Motor Resolution"));
    m_ve = new QLineEdit(DefaultVelocityText(), this);
    m_ve->setObjectName(QStringLiteral("VE"));
    m_ve->setAccessibleName(QStringLiteral("Velocity (VE)"));
    m_de = new QLineEdit(DefaultDecelText(), this);
    m_de->setObjectName(QStringLiteral("DE"));
    m_de->setAccessibleName(QStringLiteral("Decel Rate (DE)"));
    m_di = new QLabel(this);
    m_di->setObjectName(QStringLiteral("DI"));
    // No fixed accessible name: a screen reader reads the distance shown
    // ("400", "N/A"); the description says what it is.
    m_di->setAccessibleDescription(QStringLiteral("Minimum distance (DI), steps"));
    m_di->setFrameShape(QFrame::Box);
    m_di->setAutoFillBackground(true);
    QPalette white = m_di->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    m_di->setPalette(white);
    m_di->setMargin(2);
    m_di->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout;
    const struct {
        const char* caption;
        QWidget* field;
    } rows[] = {
        {"Motor Resolution", m_mr},
        {"Velocity (VE)", m_ve},
        {"Decel Rate (DE)", m_de},
        {"Minimum distance (DI)", m_di},
    };
    int at = 0;
    for (const auto& row : rows) {
        auto* label = new QLabel(QString::fromLatin1(row.caption), this);
        label->setBuddy(row.field);
        grid->addWidget(label, at, 0);
        grid->addWidget(row.field, at, 1);
        row.field->setFixedWidth(Twips(1400));
        ++at;
    }
    grid->addWidget(new QLabel(QStringLiteral("steps"), this), at - 1, 2);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setAccessibleName(QStringLiteral("OK"));
    m_ok->setMinimumWidth(Twips(1000));
    connect(m_ok, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instructions);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The list is filled once, when the window is first made; afterwards it
    // keeps the user's choice like the typed values.
    m_mr->addItems(ResolutionChoices());
    m_mr->setCurrentIndex(DefaultResolutionRow);
    connect(m_ve, &QLineEdit::textChanged, this, &Calculator::DoCalc);
    connect(m_de, &QLineEdit::textChanged, this, &Calculator::DoCalc);
    connect(m_mr, &QComboBox::currentIndexChanged, this, &Calculator::DoCalc);
    DoCalc();
}

void Calculator::DoCalc()
{
    m_di->setText(MinimumDistanceText(m_ve->text(), m_de->text(), m_mr->currentText()));
}
