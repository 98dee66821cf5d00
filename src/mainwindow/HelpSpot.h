#pragma once

#include <QAbstractButton>

// An invisible clickable region over the drive picture that opens the help
// page of the part underneath. It draws nothing but a plain focus frame,
// so a keyboard user can still find it.
class HelpSpot : public QAbstractButton {
    Q_OBJECT
public:
    HelpSpot(const QString& name, const QString& role, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
