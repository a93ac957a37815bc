#pragma once
// A printer device that remembers what was drawn where (in its pixels, which are the printer's
// scale units in ScaleMode 3), page by page, and the documents ended. Fonts are measured at the
// device's resolution, so positions follow real metrics: compare them with tolerances.
#include <QImage>
#include <QString>
#include <vector>

#include "platform/Printer.h"

namespace testsupport {

class RecordingPrinter : public Printer {
public:
    struct Op {
        enum Kind { Text, Picture, Line, Box, FilledBox } kind = Text;
        int page = 0;  // 1-based in its document
        double x = 0, y = 0, w = 0, h = 0;  // Line: (x, y) to (x + w, y + h)
        QString text;
        QString fontName;
        double fontSize = 0;
        bool bold = false;
        bool italic = false;
        QColor colour;
        int width = 1;
        QImage picture;
    };
    struct Document {
        int pages = 0;
        std::vector<Op> ops;
        std::vector<Op> texts() const;
        std::vector<QString> lines() const;  // the texts in drawing order
    };

    // dpi and the printable area in pixels: the default is A4 at 600 dpi less small margins.
    explicit RecordingPrinter(double dpi = 600, double widthPx = 4760, double heightPx = 6800);

    void setAvailable(bool on) { available_ = on; }
    void setFailing(bool on) { failing_ = on; }
    bool isAvailable() const override { return available_; }

    const std::vector<Document>& documents() const { return documents_; }
    void clearDocuments() { documents_.clear(); }
    // What was drawn since the last EndDoc.
    const Document& open() const { return current_; }

protected:
    double dpiX() const override { return dpi_; }
    double dpiY() const override { return dpi_; }
    double pageWidthPixels() const override { return width_; }
    double pageHeightPixels() const override { return height_; }
    QPaintDevice* measuringDevice() const override;
    void drawText(double x, double y, const QString& text, const QFont& font) override;
    void drawPicture(const QImage& picture, double x, double y, double w, double h) override;
    void drawLine(double x1, double y1, double x2, double y2, const QColor& c, int width) override;
    void drawBox(double x, double y, double w, double h, const QColor& c, int width, bool filled) override;
    void startPage() override { ++current_.pages; }
    bool finishDocument(int pages) override;

private:
    Op op(Op::Kind kind) const;

    double dpi_;
    double width_;
    double height_;
    bool available_ = true;
    bool failing_ = false;
    mutable QImage measure_;
    Document current_;
    std::vector<Document> documents_;
};

// Installs a recording printer for its lifetime.
class ScopedPrinter : public RecordingPrinter {
public:
    ScopedPrinter() { setPrinter(this); }
    ScopedPrinter(double dpi, double w, double h) : RecordingPrinter(dpi, w, h) { setPrinter(this); }
    ~ScopedPrinter() override { setPrinter(nullptr); }
    ScopedPrinter(const ScopedPrinter&) = delete;
    ScopedPrinter& operator=(const ScopedPrinter&) = delete;
};

}  // namespace testsupport
