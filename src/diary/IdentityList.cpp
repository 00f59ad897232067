#include "diary/IdentityList.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

namespace {
const QString kIdentity = SettingsKeys::IdentitySection;
const QString kMarker = SettingsKeys::NoPasswordMarker;
// FindIdentityIndex gives up after this many numbers.
constexpr int kScanLimit = 32000;
// Message: the identity in use is not in the list.
constexpr int kMsgIdentityMissing = 475;
} // namespace

QString IdentityList::PasswordKey(int number) {
    return SettingsKeys::IdentityPasswordPrefix + QString::number(number);
}

QString IdentityList::FlagKey(int number) {
    return SettingsKeys::IdentityFlagPrefix + QString::number(number);
}

QStringList IdentityList::Names(const SettingsStore& settings) {
    QStringList names;
    for (int n = 0;; ++n) {
        const QString name = settings.read(kIdentity, QString::number(n), QString());
        if (name.isEmpty())
            return names;
        names.append(name);
    }
}

QString IdentityList::StoredDefault(const SettingsStore& settings) {
    return settings.read(kIdentity, SettingsKeys::DefaultIdentity, QString());
}

void IdentityList::FindIdentityIndex(ProgramState& state) {
    for (int n = 0; n <= kScanLimit; ++n) {
        const QString value = state.settings.read(kIdentity, QString::number(n), QString());
        if (value == state.CurrentIdentity && !value.isEmpty()) {
            state.IdentityIndex = qint16(n);
            return;
        }
        if (n == 0 && value.isEmpty()) {
            state.IdentityIndex = 0;
            return;
        }
    }
    // Not in the list: fall back on the first identity rather than renaming it.
    const QString first = state.settings.read(kIdentity, QStringLiteral("0"), QString());
    state.CurrentIdentity = first;
    state.DefaultIdentity = first;
    state.IdentityFolder = first + QLatin1Char('/');
    state.IdentityIndex = 0;
    state.settings.write(kIdentity, SettingsKeys::DefaultIdentity, first);
    state.dialogs.show(Dialogs::Icon::Critical, QStringLiteral("Critical Error"),
                       MessageText::Std(state, kMsgIdentityMissing, first));
}

void IdentityList::LoadIdentityList(ProgramState& state) {
    state.IdentityNames = Names(state.settings);
    if (state.IdentityNames.isEmpty())
        state.IdentityNames.append(QString());
}

void IdentityList::RewriteIdentityList(ProgramState& state, const QVector<int>& previousNumbers) {
    QVector<QString> passwords;
    for (int i = 0; i < state.IdentityNames.size(); ++i) {
        const int before = i < previousNumbers.size() ? previousNumbers.at(i) : -1;
        passwords.append(before < 0 ? kMarker : StoredPassword(state, before, kMarker));
    }
    state.settings.deleteSection(kIdentity);
    int number = 0;
    for (int i = 0; i < state.IdentityNames.size(); ++i) {
        const QString& name = state.IdentityNames.at(i);
        if (name.isEmpty())
            continue;
        state.settings.write(kIdentity, QString::number(number), name);
        state.settings.write(kIdentity, PasswordKey(number), passwords.at(i));
        state.settings.write(kIdentity, FlagKey(number),
                             passwords.at(i) == kMarker ? QStringLiteral("0")
                                                        : QStringLiteral("1"));
        ++number;
    }
    state.settings.write(kIdentity, SettingsKeys::DefaultIdentity, state.DefaultIdentity);
}

QString IdentityList::StoredPassword(const ProgramState& state, int number, const QString& def) {
    return state.settings.read(kIdentity, PasswordKey(number), def);
}

qint64 IdentityList::Flag(const ProgramState& state, int number, qint64 def) {
    return state.settings.readInt(kIdentity, FlagKey(number), def, SettingsKeys::kInt16Low,
                                  SettingsKeys::kInt16High);
}

void IdentityList::StorePassword(ProgramState& state, const QString& storedForm) {
    state.settings.write(kIdentity, FlagKey(state.IdentityIndex), QStringLiteral("1"));
    state.settings.write(kIdentity, PasswordKey(state.IdentityIndex), storedForm);
}

void IdentityList::StoreNoPassword(ProgramState& state) {
    state.settings.write(kIdentity, FlagKey(state.IdentityIndex), QStringLiteral("0"));
    state.settings.write(kIdentity, PasswordKey(state.IdentityIndex), kMarker);
}

IdentityList::Access IdentityList::PasswordAccess(const ProgramState& state) {
    const qint64 flag = Flag(state, state.IdentityIndex, 0);
    if (flag == 0 && StoredPassword(state, state.IdentityIndex, QStringLiteral("0")) != kMarker)
        return Access::Tampered;
    return Flag(state, state.IdentityIndex, 7) == 1 ? Access::AskPassword : Access::Open;
}

bool IdentityList::CheckforDup(const QString& name, const QStringList& names) {
    // An empty name counts as a duplicate: the list always ends in an empty entry.
    if (name.isEmpty())
        return true;
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool IdentityList::NameLenError(const QString& name) {
    return name.size() < 2 || name.size() > 30;
}

bool IdentityList::ValidChars(const QString& name) {
    // Space, digits, letters, "[" and "_": nothing that could lead out of the Prayers folder
    // or that a file system would refuse.
    for (QChar c : name) {
        const char16_t u = c.unicode();
        const bool ok = u == ' ' || u == '[' || u == '_' || (u >= '0' && u <= '9') ||
                        (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
        if (!ok)
            return false;
    }
    return true;
}

bool IdentityList::UsableName(const QString& name) {
    return !NameLenError(name) && ValidChars(name);
}

bool IdentityList::PrepareDefault(ProgramState& state) {
    const QStringList names = Names(state.settings);
    if (names.isEmpty())
        return true;
    const QString stored = StoredDefault(state.settings);
    if (!names.contains(stored))
        state.settings.write(kIdentity, SettingsKeys::DefaultIdentity, names.first());
    return false;
}

void IdentityList::WriteFirstIdentity(ProgramState& state) {
    state.settings.write(kIdentity, FlagKey(0), QStringLiteral("0"));
    state.settings.write(kIdentity, PasswordKey(0), kMarker);
    state.settings.write(kIdentity, SettingsKeys::DefaultIdentity,
                         SettingsKeys::DefaultIdentityDefault);
    state.settings.write(kIdentity, QStringLiteral("0"), SettingsKeys::DefaultIdentityDefault);
}
