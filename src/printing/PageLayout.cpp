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
#include <QTextList>
#include <QFontMetricsF>
#include <QtMath>

#include <cmath>

namespace {
constexpr double kMetresPerInch = 0.0254;
constexpr double kTwipsPerInch = 1440.0;
// Fine enough for exact glyph positions; 36 dpi only for texts of tens of thousands of pages.
constexpr double kLayoutResolutions[] = {288.0, 36.0};
// The layout's fixed-point coordinates end at 2^31 / 64; keep well inside.
constexpr double kLargestLayoutHeight = 30.0e6;
constexpr double kBoundarySlack = 0.2; // layout units
} // namespace

PageLayout::PageLayout(const QTextDocument& source, const QSizeF& pageTwips,
                       const QMarginsF& inches, int from, int to)
    : m_metrics(1, 1, QImage::Format_RGB32),
      m_pageSize(pageTwips),
      m_pageRect(PrintMargins::PageRectTwips(pageTwips, inches)) {
    for (double dpi : kLayoutResolutions) {
        layOut(source, from, to, dpi);
        if (!overflowed())
            break;
    }
    findPageRanges();
}

void PageLayout::layOut(const QTextDocument& source, int from, int to, double dpi) {
    m_dpi = dpi;
    m_metrics.setDotsPerMeterX(qRound(dpi / kMetresPerInch));
    m_metrics.setDotsPerMeterY(qRound(dpi / kMetresPerInch));
    const double k = dpi / kTwipsPerInch;
    // The text layout keeps positions in 64ths of a unit; a page height on that grid keeps
    // page n at exactly n heights down however many pages there are.
    m_body = QRectF(m_pageRect.topLeft() * k,
                    QSizeF(m_pageRect.width() * k, std::floor(m_pageRect.height() * k * 64) / 64));
    copyDocument(source, from, to);
}

// Layout positions are fixed-point numbers with a limited range; a text beyond it comes out
// with positions that wrap around.
bool PageLayout::overflowed() const {
    QAbstractTextDocumentLayout* layout = m_doc->documentLayout();
    const double height = layout->documentSize().height();
    if (!(height >= 0 && height < kLargestLayoutHeight))
        return true;
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        const QRectF r = layout->blockBoundingRect(b);
        if (r.top() < 0 || r.bottom() > height + 1)
            return true;
    }
    return false;
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
    m_doc->setPageSize(m_body.size());
}

void PageLayout::findPageRanges() {
    QAbstractTextDocumentLayout* layout = m_doc->documentLayout();
    const int pages = qMax(1, layout->pageCount());
    const double height = m_body.height();
    const int length = m_doc->characterCount() - 1;

    // First character of each page: the earliest line that starts on it.
    QVector<int> first(pages, -1);
    m_lines = QVector<QVector<LinePlace>>(pages);
    for (QTextBlock b = m_doc->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* tl = b.layout();
        if (!tl || tl->lineCount() == 0)
            continue;
        // A layout's lines are placed relative to the layout, whose corner the block's
        // bounding rectangle gives in document coordinates (the layout's own position is
        // relative to its frame). A line moved down to the next page keeps the layout's
        // corner and gets a larger offset of its own.
        const QPointF origin = layout->blockBoundingRect(b).topLeft();
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            // A line starts on a page boundary or below it, never a twip before it.
            const int page =
                qBound(0, qFloor((origin.y() + line.y() + kBoundarySlack) / height), pages - 1);
            const int start = b.position() + line.textStart();
            if (first[page] < 0 || start < first[page])
                first[page] = start;
            m_lines[page].append(LinePlace{b.blockNumber(), i, origin});
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
    return QSize(qMax(1, qRound(m_pageSize.width() * dpiX / kTwipsPerInch)),
                 qMax(1, qRound(m_pageSize.height() * dpiY / kTwipsPerInch)));
}

// Pages are painted line by line rather than through the document layout's own drawing: that
// draws every paragraph that touches the page whole and leaves the lines of the neighbouring
// pages to the clip, which hides them on screen but keeps their text in a printed file.
void PageLayout::paintPage(QPainter& painter, int index, double dpiX, double dpiY) const {
    if (index < 0 || index >= pageCount())
        return;
    const double height = m_body.height();
    painter.save();
    painter.scale(dpiX / m_dpi, dpiY / m_dpi);
    painter.translate(m_body.topLeft());
    const QRectF body(0, 0, m_body.width(), height);
    painter.setClipRect(body, Qt::IntersectClip);
    const QBrush background = m_doc->rootFrame()->frameFormat().background();
    if (background.style() != Qt::NoBrush)
        painter.fillRect(body, background);
    painter.translate(0, -index * height);
    painter.setPen(Qt::black);
    for (const LinePlace& place : m_lines[index])
        paintLine(painter, place);
    painter.restore();
}

void PageLayout::paintLine(QPainter& painter, const LinePlace& place) const {
    const QTextBlock block = m_doc->findBlockByNumber(place.block);
    const QTextLine line = block.layout()->lineAt(place.line);
    const QBrush shade = block.blockFormat().background();
    if (shade.style() != Qt::NoBrush)
        painter.fillRect(QRectF(0, place.origin.y() + line.y(), m_body.width(), line.height()),
                         shade);
    if (place.line == 0 && block.textList())
        paintListMarker(painter, block, place);
    line.draw(&painter, place.origin);
}

void PageLayout::paintListMarker(QPainter& painter, const QTextBlock& block,
                                 const LinePlace& place) const {
    const QTextLine line = block.layout()->lineAt(0);
    QTextCharFormat format = block.charFormat();
    if (block.begin() != block.end())
        format = block.begin().fragment().charFormat();
    // The font as the layout measured it, at the layout's resolution.
    const QFont font(format.font().resolve(m_doc->defaultFont()), &m_metrics);
    const QFontMetricsF fm(font, &m_metrics);
    const double baseline = place.origin.y() + line.y() + line.ascent();
    const double right = place.origin.x() + line.x() - fm.horizontalAdvance(QLatin1Char(' '));

    painter.save();
    const QBrush ink = format.foreground().style() == Qt::NoBrush ? QBrush(Qt::black)
                                                                   : format.foreground();
    const QTextListFormat::Style style = block.textList()->format().style();
    if (style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
        style == QTextListFormat::ListSquare) {
        const double size = fm.ascent() / 3;
        const QRectF mark(right - size, baseline - fm.xHeight() / 2 - size / 2, size, size);
        painter.setPen(style == QTextListFormat::ListCircle ? QPen(ink, size / 6) : Qt::NoPen);
        painter.setBrush(style == QTextListFormat::ListCircle ? QBrush() : ink);
        if (style == QTextListFormat::ListSquare)
            painter.drawRect(mark);
        else
            painter.drawEllipse(mark);
    } else {
        const QString text = block.textList()->itemText(block);
        // The painter's device has a resolution of its own: the size goes in layout pixels,
        // as the text beside the label was measured.
        QFont label = font;
        if (font.pointSizeF() > 0)
            label.setPixelSize(qMax(1, qRound(font.pointSizeF() * m_dpi / 72.0)));
        painter.setFont(label);
        painter.setPen(QPen(ink, 0));
        painter.drawText(QPointF(right - fm.horizontalAdvance(text), baseline), text);
    }
    painter.restore();
}
