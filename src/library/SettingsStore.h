#pragma once
#include "library/SettingsKeys.h"

#include <QString>
#include <memory>

class QSettings;

// The per-user store of text values addressed by section and key, under the application
// name "Tolvane". Numbers are kept as decimal text and booleans as True/False, so every value
// is text; the typed readers report whether the stored text converts.
class SettingsStore {
public:
    // Uses the given INI file (tests use a throw-away file).
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The user's own store: ~/.config/Tolvane/Tolvane.conf on Linux.
    static QString userStorePath();

    QString read(const QString& section, const QString& key, const QString& def) const;
    bool contains(const QString& section, const QString& key) const;
    void write(const QString& section, const QString& key, const QString& value);
    void writeNumber(const QString& section, const QString& key, double value);
    void writeBool(const QString& section, const QString& key, bool value);
    void deleteKey(const QString& section, const QString& key);
    void deleteSection(const QString& section);
    void sync();
    // False when the store's file cannot be written (a read-only home, a path that cannot be
    // made): what is written then lasts only until the program ends.
    bool isWritable();
    QString path() const;

    // Typed reads: the default when the key is absent; *ok false when the text does not
    // convert (the returned value is then the default).
    double readNumber(const QString& section, const QString& key, double def,
                      bool* ok = nullptr) const;
    bool readBool(const QString& section, const QString& key, bool def, bool* ok = nullptr) const;
    // A whole number in [low, high]: the default when the key is absent, and also (with *ok
    // false) when the text is not a number or the number lies outside the range, so that a
    // hand-edited value never reaches a conversion that cannot hold it.
    qint64 readInt(const QString& section, const QString& key, qint64 def, qint64 low,
                   qint64 high, bool* ok = nullptr) const;
    qint64 readInt(const QString& section, const SettingsKeys::IntKey& key,
                   bool* ok = nullptr) const;

private:
    QString group(const QString& section, const QString& key) const;
    std::unique_ptr<QSettings> m_settings;
};

// Conversions with the ranges of the stored types; false when the text does not fit.
namespace SettingsConvert {
bool toNumber(const QString& text, double& out);
bool toInt16(const QString& text, qint16& out);
bool toInt32(const QString& text, qint32& out);
bool toByte(const QString& text, quint8& out);
bool toBool(const QString& text, bool& out);
QString fromBool(bool value);
QString fromNumber(double value);
} // namespace SettingsConvert
