#pragma once

#include <QColor>
#include <QLabel>

// A small square lamp with a thin border, as the fault windows show one per
// alarm bit. It is either filled with a colour or left unfilled (only the
// border shows); it stays in place in both states.
class AlarmLamp : public QLabel {
    Q_OBJECT
public:
    // name is what a screen reader says ("motor stall, code 1").
    explicit AlarmLamp(const QString& name, QWidget* parent = nullptr);

    static QColor red() { return QColor(0xFF, 0x00, 0x00); }
    static QColor lightGrey() { return QColor(0xC0, 0xC0, 0xC0); }

    // Filled with colour; an invalid colour leaves the lamp unfilled.
    void setFill(const QColor& colour);
    QColor fill() const { return m_fill; }
    bool isFilled() const { return m_fill.isValid(); }

    // Lit: filled red; put out: unfilled.
    void setLit(bool lit) { setFill(lit ? red() : QColor()); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
};
