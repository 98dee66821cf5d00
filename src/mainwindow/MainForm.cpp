#include "MainForm.h"

#include "About.h"
#include "Configurator.h"
#include "DriveLink.h"
#include "DriveQueries.h"
#include "DriveTransfer.h"
#include "FileCommands.h"
#include "FormHelpers.h"
#include "HelpPages.h"
#include "HelpScreen.h"
#include "HelpSpot.h"
#include "PictureButton.h"
#include "PrintCommand.h"
#include "Prompt.h"
#include "SerialPort.h"
#include "SummaryGrid.h"
#include "Twips.h"
#include "Version.h"
#include "WiringBoard.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

namespace {

// Window sizes, in twips. The design size is the inside under the menu bar;
// the minimum and the wide width are the window as a whole.
constexpr int DesignWidth = 11880;
constexpr int DesignHeight = 6450;
constexpr int MinimumWidth = 9600;
constexpr int MinimumHeight = 7200;
constexpr int WideWidth = 12000;  // the width taken on screens wide enough for it

using Click = void (*)(MainForm&, Qt::KeyboardModifiers);

struct ButtonRow {
    const char* name;
    const char* caption;
    const char* raised;
    const char* pressed;
    Click click;
};

const ButtonRow buttonRows[] = {
    {"Motor", "Motor", "MotorUp", "MotorDown",
     [](MainForm& m, Qt::KeyboardModifiers) { m.Motor_Click(); }},
    {"Motion", "Motion", "MotionUp", "MotionDown",
     [](MainForm& m, Qt::KeyboardModifiers k) { m.Motion_Click(k.testFlag(Qt::ShiftModifier)); }},
    {"Encoder", "Encoder", "EncoderUp", "EncoderDown",
     [](MainForm& m, Qt::KeyboardModifiers) { m.Encoder_Click(); }},
    {"IO", "I/O", "IOup", "IOdown",
     [](MainForm& m, Qt::KeyboardModifiers) { m.IO_Click(); }},
    {"Regen", "Regen", "RegenUp", "RegenDown",
     [](MainForm& m, Qt::KeyboardModifiers) { m.Regen_Click(); }},
    {"Upload", "Upload", "UploadUp", "UploadDown",
     [](MainForm& m, Qt::KeyboardModifiers) { m.Upload_Click(); }},
    {"Download", "Download", "DownloadUp", "DownloadDown",
     [](MainForm& m, Qt::KeyboardModifiers) { m.Download_Click(); }},
};

// A click on a block of the summary opens what the block's button opens.
struct SummaryOpener {
    int block;
    const char* button;
};

const SummaryOpener summaryOpeners[] = {
    {SummaryGrid::MotorBlock, "Motor"},   {SummaryGrid::MotionBlock, "Motion"},
    {SummaryGrid::RegenBlock, "Regen"},   {SummaryGrid::IOBlock, "IO"},
    {SummaryGrid::EncoderBlock, "Encoder"},
};

struct SpotRow {
    const char* name;
    const char* role;
    HelpOpener opener;
    bool byModel;  // the model label: the page follows the model list
};

const SpotRow spotRows[] = {
    {"HSACPower",   "AC power connector",  HelpOpener::HSACPower, false},
    {"HSdomelabel", "Model label",         HelpOpener::MenuContents, true},
    {"HSencoder",   "Encoder connector",   HelpOpener::HSencoder, false},
    {"HSinout1",    "IN/OUT 1 connector",  HelpOpener::HSinout1, false},
    {"HSinout2",    "IN/OUT 2 connector",  HelpOpener::HSinout2, false},
    {"HSled",       "Status LED",          HelpOpener::HSled, false},
    {"HSrs485",     "RS-485 connector",    HelpOpener::HSrs485, false},
};

// The keyboard's way through the board.
const char* const tabOrder[] = {
    "Motion", "IO", "Encoder", "Regen", "Motor", "Upload", "Download", "ModelList", "CommList",
    "HSdomelabel", "HSled", "HSrs485", "HSinout1", "HSinout2", "HSencoder", "HSACPower",
};

using MenuClick = void (*)(MainForm&);
using Hook = std::function<void()> WindowHooks::*;

// The menu tree. An entry runs its click, or else its hook.
struct MenuRow {
    const char* menu;
    const char* caption;
    const char* name;
    MenuClick click;
    Hook hook;
};

const MenuRow menuRows[] = {
    {"File", "Open...", "MenuOpen", [](MainForm& m) { m.fileCommands().MenuOpen_Click(); }, nullptr},
    {"File", "Save", "MenuSave", [](MainForm& m) { m.fileCommands().MenuSave_Click(); }, nullptr},
    {"File", "Save As...", "MenuSaveAs", [](MainForm& m) { m.fileCommands().MenuSaveAs_Click(); }, nullptr},
    {"File", "Print...", "MenuPrint", [](MainForm& m) { m.printCommand().MenuPrint_Click(); }, nullptr},
    {"File", "Exit", "MenuExit", [](MainForm& m) { m.MenuExit_Click(); }, nullptr},
    {"Drive", "Alarm History", "MenuHistory", nullptr, &WindowHooks::showAlarmHistory},
    {"Drive", "Clear Alarm", "MenuClearFault", nullptr, &WindowHooks::clearAlarm},
    {"Drive", "Status Monitor...", "MenuIOStatus", nullptr, &WindowHooks::showStatusMonitor},
    {"Drive", "Restore Factory Defaults", "MenuRestore", nullptr, &WindowHooks::restoreFactoryDefaults},
    {"Drive", "TMX Terminal...", "MenuTerminal", [](MainForm& m) { m.MenuTerminal_Click(); }, nullptr},
    {"Drive", "Self Test", "MenuSelfTest", nullptr, &WindowHooks::showSelfTest},
    {"Help", "Contents", "MenuContents",
     [](MainForm& m) { m.OpenHelpPage(HelpPage(HelpOpener::MenuContents)); }, nullptr},
    {"Help", "Contact Us", "menuContactUs",
     [](MainForm& m) { m.OpenHelpPage(HelpPage(HelpOpener::MenuContactUs)); }, nullptr},
    {"Help", "Website", "menuWebSite", [](MainForm& m) { m.menuWebSite_Click(); }, nullptr},
    {"Help", "About", "MenuAbout", [](MainForm& m) { m.MenuAbout_Click(); }, nullptr},
};

struct MenuTitle {
    const char* caption;
    const char* name;
};

const MenuTitle menuTitles[] = {{"File", "MenuFile"}, {"Drive", "MenuDrive"}, {"Help", "MenuHelp"}};

QLabel* BoardLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

}  // namespace

