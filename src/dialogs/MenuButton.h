#pragma once

#include <QPushButton>

// A big button of the motion-mode menu: its small picture above its
// caption, both centred, so that the caption has the button's whole width.
// The caption's font is made smaller when it would not fit.
class MenuButton : public QPushButton {
    Q_OBJECT
public:
    MenuButton(const QIcon& picture, const QString& caption, QWidget* parent = nullptr);

    static constexpr int PictureSize = 28;

    // What the picture over the caption needs, in the caption's font.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The room the caption has inside the bevel.
    int captionWidth() const;
};
