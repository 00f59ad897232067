#include "DiaryFixture.h"

#include "diary/EncryptDecrypt.h"

#include <QDir>
#include <QFile>

DiaryFixture::DiaryFixture()
    : settings(folder.makeSettings()), state(*settings, dialogs), print(state) {
    folder.installMessages();
    const QString pictures =
        QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/diary");
    QDir().mkpath(folder.file(QStringLiteral("diary")));
    for (const QString& name : QDir(pictures).entryList(QDir::Files))
        QFile::copy(pictures + QLatin1Char('/') + name,
                    folder.file(QStringLiteral("diary/") + name));
    state.programDir = folder.path();
    state.ProgramFolder = folder.path() + QLatin1Char('/');
    state.MessageFolder = state.ProgramFolder + QStringLiteral("msg/");
    state.ModulePath = state.ProgramFolder + QStringLiteral("Modules/");
    state.PrayersPath = state.ModulePath + QStringLiteral("Prayers/");
    QDir().mkpath(state.PrayersPath);
}

QString DiaryFixture::identityFolder(const QString& name) const {
    return state.PrayersPath + name + QLatin1Char('/');
}

void DiaryFixture::storeIdentities(const QStringList& names, const QString& defaultName,
                                   const QStringList& passwords) {
    const QString section = QStringLiteral("Identity");
    settings->deleteSection(section);
    for (int i = 0; i < names.size(); ++i) {
        const QString password = passwords.value(i);
        settings->write(section, QString::number(i), names.at(i));
        settings->write(section, QStringLiteral("Password%1").arg(i),
                        password.isEmpty() ? QStringLiteral("5190372")
                                           : EncryptDecrypt::EncipherPassword(password));
        settings->write(section, QStringLiteral("Password Protected%1").arg(i),
                        password.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
    }
    settings->write(section, QStringLiteral("Default"), defaultName);
}

void DiaryFixture::writeEntry(const QString& identity, const QString& day, const QByteArray& rtf,
                              const QByteArray& extrasLine) {
    QDir().mkpath(identityFolder(identity));
    QFile px(identityFolder(identity) + day + QStringLiteral(".Px"));
    px.open(QIODevice::WriteOnly);
    px.write(referenceTransform(rtf));
    px.close();
    if (!extrasLine.isEmpty()) {
        QFile pe(identityFolder(identity) + day + QStringLiteral(".PE"));
        pe.open(QIODevice::WriteOnly);
        pe.write(extrasLine);
    }
}

QStringList DiaryFixture::files(const QString& identity) const {
    return QDir(identityFolder(identity)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray DiaryFixture::referenceTransform(const QByteArray& bytes) {
    // E[i] = B[i] XOR K[(i mod 29) + 1] for positions i = 1 ... n, K numbered from 1.
    const QByteArray key(" 5QAZWSXEDCRFVTGBYHNUJMIKOLP2");
    QByteArray out(bytes.size(), '\0');
    for (qsizetype i = 1; i <= bytes.size(); ++i)
        out[i - 1] = char(bytes.at(i - 1) ^ key.at(((i % 29) + 1) - 1));
    return out;
}

QByteArray DiaryFixture::simpleRtf(const QByteArray& text) {
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs24 " + text + "\\par}";
}
