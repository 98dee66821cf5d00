#include "ConfiguratorFixture.h"
#include "PrintCommand.h"
#include "PrintoutRenderer.h"
#include "SummaryPrintDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

QString PdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(10000);
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return 0;
}

// Every word of every page lies at least 15 mm from the paper's edges.
// Returns the words in page order.
QStringList VerifyTextKeepsOffTheEdges(const QString& pdf)
{
    QStringList words;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(10000);
    const QString boxes = QString::fromUtf8(p.readAllStandardOutput());
    const qreal margin = 15.0 / 25.4 * 72.0 - 0.5;  // points, with a little room for rounding
    const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<"));
    const QRegularExpressionMatch size = page.match(boxes);
    if (!size.hasMatch()) {
        QTest::qFail("pdftotext found no page", __FILE__, __LINE__);
        return words;
    }
    const QRectF inside = QRectF(0, 0, size.captured(1).toDouble(), size.captured(2).toDouble())
                              .adjusted(margin, margin, -margin, -margin);
    for (const QRegularExpressionMatch& w : word.globalMatch(boxes)) {
        const QRectF box(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                         QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
        if (!inside.contains(box))
            QTest::qFail(qPrintable(w.captured(5) + QStringLiteral(" lies outside the margins")), __FILE__, __LINE__);
        QString text = w.captured(5);
        text.replace(QStringLiteral("&apos;"), QStringLiteral("'")).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words << text;
    }
    return words;
}

void PdfOutput(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

}  // namespace

class TestPrintCommand : public QObject {
    Q_OBJECT
private slots:
    void printsTheSummaryToPdf();
    void widestLinesFitThePage();
    void cancelledDialogPrintsNothing();
    void printDialogOffersNoRange();
    void printerThatCannotStartIsReported();
    void longPrintoutsGoOnToNewPages();
};

void TestPrintCommand::printsTheSummaryToPdf()
{
    ConfiguratorFixture f;
    f.configurator.setDriveVersion(QStringLiteral("1.05k"));
    PrintCommand print(nullptr, f.configurator, f.prompt);
    const QString pdf = f.path(QStringLiteral("summary.pdf"));
    print.setPrinterChooser([&](QPrinter& printer) {
        PdfOutput(printer, pdf);
        return true;
    });
    print.MenuPrint_Click();
    QVERIFY(f.prompt.messages.isEmpty());
    const QString text = PdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("KORV4 Configurator Setup")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Configurator Software Version: 1.0")));
    QVERIFY(text.contains(QStringLiteral("Drive Firmware Version: 1.05k")));
    QVERIFY(text.contains(QStringLiteral("Drive: KORV4-J")));
    QVERIFY(text.contains(QStringLiteral("Part number: KM-17-100")));  // the database's first motor
    QVERIFY(text.contains(QStringLiteral("Comm port 1")));
    // Plain letters, no ligatures: searching and copying find the words.
    QVERIFY(text.contains(QStringLiteral("Input Noise filter:")));
    QVERIFY(text.contains(QStringLiteral(".cnf file")));
    for (const QChar c : text)
        QVERIFY2(c.decompositionTag() != QChar::Compat, qPrintable(QStringLiteral("ligature U+%1").arg(c.unicode(), 4, 16)));
    QCOMPARE(PdfPages(pdf), 1);
    QVERIFY(!VerifyTextKeepsOffTheEdges(pdf).isEmpty());
}

void TestPrintCommand::widestLinesFitThePage()
{
    // The longest texts the settings can make still end inside the right
    // margin of A4, the narrower of A4 and Letter.
    ConfiguratorFixture f;
    Settings& s = f.configurator.settings();
    s.OperatingMode = 7;
    s.TxDelay = 32000;
    s.BitRateCode = 5;
    s.BrakeOutputMode = 1;
    s.BrakeReleaseDelay = 32000;
    s.BrakeEngageDelay = 32000;
    s.RegenResOhms = 999.999;
    s.RegenResWatts = 999.999;
    s.RegenResSecs = 0.333333333333333;
    s.UseCustomMotor = true;
    s.CustomMotorCurrent = 1.33333333333333;
    s.CustomMotorTorque = 1234.56789012345;
    s.CustomTorqueUnit = 4;
    s.CustomMotorInertia = 1234.56789012345;
    s.CustomInertiaUnit = 3;
    PrintCommand print(nullptr, f.configurator, f.prompt);
    const QString pdf = f.path(QStringLiteral("wide.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    PdfOutput(printer, pdf);
    QVERIFY(print.printOn(printer));
    // Nothing is cut off: every word of the summary is on the page, in order.
    const QStringList expected =
        PrintoutText(ComposePrintout(print.printoutInput())).split(QRegularExpression(QStringLiteral("\\s+")),
                                                                    Qt::SkipEmptyParts);
    QCOMPARE(VerifyTextKeepsOffTheEdges(pdf), expected);
}

void TestPrintCommand::cancelledDialogPrintsNothing()
{
    ConfiguratorFixture f;
    PrintCommand print(nullptr, f.configurator, f.prompt);
    const QString pdf = f.path(QStringLiteral("never.pdf"));
    print.setPrinterChooser([&](QPrinter& printer) {
        PdfOutput(printer, pdf);
        return false;
    });
    print.MenuPrint_Click();
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(f.prompt.messages.isEmpty());
}

// The print dialog as File, Print shows it, with its options opened: the
// summary is printed whole, so no control chooses part of it.
void TestPrintCommand::printDialogOffersNoRange()
{
    ConfiguratorFixture f;
    PrintCommand print(nullptr, f.configurator, f.prompt);
    QStringList seen;
    QStringList offered;
    bool allChosen = false;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            if (b->text().contains(QStringLiteral("Options")) && b->text().contains(QStringLiteral(">>")))
                b->click();
        }
        QCoreApplication::processEvents();
        for (const QString& name : SummaryPrintDialog::RangeChoices()) {
            QWidget* choice = dialog->findChild<QWidget*>(name);
            if (!choice)
                continue;
            seen << name;
            // As the dialog does when it updates its options.
            choice->setEnabled(true);
            if (choice->isEnabled() && choice->isVisibleTo(dialog))
                offered << name;
        }
        auto* all = dialog->findChild<QAbstractButton*>(QStringLiteral("printAll"));
        allChosen = all && all->isChecked() && all->isVisibleTo(dialog);
        dialog->reject();
    });
    poll.start();
    print.MenuPrint_Click();
    // The dialog's own controls were found, so the check looked at them.
    QVERIFY2(seen.contains(QStringLiteral("printRange")), qPrintable(seen.join(", ")));
    QVERIFY2(offered.isEmpty(), qPrintable(offered.join(", ")));
    QVERIFY(allChosen);
    QVERIFY(f.prompt.messages.isEmpty());
}

