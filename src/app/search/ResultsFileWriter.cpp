#include "app/search/ResultsFileWriter.h"

#include <algorithm>
#include <cstring>

ResultsFileWriter::~ResultsFileWriter() { finish(); }

void ResultsFileWriter::start(const QString& path) {
    finish();
    m_path = path;
    m_failed = false;
    m_finished = false;
}

void ResultsFileWriter::appendLine(const char* line, qsizetype size) {
    const qsizetype needed = size + 2;
    if (m_current.size + needed > m_current.capacity) {
        if (m_current.size > 0)
            handOver();
        m_current = freshBlock(needed);
    }
    char* to = m_current.data.get() + m_current.size;
    std::memcpy(to, line, size_t(size));
    to[size] = '\r';
    to[size + 1] = '\n';
    m_current.size += needed;
}

ResultsFileWriter::Block ResultsFileWriter::freshBlock(qsizetype atLeast) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_spare.empty() && m_spare.back().capacity >= atLeast) {
            Block block = std::move(m_spare.back());
            m_spare.pop_back();
            block.size = 0;
            return block;
        }
    }
    Block block;
    block.capacity = std::max(kBlockSize, atLeast);
    block.data.reset(new char[size_t(block.capacity)]);
    return block;
}

void ResultsFileWriter::handOver() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.push_back(std::move(m_current));
    }
    m_current = Block();
    m_changed.notify_one();
    if (!m_writer.joinable())
        m_writer = std::thread([this] { writerLoop(); });
}

void ResultsFileWriter::writerLoop() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_pending.empty() || m_closing; });
        if (m_pending.empty())
            return;
        Block block = std::move(m_pending.front());
        m_pending.pop_front();
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
    if (block.size > 0 && m_file.write(block.data.get(), block.size) != block.size)
        m_failed = true;
}

bool ResultsFileWriter::finish() {
    if (m_finished)
        return !m_failed;
    m_finished = true;
    if (m_writer.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_closing = true;
        }
        m_changed.notify_one();
        m_writer.join();
        m_closing = false;
    }
    // Every handed-over block is written now; the rest is written here, and an empty result
    // still replaces the previous file.
    write(m_current);
    m_current.size = 0;
    if (m_file.isOpen()) {
        if (!m_failed && m_file.size() != m_file.pos() && !m_file.resize(m_file.pos()))
            m_failed = true;
        m_file.close();
    }
    return !m_failed;
}
