#pragma once
#include "import/SwordModuleInfo.h"

#include <swmgr.h>

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

class SwordMarkupMarks;

// libsword's module manager over one SWORD folder (mods.d with the configurations, modules
// with the data), set up for plain text and with two checks of its own before a module is
// opened:
//  - the data files named by the configuration exist and can be read;
//  - the verse index of each testament has exactly one record per verse of the module's
//    versification. Its record width tells the driver: a configuration naming a 4-byte driver
//    for data written with 2-byte sizes (or the other way round) is read with the driver
//    that fits, and an index that fits neither (cut short, for one) marks the module damaged.
class SwordManager : public sword::SWMgr {
public:
    explicit SwordManager(const QString& folder);
    ~SwordManager() override;

    const QString& folder() const { return m_folder; }
    // Why a module cannot be read, as found when it was opened (None when it can).
    ImportRefusal problem(const QString& name) const { return m_problems.value(name); }
    // The filter that marks the module's text (see SwordMarkupMarks).
    SwordMarkupMarks* marks(const QString& name) const;

    // Every option filter off (footnotes, Strong's numbers, cross-references ...), headings
    // on or off, the primary reading of textual variants.
    void setPlainOptions(bool headings);

protected:
    sword::SWModule* createModule(const char* name, const char* driver,
                                  sword::ConfigEntMap& section) override;
    void addGlobalOptionFilters(sword::SWModule* module, sword::ConfigEntMap& section) override;

private:
    QString dataPath(sword::ConfigEntMap& section) const;
    ImportRefusal checkVerseIndex(const QString& path, const QString& versification,
                                  QString& driver) const;
    ImportRefusal checkLexicon(const QString& path, const QString& driver) const;

    QString m_folder;
    QHash<QString, ImportRefusal> m_problems;
    QHash<QString, SwordMarkupMarks*> m_marks;
    std::vector<std::unique_ptr<SwordMarkupMarks>> m_ownedMarks;
};
