#pragma once
#include <QPair>
#include <QString>
#include <QTemporaryDir>
#include <QVector>

// A SWORD folder ("mods.d" and "modules") in a temporary directory, with small modules
// written by libsword's own module writers, so that tests control every entry.
class SwordTestFolder {
public:
    using Entries = QVector<QPair<QString, QString>>; // key ("Gen 1:1", "AARON"), markup

    SwordTestFolder();
    QString path() const { return m_dir.path(); }

    // compressed: zText with book blocks (as Debian's Bibles), otherwise RawText.
    // conf: extra configuration lines ("Versification=NRSVA\n").
    void addBible(const QString& name, const Entries& verses, const QString& language = "en",
                  bool compressed = false, const QString& conf = QString());
    void addCommentary(const QString& name, const Entries& entries,
                       const QString& conf = QString());
    void addDictionary(const QString& name, const Entries& entries,
                       const QString& conf = QString());

    // The folder of a module's data files.
    QString dataFolder(const QString& name) const;
    QString confPath(const QString& name) const;

private:
    void writeConf(const QString& name, const QString& lines) const;
    QTemporaryDir m_dir;
};
