#pragma once
#include "platform/Dialogs.h"

#include <cstdio>

// Boxes would only appear on damaged data; a benchmark shows them on the error stream and
// answers with the default button.
class BenchDialogs : public Dialogs {
public:
    Answer message(const Box& box) override {
        std::fprintf(stderr, "box: %s\n", qPrintable(box.text));
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
};
