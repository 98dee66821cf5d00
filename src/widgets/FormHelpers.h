#pragma once

class QLineEdit;
class QWidget;

// Places a window centred over the main window. Nothing keeps it on the
// screen when the main window sits near an edge.
void CenterForm(QWidget& form, const QWidget& mainWindow);

// Shows a window (or shows it again) in front of the others, with the focus.
void ShowInFront(QWidget& window);

// Selects the whole text of a box, as a box does when it gets the focus.
void SelectAllText(QLineEdit& box);
