#include "library/SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <cmath>

SettingsStore::SettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::userStorePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Tolvane/Tolvane.conf"));
}

QString SettingsStore::group(const QString& section, const QString& key) const {
    return section + '/' + key;
}

QString SettingsStore::read(const QString& section, const QString& key, const QString& def) const {
    const QVariant v = m_settings->value(group(section, key));
    if (!v.isValid())
        return def;
    return v.toString();
}

bool SettingsStore::contains(const QString& section, const QString& key) const {
    return m_settings->contains(group(section, key));
}

void SettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(group(section, key), value);
}

void SettingsStore::writeNumber(const QString& section, const QString& key, double value) {
    write(section, key, SettingsConvert::fromNumber(value));
}

void SettingsStore::writeBool(const QString& section, const QString& key, bool value) {
    write(section, key, SettingsConvert::fromBool(value));
}

void SettingsStore::deleteKey(const QString& section, const QString& key) {
    m_settings->remove(group(section, key));
}

void SettingsStore::deleteSection(const QString& section) { m_settings->remove(section); }

void SettingsStore::sync() { m_settings->sync(); }

bool SettingsStore::isWritable() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError && m_settings->isWritable();
}

QString SettingsStore::path() const { return m_settings->fileName(); }

double SettingsStore::readNumber(const QString& section, const QString& key, double def,
                                 bool* ok) const {
    double out = def;
    const bool converted = !contains(section, key) ||
                           SettingsConvert::toNumber(read(section, key, QString()), out);
    if (ok)
        *ok = converted;
    return converted ? out : def;
}

bool SettingsStore::readBool(const QString& section, const QString& key, bool def,
                             bool* ok) const {
    bool out = def;
    const bool converted =
        !contains(section, key) || SettingsConvert::toBool(read(section, key, QString()), out);
    if (ok)
        *ok = converted;
    return converted ? out : def;
}

qint64 SettingsStore::readInt(const QString& section, const QString& key, qint64 def,
                             qint64 low, qint64 high, bool* ok) const {
    double v = 0;
    bool converted = true;
    if (contains(section, key)) {
        converted = SettingsConvert::toNumber(read(section, key, QString()), v);
        v = std::nearbyint(v);
        converted = converted && v >= double(low) && v <= double(high);
    }
    if (ok)
        *ok = converted;
    return converted && contains(section, key) ? static_cast<qint64>(v) : def;
}

qint64 SettingsStore::readInt(const QString& section, const SettingsKeys::IntKey& key,
                             bool* ok) const {
    return readInt(section, key.name, key.def, key.low, key.high, ok);
}

namespace SettingsConvert {

bool toNumber(const QString& text, double& out) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

namespace {
template <typename T> bool toWhole(const QString& text, T& out, double lo, double hi) {
    double v = 0;
    if (!toNumber(text, v))
        return false;
    v = std::nearbyint(v); // stored numbers round half to even, like the original store
    if (v < lo || v > hi)
        return false;
    out = static_cast<T>(v);
    return true;
}
} // namespace

bool toInt16(const QString& text, qint16& out) { return toWhole(text, out, -32768, 32767); }
bool toInt32(const QString& text, qint32& out) {
    return toWhole(text, out, -2147483648.0, 2147483647.0);
}
bool toByte(const QString& text, quint8& out) { return toWhole(text, out, 0, 255); }

bool toBool(const QString& text, bool& out) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        out = true;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        out = false;
        return true;
    }
    double v = 0;
    if (!toNumber(t, v))
        return false;
    out = v != 0;
    return true;
}

QString fromBool(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString fromNumber(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

} // namespace SettingsConvert
