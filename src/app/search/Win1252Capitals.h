#pragma once
#include <QByteArray>

// Capital letters of Windows-1252 text, as "Ignore Case" and the pane's find compare it:
// a-z, the accented small letters 0xE0-0xFE (but not the division sign), and the four
// small letters whose capitals sit in 0x80-0x9F (š œ ž ÿ). ß and µ have no capital here.
namespace Win1252Capitals {

unsigned char capital(unsigned char byte);
// The table behind capital(), for loops that convert long texts.
const unsigned char* table();
QByteArray toCapitals(const QByteArray& text);
// Converts size bytes from `from` into `to` (which may equal `from`).
void convert(const char* from, char* to, qsizetype size);

} // namespace Win1252Capitals
