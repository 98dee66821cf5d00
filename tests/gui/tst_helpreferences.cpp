#include "HelpFolder.h"
#include "HelpPages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The program's sources, beside this test's folder.
QString SourceFolder()
{
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../../src"));
}

// Every quoted page reference ("page.html" or "page.html#anchor") in the
// program's sources, with the files that name it.
QMap<QString, QStringList> PageReferencesInSources()
{
    QMap<QString, QStringList> refs;
    const QRegularExpression quoted(QStringLiteral("\"([^\"\\\\]+\\.html(#[^\"\\\\]+)?)\""));
    QDirIterator it(SourceFolder(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = quoted.globalMatch(text); m.hasNext();)
            refs[m.next().captured(1)] << QFileInfo(path).fileName();
    }
    return refs;
}

// Whether the page has a place named `anchor` (id= or name=).
bool AnchorIn(const QString& html, const QString& anchor)
{
    const QRegularExpression target(
        QStringLiteral("\\b(id|name)\\s*=\\s*[\"']%1[\"']").arg(QRegularExpression::escape(anchor)));
    return target.match(html).hasMatch();
}

}  // namespace

// Every page the program opens is in the help folder beside it, and every
// anchor it jumps to is in its page.
class TestHelpReferences : public QObject {
    Q_OBJECT
private slots:
    void pageExists_data()
    {
        QTest::addColumn<QString>("pageRef");
        const QMap<QString, QStringList> refs = PageReferencesInSources();
        // The sources are found and name the pages their Help buttons open.
        QVERIFY(refs.contains(QStringLiteral("velocity.html#AdvancedAnalog")));
        for (auto it = refs.cbegin(); it != refs.cend(); ++it)
            QTest::addRow("%s in %s", qPrintable(it.key()), qPrintable(it.value().first())) << it.key();
        // The openers' table and the model label's overview pages.
        for (int o = 0; o <= int(HelpOpener::HelpScreenIndex); ++o)
            QTest::addRow("opener %d", o) << HelpPage(HelpOpener(o));
        for (int row = 0; row < 6; ++row)
            QTest::addRow("model row %d", row) << OverviewPage(row);
    }
    void pageExists()
    {
        QFETCH(QString, pageRef);
        if (pageRef.startsWith(QLatin1String("http")))
            return;
        const QString file = pageRef.section(QLatin1Char('#'), 0, 0);
        const QString anchor = pageRef.section(QLatin1Char('#'), 1);
        QFile page(HelpFolder() + file);
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(file + QStringLiteral(" is missing")));
        if (anchor.isEmpty())
            return;
        const QString text = QString::fromUtf8(page.readAll());
        QVERIFY2(AnchorIn(text, anchor), qPrintable(file + QStringLiteral(" has no anchor ") + anchor));
    }

    // The pages' own links to a place in a page find it.
    void linkAnchorsExist()
    {
        const QDir folder(HelpFolder());
        const QRegularExpression href(QStringLiteral("href=\"([^\":]*)#([^\"]+)\""));
        int links = 0;
        for (const QString& name : folder.entryList({QStringLiteral("*.html")})) {
            QFile f(folder.filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(f.readAll());
            for (auto it = href.globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                const QString file = m.captured(1).isEmpty() ? name : m.captured(1);
                QFile target(folder.filePath(file));
                QVERIFY2(target.open(QIODevice::ReadOnly), qPrintable(name + QStringLiteral(" -> ") + file));
                QVERIFY2(AnchorIn(QString::fromUtf8(target.readAll()), m.captured(2)),
                         qPrintable(name + QStringLiteral(" -> ") + m.captured(0)));
                ++links;
            }
        }
        qInfo("%d links to a place in a page", links);
    }
};

QTEST_MAIN(TestHelpReferences)
#include "tst_helpreferences.moc"