MainForm::MainForm(Configurator& configurator, DriveLink& link, DriveQueries& queries, DriveTransfer& transfer,
                   const QString& programDir, QWidget* parent)
    : QMainWindow(parent),
      m_cfg(configurator),
      m_link(link),
      m_queries(queries),
      m_transfer(transfer),
      m_programDir(programDir)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(Configurator::ProgramTitle());

    m_files = new FileCommands(this, m_cfg, m_cfg.prompt(), this);
    m_files->setStartFolder(m_programDir);
    connect(m_files, &FileCommands::captionFileChanged, this, &MainForm::setCaptionFile);
    m_print = new PrintCommand(this, m_cfg, m_cfg.prompt(), this);

    buildMenus();
    buildBoard();

    // The main window's one key: Ctrl+T, consumed whether or not it opens anything.
    auto* terminalKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    terminalKey->setContext(Qt::WindowShortcut);
    connect(terminalKey, &QShortcut::activated, this, &MainForm::TerminalKey);

    connect(&m_cfg, &Configurator::modelIndexChanged, this, [this](int row) {
        const QSignalBlocker block(m_modelList);
        m_modelList->setCurrentIndex(row);
    });
    connect(&m_cfg, &Configurator::commRowChanged, this, [this](int row) {
        const QSignalBlocker block(m_commList);
        m_commList->setCurrentIndex(row);
    });
    connect(&m_cfg, &Configurator::driveVersionChanged, m_driveVersion, &QLabel::setText);
    m_openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    connect(&m_cfg, &Configurator::motionDescChanged, this, &MainForm::showMotionDesc);
    connect(&m_cfg, &Configurator::summaryRefreshRequested, this, &MainForm::SummarizeAll);
    connect(&m_transfer, &DriveTransfer::progressChanged, this, &MainForm::setProgress);

    applyMinimumSize();
    resize(designInnerSize() + QSize(0, menuBar()->sizeHint().height()));
}

