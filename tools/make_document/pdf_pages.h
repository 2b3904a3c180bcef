// Lays rich text out on A4 pages and writes them as a PDF, each page with the
// document's title in its head and its number at its foot.
#pragma once

#include <QString>

class QIODevice;

namespace document {

// Returns the number of pages written, or 0 when they could not be.
int WritePdf(const QString& html, const QString& title, QIODevice& device);

}  // namespace document
