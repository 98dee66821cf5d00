#pragma once

#include "Printout.h"

#include <QObject>
#include <functional>

class Configurator;
class Prompt;
class QPrinter;
class QWidget;

// File, Print: the print dialog, then the configuration summary on the
// chosen printer. The platform's print-to-file (PDF) choice stays offered:
// without a printer it is how a summary is kept. The dialog offers no page
// range or selection: the summary is printed whole.
class PrintCommand : public QObject {
    Q_OBJECT
public:
    PrintCommand(QWidget* window, Configurator& configurator, Prompt& prompt, QObject* parent = nullptr);

    // Sets up the printer with the user; false when cancelled. The print
    // dialog by default; tests put their own in.
    using PrinterChooser = std::function<bool(QPrinter&)>;
    void setPrinterChooser(PrinterChooser chooser) { m_chooser = std::move(chooser); }

    void MenuPrint_Click();

    // What the printout shows, from the application object.
    PrintoutInput printoutInput() const;
    // Prints on a printer that is already set up; false (after telling the
    // user) when the printer could not print.
    bool printOn(QPrinter& printer);

private:
    QWidget* m_window;
    Configurator& m_configurator;
    Prompt& m_prompt;
    PrinterChooser m_chooser;
};
