#include "MotionMenu.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "FormHelpers.h"
#include "MainWindowServices.h"
#include "WindowHooks.h"
#include "Pictures.h"
#include "SummaryBlocks.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QIcon>
#include <QPushButton>

namespace {

// The grid of buttons: where each sits and what it says.
struct MenuCell {
    MotionMenuButton button;
    const char* name;
    const char* caption;
    const char* picture;
    int row;
    int column;
};

const MenuCell menuCells[] = {
    {MotionMenuButton::PulseDirMode, "PulseDirMode", "Pulse && Direction Mode", "MenuPulseDir", 0, 0},
    {MotionMenuButton::HubProg, "HubProg", "Multiaxis Orvane Hub", "MenuHub", 0, 1},
    {MotionMenuButton::VelocityMode, "VelocityMode", "Velocity (Oscillator) Mode", "MenuVelocity", 1, 0},
    {MotionMenuButton::TMXmode, "TMXmode", "Tremex (TMX)", "MenuTMX", 1, 1},
    {MotionMenuButton::JProgram, "JProgram", "J Program", "MenuJProgram", 2, 0},
    {MotionMenuButton::KyProgram, "KyProgram", "Ky Program", "MenuKyProgram", 2, 1},
};

// 2595 by 975 twips at 15 twips a pixel.
constexpr int ButtonWidth = 173;
constexpr int ButtonHeight = 65;
constexpr int IconSize = 28;

}  // namespace

MotionMenu::MotionMenu(Configurator& configurator, MainWindowServices& main)
    : QDialog(nullptr), m_cfg(configurator), m_main(main)
{
    setObjectName(QStringLiteral("MotionMenu"));
    setWindowTitle(QStringLiteral("Motion Control Mode"));
    setAccessibleName(windowTitle());
    setModal(false);
    auto* grid = new QGridLayout(this);
    for (const MenuCell& cell : menuCells) {
        QPushButton* b = MakeButton(this, QString::fromLatin1(cell.name), QString::fromLatin1(cell.caption));
        b->setMinimumSize(ButtonWidth, ButtonHeight);
        b->setIcon(QIcon(PicturePixmap(QString::fromLatin1(cell.picture), QSize(IconSize, IconSize))));
        b->setIconSize(QSize(IconSize, IconSize));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(b, &QPushButton::clicked, this, [this, which = cell.button] { click(which); });
        grid->addWidget(b, cell.row, cell.column);
        m_buttons.insert(cell.button, b);
    }
    m_cancel = MakeButton(this, QStringLiteral("Cancel"), QStringLiteral("Cancel"));
    m_cancel->setMinimumHeight(ButtonHeight - 4);
    m_cancel->setIcon(QIcon(PicturePixmap(QStringLiteral("MenuCancel"), QSize(IconSize, IconSize))));
    m_cancel->setIconSize(QSize(IconSize, IconSize));
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::hide);
    grid->addWidget(m_cancel, 3, 0, 1, 2);
    // The menu opens with the focus on the mode in force: Enter takes the
    // focused choice, as Space does. (The menu has no text to type into.)
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(true);
    // A hidden button leaves its cell empty: nothing moves up.
    for (int row = 0; row < 3; ++row)
        grid->setRowMinimumHeight(row, ButtonHeight);
    for (int column = 0; column < 2; ++column)
        grid->setColumnMinimumWidth(column, ButtonWidth);
}

void MotionMenu::showMenu()
{
    if (!m_loaded) {
        m_loaded = true;
        adjustSize();
        CenterForm(*this, m_main.mainWindow());
    }
    ShowInFront(*this);
    Form_Activate();
}

void MotionMenu::Form_Activate()
{
    const int model = m_cfg.modelIndex();
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setVisible(MotionMenuButtonShown(it.key(), model));
    if (QPushButton* focus = m_buttons.value(MotionMenuFocus(m_cfg.settings(), model)))
        focus->setFocus(Qt::OtherFocusReason);
}

bool MotionMenu::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

void MotionMenu::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

void MotionMenu::summarizeMotion()
{
    m_main.refreshSummaryBlock(SummaryBlocks::MotionBlock);
}

void MotionMenu::click(MotionMenuButton which)
{
    WindowHooks& hooks = m_main.hooks();
    switch (which) {
    case MotionMenuButton::PulseDirMode:
        RunHook(hooks.showPulseDirDialog);
        hide();
        break;
    case MotionMenuButton::VelocityMode:
        RunHook(hooks.showVelocityDialog);
        hide();
        break;
    case MotionMenuButton::TMXmode:
        RunHook(hooks.showTMXDialog, 2, QStringLiteral("TMX Configuration"));
        hide();
        break;
    case MotionMenuButton::JProgram:
        RunHook(hooks.showTMXDialog, 7, QStringLiteral("J Configuration"));
        hide();
        // The mode in force is still shown; the block counts as refreshed.
        m_cfg.ShowMotionDesc();
        summarizeMotion();
        break;
    case MotionMenuButton::HubProg:
        ChooseOrvaneHub(m_cfg);
        hide();
        summarizeMotion();
        break;
    case MotionMenuButton::KyProgram:
        ChooseKyProgram(m_cfg);
        hide();
        summarizeMotion();
        break;
    case MotionMenuButton::None:
        break;
    }
}
