#include "ScriptedDialogs.h"

#include <QTest>

namespace {
const char* kindName(ScriptedDialogs::Kind k) {
    switch (k) {
    case ScriptedDialogs::Kind::Message: return "message box";
    case ScriptedDialogs::Kind::Input: return "input box";
    case ScriptedDialogs::Kind::OpenFile: return "open-file dialog";
    case ScriptedDialogs::Kind::SaveFile: return "save-file dialog";
    case ScriptedDialogs::Kind::Folder: return "folder dialog";
    case ScriptedDialogs::Kind::Colour: return "colour dialog";
    case ScriptedDialogs::Kind::Font: return "font dialog";
    case ScriptedDialogs::Kind::Printer: return "printer dialog";
    case ScriptedDialogs::Kind::PageSetup: return "page-setup dialog";
    }
    return "dialog";
}
} // namespace

ScriptedDialogs::Record ScriptedDialogs::makeRecord(Kind kind, const QString& title,
                                                    const QString& text, const QString& prompt) {
    Record r;
    r.kind = kind;
    r.box.title = title;
    r.box.text = text;
    r.prompt = prompt;
    return r;
}

void ScriptedDialogs::expectMessage(Answer answer, const QString& contains) {
    Step s;
    s.kind = Kind::Message;
    s.answer = answer;
    s.contains = contains;
    m_script.push_back(s);
}
void ScriptedDialogs::expectInput(std::optional<QString> text) {
    Step s;
    s.kind = Kind::Input;
    s.text = std::move(text);
    m_script.push_back(s);
}
void ScriptedDialogs::expectOpenFile(std::optional<QString> path) {
    Step s;
    s.kind = Kind::OpenFile;
    s.text = std::move(path);
    m_script.push_back(s);
}
void ScriptedDialogs::expectSaveFile(std::optional<QString> path) {
    Step s;
    s.kind = Kind::SaveFile;
    s.text = std::move(path);
    m_script.push_back(s);
}
void ScriptedDialogs::expectFolder(std::optional<QString> path) {
    Step s;
    s.kind = Kind::Folder;
    s.text = std::move(path);
    m_script.push_back(s);
}
void ScriptedDialogs::expectColour(std::optional<QColor> colour) {
    Step s;
    s.kind = Kind::Colour;
    s.colour = colour;
    m_script.push_back(s);
}
void ScriptedDialogs::expectFont(std::optional<QFont> font) {
    Step s;
    s.kind = Kind::Font;
    s.font = std::move(font);
    m_script.push_back(s);
}
void ScriptedDialogs::expectPrinter(bool accept, std::function<void(QPrinter&)> setUp) {
    Step s;
    s.kind = Kind::Printer;
    s.accept = accept;
    s.setUp = std::move(setUp);
    m_script.push_back(s);
}
void ScriptedDialogs::expectPageSetup(bool accept, std::function<void(QPrinter&)> setUp) {
    Step s;
    s.kind = Kind::PageSetup;
    s.accept = accept;
    s.setUp = std::move(setUp);
    m_script.push_back(s);
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList out;
    for (const Record& r : m_records)
        if (r.kind == Kind::Message)
            out << r.box.text;
    return out;
}

void ScriptedDialogs::clear() {
    m_script.clear();
    m_records.clear();
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::take(Kind kind, const QString& description) {
    if (m_script.empty() || m_script.front().kind != kind) {
        const QString expected =
            m_script.empty() ? QStringLiteral("nothing")
                             : QString::fromLatin1(kindName(m_script.front().kind));
        const QByteArray msg = QStringLiteral("Unexpected %1 (expected %2): %3")
                                   .arg(QString::fromLatin1(kindName(kind)), expected, description)
                                   .toUtf8();
        QTest::qFail(msg.constData(), __FILE__, __LINE__);
        return std::nullopt;
    }
    Step s = m_script.front();
    m_script.pop_front();
    return s;
}

Dialogs::Answer ScriptedDialogs::message(const Box& box) {
    Record rec;
    rec.box = box;
    m_records.append(rec);
    const bool scripted = !m_script.empty() && m_script.front().kind == Kind::Message;
    if (m_lenient && !scripted)
        return box.defaultButton;
    const auto step = take(Kind::Message, box.title + QStringLiteral(" / ") + box.text);
    if (!step)
        return box.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    if (!step->contains.isEmpty() && !box.text.contains(step->contains)) {
        const QByteArray msg = QStringLiteral("Message box text \"%1\" lacks \"%2\"")
                                   .arg(box.text, step->contains)
                                   .toUtf8();
        QTest::qFail(msg.constData(), __FILE__, __LINE__);
    }
    return step->answer;
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& title,
                                              const QString&) {
    m_records.append(makeRecord(Kind::Input, title, prompt, prompt));
    const auto step = take(Kind::Input, prompt);
    return step ? step->text : std::nullopt;
}

std::optional<QString> ScriptedDialogs::openFile(const FileRequest& r) {
    m_records.append(makeRecord(Kind::OpenFile, r.title, QString(), r.title));
    m_records.last().folder = r.folder;
    const auto step = take(Kind::OpenFile, r.title);
    return step ? step->text : std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFile(const FileRequest& r) {
    m_records.append(makeRecord(Kind::SaveFile, r.title, QString(), r.title));
    m_records.last().folder = r.folder;
    const auto step = take(Kind::SaveFile, r.title);
    return step ? step->text : std::nullopt;
}

std::optional<QString> ScriptedDialogs::folder(const QString& title, const QString&) {
    m_records.append(makeRecord(Kind::Folder, title, QString(), title));
    const auto step = take(Kind::Folder, title);
    return step ? step->text : std::nullopt;
}

std::optional<QColor> ScriptedDialogs::colour(const QColor&) {
    m_records.append(makeRecord(Kind::Colour, QString(), QString()));
    const auto step = take(Kind::Colour, QString());
    return step ? step->colour : std::nullopt;
}

std::optional<QFont> ScriptedDialogs::font(const QFont&) {
    m_records.append(makeRecord(Kind::Font, QString(), QString()));
    const auto step = take(Kind::Font, QString());
    return step ? step->font : std::nullopt;
}

bool ScriptedDialogs::printer(QPrinter& printer) {
    return printerStep(Kind::Printer, printer);
}

bool ScriptedDialogs::pageSetup(QPrinter& printer) {
    return printerStep(Kind::PageSetup, printer);
}

bool ScriptedDialogs::printerStep(Kind kind, QPrinter& printer) {
    m_records.append(makeRecord(kind, QString(), QString()));
    const auto step = take(kind, QString());
    if (!step)
        return false;
    if (step->setUp)
        step->setUp(printer);
    return step->accept;
}
