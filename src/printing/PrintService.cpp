#include "printing/PrintService.h"

#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"
#include "printing/PageLayout.h"
#include "printing/PrintMargins.h"
#include "printing/frmDocPreview.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {
constexpr double kTwipsPerInch = 1440.0;
} // namespace

PrintService::PrintService(ProgramState& state, QObject* parent)
    : QObject(parent), m_state(state),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PrintService"));
    usePrintableArea();
}

PrintService::~PrintService() = default;

void PrintService::usePrintableArea() {
    // The program's own margins are measured from the edge of the printable area, so the
    // printer adds none beyond what the paper path needs.
    m_printer->setFullPage(false);
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setPageMargins(layout.minimumMargins(), layout.units());
}

QSizeF PrintService::pageTwips() {
    usePrintableArea();
    return m_printer->pageRect(QPrinter::Inch).size() * kTwipsPerInch;
}

bool PrintService::PrintSetup() { return m_state.dialogs.printer(*m_printer); }

PrintService::Result PrintService::Print(const QTextEdit* pane) {
    const QTextCursor c = pane->textCursor();
    if (c.hasSelection())
        return printThroughDialog(*pane->document(), c.selectionStart(), c.selectionEnd());
    return printThroughDialog(*pane->document(), 0, -1);
}

PrintService::Result PrintService::PrintPreview(const QTextEdit* pane, QWidget* parent) {
    frmDocPreview preview(m_state, *pane->document(), pageTwips(),
                          PrintMargins::Inches(m_state), parent);
    if (!preview.run())
        return Result::NotRequested;
    return DocPrintProc(*pane->document());
}

PrintService::Result PrintService::DocPrintProc(const QTextDocument& document) {
    return printThroughDialog(document, 0, -1);
}

PrintService::Result PrintService::printThroughDialog(const QTextDocument& document, int from,
                                                       int to) {
    const bool selection = to >= 0;
    m_printer->setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
    if (!m_state.dialogs.printer(*m_printer))
        return Result::Cancelled;
    const bool printSelection = selection && m_printer->printRange() == QPrinter::Selection;
    const PageLayout layout(document, pageTwips(), PrintMargins::Inches(m_state),
                            printSelection ? from : 0, printSelection ? to : -1);
    if (printPages(layout))
        return Result::Printed;
    reportFailure();
    return Result::Failed;
}

bool PrintService::printPages(const PageLayout& layout) {
    int first = 1;
    int last = layout.pageCount();
    if (m_printer->printRange() == QPrinter::PageRange && m_printer->fromPage() > 0) {
        first = qBound(1, m_printer->fromPage(), last);
        last = qBound(first, m_printer->toPage() > 0 ? m_printer->toPage() : last, last);
    }
    QPainter painter;
    if (!painter.begin(m_printer.get()))
        return false;
    const double dpiX = m_printer->logicalDpiX();
    const double dpiY = m_printer->logicalDpiY();
    for (int page = first; page <= last; ++page) {
        if (page > first && !m_printer->newPage()) {
            painter.end();
            return false;
        }
        layout.paintPage(painter, page - 1, dpiX, dpiY);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    const bool ended = painter.end();
    return ended && m_printer->printerState() != QPrinter::Error;
}

void PrintService::reportFailure() {
    m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                         MessageText::Std(m_state, 13));
}
