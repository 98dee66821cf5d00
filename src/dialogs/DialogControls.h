#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// Small makers for the controls of the settings dialogs: each control gets
// its control name and, when the user can act on it, an accessible name
// (its caption as shown, "&&" read as one "&", or the role given).

// A caption as the user reads it: "Pulse && Direction" -> "Pulse & Direction".
QString ShownCaption(const QString& caption);

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption);
QRadioButton* MakeOption(QWidget* parent, const QString& name, const QString& caption);
QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption);
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);
QComboBox* MakeList(QWidget* parent, const QString& name, const QString& accessibleName,
                    const QStringList& entries = {});
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption);
