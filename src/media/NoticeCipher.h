#pragma once
#include <QByteArray>

// The scrambling of the download notice: each byte of the notice is combined (XOR) with the
// next character of a fixed 27-character key and written as three decimal digits; the digits
// are written back to front and followed by one character that the reader drops (the file's
// line end).
namespace NoticeCipher {

constexpr char kKey[] = "K#p2xe!9q&m*Wz^u4Tb8y_c71L?";
constexpr int kKeyLength = 27;

enum class Failure {
    None,
    Empty,        // nothing was fetched
    ShortGroup,   // the digits end in a group of two: the text was cut or damaged
    GroupOver255, // a group does not stand for a byte
};

struct Result {
    QByteArray text;              // the notice, Windows-1252 bytes
    Failure failure = Failure::None;
    int group = 0;                // 1-based group that failed
    bool ok() const { return failure == Failure::None; }
};

// Reads a fetched text back into the notice. A group holding anything but three digits
// counts as 0; a remainder of one digit is ignored.
Result unscramble(const QByteArray& fetched);

// The inverse, for the maker of the notice: the notice's bytes scrambled, ending in `last`.
QByteArray scramble(const QByteArray& notice, char last = '\n');

} // namespace NoticeCipher
