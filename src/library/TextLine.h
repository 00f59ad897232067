#pragma once
#include <QByteArrayView>

// One line of a Bible or commentary text, "running<TAB>book<TAB>chapter<TAB>verse<TAB>text",
// split strictly for the readers that show single chapters and verses: a line whose book,
// chapter or verse is not a plain whole number is refused rather than read as 0, so that a
// damaged line can never pass for a verse of another chapter.
struct TextLine {
    int book = 0;
    int chapter = 0;
    int verse = 0;
    QByteArrayView chapterText; // the chapter field as written
    QByteArrayView text;        // everything after the fourth tab

    // False, with every field reset, when the line is not a verse line.
    bool parse(QByteArrayView line) {
        *this = TextLine();
        qsizetype tabs[4];
        qsizetype at = 0;
        for (qsizetype& t : tabs) {
            while (at < line.size() && line[at] != '\t')
                ++at;
            if (at == line.size())
                return false;
            t = at++;
        }
        const QByteArrayView chapterField = line.sliced(tabs[1] + 1, tabs[2] - tabs[1] - 1);
        if (!number(line.sliced(tabs[0] + 1, tabs[1] - tabs[0] - 1), book) ||
            !number(chapterField, chapter) ||
            !number(line.sliced(tabs[2] + 1, tabs[3] - tabs[2] - 1), verse)) {
            *this = TextLine();
            return false;
        }
        chapterText = chapterField.trimmed();
        text = line.sliced(tabs[3] + 1);
        return true;
    }

private:
    // Digits with blanks around them, at most five of them (the fields never pass 255).
    static bool number(QByteArrayView field, int& out) {
        field = field.trimmed();
        if (field.isEmpty() || field.size() > 5)
            return false;
        int v = 0;
        for (char c : field) {
            if (c < '0' || c > '9')
                return false;
            v = v * 10 + (c - '0');
        }
        out = v;
        return true;
    }
};
