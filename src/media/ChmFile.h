#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

struct chmFile;

// A compiled HTML help file, read in place (nothing is written to disk): its pages, pictures
// and the few facts its "#SYSTEM" record gives (title, start page, table of contents).
class ChmFile {
public:
    enum class Failure { None, Missing, NotHelpFile, NoPages };

    ChmFile();
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    // Opens the file and reads its system record and list of pages. False, with the reason,
    // when it is missing, not a compiled help file (or too damaged to read), or holds no page.
    bool open(const QString& path);
    Failure failure() const { return m_failure; }
    bool isOpen() const { return m_handle != nullptr; }

    // The object at an archive path ("/book01.htm"; letter case does not matter). False when
    // it is not there, cannot be read or is larger than kMaxObjectBytes.
    bool read(const QString& archivePath, QByteArray& out) const;
    bool contains(const QString& archivePath) const;

    QString title() const { return m_title; }
    // The page shown first: the start page the file names, or else its first page.
    QString homePage() const { return m_home; }
    // The table of contents (".hhc") the file names, or else the first one it holds; empty
    // when it has none.
    QString contentsFile() const { return m_contents; }
    // Every page (".htm", ".html") in archive order.
    const QStringList& pages() const { return m_pages; }

    static constexpr qint64 kMaxObjectBytes = 32 * 1024 * 1024;

    // A page's text: the character set its header names (UTF-8 or a single-byte set), with
    // Windows-1252 when it names none, as compiled help files are written.
    static QString decodePage(const QByteArray& bytes);

private:
    static bool structureIsSound(const QString& path);
    void readSystemRecord();
    void listObjects();

    struct chmFile* m_handle = nullptr;
    Failure m_failure = Failure::Missing;
    QString m_title, m_home, m_contents;
    QStringList m_pages;
    int m_objects = 0; // objects the archive lists, pages or not
};
