#include "diary/EntryExtras.h"

#include "platform/Win1252.h"

#include <QList>

namespace {

// Splits the line the way it was written: a field in double quotes runs to its closing
// quote, any other field to the next comma.
QList<QByteArray> fields(const QByteArray& line) {
    QList<QByteArray> out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && out.size() < 8) {
        while (i < n && line.at(i) == ' ')
            ++i;
        QByteArray field;
        if (i < n && line.at(i) == '"') {
            const qsizetype close = line.indexOf('"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = line.mid(i + 1, end - i - 1);
            i = close < 0 ? n : close + 1;
            const qsizetype comma = line.indexOf(',', i);
            i = comma < 0 ? n : comma + 1;
        } else {
            const qsizetype comma = line.indexOf(',', i);
            const qsizetype end = comma < 0 ? n : comma;
            field = line.mid(i, end - i).trimmed();
            i = comma < 0 ? n : comma + 1;
        }
        out.append(field);
    }
    return out;
}

// A number field: its whole value or 0.
qint64 number(const QByteArray& field, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 v = field.trimmed().toLongLong(&ok);
    return ok && v >= low && v <= high ? v : 0;
}

} // namespace

QByteArray EntryExtras::toLine() const {
    QByteArray line;
    line += '"' + Win1252::encode(heading) + "\",\"" + Win1252::encode(answer) + '"';
    for (quint8 m : marks)
        line += ',' + QByteArray::number(m);
    line += ',' + QByteArray::number(background) + "\r\n";
    return line;
}

int EntryExtras::readLine(const QByteArray& text) {
    QByteArray line = text;
    const qsizetype end = line.indexOf('\n');
    if (end >= 0)
        line.truncate(end);
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.trimmed().isEmpty())
        return 0;
    const QList<QByteArray> f = fields(line);
    if (f.size() > 0)
        heading = Win1252::decode(f.at(0));
    if (f.size() > 1)
        answer = Win1252::decode(f.at(1));
    for (int k = 0; k < kMarks && k + 2 < f.size(); ++k)
        marks[size_t(k)] = quint8(number(f.at(k + 2), 1, kPictures));
    if (f.size() > 7)
        background = qint32(number(f.at(7), -2147483647LL - 1, 2147483647LL));
    return int(f.size());
}

bool EntryExtras::StorableLabel(const QString& text) {
    bool lossless = false;
    Win1252::encode(text, &lossless);
    return lossless && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
           !text.contains(QLatin1Char('\r')) && text != QLatin1String("0");
}
