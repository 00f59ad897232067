// tolvane-cli audio: the audio Bible window's lists.
//
// Without a language: the languages, one a line, as the window lists them. With a language
// (as listed, in any letter case): one line per book, "BOOK TAB m:ss" (its length read from
// the file, or "not audio"), then the window's status line ("You have 4 books installed!").
// Exit status: 0 when something was listed, 1 when nothing was, 2 for bad arguments.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "localisation/MessageText.h"
#include "media/AudioLibrary.h"
#include "media/Mp3Probe.h"

const char* const Cli::kAudioUsage =
    "usage: tolvane-cli audio [--folder DIR] [LANGUAGE]\n"
    "  --folder DIR  program folder (default: the one next to this program)\n"
    "  LANGUAGE      list the books of this language with their lengths\n";

int Cli::runAudio(const QStringList& args) {
    Arguments a;
    QString error;
    if (!parse(args, {QStringLiteral("--folder")}, {}, a, error))
        return usage(error, kAudioUsage);
    if (a.words.size() > 1)
        return usage(QStringLiteral("one language at a time"), kAudioUsage);
    Session session;
    if (!session.load(a.value(QStringLiteral("--folder")), error))
        return usage(error, kAudioUsage);
    const ProgramState& state = session.state();
    const AudioLibrary library(state.Folders.moduleRootFor(state.ModulePath + QStringLiteral("mp3/")));
    const QVector<AudioLibrary::Entry> languages = library.languages();
    QString out;
    if (a.words.isEmpty()) {
        for (const AudioLibrary::Entry& e : languages)
            out += e.shown + QLatin1Char('\n');
        writeOut(out);
        return languages.isEmpty() ? kNothing : kOk;
    }
    const auto language =
        std::find_if(languages.begin(), languages.end(), [&](const AudioLibrary::Entry& e) {
            return e.name.compare(a.words.first(), Qt::CaseInsensitive) == 0;
        });
    if (language == languages.end())
        return usage(QStringLiteral("no language \"") + a.words.first() + QLatin1Char('"'),
                     kAudioUsage);
    const QVector<AudioLibrary::Entry> books = library.books(language->name);
    for (const AudioLibrary::Entry& b : books) {
        const Mp3Probe p = Mp3Probe::probeFile(library.bookPath(language->name, b.name));
        const qint64 s = p.durationMs / 1000;
        out += b.shown + QLatin1Char('\t') +
               (p.isAudio ? QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'))
                          : QStringLiteral("not audio")) +
               QLatin1Char('\n');
    }
    writeOut(out + MessageText::Std(session.state(), 511, QString::number(books.size())) +
             QLatin1Char('\n'));
    return books.isEmpty() ? kNothing : kOk;
}
