#pragma once

#include "ConfigFile.h"
#include "EditMotor.h"
#include "FileCommands.h"
#include "MainFormRig.h"
#include "MotorDialog.h"
#include "NumberBox.h"
#include "NumberSlider.h"
#include "SettingsDialogs.h"

#include <QFile>
#include <QTemporaryDir>

// The main window with its settings dialogs, started on a private copy of
// the program's motor database (tests add motors to it).
template <typename Rig>
struct BasicMotorDialogRig {
    QTemporaryDir dir;
    Rig rig;
    SettingsDialogs dialogs{rig.cfg, rig.main, rig.transfer};

    bool openDatabaseCopy()
    {
        const QString copy = dir.filePath(QStringLiteral("korv4 motors.db"));
        return QFile::copy(Rig::binDir() + QStringLiteral("/korv4 motors.db"), copy)
               && rig.cfg.openMotorDatabase(copy);
    }
    // The start-up as the program runs it, the motor dialog loaded hidden.
    void start()
    {
        openDatabaseCopy();
        rig.main.Form_Load();
        rig.prompt.clear();
    }

    MotorDialog& motor() { return dialogs.motorDialog(); }
    EditMotor& edit() { return dialogs.editMotor(); }
    template <typename W>
    static W& child(QWidget& w, const char* name)
    {
        W* found = w.findChild<W*>(QString::fromLatin1(name));
        Q_ASSERT_X(found, "child", name);
        return *found;
    }
    NumberBox& box(QWidget& w, const char* name) { return child<NumberBox>(w, name); }
    NumberSlider& slider(QWidget& w, const char* name) { return child<NumberSlider>(w, name); }
    // Writes the content as a configuration file in the rig's folder and
    // opens it as the user does, through File, Open.
    bool openFile(const ConfigFileContent& content, const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(WriteConfigFile(content)) < 0)
            return false;
        file.close();
        FileCommands& files = rig.main.fileCommands();
        files.setFileChooser([path](FileCommands::Dialog, const QString&) { return path; });
        files.MenuOpen_Click();
        return true;
    }
    // Types a text into a box and leaves it, as the user does.
    void type(QWidget& w, const char* name, const QString& text)
    {
        NumberBox& b = box(w, name);
        b.setText(text);
        b.leave();
    }
};

using MotorDialogRig = BasicMotorDialogRig<MainFormRig>;
