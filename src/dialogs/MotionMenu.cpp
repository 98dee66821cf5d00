#include "MotionMenu.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "FormHelpers.h"
#include "MainWindowServices.h"
#include "MenuButton.h"
#include "Pictures.h"
#include "SummaryBlocks.h"
#include "Twips.h"
#include "WindowHooks.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPushButton>

namespace {

// The grid of buttons: where each sits and what it says. Places in twips
// inside the window.
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

const int columnLefts[] = {120, 2760};
const int rowTops[] = {60, 1080, 2100, 3120};
constexpr int ButtonWidth = 2595;
constexpr int ButtonHeight = 975;
constexpr int CancelWidth = 5235;
constexpr int CancelHeight = 915;
// The window: the same margin right of the grid as left of it, and below
// Cancel as above the first row.
constexpr int WindowWidth = 2760 + ButtonWidth + 120;
constexpr int WindowHeight = 3120 + CancelHeight + 60;

QRect TwipsRect(int left, int top, int width, int height)
{
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}

QIcon MenuPicture(const char* name)
{
    const QSize size(MenuButton::PictureSize, MenuButton::PictureSize);
    return QIcon(PicturePixmap(QString::fromLatin1(name), size));
}

}  // namespace

MotionMenu::MotionMenu(Configurator& configurator, MainWindowServices& main)
    : QDialog(nullptr), m_cfg(configurator), m_main(main)
{
    setObjectName(QStringLiteral("MotionMenu"));
    setWindowTitle(QStringLiteral("Motion Control Mode"));
    setAccessibleName(windowTitle());
    setModal(false);
    // Every button has its own fixed place: a hidden one leaves its cell
    // empty and nothing moves up or widens.
    const auto place = [this](QPushButton* b, const QString& name, const QString& caption, const QRect& at) {
        b->setObjectName(name);
        b->setAccessibleName(ShownCaption(caption));
        b->setAutoDefault(true);
        b->setGeometry(at);
    };
    for (const MenuCell& cell : menuCells) {
        auto* b = new MenuButton(MenuPicture(cell.picture), QString::fromLatin1(cell.caption), this);
        place(b, QString::fromLatin1(cell.name), QString::fromLatin1(cell.caption),
              TwipsRect(columnLefts[cell.column], rowTops[cell.row], ButtonWidth, ButtonHeight));
        connect(b, &QPushButton::clicked, this, [this, which = cell.button] { click(which); });
        m_buttons.insert(cell.button, b);
    }
    m_cancel = new MenuButton(MenuPicture("MenuCancel"), QStringLiteral("Cancel"), this);
    place(m_cancel, QStringLiteral("Cancel"), QStringLiteral("Cancel"),
          TwipsRect(columnLefts[0], rowTops[3], CancelWidth, CancelHeight));
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::hide);
    // The menu opens with the focus on the mode in force: Enter takes the
    // focused choice, as Space does (autoDefault above). The menu has no
    // text to type into.
    setFixedSize(Twips(WindowWidth), Twips(WindowHeight));
}

void MotionMenu::showMenu()
{
    if (!m_loaded) {
        m_loaded = true;
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
