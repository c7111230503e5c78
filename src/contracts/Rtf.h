#pragma once
// Rich text as word processors write it, read into a QTextDocument and
// written back from one: fonts and colours from their tables, bold,
// italic, underline, size, paragraph alignment and indents, tabs and line
// breaks, Windows-1252 and Unicode characters. Destinations a contract has
// no use for (document information, style sheets, pictures, generator
// notes and every "\*" destination) are skipped.
#include <QByteArray>

class QTextDocument;

namespace contracts {

// Replaces the document's content; false when the bytes are not rich text.
bool readRtf(const QByteArray &rtf, QTextDocument &document);
QByteArray writeRtf(const QTextDocument &document);

// Indents are kept in twips on the paragraphs; the document's own margins
// are in pixels at 96 to the inch.
inline constexpr double kTwipsPerPixel = 15.0;

} // namespace contracts
