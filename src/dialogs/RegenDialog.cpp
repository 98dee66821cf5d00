#include "RegenDialog.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "HelpPages.h"
#include "NumberBox.h"
#include "Pictures.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString InternalPicture = QStringLiteral("RegenInternal");
const QString ExternalPicture = QStringLiteral("RegenExternal");
constexpr QSize PictureSize(150, 120);

}  // namespace

RegenDialog::RegenDialog(Configurator& configurator, MainWindowServices& main)
    : SettingsDialog(configurator, main, QStringLiteral("RegenDialog"), QStringLiteral("Regen Clamp"),
                     HelpPage(HelpOpener::RegenDialogHelp), SummaryBlocks::RegenBlock)
{
    QGroupBox* frame = MakeFrame(this, QStringLiteral("FrameRegen"), QStringLiteral("Regeneration Clamp Resistor"));
    m_internal = MakeOption(frame, QStringLiteral("optIntRes"), QStringLiteral("internal"),
                            QStringLiteral("internal resistor"));
    m_external = MakeOption(frame, QStringLiteral("optExtRes"), QStringLiteral("external"),
                            QStringLiteral("external resistor"));

    m_watts = numberBox(QStringLiteral("RegenWatts"), QStringLiteral("Resistor watts"), RegenForm::WattsRule());
    m_ohms = numberBox(QStringLiteral("RegenOhms"), QStringLiteral("Resistor ohms"), RegenForm::OhmsRule());
    m_secs = numberBox(QStringLiteral("RegenSecs"), QStringLiteral("Resistor seconds"), RegenForm::SecsRule());

    auto* grid = new QGridLayout(frame);
    grid->addWidget(m_internal, 0, 0, 1, 2);
    grid->addWidget(m_external, 1, 0, 1, 2);
    struct Row {
        NumberBox* box;
        const char* labelName;
        QString fixed;
        const char* unit;
    };
    const Row rows[] = {{m_watts, "lblRegenWatts", RegenForm::InternalWatts(), "watts"},
                        {m_ohms, "lblRegenOhms", RegenForm::InternalOhms(), "ohms"},
                        {m_secs, "lblRegenSecs", RegenForm::InternalSecs(), "seconds"}};
    int r = 2;
    for (const Row& row : rows) {
        row.box->setParent(frame);
        row.box->setFixedWidth(70);
        QLabel* fixed = MakeLabel(frame, QString::fromLatin1(row.labelName), row.fixed);
        fixed->setAccessibleName(QStringLiteral("Internal resistor ") + QString::fromLatin1(row.unit));
        fixed->setFixedWidth(70);
        fixed->setMinimumHeight(row.box->sizeHint().height());  // no jump when they swap
        fixed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_fixed.append(fixed);
        // The label and the box share one place: one of the two is seen.
        grid->addWidget(row.box, r, 0);
        grid->addWidget(fixed, r, 0);
        grid->addWidget(new QLabel(QString::fromLatin1(row.unit), frame), r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);

    m_picture = MakeLabel(this, QStringLiteral("RegenPicture"), QString());
    m_picture->setFixedSize(PictureSize);

    auto* top = new QHBoxLayout;
    top->addWidget(frame, 1);
    top->addWidget(m_picture, 0, Qt::AlignVCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(standardButtons());

    m_watts->setValue(50);
    m_ohms->setValue(40);
    m_secs->setValue(0.3125);
    m_internal->setChecked(true);
    showResistor(false);
    // After the layout's own selection: from now on a change of resistor,
    // by the user or the opener, marks the configuration changed.
    connect(m_external, &QRadioButton::toggled, this, [this](bool on) {
        showResistor(on);
        cfg().state().SettingsChanged = true;
    });
}

void RegenDialog::showResistor(bool external)
{
    for (NumberBox* box : {m_watts, m_ohms, m_secs})
        box->setVisible(external);
    for (QLabel* fixed : std::as_const(m_fixed))
        fixed->setVisible(!external);
    m_pictureName = external ? ExternalPicture : InternalPicture;
    m_picture->setPixmap(PicturePixmap(m_pictureName, PictureSize));
    m_picture->setAccessibleName(external ? QStringLiteral("External resistor picture")
                                          : QStringLiteral("Internal resistor picture"));
}

RegenForm RegenDialog::form() const
{
    RegenForm f;
    f.external = m_external->isChecked();
    f.watts = m_watts->value();
    f.ohms = m_ohms->value();
    f.secs = m_secs->value();
    return f;
}

void RegenDialog::fill()
{
    const RegenForm f = RegenForm::FromSettings(cfg().settings());
    m_watts->setValue(f.watts);
    m_secs->setValue(f.secs);
    m_ohms->setValue(f.ohms);
    (f.external ? m_external : m_internal)->setChecked(true);
}

void RegenDialog::writeSettings()
{
    form().writeTo(cfg().settings());
}
