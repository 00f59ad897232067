#include "printing/PageValues.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"

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

bool InInches(const ProgramState& state) { return state.CM_IN != 0; }

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

} // namespace PageValues
