#pragma once

#include <QDialog>

class QLabel;

// The About box ("Credits"): the program's picture, the maker's lines and
// the version. Created on first use; OK hides it.
class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);
    // Sets the version line and centres the box on the screen.
    void prepare();
    QString versionText() const;

private:
    QLabel* m_ver;
};
