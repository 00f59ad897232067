// Feeds arbitrary bytes to RtfReader. Besides crashes, leaks and undefined behaviour it
// checks that whatever the reader made can be written and read back to the same text.
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString blockText(const QTextDocument& document) {
    QString text;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        text += b.text() + QLatin1Char('\n');
    return text;
}

// The label of every list paragraph: the number Qt shows, or the bullet's shape.
QStringList labels(const QTextDocument& document) {
    QStringList out;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextList* list = b.textList();
        if (!list)
            out << QString();
        else if (list->format().style() < QTextListFormat::ListDecimal)
            out << QString::number(int(list->format().style()));
        else
            out << list->itemText(b);
    }
    return out;
}

void fail(const char* what, const QTextDocument& document) {
    std::fprintf(stderr, "%s\n%s\n", what, qPrintable(blockText(document)));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.*=false");
    static QGuiApplication* app = new QGuiApplication(*argc, *argv); // lives for the run
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    QTextDocument document;
    const RtfReadResult result = RtfReader::read(bytes, &document);
    if (result.isRtf != RtfReader::looksLikeRtf(bytes))
        fail("read() and looksLikeRtf() disagree", document);
    if (!result.isRtf)
        return 0;

    QTextDocument again;
    const RtfReadResult second = RtfReader::read(RtfWriter::write(document), &again);
    if (!second.isRtf || !second.error.isEmpty())
        fail("the writer's output did not read back cleanly", document);
    if (blockText(again) != blockText(document))
        fail("the text changed on a write and read", document);
    if (labels(again) != labels(document))
        fail("list labels changed on a write and read", document);

    QTextDocument target;
    target.setPlainText(QStringLiteral("ab"));
    QTextCursor cursor(&target);
    cursor.setPosition(1);
    RtfReader::insert(bytes, cursor);
    return 0;
}
