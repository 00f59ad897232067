#pragma once
#include <QByteArray>
#include <QString>
#include <array>

// The extras of a diary entry, kept beside it in its ".PE" file as one quoted
// comma-separated line: heading, answer state, five picture marks, background colour.
//     "Thanksgiving","Answered Prayer",3,0,0,0,0,16777215
struct EntryExtras {
    static constexpr int kMarks = 5;
    static constexpr int kPictures = 24;
    static constexpr qint32 kWhite = 16777215;

    QString heading;
    QString answer;
    std::array<quint8, kMarks> marks{};
    qint32 background = kWhite; // a Windows colour value; negative: a system colour

    // The line with its CR LF, in Windows-1252.
    QByteArray toLine() const;
    // Reads the fields in order and returns how many were present; the remaining members
    // keep their values. A mark outside 1-24 and a field that does not read as a number
    // count as 0.
    int readLine(const QByteArray& line);

    // Headings and answer states that the line can carry back unchanged: Windows-1252, no
    // double quote or line end, and not "0", which the stored lists use for "no entry".
    static bool StorableLabel(const QString& text);
};
