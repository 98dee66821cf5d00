#include "SettingsDialog.h"

#include "Configurator.h"
#include "DialogControls.h"
#include "FormHelpers.h"
#include "MainWindowServices.h"
#include "WindowHooks.h"
#include "NumberBox.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QPushButton>

SettingsDialog::SettingsDialog(Configurator& configurator, MainWindowServices& main, const QString& name,
                               const QString& caption, const QString& helpPage, int block)
    : QDialog(nullptr), m_cfg(configurator), m_main(main), m_helpPage(helpPage), m_block(block)
{
    setObjectName(name);
    setCaption(caption);
    setModal(false);
    // An upload or an opened file replaces the settings: a dialog that is
    // open shows them, so that a later OK (the download presses it) cannot
    // write the old values back.
    connect(&m_cfg, &Configurator::summaryRefreshRequested, this, [this] {
        if (isVisible())
            refill();
    });
}

void SettingsDialog::setCaption(const QString& caption)
{
    setWindowTitle(caption);
    setAccessibleName(caption);
}

void SettingsDialog::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    load();
    adjustSize();
    CenterForm(*this, m_main.mainWindow());
}

void SettingsDialog::showFilled()
{
    ensureLoaded();
    refill();
    ShowInFront(*this);
}

void SettingsDialog::refill()
{
    fill();
    // What the filling left in the boxes is the settings', not the user's.
    for (NumberBox* box : std::as_const(m_boxes))
        box->markFilled();
}

void SettingsDialog::normaliseBoxes()
{
    for (NumberBox* box : std::as_const(m_boxes))
        box->leave();
}

void SettingsDialog::OK_Click()
{
    normaliseBoxes();
    writeSettings();
    if (okMarksChanged())
        m_cfg.state().SettingsChanged = true;
    hide();
    summarize();
}

void SettingsDialog::summarize()
{
    if (m_block != NoBlock)
        m_main.refreshSummaryBlock(static_cast<SummaryBlocks::Block>(m_block));
}

void SettingsDialog::Cancel_Click()
{
    cancelled();
    hide();
}

void SettingsDialog::Help_Click()
{
    if (!m_helpPage.isEmpty())
        m_main.OpenHelpPage(m_helpPage);
}

void SettingsDialog::pressOkIfVisible()
{
    if (isVisible())
        OK_Click();
}

NumberBox* SettingsDialog::numberBox(const QString& name, const QString& accessibleName, const BoxRule& rule)
{
    auto* box = new NumberBox(name, accessibleName, rule, this);
    m_boxes.append(box);
    return box;
}

QWidget* SettingsDialog::standardButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    auto add = [&](const QString& caption, const QString& name, void (SettingsDialog::*slot)()) {
        QPushButton* button = MakeButton(row, name, caption);
        connect(button, &QPushButton::clicked, this, slot);
        layout->addWidget(button);
    };
    add(QStringLiteral("OK"), QStringLiteral("cmdOK"), &SettingsDialog::OK_Click);
    add(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), &SettingsDialog::Cancel_Click);
    if (!m_helpPage.isEmpty())
        add(QStringLiteral("Help"), QStringLiteral("cmdHelp"), &SettingsDialog::Help_Click);
    return row;
}

bool SettingsDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        activated();
    return QDialog::event(event);
}

void SettingsDialog::keyPressEvent(QKeyEvent* event)
{
    // No button is the dialog's default, so Enter typed into a number box
    // never writes the settings behind the user's back: it only settles the
    // box's value. On a focused push button Enter presses that button, as
    // Space does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QWidget* focus = focusWidget();
        if (auto* button = qobject_cast<QPushButton*>(focus); button && button->isEnabled()) {
            button->click();
        } else if (auto* box = qobject_cast<NumberBox*>(focus)) {
            box->leave();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SettingsDialog::closeEvent(QCloseEvent* event)
{
    // The close box is Cancel: the window hides and keeps its state.
    event->ignore();
    Cancel_Click();
}

void SettingsDialog::reject()
{
    Cancel_Click();
}
