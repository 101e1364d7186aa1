#pragma once
// The text of a PDF file, page after page, as UTF-8 with "\r\n" between lines and
// after each page. Only a page's content streams are held at a time.
#include <atomic>

#include "search/byte_source.h"
#include "search/inflate_stream.h"

namespace trovex::search {

enum class PdfEnd {
  NotPdf,    // no PDF header: the file is searched as its bytes
  Complete,  // every page read
  Stopped,   // the sink asked to stop
  Damaged,   // no readable page tree
  Locked,    // encrypted with a password, or in a way not supported
  Cancelled,
};

PdfEnd ReadPdfText(const ByteSource& source, const PieceSink& sink,
                   const std::atomic<bool>* cancel);

}  // namespace trovex::search
