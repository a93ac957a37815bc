#include "platform/LittleEndian.h"

namespace littleendian {

void put16(QByteArray& out, uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

uint16_t get16(const QByteArray& in, qsizetype at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(in[at]) | (static_cast<uint8_t>(in[at + 1]) << 8));
}

uint32_t get32(const QByteArray& in, qsizetype at) {
    return static_cast<uint32_t>(get16(in, at)) | (static_cast<uint32_t>(get16(in, at + 2)) << 16);
}

}  // namespace littleendian
