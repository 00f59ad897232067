#include "parallel/OptionValues.h"

#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"

#include <QRegularExpression>

namespace OptionValues {

LimitCheck CheckHighlightLimit(const QString& text) {
    const QString t = text.trimmed().isEmpty() ? QStringLiteral("0") : text.trimmed();
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    LimitCheck c;
    if (!wholeNumber.match(t).hasMatch()) {
        c.message = 86;
        c.argument = QString::number(kLimitLow);
        return c;
    }
    // Digits beyond any integer's range are simply far above (or below) the limits.
    const QString digits =
        t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+')) ? t.mid(1) : t;
    const bool negative = t.startsWith(QLatin1Char('-'));
    bool fits = false;
    const qint64 magnitude = digits.size() <= 12 ? digits.toLongLong(&fits) : 0;
    const qint64 v = fits ? (negative ? -magnitude : magnitude)
                          : (negative ? qint64(kLimitLow) - 1 : qint64(kLimitHigh) + 1);
    if (v > kLimitHigh) {
        c.message = 85;
        c.argument = QString::number(kLimitHigh);
    } else if (v < kLimitLow) {
        c.message = 86;
        c.argument = QString::number(kLimitLow);
    } else {
        c.ok = true;
        c.value = qint32(v);
    }
    return c;
}

void Save(ProgramState& state, qint16 showSplash) {
    namespace K = SettingsKeys;
    SettingsStore& s = state.settings;
    const QString section = K::Settings;
    struct Value {
        QLatin1String key;
        double value;
    };
    const Value values[] = {
        {K::MAXCountSize, double(state.MAXCountSize)},
        {K::Bib1TC, double(state.Bib1TC)},
        {K::Bib1BC, double(state.Bib1BC)},
        {K::Bib1H1, double(state.Bib1H1)},
        {K::Bib1H2, double(state.Bib1H2)},
        {K::Bib1H3, double(state.Bib1H3)},
        {K::Bib1H4, double(state.Bib1H4)},
        {K::Bib1H5, double(state.Bib1H5)},
        {K::Bib2TC, double(state.Bib2TC)},
        {K::Bib2BC, double(state.Bib2BC)},
        {K::Bib2Fontsize, double(state.Bib2Fontsize)},
        {K::Bib1Fontsize, double(state.Bib1Fontsize)},
        {K::ActiveUpdateBib1, double(state.ActiveUpdateBib1)},
        {K::DeleteTempFilesOnExit, double(state.DeleteTempFilesOnExit)},
        {K::ShowSplash.name, double(showSplash)},
    };
    for (const Value& v : values)
        s.writeNumber(section, v.key, v.value);
    state.ShowSplash = showSplash;
}

} // namespace OptionValues
