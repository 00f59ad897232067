#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class SettingsStore;
struct ProgramState;

// The identity list in the settings section "Identity": names under "0", "1", ... without
// gaps, each with its stored password and its protection flag under keys carrying its number,
// and the default identity under "Default". Every read or write of a password or flag goes
// through the number of the identity in use, IdentityIndex.
class IdentityList {
public:
    static QString PasswordKey(int number);
    static QString FlagKey(int number);

    // The names "0", "1", ... up to the first missing or empty one.
    static QStringList Names(const SettingsStore& settings);
    // "Default" as stored, or empty.
    static QString StoredDefault(const SettingsStore& settings);

    // Sets IdentityIndex to the number of CurrentIdentity. When CurrentIdentity is not in the
    // list, the first identity of the list (or a new "Default" when the list is empty) takes
    // its place and becomes the default; no identity is ever overwritten.
    static void FindIdentityIndex(ProgramState& state);
    // IdentityNames = the stored list (one empty element when there is none).
    static void LoadIdentityList(ProgramState& state);
    // Writes the section anew from IdentityNames and DefaultIdentity. previousNumbers[i] is
    // the number IdentityNames[i] had before the change (-1 for a new identity), so that
    // every identity keeps its own password and flag.
    static void RewriteIdentityList(ProgramState& state, const QVector<int>& previousNumbers);

    // The stored password of an identity (the no-password marker, an enciphered password or
    // whatever else the store holds), and its flag.
    static QString StoredPassword(const ProgramState& state, int number, const QString& def);
    static qint64 Flag(const ProgramState& state, int number, qint64 def);
    // For IdentityIndex: flag "1" with the stored form of a password, or flag "0" with the
    // no-password marker.
    static void StorePassword(ProgramState& state, const QString& storedForm);
    static void StoreNoPassword(ProgramState& state);

    // Whether the diary of the identity in use may open without a question.
    enum class Access { Open, AskPassword, Tampered };
    static Access PasswordAccess(const ProgramState& state);

    // The three name rules, in order; each is tested on its own.
    static bool CheckforDup(const QString& name, const QStringList& names);
    static bool NameLenError(const QString& name);
    static bool ValidChars(const QString& name);
    // A name that passes the length and character rules: safe as a folder name.
    static bool UsableName(const QString& name);

    // Before the diary loads: with no identity list at all, true (the old single-folder
    // layout is to be converted). With a list but no valid default, the first identity
    // becomes the default.
    static bool PrepareDefault(ProgramState& state);
    // The settings half of the conversion: identity "Default", number 0, no password.
    static void WriteFirstIdentity(ProgramState& state);
};
