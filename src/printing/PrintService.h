#pragma once
#include <QMarginsF>
#include <QObject>
#include <QSizeF>
#include <memory>

class PageLayout;
class QPrinter;
class QTextDocument;
class QTextEdit;
class QWidget;
struct ProgramState;

// Printing for every window with printable text: print setup, printing a pane (its
// selection or all of it) through the printer dialog, and the print preview. One printer
// is kept for the life of the service, so choices made in print setup hold for later jobs.
// Pages are laid out on the whole sheet of paper with the page setup's margins, each raised
// to the printer's own margins: its minimum, or more where print setup asked for more.
//
// A cancelled printer dialog prints nothing and says nothing; any other failure, including
// one half-way through a job, is reported with standard message 13.
class PrintService : public QObject {
    Q_OBJECT
public:
    enum class Result { Printed, Cancelled, Failed, NotRequested };

    explicit PrintService(ProgramState& state, QObject* parent = nullptr);
    ~PrintService() override;

    QPrinter& printer() { return *m_printer; }
    // The printer's sheet of paper, in twips: the page the margins apply to.
    QSizeF pageTwips();
    // The margins pages are printed with, in inches (PrintMargins::OnPaper).
    QMarginsF paperMargins();
    // What the printer keeps clear, in inches: its own margins (Qt's defaults for it, or
    // those chosen in print setup), never less than its non-printable border.
    QMarginsF printerMargins() const;

    // The page-setup dialog (paper, orientation); the choices stay with the printer.
    bool PrintSetup();
    // The selection when the pane has one and the user keeps "Selection" in the dialog,
    // otherwise the whole text.
    Result Print(const QTextEdit* pane);
    // Modal preview of the whole text; prints it when the user presses the print button.
    Result PrintPreview(const QTextEdit* pane, QWidget* parent);
    // The whole document through the printer dialog.
    Result DocPrintProc(const QTextDocument& document);

    // Paints the pages of a layout on the printer as it is set up now (a page range chosen
    // in the dialog is honoured); false when the job could not be started or finished.
    bool printPages(const PageLayout& layout);

private:
    void useWholeSheet();
    bool fileComplete() const;
    void renewPrinter();
    Result printThroughDialog(const QTextDocument& document, int from, int to);
    void reportFailure();

    ProgramState& m_state;
    std::unique_ptr<QPrinter> m_printer;
};