MainForm::~MainForm()
{
    // The help viewer is a window of its own, not a child of this one.
    delete m_help.data();
}

void MainForm::buildMenus()
{
    for (const MenuTitle& t : menuTitles) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(t.caption));
        menu->setObjectName(QString::fromLatin1(t.name));
        menu->setAccessibleName(QString::fromLatin1(t.caption));
        menu->menuAction()->setObjectName(QString::fromLatin1(t.name));
        for (const MenuRow& row : menuRows) {
            if (qstrcmp(row.menu, t.caption) != 0)
                continue;
            QAction* action = menu->addAction(QString::fromLatin1(row.caption));
            action->setObjectName(QString::fromLatin1(row.name));
            m_menuEntries.insert(action->objectName(), action);
            const MenuClick click = row.click;
            const Hook hook = row.hook;
            if (click)
                connect(action, &QAction::triggered, this, [this, click] { click(*this); });
            else if (hook)
                connect(action, &QAction::triggered, this, [this, hook] { RunHook(m_hooks.*hook); });
        }
    }
}

void MainForm::buildBoard()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_board = new WiringBoard(central);
    layout->addWidget(m_board, 5);

    auto* gridPanel = new QFrame(central);
    gridPanel->setObjectName(QStringLiteral("GridPanel"));
    gridPanel->setFrameShape(QFrame::StyledPanel);
    // The grid takes a share of a wider window, never less than its two
    // columns and a scroll bar.
    gridPanel->setMinimumWidth(Twips(750 + 1350) + 50);
    gridPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* gridLayout = new QVBoxLayout(gridPanel);
    gridLayout->setContentsMargins(4, 4, 4, 4);
    m_summary = new SummaryGrid(m_cfg, gridPanel);
    gridLayout->addWidget(m_summary);
    layout->addWidget(gridPanel, 2);
    setCentralWidget(central);

    connect(m_summary, &SummaryGrid::blockRefreshed, m_board, &WiringBoard::setBlockRefreshed);
    connect(m_summary, &SummaryGrid::blockClicked, this, &MainForm::Summary_Click);

    for (const ButtonRow& row : buttonRows) {
        auto* button = new PictureButton(QString::fromLatin1(row.caption), QString::fromLatin1(row.raised),
                                         QString::fromLatin1(row.pressed), m_board);
        button->setObjectName(QString::fromLatin1(row.name));
        m_buttons.insert(button->objectName(), button);
        const Click click = row.click;
        connect(button, &QAbstractButton::clicked, this,
                [this, button, click] { click(*this, button->clickModifiers()); });
    }

    // The Motion button shares its panel with the motion description.
    auto* motionPanel = new QFrame(m_board);
    motionPanel->setObjectName(QStringLiteral("MotionPanel"));
    motionPanel->setFrameShape(QFrame::Panel);
    motionPanel->setFrameShadow(QFrame::Sunken);
    QPalette panelPalette = motionPanel->palette();
    panelPalette.setColor(QPalette::Window, QColor(28, 32, 39));
    motionPanel->setPalette(panelPalette);
    motionPanel->setAutoFillBackground(true);
    auto* motionLayout = new QHBoxLayout(motionPanel);
    motionLayout->setContentsMargins(4, 4, 4, 4);
    PictureButton* motion = m_buttons.value(QStringLiteral("Motion"));
    motion->setParent(motionPanel);
    motion->setFixedSize(motion->sizeHint());
    motionLayout->addWidget(motion);
    m_motionDesc = BoardLabel(QString(), QStringLiteral("MotionDesc"), motionPanel);
    m_motionDesc->setWordWrap(true);
    motionLayout->addWidget(m_motionDesc, 1);
    connect(m_board, &WiringBoard::scaleChanged, this, [this, motion](double scale) {
        motion->setFixedSize(motion->sizeHint() * scale);
        QFont bold = m_board->font();
        bold.setBold(true);
        m_motionDesc->setFont(bold);
    });

    // The lists are labelled by their captions: a screen reader here takes
    // a list's current entry for its name and says the caption beside it.
    QLabel* driveCaption = BoardLabel(QStringLiteral("Drive"), QStringLiteral("DriveCaption"), m_board);
    m_modelList = new QComboBox(m_board);
    m_modelList->setObjectName(QStringLiteral("ModelList"));
    m_modelList->setAccessibleName(QStringLiteral("Drive"));
    driveCaption->setBuddy(m_modelList);
    connect(m_modelList, &QComboBox::activated, this, [this](int row) { m_cfg.selectModel(row); });

    BoardLabel(QStringLiteral("Revision"), QStringLiteral("RevisionCaption"), m_board);
    m_driveVersion = BoardLabel(QString(), QStringLiteral("DriveVersion"), m_board);
    // No fixed accessible name: a screen reader reads the version shown
    // ("1.04 k"); the description says what it is.
    m_driveVersion->setAccessibleDescription(QStringLiteral("Drive firmware revision"));
    m_driveVersion->setFrameShape(QFrame::Panel);
    m_driveVersion->setFrameShadow(QFrame::Sunken);

    QLabel* commCaption = BoardLabel(QStringLiteral("Port"), QStringLiteral("CommCaption"), m_board);
    m_commList = new QComboBox(m_board);
    m_commList->setObjectName(QStringLiteral("CommList"));
    m_commList->setAccessibleName(QStringLiteral("Port"));
    commCaption->setBuddy(m_commList);
    connect(m_commList, &QComboBox::activated, this, [this](int row) { m_cfg.selectCommRow(row); });

    m_progBar = new QProgressBar(m_board);
    m_progBar->setObjectName(QStringLiteral("ProgBar"));
    m_progBar->setAccessibleName(QStringLiteral("Transfer progress"));
    m_progBar->setRange(0, 100);
    m_progBar->setValue(0);
    m_progBar->setTextVisible(false);

    for (const SpotRow& row : spotRows) {
        auto* spot = new HelpSpot(QString::fromLatin1(row.name), QString::fromLatin1(row.role), m_board);
        m_spots.insert(spot->objectName(), spot);
        const HelpOpener opener = row.opener;
        if (row.byModel)
            connect(spot, &QAbstractButton::clicked, this, &MainForm::HSdomelabel_Click);
        else
            connect(spot, &QAbstractButton::clicked, this, [this, opener] { OpenHelpPage(HelpPage(opener)); });
    }

    // Tab goes down the picture buttons as they stand on the board, then to
    // Upload, Download and the two lists, then over the drive picture from
    // top to bottom.
    QWidget* previous = nullptr;
    for (const char* name : tabOrder) {
        QWidget* next = m_board->findChild<QWidget*>(QString::fromLatin1(name));
        if (previous && next)
            setTabOrder(previous, next);
        if (next)
            previous = next;
    }
}

