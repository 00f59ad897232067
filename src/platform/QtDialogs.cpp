#include "platform/QtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Dialogs::Buttons buttons) {
    switch (buttons) {
    case Dialogs::Buttons::Ok: return QMessageBox::Ok;
    case Dialogs::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Dialogs::Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case Dialogs::Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton toQt(Dialogs::Answer a) {
    switch (a) {
    case Dialogs::Answer::Ok: return QMessageBox::Ok;
    case Dialogs::Answer::Cancel: return QMessageBox::Cancel;
    case Dialogs::Answer::Yes: return QMessageBox::Yes;
    case Dialogs::Answer::No: return QMessageBox::No;
    case Dialogs::Answer::Retry: return QMessageBox::Retry;
    case Dialogs::Answer::Abort: return QMessageBox::Abort;
    case Dialogs::Answer::Ignore: return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

Dialogs::Answer fromQt(int b, Dialogs::Buttons buttons) {
    switch (b) {
    case QMessageBox::Ok: return Dialogs::Answer::Ok;
    case QMessageBox::Yes: return Dialogs::Answer::Yes;
    case QMessageBox::No: return Dialogs::Answer::No;
    case QMessageBox::Retry: return Dialogs::Answer::Retry;
    case QMessageBox::Abort: return Dialogs::Answer::Abort;
    case QMessageBox::Ignore: return Dialogs::Answer::Ignore;
    default: break;
    }
    // Escape on a box without Cancel answers as its only or "No" button.
    if (buttons == Dialogs::Buttons::Ok)
        return Dialogs::Answer::Ok;
    if (buttons == Dialogs::Buttons::YesNo)
        return Dialogs::Answer::No;
    return Dialogs::Answer::Cancel;
}

QString filterText(const QStringList& filters) { return filters.join(QStringLiteral(";;")); }

} // namespace

Dialogs::Answer QtDialogs::message(const Box& box) {
    QMessageBox mb(toQt(box.icon), box.title, box.text, toQt(box.buttons), m_parent);
    mb.setDefaultButton(toQt(box.defaultButton));
    return fromQt(mb.exec(), box.buttons);
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& title,
                                        const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::openFile(const FileRequest& r) {
    QString selected = r.filterIndex < r.filters.size() ? r.filters.value(r.filterIndex) : QString();
    const QString start = r.fileName.isEmpty() ? r.folder : r.folder + r.fileName;
    const QString f =
        QFileDialog::getOpenFileName(m_parent, r.title, start, filterText(r.filters), &selected);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> QtDialogs::saveFile(const FileRequest& r) {
    QString selected = r.filters.value(r.filterIndex);
    const QString start = r.fileName.isEmpty() ? r.folder : r.folder + r.fileName;
    // The caller asks before replacing a file, as the notepad does with its own message.
    const QString f = QFileDialog::getSaveFileName(m_parent, r.title, start,
                                                   filterText(r.filters), &selected,
                                                   QFileDialog::DontConfirmOverwrite);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> QtDialogs::folder(const QString& title, const QString& start) {
    const QString f = QFileDialog::getExistingDirectory(m_parent, title, start);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QColor> QtDialogs::colour(const QColor& initial) {
    const QColor c = QColorDialog::getColor(initial, m_parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<QFont> QtDialogs::font(const QFont& initial) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, m_parent);
    if (!ok)
        return std::nullopt;
    return f;
}

bool QtDialogs::pageSetup(QPrinter& printer) {
    QPageSetupDialog dlg(&printer, m_parent);
    return dlg.exec() == QDialog::Accepted;
}

bool QtDialogs::printer(QPrinter& printer) {
    QPrintDialog dlg(&printer, m_parent);
    // The caller preselects "Selection" when there is one to print; the dialog must offer it.
    if (printer.printRange() == QPrinter::Selection)
        dlg.setOption(QAbstractPrintDialog::PrintSelection);
    return dlg.exec() == QDialog::Accepted;
}
