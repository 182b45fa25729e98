#pragma once

#include <QByteArray>

namespace arckit {

// The -lh5- method: LZSS over an 8 KiB window with static Huffman blocks, as LHA writes it.
QByteArray encodeLh5(const uchar* data, qint64 size);

} // namespace arckit
