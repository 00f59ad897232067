#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;

// Every message box, question, input box and common dialog goes through this one interface,
// so that windows can be driven by tests with a scripted double instead of real dialogs.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
    enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

    struct Box {
        Icon icon = Icon::None;
        QString title;
        QString text;
        Buttons buttons = Buttons::Ok;
        Answer defaultButton = Answer::Ok;
    };

    struct FileRequest {
        QString title;
        QString folder;
        QString fileName;
        QStringList filters; // "Rich Text (*.rtf)"
        int filterIndex = 0;
    };

    virtual ~Dialogs() = default;

    virtual Answer message(const Box& box) = 0;
    // Returns nothing when the user cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& initial) = 0;
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    virtual std::optional<QString> folder(const QString& title, const QString& start) = 0;
    virtual std::optional<QColor> colour(const QColor& initial) = 0;
    virtual std::optional<QFont> font(const QFont& initial) = 0;
    // Lets the user choose a printer and its settings; false when cancelled.
    virtual bool printer(QPrinter& printer) = 0;
    // Lets the user choose the printer's paper and orientation (print setup, which prints
    // nothing); false when cancelled.
    virtual bool pageSetup(QPrinter& printer) = 0;

    // Shorthands for the common boxes.
    Answer show(Icon icon, const QString& title, const QString& text,
                Buttons buttons = Buttons::Ok, Answer defaultButton = Answer::Ok) {
        return message(Box{icon, title, text, buttons, defaultButton});
    }
};
