#include "SummaryPrintDialog.h"

#include <QAbstractButton>
#include <QEvent>

SummaryPrintDialog::SummaryPrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent)
{
    setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    setPrintRange(QAbstractPrintDialog::AllPages);
}

QStringList SummaryPrintDialog::RangeChoices()
{
    return {QStringLiteral("printRange"),       QStringLiteral("from"),
            QStringLiteral("to"),               QStringLiteral("pagesRadioButton"),
            QStringLiteral("pagesLineEdit"),    QStringLiteral("printSelection"),
            QStringLiteral("printCurrentPage")};
}

void SummaryPrintDialog::setVisible(bool visible)
{
    QPrintDialog::setVisible(visible);
    if (visible)
        holdWholeDocument();
}

void SummaryPrintDialog::holdWholeDocument()
{
    if (auto* all = findChild<QAbstractButton*>(QStringLiteral("printAll")))
        all->setChecked(true);
    for (const QString& name : RangeChoices()) {
        if (QWidget* choice = findChild<QWidget*>(name)) {
            choice->setEnabled(false);
            // Installed again on the next showing: Qt keeps one copy.
            choice->installEventFilter(this);
        }
    }
}

bool SummaryPrintDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The dialog enables its range choices again when it updates them (a
    // printer chosen, the options shown): they are disabled right back.
    if (event->type() == QEvent::EnabledChange) {
        auto* choice = qobject_cast<QWidget*>(watched);
        if (choice && choice->isEnabled())
            choice->setEnabled(false);
    }
    return QPrintDialog::eventFilter(watched, event);
}
