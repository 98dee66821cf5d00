#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// Small makers for the controls of the settings dialogs: each control gets
// its control name and, when the user can act on it, an accessible name
// (its caption as shown, "&&" read as one "&", or the role given: a
// control whose caption does not say what it does is named by its role).

// A caption as the user reads it: "Pulse && Direction" -> "Pulse & Direction".
QString ShownCaption(const QString& caption);

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption);
QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption,
                         const QString& role = QString());
QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption);
// Not an auto-default: the keyboard's Enter presses no button of a
// settings dialog.
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& role = QString());
QComboBox* MakeList(QWidget* parent, const QString& name, const QString& accessibleName,
                    const QStringList& entries = {});
// A list of the unit names of codes 0 .. count-1.
QComboBox* MakeUnitList(QWidget* parent, const QString& name, const QString& accessibleName,
                        QString (*unitName)(int), int count);
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption);

// A box and its unit label (none when the unit is empty) in a row, the
// spare room after them; the label belongs to `parent`.
QHBoxLayout* BoxWithUnit(QWidget* parent, QWidget* box, const QString& unit);
// A frame holding only a box and its unit.
QGroupBox* MakeBoxFrame(QWidget* parent, const QString& name, const QString& caption, QWidget* box,
                        const QString& unit);
