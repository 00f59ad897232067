#pragma once
#include "platform/Dialogs.h"

#include <QList>
#include <deque>
#include <functional>

// A Dialogs double for tests: answers each box from a script given in advance, records every
// box it was shown, and fails the running test when a box arrives that the script does not
// expect (instead of blocking on a real dialog).
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind {
        Message,
        Input,
        OpenFile,
        SaveFile,
        Folder,
        Colour,
        Font,
        Printer,
        PageSetup
    };

    struct Record {
        Kind kind = Kind::Message;
        Box box;        // for messages
        QString prompt; // input prompt, file dialog title
        QString folder; // file dialogs: the folder they open in
    };
    static Record makeRecord(Kind kind, const QString& title, const QString& text,
                             const QString& prompt = QString());

    // Scripted answers, consumed in order. `contains`, when given, must occur in the text
    // of the box that takes the answer.
    void expectMessage(Answer answer = Answer::Ok, const QString& contains = QString());
    void expectInput(std::optional<QString> text);
    void expectOpenFile(std::optional<QString> path);
    void expectSaveFile(std::optional<QString> path);
    void expectFolder(std::optional<QString> path);
    void expectColour(std::optional<QColor> colour);
    void expectFont(std::optional<QFont> font);
    void expectPrinter(bool accept, std::function<void(QPrinter&)> setUp = {});
    // The page-setup dialog: `setUp` plays the user's choices of paper and orientation.
    void expectPageSetup(bool accept, std::function<void(QPrinter&)> setUp = {});

    // Answers every message box with its default button instead of failing (for benchmarks
    // and tests that look only at other effects).
    void setLenient(bool lenient) { m_lenient = lenient; }

    const QList<Record>& records() const { return m_records; }
    QStringList messageTexts() const;
    int pending() const { return int(m_script.size()); }
    void clear();

    Answer message(const Box& box) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> folder(const QString& title, const QString& start) override;
    std::optional<QColor> colour(const QColor& initial) override;
    std::optional<QFont> font(const QFont& initial) override;
    bool printer(QPrinter& printer) override;
    bool pageSetup(QPrinter& printer) override;

private:
    struct Step {
        Kind kind = Kind::Message;
        Answer answer = Answer::Ok;
        QString contains;
        std::optional<QString> text;
        std::optional<QColor> colour;
        std::optional<QFont> font;
        bool accept = true;
        std::function<void(QPrinter&)> setUp;
    };
    // The next scripted step of that kind, or nothing after failing the test.
    std::optional<Step> take(Kind kind, const QString& description);
    bool printerStep(Kind kind, QPrinter& printer);

    std::deque<Step> m_script;
    QList<Record> m_records;
    bool m_lenient = false;
};
