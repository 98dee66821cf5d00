#include "HelpScreen.h"

#include "DialogControls.h"
#include "HelpBrowser.h"
#include "HelpPages.h"
#include "Twips.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The button row and the page under it, in twips.
constexpr int ButtonWidth = 630;
constexpr int ButtonHeight = 315;
constexpr int ButtonTop = 30;
constexpr int FirstButtonLeft = 60;
constexpr int ButtonPitch = 660;  // lefts 60, 720, 1380
constexpr int BrowserTop = 360;

QPushButton* RowButton(const QString& caption, const QString& name, QWidget* parent)
{
    QPushButton* b = MakeButton(parent, name, caption);
    b->setFixedSize(Twips(ButtonWidth), Twips(ButtonHeight));
    return b;
}
}  // namespace

HelpScreen::HelpScreen(const QString& helpPath, QWidget* parent)
    : QWidget(parent, Qt::Window), m_helpPath(helpPath)
{
    setObjectName(QStringLiteral("HelpScreen"));
    setWindowTitle(QStringLiteral("Help"));
    // Closing from the title bar discards the window and its history.
    setAttribute(Qt::WA_DeleteOnClose);

    m_index = RowButton(QStringLiteral("Index"), QStringLiteral("btnIndex"), this);
    m_back = RowButton(QStringLiteral("Back"), QStringLiteral("btnBack"), this);
    m_close = RowButton(QStringLiteral("Close"), QStringLiteral("btnPrint"), this);
    // Nothing to go back to before a second page has been shown.
    m_back->setEnabled(false);

    m_browser = new HelpBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setAccessibleName(QStringLiteral("Help page"));
    // Links out of the help folder go to the system's web browser.
    m_browser->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(Twips(FirstButtonLeft), Twips(ButtonTop), 0, 0);
    buttons->setSpacing(Twips(FirstButtonLeft + ButtonPitch) - Twips(FirstButtonLeft) - Twips(ButtonWidth));
    buttons->addWidget(m_index);
    buttons->addWidget(m_back);
    buttons->addWidget(m_close);
    buttons->addStretch();

    // A layout, so that however small the window is, the browser never gets
    // a negative size; it fills the window under the button row.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Twips(BrowserTop) - Twips(ButtonTop) - Twips(ButtonHeight));
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);

    connect(m_index, &QPushButton::clicked, this,
            [this] { navigate(HelpPage(HelpOpener::HelpScreenIndex)); });
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);

    resize(Twips(9600), Twips(6825));
}

void HelpScreen::navigate(const QString& pageRef)
{
    const int hash = pageRef.indexOf(QLatin1Char('#'));
    const QString file = hash < 0 ? pageRef : pageRef.left(hash);
    // The reference follows the folder directly; a blank in a page name is
    // part of the file name.
    QUrl url = QUrl::fromLocalFile(m_helpPath + file);
    if (hash >= 0)
        url.setFragment(pageRef.mid(hash + 1));
    m_browser->setSource(url);
}

void HelpScreen::OpenHelpPage(const QString& pageRef)
{
    if (!pageRef.isEmpty())
        navigate(pageRef);
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}
