#include "printing/PageValues.h"

#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"

#include <QPageSize>
#include <QSizeF>

#include <cmath>
#include <limits>

namespace PageValues {

namespace {
using namespace SettingsKeys;

// Page values are singles: a stored number beyond a single's range does not convert.
bool readSingle(const SettingsStore& s, QLatin1String key, double& out) {
    bool ok = true;
    const double v = s.readNumber(Settings, key, 0, &ok);
    if (ok && std::fabs(v) > double(std::numeric_limits<float>::max()))
        ok = false;
    if (ok)
        out = Single(v);
    return ok;
}

// The two switches are 16-bit integers.
bool readSwitch(const SettingsStore& s, QLatin1String key, qint16 def, qint16& out) {
    bool ok = true;
    const qint64 v = s.readInt(Settings, key, def, kInt16Low, kInt16High, &ok);
    if (ok)
        out = qint16(v);
    return ok;
}
} // namespace

bool Load(ProgramState& state) {
    const SettingsStore& s = state.settings;
    double unit = state.CM_IN;
    bool ok = readSingle(s, CM_IN, unit) && readSingle(s, WidthPage, state.WidthPage) &&
              readSingle(s, MarginLeft, state.MarginLeft) &&
              readSingle(s, MarginRight, state.MarginRight) &&
              readSwitch(s, FitToDesktop, 1, state.FitToDesktop) &&
              readSingle(s, gTopMargin, state.gTopMargin) &&
              readSingle(s, gBottomMargin, state.gBottomMargin) &&
              readSwitch(s, ApplyToAllForms, 0, state.ApplyToAllForms);
    state.CM_IN = quint8(unit != 0 ? 1 : 0);
    return ok;
}

void Save(ProgramState& state) {
    using namespace SettingsKeys;
    SettingsStore& s = state.settings;
    s.writeNumber(Settings, CM_IN, state.CM_IN);
    s.writeNumber(Settings, WidthPage, state.WidthPage);
    s.writeNumber(Settings, MarginLeft, state.MarginLeft);
    s.writeNumber(Settings, MarginRight, state.MarginRight);
    s.writeNumber(Settings, gTopMargin, state.gTopMargin);
    s.writeNumber(Settings, gBottomMargin, state.gBottomMargin);
    s.writeNumber(Settings, FitToDesktop, state.FitToDesktop);
}

bool InInches(const ProgramState& state) {
    return state.CM_IN != 0;
}

double TwipsPerUnit(const ProgramState& state) {
    return InInches(state) ? kTwipsPerInch : kTwipsPerMillimetre;
}

PaneLayout ComputePaneLayout(const ProgramState& state) {
    PaneLayout p;
    if (state.FitToDesktop == 1)
        return p;
    if (!LeavesALine(state.WidthPage, state.MarginLeft, state.MarginRight))
        return p;
    p.fitToWindow = false;
    const double k = TwipsPerUnit(state);
    p.rightMarginTwips = (state.WidthPage - state.MarginRight) * k;
    p.indentTwips = state.MarginLeft * k;
    return p;
}

double Single(double value) {
    // Beyond a single's range the conversion would be undefined; such values stay as given.
    if (!(std::fabs(value) <= double(std::numeric_limits<float>::max())))
        return value;
    return double(float(value));
}

double ToInches(double millimetres) {
    return Single(std::round(millimetres / kMillimetresPerInch * 10.0) / 10.0);
}

double ToMillimetres(double inches) {
    return Single(std::round(inches * kMillimetresPerInch));
}

void ConvertUnits(ProgramState& state, bool toInches) {
    if (InInches(state) != toInches) {
        auto convert = toInches ? ToInches : ToMillimetres;
        for (double* v : {&state.WidthPage, &state.MarginLeft, &state.MarginRight,
                          &state.gTopMargin, &state.gBottomMargin})
            *v = convert(*v);
    }
    state.CM_IN = toInches ? 1 : 0;
}

void RoundMillimetres(ProgramState& state) {
    for (double* v : {&state.WidthPage, &state.MarginLeft, &state.MarginRight})
        *v = Single(std::round(*v));
}

double DefaultWidth(bool inches, const QLocale& locale) {
    const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem;
    const QPageSize paper(letter ? QPageSize::Letter : QPageSize::A4);
    const double millimetres = paper.size(QPageSize::Millimeter).width();
    return inches ? ToInches(millimetres) : Single(std::round(millimetres));
}

bool LeavesALine(double width, double left, double right) {
    return width > 0 && width > left + right;
}

namespace {
QStringList tenths(int fromWhole, int toWhole) {
    QStringList out;
    for (int whole = fromWhole; whole <= toWhole; ++whole)
        for (int tenth = 0; tenth <= 9; ++tenth)
            out << QStringLiteral("%1.%2").arg(whole).arg(tenth);
    return out;
}
QStringList wholes(int from, int to) {
    QStringList out;
    for (int v = from; v <= to; ++v)
        out << QString::number(v);
    return out;
}
} // namespace

QStringList WidthEntries(bool inches) {
    return inches ? tenths(3, 16) : wholes(76, 429);
}

QStringList MarginEntries(bool inches) {
    return inches ? tenths(0, 3) : wholes(0, 100);
}

QString FormatValue(double value) {
    return QString::number(Single(value));
}

std::optional<double> ParseValue(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > 1e6)
        return std::nullopt;
    return Single(v);
}

Snapshot Take(const ProgramState& state) {
    return Snapshot{state.CM_IN,        state.WidthPage,      state.MarginLeft,
                    state.MarginRight,  state.gTopMargin,     state.gBottomMargin,
                    state.FitToDesktop, state.ApplyToAllForms};
}

void Restore(ProgramState& state, const Snapshot& s) {
    state.CM_IN = s.CM_IN;
    state.WidthPage = s.WidthPage;
    state.MarginLeft = s.MarginLeft;
    state.MarginRight = s.MarginRight;
    state.gTopMargin = s.gTopMargin;
    state.gBottomMargin = s.gBottomMargin;
    state.FitToDesktop = s.FitToDesktop;
    state.ApplyToAllForms = s.ApplyToAllForms;
}

} // namespace PageValues
