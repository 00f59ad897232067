#pragma once
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "printing/PrintService.h"

#include <QByteArray>
#include <QString>
#include <memory>

// A throw-away program folder with the message files and the diary's pictures, its own
// settings file, scripted dialogs and a program state whose paths point into it.
struct DiaryFixture {
    DiaryFixture();

    // The folder of an identity, ending in a separator.
    QString identityFolder(const QString& name = QStringLiteral("Default")) const;
    // Stores an identity list: names in order, each open (no password) unless given one.
    void storeIdentities(const QStringList& names, const QString& defaultName,
                         const QStringList& passwords = {});
    // Writes an entry as another installation would: the RTF enciphered with the key.
    void writeEntry(const QString& identity, const QString& day, const QByteArray& rtf,
                    const QByteArray& extrasLine = QByteArray());
    // Every file name in an identity's folder, sorted.
    QStringList files(const QString& identity = QStringLiteral("Default")) const;

    // The file transform written out from its definition, independent of the product code.
    static QByteArray referenceTransform(const QByteArray& bytes);
    static QByteArray simpleRtf(const QByteArray& text);

    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    ProgramState state;
    PrintService print;
};
