#pragma once
#include <QDialog>
#include <QImage>
#include <QMarginsF>
#include <QSizeF>
#include <memory>

class PageLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTextDocument;
class QWidget;
struct ProgramState;

// The print preview: a document laid out in printer pages, one page at a time at one of
// five scales, with page and zoom buttons. Opened modally; when it closes with the print
// button the caller prints the document.
class frmDocPreview : public QDialog {
    Q_OBJECT
public:
    // `pageTwips` is the printer's page, `inches` the print margins; the document must stay
    // alive while the window is open.
    frmDocPreview(ProgramState& state, const QTextDocument& document, const QSizeF& pageTwips,
                  const QMarginsF& inches, QWidget* parent = nullptr);
    ~frmDocPreview() override;

    void Form_Load();
    // Form_Load, then modal until closed; true when the user asked to print.
    bool run();

    // Handlers.
    void cboPageNo_Click();
    void cmdPrevPage_Click();
    void cmdNextPage_Click();
    void cboScale_Click();
    void cmdZoomIn_Click();
    void cmdZoomOut_Click();
    void HScroll1_Change();
    void VScroll1_Change();
    void cmdPrint_Click();
    void cmdClose_Click();

    bool printRequested() const { return m_printRequested; }
    int pageCount() const;
    int currentPage() const { return m_page; } // 1-based
    int zoomState() const { return m_zoom; }   // 1 ("150") to 5 ("25")
    const PageLayout* layout() const { return m_layout.get(); }
    const QImage& PicX() const { return m_picX; }
    QLabel* picture(int zoomState) const;

    // Controls, named as the program's documentation names them.
    QComboBox* cboPageNo = nullptr;
    QLineEdit* txtTotalPages = nullptr;
    QPushButton* cmdPrevPage = nullptr;
    QPushButton* cmdNextPage = nullptr;
    QComboBox* cboScale = nullptr;
    QPushButton* cmdZoomIn = nullptr;
    QPushButton* cmdZoomOut = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdClose = nullptr;
    QWidget* Picture = nullptr; // the area the page images are shown in
    QLabel* Pic1 = nullptr;
    QLabel* Pic2 = nullptr;
    QLabel* Pic3 = nullptr;
    QLabel* Pic4 = nullptr;
    QLabel* Pic5 = nullptr;

private:
    void buildControls();
    void connectControls();
    void setPageButtons();
    void setZoomButtons();
    void goToPage(int page);
    void drawPage();
    bool makeDisplayImages();
    void showCurrentImage();
    void placeImages();

    ProgramState& m_state;
    const QTextDocument& m_document;
    QSizeF m_pageTwips;
    QMarginsF m_inches;
    std::unique_ptr<PageLayout> m_layout;
    QImage m_picX;
    bool m_printRequested = false;
    int m_page = 1;
    int m_zoom = 5;
};
