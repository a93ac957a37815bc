// The teacher screens' tick boxes and option buttons at both ends of the screen sizes: at the
// design size (scale exactly 1) every caption shows whole, and on a large screen the boxes and
// buttons grow with their text.
#include <QCheckBox>
#include <QRadioButton>
#include <QStyleOptionButton>

#include "TeacherFixture.h"
#include "menu/frmLog.h"
#include "menu/frmSettings.h"
#include "menu/frmUsers.h"
#include "support/Press.h"

using testsupport::click;

using teachertest::settle;
using teachertest::TeacherTest;
using testsupport::showWindow;

namespace {

class TeacherLayout : public TeacherTest {
protected:
    void SetUp() override {
        TeacherTest::SetUp();
        GlobalSettings.UserNameFlags = 3;
        GlobalSettings.TrackingOn = 1;
    }
    // Every visible tick box and option button of the window.
    static QList<QAbstractButton*> buttonsOf(QWidget* w) {
        QList<QAbstractButton*> out;
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if ((qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)) && b->isVisibleTo(w))
                out << b;
        return out;
    }
    static QRect indicator(QAbstractButton* b) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        const bool box = qobject_cast<QCheckBox*>(b) != nullptr;
        return b->style()->subElementRect(box ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator, &opt,
                                          b);
    }
    void check(QWidget* w, const char* name) {
        const QList<QAbstractButton*> buttons = buttonsOf(w);
        ASSERT_FALSE(buttons.isEmpty()) << name;
        for (QAbstractButton* b : buttons) {
            const std::string what = std::string(name) + " \"" + b->text().toStdString() + "\"";
            EXPECT_LE(b->sizeHint().width(), b->width()) << what << ": the caption is cut";
            // The box or button keeps to the text's size, as the design's 3-D controls did.
            EXPECT_GE(indicator(b).height(), b->fontMetrics().height() * 0.6) << what;
            EXPECT_LE(indicator(b).height(), b->height()) << what;
            // The captions of one frame, fitted or not, keep one size.
            for (QAbstractButton* other : buttons)
                if (other->parentWidget() == b->parentWidget()) {
                    EXPECT_DOUBLE_EQ(other->font().pointSizeF(), b->font().pointSizeF())
                        << what << " and \"" << other->text().toStdString() << "\"";
                }
        }
    }
    void checkAll(QSize size) {
        frmUsers* u = showWindow<frmUsers>(size);
        check(u, "frmUsers");
        u->Unload();
        frmLog* l = showWindow<frmLog>(size);
        check(l, "frmLog");
        l->Unload();
        frmSettings* s = showWindow<frmSettings>(size);
        check(s, "frmSettings");
        click(s->cmdCancel);
        settle();
    }
};

}  // namespace

TEST_F(TeacherLayout, AtTheDesignSizeEveryCaptionShowsWhole) {
    // 640 x 442 pixels is the design surface at 15 twips a pixel: scale exactly 1.
    checkAll(QSize(640, 442));
}

TEST_F(TeacherLayout, OnALargeScreenTheBoxesGrowWithTheirText) {
    // A 1920 x 1080 screen, less the menu bar.
    gScaleX = 3.0f;
    gScaleY = float(1020 * 15 / 6630.0);
    gScale = gScaleY;
    checkAll(QSize(1920, 1020));
}
