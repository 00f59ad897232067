// Feeds arbitrary bytes to the help-file reader as a ".chm" file: opening, the system record,
// the list of objects, the start page, every page, the table of contents and its parse.
// chmlib reads from a file name, so each input is written to a file of this process first.
#include "media/ChmContents.h"
#include "media/ChmFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {
QString inputPath() {
    static const QString path =
        QStringLiteral("/dev/shm/chm_fuzz_%1.chm").arg(QString::number(getpid()));
    return path;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication* app = new QCoreApplication(*argc, *argv); // lives for the run
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        QFile f(inputPath());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    ChmFile chm;
    if (!chm.open(inputPath()))
        return 0;
    QByteArray bytes;
    if (chm.read(chm.homePage(), bytes))
        (void)ChmFile::decodePage(bytes).size();
    int pages = 0;
    for (const QString& page : chm.pages()) {
        if (++pages > 32)
            break;
        chm.read(page, bytes);
    }
    if (!chm.contentsFile().isEmpty() && chm.read(chm.contentsFile(), bytes))
        (void)ChmContents::parse(ChmFile::decodePage(bytes)).size();
    return 0;
}
