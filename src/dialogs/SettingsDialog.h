#pragma once

#include "SummaryBlocks.h"

#include <QDialog>
#include <QList>

class Configurator;
class MainWindowServices;
class NumberBox;
struct BoxRule;

// What every settings dialog shares. One instance per dialog, created on
// first use and hidden, never destroyed, by OK, Cancel and the close box,
// so it keeps its place and contents. The opener fills it from the settings
// and shows it modeless without an owner; the user can go on using the main
// window. A dialog reads the settings only in fill() and writes them only in
// writeSettings(); the rules of both live in the core.
//
// Selection actions: connect option buttons, check boxes and lists through
// their change signals (toggled, currentIndexChanged), so setting them from
// fill() runs the same action as the user's click.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    // caption: the window title; helpPage: the page Help opens ("" for
    // none); block: the summary block OK refreshes (NoBlock for none).
    static constexpr int NoBlock = -1;
    SettingsDialog(Configurator& configurator, MainWindowServices& main, const QString& name, const QString& caption,
                   const QString& helpPage, int block);

    // The load step, once: what the layout does not carry (list entries),
    // then centred over the main window. Later calls do nothing, so a
    // dialog the user moved keeps its place.
    void ensureLoaded();
    // The opener: load step, fill from the settings, show, bring to front.
    void showFilled();

    // OK: every number box is normalised as leaving it would (also when
    // OK is pressed by program code), the controls are written into the
    // settings, the configuration is marked changed, the dialog hides and
    // its summary block is refreshed.
    void OK_Click();
    void Cancel_Click();
    void Help_Click();
    // The download's press: OK, only while the dialog is shown.
    void pressOkIfVisible();

    // The number boxes, in the order they were made.
    const QList<NumberBox*>& numberBoxes() const { return m_boxes; }
    // Runs every number box's leave step.
    void normaliseBoxes();

protected:
    // Fills list entries and anything else the layout lacks (load step).
    virtual void load() {}
    // Settings -> controls.
    virtual void fill() = 0;
    // Controls -> settings (the boxes are normalised already).
    virtual void writeSettings() = 0;
    // After writeSettings(): the summary block; override for more.
    virtual void summarize();
    // Each time the dialog becomes the active window (a dialog whose
    // controls show or hide others sets them right again).
    virtual void activated() {}
    // Cancel, the close box and Escape, before the dialog hides: a dialog
    // whose controls act on the configuration at once puts it back.
    virtual void cancelled() {}
    // Whether OK marks the configuration changed (a dialog that only hands
    // its values to another dialog does not).
    virtual bool okMarksChanged() const { return true; }

    // The window title, and the name a screen reader gives the window.
    void setCaption(const QString& caption);

    Configurator& cfg() { return m_cfg; }
    MainWindowServices& mainForm() { return m_main; }

    // A number box of this dialog, normalised before every OK.
    NumberBox* numberBox(const QString& name, const QString& accessibleName, const BoxRule& rule);
    // The OK, Cancel and Help buttons in a row ("cmdOK", "cmdCancel",
    // "cmdHelp"); Help is left out when the dialog has no page. No button
    // takes the keyboard's Enter (Enter in a number box leaves the dialog
    // open and the typed text as it stands until the box is left); Escape
    // is Cancel.
    QWidget* standardButtons();

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // fill(), then every number box takes its text as the filled one.
    void refill();

    Configurator& m_cfg;
    MainWindowServices& m_main;
    QString m_helpPage;
    int m_block;
    bool m_loaded = false;
    QList<NumberBox*> m_boxes;
};
