#include "media/ChmFile.h"

#include "platform/Win1252.h"
#include "media/ChmStructure.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <chm_lib.h>

namespace {

// "#SYSTEM" record codes.
constexpr quint16 kContentsFile = 0;
constexpr quint16 kDefaultTopic = 2;
constexpr quint16 kTitle = 3;

quint16 word(const QByteArray& b, qsizetype at) {
    return quint16(quint8(b.at(at)) | (quint8(b.at(at + 1)) << 8));
}

// A path as the archive writes it: from the root, forward slashes.
QString archivePath(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!p.startsWith(QLatin1Char('/')))
        p.prepend(QLatin1Char('/'));
    return p;
}

bool isPage(const QString& path) {
    return path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

int collect(struct chmFile*, struct chmUnitInfo* ui, void* context) {
    auto* list = static_cast<QStringList*>(context);
    const QString path = QString::fromUtf8(ui->path, int(qstrnlen(ui->path, CHM_MAX_PATHLEN)));
    // Names starting with "#" or "$" are the archive's own records.
    if (path.startsWith(QLatin1Char('/')) && path.size() > 1 && path.at(1) != u'#' &&
        path.at(1) != u'$')
        list->append(path);
    return list->size() < 100000 ? CHM_ENUMERATOR_CONTINUE : CHM_ENUMERATOR_SUCCESS;
}

} // namespace

ChmFile::ChmFile() = default;

ChmFile::~ChmFile() {
    if (m_handle)
        chm_close(m_handle);
}

bool ChmFile::open(const QString& path) {
    if (m_handle) {
        chm_close(m_handle);
        m_handle = nullptr;
    }
    m_title.clear();
    m_home.clear();
    m_contents.clear();
    m_pages.clear();
    m_objects = 0;
    if (!QFileInfo(path).isFile()) {
        m_failure = Failure::Missing;
        return false;
    }
    if (!structureIsSound(path)) {
        m_failure = Failure::NotHelpFile;
        return false;
    }
    m_handle = chm_open(QFile::encodeName(path).constData());
    if (!m_handle) {
        m_failure = Failure::NotHelpFile;
        return false;
    }
    listObjects();
    readSystemRecord();
    if (m_home.isEmpty() || !contains(m_home))
        m_home = m_pages.isEmpty() ? QString() : m_pages.first();
    if (m_home.isEmpty()) {
        // A file that lists nothing at all is too damaged to be a help file.
        chm_close(m_handle);
        m_handle = nullptr;
        m_failure = m_objects > 0 ? Failure::NoPages : Failure::NotHelpFile;
        return false;
    }
    m_failure = Failure::None;
    return true;
}

bool ChmFile::structureIsSound(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return false;
    const qint64 size = file.size();
    if (const uchar* mapped = file.map(0, size))
        return ChmStructure::check(QByteArrayView(reinterpret_cast<const char*>(mapped), size));
    return ChmStructure::check(file.readAll());
}

void ChmFile::listObjects() {
    QStringList all;
    chm_enumerate(m_handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, &collect, &all);
    m_objects = int(all.size());
    for (const QString& p : std::as_const(all)) {
        if (isPage(p))
            m_pages.append(p);
        else if (m_contents.isEmpty() && p.endsWith(QLatin1String(".hhc"), Qt::CaseInsensitive))
            m_contents = p;
    }
}

void ChmFile::readSystemRecord() {
    QByteArray system;
    if (!read(QStringLiteral("/#SYSTEM"), system) || system.size() < 4)
        return;
    // A version word of four bytes, then records of code, length and data.
    qsizetype at = 4;
    while (at + 4 <= system.size()) {
        const quint16 code = word(system, at);
        const quint16 length = word(system, at + 2);
        at += 4;
        if (at + length > system.size())
            break;
        QByteArray data = system.mid(at, length);
        at += length;
        const qsizetype nul = data.indexOf('\0');
        if (nul >= 0)
            data.truncate(nul);
        const QString text = Win1252::decode(data).trimmed();
        if (text.isEmpty())
            continue;
        if (code == kTitle)
            m_title = text;
        else if (code == kDefaultTopic)
            m_home = archivePath(text);
        else if (code == kContentsFile && contains(archivePath(text)))
            m_contents = archivePath(text);
    }
}

bool ChmFile::contains(const QString& path) const {
    if (!m_handle)
        return false;
    const QByteArray name = archivePath(path).toUtf8();
    if (name.size() > CHM_MAX_PATHLEN)
        return false;
    struct chmUnitInfo ui;
    return chm_resolve_object(m_handle, name.constData(), &ui) == CHM_RESOLVE_SUCCESS;
}

bool ChmFile::read(const QString& path, QByteArray& out) const {
    out.clear();
    if (!m_handle)
        return false;
    const QByteArray name = archivePath(path).toUtf8();
    if (name.size() > CHM_MAX_PATHLEN)
        return false;
    struct chmUnitInfo ui;
    if (chm_resolve_object(m_handle, name.constData(), &ui) != CHM_RESOLVE_SUCCESS)
        return false;
    if (ui.length > LONGUINT64(kMaxObjectBytes))
        return false;
    out.resize(qsizetype(ui.length));
    if (ui.length == 0)
        return true;
    const LONGINT64 got = chm_retrieve_object(
        m_handle, &ui, reinterpret_cast<unsigned char*>(out.data()), 0, LONGINT64(ui.length));
    if (got != LONGINT64(ui.length)) {
        out.clear();
        return false;
    }
    return true;
}

QString ChmFile::decodePage(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    static const QRegularExpression charset(QStringLiteral(R"(charset\s*=\s*["']?([A-Za-z0-9_-]+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(bytes.left(2048));
    const QString name = charset.match(head).captured(1).toLower();
    if (name == QLatin1String("utf-8") || name == QLatin1String("utf8"))
        return QString::fromUtf8(bytes);
    return Win1252::decode(bytes);
}
