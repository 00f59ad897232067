#include "library/VerseIndex.h"

#include "library/ByteLines.h"
#include "library/Catalogues.h"
#include "library/FileFunctions.h"
#include "library/LineBreaks.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <limits>

namespace VerseIndex {

namespace {

namespace Err = TolvaneRoutines::ErrorNumber;

const QString kCreateContext = QStringLiteral("Create Index File");
const QString kLoadContext = QStringLiteral("LoadIndexFile");

// Numbers as the text files hold them: surrounding blanks allowed, nothing else.
enum class Conversion { Ok, NotNumeric, OutOfRange };

Conversion toInteger(const QByteArray& text, qint64 low, qint64 high, qint64& out) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok)
        return Conversion::NotNumeric;
    if (v < low || v > high)
        return Conversion::OutOfRange;
    out = v;
    return Conversion::Ok;
}

int errorFor(Conversion c) { return c == Conversion::NotNumeric ? Err::TypeMismatch : Err::Overflow; }

// A field of a text line; the common case, plain digits, converts without the general rules
// and without a copy.
Conversion fieldToInteger(QByteArrayView field, qint64 low, qint64 high, qint64& out) {
    if (field.isEmpty() || field.size() > 9)
        return toInteger(field.toByteArray(), low, high, out);
    qint64 v = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return toInteger(field.toByteArray(), low, high, out);
        v = v * 10 + (c - '0');
    }
    if (v < low || v > high)
        return Conversion::OutOfRange;
    out = v;
    return Conversion::Ok;
}

// The four leading fields of a verse line; book and chapter stay as written.
struct LineFields {
    qint64 running = 0;
    QByteArrayView book;
    QByteArrayView chapter;
};

int splitVerseLine(QByteArrayView line, LineFields& f) {
    // The leading fields are short: a plain scan beats a library call per tab.
    qsizetype tabs[4];
    qsizetype at = 0;
    for (qsizetype& t : tabs) {
        while (at < line.size() && line[at] != '\t')
            ++at;
        if (at == line.size())
            return Err::InvalidArgument;
        t = at++;
    }
    const Conversion running =
        fieldToInteger(line.first(tabs[0]), std::numeric_limits<qint32>::min(),
                       std::numeric_limits<qint32>::max(), f.running);
    if (running != Conversion::Ok)
        return errorFor(running);
    f.book = line.sliced(tabs[0] + 1, tabs[1] - tabs[0] - 1);
    f.chapter = line.sliced(tabs[1] + 1, tabs[2] - tabs[1] - 1);
    qint64 verse = 0;
    const Conversion v =
        fieldToInteger(line.sliced(tabs[2] + 1, tabs[3] - tabs[2] - 1), 0, 255, verse);
    return v == Conversion::Ok ? 0 : errorFor(v);
}

QByteArray indexLine(qint64 first, qint64 last, QByteArrayView book, QByteArrayView chapter,
                     int count, qint64 start, qint64 end) {
    QByteArray line = QByteArray::number(first) + ',' + QByteArray::number(last) + ',';
    line.append(book).append(',').append(chapter).append(',');
    return line + QByteArray::number(count) + ',' + QByteArray::number(start) + ',' +
           QByteArray::number(end) + "\r\n";
}

// The lines of a whole text read at once: CR LF or LF alone, the last line with or without
// its end. position() is the 0-based offset of the next line.
class TextLines {
public:
    explicit TextLines(const QByteArray& bytes)
        : m_bytes(bytes), m_breaks(bytes.constData(), bytes.size()) {}
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    qint64 position() const { return m_pos; }
    QByteArrayView next() {
        const qsizetype nl = m_breaks.next(m_pos);
        qsizetype end = nl < 0 ? m_bytes.size() : nl;
        const qsizetype start = m_pos;
        m_pos = nl < 0 ? m_bytes.size() : nl + 1;
        if (end > start && m_bytes.at(end - 1) == '\r')
            --end;
        return QByteArrayView(m_bytes).sliced(start, end - start);
    }

private:
    const QByteArray& m_bytes;
    LineBreaks m_breaks;
    qsizetype m_pos = 0;
};

