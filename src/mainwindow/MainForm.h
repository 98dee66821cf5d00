#pragma once

#include "HelpScreen.h"
#include "MainWindowServices.h"
#include "SummaryBlocks.h"
#include "WindowHooks.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <functional>

class About;
class Configurator;
class DriveLink;
class DriveQueries;
class DriveTransfer;
class FileCommands;
class PrintCommand;
class HelpSpot;
class PictureButton;
class QAction;
class QComboBox;
class QLabel;
class QProgressBar;
class QUrl;
class SummaryGrid;
class WiringBoard;

// The main window: the drive picture with its picture buttons and help
// spots, the wiring diagram, the model and port lists, the summary grid and
// the three menus. Its load step (Form_Load) is the program's start-up.
class MainForm : public QMainWindow, public MainWindowServices {
    Q_OBJECT
public:
    // programDir is the folder holding the program, its help folder and its
    // motor database.
    MainForm(Configurator& configurator, DriveLink& link, DriveQueries& queries, DriveTransfer& transfer,
             const QString& programDir, QWidget* parent = nullptr);
    ~MainForm() override;

    // The start-up, in its order: program state, model and port lists,
    // caption, port search and drive check, window size and place, default
    // settings, motion description, dialogs, summary grid.
    void Form_Load();

    // Where later windows register how they are shown.
    WindowHooks& hooks() override { return m_hooks; }
    QWidget& mainWindow() override { return *this; }

    // The folder of the program (the file dialogs start there).
    QString programDir() const { return m_programDir; }

    // The caption's file part: the path of the configuration file, or
    // "untitled" for an empty path.
    void setCaptionFile(const QString& path);
    static QString Caption(const QString& file);

    // The summary grid; the settings dialogs refresh their block through it.
    SummaryGrid& summary() { return *m_summary; }
    void SummarizeAll();
    void refreshSummaryBlock(SummaryBlocks::Block firstRow) override;

    // File > Open, Save, Save As and Print.
    FileCommands& fileCommands() { return *m_files; }
    PrintCommand& printCommand() { return *m_print; }

    // The File menu's entries.
    QAction* menuOpen() const;
    QAction* menuSave() const;
    QAction* menuSaveAs() const;
    QAction* menuPrint() const;
    // Any menu entry by its control name ("MenuExit", "menuWebSite"...).
    QAction* menuEntry(const QString& name) const;

    // Shows a help page (file name, optionally "#anchor") in the help viewer.
    void OpenHelpPage(const QString& pageRef) override;
    // The help viewer, created on first use; null until then.
    HelpScreen* helpScreen() const { return m_help; }

    // The quit guard: true when the program may end (no unsaved changes,
    // or the user answered OK).
    bool QuitGuard();
    void MenuExit_Click();

    // The picture buttons' clicks (modifiers as held at the click).
    void Motor_Click();
    void Motion_Click(bool shiftHeld);
    void Encoder_Click();
    void IO_Click();
    void Regen_Click();
    void Upload_Click();
    void Download_Click();
    void Summary_Click(int firstRow, Qt::KeyboardModifiers modifiers);

    // Ctrl+T: the TMX terminal, when the port is open.
    void TerminalKey();
    void MenuTerminal_Click();
    void HSdomelabel_Click();
    void MenuAbout_Click();
    void menuWebSite_Click();
    // How the web site is handed to the system (QDesktopServices::openUrl by
    // default); false when the system cannot open it. Tests put their own in.
    using UrlOpener = std::function<bool(const QUrl&)>;
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    void setProgress(int percent) override;

    PictureButton* pictureButton(const QString& name) const { return m_buttons.value(name); }
    HelpSpot* helpSpot(const QString& name) const { return m_spots.value(name); }
    WiringBoard& board() { return *m_board; }
    QComboBox& modelList() { return *m_modelList; }
    QComboBox& commList() { return *m_commList; }
    QLabel& driveVersionLabel() { return *m_driveVersion; }
    QLabel& motionDescLabel() { return *m_motionDesc; }
    QProgressBar& progressBar() override { return *m_progBar; }
    About* aboutBox() const { return m_about; }

    // The least size of the window as a whole, frame and menu bar included:
    // 9600 x 7200 twips, but never more than the design size (11880 x 6450
    // twips inside, under the menu bar, with this window system's frame) so
    // the window can always open at its design size.
    QSize outerMinimumSize() const;
    // The design size of the inside, under the menu bar.
    static QSize designInnerSize();

signals:
    // The quit guard let the program end: the caller ends the event loop.
    void programEnding();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildMenus();
    void buildBoard();
    void LoadModelList();
    void LoadCommList();
    void placeAtStart();
    // The frame the window system draws around the window (none until shown).
    QSize frameExtra() const;
    void applyMinimumSize();
    void endProgram();
    HelpScreen& ensureHelpScreen();
    void showMotionDesc(const QString& caption);
    bool portOpen() const;

    Configurator& m_cfg;
    DriveLink& m_link;
    DriveQueries& m_queries;
    DriveTransfer& m_transfer;
    QString m_programDir;
    WindowHooks m_hooks;

    WiringBoard* m_board = nullptr;
    SummaryGrid* m_summary = nullptr;
    QComboBox* m_modelList = nullptr;
    QComboBox* m_commList = nullptr;
    QLabel* m_driveVersion = nullptr;
    QLabel* m_motionDesc = nullptr;
    QProgressBar* m_progBar = nullptr;
    QMap<QString, PictureButton*> m_buttons;
    QMap<QString, HelpSpot*> m_spots;
    QMap<QString, QAction*> m_menuEntries;
    QPointer<HelpScreen> m_help;
    About* m_about = nullptr;
    FileCommands* m_files = nullptr;
    PrintCommand* m_print = nullptr;
    bool m_ending = false;
    UrlOpener m_openUrl;
};
