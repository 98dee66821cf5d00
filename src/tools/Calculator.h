#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The move calculator: velocity, deceleration and motor resolution in,
// the least distance of a feed-to-sensor move out, worked out again at
// every change. OK hides it with what was typed kept.
class Calculator : public QWidget {
    Q_OBJECT
public:
    Calculator();

    QComboBox* MR() const { return m_mr; }
    QLineEdit* VE() const { return m_ve; }
    QLineEdit* DE() const { return m_de; }
    QLabel* DI() const { return m_di; }
    QPushButton* okButton() const { return m_ok; }

    void DoCalc();

private:
    QComboBox* m_mr;
    QLineEdit* m_ve;
    QLineEdit* m_de;
    QLabel* m_di;
    QPushButton* m_ok;
};
