#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class SettingsStore;

// A throw-away program folder for one test: its own message files, catalogues, modules and
// settings file, never the user's or the build's.
class TestProgramFolder {
public:
    TestProgramFolder();
    ~TestProgramFolder();

    QString path() const;             // without a trailing separator
    QString file(const QString& rel) const;
    QString settingsPath() const;     // a settings file beside the folder
    std::unique_ptr<SettingsStore> makeSettings() const;

    void write(const QString& rel, const QByteArray& bytes) const;
    QByteArray read(const QString& rel) const;

    // The shipped English message files and favourite verses.
    void installMessages() const;
    // "Books.txt" with the 66 books and six groups, or its first `lines` lines.
    void writeBooks(int lines = 72) const;
    void writeTranslations(const QByteArray& records) const;
    // The working folders, as a first start would make them.
    void makeFolders() const;
    // A small Bible: Genesis 1:1-3, 2:1-2, Exodus 1:1, Matthew 1:1-2, John 3:16, Revelation 22:21.
    void addSmallBible(const QString& code) const;
    // Everything a normal start needs: messages, folders, books, one Bible "b_tst".
    void makeStandard() const;

    static QByteArray bibleLine(int running, int book, int chapter, int verse,
                                const QByteArray& text);
    static QByteArray smallBibleText();

private:
    QTemporaryDir m_dir;
};
