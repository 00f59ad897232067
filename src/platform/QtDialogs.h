#pragma once
#include "platform/Dialogs.h"

class QWidget;

// The real dialogs, shown modally over a parent window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

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
    QWidget* m_parent;
};
