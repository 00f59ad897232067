#include "library/LineReader.h"

namespace {
constexpr qint64 kChunk = 1 << 16;
}

LineReader::LineReader(const QString& path) : m_file(path) {
    m_open = m_file.open(QIODevice::ReadOnly);
}

bool LineReader::fill() {
    if (m_eof || !m_open)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const QByteArray more = m_file.read(kChunk);
    if (more.isEmpty()) {
        m_eof = true;
        return false;
    }
    m_buffer.append(more);
    return true;
}

bool LineReader::atEnd() {
    if (m_pos < m_buffer.size())
        return false;
    return !fill();
}

bool LineReader::readLine(QByteArray& line) {
    if (atEnd())
        return false;
    int searchFrom = m_pos;
    for (;;) {
        const int nl = m_buffer.indexOf('\n', searchFrom);
        if (nl >= 0) {
            int end = nl;
            if (end > m_pos && m_buffer.at(end - 1) == '\r')
                --end;
            line = m_buffer.mid(m_pos, end - m_pos);
            m_consumed += nl + 1 - m_pos;
            m_pos = nl + 1;
            return true;
        }
        searchFrom = m_buffer.size() - m_pos; // relative, fill() moves the buffer
        if (!fill()) {
            int end = m_buffer.size();
            if (end > m_pos && m_buffer.at(end - 1) == '\r')
                --end;
            line = m_buffer.mid(m_pos, end - m_pos);
            m_consumed += m_buffer.size() - m_pos;
            m_pos = m_buffer.size();
            return true;
        }
        searchFrom += m_pos;
    }
}