void MainForm::Form_Load()
{
    ProgramState& st = m_cfg.state();
    st.ProgramVersion = ProgramVersion();
    st.HelpPath = m_programDir + QStringLiteral("/KORV4 help/");

    m_link.ClearReceived();
    st.CurrentFile.clear();
    st.ClearingFault = false;
    st.UpdatingControls = false;
    st.TerminalMode = false;
    st.CommPortNumber = 1;

    LoadModelList();
    LoadCommList();
    RunHook(m_hooks.loadIODialog);
    setCaptionFile(QString());
    st.FirmwareVersion = 0.0f;

    const int opened = m_link.StartComm();
    st.SettingsChanged = false;
    st.InertiaSet = false;
    // Only drives of other families answer the presence test; ours greet
    // the program themselves when they power up.
    if (opened != 0 && m_queries.DriveStillThere())
        m_queries.CheckDrive();

    placeAtStart();
    InitVars(m_cfg.settings());
    m_cfg.ShowMotionDesc();
    RunHook(m_hooks.loadMotorDialog);
    m_summary->SummaryInit();
}

void MainForm::LoadModelList()
{
    m_modelList->clear();
    m_modelList->addItems(Configurator::ModelNames());
    m_cfg.selectModel(1);
}

void MainForm::LoadCommList()
{
    const QSignalBlocker block(m_commList);
    m_commList->clear();
    for (int n = 1; n <= 8; ++n)
        m_commList->addItem(QStringLiteral("COM%1").arg(n));
    m_commList->setCurrentIndex(-1);
}

