// tolvane-cli commentary: the commentary window after "Refresh".
//
// Prints the Bible pane (the verse with --verse, the whole chapter without), an empty line,
// then the commentary pane, from the first translation and the first commentary. Exit status:
// 0 when the commentary has text for the chapter, 1 when it has none, 2 for bad arguments, a
// folder without Bibles or no commentary installed.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "reference/CommentaryText.h"

#include "localisation/MessageText.h"

const char* const Cli::kCommentaryUsage =
    "usage: tolvane-cli commentary [--folder DIR] --book N --chapter C [--verse V]\n"
    "  --folder DIR   program folder (default: the one next to this program)\n"
    "  --book N       book 1-66 or its name (\"John\")\n"
    "  --chapter C    chapter 1-255\n"
    "  --verse V      verse 0-255: the Bible pane shows that verse instead of the chapter\n";

namespace {
// A book number 1-66, or a book's reference name in any letter case.
std::optional<int> bookNumber(const ProgramState& state, const QString& text) {
    if (const auto n = Cli::toInt(text, 1, 66))
        return n;
    for (int b = 0; b < 66 && b < state.BookRefNames.size(); ++b)
        if (!text.isEmpty() && state.BookRefNames.at(b).compare(text, Qt::CaseInsensitive) == 0)
            return b + 1;
    return std::nullopt;
}
} // namespace

int Cli::runCommentary(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args,
               {QStringLiteral("--folder"), QStringLiteral("--book"), QStringLiteral("--chapter"),
                QStringLiteral("--verse")},
               {}, a, error))
        return refuse(error, "commentary");
    if (!a.words.isEmpty())
        return refuse(QStringLiteral("unexpected word: ") + a.words.first(), "commentary");
    const auto chapter = toInt(a.value(QStringLiteral("--chapter")), 1, 255);
    if (!chapter)
        return refuse(QStringLiteral("--chapter needs a number from 1 to 255"), "commentary");
    std::optional<int> verse;
    if (a.values.contains(QStringLiteral("--verse")) &&
        !(verse = toInt(a.value(QStringLiteral("--verse")), 0, 255)))
        return refuse(QStringLiteral("--verse needs a number from 0 to 255"), "commentary");

    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return missing(error);
    ProgramState& state = session.state();
    const auto book = bookNumber(state, a.value(QStringLiteral("--book")));
    if (!book)
        return refuse(QStringLiteral("--book needs a book number from 1 to 66 or a book name"),
                      "commentary");
    if (state.CommentaryFiles.value(0).isEmpty())
        return missing(QStringLiteral("no commentary is installed"));

    const CommentaryText::BibleRequest request{
        state.BibleFiles.at(0), state.BibleNames.at(0), *book, *chapter, verse.value_or(1), !verse};
    const CommentaryText::Pane bible = CommentaryText::BiblePane(state, request, {});
    const CommentaryText::Pane commentary =
        CommentaryText::CommentaryPane(state, 0, *book, *chapter, {});
    const CommentaryText::Pane& failed = bible.error ? bible : commentary;
    if (failed.error)
        return missing(failed.detail.simplified());
    QString out = bible.text;
    if (!out.endsWith(QLatin1Char('\n')))
        out += QLatin1Char('\n');
    writeOut(out + QLatin1Char('\n') + commentary.text + QLatin1Char('\n'));
    return commentary.text == MessageText::Std(state, 450) ? kNothing : kOk;
}
