#pragma once
#include <QStringList>

// The subcommands of tolvane-cli. Each takes the words after its name and returns the
// program's exit status; each lives in its own file and uses the same models as the window
// that shows the same thing.
namespace Cli {

struct Command {
    const char* name;
    const char* summary;
    const char* usage; // printed for --help and after a usage error
    int (*run)(const QStringList& args);
};

extern const char* const kSearchUsage;
int runSearch(const QStringList& args);
extern const char* const kCheckUsage;
int runCheck(const QStringList& args);
extern const char* const kChmUsage;
int runChm(const QStringList& args);
extern const char* const kAudioUsage;
int runAudio(const QStringList& args);
extern const char* const kNoticeUsage;
int runNotice(const QStringList& args);

extern const char* const kPassageUsage;
int runPassage(const QStringList& args);
extern const char* const kCommentaryUsage;
int runCommentary(const QStringList& args);
extern const char* const kDictionaryUsage;
int runDictionary(const QStringList& args);
extern const char* const kNameUsage;
int runName(const QStringList& args);
extern const char* const kNotesUsage;
int runNotes(const QStringList& args);
extern const char* const kImportUsage;
int runImport(const QStringList& args);

extern const char* const kDiaryUsage;
int runDiary(const QStringList& args);

} // namespace Cli
