#pragma once

#include <QAbstractButton>
#include <QSvgRenderer>

#include <optional>

// A button drawn as a picture: its raised picture normally, its pressed
// picture only while the mouse button is held on it. The click comes after
// the release, so the raised picture is back before anything opens.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    // raised and pressed name pictures under ":/pictures/" without ".svg".
    PictureButton(const QString& caption, const QString& raised, const QString& pressed,
                  QWidget* parent = nullptr);

    // The name of the picture shown now (the raised or the pressed one).
    QString currentPicture() const;
    // The keyboard modifiers held at the click being made now: those of the
    // mouse or key event that makes it, or, for a click without an event of
    // its own (click() from code, an accessibility "Press"), the keys held
    // down at this moment. Nothing is kept from earlier events.
    Qt::KeyboardModifiers clickModifiers() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QString m_raised;
    QString m_pressed;
    QSvgRenderer m_raisedPicture;
    QSvgRenderer m_pressedPicture;
    // Set only while a mouse or key event of this button is being handled.
    std::optional<Qt::KeyboardModifiers> m_eventModifiers;
};
