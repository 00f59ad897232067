// tolvane-cli passage: the multi-Bible view's text.
//
// Prints exactly what the multi-Bible pane shows for a passage, one pane line per output
// line, then the status panel text ("Length: ... Bytes 3 Bibles", or "... Verses" for a
// chapter) as the last line. Indexes that have to be built first are logged on the error
// stream. Exit status: 0 when a translation gave text, 1 when none did, 2 for bad arguments
// or a folder without Bibles.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "parallel/ParallelPassage.h"

#include <cstdio>

const char* const Cli::kPassageUsage =
    "usage: tolvane-cli passage [--folder DIR] --book N --chapter C [--verse V]\n"
    "  --folder DIR   program folder (default: the one next to this program)\n"
    "  --book N       book 1-66, or its reference name (\"John\", any case)\n"
    "  --chapter C    chapter 1-255\n"
    "  --verse V      verse 0-255: that verse in every translation; without it the whole\n"
    "                 chapter\n";

namespace {
const char* const kUsageText = Cli::kPassageUsage;

int bookNumber(const ProgramState& state, const QString& text) {
    if (const auto n = Cli::toInt(text, 1, 66))
        return *n;
    for (int i = 0; i < 66 && i < state.BookRefNames.size(); ++i)
        if (state.BookRefNames.at(i).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}
} // namespace

int Cli::runPassage(const QStringList& args) {
    Arguments a;
    QString error;
    const QString book = QStringLiteral("--book"), chapter = QStringLiteral("--chapter"),
                  verse = QStringLiteral("--verse");
    if (!parse(args, {QStringLiteral("--folder"), book, chapter, verse}, {}, a, error))
        return usage(error, kUsageText);
    if (!a.words.isEmpty())
        return usage(QStringLiteral("unexpected argument ") + a.words.first(), kUsageText);
    if (!a.values.contains(book) || !a.values.contains(chapter))
        return usage(QStringLiteral("--book and --chapter are needed"), kUsageText);
    ParallelPassage::Request request;
    const auto c = toInt(a.value(chapter), 1, 255);
    if (!c)
        return usage(QStringLiteral("bad value for --chapter: ") + a.value(chapter), kUsageText);
    request.chapter = *c;
    request.mode = ParallelPassage::ViewMode::Chapter;
    if (a.values.contains(verse)) {
        const auto v = toInt(a.value(verse), 0, 255);
        if (!v)
            return usage(QStringLiteral("bad value for --verse: ") + a.value(verse), kUsageText);
        request.verse = *v;
        request.mode = ParallelPassage::ViewMode::Verse;
    }

    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error)) {
        printError(error); // not a mistake in the arguments: no usage text
        return kUsage;
    }
    request.book = bookNumber(session.state(), a.value(book));
    if (request.book == 0)
        return usage(QStringLiteral("bad value for --book: ") + a.value(book), kUsageText);

    ParallelPassage passage(session.state());
    ParallelPassage::Progress log;
    log.indexStarted = [](int, int, const QString& name) {
        std::fputs(ParallelPassage::IndexLogStart(name).toLocal8Bit().constData(), stderr);
    };
    log.indexDone = [](const QString&) {
        QString done = ParallelPassage::IndexLogEnd();
        std::fputs(
            done.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toLocal8Bit().constData(),
            stderr);
    };
    const ParallelPassage::Result result = passage.Build(request, log);
    QString out = result.text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!out.isEmpty() && !out.endsWith(QLatin1Char('\n')))
        out += QLatin1Char('\n');
    writeOut(out + result.statusText() + QLatin1Char('\n'));
    return result.contributors > 0 ? kOk : kNothing;
}
