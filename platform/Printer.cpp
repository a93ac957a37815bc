#include "platform/Printer.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtGlobal>
#include <memory>

#include "platform/Dialogs.h"
#include "platform/Journal.h"
#include "platform/Screen.h"

// ---- the model ----

void Printer::setScaleMode(int mode) {
    scaleMode_ = mode == Pixels ? Pixels : Twips;
    currentX_ = 0.0;
    currentY_ = 0.0;
}

double Printer::unitsPerPixelX() const { return scaleMode_ == Pixels ? 1.0 : TwipsPerPixelX(); }
double Printer::unitsPerPixelY() const { return scaleMode_ == Pixels ? 1.0 : TwipsPerPixelY(); }
double Printer::toDeviceX(double x) const { return (x - ScaleLeft()) / unitsPerPixelX(); }
double Printer::toDeviceY(double y) const { return (y - ScaleTop()) / unitsPerPixelY(); }

double Printer::ScaleWidth() const { return pageWidthPixels() * unitsPerPixelX(); }
double Printer::ScaleHeight() const { return pageHeightPixels() * unitsPerPixelY(); }
double Printer::TwipsPerPixelX() const { return 1440.0 / dpiX(); }
double Printer::TwipsPerPixelY() const { return 1440.0 / dpiY(); }

void Printer::setFontName(const QString& name) { fontName_ = name; }

void Printer::setFontSize(double points) {
    // The device takes sizes in quarter points; anything below one point is one point.
    fontSize_ = qMax(1.0, qRound(points * 4.0) / 4.0);
}

void Printer::setFace(const QString& name, bool bold) {
    setFontName(name);
    setFontBold(bold);
    setFontItalic(false);
}

void Printer::setFace(const QString& name, bool bold, double points) {
    setFace(name, bold);
    setFontSize(points);
}

QFont Printer::font() const {
    QString family = screen::fontFamilyFor(fontName_);
    if (family.isEmpty())
        family = fontName_;  // fontconfig substitutes what it has
    QFont f(family);
    f.setPointSizeF(fontSize_);
    f.setBold(bold_);
    f.setItalic(italic_);
    return f;
}

double Printer::TextWidth(const QString& text) const {
    const QFontMetricsF fm(font(), measuringDevice());
    return fm.horizontalAdvance(text) * unitsPerPixelX();
}

double Printer::TextHeight(const QString&) const {
    const QFontMetricsF fm(font(), measuringDevice());
    return fm.height() * unitsPerPixelY();
}

void Printer::touchPage() {
    if (pages_ == 0) {
        pages_ = 1;
        startPage();
    }
}

void Printer::Print(const QString& text) {
    touchPage();
    const double lineHeight = TextHeight(text);
    if (pageHasLines_ && toDeviceY(currentY_ + lineHeight) > pageHeightPixels()) {
        NewPage();
    }
    if (!text.isEmpty())
        drawText(toDeviceX(currentX_), toDeviceY(currentY_), text, font());
    pageHasLines_ = true;
    currentX_ = ScaleLeft();
    currentY_ += lineHeight;
}

void Printer::PaintPicture(const QImage& picture, double x, double y, double width, double height) {
    touchPage();
    drawPicture(picture, toDeviceX(x), toDeviceY(y), width / unitsPerPixelX(), height / unitsPerPixelY());
}

void Printer::Line(double x1, double y1, double x2, double y2, const QColor& colour) {
    touchPage();
    drawLine(toDeviceX(x1), toDeviceY(y1), toDeviceX(x2), toDeviceY(y2), colour, drawWidth_);
    currentX_ = x2;
    currentY_ = y2;
}

void Printer::Box(double x, double y, double width, double height, const QColor& colour) {
    box(x, y, width, height, colour, false);
}

void Printer::FilledBox(double x, double y, double width, double height, const QColor& colour) {
    box(x, y, width, height, colour, true);
}

void Printer::box(double x, double y, double width, double height, const QColor& colour, bool filled) {
    touchPage();
    drawBox(toDeviceX(x), toDeviceY(y), width / unitsPerPixelX(), height / unitsPerPixelY(), colour, drawWidth_,
            filled);
    currentX_ = x + width;
    currentY_ = y + height;
}

void Printer::NewPage() {
    touchPage();
    ++pages_;
    startPage();
    pageHasLines_ = false;
    currentX_ = ScaleLeft();
    currentY_ = ScaleTop();
}

bool Printer::EndDoc() {
    const int pages = pages_;
    pages_ = 0;
    pageHasLines_ = false;
    currentX_ = ScaleLeft();
    currentY_ = ScaleTop();
    if (pages == 0)
        return true;  // nothing was drawn: no job
    return finishDocument(pages);
}

