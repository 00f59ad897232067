#include "printing/PageValues.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"

#include <cmath>

namespace PageValues {

namespace {
const QString kSettings = QStringLiteral("Settings");

bool readSingle(const SettingsStore& s, const char* key, double& out) {
    bool ok = true;
    const double v = s.readNumber(kSettings, QString::fromLatin1(key), 0, &ok);
    if (ok)
        out = double(float(v)); // kept in single precision
    return ok;
}
} // namespace

bool Load(ProgramState& state) {
    const SettingsStore& s = state.settings;
    double unit = state.CM_IN;
    double fit = state.FitToDesktop;
    double all = state.ApplyToAllForms;
    bool ok = readSingle(s, "CM_IN", unit) && readSingle(s, "WidthPage", state.WidthPage) &&
              readSingle(s, "MarginLeft", state.MarginLeft) &&
              readSingle(s, "MarginRight", state.MarginRight);
    if (ok) {
        bool fitOk = true;
        fit = s.readNumber(kSettings, QStringLiteral("FitToDesktop"), 1, &fitOk);
        ok = fitOk && readSingle(s, "gTopMargin", state.gTopMargin) &&
             readSingle(s, "gBottomMargin", state.gBottomMargin);
    }
    if (ok)
        ok = readSingle(s, "ApplyToAllForms", all);
    state.CM_IN = quint8(unit != 0 ? 1 : 0);
    state.FitToDesktop = qint16(fit);
    state.ApplyToAllForms = qint16(all);
    return ok;
}

void Save(ProgramState& state) {
    SettingsStore& s = state.settings;
    s.writeNumber(kSettings, QStringLiteral("CM_IN"), state.CM_IN);
    s.writeNumber(kSettings, QStringLiteral("WidthPage"), state.WidthPage);
    s.writeNumber(kSettings, QStringLiteral("MarginLeft"), state.MarginLeft);
    s.writeNumber(kSettings, QStringLiteral("MarginRight"), state.MarginRight);
    s.writeNumber(kSettings, QStringLiteral("gTopMargin"), state.gTopMargin);
    s.writeNumber(kSettings, QStringLiteral("gBottomMargin"), state.gBottomMargin);
    s.writeNumber(kSettings, QStringLiteral("FitToDesktop"), state.FitToDesktop);
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
    p.fitToWindow = false;
    const double k = TwipsPerUnit(state);
    p.rightMarginTwips = (state.WidthPage - state.MarginRight) * k;
    p.indentTwips = state.MarginLeft * k;
    return p;
}

double Single(double value) {
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
    return QString::number(float(value));
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
