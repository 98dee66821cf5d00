#pragma once

#include <QPrintDialog>
#include <QStringList>

// The print dialog of File, Print. The summary is always printed whole, so
// the dialog's page-range, current-page and selection choices stay disabled
// and "Print all" chosen, however the dialog updates its options while it is
// shown (the options given before it opens are not enough for that on every
// platform).
class SummaryPrintDialog : public QPrintDialog {
    Q_OBJECT
public:
    explicit SummaryPrintDialog(QPrinter* printer, QWidget* parent = nullptr);

    void setVisible(bool visible) override;

    // The object names of the dialog's controls that choose part of a document.
    static QStringList RangeChoices();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void holdWholeDocument();
};
