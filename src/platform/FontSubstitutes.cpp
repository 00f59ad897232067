#include "platform/FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace FontSubstitutes {

void install() {
    static const char* const pairs[][2] = {{"Times New Roman", "Liberation Serif"},
                                           {"Arial", "Liberation Sans"},
                                           {"Courier New", "Liberation Mono"}};
    const QStringList installed = QFontDatabase::families();
    for (const auto& pair : pairs) {
        const QString face = QString::fromLatin1(pair[0]);
        const QString substitute = QString::fromLatin1(pair[1]);
        if (!installed.contains(face, Qt::CaseInsensitive) &&
            installed.contains(substitute, Qt::CaseInsensitive) &&
            !QFont::substitutes(face).contains(substitute))
            QFont::insertSubstitution(face, substitute);
    }
}

} // namespace FontSubstitutes
