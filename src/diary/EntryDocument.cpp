#include "diary/EntryDocument.h"

#include "platform/Win1252.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QTextDocument>

bool EntryDocument::Load(const QByteArray& bytes, QTextDocument* document) {
    if (RtfReader::read(bytes, document).isRtf)
        return true;
    document->setPlainText(Win1252::decode(bytes));
    return false;
}

QByteArray EntryDocument::Save(const QTextDocument& document) {
    return RtfWriter::write(document);
}
