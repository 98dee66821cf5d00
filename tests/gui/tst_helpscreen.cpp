#include "HelpFolder.h"
#include "HelpPages.h"
#include "HelpScreen.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

Q_DECLARE_METATYPE(HelpOpener)

class TestHelpScreen : public QObject {
    Q_OBJECT
private slots:
    // Every opener's page is in the help folder, with its anchor.
    void pagesExist_data()
    {
        QTest::addColumn<QString>("pageRef");
        const HelpOpener openers[] = {
            HelpOpener::HSACPower, HelpOpener::HSencoder, HelpOpener::HSinout1, HelpOpener::HSinout2,
            HelpOpener::HSled, HelpOpener::HSrs485, HelpOpener::MenuContents, HelpOpener::MenuContactUs,
            HelpOpener::MotorDialogHelp, HelpOpener::MotorDialogWiring, HelpOpener::EditMotorHelp,
            HelpOpener::PulseDirDialogHelp, HelpOpener::VelocityDialogHelp, HelpOpener::AdvancedSettingsHelp,
            HelpOpener::TMXdialogHelp, HelpOpener::EncoderDialogHelp, HelpOpener::IOdialogHelp,
            HelpOpener::IOdialogWiring, HelpOpener::RegenDialogHelp, HelpOpener::HelpScreenIndex};
        for (HelpOpener o : openers)
            QTest::addRow("opener %d", int(o)) << HelpPage(o);
        for (int row = 0; row < 6; ++row)
            QTest::addRow("model row %d", row) << OverviewPage(row);
    }
    void pagesExist()
    {
        QFETCH(QString, pageRef);
        const QString file = pageRef.section('#', 0, 0);
        const QString anchor = pageRef.section('#', 1);
        QFile page(HelpFolder() + file);
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(file));
        const QString text = QString::fromUtf8(page.readAll());
        if (!anchor.isEmpty())
            QVERIFY(text.contains(QStringLiteral("name=\"%1\"").arg(anchor)));
        if (file == QLatin1String("index.html"))
            return;
        // The index reaches every other page.
        QFile index(HelpFolder() + QStringLiteral("index.html"));
        QVERIFY(index.open(QIODevice::ReadOnly));
        QVERIFY2(QString::fromUtf8(index.readAll()).contains(QStringLiteral("href=\"%1\"").arg(file.toHtmlEscaped())),
                 qPrintable(file));
    }

    void openerTable()
    {
        QCOMPARE(HelpPage(HelpOpener::EditMotorHelp), QStringLiteral("ConfigSoftware_Motor.html#DefineMotor"));
        QCOMPARE(HelpPage(HelpOpener::AdvancedSettingsHelp), QStringLiteral("velocity.html#AdvancedAnalog"));
        QCOMPARE(HelpPage(HelpOpener::MenuContactUs), QStringLiteral("contact us.html"));
        QCOMPARE(OverviewPage(-1), QString());
        QCOMPARE(OverviewPage(6), QString());
    }

    // Every link of every page leads to a page of the folder.
    void linksResolve()
    {
        const QDir folder(HelpFolder());
        const QStringList pages = folder.entryList({QStringLiteral("*.html")});
        QVERIFY(pages.size() >= 18);
        const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)"));
        for (const QString& name : pages) {
            QFile f(folder.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(f.readAll());
            for (auto it = href.globalMatch(text); it.hasNext();) {
                const QString target = it.next().captured(1);
                if (!target.isEmpty())
                    QVERIFY2(folder.exists(target), qPrintable(name + " -> " + target));
            }
        }
    }

    // Index, Back and Close: 630 x 315 twips each at lefts 60, 720 and 1380
    // twips, the page under them from 360 twips down.
    void buttonRow()
    {
        HelpScreen help(HelpFolder());
        help.OpenHelpPage(QStringLiteral("index.html"));
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.indexButton()->geometry(), QRect(4, 2, 42, 21));
        QCOMPARE(help.backButton()->geometry(), QRect(48, 2, 42, 21));
        QCOMPARE(help.closeButton()->geometry(), QRect(92, 2, 42, 21));
        QCOMPARE(help.browser()->geometry().topLeft(), QPoint(0, 24));
        // Each caption fits its button.
        for (QPushButton* b : {help.indexButton(), help.backButton(), help.closeButton()})
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) + 8 <= b->width(), qPrintable(b->text()));
    }

    void backFollowsHistory()
    {
        HelpScreen help(HelpFolder());
        QVERIFY(!help.backButton()->isEnabled());  // before any page
        QVERIFY(help.indexButton()->isEnabled() && help.closeButton()->isEnabled());

        help.OpenHelpPage(QStringLiteral("regen.html"));
        QVERIFY(help.isVisible());
        QVERIFY(!help.backButton()->isEnabled());  // one page: nothing to go back to
        help.OpenHelpPage(QStringLiteral("ErrorCodes.html"));
        QVERIFY(help.backButton()->isEnabled());

        // Close only hides; the next opener finds the history intact.
        QTest::mouseClick(help.closeButton(), Qt::LeftButton);
        QVERIFY(!help.isVisible());
        help.OpenHelpPage(QStringLiteral("DigitalPosn.html"));
        QVERIFY(help.isVisible());
        QTest::mouseClick(help.backButton(), Qt::LeftButton);
        QCOMPARE(help.browser()->source().fileName(), QStringLiteral("ErrorCodes.html"));
        QTest::mouseClick(help.backButton(), Qt::LeftButton);
        QCOMPARE(help.browser()->source().fileName(), QStringLiteral("regen.html"));
        QVERIFY(!help.backButton()->isEnabled());

        QTest::mouseClick(help.indexButton(), Qt::LeftButton);
        QCOMPARE(help.browser()->source().fileName(), QStringLiteral("index.html"));
        QVERIFY(help.backButton()->isEnabled());
    }

    void blankInPageName()
    {
        HelpScreen help(HelpFolder());
        help.OpenHelpPage(QStringLiteral("contact us.html"));
        QCOMPARE(help.browser()->source().toLocalFile(), HelpFolder() + QStringLiteral("contact us.html"));
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Contact us")));
    }

    void anchorOpensScrolled_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("custom motor") << "ConfigSoftware_Motor.html#DefineMotor";
        QTest::newRow("advanced analog") << "velocity.html#AdvancedAnalog";
    }
    void anchorOpensScrolled()
    {
        QFETCH(QString, page);
        HelpScreen help(HelpFolder());
        help.resize(420, 220);
        help.OpenHelpPage(page.section('#', 0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QScrollBar* bar = help.browser()->verticalScrollBar();
        QCOMPARE(bar->value(), 0);  // without the anchor: the top of the page
        help.OpenHelpPage(page);
        QCOMPARE(help.browser()->source().fragment(), page.section('#', 1));
        QTRY_VERIFY(bar->value() > 0);
    }

    // However small the window, the browser fills it under the buttons and
    // never gets a negative size.
    void tinyWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1 x 1") << QSize(1, 1);
        QTest::newRow("narrow") << QSize(30, 400);
        QTest::newRow("low") << QSize(400, 12);
        QTest::newRow("large") << QSize(1200, 900);
    }
    void tinyWindow()
    {
        QFETCH(QSize, size);
        HelpScreen help(HelpFolder());
        help.OpenHelpPage(QStringLiteral("index.html"));
        help.resize(size);
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCoreApplication::processEvents();
        const QRect browser = help.browser()->geometry();
        QVERIFY(browser.width() >= 0 && browser.height() >= 0);
        QVERIFY(browser.top() >= help.indexButton()->geometry().bottom());
        if (size.width() >= 400 && size.height() >= 400) {
            QCOMPARE(browser.width(), help.width());
            QCOMPARE(browser.bottom(), help.height() - 1);
        }
    }

    // A page that is not there says which file is missing instead of
    // leaving the window blank; the next good page shows as usual.
    void missingPage_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("page");
        QTest::newRow("no help folder") << "/nonexistent/KORV4 help/" << "index.html";
        QTest::newRow("page removed") << HelpFolder() << "Removed page.html";
    }
    void missingPage()
    {
        QFETCH(QString, folder);
        QFETCH(QString, page);
        HelpScreen help(folder);
        help.OpenHelpPage(page + QStringLiteral("#Anchor"));
        QVERIFY(help.isVisible());
        const QString text = help.browser()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("Help page not found")), qPrintable(text));
        QVERIFY2(text.contains(folder + page), qPrintable(text));

        help.OpenHelpPage(QStringLiteral("regen.html"));
        if (folder == HelpFolder())
            QVERIFY(!help.browser()->toPlainText().contains(QStringLiteral("not found")));
        QVERIFY(help.backButton()->isEnabled());
    }

    void emptyReferenceOnlyShows()
    {
        HelpScreen help(HelpFolder());
        help.OpenHelpPage(QString());
        QVERIFY(help.isVisible());
        QVERIFY(help.browser()->source().isEmpty());
    }

    void titleBarCloseDiscards()
    {
        QPointer<HelpScreen> help = new HelpScreen(HelpFolder());
        help->OpenHelpPage(QStringLiteral("index.html"));
        help->close();
        QTRY_VERIFY(help.isNull());
    }
};

QTEST_MAIN(TestHelpScreen)
#include "tst_helpscreen.moc"
