#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

// The help viewer: one window showing the pages of the help folder, with
// Index, Back and Close. Close only hides it, so the page and the history
// stay for the next opener; closing it from its title bar discards it.
class HelpScreen : public QWidget {
    Q_OBJECT
public:
    // helpPath is the help folder, ending in a separator.
    explicit HelpScreen(const QString& helpPath, QWidget* parent = nullptr);

    // Shows the page (a file name of the help folder, optionally with
    // "#anchor") and brings the window to the front. An empty reference
    // only shows the window.
    void OpenHelpPage(const QString& pageRef);
    // Sends the browser to the page without showing the window.
    void navigate(const QString& pageRef);

    QString helpPath() const { return m_helpPath; }
    QTextBrowser* browser() const { return m_browser; }
    QPushButton* indexButton() const { return m_index; }
    QPushButton* backButton() const { return m_back; }
    QPushButton* closeButton() const { return m_close; }

private:
    QString m_helpPath;
    QTextBrowser* m_browser;
    QPushButton* m_index;
    QPushButton* m_back;
    QPushButton* m_close;
};