// Seven comma-separated numbers, read in place: an index is loaded on every change of
// translation, so its thousand records are not copied field by field.
bool parseRecord(QByteArrayView line, VerseIndexEntry& e) {
    qint64 v[7];
    const qint64 lows[7] = {-32768, -32768, 0, 0, 0, std::numeric_limits<qint32>::min(),
                            std::numeric_limits<qint32>::min()};
    const qint64 highs[7] = {32767, 32767, 255, 255, 255, std::numeric_limits<qint32>::max(),
                             std::numeric_limits<qint32>::max()};
    qsizetype at = 0;
    for (int i = 0; i < 7; ++i) {
        qsizetype comma = line.indexOf(',', at);
        if ((comma < 0) != (i == 6))
            return false; // fewer or more than seven fields
        if (comma < 0)
            comma = line.size();
        if (fieldToInteger(line.sliced(at, comma - at), lows[i], highs[i], v[i]) !=
            Conversion::Ok)
            return false;
        at = comma + 1;
    }
    e = VerseIndexEntry{qint16(v[0]), qint16(v[1]), quint8(v[2]), quint8(v[3]),
                        quint8(v[4]), qint32(v[5]), qint32(v[6])};
    return true;
}

// The index's records (views into bytes), without the empty piece after the final line end.
QList<QByteArrayView> indexRecords(const QByteArray& bytes) {
    QList<QByteArrayView> lines;
    forEachLine(bytes, [&lines](QByteArrayView line) { lines.append(line); });
    return lines;
}

// Hand-edited texts may end some lines with LF alone; the copies always use CR LF.
void toCrLf(QByteArray& bytes) {
    qsizetype nl = bytes.indexOf('\n');
    while (nl > 0 && bytes.at(nl - 1) == '\r')
        nl = bytes.indexOf('\n', nl + 1);
    if (nl < 0)
        return;
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 32);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\n' && (i == 0 || bytes.at(i - 1) != '\r'))
            out += '\r';
        out += bytes.at(i);
    }
    bytes = out;
}

// A file that could not be written, as the user is told: its path and the system's reason.
QString writeFailureText(const QString& path, const QFileDevice& file) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
}

// A scratch copy is written as a new file: the old one is removed first rather than emptied,
// since the file system flushes a file emptied and written again to disk when it is closed,
// which costs milliseconds on every copy.
bool openFresh(QFile& out, const QString& target) {
    out.setFileName(FileFunctions::resolve(target));
    QFile::remove(out.fileName());
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

// Writes the byte range [start, end) (1-based) of the source as whole lines ended by CR LF.
// The target is truncated first, so a failed copy never leaves an older copy behind.
bool copyRange(const QString& source, qint64 start, qint64 end, const QString& target,
               QString* writeFailure = nullptr) {
    QFile out;
    if (!openFresh(out, target)) {
        if (writeFailure)
            *writeFailure = writeFailureText(out.fileName(), out);
        return false;
    }
    QFile in(FileFunctions::resolve(source));
    if (start < 1 || end <= start || !in.open(QIODevice::ReadOnly) || !in.seek(start - 1))
        return false;
    QByteArray bytes = in.read(end - start);
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    toCrLf(bytes);
    bytes += "\r\n";
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        if (writeFailure)
            *writeFailure = writeFailureText(out.fileName(), out);
        return false;
    }
    return true;
}

void writeCopy(const QString& target, const QByteArray& bytes) {
    QFile out;
    if (openFresh(out, target))
        out.write(bytes);
}

struct ByteRange {
    qint64 start = 0;
    qint64 end = 0;
    bool found() const { return start > 0 && end > start; }
};

template <typename Pred> ByteRange rangeOf(const VerseIndexTable& table, Pred wanted) {
    ByteRange r;
    bool seen = false;
    for (const VerseIndexEntry& e : table) {
        if (!wanted(e))
            continue;
        if (!seen)
            r.start = e.startOffset;
        seen = true;
        r.end = e.endOffset;
    }
    return r;
}

} // namespace

