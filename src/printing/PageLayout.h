#pragma once
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <memory>

class QMarginsF;
class QPainter;
class QTextDocument;
class QTextBlock;

// Lays a document out in printed pages: a copy of the text is set on the page rectangle
// that the print margins leave on the printer's page, broken into pages, and each page's
// range of characters is recorded. Counting the pages, the preview images and the printed
// pages all come from one layout, so the preview shows exactly the pages that print.
//
// The layout is made once, at a fixed resolution of its own whatever device the pages are
// painted on later; painting scales to the device's resolution, so a page breaks in the
// same place on screen and on paper.
class PageLayout {
public:
    struct Range {
        int first = 0; // first character of the page
        int end = 0;   // one past its last character
    };

    // `from` and `to` limit the layout to a part of the document (a selection); to < 0 means
    // the end of the text.
    PageLayout(const QTextDocument& source, const QSizeF& pageTwips, const QMarginsF& inches,
               int from = 0, int to = -1);
    ~PageLayout();
    PageLayout(const PageLayout&) = delete;
    PageLayout& operator=(const PageLayout&) = delete;

    // At least 1: an empty text gives one blank page.
    int pageCount() const { return int(m_pages.size()); }
    // Character positions in the laid-out text (0 is the first character of the selection
    // when only a part of the document was laid out).
    Range pageRange(int index) const;
    QString pageText(int index) const;
    QString text() const;

    QSizeF pageSize() const { return m_pageSize; } // twips
    QRectF pageRect() const { return m_pageRect; } // twips
    // Page size in pixels on a device of the given resolution.
    QSize pixelSize(double dpiX, double dpiY) const;

    // Paints one page (0-based) with the painter's origin at the page's top-left corner on a
    // device of the given resolution. Nothing is drawn outside the page rectangle.
    void paintPage(QPainter& painter, int index, double dpiX, double dpiY) const;

    // The resolution the text was laid out at: normally 288 dots per inch; a text too long
    // for the layout's coordinates at that resolution (beyond about 10,000 pages) is laid
    // out coarser.
    double layoutDpi() const { return m_dpi; }

private:
    // One laid-out line and where its layout sits in the document.
    struct LinePlace {
        int block = 0; // block number
        int line = 0;  // line within the block
        QPointF origin;
    };

    void layOut(const QTextDocument& source, int from, int to, double dpi);
    void copyDocument(const QTextDocument& source, int from, int to);
    bool overflowed() const;
    void findPageRanges();
    void paintLine(QPainter& painter, const LinePlace& place) const;
    void paintListMarker(QPainter& painter, const QTextBlock& block, const LinePlace& place) const;

    QImage m_metrics; // the layout's paint device: gives fonts their size at its resolution
    std::unique_ptr<QTextDocument> m_doc;
    QSizeF m_pageSize;
    QRectF m_pageRect; // twips
    double m_dpi = 0;
    QRectF m_body; // the page rectangle in layout units
    QVector<Range> m_pages;
    QVector<QVector<LinePlace>> m_lines; // by page
};
