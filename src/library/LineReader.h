#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

// Reads a text file line by line as bytes. Accepts CR LF and LF-only line ends and a last
// line without an end. Tracks byte positions so index builders know where each line starts.
class LineReader {
public:
    explicit LineReader(const QString& path);
    bool isOpen() const { return m_open; }
    // False at the end of the file. The line excludes its line end.
    bool readLine(QByteArray& line);
    // 0-based byte position of the next unread byte.
    qint64 position() const { return m_consumed; }
    bool atEnd();

private:
    bool fill();
    QFile m_file;
    QByteArray m_buffer;
    int m_pos = 0;
    qint64 m_consumed = 0;
    bool m_open = false;
    bool m_eof = false;
};
