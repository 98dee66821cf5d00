#pragma once

#include "SummaryBlocks.h"

class QProgressBar;
class QString;
class QWidget;
struct WindowHooks;

// What the settings dialogs and drive tools need of the main window, and no
// more: the hooks through which they register how they are shown, the window
// to centre over (and to own the modal tools), the refresh of their summary
// block, the help opener and the progress bar. The main window implements it;
// the dialogs and tools never see the main window itself.
class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    virtual WindowHooks& hooks() = 0;
    // The main window as a widget: what dialogs are centred over and what
    // owns the modal tool windows.
    virtual QWidget& mainWindow() = 0;
    // Rewrites one block of the summary grid.
    virtual void refreshSummaryBlock(SummaryBlocks::Block firstRow) = 0;
    // Shows a help page (file name, optionally "#anchor") in the help viewer.
    virtual void OpenHelpPage(const QString& pageRef) = 0;
    virtual QProgressBar& progressBar() = 0;
    virtual void setProgress(int percent) = 0;

protected:
    MainWindowServices() = default;
    MainWindowServices(const MainWindowServices&) = default;
    MainWindowServices& operator=(const MainWindowServices&) = default;
};
