#pragma once
#include "platform/Dialogs.h"

#include <cstdio>

// Dialogs for programs without windows (the command line, the benchmark): every box goes to
// the error stream and takes its default button; every other dialog is cancelled.
class ConsoleDialogs : public Dialogs {
public:
    Answer message(const Box& box) override {
        QString text = box.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        std::fprintf(stderr, "%s: %s\n", box.title.toLocal8Bit().constData(),
                     text.toLocal8Bit().constData());
        return box.defaultButton;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> folder(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QColor> colour(const QColor&) override { return std::nullopt; }
    std::optional<QFont> font(const QFont&) override { return std::nullopt; }
    bool printer(QPrinter&) override { return false; }
    bool pageSetup(QPrinter&) override { return false; }
};
