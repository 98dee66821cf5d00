#pragma once

#include "MotionMenuRules.h"

#include <QDialog>
#include <QMap>

class Configurator;
class MainWindowServices;
class QPushButton;

// The motion-mode menu: one big button per operating mode, the ones the
// drive model offers. The dialog modes open their dialog (the mode changes
// only with that dialog's OK); Orvane hub and Ky program are taken at once.
// One instance, hidden not destroyed.
class MotionMenu : public QDialog {
    Q_OBJECT
public:
    MotionMenu(Configurator& configurator, MainWindowServices& main);

    // Shows the menu modeless (centred over the main window the first time).
    void showMenu();
    // Each time the menu becomes active: the model's buttons, the focus on
    // the mode in force.
    void Form_Activate();

    QPushButton* button(MotionMenuButton which) const { return m_buttons.value(which); }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void click(MotionMenuButton which);
    void summarizeMotion();

    Configurator& m_cfg;
    MainWindowServices& m_main;
    QMap<MotionMenuButton, QPushButton*> m_buttons;
    QPushButton* m_cancel = nullptr;
    bool m_loaded = false;
};
