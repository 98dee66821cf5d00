#pragma once

class Configurator;
struct Settings;

// The motion-mode menu: which of its buttons the chosen drive model offers,
// which one holds the focus for the mode in force, and the two modes it
// takes at once.
enum class MotionMenuButton { None, PulseDirMode, VelocityMode, TMXmode, JProgram, KyProgram, HubProg };

// J Program is offered by the J and Ky models, Ky Program by the Ky models
// only; the other buttons always.
bool MotionMenuButtonShown(MotionMenuButton button, int modelIndex);

// The button of the mode in force, or None when the focus is to stay where
// it is: an unknown mode, or a button the model does not offer.
MotionMenuButton MotionMenuFocus(const Settings& s, int modelIndex);

// Orvane hub and Ky program need no dialog: the menu sets them at once,
// with the motion description, and marks the configuration changed.
void ChooseOrvaneHub(Configurator& cfg);
void ChooseKyProgram(Configurator& cfg);