QString IndexPath(const ProgramState& state, const QString& file) {
    return state.IndexFolder + file + QStringLiteral(".INDEX");
}

bool CreateIndexFile(ProgramState& state, const QString& moduleFolder, const QString& file,
                     QString* writeFailure) {
    const QString folder = state.Folders.moduleFolderFor(moduleFolder, file);
    QByteArray written;
    // The index replaces the old one only when it is complete (or as far as a bad line let
    // it get): a failed write leaves the previous index, not half of a new one.
    QSaveFile out(FileFunctions::resolve(IndexPath(state, file)));
    auto save = [&] {
        if (out.write(written) == written.size() && out.commit())
            return true;
        if (writeFailure)
            *writeFailure = writeFailureText(out.fileName(), out);
        out.cancelWriting();
        return false;
    };
    auto stop = [&](int error) {
        if (out.isOpen())
            save();
        TolvaneRoutines::ReportError(state.dialogs, error, kCreateContext,
                                     QStringLiteral("\r\n") + folder + file +
                                         QStringLiteral("\r\nOR\r\n") + IndexPath(state, file));
        return false;
    };
    QByteArray text;
    if (!FileFunctions::readWholeFile(folder + file, text))
        return stop(Err::FileNotFound);
    if (!out.open(QIODevice::WriteOnly)) {
        if (writeFailure)
            *writeFailure = writeFailureText(out.fileName(), out);
        return false;
    }

    bool first = true;
    QByteArrayView prevBook, prevChapter;
    qint64 chapterFirst = 1, chapterStart = 1, lastRunning = 0;
    int counter = 0; // one byte wide: it also counts the next chapter's first line
    LineFields f;
    TextLines reader(text);
    while (!reader.atEnd()) {
        const qint64 lineStart = reader.position() + 1;
        if (counter == 255)
            return stop(Err::Overflow);
        ++counter;
        if (const int error = splitVerseLine(reader.next(), f))
            return stop(error);
        lastRunning = f.running;
        if (first) {
            first = false;
        } else if (f.book == prevBook && f.chapter == prevChapter) {
            continue;
        } else {
            written += indexLine(chapterFirst, f.running - 1, prevBook, prevChapter, counter - 1,
                                 chapterStart, lineStart);
            counter = 1;
            chapterFirst = f.running;
            chapterStart = lineStart;
        }
        prevBook = f.book;
        prevChapter = f.chapter;
    }
    if (!first)
        written += indexLine(chapterFirst, lastRunning, prevBook, prevChapter, counter,
                             chapterStart, reader.position() + 1);
    return save();
}

bool LoadIndexFile(ProgramState& state, const QString& file) {
    state.CurrentIndexFile = file;
    const QString path = IndexPath(state, file);
    if (!FileFunctions::FileExists(path))
        return false;
    QByteArray bytes;
    FileFunctions::readWholeFile(path, bytes);
    VerseIndexTable& table = state.VerseIndex;
    int count = 0;
    int error = 0;
    VerseIndexEntry last;
    for (QByteArrayView line : indexRecords(bytes)) {
        if (!parseRecord(line, last)) {
            error = Err::TypeMismatch;
            break;
        }
        if (count < kVerseIndexSize)
            table[count] = last;
        ++count;
    }
    if (count == 0 && error == 0)
        error = Err::InputPastEnd;
    if (count == 0)
        table.fill(VerseIndexEntry{}); // an earlier text's offsets must not be used on this one
    else
        for (int i = count; i < kVerseIndexSize; ++i)
            table[i] = last;
    if (error)
        TolvaneRoutines::ReportError(state.dialogs, error, kLoadContext, file);
    return error == 0;
}

