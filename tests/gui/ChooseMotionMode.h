#pragma once

#include "MainForm.h"
#include "MotionDialogs.h"
#include "MotionMenu.h"

#include <QPushButton>

// What a user does to open a mode's dialog: Motion, then the mode's button.
inline void ChooseMotionMode(MainForm& main, MotionDialogs& dialogs, MotionMenuButton button)
{
    main.Motion_Click(false);
    dialogs.menu().button(button)->click();
}
