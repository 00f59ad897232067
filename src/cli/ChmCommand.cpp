// tolvane-cli chm: the help-file Bible selector's list, and a help-file Bible's contents.
//
// Without --contents: one line per help-file Bible, "description TAB file name", then the
// count line the window shows ("2 Modules found"). With --contents FILE: the table of
// contents of that help-file Bible, two spaces of indent per level, "title TAB page".
// Exit status: 0 when something was listed, 1 when nothing was, 2 for bad arguments or a
// file that is not a help-file Bible.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "localisation/MessageText.h"
#include "media/ChmHelpSource.h"
#include "media/HelpFileBibles.h"

const char* const Cli::kChmUsage =
    "usage: tolvane-cli chm [--folder DIR] [--contents FILE]\n"
    "  --folder DIR     program folder (default: the one next to this program)\n"
    "  --contents FILE  list the table of contents of this help-file Bible (cn_web.chm)\n";

int Cli::runChm(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {QStringLiteral("--folder"), QStringLiteral("--contents")}, {}, a, error))
        return usage(error, kChmUsage);
    if (!a.words.isEmpty())
        return usage(QStringLiteral("unexpected: ") + a.words.join(QLatin1Char(' ')), kChmUsage);
    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return usage(error, kChmUsage);
    const QVector<HelpFileBibles::Row> rows = HelpFileBibles::find(session.state());
    const QString wanted = a.value(QStringLiteral("--contents"));
    QString out;
    if (wanted.isEmpty()) {
        for (const HelpFileBibles::Row& r : rows)
            out += r.description + QLatin1Char('\t') + r.fileName + QLatin1Char('\n');
        writeOut(out + MessageText::Std(session.state(), 512, QString::number(rows.size())) +
                 QLatin1Char('\n'));
        return rows.isEmpty() ? kNothing : kOk;
    }
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const HelpFileBibles::Row& r) {
        return r.fileName.compare(wanted, Qt::CaseInsensitive) == 0;
    });
    if (row == rows.end())
        return usage(QStringLiteral("no help-file Bible \"") + wanted + QLatin1Char('"'),
                     kChmUsage);
    auto file = std::make_unique<ChmFile>();
    if (!file->open(row->path))
        return usage(MessageText::Std(session.state(),
                                      file->failure() == ChmFile::Failure::NoPages ? 516 : 515,
                                      row->fileName),
                     kChmUsage);
    const ChmHelpSource source(std::move(file), row->description);
    const QVector<HelpSource::Topic> topics = source.contents();
    for (const HelpSource::Topic& t : topics)
        out += QString(2 * t.depth, QLatin1Char(' ')) + t.title + QLatin1Char('\t') +
               t.url.toString() + QLatin1Char('\n');
    writeOut(out);
    return topics.isEmpty() ? kNothing : kOk;
}
