#include "ComPorts.h"

#include <QByteArray>

void PointComPortsAt(const QString& com1)
{
    qputenv("KORV4_COM1", com1.toLocal8Bit());
    for (int n = 2; n <= 8; ++n)
        qputenv(qPrintable(QStringLiteral("KORV4_COM%1").arg(n)),
                QByteArray("/nonexistent/korv4-com") + QByteArray::number(n));
}

void ForgetComPorts()
{
    for (int n = 1; n <= 8; ++n)
        qunsetenv(qPrintable(QStringLiteral("KORV4_COM%1").arg(n)));
}
