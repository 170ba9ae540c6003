#pragma once
// The entry points of the PDF report server library ("PDFREPXP.DLL": libpdfrepxp.so in the
// program folder), plain C calls. A document is written page by page with one font at a time;
// positions and sizes are in points (1/72 inch) from the page's top left corner. Texts are UTF-8.
// Every call but the last error's answers 0 on success and -1 on failure, whose reason
// PdfRepLastError tells; a document is only written to its file when it is closed, so a failed
// document leaves no file behind.
#include <cstdint>

extern "C" {
// Paper sizes by the platform's paper numbers: 1 Letter, 5 Legal, 9 A4; others take Letter.
// Answers the document's handle (above 0), or -1.
using PdfRepOpenFn = std::int32_t (*)(const char* fileName, std::int32_t landscape, std::int32_t paperSize);
using PdfRepSetFontFn = std::int32_t (*)(std::int32_t document, const char* family, double points);
// The text's baseline starts at (x, y).
using PdfRepTextFn = std::int32_t (*)(std::int32_t document, double x, double y, const char* text);
using PdfRepNewPageFn = std::int32_t (*)(std::int32_t document);
// Writes the file and ends the document (its handle is then unknown), also when the writing fails.
using PdfRepCloseFn = std::int32_t (*)(std::int32_t document);
// Why the last call of this thread failed; empty after a success.
using PdfRepLastErrorFn = const char* (*)();
}