QSize MainForm::designInnerSize()
{
    return QSize(Twips(DesignWidth), Twips(DesignHeight));
}

QSize MainForm::frameExtra() const
{
    if (!isVisible())
        return QSize(0, 0);
    return (frameGeometry().size() - geometry().size()).expandedTo(QSize(0, 0));
}

QSize MainForm::outerMinimumSize() const
{
    const QSize extra = frameExtra();
    const QSize designOuter = designInnerSize() + QSize(0, menuBar()->sizeHint().height()) + extra;
    return QSize(Twips(MinimumWidth), Twips(MinimumHeight)).boundedTo(designOuter);
}

void MainForm::applyMinimumSize()
{
    // Qt keeps a minimum for the inside of the frame; the form's minimum is
    // the window as a whole, so the frame the window system draws (known
    // once the window is shown, and when it changes) is taken off it.
    const QSize inside = (outerMinimumSize() - frameExtra()).expandedTo(QSize(0, 0));
    if (minimumSize() != inside)
        setMinimumSize(inside);
}

void MainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    applyMinimumSize();
}

void MainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    applyMinimumSize();
}

void MainForm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    applyMinimumSize();
}

void MainForm::placeAtStart()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    if (area.width() >= Twips(WideWidth))
        resize(Twips(WideWidth), height());
    move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

QString MainForm::Caption(const QString& file)
{
    return Configurator::ProgramTitle() + QStringLiteral("  V") + ProgramVersion() + QStringLiteral(" - ") +
           (file.isEmpty() ? QStringLiteral("untitled") : file);
}

void MainForm::setCaptionFile(const QString& path)
{
    setWindowTitle(Caption(path));
}

void MainForm::SummarizeAll()
{
    m_summary->SummarizeAll();
}

QAction* MainForm::menuEntry(const QString& name) const
{
    return m_menuEntries.value(name);
}

QAction* MainForm::menuOpen() const { return menuEntry(QStringLiteral("MenuOpen")); }
QAction* MainForm::menuSave() const { return menuEntry(QStringLiteral("MenuSave")); }
QAction* MainForm::menuSaveAs() const { return menuEntry(QStringLiteral("MenuSaveAs")); }
QAction* MainForm::menuPrint() const { return menuEntry(QStringLiteral("MenuPrint")); }

void MainForm::showMotionDesc(const QString& caption)
{
    // The description is a caption in which "&&" draws one ampersand.
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    m_motionDesc->setText(text);
}

bool MainForm::portOpen() const
{
    return m_link.port().isOpen();
}

bool MainForm::QuitGuard()
{
    if (!m_cfg.state().SettingsChanged)
        return true;
    const Prompt::Answer answer = m_cfg.prompt().ask(
        QStringLiteral("Quit"),
        QStringLiteral("You have made changes without Saving or Downloading.  Do you really want to quit?"),
        Prompt::Icon::Question, Prompt::Buttons::OkCancel);
    return answer == Prompt::Answer::Ok;
}

