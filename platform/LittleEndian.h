#pragma once
// Numbers in the files of the system (settings records, the log, sounds, pictures) are stored
// low byte first, whatever the machine: these write and read them.
#include <QByteArray>
#include <cstdint>

namespace littleendian {

// Appends v, low byte first: two bytes, or four.
void put16(QByteArray& out, uint16_t v);
void put32(QByteArray& out, uint32_t v);

// The number whose low byte is at `at`; the caller makes sure the bytes are there.
uint16_t get16(const QByteArray& in, qsizetype at);
uint32_t get32(const QByteArray& in, qsizetype at);

}  // namespace littleendian
