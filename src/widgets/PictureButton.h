#pragma once

#include <QAbstractButton>
#include <QSvgRenderer>

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
    // The keyboard modifiers held when the last click was made.
    Qt::KeyboardModifiers clickModifiers() const { return m_clickModifiers; }

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
    Qt::KeyboardModifiers m_clickModifiers;
};