void MainForm::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    RunHook(m_hooks.closeOpenFile);
    if (m_help)
        m_help->hide();
    emit programEnding();
}

void MainForm::MenuExit_Click()
{
    if (QuitGuard()) {
        endProgram();
        hide();
    }
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (!m_ending && !QuitGuard()) {
        event->ignore();
        return;
    }
    event->accept();
    endProgram();
}

void MainForm::Motor_Click() { RunHook(m_hooks.showMotorDialog); }
void MainForm::Encoder_Click() { RunHook(m_hooks.showEncoderDialog); }
void MainForm::IO_Click() { RunHook(m_hooks.showIODialog); }
void MainForm::Regen_Click() { RunHook(m_hooks.showRegenDialog); }
void MainForm::Upload_Click() { m_transfer.Upload_Click(); }
void MainForm::Download_Click() { m_transfer.Download_Click(); }

void MainForm::Motion_Click(bool shiftHeld)
{
    if (!shiftHeld) {
        RunHook(m_hooks.showMotionMenu);
        return;
    }
    const Settings& s = m_cfg.settings();
    switch (s.OperatingMode) {
    case 2:
    case 5:
        RunHook(m_hooks.showTMXDialog, 2, QStringLiteral("TMX Configuration"));
        break;
    case 7:
        RunHook(m_hooks.showTMXDialog, 7, QStringLiteral("J Configuration"));
        break;
    case 3:
        if (s.ControlMode == 11)
            RunHook(m_hooks.showVelocityDialog);
        else
            RunHook(m_hooks.showPulseDirDialog);
        break;
    default:  // Ky program, Orvane hub: no dialog of their own
        break;
    }
}

void MainForm::Summary_Click(int firstRow, Qt::KeyboardModifiers modifiers)
{
    for (const SummaryOpener& o : summaryOpeners) {
        if (o.block != firstRow)
            continue;
        for (const ButtonRow& b : buttonRows) {
            if (qstrcmp(b.name, o.button) == 0)
                b.click(*this, modifiers);
        }
    }
}

void MainForm::TerminalKey()
{
    if (portOpen())
        RunHook(m_hooks.showTerminal);
}

void MainForm::MenuTerminal_Click()
{
    TerminalKey();
}

void MainForm::HSdomelabel_Click()
{
    OpenHelpPage(OverviewPage(m_modelList->currentIndex()));
}

HelpScreen& MainForm::ensureHelpScreen()
{
    if (!m_help) {
        m_help = new HelpScreen(m_cfg.state().HelpPath);
        // Over the main window, where the user is looking; a viewer the
        // user moved keeps its place while it lives.
        CenterForm(*m_help, *this);
    }
    return *m_help;
}

void MainForm::refreshSummaryBlock(SummaryBlocks::Block firstRow)
{
    m_summary->SummarizeBlock(firstRow);
}

void MainForm::OpenHelpPage(const QString& pageRef)
{
    ensureHelpScreen().OpenHelpPage(pageRef);
}

void MainForm::menuWebSite_Click()
{
    // The help viewer shows the local pages only; the site opens in the
    // system's web browser. Without one the user gets the address to copy.
    const QString address = QString::fromLatin1(MakerWebsite);
    if (m_openUrl(QUrl(address)))
        return;
    m_cfg.prompt().tell(Configurator::ProgramTitle(),
                        QStringLiteral("The web site could not be opened: no web browser was found on this "
                                       "computer.\n\nIts address is %1\nCopy it into a web browser to visit it.")
                            .arg(address),
                        Prompt::Icon::Information);
}

void MainForm::MenuAbout_Click()
{
    if (!m_about)
        m_about = new About(this);
    m_about->prepare();
    m_about->exec();
}

void MainForm::setProgress(int percent)
{
    m_progBar->setValue(qBound(0, percent, 100));
}
