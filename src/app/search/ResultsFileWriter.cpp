#include "app/search/ResultsFileWriter.h"

#include <algorithm>
#include <cstring>
#include <system_error>

ResultsFileWriter::~ResultsFileWriter() { finish(); }

void ResultsFileWriter::start(const QString& path) {
    finish();
    m_path = path;
    m_failed = false;
    m_finished = false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_streams.clear();
    m_streams.emplace_back();
}

int ResultsFileWriter::addStream() {
    int number = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_streams.emplace_back();
        number = int(m_streams.size()) - 1;
    }
    // The writer is started here, on the owning thread, so that it waits for the new
    // stream's blocks; the filling thread only ever wakes it.
    startWriter();
    return number;
}

void ResultsFileWriter::startBlock(int stream, qsizetype needed) {
    Stream& s = m_streams[size_t(stream)];
    const bool full = s.current.size > 0;
    if (full)
        handOver(s);
    s.current = freshBlock(needed);
    // The first full block of stream 0 starts the writer; other streams start it when added.
    if (stream == 0 && full)
        startWriter();
}

void ResultsFileWriter::startWriter() {
    if (m_writer.joinable())
        return;
    try {
        m_writer = std::thread([this] { writerLoop(); });
    } catch (const std::system_error&) {
        // No thread to be had: the blocks wait, and finish() writes them in order.
    }
}

ResultsFileWriter::Block ResultsFileWriter::freshBlock(qsizetype atLeast) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_spare.empty() && m_spare.back().bytes.size() >= atLeast) {
            Block block = std::move(m_spare.back());
            m_spare.pop_back();
            block.size = 0;
            return block;
        }
    }
    Block block;
    block.bytes = QByteArray(std::max(kBlockSize, atLeast), Qt::Uninitialized);
    return block;
}

void ResultsFileWriter::handOver(Stream& stream) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        stream.pending.push_back(std::move(stream.current));
    }
    stream.current = Block();
    m_changed.notify_one();
}

void ResultsFileWriter::closeStream(int stream) {
    Stream& s = m_streams[size_t(stream)];
    if (s.current.size > 0)
        handOver(s);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        s.closed = true;
    }
    m_changed.notify_one();
}

void ResultsFileWriter::dropStream(int stream) {
    Stream& s = m_streams[size_t(stream)];
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Block& b : s.pending)
        m_spare.push_back(std::move(b));
    s.pending.clear();
    s.current = Block();
    s.dropped = s.closed = true;
    m_changed.notify_one();
}

bool ResultsFileWriter::nextBlock(Block& block) {
    for (Stream& s : m_streams) {
        if (s.dropped)
            continue;
        if (!s.pending.empty()) {
            block = std::move(s.pending.front());
            s.pending.pop_front();
            return true;
        }
        if (!s.closed)
            return false; // a later stream waits for this one
    }
    return false;
}

void ResultsFileWriter::writerLoop() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        Block block;
        bool due = false;
        m_changed.wait(lock, [&] { return (due = nextBlock(block)) || m_closing; });
        if (!due)
            return; // closing, and every stream is written
        lock.unlock();
        write(block);
        lock.lock();
        m_spare.push_back(std::move(block));
    }
}

void ResultsFileWriter::write(const Block& block) {
    if (m_failed)
        return;
    if (!m_file.isOpen()) {
        m_file.setFileName(m_path);
        if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
            m_failed = true;
            return;
        }
    }
    if (block.size > 0 && m_file.write(block.bytes.constData(), block.size) != block.size)
        m_failed = true;
}

bool ResultsFileWriter::finish() {
    if (m_finished)
        return !m_failed;
    m_finished = true;
    for (int s = 0; s < int(m_streams.size()); ++s)
        if (!m_streams[size_t(s)].closed)
            closeStream(s);
    if (m_writer.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_closing = true;
        }
        m_changed.notify_one();
        m_writer.join();
        m_closing = false;
    }
    // Whatever the writer did not take is written here, in order; an empty result still
    // opens the file, so that it replaces the previous one.
    write(Block());
    Block block;
    while (nextBlock(block)) {
        write(block);
        m_spare.push_back(std::move(block));
    }
    if (m_file.isOpen()) {
        if (!m_failed && m_file.size() != m_file.pos() && !m_file.resize(m_file.pos()))
            m_failed = true;
        m_file.close();
    }
    return !m_failed;
}
