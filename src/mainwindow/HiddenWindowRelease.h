#pragma once

#include <QObject>

// The program's windows are hidden, not destroyed, so that they keep their
// state; but each would also keep the picture of its inside that the window
// system draws from, a few hundred kilobytes to over a megabyte a window.
// While installed on the application this lets a hidden window's picture
// go; the window draws itself whole again when it is next shown.
class HiddenWindowRelease : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
