#pragma once
// What a PDF says, as poppler's pdftotext extracts it with its layout kept: the tests read
// their printouts back through it.
#include <QString>

namespace tarix::test {

// The machine has pdftotext.
bool havePdfToText();

// The text of the PDF, or of its page `page` (counted from 1) when one is named; empty
// when the machine has no pdftotext.
QString pdfText(const QString &pdf, int page = 0);

} // namespace tarix::test