// ---- the real device ----

namespace {

// Under KESTROW_PRINT every job is the folder's next free job-NNN.pdf.
QString nextJobFile(const QString& folder) {
    QDir().mkpath(folder);
    for (int n = 1;; ++n) {
        const QString path = QDir(folder).filePath(QStringLiteral("job-%1.pdf").arg(n, 3, 10, QLatin1Char('0')));
        if (!QFileInfo::exists(path))
            return path;
    }
}

class QtPrinter : public Printer {
public:
    QtPrinter() { reset(); }

    bool isAvailable() const override { return !pdfFolder().isEmpty() || !QPrinterInfo::defaultPrinter().isNull(); }

protected:
    double dpiX() const override { return printer_->resolution(); }
    double dpiY() const override { return printer_->resolution(); }
    double pageWidthPixels() const override { return printer_->pageLayout().paintRectPixels(printer_->resolution()).width(); }
    double pageHeightPixels() const override {
        return printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
    }
    QPaintDevice* measuringDevice() const override { return printer_.get(); }

    void drawText(double x, double y, const QString& text, const QFont& f) override {
        if (!painter_.isActive())
            return;
        painter_.setFont(f);
        painter_.setPen(Qt::black);
        painter_.drawText(QPointF(x, y + QFontMetricsF(f, printer_.get()).ascent()), text);
    }
    void drawPicture(const QImage& picture, double x, double y, double w, double h) override {
        if (painter_.isActive() && !picture.isNull())
            painter_.drawImage(QRectF(x, y, w, h), picture);
    }
    void drawLine(double x1, double y1, double x2, double y2, const QColor& c, int width) override {
        if (!painter_.isActive())
            return;
        painter_.setPen(QPen(c, width, Qt::SolidLine, Qt::SquareCap));
        painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void drawBox(double x, double y, double w, double h, const QColor& c, int width, bool filled) override {
        if (!painter_.isActive())
            return;
        if (filled) {
            painter_.fillRect(QRectF(x, y, w, h), c);
        } else {
            painter_.setPen(QPen(c, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            painter_.setBrush(Qt::NoBrush);
            painter_.drawRect(QRectF(x, y, w, h));
        }
    }
    void startPage() override {
        if (painter_.isActive()) {
            printer_->newPage();
            return;
        }
        if (!pdfFolder().isEmpty()) {
            output_ = nextJobFile(pdfFolder());
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName(output_);
        } else {
            output_ = printer_->printerName();
        }
        failed_ = !painter_.begin(printer_.get());
    }
    bool finishDocument(int pages) override {
        const bool ok = painter_.isActive() && !failed_ && painter_.end();
        journal::write(QStringLiteral("print"), {ok ? output_ : QStringLiteral("failed"), QString::number(pages)});
        reset();
        if (!ok)
            MsgBox(QStringLiteral("The printer could not print this.") + QStringLiteral("\r\n\r\n") +
                       QStringLiteral("Please check that the printer is switched on and ready, then try again."),
                   mb::OKOnly | mb::Exclamation, QStringLiteral("Printing"));
        return ok;
    }

private:
    static QString pdfFolder() { return qEnvironmentVariable("KESTROW_PRINT"); }

    // A fresh QPrinter per document, so each job starts from the default printer's settings.
    void reset() {
        if (painter_.isActive())
            painter_.end();
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!pdfFolder().isEmpty()) {
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setResolution(600);
        }
        failed_ = false;
    }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QString output_;
    bool failed_ = false;
};

Printer* gPrinter = nullptr;

}  // namespace

Printer& printer() {
    if (gPrinter)
        return *gPrinter;
    // Made once and kept to the end: a QPrinter must not outlive the application object.
    static QtPrinter* real = new QtPrinter;
    return *real;
}

void setPrinter(Printer* p) { gPrinter = p; }

bool printerReady() {
    if (printer().isAvailable())
        return true;
    MsgBox(QStringLiteral("There is no printer to print on.") + QStringLiteral("\r\n\r\n") +
               QStringLiteral("Please set up a printer on this computer, then try again."),
           mb::OKOnly | mb::Exclamation, QStringLiteral("No printer"));
    return false;
}

QString headerToRightEdge(const Printer& p, const QString& text) {
    QString header = text;
    // A blank measures at least a pixel on any real font; the cap only guards a broken one.
    for (int i = 0; i < 100000; ++i) {
        header.prepend(u' ');
        if (p.TextWidth(header) > p.ScaleWidth())
            break;
    }
    return header.mid(2);
}
