#pragma once

#include <QFile>
#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The search's results file: every kept line followed by CR LF, written while the search
// goes on. Lines are gathered in blocks; a full block goes to a writer thread so that the
// file system's work overlaps the search on a second core, and the written blocks come back
// to be filled again (fresh memory for every block would cost a page fault per 4 KB).
//
// The previous results file is overwritten in place and cut to length by finish(): emptying
// it first makes the file system drop and then allocate again every block of a result that
// is often the same size. A result smaller than one block is written by finish() itself,
// without a thread.
class ResultsFileWriter {
public:
    static constexpr qsizetype kBlockSize = qsizetype(1) << 18;

    ResultsFileWriter() = default;
    ~ResultsFileWriter();
    ResultsFileWriter(const ResultsFileWriter&) = delete;
    ResultsFileWriter& operator=(const ResultsFileWriter&) = delete;

    // Starts a new result for path; a result still being written is completed first.
    void start(const QString& path);
    void appendLine(const char* line, qsizetype size);
    // Writes what is left, cuts the file to length and closes it. False when the file could
    // not be opened or written.
    bool finish();

private:
    struct Block {
        std::unique_ptr<char[]> data;
        qsizetype size = 0;
        qsizetype capacity = 0;
    };

    void handOver();
    void writerLoop();
    void write(const Block& block);
    Block freshBlock(qsizetype atLeast);

    QString m_path;
    QFile m_file;
    bool m_failed = false;
    bool m_finished = true;
    Block m_current;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Block> m_pending;  // full blocks for the writer, oldest first
    std::vector<Block> m_spare;   // written blocks, ready to be filled again
    bool m_closing = false;
    std::thread m_writer;
};
