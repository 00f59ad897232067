#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// The search's results file: every kept line followed by CR LF, written while the search
// goes on. Lines are gathered in blocks; a full block goes to a writer thread so that the
// file system's work overlaps the search on a second core, and the written blocks come back
// to be filled again (fresh memory for every block would cost a page fault per 4 KB).
//
// The lines arrive in streams that reach the file one after the other: stream 0 holds the
// first lines of the result, and a search that runs its second part on another thread fills
// stream 1 from there at the same time. Each stream is filled by one thread; a later stream's
// blocks are written as soon as every earlier stream is closed and written.
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

    // Starts a new result for path with stream 0 open; a result still being written is
    // completed first.
    void start(const QString& path);
    // Opens the next stream and returns its number. Called from the thread that calls
    // finish(), before the stream's own thread fills it.
    int addStream();
    // Called only by the thread that fills the stream. Inline: a search may keep every line.
    void appendLine(int stream, const char* line, qsizetype size) {
        Block& block = m_streams[size_t(stream)].current;
        if (block.size + size + 2 > block.bytes.size())
            startBlock(stream, size + 2);
        char* to = block.bytes.data() + block.size;
        std::memcpy(to, line, size_t(size));
        to[size] = '\r';
        to[size + 1] = '\n';
        block.size += size + 2;
    }
    void appendLine(const char* line, qsizetype size) { appendLine(0, line, size); }
    // Every line of the stream is appended; later streams may be written.
    void closeStream(int stream);
    // The stream's lines are not part of the result after all.
    void dropStream(int stream);
    // Closes every stream, writes what is left, cuts the file to length and closes it.
    // False when the file could not be opened or written.
    bool finish();

private:
    struct Block {
        QByteArray bytes; // its size is the capacity; the first `size` bytes are written
        qsizetype size = 0;
    };
    struct Stream {
        Block current;             // touched only by the thread that fills the stream
        std::deque<Block> pending; // full blocks, oldest first (under the mutex)
        bool closed = false;
        bool dropped = false;
    };

    void startBlock(int stream, qsizetype needed); // the current block is full
    void startWriter();
    void handOver(Stream& stream);
    bool nextBlock(Block& block); // under the mutex: the next block due, in file order
    void writerLoop();
    void write(const Block& block);
    Block freshBlock(qsizetype atLeast);

    QString m_path;
    QFile m_file;
    bool m_failed = false;
    bool m_finished = true;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Stream> m_streams; // a deque: adding a stream moves no other
    std::vector<Block> m_spare;   // written blocks, ready to be filled again
    bool m_closing = false;
    std::thread m_writer;
};
