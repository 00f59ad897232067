#include "media/ChmContents.h"

#include <QRegularExpression>

namespace ChmContents {

namespace {

QRegularExpression attributePattern(const char* name) {
    return QRegularExpression(
        QStringLiteral(R"re(\b%1\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re").arg(QLatin1String(name)),
        QRegularExpression::CaseInsensitiveOption);
}

QString attribute(const QString& tag, const QRegularExpression& re) {
    const QRegularExpressionMatch m = re.match(tag);
    if (!m.hasMatch())
        return QString();
    for (int i = 1; i <= 3; ++i)
        if (m.capturedStart(i) >= 0)
            return m.captured(i);
    return QString();
}

QString unescape(QString s) {
    static const QRegularExpression numeric(QStringLiteral("&#(x?)([0-9A-Fa-f]{1,6});"));
    QString out;
    qsizetype last = 0;
    auto it = numeric.globalMatch(s);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        bool ok = false;
        const uint code = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        out += s.mid(last, m.capturedStart() - last);
        if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF))
            out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        last = m.capturedEnd();
    }
    out += s.mid(last);
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&quot;"), QLatin1String("\""));
    out.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

} // namespace

QVector<Entry> parse(const QString& sitemap) {
    static const QRegularExpression tag(QStringLiteral(R"(<\s*(/?)\s*(ul|object|param)\b([^>]*)>)"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression type = attributePattern("type");
    static const QRegularExpression paramName = attributePattern("name");
    static const QRegularExpression paramValue = attributePattern("value");
    QVector<Entry> entries;
    int depth = -1;
    bool inObject = false, sitemapObject = false;
    Entry current;
    auto it = tag.globalMatch(sitemap);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const bool closing = !m.captured(1).isEmpty();
        const QString name = m.captured(2).toLower();
        const QString rest = m.captured(3);
        if (name == QLatin1String("ul")) {
            depth += closing ? -1 : 1;
            depth = qMax(depth, -1);
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inObject = true;
                sitemapObject =
                    attribute(rest, type).compare(QLatin1String("text/sitemap"),
                                                                    Qt::CaseInsensitive) == 0;
                current = Entry{QString(), QString(), qMax(depth, 0)};
            } else if (inObject) {
                inObject = false;
                if (sitemapObject && !current.name.isEmpty())
                    entries.append(current);
            }
        } else if (inObject && sitemapObject) {
            const QString param = attribute(rest, paramName).toLower();
            const QString value = unescape(attribute(rest, paramValue));
            if (param == QLatin1String("name") && current.name.isEmpty())
                current.name = value.trimmed();
            else if (param == QLatin1String("local") && current.local.isEmpty())
                current.local = value.trimmed();
        }
    }
    return entries;
}

} // namespace ChmContents
