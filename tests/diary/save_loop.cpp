// Saves entries in an endless loop, each time with a higher version number in its text, so
// that the crash test can kill it at any moment. Usage: diary_save_loop FOLDER START
#include "diary/DiaryFolder.h"

#include <QByteArray>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const DiaryFolder folder(QString::fromLocal8Bit(argv[1]));
    std::fputs("ready\n", stdout); // the test kills from now on
    std::fflush(stdout);
    for (long version = std::atol(argv[2]);; ++version) {
        for (int day = 1; day <= 4; ++day) {
            const QString name = QStringLiteral("202401%1").arg(day, 2, 10, QLatin1Char('0'));
            // Entries of different lengths, so a torn write would show.
            const QByteArray text = "{\\rtf1\\ansi entry " + name.toLatin1() + " version " +
                                    QByteArray::number(qlonglong(version)) + ' ' +
                                    QByteArray(int(version % 7) * 300 + day * 50, 'a') + "}";
            EntryExtras extras;
            extras.heading = QStringLiteral("version %1").arg(version);
            if (!folder.Save(name, text, extras))
                return 1;
        }
    }
}
