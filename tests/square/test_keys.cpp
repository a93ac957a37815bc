// The word-square window's access keys: "&Size" and "&Settings" share Alt+S in the pupil
// edition, where both are in view, and each press opens the next of them; in the teacher
// edition the hidden Settings menu never takes it.
#include <QApplication>
#include <QMenu>
#include <QTest>

#include "SquareFixture.h"
#include "core/frmKest.h"

namespace {

using testsupport::probe;

class SquareKeysTest : public squaretest::SquareTest {
protected:
    // Alt+S as the keyboard gives it; the menu it opened, closed again.
    QWidget* altS(frmSquare* w) {
        QWidget* window = w->window();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(to, Qt::Key_S, Qt::AltModifier);
        QWidget* opened = QApplication::activePopupWidget();
        if (opened)
            QTest::keyClick(opened, Qt::Key_Escape);
        if (QWidget* still = QApplication::activePopupWidget())
            still->close();
        return opened;
    }
};

TEST_F(SquareKeysTest, InThePupilEditionAltSOpensSizeThenSettings) {
    frmSquare* w = openEdition(QStringLiteral("PUPIL"));
    ASSERT_NE(w, nullptr);
    auto in = probe(w);
    ASSERT_TRUE(in.mnuSettingTop->menuAction()->isVisible());
    EXPECT_EQ(altS(w), in.mnusizetop);
    EXPECT_EQ(altS(w), in.mnuSettingTop);
    EXPECT_EQ(altS(w), in.mnusizetop);
}

TEST_F(SquareKeysTest, InTheTeacherEditionAltSIsTheSizeMenusAlone) {
    boxes.answer(mb::OK);  // the teacher edition's notice
    frmSquare* w = openEdition(QStringLiteral("TEACHER"));
    ASSERT_NE(w, nullptr);
    auto in = probe(w);
    ASSERT_TRUE(squaretest::processUntil([this] { return boxes.msgBoxes().size() == 1; }));
    ASSERT_FALSE(in.mnuSettingTop->menuAction()->isVisible());
    EXPECT_EQ(altS(w), in.mnusizetop);
    EXPECT_EQ(altS(w), in.mnusizetop);
}

}  // namespace
