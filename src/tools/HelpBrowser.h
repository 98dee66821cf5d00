#pragma once

#include <QTextBrowser>

// The help viewer's page area. A page that is not in the help folder (a
// folder not installed beside the program, a link to a page that was
// removed) shows a short page saying which file is missing, instead of an
// empty window that leaves the user guessing.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

    // The page shown for a help file that cannot be read.
    static QString MissingPage(const QString& path);
};
