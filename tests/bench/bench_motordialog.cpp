// Times the motor dialog with a large motor database: its first opening up
// to the moment it is painted, and the drop-down of its motor list.

#include "BenchTools.h"

#include "LinkStack.h"
#include "MainForm.h"
#include "MemorySerialPort.h"
#include "MotorDialog.h"
#include "MotorStore.h"
#include "SettingsDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Motors = 10000;
constexpr int Runs = 5;

// A database of `motors` motors, filled in one transaction.
bool makeDatabase(const QString& path, int motors)
{
    if (!MotorStore::create(path))
        return false;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dialog bench"));
        db.setDatabaseName(path);
        ok = db.open() && db.transaction();
        QSqlQuery q(db);
        ok = ok && q.prepare(QStringLiteral("INSERT INTO \"motor params\" (\"part number\", \"PartNoX\", \"current\", "
                                            "\"Torque\", \"inertia\", \"InertiaUnit\") VALUES (?, ?, ?, ?, ?, 1)"));
        for (int i = 0; ok && i < motors; ++i) {
            // Part numbers of differing lengths, as a real list has them.
            const QString part = QStringLiteral("KV%1-S%2%3")
                                     .arg(17 + i % 7 * 6)
                                     .arg(i, 5, 10, QLatin1Char('0'))
                                     .arg(QStringLiteral("ABCDEFG").left(i % 8));
            q.addBindValue(part);
            q.addBindValue(part);
            q.addBindValue(1.0 + i % 50 / 10.0);
            q.addBindValue(50.0 + i % 300);
            q.addBindValue(100.0 + i % 900);
            ok = q.exec();
        }
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("dialog bench"));
    return ok;
}

// Notes when a widget has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Runs the event loop until the watched widget has been painted; false
// after 5 s.
bool waitPainted(PaintWatch& watch)
{
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return watch.painted;
}

struct Figures {
    double open = 0;
    double dropDown = 0;
    bool ok = false;
};

// One program start on the database: the main window loaded (the motor
// dialog with it), then the Motor button's opening and the list's drop-down.
Figures runOnce(const QString& database)
{
    Figures f;
    LinkStack<MemorySerialPort> stack;
    stack.port.missingPorts = {1, 2, 3, 4, 5, 6, 7, 8};
    if (!stack.cfg.openMotorDatabase(database))
        return f;
    MainForm main(stack.cfg, stack.link, stack.queries, stack.transfer, QCoreApplication::applicationDirPath());
    SettingsDialogs dialogs(stack.cfg, main, stack.transfer);
    main.Form_Load();
    MotorDialog& dialog = dialogs.motorDialog();
    if (dialog.isVisible())
        return f;

    PaintWatch painted;
    dialog.installEventFilter(&painted);
    QElapsedTimer clock;
    clock.start();
    main.hooks().showMotorDialog();
    const bool shown = waitPainted(painted);
    f.open = clock.nsecsElapsed() / 1e6;

    auto* list = dialog.findChild<QComboBox*>(QStringLiteral("MotorList"));
    PaintWatch popupPainted;
    list->view()->viewport()->installEventFilter(&popupPainted);
    clock.restart();
    list->showPopup();
    const bool dropped = waitPainted(popupPainted);
    f.dropDown = clock.nsecsElapsed() / 1e6;
    list->hidePopup();
    dialog.hide();
    f.ok = shown && dropped && list->count() == Motors;
    return f;
}

}  // namespace

void BenchMotorDialog()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("motors.db"));
    std::printf("\nMotor dialog with %d motors, %d program starts\n", Motors, Runs);
    if (!makeDatabase(path, Motors)) {
        std::printf("could not build the motor database\n");
        return;
    }
    std::vector<double> open, drop;
    bool ok = true;
    for (int i = 0; i < Runs; ++i) {
        const Figures f = runOnce(path);
        ok = ok && f.ok;
        open.push_back(f.open);
        drop.push_back(f.dropDown);
    }
    auto show = [&](const char* what, std::vector<double>& ms, double goal) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-34s best %8.3f ms  median %8.3f ms  worst %8.3f ms  (goal: under %.0f ms)%s\n", what,
                    ms.front(), ms[ms.size() / 2], ms.back(), goal, ok ? "" : "  (FAILED)");
    };
    show("first opening, to painted", open, 50);
    show("motor list drop-down, to painted", drop, 20);
}
