#include "import/SwordLibrary.h"

#include "import/NearestWin1252.h"
#include "import/PlainEntryText.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

#if TOLVANE_HAVE_SWORD
#include "import/SwordManager.h"
#include "import/SwordMarkupMarks.h"

#include <gbfplain.h>
#include <osisplain.h>
#include <swld.h>
#include <swlog.h>
#include <swmodule.h>
#include <thmlplain.h>
#include <versekey.h>

#include <cstring>
#endif

namespace {

QString fromModule(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

} // namespace

#if TOLVANE_HAVE_SWORD

struct SwordLibrary::Private {
    std::vector<std::unique_ptr<SwordManager>> managers;
    // Module name (as its configuration spells it) -> the manager that holds it.
    QHash<QString, SwordManager*> owner;

    sword::SWModule* module(const QString& name, SwordManager** manager) const {
        SwordManager* m = owner.value(name);
        if (manager)
            *manager = m;
        return m ? m->getModule(name.toUtf8().constData()) : nullptr;
    }
};

namespace {

SwordModuleInfo::Kind kindOf(sword::SWModule* m) {
    const char* type = m->getType();
    if (!std::strcmp(type, sword::SWMgr::MODTYPE_BIBLES))
        return SwordModuleInfo::Kind::Bible;
    if (!std::strcmp(type, sword::SWMgr::MODTYPE_COMMENTARIES))
        return SwordModuleInfo::Kind::Commentary;
    if (!std::strcmp(type, sword::SWMgr::MODTYPE_LEXDICTS) ||
        !std::strcmp(type, sword::SWMgr::MODTYPE_DAILYDEVOS))
        return SwordModuleInfo::Kind::Dictionary;
    return SwordModuleInfo::Kind::Other;
}

bool isOsis(sword::SWModule* m) {
    const char* source = m->getConfigEntry("SourceType");
    return source && !strcasecmp(source, "OSIS");
}

// libsword's plain-text filter for a module's markup.
std::unique_ptr<sword::SWFilter> plainFilter(sword::SWModule* m) {
    const char* source = m->getConfigEntry("SourceType");
    if (source && !strcasecmp(source, "ThML"))
        return std::make_unique<sword::ThMLPlain>();
    if (source && !strcasecmp(source, "GBF"))
        return std::make_unique<sword::GBFPlain>();
    return std::make_unique<sword::OSISPlain>();
}

// The headings libsword took out of the entry to stand before it ("Preverse"), in order.
QStringList preverseHeadings(sword::SWModule* m) {
    QStringList out;
    sword::AttributeTypeList& attributes = m->getEntryAttributes();
    const auto headings = attributes.find("Heading");
    if (headings == attributes.end())
        return out;
    const auto preverse = headings->second.find("Preverse");
    if (preverse == headings->second.end())
        return out;
    for (const auto& heading : preverse->second)
        out.append(fromModule(heading.second.c_str()));
    return out;
}

// A few verses from both testaments, or the first entries of a dictionary: enough letters to
// tell the script and the accents without reading the module.
void sample(sword::SWModule* m, SwordModuleInfo::Kind kind, NearestWin1252& encoder) {
    m->setProcessEntryAttributes(false);
    if (kind == SwordModuleInfo::Kind::Dictionary) {
        int n = 0;
        for ((*m) = sword::TOP; !m->popError() && n < 12; (*m)++, ++n)
            encoder.encode(PlainEntryText::words(fromModule(m->renderText().c_str())));
    } else {
        for (const char* ref : {"Gen 1:1", "Gen 1:2", "Gen 1:3", "Ps 23:1", "Ps 23:2", "Matt 1:18",
                                "Matt 1:19", "John 1:1", "John 1:2", "Rom 1:1"}) {
            m->setKey(ref);
            encoder.encode(PlainEntryText::words(fromModule(m->renderText().c_str())));
            if (encoder.letters() > 1500)
                break;
        }
    }
    m->setProcessEntryAttributes(true);
}

SwordModuleInfo describe(SwordManager& manager, sword::SWModule* m) {
    SwordModuleInfo info;
    info.name = fromModule(m->getName());
    info.description = fromModule(m->getDescription());
    info.kind = kindOf(m);
    info.language = fromModule(m->getLanguage());
    info.folder = manager.folder();
    const char* cipher = m->getConfigEntry("CipherKey");
    if (info.kind == SwordModuleInfo::Kind::Other)
        info.refusal = ImportRefusal::UnsupportedKind;
    else if (cipher && !*cipher)
        info.refusal = ImportRefusal::Locked;
    else
        info.refusal = manager.problem(info.name);
    if (info.refusal == ImportRefusal::None) {
        NearestWin1252 encoder;
        sample(m, info.kind, encoder);
        info.refusal = encoder.verdict(&info.detail);
    }
    return info;
}

// The psalm title among the headings libsword took out of the verse, as plain text. The
// headings were taken out after SwordMarkupMarks had marked them.
QString psalmTitle(sword::SWModule* m, sword::SWFilter& plain) {
    for (const QString& heading : preverseHeadings(m)) {
        const qsizetype start = heading.indexOf(QLatin1String("<title"));
        const qsizetype tagEnd = start < 0 ? -1 : heading.indexOf(QLatin1Char('>'), start);
        if (tagEnd < 0 ||
            !heading.mid(start, tagEnd - start).contains(QLatin1String("type=\"psalm\"")))
            continue;
        const qsizetype end = heading.indexOf(QLatin1String("</title>"), tagEnd);
        const QByteArray title = heading.mid(start, end < 0 ? -1 : end + 8 - start).toUtf8();
        sword::SWBuf buf(title.constData());
        plain.processText(buf, m->getKey(), m);
        return fromModule(buf.c_str());
    }
    return QString();
}

// A commentary's headings before the entry (a chapter's introduction and outline) go in front
// of its text, ended by the introduction mark.
QString withIntroduction(sword::SWModule* m, sword::SWFilter& plain, const QString& text) {
    QString intro;
    for (const QString& heading : preverseHeadings(m)) {
        sword::SWBuf buf(heading.toUtf8().constData());
        plain.processText(buf, m->getKey(), m);
        intro += fromModule(buf.c_str()) + QLatin1Char('\n');
    }
    return intro.isEmpty() ? text : intro + QChar(PlainEntryText::kIntroEnd) + text;
}

} // namespace

SwordLibrary::SwordLibrary(const QStringList& folders) : d(std::make_unique<Private>()) {
    // libsword reports read errors on the error stream; Read() reports them itself.
    sword::SWLog::getSystemLog()->setLogLevel(0);
    QHash<QString, int> byName;
    for (const QString& folder : folders) {
        if (!IsSwordFolder(folder))
            continue;
        auto manager = std::make_unique<SwordManager>(folder);
        manager->setPlainOptions(false);
        for (const auto& entry : manager->Modules) {
            const SwordModuleInfo info = describe(*manager, entry.second);
            d->owner.insert(info.name, manager.get());
            const QString key = info.name.toLower();
            if (byName.contains(key)) {
                d->owner.remove(m_modules.at(byName.value(key)).name);
                d->owner.insert(info.name, manager.get());
                m_modules[byName.value(key)] = info;
            } else {
                byName.insert(key, int(m_modules.size()));
                m_modules.append(info);
            }
        }
        d->managers.push_back(std::move(manager));
    }
    std::sort(m_modules.begin(), m_modules.end(),
              [](const SwordModuleInfo& a, const SwordModuleInfo& b) {
                  return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
              });
}

SwordLibrary::~SwordLibrary() = default;

bool SwordLibrary::Available() {
    return true;
}

SwordLibrary::ReadResult SwordLibrary::Read(const QString& name, const EntrySink& sink) const {
    const int at = indexOf(name);
    if (at < 0)
        return ReadResult::NotFound;
    const SwordModuleInfo& info = m_modules.at(at);
    SwordManager* manager = nullptr;
    sword::SWModule* m = d->module(info.name, &manager);
    SwordMarkupMarks* marks = manager ? manager->marks(info.name) : nullptr;
    if (!m || !marks)
        return ReadResult::NotFound;
    const bool verses = info.kind != SwordModuleInfo::Kind::Dictionary;
    // Commentaries keep their headings (section titles, chapter outlines) as paragraphs.
    manager->setPlainOptions(info.kind == SwordModuleInfo::Kind::Commentary);
    m->setProcessEntryAttributes(true);
    m->setSkipConsecutiveLinks(true);
    const std::unique_ptr<sword::SWFilter> plain = plainFilter(m);
    const bool titles = info.kind == SwordModuleInfo::Kind::Bible && isOsis(m);

    qint64 total = 0;
    sword::VerseKey* vk = nullptr;
    if (verses) {
        vk = dynamic_cast<sword::VerseKey*>(m->getKey());
        if (!vk)
            return ReadResult::NotFound;
        vk->setIntros(info.kind == SwordModuleInfo::Kind::Commentary);
        (*m) = sword::BOTTOM;
        total = vk->getIndex() + 1;
    } else if (auto* ld = dynamic_cast<sword::SWLD*>(m)) {
        total = ld->getEntryCount();
    }
    qint64 done = 0;
    ReadResult result = ReadResult::Done;
    for ((*m) = sword::TOP; !m->popError(); (*m)++) {
        SwordEntry entry;
        marks->startEntry();
        entry.text = fromModule(m->renderText().c_str());
        if (m->getEntrySize() > 0 && marks->lastInputLength() == 0) {
            result = ReadResult::Damaged;
            break;
        }
        if (verses) {
            done = vk->getIndex() + 1;
            if (vk->getTestament() == 0 || vk->getBook() == 0)
                continue; // the module's and the testaments' headings
            entry.book = fromModule(vk->getOSISBookName());
            entry.chapter = vk->getChapter();
            entry.verse = vk->getVerse();
            if (titles && entry.verse == 1)
                entry.title = psalmTitle(m, *plain);
            if (info.kind == SwordModuleInfo::Kind::Commentary)
                entry.text = withIntroduction(m, *plain, entry.text);
        } else {
            ++done;
            const char* key = m->getKeyText();
            entry.key = m->isUnicode() ? fromModule(key) : QString::fromLatin1(key);
        }
        if (!sink(entry, done, std::max(total, done))) {
            result = ReadResult::Cancelled;
            break;
        }
    }
    manager->setPlainOptions(false);
    return result;
}

#else // built without libsword

struct SwordLibrary::Private {};

SwordLibrary::SwordLibrary(const QStringList&) : d(std::make_unique<Private>()) {}
SwordLibrary::~SwordLibrary() = default;

bool SwordLibrary::Available() {
    return false;
}

SwordLibrary::ReadResult SwordLibrary::Read(const QString&, const EntrySink&) const {
    return ReadResult::NotFound;
}

#endif

QStringList SwordLibrary::StandardFolders() {
    QStringList candidates = {QStringLiteral("/usr/share/sword"),
                              QStringLiteral("/usr/local/share/sword")};
    const QString fromEnvironment = qEnvironmentVariable("SWORD_PATH");
    if (!fromEnvironment.isEmpty())
        candidates.append(fromEnvironment);
    candidates.append(QDir::homePath() + QStringLiteral("/.sword"));
    QStringList out;
    for (const QString& c : candidates)
        if (IsSwordFolder(c) && !out.contains(QDir::cleanPath(c)))
            out.append(QDir::cleanPath(c));
    return out;
}

bool SwordLibrary::IsSwordFolder(const QString& folder) {
    return QFileInfo(QDir(folder).filePath(QStringLiteral("mods.d"))).isDir();
}

int SwordLibrary::indexOf(const QString& name) const {
    for (int i = 0; i < m_modules.size(); ++i)
        if (m_modules.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
