#include "PrintCommand.h"

#include "Configurator.h"
#include "PrintoutRenderer.h"
#include "Prompt.h"
#include "SummaryPrintDialog.h"
#include "Version.h"

#include <QCoreApplication>
#include <QPrinter>

PrintCommand::PrintCommand(QWidget* window, Configurator& configurator, Prompt& prompt, QObject* parent)
    : QObject(parent), m_window(window), m_configurator(configurator), m_prompt(prompt)
{
    m_chooser = [this](QPrinter& printer) {
        SummaryPrintDialog dialog(&printer, m_window);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        // The summary is printed whole, whatever range the printer was left with.
        printer.setPrintRange(QPrinter::AllPages);
        printer.setFromTo(0, 0);
        return true;
    };
}

PrintoutInput PrintCommand::printoutInput() const
{
    PrintoutInput in;
    in.settings = m_configurator.settings();
    const QStringList models = Configurator::ModelNames();
    const int row = m_configurator.modelIndex();
    if (row >= 0 && row < models.size())
        in.modelName = models.at(row);
    in.driveVersion = m_configurator.driveVersion();
    in.programVersion = m_configurator.state().ProgramVersion.isEmpty() ? ProgramVersion()
                                                                        : m_configurator.state().ProgramVersion;
    if (m_configurator.motors().hasCurrent())
        in.databaseMotor = m_configurator.databaseMotor();
    in.commRow = m_configurator.commRow();
    return in;
}

bool PrintCommand::printOn(QPrinter& printer)
{
    if (RenderPrintout(printer, ComposePrintout(printoutInput())))
        return true;
    m_prompt.tell(Configurator::ProgramTitle(),
                  QStringLiteral("Error printing: the printer could not be started."), Prompt::Icon::Exclamation);
    return false;
}

void PrintCommand::MenuPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_chooser(printer))
        return;
    // Let the dialog's area repaint before the page is composed.
    QCoreApplication::processEvents();
    printOn(printer);
}
