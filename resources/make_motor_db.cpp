// Placeholder until the motor database builder lands.
#include <QFile>
int main(int argc, char* argv[])
{
    if (argc < 3)
        return 2;
    QFile f(QString::fromLocal8Bit(argv[2]));
    return f.open(QIODevice::WriteOnly) ? 0 : 1;
}