bool IndexNeedsBuilding(const ProgramState& state, const QString& moduleFolder,
                        const QString& file) {
    const QString folder = state.Folders.moduleFolderFor(moduleFolder, file);
    const QString indexPath = FileFunctions::resolve(IndexPath(state, file));
    if (!FileFunctions::FileExists(indexPath))
        return true;
    const QFileInfo text(FileFunctions::resolve(folder + file));
    if (!text.isFile())
        return false; // nothing to build from; the callers meet the missing text themselves
    if (text.lastModified() > QFileInfo(indexPath).lastModified())
        return true;
    // Only the last record matters, and a record is short: the end of the file is enough.
    QFile index(indexPath);
    if (!index.open(QIODevice::ReadOnly))
        return false;
    const qint64 tail = qMin<qint64>(index.size(), 256);
    if (!index.seek(index.size() - tail))
        return false;
    const QByteArray end = index.read(tail);
    QList<QByteArrayView> records = indexRecords(end);
    if (tail < index.size() && !records.isEmpty())
        records.removeFirst(); // the piece of a record cut by the start of the tail
    VerseIndexEntry last;
    if (records.isEmpty() || !parseRecord(records.constLast(), last))
        return false; // a damaged index is reported by the loader, not silently replaced
    return last.endOffset > text.size() + 1;
}

QString CreatingIndexText(const QString& file) {
    return QStringLiteral("Creating index ") + file + QStringLiteral(" please wait..");
}

QString PrepareIndex(ProgramState& state, const QString& folder, const QString& file,
                     bool alwaysLoad, const StatusFn& status) {
    bool built = false;
    if (IndexNeedsBuilding(state, folder, file)) {
        if (status)
            status(CreatingIndexText(file), true);
        QString failure;
        CreateIndexFile(state, folder, file, &failure);
        if (!failure.isEmpty()) {
            if (status)
                status(IndexFailureText(state, failure), true);
            return failure;
        }
        if (status)
            status(QStringLiteral("done"), false);
        built = true;
    }
    if (built || alwaysLoad || file != state.CurrentIndexFile)
        LoadIndexFile(state, file);
    return QString();
}

QString IndexFailureText(const ProgramState& state, const QString& failure) {
    return MessageText::Std(state, 411, failure);
}

bool ExtractBookRange(ProgramState& state, const QString& file, int selection,
                      QString* writeFailure) {
    if (selection == Catalogues::kBookSelections)
        return true;
    const QString target = state.ScratchFolder + file;
    if (selection < 1 || selection > Catalogues::kBookSelections) {
        writeCopy(target, QByteArray());
        return false;
    }
    // Every group is a run of consecutive books, so the first and last entries of any book
    // of the group bound it; a text lacking the group's first or last book still works.
    const Catalogues::BookRange books = Catalogues::SelectionRange(selection);
    const ByteRange r = rangeOf(state.VerseIndex, [&](const VerseIndexEntry& e) {
        return e.book >= books.first && e.book <= books.last;
    });
    if (!r.found()) {
        writeCopy(target, QByteArray());
        return false;
    }
    return copyRange(state.Folders.moduleFile(state.BibleFolder, file), r.start, r.end, target,
                     writeFailure);
}

bool ExtractChapter(ProgramState& state, const QString& folder, const QString& file, int kind,
                    int book, int chapter) {
    static const char* const kPrefixes[] = {"1v_", "1c_", "1d_"};
    if (kind < 1 || kind > 3)
        return false;
    const QString target = state.ScratchFolder + QLatin1String(kPrefixes[kind - 1]) + file;
    const ByteRange r = rangeOf(state.VerseIndex, [&](const VerseIndexEntry& e) {
        return e.book == book && (chapter == 0 || e.chapter == chapter);
    });
    if (r.found() && copyRange(state.Folders.moduleFile(folder, file), r.start, r.end, target))
        return true;
    writeCopy(target, "\r\n");
    return false;
}

int DeleteIndexFiles(const ProgramState& state) {
    return FileFunctions::deleteFiles(state.IndexFolder, QStringLiteral("*.*"));
}

void ReIndex(ProgramState& state) {
    DeleteIndexFiles(state);
    Catalogues::LoadTranslationCatalogue(state);
    state.dialogs.show(Dialogs::Icon::Information,
                       TolvaneRoutines::ProductName() + QStringLiteral(" Delete index"),
                       MessageText::Std(state, 49, state.IndexFolder));
}

} // namespace VerseIndex
