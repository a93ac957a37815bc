#pragma once
// The printer object the windows print through, with the original's model: a scale (twips or
// printer pixels) over the printable area, a font, a print position that Print moves down a line
// at a time, pictures, lines and boxes, and documents that end with EndDoc. The model lives here
// once; a device underneath only measures and draws in its own pixels. The real device is a
// QPrinter (the default printer, or a PDF file per job under KESTROW_PRINT); tests record.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

class QPaintDevice;

class Printer {
public:
    enum ScaleModes { Twips = 1, Pixels = 3 };

    virtual ~Printer() = default;

    // Whether there is anything to print on; the windows ask through printerReady().
    virtual bool isAvailable() const = 0;

    int ScaleMode() const { return scaleMode_; }
    // Setting the mode puts the print position and ScaleLeft/Top back to 0.
    void setScaleMode(int mode);
    double ScaleLeft() const { return 0.0; }
    double ScaleTop() const { return 0.0; }
    // The printable area in the current scale.
    double ScaleWidth() const;
    double ScaleHeight() const;
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

    QString FontName() const { return fontName_; }
    double FontSize() const { return fontSize_; }
    bool FontBold() const { return bold_; }
    bool FontItalic() const { return italic_; }
    void setFontName(const QString& name);
    void setFontSize(double points);
    void setFontBold(bool on) { bold_ = on; }
    void setFontItalic(bool on) { italic_ = on; }
    // An upright face of the name and weight, or that face at a size: how each printed text starts.
    void setFace(const QString& name, bool bold);
    void setFace(const QString& name, bool bold, double points);

    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }

    int DrawWidth() const { return drawWidth_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }

    // In the current scale and font.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    // One line: the top of the text cell at CurrentY, starting at CurrentX; then the position
    // goes to the start of the next line. A line that would run past the bottom of the page
    // starts a new page first (unless it is the page's first line).
    void Print(const QString& text = QString());
    // The picture stretched to the rectangle.
    void PaintPicture(const QImage& picture, double x, double y, double width, double height);
    // A line from (x1, y1) to (x2, y2), and a box outline or a filled box, in DrawWidth pixels.
    void Line(double x1, double y1, double x2, double y2, const QColor& colour = Qt::black);
    void Box(double x, double y, double width, double height, const QColor& colour = Qt::black);
    void FilledBox(double x, double y, double width, double height, const QColor& colour);
    void NewPage();
    // Sends the document; false when it could not be printed. The next drawing starts a new one.
    bool EndDoc();

    // Pages drawn on so far in the current document (0 before the first drawing).
    int pageCount() const { return pages_; }

protected:
    // The device: its resolution and printable area in its pixels, a paint device to measure
    // fonts on, and the drawing primitives in its pixels (origin: top left of the printable area).
    virtual double dpiX() const = 0;
    virtual double dpiY() const = 0;
    virtual double pageWidthPixels() const = 0;
    virtual double pageHeightPixels() const = 0;
    virtual QPaintDevice* measuringDevice() const = 0;
    virtual void drawText(double x, double y, const QString& text, const QFont& font) = 0;
    virtual void drawPicture(const QImage& picture, double x, double y, double w, double h) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, const QColor& c, int width) = 0;
    virtual void drawBox(double x, double y, double w, double h, const QColor& c, int width, bool filled) = 0;
    virtual void startPage() = 0;
    virtual bool finishDocument(int pages) = 0;

    // The font as the device takes it (the name's stand-in family, points, bold, italic).
    QFont font() const;

private:
    double toDeviceX(double x) const;
    double toDeviceY(double y) const;
    double unitsPerPixelX() const;
    double unitsPerPixelY() const;
    // Before any drawing: the document's first page begins.
    void touchPage();
    void box(double x, double y, double width, double height, const QColor& colour, bool filled);

    int scaleMode_ = Twips;
    QString fontName_ = QStringLiteral("Arial");
    double fontSize_ = 10.0;
    bool bold_ = false;
    bool italic_ = false;
    double currentX_ = 0.0;
    double currentY_ = 0.0;
    int drawWidth_ = 1;
    int pages_ = 0;
    bool pageHasLines_ = false;
};

// The printer in force: the real one, or one a test installed; setPrinter(nullptr) goes back.
Printer& printer();
void setPrinter(Printer* p);

// Whether printing can go ahead; when there is no printer the user is told so (a message box)
// and the caller prints nothing.
bool printerReady();

// The running header of a printed page: blanks go in front of the text until it is wider than
// the page, then the last two come off again, so it ends one to two blanks short of the right
// edge in the printer's current font.
QString headerToRightEdge(const Printer& p, const QString& text);
