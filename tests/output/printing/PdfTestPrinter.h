#pragma once

// A4 PDF output at 600 dots per inch, standing in for a printer in the printing tests.
#include <QPageSize>
#include <QPdfWriter>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/TempDisk.h"

namespace kestrune::testing {

class PdfTestPrinter : public QPdfWriter {
  public:
    explicit PdfTestPrinter(const std::filesystem::path& file)
        : QPdfWriter(QString::fromStdString(file.string())) {
        setResolution(600);
        setPageSize(QPageSize(QPageSize::A4));
    }

    // How many further pages the "printer" accepts; negative means no limit.
    int pagesAccepted = -1;

    bool newPage() override {
        if (pagesAccepted == 0)
            return false;
        if (pagesAccepted > 0)
            --pagesAccepted;
        return QPdfWriter::newPage();
    }
};

// Copies a printout into the directory named by KESTRUNE_PRINT_SAMPLES, when set, to be looked at.
inline void keepPrintSample(const std::filesystem::path& file, const std::string& name) {
    if (const char* samples = std::getenv("KESTRUNE_PRINT_SAMPLES")) {
        std::filesystem::copy_file(file, std::filesystem::path(samples) / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

// The number of pages of a PDF file as Qt writes it (0 for a missing file).
inline int pdfPageCount(const std::filesystem::path& file) {
    if (!std::filesystem::exists(file))
        return 0;
    const std::string pdf = readBytes(file);
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos;
         at = pdf.find("/Type /Page\n", at + 1))
        ++pages;
    return pages;
}

}  // namespace kestrune::testing
