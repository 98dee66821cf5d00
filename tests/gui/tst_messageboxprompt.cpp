#include "MessageBoxPrompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QtTest>

Q_DECLARE_METATYPE(Prompt::Icon)
Q_DECLARE_METATYPE(Prompt::Buttons)
Q_DECLARE_METATYPE(Prompt::Answer)

// The program's prompt: a message box with the title, text, icon and
// buttons asked for, answering with the button pressed.
class TestMessageBoxPrompt : public QObject {
    Q_OBJECT
private slots:
    void box_data()
    {
        QTest::addColumn<Prompt::Icon>("icon");
        QTest::addColumn<Prompt::Buttons>("buttons");
        QTest::addColumn<int>("press");  // a QMessageBox::StandardButton, 0: close the box
        QTest::addColumn<int>("boxIcon");
        QTest::addColumn<int>("boxButtons");
        QTest::addColumn<Prompt::Answer>("answer");
        const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("no icon, OK") << Prompt::Icon::None << Prompt::Buttons::Ok << int(QMessageBox::Ok)
                                     << int(QMessageBox::NoIcon) << int(QMessageBox::Ok) << Prompt::Answer::Ok;
        QTest::newRow("information") << Prompt::Icon::Information << Prompt::Buttons::Ok << int(QMessageBox::Ok)
                                     << int(QMessageBox::Information) << int(QMessageBox::Ok) << Prompt::Answer::Ok;
        QTest::newRow("exclamation") << Prompt::Icon::Exclamation << Prompt::Buttons::Ok << int(QMessageBox::Ok)
                                     << int(QMessageBox::Warning) << int(QMessageBox::Ok) << Prompt::Answer::Ok;
        QTest::newRow("stop") << Prompt::Icon::Stop << Prompt::Buttons::Ok << int(QMessageBox::Ok)
                              << int(QMessageBox::Critical) << int(QMessageBox::Ok) << Prompt::Answer::Ok;
        QTest::newRow("question, OK") << Prompt::Icon::Question << Prompt::Buttons::OkCancel << int(QMessageBox::Ok)
                                      << int(QMessageBox::Question) << okCancel << Prompt::Answer::Ok;
        QTest::newRow("question, Cancel") << Prompt::Icon::Question << Prompt::Buttons::OkCancel
                                          << int(QMessageBox::Cancel) << int(QMessageBox::Question) << okCancel
                                          << Prompt::Answer::Cancel;
        QTest::newRow("closed: Cancel") << Prompt::Icon::Question << Prompt::Buttons::OkCancel << 0
                                        << int(QMessageBox::Question) << okCancel << Prompt::Answer::Cancel;
        QTest::newRow("Yes") << Prompt::Icon::Question << Prompt::Buttons::YesNo << int(QMessageBox::Yes)
                             << int(QMessageBox::Question) << yesNo << Prompt::Answer::Yes;
        QTest::newRow("No") << Prompt::Icon::Question << Prompt::Buttons::YesNo << int(QMessageBox::No)
                            << int(QMessageBox::Question) << yesNo << Prompt::Answer::No;
        QTest::newRow("closed: No") << Prompt::Icon::Question << Prompt::Buttons::YesNo << 0
                                    << int(QMessageBox::Question) << yesNo << Prompt::Answer::No;
    }
    void box()
    {
        QFETCH(Prompt::Icon, icon);
        QFETCH(Prompt::Buttons, buttons);
        QFETCH(int, press);
        QFETCH(int, boxIcon);
        QFETCH(int, boxButtons);
        QFETCH(Prompt::Answer, answer);

        QString seenTitle, seenText;
        int seenIcon = -1, seenButtons = -1;
        bool selectable = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            seenButtons = int(box->standardButtons());
            selectable = box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
            if (press)
                box->button(QMessageBox::StandardButton(press))->click();
            else
                box->reject();
        });
        MessageBoxPrompt prompt;
        QCOMPARE(prompt.ask("Quit", "Do you really want to quit?", icon, buttons), answer);
        QCOMPARE(seenTitle, QStringLiteral("Quit"));
        QCOMPARE(seenText, QStringLiteral("Do you really want to quit?"));
        QCOMPARE(seenIcon, boxIcon);
        QCOMPARE(seenButtons, boxButtons);
        // The text can be copied out of the box.
        QVERIFY(selectable);
    }
};

QTEST_MAIN(TestMessageBoxPrompt)
#include "tst_messageboxprompt.moc"
