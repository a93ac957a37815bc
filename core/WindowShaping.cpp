#include "core/WindowShaping.h"

#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

#include "core/Globals.h"
#include "core/Shell.h"
#include "platform/Form.h"

namespace shaping {

std::optional<FrameSize> correctedFrameSize(int w, int h, int minWidth, int minHeight) {
    // The rule's products are 16-bit numbers; beyond that range a frame is left as it is.
    if (w < 0 || h < 0 || 3 * w > 32767 || 4 * h > 32767)
        return std::nullopt;
    const long d30 = 30L * std::abs(3 * w - 4 * h);
    if (d30 <= 3 * w && d30 <= 4 * h && w >= minWidth && h >= minHeight)
        return std::nullopt;
    if (3 * w > 4 * h)
        w = (4 * h) / 3;
    else
        h = (3 * w) / 4;
    if (w < minWidth || h < minHeight) {
        w = minWidth;
        h = minHeight;
    }
    return FrameSize{w, h};
}

float snapScale(float factor) {
    return (factor > 0.99f && factor < 1.01f) ? 1.0f : factor;
}

void setScaleFactors(int innerWidthTwips, int innerHeightTwips) {
    const float sx = snapScale(float(innerWidthTwips) / float(gDesignWidth));
    const float sy = snapScale(float(innerHeightTwips) / float(gDesignHeight));
    gScaleX = sx;
    gScaleY = sy;
    gScale = sx <= sy ? sx : sy;
}

}  // namespace shaping

namespace {

// Without a window manager nobody maximises the frame: it fills the screen itself and its state
// stays normal. A frame that covers the whole available screen counts as maximised.
bool maximisedInEffect(const Form& frame) {
    if (frame.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return true;
    const QScreen* s = frame.screen();
    return s && frame.frameGeometry() == s->availableGeometry();
}

}  // namespace

bool ShapeChildWindow(Form& form) {
    if (gShellReady == 0)
        return false;
    Form* frame = shell::frame();
    if (frame && gResizeAnyState == 0 && !maximisedInEffect(*frame))
        return false;
    // Only a restored frame is reshaped; a minimised or maximised one is left to the system.
    if (frame && !maximisedInEffect(*frame)) {
        const QRect outer = frame->frameGeometry();
        const auto fix = shaping::correctedFrameSize(outer.width(), outer.height(), gMinShellWidth,
                                                     gMinShellHeight);
        if (fix) {
            // MoveWindow's new size arrives as a further resize. Posted, not done here: a
            // window resized again while its first resize (at show time) is still being
            // handled would never hear of the second one.
            QPointer<Form> target(frame);
            const QPoint corner = outer.topLeft();
            const shaping::FrameSize size{fix->width, fix->height};
            QTimer::singleShot(0, frame, [target, corner, size] {
                if (!target || target->isUnloaded())
                    return;
                // The outer size is asked for; the decoration comes off the client size.
                const int dw = target->frameGeometry().width() - target->width();
                const int dh = target->frameGeometry().height() - target->height();
                target->move(corner);
                target->resize(std::max(1, size.width - dw), std::max(1, size.height - dh));
            });
            return false;
        }
    }
    if (gDesignWidth <= 0 || gDesignHeight <= 0)
        return false;
    shaping::setScaleFactors(form.scaleWidth(), form.scaleHeight());
    return true;
}