void TestPrintCommand::printerThatCannotStartIsReported()
{
    ConfiguratorFixture f;
    PrintCommand print(nullptr, f.configurator, f.prompt);
    QPrinter printer(QPrinter::HighResolution);
    PdfOutput(printer, f.path(QStringLiteral("no such folder/summary.pdf")));
    QVERIFY(!print.printOn(printer));
    QCOMPARE(f.prompt.messages.size(), 1);
    QCOMPARE(f.prompt.messages.first().title, QStringLiteral("KORV4 Configurator"));
    QVERIFY(f.prompt.messages.first().text.startsWith(QStringLiteral("Error printing")));
}

void TestPrintCommand::longPrintoutsGoOnToNewPages()
{
    QTemporaryDir dir;
    QList<PrintLine> lines;
    for (int i = 1; i <= 200; ++i)
        lines.append({i % 2 ? 2 : 6, QStringLiteral("line %1").arg(i), false});
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
    PdfOutput(printer, pdf);
    QVERIFY(RenderPrintout(printer, lines));
    QVERIFY(PdfPages(pdf) >= 2);
    QCOMPARE(VerifyTextKeepsOffTheEdges(pdf).size(), 400);
    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("line 200")));
    // Column 6 lies to the right of column 2.
    const QStringList rows = text.split(QLatin1Char('\n'));
    const auto indent = [&](const QString& item) -> qsizetype {
        for (const QString& row : rows) {
            if (row.trimmed() == item)
                return row.indexOf(item);
        }
        return -1;
    };
    QVERIFY(indent(QStringLiteral("line 1")) >= 0);
    QVERIFY(indent(QStringLiteral("line 2")) > indent(QStringLiteral("line 1")));
}

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
