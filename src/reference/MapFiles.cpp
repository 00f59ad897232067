#include "reference/MapFiles.h"

#include "library/FileFunctions.h"
#include "library/ProgramState.h"

#include <QImageReader>
#include <algorithm>

namespace MapFiles {

bool IsMapName(const QString& fileName) {
    for (const char* ext : {".jpg", ".bmp", ".gif"})
        if (fileName.endsWith(QLatin1String(ext), Qt::CaseInsensitive) && fileName.size() > 4)
            return true;
    return false;
}

QStringList List(const ProgramState& state) {
    QStringList out;
    for (const QString& name : state.Folders.moduleFiles(state.MapsFolder, QStringLiteral("*")))
        if (IsMapName(name))
            out.append(name);
    // The user's maps and the shipped ones in one order.
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return out;
}

QString Title(const QString& fileName) {
    return fileName.section(QLatin1Char('.'), 0, 0);
}

QImage Load(const ProgramState& state, const QString& fileName) {
    if (!IsMapName(fileName) || fileName.contains(QLatin1Char('/')) ||
        fileName.contains(QLatin1Char('\\')))
        return {};
    // The content decides the format, so a map saved under the wrong extension still shows.
    QImageReader reader(FileFunctions::resolve(state.Folders.moduleFile(state.MapsFolder, fileName)));
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

} // namespace MapFiles
