#include "printing/PageLayout.h"

#include "printing/PrintMargins.h"

#include <QAbstractTextDocumentLayout>
#include <QMarginsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>

namespace {
constexpr double kMetresPerInch = 0.0254;
} // namespace

PageLayout::PageLayout(const QTextDocument& source, const QSizeF& pageTwips,
                       const QMarginsF& inches, int from, int to)
    : m_metrics(1, 1, QImage::Format_RGB32),
      m_pageSize(pageTwips),
      m_pageRect(PrintMargins::PageRectTwips(pageTwips, inches)) {
    m_metrics.setDotsPerMeterX(qRound(kLayoutDpi / kMetresPerInch));
    m_metrics.setDotsPerMeterY(qRound(kLayoutDpi / kMetresPerInch));
    copyDocument(source, from, to);
    findPageRanges();
}

PageLayout::~PageLayout() = default;

void PageLayout::copyDocument(const QTextDocument& source, int from, int to) {
    m_doc.reset(source.clone());
    m_doc->setDefaultFont(source.defaultFont());
    m_doc->documentLayout()->setPaintDevice(&m_metrics);

    const int length = m_doc->characterCount() - 1;
    to = (to < 0 || to > length) ? length : to;
    from = qBound(0, from, to);
    QTextCursor c(m_doc.get());
    if (to < length) {
        c.setPosition(to);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    }
    if (from > 0) {
        c.setPosition(0);
        c.setPosition(from, QTextCursor::KeepAnchor);
        c.removeSelectedText();
    }

    // The page rectangle alone places the text: the pane's own indent and margins stand in
    // for the page margins on screen and must not be added to them on paper.
    m_doc->setDocumentMargin(0);
    QTextFrameFormat root = m_doc->rootFrame()->frameFormat();
    root.setMargin(0);
    root.setPadding(0);
    m_doc->rootFrame()->setFrameFormat(root);
    // Printed lines always wrap at the page rectangle, whatever the pane's wrap setting.
    QTextOption option = m_doc->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    m_doc->setDefaultTextOption(option);
    m_doc->setPageSize(m_pageRect.size());
}

void PageLayout::findPageRanges() {
    QAbstractTextDocumentLayout* layout = m_doc->documentLayout();
    const int pages = qMax(1, layout->pageCount());
    const double height = m_pageRect.height();
    const int length = m_doc->characterCount() - 1;

    // First character of each page: the earliest line that starts on it.
    QVector<int> first(pages, -1);
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* tl = b.layout();
        if (!tl)
            continue;
        // Lines are placed relative to their layout, the layout relative to its frame.
        const double top = layout->blockBoundingRect(b).top() - tl->boundingRect().top();
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            const int page = qBound(0, qFloor((top + line.y()) / height + 1e-6), pages - 1);
            const int start = b.position() + line.textStart();
            if (first[page] < 0 || start < first[page])
                first[page] = start;
        }
    }
    first[0] = 0;
    m_pages.resize(pages);
    int next = length;
    for (int p = pages - 1; p >= 0; --p) {
        // A page that no line starts on (a picture taller than the page running over)
        // holds no characters of its own.
        const int start = first[p] < 0 ? next : qMin(first[p], next);
        m_pages[p] = Range{start, next};
        next = start;
    }
}

PageLayout::Range PageLayout::pageRange(int index) const {
    if (index < 0 || index >= m_pages.size())
        return Range{};
    return m_pages[index];
}

QString PageLayout::text() const { return m_doc->toPlainText(); }

QString PageLayout::pageText(int index) const {
    const Range r = pageRange(index);
    QTextCursor c(m_doc.get());
    c.setPosition(r.first);
    c.setPosition(r.end, QTextCursor::KeepAnchor);
    // The cursor gives paragraph breaks as U+2029; plain text has line feeds.
    return c.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

QSize PageLayout::pixelSize(double dpiX, double dpiY) const {
    return QSize(qMax(1, qRound(m_pageSize.width() * dpiX / kLayoutDpi)),
                 qMax(1, qRound(m_pageSize.height() * dpiY / kLayoutDpi)));
}

void PageLayout::paintPage(QPainter& painter, int index, double dpiX, double dpiY) const {
    if (index < 0 || index >= pageCount())
        return;
    const double height = m_pageRect.height();
    painter.save();
    painter.scale(dpiX / kLayoutDpi, dpiY / kLayoutDpi);
    painter.translate(m_pageRect.topLeft());
    painter.setClipRect(QRectF(0, 0, m_pageRect.width(), height), Qt::IntersectClip);
    painter.translate(0, -index * height);

    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, index * height, m_pageRect.width(), height);
    context.palette.setColor(QPalette::Text, Qt::black);
    m_doc->documentLayout()->draw(&painter, context);
    painter.restore();
}
