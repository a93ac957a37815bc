// Low byte first, in two and four bytes, and back.
#include <gtest/gtest.h>

#include "platform/LittleEndian.h"

namespace {

using namespace littleendian;

TEST(LittleEndian, NumbersAreWrittenLowByteFirst) {
    QByteArray b("x");
    put16(b, 0x1234);
    put32(b, 0xA1B2C3D4u);
    EXPECT_EQ(b, QByteArray::fromHex("78" "3412" "d4c3b2a1"));
    QByteArray s;
    put16(s, uint16_t(int16_t(-2)));  // signed fields go through their unsigned twin
    put32(s, uint32_t(int32_t(-123456789)));
    EXPECT_EQ(s, QByteArray::fromHex("feff" "eb32a4f8"));
}

TEST(LittleEndian, NumbersReadBackFromAnyOffset) {
    const QByteArray b = QByteArray::fromHex("00" "ff80" "d4c3b2a1");
    EXPECT_EQ(get16(b, 1), 0x80FF);
    EXPECT_EQ(int16_t(get16(b, 1)), -32513);  // bytes above 127 are not sign-extended
    EXPECT_EQ(get32(b, 3), 0xA1B2C3D4u);
    QByteArray round;
    for (uint32_t v : {0u, 1u, 0xFFFFu, 0x10000u, 0xFFFFFFFFu}) {
        round.clear();
        put32(round, v);
        EXPECT_EQ(get32(round, 0), v);
        put16(round, uint16_t(v));
        EXPECT_EQ(get16(round, 4), uint16_t(v));
    }
}

}  // namespace
