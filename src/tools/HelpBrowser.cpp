#include "HelpBrowser.h"

#include <QTextDocument>
#include <QUrl>

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    QVariant page = QTextBrowser::loadResource(type, name);
    // Only whole pages get the notice; a missing picture or style sheet
    // just leaves its page without it.
    if (type == QTextDocument::HtmlResource && name.isLocalFile() &&
        (!page.isValid() || page.toByteArray().isEmpty()))
        return MissingPage(name.toLocalFile());
    return page;
}

QString HelpBrowser::MissingPage(const QString& path)
{
    return QStringLiteral("<h1>Help page not found</h1><p>The help file <b>%1</b> could not be read.</p>"
                          "<p>The help pages belong in the folder \"KORV4 help\" beside the program; "
                          "installing the program again puts them back.</p>")
        .arg(path.toHtmlEscaped());
}
