#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

struct ProgramState;

// The fixed-key cipher that hides diary entries and stored passwords from casual reading: an
// exclusive-or with KeyAlphabet, repeated. Both transforms are their own inverse. The user's
// password plays no part in enciphering the diary; it only guards the diary window.
namespace EncryptDecrypt {

// 29 characters: a space, a digit, the 26 capitals in a fixed order, a digit.
constexpr char KeyAlphabet[] = " 5QAZWSXEDCRFVTGBYHNUJMIKOLP2";
constexpr int kKeyLength = 29;
constexpr int kMinPasswordLength = 5;
constexpr int kMaxPasswordLength = kKeyLength; // one key character per password character

// File transform: byte j (from 0) meets key character (j + 1) mod 29, so the first byte
// meets the second key character and every 29th byte the space.
QByteArray FileTransform(QByteArray bytes);
// Password transform: character i (from 0) meets key character i; codes are Windows-1252.
// Texts longer than the key come back empty.
QByteArray PasswordTransform(const QByteArray& codes);

// Why a new password cannot be stored, if it cannot.
enum class PasswordProblem {
    None,
    Different,   // the two entries differ
    TooShort,    // under five characters
    TooLong,     // more characters than the key has
    NotStorable, // a character outside Windows-1252
    MeetsItsKey, // a character equal to its key character would be stored as code 0
};
PasswordProblem CheckNewPassword(const QString& first, const QString& second);
// The stored form of a password that passed CheckNewPassword.
QString EncipherPassword(const QString& plain);
// The plain password of a stored value; nothing when the value cannot have been written by
// EncipherPassword (longer than the key, or characters outside Windows-1252).
std::optional<QString> DecipherStoredPassword(const QString& stored);

// The current identity's password in plain text (FindIdentityIndex first). A damaged stored
// value is reported and gives nothing.
std::optional<QString> DecipherPassword(ProgramState& state);

// Writes bytes to path in one step (a temporary file in the same folder replaces it), so a
// crash or a full disk leaves the old file whole. The file is readable by its owner only.
bool WriteOwnerOnly(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The same for a file named in full (its spelling on disk already found).
bool EncipherFile(const QString& path, const QByteArray& rtf, QString* error = nullptr);
bool DecipherFile(const QString& path, QByteArray& rtf, QString* error = nullptr);

// base is an entry's path without extension. The plain RTF never touches the disk: it is
// enciphered in memory and replaces base + ".Px" in one step.
bool EncipherEntryFile(const QString& base, const QByteArray& rtf, QString* error = nullptr);
// The RTF of base + ".Px", deciphered in memory.
bool DecipherEntryFile(const QString& base, QByteArray& rtf, QString* error = nullptr);

} // namespace EncryptDecrypt
