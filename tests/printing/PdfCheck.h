#pragma once
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// What an outside reader finds in a PDF we printed, through poppler's pdfinfo and pdftotext.
namespace PdfCheck {
bool ToolsAvailable();
int PageCount(const QString& pdf);    // -1 when pdfinfo fails
QSizeF PageSize(const QString& pdf);  // points, of the first page
QString Text(const QString& pdf);
// Each word's box in points, page by page.
struct Word {
    int page = 0;
    QRectF box;
    QString text;
};
QList<Word> Words(const QString& pdf);
// The box around every word on every page (pages laid over each other).
QRectF InkBox(const QList<Word>& words);
} // namespace PdfCheck
