// tolvane-cli notes: the translation notes as their window shows them.
//
// Without a title: the article titles, one per line. With one: that article's text.
// Exit status: 0 found, 1 no such article (or no article at all), 2 bad arguments or no
// notes file.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "reference/TranslationNotesFile.h"

const char* const Cli::kNotesUsage =
    "usage: tolvane-cli notes [--folder DIR] [--] [TITLE]\n"
    "  --folder DIR   program folder (default: the one next to this program)\n"
    "  TITLE          an article title as listed (letter case counts)\n";

int Cli::runNotes(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {QStringLiteral("--folder")}, {}, a, error))
        return refuse(error, "notes");
    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return missing(error);
    QVector<TranslationNotesFile::Article> articles;
    const QString path = TranslationNotesFile::Path(session.state());
    if (!TranslationNotesFile::Read(path, articles))
        return missing(QStringLiteral("no notes file ") + path);
    if (a.words.isEmpty()) {
        QString out;
        for (const TranslationNotesFile::Article& article : articles)
            out += article.title + QLatin1Char('\n');
        writeOut(out);
        return articles.isEmpty() ? kNothing : kOk;
    }
    const QString title = a.words.join(QLatin1Char(' '));
    const TranslationNotesFile::Article* article = TranslationNotesFile::Find(articles, title);
    if (!article) {
        printError(QStringLiteral("no article \"") + title + QStringLiteral("\""));
        return kNothing;
    }
    writeOut(article->text);
    return kOk;
}
