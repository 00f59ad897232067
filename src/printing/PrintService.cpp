#include "printing/PrintService.h"

#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"
#include "printing/PageLayout.h"
#include "printing/PrintMargins.h"
#include "printing/frmDocPreview.h"

#include <QCoreApplication>
#include <QFile>
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
    useWholeSheet();
}

PrintService::~PrintService() = default;

// The program's margins are measured from the edge of the paper; the printer adds none of
// its own (they are raised to its minimum instead, see paperMargins).
void PrintService::useWholeSheet() {
    m_printer->setFullPage(true);
}

QSizeF PrintService::pageTwips() {
    useWholeSheet();
    return m_printer->pageLayout().fullRect(QPageLayout::Inch).size() * kTwipsPerInch;
}

QMarginsF PrintService::printerMargins() const {
    QPageLayout layout = m_printer->pageLayout();
    layout.setUnits(QPageLayout::Inch);
    return PrintMargins::OnPaper(layout.margins(), layout.minimumMargins());
}

QMarginsF PrintService::paperMargins() {
    useWholeSheet();
    return PrintMargins::OnPaper(PrintMargins::Inches(m_state), printerMargins());
}

bool PrintService::PrintSetup() { return m_state.dialogs.pageSetup(*m_printer); }

PrintService::Result PrintService::Print(const QTextEdit* pane) {
    const QTextCursor c = pane->textCursor();
    if (c.hasSelection())
        return printThroughDialog(*pane->document(), c.selectionStart(), c.selectionEnd());
    return printThroughDialog(*pane->document(), 0, -1);
}

PrintService::Result PrintService::PrintPreview(const QTextEdit* pane, QWidget* parent) {
    frmDocPreview preview(m_state, *pane->document(), pageTwips(), paperMargins(), parent);
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
    const PageLayout layout(document, pageTwips(), paperMargins(), printSelection ? from : 0,
                            printSelection ? to : -1);
    if (printPages(layout))
        return Result::Printed;
    renewPrinter();
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
    return ended && m_printer->printerState() != QPrinter::Error && fileComplete();
}

// Qt's PDF output does not report every failed write (a full disk shows only as a short
// file), so a file is taken as printed only when its end-of-file marker was written.
bool PrintService::fileComplete() const {
    if (m_printer->outputFormat() != QPrinter::PdfFormat || m_printer->outputFileName().isEmpty())
        return true;
    QFile file(m_printer->outputFileName());
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return false;
    file.seek(qMax<qint64>(0, file.size() - 1024));
    return file.read(1024).contains("%%EOF");
}

// After a failed job Qt's PDF output can keep failing silently, so the next job gets a fresh
// printer with the same choices.
void PrintService::renewPrinter() {
    auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
    fresh->setOutputFormat(m_printer->outputFormat());
    if (m_printer->outputFormat() == QPrinter::NativeFormat)
        fresh->setPrinterName(m_printer->printerName());
    fresh->setOutputFileName(m_printer->outputFileName());
    fresh->setPageLayout(m_printer->pageLayout());
    fresh->setCopyCount(m_printer->copyCount());
    fresh->setCollateCopies(m_printer->collateCopies());
    fresh->setColorMode(m_printer->colorMode());
    fresh->setDuplex(m_printer->duplex());
    fresh->setPageOrder(m_printer->pageOrder());
    fresh->setDocName(m_printer->docName());
    m_printer = std::move(fresh);
    useWholeSheet();
}

void PrintService::reportFailure() {
    m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                         MessageText::Std(m_state, 13));
}
