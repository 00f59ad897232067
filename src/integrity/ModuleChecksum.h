#pragma once
#include <QString>
#include <QtGlobal>
#include <optional>

// The check value of a module file ("CRC" to the user): S, the sum of the byte values of every
// line, and X, the exclusive-or of S taken at the end of each line. CR LF, CR and LF each end
// a line and count for nothing themselves. Both run in unsigned 32 bits and wrap, so a file of
// any size has a value; the signed reading of the bits is what is shown and stored, which is
// the same value a smaller file has always had.
class ModuleChecksum {
public:
    // How the bytes are scanned: all give the same value; the widest the processor has is
    // the default, the others are there to be compared with it.
    enum class Scan { Plain, Sse2, Avx2 };
    static Scan widestScan();
    static bool scanAvailable(Scan scan);

    explicit ModuleChecksum(Scan scan = widestScan()) : m_scan(scan) {}

    // Feeds the next bytes of the file; a file may come in any number of pieces.
    void add(const char* data, qsizetype size);
    // The value once the whole file has been fed (an unended last line still counts).
    qint32 X() const;
    qint32 S() const;

    // X's digits followed by S's digits, as the report shows them ("162195").
    static QString text(qint32 x, qint32 s);

    // The value of a whole file, or nothing when it cannot be read.
    static std::optional<ModuleChecksum> ofFile(const QString& path);

private:
    void endLine(quint32 sumAtEnd) { m_x ^= sumAtEnd; }
    void addScalar(const unsigned char* p, qsizetype n);
    qsizetype addSse2(const unsigned char* p, qsizetype size);
    qsizetype addAvx2(const unsigned char* p, qsizetype size);

    Scan m_scan;

    quint32 m_s = 0;
    quint32 m_x = 0;
    bool m_lastWasCr = false;  // the last byte fed was CR (an LF after it ends nothing)
    bool m_lineOpen = false;   // bytes have been fed since the last line end
};
