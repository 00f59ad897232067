#include "import/SwordManager.h"

#include "import/SwordMarkupMarks.h"

#include <markupfiltmgr.h>
#include <swmodule.h>
#include <versificationmgr.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <dirent.h>

namespace {

// The verse drivers, the width of their index records, and the driver of the other width.
struct VerseDriver {
    const char* name;
    int recordSize;
    const char* sibling;
    bool compressed;
};
constexpr VerseDriver kVerseDrivers[] = {
    {"zText", 10, "zText4", true},     {"zText4", 12, "zText", true},
    {"zCom", 10, "zCom4", true},       {"zCom4", 12, "zCom", true},
    {"RawText", 6, "RawText4", false}, {"RawText4", 8, "RawText", false},
    {"RawCom", 6, "RawCom4", false},   {"RawCom4", 8, "RawCom", false},
};

const VerseDriver* verseDriver(const QString& name) {
    for (const VerseDriver& d : kVerseDrivers)
        if (name.compare(QLatin1String(d.name), Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

bool readable(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly);
}

// A folder that exists but cannot be listed (tried, not asked: access() would answer for the
// real user, not for the one the files are opened as).
bool unlistable(const QString& path) {
    DIR* dir = opendir(QFile::encodeName(path).constData());
    if (dir) {
        closedir(dir);
        return false;
    }
    return errno == EACCES;
}

QString entry(sword::ConfigEntMap& section, const char* key) {
    const auto it = section.find(key);
    return it == section.end() ? QString() : QString::fromUtf8(it->second.c_str());
}

// Whether text declared Latin-1 (or not declared at all, which libsword takes for Latin-1)
// is UTF-8 in fact: some packages leave the encoding out of the configuration.
bool looksLikeUtf8(sword::SWModule* module) {
    int multiByte = 0;
    int entries = 0;
    for ((*module) = sword::TOP; !module->popError() && entries < 20; (*module)++) {
        const sword::SWBuf& raw = module->getRawEntryBuf();
        if (raw.length() == 0)
            continue;
        ++entries;
        const unsigned char* p = reinterpret_cast<const unsigned char*>(raw.c_str());
        const unsigned char* const end = p + raw.length();
        while (p < end) {
            if (*p < 0x80) {
                ++p;
                continue;
            }
            const int follow = (*p & 0xE0) == 0xC0   ? 1
                               : (*p & 0xF0) == 0xE0 ? 2
                               : (*p & 0xF8) == 0xF0 ? 3
                                                     : -1;
            if (follow < 0 || end - p <= follow)
                return false;
            for (int i = 1; i <= follow; ++i)
                if ((p[i] & 0xC0) != 0x80)
                    return false;
            p += follow + 1;
            ++multiByte;
        }
    }
    return multiByte > 0;
}

bool declaredUtf8(const QString& encoding) {
    return encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0 ||
           encoding.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0;
}

} // namespace

SwordManager::SwordManager(const QString& folder)
    : sword::SWMgr(QFile::encodeName(QDir::cleanPath(folder) + QLatin1Char('/')).constData(), false,
                   new sword::MarkupFilterMgr(sword::FMT_PLAIN, sword::ENC_UTF8), false, false),
      m_folder(folder) {
    load();
}

SwordManager::~SwordManager() {
    // The modules hold pointers to the filters: let the manager delete them first.
    deleteAllModules();
}

SwordMarkupMarks* SwordManager::marks(const QString& name) const {
    return m_marks.value(name);
}

void SwordManager::setPlainOptions(bool headings) {
    for (const sword::SWBuf& option : getGlobalOptions()) {
        const sword::StringList values = getGlobalOptionValues(option.c_str());
        const auto has = [&](const char* v) {
            for (const sword::SWBuf& x : values)
                if (x == v)
                    return true;
            return false;
        };
        if (option == "Headings")
            setGlobalOption(option.c_str(), headings ? "On" : "Off");
        else if (has("Primary Reading"))
            setGlobalOption(option.c_str(), "Primary Reading");
        else if (has("Off"))
            setGlobalOption(option.c_str(), "Off");
    }
}

QString SwordManager::dataPath(sword::ConfigEntMap& section) const {
    QString path = entry(section, "DataPath");
    if (path.startsWith(QLatin1String("./")))
        path = path.mid(2);
    return QDir::cleanPath(m_folder + QLatin1Char('/') + path);
}

ImportRefusal SwordManager::checkVerseIndex(const QString& path, const QString& versification,
                                            QString& driver) const {
    const VerseDriver* declared = verseDriver(driver);
    const sword::VersificationMgr::System* v11n =
        sword::VersificationMgr::getSystemVersificationMgr()->getVersificationSystem(
            versification.isEmpty() ? "KJV" : versification.toUtf8().constData());
    if (!declared || !v11n)
        return ImportRefusal::None; // libsword itself refuses what it does not know
    const int books = v11n->getBookCount();
    const sword::VersificationMgr::Book* last = v11n->getBook(books - 1);
    const long lastOffset = v11n->getOffsetFromVerse(books - 1, last->getChapterMax(),
                                                     last->getVerseMax(last->getChapterMax()));
    // One record per key of a testament: its verses and the headings of books and chapters.
    const long records[2] = {v11n->getNTStartOffset() + 1,
                             lastOffset - v11n->getNTStartOffset() + 1};
    const VerseDriver* sibling = verseDriver(QLatin1String(declared->sibling));
    if (unlistable(path))
        return ImportRefusal::Unreadable;
    bool fitsDeclared = true, fitsSibling = true;
    int present = 0;
    const QDir dir(path);
    for (int t = 0; t < 2; ++t) {
        const QString prefix = QLatin1String(t == 0 ? "ot." : "nt.");
        const QStringList found =
            declared->compressed ? dir.entryList({prefix + QStringLiteral("?zv")}, QDir::Files)
                                 : dir.entryList({prefix + QStringLiteral("vss")}, QDir::Files);
        if (found.isEmpty())
            continue;
        const QString index = dir.filePath(found.first());
        if (!readable(index))
            return ImportRefusal::Unreadable;
        const qint64 size = QFileInfo(index).size();
        if (size == 0)
            continue; // a testament the module does not have
        ++present;
        fitsDeclared = fitsDeclared && size == records[t] * declared->recordSize;
        fitsSibling = fitsSibling && size == records[t] * sibling->recordSize;
    }
    if (present == 0)
        return ImportRefusal::MissingData;
    if (fitsDeclared)
        return ImportRefusal::None;
    if (fitsSibling) {
        driver = QLatin1String(sibling->name);
        return ImportRefusal::None;
    }
    return ImportRefusal::Damaged;
}

ImportRefusal SwordManager::checkLexicon(const QString& path, const QString& driver) const {
    const QString index = path + QStringLiteral(".idx");
    if (unlistable(QFileInfo(path).path()))
        return ImportRefusal::Unreadable;
    if (!QFileInfo::exists(index))
        return ImportRefusal::MissingData;
    if (!readable(index))
        return ImportRefusal::Unreadable;
    // Offset and size per entry: 4 + 2 bytes for RawLD, 4 + 4 for RawLD4 and zLD.
    const int width = driver.compare(QLatin1String("RawLD"), Qt::CaseInsensitive) == 0 ? 6 : 8;
    return QFileInfo(index).size() % width == 0 ? ImportRefusal::None : ImportRefusal::Damaged;
}

sword::SWModule* SwordManager::createModule(const char* name, const char* driver,
                                            sword::ConfigEntMap& section) {
    QString chosen = QString::fromUtf8(driver);
    const QString path = dataPath(section);
    ImportRefusal problem = ImportRefusal::None;
    if (verseDriver(chosen))
        problem = checkVerseIndex(path, entry(section, "Versification"), chosen);
    else if (chosen.endsWith(QLatin1String("LD"), Qt::CaseInsensitive))
        problem = checkLexicon(path, chosen);
    m_problems.insert(QString::fromUtf8(name), problem);
    const QByteArray driverName = chosen.toUtf8();
    sword::SWModule* module = sword::SWMgr::createModule(name, driverName.constData(), section);
    const QString encoding = entry(section, "Encoding");
    if (module && problem == ImportRefusal::None && entry(section, "CipherKey").isEmpty() &&
        (encoding.isEmpty() ||
         encoding.compare(QLatin1String("Latin-1"), Qt::CaseInsensitive) == 0) &&
        looksLikeUtf8(module)) {
        delete module;
        section.erase("Encoding");
        section.insert(sword::ConfigEntMap::value_type("Encoding", "UTF-8"));
        module = sword::SWMgr::createModule(name, driverName.constData(), section);
    }
    return module;
}

// First of the option filters: it must see the notes and headings the others take out. The
// others are libsword's own, and every module gets those of its markup, not just those its
// configuration lists: what is switched off must go whatever the configuration says. Only a
// commentary keeps its headings (they are its section titles and chapter outlines) unless its
// configuration asks for the headings filter.
void SwordManager::addGlobalOptionFilters(sword::SWModule* module, sword::ConfigEntMap& section) {
    static const struct {
        const char* markup;
        std::initializer_list<const char*> filters;
    } kFilters[] = {
        {"OSIS",
         {"OSISFootnotes", "OSISScripref", "OSISHeadings", "OSISStrongs", "OSISMorph", "OSISLemma",
          "OSISVariants", "OSISRedLetterWords"}},
        {"ThML",
         {"ThMLFootnotes", "ThMLScripref", "ThMLHeadings", "ThMLStrongs", "ThMLMorph", "ThMLLemma",
          "ThMLVariants"}},
        {"GBF", {"GBFFootnotes", "GBFHeadings", "GBFStrongs", "GBFMorph", "GBFRedLetterWords"}},
    };
    const QString markup = entry(section, "SourceType");
    for (const auto& set : kFilters) {
        if (markup.compare(QLatin1String(set.markup), Qt::CaseInsensitive) != 0)
            continue;
        for (const char* filter : set.filters) {
            if (std::strstr(filter, "Headings") &&
                !std::strcmp(module->getType(), sword::SWMgr::MODTYPE_COMMENTARIES))
                continue;
            bool listed = false;
            for (auto it = section.lower_bound("GlobalOptionFilter");
                 it != section.upper_bound("GlobalOptionFilter"); ++it)
                listed = listed || it->second == filter;
            if (!listed)
                section.insert(sword::ConfigEntMap::value_type("GlobalOptionFilter", filter));
        }
    }
    const QString type = QString::fromUtf8(module->getType());
    const SwordMarkupMarks::Mode mode = type == QLatin1String(sword::SWMgr::MODTYPE_BIBLES)
                                            ? SwordMarkupMarks::Mode::Verses
                                        : type == QLatin1String(sword::SWMgr::MODTYPE_COMMENTARIES)
                                            ? SwordMarkupMarks::Mode::Paragraphs
                                            : SwordMarkupMarks::Mode::Entries;
    const bool latin1 = !declaredUtf8(entry(section, "Encoding"));
    const QString name = QString::fromUtf8(module->getName());
    auto marks = std::make_unique<SwordMarkupMarks>(mode, name, latin1);
    module->addOptionFilter(marks.get());
    m_marks.insert(name, marks.get());
    m_ownedMarks.push_back(std::move(marks));
    sword::SWMgr::addGlobalOptionFilters(module, section);
}
