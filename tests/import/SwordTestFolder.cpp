#include "SwordTestFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <rawcom.h>
#include <rawld.h>
#include <rawtext.h>
#include <versekey.h>
#include <zipcomprs.h>
#include <ztext.h>

namespace {

template <typename Module>
void writeVerses(Module& module, const SwordTestFolder::Entries& entries,
                 const char* v11n = "KJV") {
    sword::VerseKey key;
    key.setVersificationSystem(v11n);
    key.setIntros(true);
    for (const auto& e : entries) {
        key.setText(e.first.toUtf8().constData());
        module.setKey(key);
        module.setEntry(e.second.toUtf8().constData());
    }
}

// The versification a configuration names ("KJV" when it names none).
QByteArray versificationOf(const QString& conf) {
    for (const QString& line : conf.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Versification=")))
            return line.mid(14).trimmed().toUtf8();
    return "KJV";
}

} // namespace

SwordTestFolder::SwordTestFolder() {
    QDir(path()).mkpath(QStringLiteral("mods.d"));
    QDir(path()).mkpath(QStringLiteral("modules"));
}

QString SwordTestFolder::confPath(const QString& name) const {
    return path() + QStringLiteral("/mods.d/") + name.toLower() + QStringLiteral(".conf");
}

QString SwordTestFolder::dataFolder(const QString& name) const {
    return path() + QStringLiteral("/modules/") + name.toLower();
}

void SwordTestFolder::writeConf(const QString& name, const QString& lines) const {
    QFile f(confPath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("[%1]\nDataPath=./modules/%2/\nDescription=%1 test module\n")
                .arg(name, name.toLower())
                .toUtf8() +
            lines.toUtf8());
}

void SwordTestFolder::addBible(const QString& name, const Entries& verses, const QString& language,
                               bool compressed, const QString& conf) {
    const QString folder = dataFolder(name) + QLatin1Char('/');
    QDir().mkpath(folder);
    const QByteArray p = QFile::encodeName(folder);
    const QByteArray v11n = versificationOf(conf);
    if (compressed) {
        sword::zText::createModule(p.constData(), BOOKBLOCKS, v11n.constData());
        sword::zText module(p.constData(), nullptr, nullptr, BOOKBLOCKS, new sword::ZipCompress(),
                            nullptr, sword::ENC_UNKNOWN, sword::DIRECTION_LTR, sword::FMT_UNKNOWN,
                            nullptr, v11n.constData());
        writeVerses(module, verses, v11n.constData());
    } else {
        sword::RawText::createModule(p.constData(), v11n.constData());
        sword::RawText module(p.constData(), nullptr, nullptr, nullptr, sword::ENC_UNKNOWN,
                              sword::DIRECTION_LTR, sword::FMT_UNKNOWN, nullptr, v11n.constData());
        writeVerses(module, verses, v11n.constData());
    }
    writeConf(name, QStringLiteral("ModDrv=%1\nSourceType=OSIS\nEncoding=UTF-8\nLang=%2\n%3")
                        .arg(compressed ? QStringLiteral("zText\nCompressType=ZIP\nBlockType=BOOK")
                                        : QStringLiteral("RawText"),
                             language, conf));
}

void SwordTestFolder::addCommentary(const QString& name, const Entries& entries,
                                    const QString& conf) {
    const QString folder = dataFolder(name) + QLatin1Char('/');
    QDir().mkpath(folder);
    const QByteArray p = QFile::encodeName(folder);
    sword::RawCom::createModule(p.constData());
    sword::RawCom module(p.constData());
    writeVerses(module, entries);
    writeConf(name,
              QStringLiteral("ModDrv=RawCom\nSourceType=OSIS\nEncoding=UTF-8\nLang=en\n") + conf);
}

void SwordTestFolder::addDictionary(const QString& name, const Entries& entries,
                                    const QString& conf) {
    const QString folder = dataFolder(name);
    QDir().mkpath(folder);
    const QByteArray p = QFile::encodeName(folder + QStringLiteral("/dict"));
    // What RawLD::createModule makes, without the few bytes it forgets to free: two empty files.
    for (const char* extension : {".idx", ".dat"}) {
        QFile file(folder + QStringLiteral("/dict") + QLatin1String(extension));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    sword::RawLD module(p.constData());
    for (const auto& e : entries) {
        module.setKey(e.first.toUtf8().constData());
        module.setEntry(e.second.toUtf8().constData());
    }
    writeConf(name,
              QStringLiteral("ModDrv=RawLD\nSourceType=TEI\nEncoding=UTF-8\nLang=en\n") + conf);
    // A dictionary's DataPath names the files' prefix, not a folder.
    QFile f(confPath(name));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray text = f.readAll();
    f.close();
    text.replace("DataPath=./modules/" + name.toLower().toUtf8() + "/",
                 "DataPath=./modules/" + name.toLower().toUtf8() + "/dict");
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}
