#include "support/RecordingPrinter.h"

namespace testsupport {

std::vector<RecordingPrinter::Op> RecordingPrinter::Document::texts() const {
    std::vector<Op> out;
    for (const Op& o : ops)
        if (o.kind == Op::Text)
            out.push_back(o);
    return out;
}

std::vector<QString> RecordingPrinter::Document::lines() const {
    std::vector<QString> out;
    for (const Op& o : ops)
        if (o.kind == Op::Text)
            out.push_back(o.text);
    return out;
}

RecordingPrinter::RecordingPrinter(double dpi, double widthPx, double heightPx)
    : dpi_(dpi), width_(widthPx), height_(heightPx) {}

QPaintDevice* RecordingPrinter::measuringDevice() const {
    if (measure_.isNull()) {
        measure_ = QImage(1, 1, QImage::Format_RGB32);
        const int dpm = int(dpi_ / 0.0254 + 0.5);
        measure_.setDotsPerMeterX(dpm);
        measure_.setDotsPerMeterY(dpm);
    }
    return &measure_;
}

RecordingPrinter::Op RecordingPrinter::op(Op::Kind kind) const {
    Op o;
    o.kind = kind;
    o.page = current_.pages;
    o.fontName = FontName();
    o.fontSize = FontSize();
    o.bold = FontBold();
    o.italic = FontItalic();
    return o;
}

void RecordingPrinter::drawText(double x, double y, const QString& text, const QFont&) {
    Op o = op(Op::Text);
    o.x = x;
    o.y = y;
    o.text = text;
    current_.ops.push_back(o);
}

void RecordingPrinter::drawPicture(const QImage& picture, double x, double y, double w, double h) {
    Op o = op(Op::Picture);
    o.x = x;
    o.y = y;
    o.w = w;
    o.h = h;
    o.picture = picture;
    current_.ops.push_back(o);
}

void RecordingPrinter::drawLine(double x1, double y1, double x2, double y2, const QColor& c, int width) {
    Op o = op(Op::Line);
    o.x = x1;
    o.y = y1;
    o.w = x2 - x1;
    o.h = y2 - y1;
    o.colour = c;
    o.width = width;
    current_.ops.push_back(o);
}

void RecordingPrinter::drawBox(double x, double y, double w, double h, const QColor& c, int width, bool filled) {
    Op o = op(filled ? Op::FilledBox : Op::Box);
    o.x = x;
    o.y = y;
    o.w = w;
    o.h = h;
    o.colour = c;
    o.width = width;
    current_.ops.push_back(o);
}

bool RecordingPrinter::finishDocument(int pages) {
    current_.pages = pages;
    if (failing_) {
        current_ = Document{};
        return false;
    }
    documents_.push_back(current_);
    current_ = Document{};
    return true;
}

}  // namespace testsupport
