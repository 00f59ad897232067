#include "diary/EncryptDecrypt.h"

#include "diary/IdentityList.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"
#include "platform/Win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
constexpr int kMsgDamagedPassword = 476;
} // namespace

namespace EncryptDecrypt {

QByteArray FileTransform(QByteArray bytes) {
    char* p = bytes.data();
    const qsizetype n = bytes.size();
    int k = 1; // byte 0 meets the second key character
    for (qsizetype j = 0; j < n; ++j) {
        p[j] = char(p[j] ^ KeyAlphabet[k]);
        if (++k == kKeyLength)
            k = 0;
    }
    return bytes;
}

QByteArray PasswordTransform(const QByteArray& codes) {
    if (codes.size() > kKeyLength)
        return QByteArray();
    QByteArray out(codes);
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = char(out.at(i) ^ KeyAlphabet[i]);
    return out;
}

PasswordProblem CheckNewPassword(const QString& first, const QString& second) {
    if (first != second)
        return PasswordProblem::Different;
    if (first.size() < kMinPasswordLength)
        return PasswordProblem::TooShort;
    if (first.size() > kMaxPasswordLength)
        return PasswordProblem::TooLong;
    bool lossless = false;
    const QByteArray codes = Win1252::encode(first, &lossless);
    if (!lossless)
        return PasswordProblem::NotStorable;
    for (qsizetype i = 0; i < codes.size(); ++i)
        if (codes.at(i) == KeyAlphabet[i])
            return PasswordProblem::MeetsItsKey;
    return PasswordProblem::None;
}

QString EncipherPassword(const QString& plain) {
    return Win1252::decode(PasswordTransform(Win1252::encode(plain)));
}

std::optional<QString> DecipherStoredPassword(const QString& stored) {
    bool lossless = false;
    const QByteArray codes = Win1252::encode(stored, &lossless);
    if (!lossless || codes.size() > kKeyLength)
        return std::nullopt;
    return Win1252::decode(PasswordTransform(codes));
}

std::optional<QString> DecipherPassword(ProgramState& state) {
    IdentityList::FindIdentityIndex(state);
    const QString stored =
        IdentityList::StoredPassword(state, state.IdentityIndex, QStringLiteral("0"));
    if (auto plain = DecipherStoredPassword(stored))
        return plain;
    state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                       MessageText::Std(state, kMsgDamagedPassword));
    return std::nullopt;
}

bool WriteOwnerOnly(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile f(path);
    // Unbuffered, so that a short write (a full disk) shows in what write() returns: a
    // buffered QSaveFile can flush part of its buffer on commit and still report success.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const qint64 written = f.write(bytes);
    if (written != bytes.size()) {
        if (error)
            *error = written < 0 ? f.errorString()
                                 : QStringLiteral("%1: only %2 of %3 bytes could be written; the "
                                                  "disk may be full")
                                       .arg(QFileInfo(path).fileName())
                                       .arg(written)
                                       .arg(bytes.size());
        f.cancelWriting();
        return false;
    }
    if (f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

bool EncipherFile(const QString& path, const QByteArray& rtf, QString* error) {
    return WriteOwnerOnly(path, FileTransform(rtf), error);
}

bool DecipherFile(const QString& path, QByteArray& rtf, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = f.errorString();
        return false;
    }
    rtf = FileTransform(std::move(bytes));
    return true;
}

bool EncipherEntryFile(const QString& base, const QByteArray& rtf, QString* error) {
    return EncipherFile(FileFunctions::resolve(base + QStringLiteral(".Px")), rtf, error);
}

bool DecipherEntryFile(const QString& base, QByteArray& rtf, QString* error) {
    return DecipherFile(FileFunctions::resolve(base + QStringLiteral(".Px")), rtf, error);
}

} // namespace EncryptDecrypt
